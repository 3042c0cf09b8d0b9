// The caption merge's colour stage. Print colour processing is not built yet; it answers -1, so a
// caption that needs it fails the page instead of printing in the wrong colours.
#include "caption/caption_color_stage.h"

#include "rastercore/result_codes.h"

const CaptionColorStage& coreCaptionColorStage() {
    static const CaptionColorStage stage{
        .colorProcessing = [](Color_Info*, std::uint8_t*, TARNRect*,
                              std::uint8_t*) { return rastercore::kResultFailure; },
    };
    return stage;
}

seam::Seam<CaptionColorStage>& captionColorStage() {
    static seam::Seam<CaptionColorStage> seam(coreCaptionColorStage());
    return seam;
}
