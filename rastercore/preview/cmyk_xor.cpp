#include "preview/cmyk_xor.h"

#include <cstring>

namespace {

// Samples are copied in and out, so rows at any address and the same row on both sides work.
template <typename Sample>
void invert(const void* source, void* destination, std::uint32_t count) {
    const auto* in = static_cast<const unsigned char*>(source);
    auto* out = static_cast<unsigned char*>(destination);
    for (std::uint32_t i = 0; i < count; ++i, in += sizeof(Sample), out += sizeof(Sample)) {
        Sample sample;
        std::memcpy(&sample, in, sizeof sample);
        sample = static_cast<Sample>(~sample);
        std::memcpy(out, &sample, sizeof sample);
    }
}

}  // namespace

std::int32_t convertCMYKXOR(const void* source, void* destination, std::uint32_t count,
                            std::int32_t bits) {
    if (bits == kCmykXorEightBits) {
        invert<std::uint8_t>(source, destination, count);
        return 0;
    }
    if (bits == kCmykXorSixteenBits) {
        invert<std::uint16_t>(source, destination, count);
        return 0;
    }
    return kCmykXorBadDepth;
}
