// The caption merge's colour stage: the print colour module's row processing.
#include "caption/caption_color_stage.h"

#include "color/tarn_color.h"

const CaptionColorStage& coreCaptionColorStage() {
    static const CaptionColorStage stage{
        .colorProcessing = tarn_Color_ColorProcessing,
    };
    return stage;
}

seam::Seam<CaptionColorStage>& captionColorStage() {
    static seam::Seam<CaptionColorStage> seam(coreCaptionColorStage());
    return seam;
}
