// Placement of the printed window by layout: centred, at the user's position, and the roll-fit
// adjustment after centring.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "geometry/placement.h"
#include "geometry/placement_internal.h"

using namespace geometry;

namespace {

// Index of the source rectangle's edges in `PLGContext::sourceRect`.
constexpr int kTop = 0;
constexpr int kLeft = 1;
constexpr int kBottom = 2;
constexpr int kRight = 3;

constexpr std::int32_t kPrintCentered = 1;
constexpr std::int32_t kCentreOnMedium = 1;
/// Room for a caption above an image on a roll fitted to its width: 1 cm.
constexpr double kCaptionRoom = 100.0;

// One axis of a window cut to its middle: the first printed source pixel and the extent.
struct Cut {
    double start;
    double extent;
};

Cut cutToMiddle(std::int32_t windowStart, std::int64_t printed, std::int64_t area, double scale) {
    const double start = windowStart + static_cast<double>((printed - area) / 2) / scale;
    return {start, static_cast<double>(area) / scale};
}

// One axis of an image placed in the symmetric area: offset by the margins' difference, and
// centred when it fits.
void centreAxis(double marginOffset, std::int64_t area, std::int64_t printed, std::int32_t* low,
                std::int32_t* high) {
    if (area < printed) {
        *low = trunc32(marginOffset);
        *high = trunc32(static_cast<double>(area) + *low);
    } else {
        *low = trunc32(marginOffset + static_cast<double>((area - printed) / 2));
        *high = trunc32(static_cast<double>(printed) + *low);
    }
}

// One axis of the user's position, on the source rectangle's edges `low` and `high`: a position
// inside the margin drops the source pixels that would fall into it, an image reaching past the
// printable area is cut there.
void userAxis(bool insideMargin, double offset, double scale, double room, double windowEnd,
              double* low, double* high) {
    if (insideMargin) {
        *low += offset / scale;
        *high = std::min(*high + offset / scale, windowEnd);
        *low = std::min(*low, *high);
    } else if ((*high - *low) * scale + offset > room) {
        *high -= ((*high - *low) * scale + offset - room) / scale;
        *high = std::max(*high, *low);
    }
}

}  // namespace

void PLG_Get_Center_Position(PLGContext* context, PlacementWork& work) {
    const PlacementView view(*context);
    const SourceWindow& window = work.window;
    // A negative area (margins wider than the paper) is no area.
    const std::int64_t areaWidth = std::max(trunc32(view.symmetricWidth()), 0);
    const std::int64_t areaLength = std::max(trunc32(view.symmetricLength()), 0);
    const double windowAcross =
        view.rotated ? window.bottom - window.top : window.right - window.left;
    const double windowAlong =
        view.rotated ? window.right - window.left : window.bottom - window.top;
    const std::int64_t printedWidth = trunc32(windowAcross * view.acrossScale());
    const std::int64_t printedLength = trunc32(windowAlong * view.alongScale());

    // Without fitting, a window larger than the area keeps its middle.
    double* source = context->sourceRect;
    const bool cutsWindow = !view.borderless && (!view.scaling || context->fitType >= kNoFit);
    if (cutsWindow && areaWidth < printedWidth) {
        if (!view.rotated) {
            const Cut cut = cutToMiddle(window.left, printedWidth, areaWidth, view.sx);
            source[kLeft] = cut.start;
            source[kRight] = cut.start + cut.extent;
            work.printedWidth = source[kRight] - source[kLeft];
        } else {
            const Cut cut = cutToMiddle(window.top, printedWidth, areaWidth, view.sy);
            source[kTop] = cut.start;
            source[kBottom] = cut.start + cut.extent;
            work.printedHeight = source[kBottom] - source[kTop];
        }
    }
    if (cutsWindow && areaLength < printedLength) {
        if (!view.rotated) {
            const Cut cut = cutToMiddle(window.top, printedLength, areaLength, view.sy);
            source[kTop] = cut.start;
            source[kBottom] = cut.start + cut.extent;
            work.printedHeight = source[kBottom] - source[kTop];
        } else {
            const Cut cut = cutToMiddle(window.left, printedLength, areaLength, view.sx);
            source[kLeft] = cut.start;
            source[kRight] = cut.start + cut.extent;
            work.printedWidth = source[kRight] - source[kLeft];
        }
    }

    TARNRect& rect = context->imageRect;
    centreAxis(dots(std::abs(view.right - view.left), view.rh), areaWidth, printedWidth, &rect.left,
               &rect.right);
    centreAxis(dots(std::abs(view.bottom - view.top), view.rv), areaLength, printedLength,
               &rect.top, &rect.bottom);
}

void PLG_Get_User_Position(PLGContext* context, PlacementWork& work) {
    const PlacementView view(*context);
    const double userX = context->layoutLeft;
    const double userY = context->layoutTop;
    // A turned image's columns run along the paper from the top margin, its rows across it
    // from the right margin.
    const double marginX = view.rotated ? view.top : view.left;
    const double marginY = view.rotated ? view.right : view.top;
    const bool insideX = userX < marginX;
    const bool insideY = userY < marginY;
    const double dx = std::trunc(view.rh * std::abs(userX - marginX) / kTenthsPerInch);
    const double dy = std::trunc(view.rv * std::abs(userY - marginY) / kTenthsPerInch);
    const double availableWidth = view.marginWidth();
    const double availableLength = view.marginLength();

    double* source = context->sourceRect;
    userAxis(insideX, dx, view.sx, view.rotated ? availableLength : availableWidth,
             work.window.right, &source[kLeft], &source[kRight]);
    userAxis(insideY, dy, view.sy, view.rotated ? availableWidth : availableLength,
             work.window.bottom, &source[kTop], &source[kBottom]);
    work.printedWidth = source[kRight] - source[kLeft];
    work.printedHeight = source[kBottom] - source[kTop];

    TARNRect& rect = context->imageRect;
    if (!(work.printedWidth > 0 && work.printedHeight > 0)) {
        work.printedWidth = work.printedHeight = 0;
        rect = {0, 0, 0, 0};
        return;
    }
    if (!view.rotated) {
        rect.left = insideX ? 0 : trunc32(dx);
        rect.top = insideY ? 0 : trunc32(dy);
        rect.right = trunc32(work.printedWidth * view.sx + rect.left);
        rect.bottom = trunc32(work.printedHeight * view.sy + rect.top);
    } else {
        rect.right = trunc32(insideY ? availableWidth : availableWidth - dy);
        rect.top = insideX ? 0 : trunc32(dx);
        rect.left = trunc32(rect.right - work.printedHeight * view.sy);
        rect.bottom = trunc32(work.printedWidth * view.sx + rect.top);
    }
}

void PLG_Get_FitRoll_Position(PLGContext* context) {
    const PlacementView view(*context);
    if (!view.borderless && view.scaling && context->fitType == kFitRollWidth &&
        context->captionFlag != 0 && !view.rotated) {
        const std::int32_t shift =
            trunc32((kCaptionRoom - std::abs(view.bottom - view.top)) * view.rv / kTenthsPerInch);
        if (shift > 0 && context->captionKind == kCaptionLeadingEdge) {
            context->imageRect.top += shift;
            context->imageRect.bottom += shift;
        }
    }
    if (context->modelTable.PrintCentered == kPrintCentered) {
        context->cmdInfo->centering = kCentreOnMedium;
    }
}
