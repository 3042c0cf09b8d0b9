// The placement of a job's image: source window, scales, fitting, clipping, layout and checks.
#include "geometry/placement.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

#include "geometry/placement_internal.h"
#include "rastercore/common_info_table.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/result_codes.h"

using namespace geometry;
using rastercore::kResultFailure;
using rastercore::kResultHostImage;
using rastercore::kResultNothingToPrint;
using rastercore::kResultOk;

namespace {

constexpr double kFixedOne = 65536.0;  // 16.16 fixed point
constexpr double kPercentMin = 5.0;
constexpr double kPercentFull = 100.0;
constexpr double kRangeRounding = 0.0005;
constexpr std::int32_t kRangePrint = 1;
constexpr std::uint8_t kCropSelection = 1;
constexpr std::int32_t kRollLayoutCentred = 6;
constexpr std::int32_t kMirrorOn = 1;
constexpr std::int32_t kDotAlignment = 8;
constexpr std::int32_t kCentreOnMedium = 1;

// Index of the source rectangle's edges in `PLGContext::sourceRect`.
constexpr int kTop = 0;
constexpr int kLeft = 1;
constexpr int kBottom = 2;
constexpr int kRight = 3;

// A value the dialog truncates to an unsigned integer; negative values count as 0.
double unsignedTrunc(double value) {
    return value > 0 ? std::trunc(value) : 0.0;
}

// The host image's size: the photo application reports it in the host table, the image editor
// in the image description.
bool imageSize(const PLGContext& context, const CommonInfoTable& host, PlacementWork& work) {
    if (context.hostTypeFlag == 1) {
        work.imageWidth = static_cast<std::int32_t>(host.files.sizes[0]);
        work.imageHeight = static_cast<std::int32_t>(host.files.sizes[1]);
    } else if (context.hostImage != nullptr) {
        work.imageWidth = context.hostImage->width;
        work.imageHeight = context.hostImage->height;
    } else {
        return false;
    }
    work.imageWidth = std::max(work.imageWidth, 0);
    work.imageHeight = std::max(work.imageHeight, 0);
    return true;
}

// The part of the image to print: the selected range, or instead the host's crop selection,
// else the whole image; never reaching outside the image. Written back to the record.
SourceWindow sourceWindow(CoreCommonInfoTbl& table, const PLGContext& context,
                          const PlacementWork& work) {
    SourceWindow window{0, 0, work.imageWidth, work.imageHeight};
    if (table.selRangePrint == kRangePrint && std::trunc(table.clopRect[2]) > 0 &&
        std::trunc(table.clopRect[3]) > 0) {
        PLG_GetPortinPrint_Rec(&table, static_cast<std::uint32_t>(work.imageWidth),
                               static_cast<std::uint32_t>(work.imageHeight), &window.left,
                               &window.top, &window.right, &window.bottom);
        if (table.firstSelect == kCropSelection && context.hostImage != nullptr) {
            const HostImageRecord& image = *context.hostImage;
            window = {image.selectionLeft, image.selectionTop, image.selectionRight,
                      image.selectionBottom};
        }
    }
    window.left = std::clamp(window.left, 0, work.imageWidth);
    window.right = std::clamp(window.right, window.left, work.imageWidth);
    window.top = std::clamp(window.top, 0, work.imageHeight);
    window.bottom = std::clamp(window.bottom, window.top, work.imageHeight);
    table.cropRange[0] = static_cast<std::uint32_t>(window.left);
    table.cropRange[1] = static_cast<std::uint32_t>(window.top);
    table.cropRange[2] = static_cast<std::uint32_t>(window.right);
    table.cropRange[3] = static_cast<std::uint32_t>(window.bottom);
    return window;
}

// Fits the whole window to the roll width (the page grows to the image) or into the page.
void fitWindow(PLGContext& context, PlacementWork& work, double sw, double sh) {
    const PlacementView view(context);
    double scale = 0;
    if (context.fitType == kFitRollWidth) {
        scale = work.availableWidth / (view.rotated ? sh : sw);
        const double printedLength = (view.rotated ? sw : sh) * scale;
        context.paperHeightDots =
            trunc32(dots(2.0 * std::max(view.top, view.bottom), view.rv) + printedLength);
    } else {
        const double kx = (view.rotated ? work.availableHeight : work.availableWidth) / sw;
        const double ky = (view.rotated ? work.availableWidth : work.availableHeight) / sh;
        scale = std::min(kx, ky);
    }
    context.scale[0] = context.scale[1] = scale;
    work.printedWidth = sw;
    work.printedHeight = sh;
}

// Without fitting the printed part is what fits the printable area; a caption beside the
// leading edge of a corner layout takes its room first.
void clipWindow(const PLGContext& context, PlacementWork& work, double sw, double sh) {
    const PlacementView view(context);
    const bool captionRoom = view.captionBeside && context.pageLayoutKind == kLayoutCorner;
    if (!view.rotated) {
        if (captionRoom) {
            work.availableHeight -= context.captionHeight;
        }
        work.printedWidth =
            work.availableWidth >= sw * view.sx ? sw : work.availableWidth / view.sx;
        work.printedHeight =
            sh * view.sy <= work.availableHeight ? sh : work.availableHeight / view.sy;
    } else {
        if (captionRoom) {
            work.availableWidth -= context.captionWidth;
        }
        work.printedHeight =
            sh * view.sy <= work.availableWidth ? sh : work.availableWidth / view.sy;
        work.printedWidth =
            work.availableHeight >= view.sx * sw ? sw : work.availableHeight / view.sx;
    }
}

// The corner layout: the image at the top left, below a caption beside its leading edge; a
// turned image at the right of the printable area.
void placeInCorner(PLGContext& context, const PlacementWork& work) {
    const PlacementView view(context);
    TARNRect& rect = context.imageRect;
    if (!view.rotated) {
        rect.top = view.captionBeside ? context.captionHeight : 0;
        rect.bottom = trunc32(work.printedHeight * view.sy + rect.top);
        rect.left = 0;
        rect.right = trunc32(work.printedWidth * view.sx);
    } else {
        // The caption's room is already out of the available width.
        rect.right = trunc32(work.availableWidth);
        rect.left = trunc32(std::trunc(work.availableWidth) - work.printedHeight * view.sy);
        rect.top = 0;
        rect.bottom = trunc32(work.printedWidth * view.sx);
    }
}

void placeBorderless(PLGContext& context, double sw, double sh) {
    const PlacementView view(context);
    context.imageRect = {0, 0, trunc32((view.rotated ? sw : sh) * view.sy),
                         trunc32((view.rotated ? sh : sw) * view.sx)};
}

bool usable(const PLGContext& context) {
    const TARNRect& rect = context.imageRect;
    const double* source = context.sourceRect;
    return rect.left < rect.right && rect.top < rect.bottom &&
           trunc32(source[kLeft]) < trunc32(source[kRight]) &&
           trunc32(source[kTop]) < trunc32(source[kBottom]);
}

void setCentreOnMedium(const CoreCommonInfoTbl& table, PLGContext& context) {
    if (!context.borderless && table.rollLayout == kRollLayoutCentred) {
        context.cmdInfo->centering = kCentreOnMedium;
    }
}

std::int32_t nothingToPrint(const CoreCommonInfoTbl& table, PLGContext& context) {
    context.imageRect = {0, 0, 0, 0};
    std::fill(std::begin(context.sourceRect), std::end(context.sourceRect), 0.0);
    context.sourceWidth = context.sourceHeight = 0;
    setCentreOnMedium(table, context);
    return kResultNothingToPrint;
}

}  // namespace

