// Line counts of a page with an image and an optional caption.
#include "band/line_layout.h"

#include <algorithm>

#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

/// The longest page some models print: 18 m, in tenths of a millimetre.
constexpr double kMaxPageLength = 180000.0;
constexpr double kTenthsPerInch = 254.0;

bool sharesLines(const TARNRect& image, const TARNRect& caption) {
    return caption.top < image.bottom && image.top < caption.bottom;
}

}  // namespace

std::int32_t PLG_Get_Send_Line(const PLGContext* context, std::int32_t* lines,
                               std::int32_t* imageLines) {
    const TARNRect& image = context->imageRect;
    const TARNRect& caption = context->captionRect;
    *imageLines = image.bottom - image.top;
    if (context->captionFlag == 0) {
        *lines = *imageLines;
    } else if (!sharesLines(image, caption)) {
        *lines = *imageLines + caption.bottom - caption.top;
    } else {
        *lines = std::max(image.bottom, caption.bottom) - std::min(image.top, caption.top);
    }
    const std::int32_t lineCap = context->modelTable.MaxLineNum;
    if (lineCap == 1 || lineCap == 2) {
        const auto cap = static_cast<std::int32_t>(context->outputResolution[1] * kMaxPageLength /
                                                   kTenthsPerInch);
        *lines = std::min(*lines, cap);
    }
    return rastercore::kResultOk;
}

std::int32_t PLG_Get_Start_Line(const PLGContext* context, std::int32_t lines,
                                std::int32_t imageLines, std::int32_t* imageStart,
                                std::int32_t* captionStart) {
    const TARNRect& image = context->imageRect;
    const TARNRect& caption = context->captionRect;
    *imageStart = 0;
    *captionStart = 0;
    if (context->captionFlag == 0) {
        return rastercore::kResultOk;
    }
    const bool imageFirst = image.top < caption.top;
    if (!sharesLines(image, caption)) {
        if (imageFirst) {
            *captionStart = imageLines;
        } else {
            *imageStart = lines - imageLines;
        }
    } else if (imageFirst) {
        *captionStart = caption.top - image.top;
    } else {
        *imageStart = image.top - caption.top;
    }
    return rastercore::kResultOk;
}

std::int32_t PLG_Get_Start_SrcWidth(const PLGContext* context, std::int32_t imageStart,
                                    std::int32_t captionStart, std::int32_t* width) {
    const TARNRect& image = context->imageRect;
    const TARNRect& caption = context->captionRect;
    if (context->captionFlag == 0 || imageStart < captionStart) {
        *width = image.right - image.left;
    } else if (imageStart == captionStart) {
        *width = std::max(caption.right, image.right) - std::min(caption.left, image.left);
    } else {
        *width = caption.right - caption.left;
    }
    return rastercore::kResultOk;
}
