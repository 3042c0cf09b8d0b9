// Plane slot order and row lengths of the colour spaces.
#include "command/plane_layout.h"

#include <array>

namespace {

constexpr std::uint8_t kBitsPerByte = 8;
constexpr std::uint8_t kTenBits = 10;
constexpr std::uint8_t kTwelveBits = 12;
constexpr std::uint32_t kTenBitGroupBytes = 5;     // 4 samples of 10 bits
constexpr std::uint32_t kTwelveBitGroupBytes = 3;  // 2 samples of 12 bits

constexpr std::array<std::uint8_t, 1> kOnePlane{6};
constexpr std::array<std::uint8_t, 3> kThreePlanes{0, 1, 2};
constexpr std::array<std::uint8_t, 4> kFourPlanes{6, 3, 4, 5};
constexpr std::array<std::uint8_t, 6> kSixPlanes{6, 3, 7, 4, 8, 5};
constexpr std::array<std::uint8_t, 7> kSevenPlanes{9, 6, 3, 7, 4, 8, 5};

}  // namespace

std::span<const std::uint8_t> planeSlots(std::int32_t planeCount) {
    switch (planeCount) {
        case 1:
            return kOnePlane;
        case 3:
            return kThreePlanes;
        case 4:
            return kFourPlanes;
        case 6:
            return kSixPlanes;
        case 7:
            return kSevenPlanes;
        default:
            return {};
    }
}

std::uint32_t rowByteMultiple(std::uint32_t bits) {
    if (bits == kTenBits) {
        return kTenBitGroupBytes;
    }
    return bits == kTwelveBits ? kTwelveBitGroupBytes : 1;
}

std::uint8_t planeDepth(const TARNColorSpace& space, int plane) {
    return space.depth[planeSlots(space.planeCount)[static_cast<std::size_t>(plane)]];
}

std::uint32_t planeRowBytes(const TARNColorSpace& space, int plane, std::uint32_t width) {
    const std::uint32_t bytes = packedRowBytes(width, planeDepth(space, plane));
    const std::uint8_t firstDepth = space.depth[0];
    if (space.planeCount != 3 || firstDepth == kBitsPerByte) {
        return bytes;
    }
    // Three-plane rows: 10-bit spaces round to 5 bytes, every other depth to 3.
    return roundUpBytes(bytes, firstDepth == kTenBits ? kTenBitGroupBytes : kTwelveBitGroupBytes);
}

std::uint32_t planeRowStride(const TARNColorSpace& space, int plane, std::uint32_t width) {
    if (space.planeCount != 1) {
        return planeRowBytes(space, plane, width);
    }
    const std::uint8_t bits = planeDepth(space, plane);
    return roundUpBytes(packedRowBytes(width, bits), rowByteMultiple(bits));
}

TARNColorSpace uniformSpace(std::int32_t id, std::int32_t planeCount, std::uint8_t bits) {
    TARNColorSpace space{id, planeCount, {}};
    for (const std::uint8_t slot : planeSlots(planeCount)) {
        space.depth[slot] = bits;
    }
    return space;
}
