// Raster transfer: the rows of a planar band as compression-method and row-transfer commands.
//
// Planes are walked in the slot order of their colour space; within a row every plane but the
// last goes out as ESC*b<n>V, the last as ESC*b<n>W. Compression 0 and 2 write their method
// command once per band. Compression 3 (seed row) codes each row against the previous row of the
// same plane, across band boundaries through the seed stores; when every store is empty, the
// band's first row goes out PackBits-coded under ESC*b2M and the rest under ESC*b3M, one method
// command per row. Nothing is allocated: compressed rows pass through the caller's work buffer.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"
#include "command/command_cursor.h"

/// The input of one transfer.
struct TRasDataInfo {
    const std::uint8_t* planes;        ///< the planar band, rows at `planeRowStride`
    std::uint8_t* workBuffer;          ///< twice the planar band's size
    const TARNColorSpace* colorSpace;  ///< the planes' layout
    std::uint32_t width;               ///< pixels per row
    std::uint32_t height;              ///< rows
    TARNCompType compression;          ///< 0 none, 2 PackBits, 3 seed row
    SeedStore* seedStores;             ///< one per plane, in plane order; needed for 3
};

/// Writes the band's commands at the cursor, advances it and stores the byte count in `*count`.
/// Returns 0, or 12010 with nothing written for a null or zero argument, a plane count other
/// than 1, 3, 4, 6 or 7, a plane of depth 0, an unknown compression, or (compression 3) missing
/// seed stores or a row longer than a store's capacity; 12010 with a count of 0, the cursor full
/// and the seed stores unchanged when the commands do not fit before the cursor's end.
std::int32_t TARNTransferRasterData(CommandCursor* cursor, std::uint32_t* count,
                                    const TRasDataInfo* info);

/// Most bytes `TARNTransferRasterData` writes for a band of `height` rows of `width` pixels in
/// `space`, whatever the compression and the data.
std::uint64_t rasterCommandBound(const TARNColorSpace& space, std::uint32_t width,
                                 std::uint32_t height);

/// PackBits-codes `length` bytes at `*source` into `*destination` in independent pieces of 127
/// bytes while at least 128 remain, then one last piece of the rest; advances both cursors.
/// The destination needs room for `packBitsRowMaxOutput(length)` bytes. Returns 0, or 12010 for
/// a null cursor or a zero length.
std::int32_t PackBitsUInt32(const std::uint8_t** source, std::uint8_t** destination,
                            std::uint32_t length);

/// Most bytes `PackBitsUInt32` writes for `length` bytes.
std::uint32_t packBitsRowMaxOutput(std::uint32_t length);
