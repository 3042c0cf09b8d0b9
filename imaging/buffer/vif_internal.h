// Layout arithmetic and sample access shared by the buffer, scaling and sharpening code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "imaging/buffer/vif.h"

namespace imaging::vif_internal {

/// Alignment of a buffer's data pointer and of its row length.
inline constexpr std::uint32_t kRowAlignment = 128;
/// Bytes added to every block: room for the alignment (127) and a little slack.
inline constexpr std::uint64_t kBlockSlack = 148;
/// Rows are rounded up to whole groups of this many pixels.
inline constexpr std::uint32_t kPixelGroup = 4;
/// Samples of every filtered pixel: three colour channels.
inline constexpr int kChannels = 3;

/// Bytes per pixel of a type, 0 for a type without pixels.
std::uint32_t pixelSize(std::uint16_t type);

/// Row length of a buffer made by PrepareVif, or 0 when it does not fit 32 bits.
std::uint64_t preparedRowBytes(std::uint32_t pixelSize, std::uint32_t width);

/// Block size of a buffer made by PrepareVif: 4 x floor((height + 4) / 4) rows plus the slack.
std::uint64_t preparedBlockBytes(std::uint64_t rowBytes, std::uint32_t height);

/// Copies `columns` x `rows` pixels of the source, from (sourceX, sourceY), to (x, y) of a
/// destination of the same pixel size; the caller has clipped the rectangle to both buffers.
void copyRect(_vif& destination, std::uint32_t x, std::uint32_t y, const _vif& source,
              std::uint32_t sourceX, std::uint32_t sourceY, std::uint32_t columns,
              std::uint32_t rows);

/// True for the four RGB types that the converters and filters work on.
inline bool isColourType(std::uint16_t type) {
    return type == kVifBgr8 || type == kVifBgr16 || type == kVifRgb8 || type == kVifRgb16;
}
/// True for the 16-bit RGB types.
inline bool isWideType(std::uint16_t type) {
    return type == kVifBgr16 || type == kVifRgb16;
}
/// True when red is the first sample of a pixel.
inline bool isRedFirst(std::uint16_t type) {
    return type == kVifRgb8 || type == kVifRgb16;
}

inline std::uint8_t* rowAt(const _vif& buffer, std::uint32_t row) {
    return buffer.data + static_cast<std::size_t>(row) * buffer.rowBytes;
}

inline void copyAttributes(_vif& destination, const _vif& source) {
    destination.attribute0 = source.attribute0;
    destination.attribute1 = source.attribute1;
    destination.attribute2 = source.attribute2;
}

/// Sample i of a row of T samples; rows of buffers made with an odd row length may be unaligned.
template <typename T>
inline T loadSample(const std::uint8_t* row, std::size_t i) {
    T value;
    std::memcpy(&value, row + i * sizeof(T), sizeof(T));
    return value;
}
template <typename T>
inline void storeSample(std::uint8_t* row, std::size_t i, T value) {
    std::memcpy(row + i * sizeof(T), &value, sizeof(T));
}

/// Calls `work` with a value of the buffer's sample type (std::uint8_t or std::uint16_t).
template <typename Work>
inline auto withSampleType(std::uint16_t type, Work&& work) {
    return isWideType(type) ? work(std::uint16_t{}) : work(std::uint8_t{});
}

}  // namespace imaging::vif_internal
