// Bit-packing cursor over a planar buffer.
#include "command/bit_map.h"

#include <cstring>

#include "command/plane_layout.h"

namespace {

constexpr std::uint32_t kBitsPerByte = 8;

// The bytes one sample touches (at most 5 for 32 bits), read as a big-endian number.
struct SampleWindow {
    std::uint8_t* first;
    std::uint32_t bytes;
    std::uint32_t shift;  // of the sample's lowest bit within the window

    std::uint64_t load() const {
        std::uint64_t value = 0;
        for (std::uint32_t i = 0; i < bytes; ++i) {
            value = (value << kBitsPerByte) | first[i];
        }
        return value;
    }

    void store(std::uint64_t value) const {
        for (std::uint32_t i = bytes; i-- > 0;) {
            first[i] = static_cast<std::uint8_t>(value);
            value >>= kBitsPerByte;
        }
    }
};

SampleWindow window(const Map& map, std::uint32_t index, std::uint32_t row) {
    const std::uint64_t bit = static_cast<std::uint64_t>(index) * map.bits;
    const auto offset = static_cast<std::uint32_t>(bit % kBitsPerByte);
    const std::uint32_t bytes = (offset + map.bits + kBitsPerByte - 1) / kBitsPerByte;
    std::uint8_t* first =
        map.buffer + static_cast<std::size_t>(row) * map.stride + bit / kBitsPerByte;
    return {first, bytes, bytes * kBitsPerByte - offset - map.bits};
}

}  // namespace

std::uint32_t getMapData(const Map& map, std::uint32_t index, std::uint32_t row) {
    const SampleWindow w = window(map, index, row);
    return static_cast<std::uint32_t>(w.load() >> w.shift) & map.mask;
}

std::int32_t initMapStructure(std::uint8_t* buffer, std::uint32_t width, std::uint32_t height,
                              std::uint32_t bits, Map* map) {
    return initMapStructure_ByteBound(buffer, width, height, bits, 1, map);
}

std::int32_t initMapStructure_ByteBound(std::uint8_t* buffer, std::uint32_t width,
                                        std::uint32_t height, std::uint32_t bits,
                                        std::uint32_t byteMultiple, Map* map) {
    if (buffer == nullptr || map == nullptr || width == 0 || height == 0 || bits == 0 ||
        bits > kMapMaxBits || byteMultiple == 0) {
        return -1;
    }
    const std::uint32_t mask = bits == kMapMaxBits ? ~0u : (1u << bits) - 1;
    *map = Map{buffer, width, height, roundUpBytes(packedRowBytes(width, bits), byteMultiple),
               bits,   mask};
    return 0;
}

void remainBitSet(const Map& map, std::uint32_t lastIndex, std::uint32_t row, std::uint32_t fill) {
    const SampleWindow w = window(map, lastIndex, row);
    if (w.shift != 0) {
        const std::uint8_t tail = static_cast<std::uint8_t>((1u << w.shift) - 1);
        std::uint8_t& last = w.first[w.bytes - 1];
        last = static_cast<std::uint8_t>(fill != 0 ? last | tail : last & ~tail);
    }
    std::uint8_t* rowStart = map.buffer + static_cast<std::size_t>(row) * map.stride;
    const auto used = static_cast<std::uint32_t>(w.first + w.bytes - rowStart);
    if (used < map.stride) {
        std::memset(rowStart + used, fill != 0 ? 0xFF : 0x00, map.stride - used);
    }
}

void setMapData(const Map& map, std::uint32_t index, std::uint32_t row, std::uint32_t value) {
    const SampleWindow w = window(map, index, row);
    const std::uint64_t mask = static_cast<std::uint64_t>(map.mask) << w.shift;
    w.store((w.load() & ~mask) | ((static_cast<std::uint64_t>(value) << w.shift) & mask));
}
