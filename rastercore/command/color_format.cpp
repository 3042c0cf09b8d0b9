// Interleaved band to bit-packed planes.
#include "command/color_format.h"

#include "bytes/byte_order.h"
#include "command/bit_map.h"
#include "command/plane_layout.h"
#include "rastercore/result_codes.h"

namespace {

constexpr std::uint32_t kBitsPerByte = 8;
constexpr std::uint32_t kWideBits = 16;
constexpr std::uint32_t kWideFromNarrow = 257;  // 0xAB becomes 0xABAB

enum class InputDepth { kBad, k8, k16 };

InputDepth inputDepth(const TARNColorSpace& input) {
    const auto slots = planeSlots(input.planeCount);
    if (input.planeCount != 1 && input.planeCount != 3 && input.planeCount != 4) {
        return InputDepth::kBad;
    }
    const std::uint8_t first = input.depth[slots[0]];
    for (const std::uint8_t slot : slots) {
        if (input.depth[slot] != first) {
            return InputDepth::kBad;
        }
    }
    if (first == kBitsPerByte) {
        return InputDepth::k8;
    }
    return first == kWideBits ? InputDepth::k16 : InputDepth::kBad;
}

struct Narrow {
    static constexpr std::uint32_t kBytes = 1;
    static std::uint32_t wide(const std::uint8_t* p) { return *p * kWideFromNarrow; }
};
struct Wide {
    static constexpr std::uint32_t kBytes = 2;
    static std::uint32_t wide(const std::uint8_t* p) { return bytes::loadLE16(p); }
};

// Packs one plane row of `width` samples MSB first and leaves the last byte's spare bits 0;
// the caller fills them.
template <typename In, std::uint32_t Bits>
void packRow(const std::uint8_t* in, std::uint32_t step, std::uint32_t width, std::uint8_t* out) {
    constexpr std::uint32_t kShift = kWideBits - Bits;
    if constexpr (Bits == kBitsPerByte) {
        for (std::uint32_t x = 0; x < width; ++x, in += step) {
            out[x] = static_cast<std::uint8_t>(In::wide(in) >> kShift);
        }
    } else {
        std::uint64_t pending = 0;
        std::uint32_t pendingBits = 0;
        for (std::uint32_t x = 0; x < width; ++x, in += step) {
            pending = (pending << Bits) | (In::wide(in) >> kShift);
            pendingBits += Bits;
            while (pendingBits >= kBitsPerByte) {
                pendingBits -= kBitsPerByte;
                *out++ = static_cast<std::uint8_t>(pending >> pendingBits);
            }
        }
        if (pendingBits != 0) {
            *out = static_cast<std::uint8_t>(pending << (kBitsPerByte - pendingBits));
        }
    }
}

template <typename In, std::uint32_t Bits>
void convertBand(const TARNColorSpace& input, const std::uint8_t* band, std::uint8_t* planes,
                 std::uint32_t width, std::uint32_t height) {
    const auto count = static_cast<std::uint32_t>(input.planeCount);
    const std::uint32_t pixelBytes = count * In::kBytes;
    const TARNColorSpace output = uniformSpace(input.id, input.planeCount, Bits);
    for (std::uint32_t plane = 0; plane < count; ++plane) {
        // Four-plane rows are never rounded; one- and three-plane rows to whole sample groups.
        const std::uint32_t multiple = count == 4 ? 1 : rowByteMultiple(Bits);
        const std::uint32_t stride = planeRowStride(output, static_cast<int>(plane), width);
        Map map{};
        initMapStructure_ByteBound(planes + static_cast<std::size_t>(plane) * height * stride,
                                   width, height, Bits, multiple, &map);
        for (std::uint32_t row = 0; row < height; ++row) {
            const std::uint8_t* in =
                band + static_cast<std::size_t>(row) * width * pixelBytes + plane * In::kBytes;
            packRow<In, Bits>(in, pixelBytes, width,
                              map.buffer + static_cast<std::size_t>(row) * map.stride);
            remainBitSet(map, width - 1, row, 1);
        }
    }
}

template <std::uint32_t Bits>
std::int32_t convert(const TARNColorSpace* input, const std::uint8_t* band, std::uint8_t* planes,
                     std::uint32_t width, std::uint32_t height) {
    if (input == nullptr || band == nullptr || planes == nullptr || width == 0 || height == 0) {
        return rastercore::kCommandBadArgument;
    }
    switch (inputDepth(*input)) {
        case InputDepth::k8:
            convertBand<Narrow, Bits>(*input, band, planes, width, height);
            return rastercore::kResultOk;
        case InputDepth::k16:
            convertBand<Wide, Bits>(*input, band, planes, width, height);
            return rastercore::kResultOk;
        case InputDepth::kBad:
            break;
    }
    return rastercore::kCommandBadArgument;
}

}  // namespace

std::int32_t ChangeColorFormat_10BITSOUT(const TARNColorSpace* input, const std::uint8_t* band,
                                         std::uint8_t* planes, std::uint32_t width,
                                         std::uint32_t height) {
    return convert<10>(input, band, planes, width, height);
}

std::int32_t ChangeColorFormat_12BITSOUT(const TARNColorSpace* input, const std::uint8_t* band,
                                         std::uint8_t* planes, std::uint32_t width,
                                         std::uint32_t height) {
    return convert<12>(input, band, planes, width, height);
}

std::int32_t ChangeColorFormat_8BITSOUT(const TARNColorSpace* input, const std::uint8_t* band,
                                        std::uint8_t* planes, std::uint32_t width,
                                        std::uint32_t height) {
    return convert<kBitsPerByte>(input, band, planes, width, height);
}
