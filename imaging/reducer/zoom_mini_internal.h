// The reducer's record, its column table and the row passes.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/reducer/zoom_mini.h"

namespace zoom_mini_internal {

/// How one destination column gathers its source pixels, in units where a source pixel weighs
/// the destination width.
struct Column {
    std::int64_t firstWeight;  // of the first pixel, shared with the column before when bent
    std::int64_t fullPixels;   // pixels after it taken whole
    std::int64_t remainder;    // part of the next pixel that belongs here (0: none)
    std::int64_t lastWeight;   // that part, bent
    std::int64_t totalWeight;
    std::int64_t reserved[3];  // kept zero
};
static_assert(sizeof(Column) == 64);

/// A partial weight `part` of `whole`, bent along two parabolas meeting at whole / 2: small parts
/// weigh less and large parts more than their share, which softens the seams between destination
/// pixels. Truncated to an integer.
std::int64_t bentWeight(std::int64_t part, std::int64_t whole);

/// The column table of a reduction from sourceWidth to destinationWidth pixels.
void buildColumns(Column* columns, std::int64_t destinationWidth, std::int64_t sourceWidth);

}  // namespace zoom_mini_internal

struct ComZoomMini {
    std::int64_t destinationWidth;
    std::int64_t destinationHeight;
    std::int64_t sourceWidth;
    std::int64_t sourceHeight;
    std::int64_t bitsPerPixel;
    std::int64_t fullRowsPending;     // whole source rows still to add to the current row
    std::int64_t lastPartialPending;  // 1 while the straddling row is still to add
    std::int64_t rowRemainder;        // in units where a source row weighs destinationHeight
    std::int64_t accumulatedWeight;   // of the current destination row
    std::int64_t accumulationBytes;
    std::unique_ptr<std::uint64_t[]> accumulation;  // one accumulator per destination row byte
    std::unique_ptr<zoom_mini_internal::Column[]> columns;
};

namespace zoom_mini_internal {

/// Adds one source row with the vertical weight `weight` to the accumulators.
void addRow(ComZoomMini& reducer, const std::uint8_t* sourceRow, std::int64_t weight);

/// Divides the accumulators by the accumulated weight into the destination row.
void writeRow(const ComZoomMini& reducer, std::uint8_t* destinationRow);

}  // namespace zoom_mini_internal