std::int32_t PLG_Get_Management_Rec(CoreCommonInfoTbl* table, PLGContext* context,
                                    std::uint32_t* width, std::uint32_t* height, double* scaleX,
                                    double* scaleY) {
    if (table == nullptr || context == nullptr || context->cmdInfo == nullptr ||
        table->commonInfo == nullptr) {
        return kResultFailure;
    }
    const CommonInfoTable& host = *table->commonInfo;
    PlacementWork work{};
    if (!imageSize(*context, host, work)) {
        return kResultFailure;
    }
    // A resolution of 0 would divide by zero in every scale below.
    const double imageResolutionH =
        static_cast<std::uint32_t>(host.horizontalResolution) / kFixedOne;
    const double imageResolutionV = static_cast<std::uint32_t>(host.verticalResolution) / kFixedOne;
    const double rh = context->outputResolution[0];
    const double rv = context->outputResolution[1];
    if (!(imageResolutionH > 0 && imageResolutionV > 0 && rh > 0 && rv > 0)) {
        return kResultHostImage;
    }

    // Printable area and magnification: fitting keeps the larger margins on both sides.
    const PlacementView margins(*context);
    const bool fitting = margins.scaling && context->fitType < kNoFit;
    work.availableWidth = fitting ? margins.symmetricWidth() : margins.marginWidth();
    work.availableHeight = fitting ? margins.symmetricLength() : margins.marginLength();
    const double percent = margins.scaling
                               ? std::max(kPercentMin, static_cast<double>(context->magnification))
                               : kPercentFull;
    context->scale[0] = rh * (percent / kPercentFull) / imageResolutionH;
    context->scale[1] = (percent / kPercentFull) * rv / imageResolutionV;

    work.window = sourceWindow(*table, *context, work);
    const double sw = work.window.right - work.window.left;
    const double sh = work.window.bottom - work.window.top;
    if (sw <= 0 || sh <= 0) {
        return nothingToPrint(*table, *context);
    }
    if (fitting) {
        fitWindow(*context, work, sw, sh);
    } else {
        clipWindow(*context, work, sw, sh);
    }
    if (!(context->scale[0] > 0 && context->scale[1] > 0 && std::isfinite(context->scale[0]) &&
          std::isfinite(context->scale[1]))) {
        return nothingToPrint(*table, *context);
    }

    context->sourceRect[kTop] = work.window.top;
    context->sourceRect[kLeft] = work.window.left;
    context->sourceRect[kBottom] = work.window.top + work.printedHeight;
    context->sourceRect[kRight] = work.window.left + work.printedWidth;
    context->imageRect = {0, 0, 0, 0};
    if (context->borderless) {
        placeBorderless(*context, sw, sh);
    } else {
        switch (context->pageLayoutKind) {
            case kLayoutCorner:
                placeInCorner(*context, work);
                break;
            case kLayoutCentre:
                PLG_Get_Center_Position(context, work);
                break;
            case kLayoutUser:
                PLG_Get_User_Position(context, work);
                break;
            case kLayoutCentreRollFit:
                PLG_Get_Center_Position(context, work);
                PLG_Get_FitRoll_Position(context);
                break;
            default:
                break;  // no placement: nothing is printed
        }
    }
    context->sourceWidth = static_cast<std::uint32_t>(std::max(trunc32(work.printedWidth), 0));
    context->sourceHeight = static_cast<std::uint32_t>(std::max(trunc32(work.printedHeight), 0));
    if (context->cmdInfo->mirror == kMirrorOn) {
        PLG_Get_Mirror_Position(context, work);
    }
    if (!usable(*context)) {
        return nothingToPrint(*table, *context);
    }

    // The image starts on a multiple of 8 dots.
    const std::int32_t remainder = context->imageRect.left % kDotAlignment;
    if (remainder > 0) {
        context->imageRect.left += kDotAlignment - remainder;
        context->imageRect.right += kDotAlignment - remainder;
    }
    setCentreOnMedium(*table, *context);
    if (width != nullptr) {
        *width = context->sourceWidth;
    }
    if (height != nullptr) {
        *height = context->sourceHeight;
    }
    if (scaleX != nullptr) {
        *scaleX = context->scale[0];
    }
    if (scaleY != nullptr) {
        *scaleY = context->scale[1];
    }
    return kResultOk;
}

