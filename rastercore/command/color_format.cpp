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
constexpr std::uint32_t kTwelveBits = 12;
constexpr std::uint32_t kPairBytes = 3;       // two 12-bit samples
constexpr std::uint32_t kPairHighShift = 20;  // the first of a pair in the top 12 of 32 bits
constexpr std::uint32_t kMaxInputPlanes = 4;

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

// Twelve-bit rows of all `Count` planes in one pass over the pixels, two samples to three bytes
// per plane. The input is read once rather than once per plane, and each pair but a row's last
// goes out as one four-byte store whose last byte the next pair overwrites; the last pair, and a
// lone last sample with its spare bits 0, go out byte by byte so nothing past the row is
// touched.
template <typename In, std::uint32_t Count>
void packTwelveBitRows(const std::uint8_t* in, std::uint32_t width, std::uint8_t* const* outs) {
    constexpr std::uint32_t kShift = kWideBits - kTwelveBits;
    constexpr std::uint32_t kPixelBytes = Count * In::kBytes;
    const auto sample = [](const std::uint8_t* pixel, std::uint32_t plane) {
        return In::wide(pixel + plane * In::kBytes) >> kShift;
    };
    std::uint8_t* out[Count];
    for (std::uint32_t c = 0; c < Count; ++c) {
        out[c] = outs[c];
    }
    const std::uint32_t pairs = width / 2;
    for (std::uint32_t pair = 0; pair + 1 < pairs; ++pair, in += 2 * kPixelBytes) {
        for (std::uint32_t c = 0; c < Count; ++c) {
            const std::uint32_t bits = sample(in, c) << kPairHighShift | sample(in + kPixelBytes, c)
                                                                             << kBitsPerByte;
            bytes::storeBE32(out[c], bits);
            out[c] += kPairBytes;
        }
    }
    if (pairs != 0) {
        for (std::uint32_t c = 0; c < Count; ++c) {
            const std::uint32_t first = sample(in, c);
            const std::uint32_t second = sample(in + kPixelBytes, c);
            out[c][0] = static_cast<std::uint8_t>(first >> (kTwelveBits - kBitsPerByte));
            out[c][1] = static_cast<std::uint8_t>(first << (kTwelveBits - kBitsPerByte) |
                                                  second >> kBitsPerByte);
            out[c][2] = static_cast<std::uint8_t>(second);
            out[c] += kPairBytes;
        }
        in += 2 * kPixelBytes;
    }
    if (width % 2 != 0) {
        for (std::uint32_t c = 0; c < Count; ++c) {
            const std::uint32_t last = sample(in, c);
            out[c][0] = static_cast<std::uint8_t>(last >> (kTwelveBits - kBitsPerByte));
            out[c][1] = static_cast<std::uint8_t>(last << (kTwelveBits - kBitsPerByte));
        }
    }
}

template <typename In>
void packTwelveBitRows(std::uint32_t count, const std::uint8_t* in, std::uint32_t width,
                       std::uint8_t* const* outs) {
    switch (count) {
        case 1:
            packTwelveBitRows<In, 1>(in, width, outs);
            break;
        case 3:
            packTwelveBitRows<In, 3>(in, width, outs);
            break;
        default:
            packTwelveBitRows<In, 4>(in, width, outs);
            break;
    }
}

template <typename In, std::uint32_t Bits>
void convertBand(const TARNColorSpace& input, const std::uint8_t* band, std::uint8_t* planes,
                 std::uint32_t width, std::uint32_t height) {
    const auto count = static_cast<std::uint32_t>(input.planeCount);
    const std::uint32_t pixelBytes = count * In::kBytes;
    const TARNColorSpace output = uniformSpace(input.id, input.planeCount, Bits);
    // Four-plane rows are never rounded; one- and three-plane rows to whole sample groups.
    const std::uint32_t multiple = count == 4 ? 1 : rowByteMultiple(Bits);
    Map maps[kMaxInputPlanes]{};
    std::uint8_t* at = planes;
    for (std::uint32_t plane = 0; plane < count; ++plane) {
        const std::uint32_t stride = planeRowStride(output, static_cast<int>(plane), width);
        initMapStructure_ByteBound(at, width, height, Bits, multiple, &maps[plane]);
        at += static_cast<std::size_t>(height) * stride;
    }
    for (std::uint32_t row = 0; row < height; ++row) {
        const std::uint8_t* in = band + static_cast<std::size_t>(row) * width * pixelBytes;
        std::uint8_t* outs[kMaxInputPlanes] = {};
        for (std::uint32_t plane = 0; plane < count; ++plane) {
            outs[plane] = maps[plane].buffer + static_cast<std::size_t>(row) * maps[plane].stride;
        }
        if constexpr (Bits == kTwelveBits) {
            packTwelveBitRows<In>(count, in, width, outs);
        } else {
            for (std::uint32_t plane = 0; plane < count; ++plane) {
                packRow<In, Bits>(in + plane * In::kBytes, pixelBytes, width, outs[plane]);
            }
        }
        for (std::uint32_t plane = 0; plane < count; ++plane) {
            remainBitSet(maps[plane], width - 1, row, 1);
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
    return convert<kTwelveBits>(input, band, planes, width, height);
}

std::int32_t ChangeColorFormat_8BITSOUT(const TARNColorSpace* input, const std::uint8_t* band,
                                        std::uint8_t* planes, std::uint32_t width,
                                        std::uint32_t height) {
    return convert<kBitsPerByte>(input, band, planes, width, height);
}
