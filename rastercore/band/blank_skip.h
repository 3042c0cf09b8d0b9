// Blank skipping between an image and its caption. They are printed as one raster band; where
// the band jumps over a blank stretch or from one area to the other, the cursor is moved to the
// next area's corner instead of sending blank lines.
#pragma once

#include <cstdint>
#include <optional>

#include "record/tarn_rect.h"

/// What decides the moves of a page.
struct BlankSkipLayout {
    bool turned;               ///< the image is printed a quarter turn round
    std::int16_t captionKind;  ///< 1: caption first (top, or right edge when turned)
    TARNRect image;
    TARNRect caption;
    std::int32_t imageStart;    ///< first image line among the lines sent
    std::int32_t captionStart;  ///< first caption line
};

/// A cursor position in working pixels.
struct CursorTarget {
    std::int32_t x;
    std::int32_t y;
    bool operator==(const CursorTarget&) const = default;
};

/// The absolute cursor move to make before line `line`, if any (at most one per line).
std::optional<CursorTarget> blankSkipMove(const BlankSkipLayout& layout, std::int32_t line);