std::int32_t PLG_GetPortinPrint_Rec(CoreCommonInfoTbl* table, std::uint32_t imageWidth,
                                    std::uint32_t imageHeight, std::int32_t* left,
                                    std::int32_t* top, std::int32_t* right, std::int32_t* bottom) {
    *left = *top = *right = *bottom = 0;
    // The record is byte-packed: its doubles are copied out, never read in place.
    double frame[4];  // x, y, width, height
    double range[4];
    std::memcpy(frame, table->imagePreviewRect, sizeof frame);
    std::memcpy(range, table->clopRect, sizeof range);
    frame[0] = frame[1] = 0;
    std::memcpy(table->imagePreviewRect, frame, sizeof frame);
    const double frameWidth = unsignedTrunc(frame[2]);
    const double frameHeight = unsignedTrunc(frame[3]);
    if (frameWidth == 0 || frameHeight == 0) {
        return kResultNothingToPrint;
    }
    const double cx = imageWidth / frameWidth;
    const double cy = imageHeight / frameHeight;
    // The range's y is measured from the bottom of the preview; rows count from the top.
    const double fromTop = frame[3] - (range[1] + range[3]);
    const auto edge = [](double points, double pixelsPerPoint, std::uint32_t limit) {
        const double bound =
            std::min<std::uint32_t>(limit, std::numeric_limits<std::int32_t>::max());
        return static_cast<std::int32_t>(std::min(
            unsignedTrunc(unsignedTrunc(points) * pixelsPerPoint + kRangeRounding), bound));
    };
    *left = edge(range[0], cx, imageWidth);
    *top = edge(fromTop, cy, imageHeight);
    *right = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t{edge(range[2], cx, imageWidth)} + *left, imageWidth));
    *bottom = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t{edge(range[3], cy, imageHeight)} + *top, imageHeight));
    return kResultOk;
}

void PLG_Get_Mirror_Position(PLGContext* context, const PlacementWork& work) {
    double* source = context->sourceRect;
    const double printed = source[kRight] - source[kLeft];
    const double windowWidth = work.window.right - work.window.left;
    if (printed == windowWidth) {
        return;
    }
    // Reflect the printed columns within the window.
    const double right = work.window.left + work.window.right - source[kLeft];
    source[kRight] = right;
    source[kLeft] = right - printed;
}
