// The print colour stage that the caption merge runs a caption row through when the printer
// needs captions in its own colours (monochrome output on models that colour-process captions).
//
// The stage belongs to the print colour module; the merge reaches it through this seam so that
// it runs against that module in production and against a recording double in tests.
#pragma once

#include <cstdint>
#include <functional>

#include "seam/seam.h"

struct Color_Info;
struct TARNRect;

struct CaptionColorStage {
    /// `tarn_Color_ColorProcessing`: colour-processes the (right - left) pixels of `source` into
    /// `destination`; 0 or a failure code.
    std::function<std::int32_t(Color_Info* color, std::uint8_t* source, TARNRect* rect,
                               std::uint8_t* destination)>
        colorProcessing;
};

/// The core's own stage: `tarn_Color_ColorProcessing`.
const CaptionColorStage& coreCaptionColorStage();

/// The stage the caption merge calls through.
seam::Seam<CaptionColorStage>& captionColorStage();
