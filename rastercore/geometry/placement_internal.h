// Arithmetic the placement steps share: tenths of a millimetre to dots, truncation that cannot
// overflow, and the view of the context the steps read.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "command/cmd_info.h"
#include "record/job_context.h"

namespace geometry {

inline constexpr double kTenthsPerInch = 254.0;
inline constexpr std::int16_t kCaptionLeadingEdge = 1;

/// Layouts of the page (`PLGContext::pageLayoutKind`).
inline constexpr std::uint8_t kLayoutCorner = 1;
inline constexpr std::uint8_t kLayoutCentre = 2;
inline constexpr std::uint8_t kLayoutUser = 3;
inline constexpr std::uint8_t kLayoutCentreRollFit = 4;

/// Fit types (`PLGContext::fitType`); larger values do not fit.
inline constexpr std::uint8_t kFitPage = 0;
inline constexpr std::uint8_t kFitRollWidth = 1;
inline constexpr std::uint8_t kNoFit = 2;

/// Truncates toward zero into 32 bits; NaN gives 0 and values past the range stop at its ends.
inline std::int32_t trunc32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

/// A length in tenths of a millimetre as dots at `resolution` dpi.
inline double dots(double tenths, double resolution) {
    return tenths * resolution / kTenthsPerInch;
}

/// The values of the context the placement steps read.
struct PlacementView {
    explicit PlacementView(const PLGContext& context)
        : left(context.cmdInfo->leftMargin),
          right(context.cmdInfo->rightMargin),
          top(context.cmdInfo->topMargin),
          bottom(context.cmdInfo->bottomMargin),
          paperWidth(context.paperWidthDots),
          paperLength(context.paperHeightDots),
          rh(context.outputResolution[0]),
          rv(context.outputResolution[1]),
          sx(context.scale[0]),
          sy(context.scale[1]),
          rotated(context.rotate != 0),
          scaling(context.expansionReduction != 0),
          borderless(context.borderless != 0),
          captionBeside(context.captionFlag != 0 && context.captionKind == kCaptionLeadingEdge) {}

    /// Scales across the paper width and along its length: a turned image lays its source rows
    /// across the width.
    double acrossScale() const { return rotated ? sy : sx; }
    double alongScale() const { return rotated ? sx : sy; }

    /// The printable area with the larger side and end margins on both sides, in dots.
    double symmetricWidth() const { return paperWidth - dots(2.0 * std::max(left, right), rh); }
    double symmetricLength() const { return paperLength - dots(2.0 * std::max(top, bottom), rv); }
    /// The printable area between the margins, in dots.
    double marginWidth() const { return paperWidth - dots(left + right, rh); }
    double marginLength() const { return paperLength - dots(top + bottom, rv); }

    double left, right, top, bottom;  ///< margins, tenths of a millimetre
    double paperWidth, paperLength;   ///< dots
    double rh, rv;                    ///< working resolution
    double sx, sy;                    ///< dots per source pixel
    bool rotated;
    bool scaling;
    bool borderless;
    bool captionBeside;  ///< a caption beside the image's leading edge
};

}  // namespace geometry
