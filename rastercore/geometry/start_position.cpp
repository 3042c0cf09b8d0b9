// The raster origin of a page.
#include "geometry/start_position.h"

#include <algorithm>

#include "command/cmd_info.h"
#include "geometry/placement_internal.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

// Working pixels at `working` dpi as printer dots at `printer` dpi, never below 0.
std::int32_t printerDots(double pixels, std::uint16_t printer, double working) {
    if (!(working > 0)) {
        return 0;
    }
    return std::max(geometry::trunc32(pixels * printer / working), 0);
}

}  // namespace

std::int32_t PLG_Get_Start_Position(const PLGContext* context, std::int32_t* x, std::int32_t* y) {
    if (context == nullptr || context->cmdInfo == nullptr || x == nullptr || y == nullptr) {
        return rastercore::kResultFailure;
    }
    const TARNRect& image = context->imageRect;
    const TARNRect& caption = context->captionRect;
    const bool hasCaption = context->captionFlag != 0;
    double startX = 0;
    double startY = 0;
    if (context->sourceWidth != 0 && context->sourceHeight != 0) {
        if (hasCaption && image.top >= caption.top) {
            startY = caption.top;
            startX = image.top == caption.top ? std::min(caption.left, image.left) : caption.left;
        } else {
            startX = image.left;
            startY = image.top;
        }
    } else if (hasCaption) {
        startX = caption.left;
        startY = caption.top;
    }
    const Cmd_Info& info = *context->cmdInfo;
    *x = printerDots(startX, info.graphicsResolution[0], context->outputResolution[0]);
    *y = printerDots(startY, info.graphicsResolution[1], context->outputResolution[1]);
    return rastercore::kResultOk;
}
