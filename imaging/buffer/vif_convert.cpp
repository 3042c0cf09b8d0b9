// Conversions between the 8- and 16-bit, BGR and RGB buffer types.
#include "imaging/buffer/vif_convert.h"

#include "imaging/buffer/vif_internal.h"

namespace imaging {

namespace {

using namespace vif_internal;

/// 8 -> 16 bits: v x 256 + 127, the middle of the 16-bit range that shares the high byte.
constexpr unsigned kWidenOffset = 127;
constexpr unsigned kByteShift = 8;

template <typename To, typename From>
To convertSample(From value) {
    if constexpr (sizeof(To) == sizeof(From)) {
        return value;
    } else if constexpr (sizeof(To) > sizeof(From)) {
        return static_cast<To>((unsigned{value} << kByteShift) + kWidenOffset);
    } else {
        return static_cast<To>(value >> kByteShift);
    }
}

template <typename To, typename From>
void convertPixels(_vif& destination, const _vif& source, bool swapEnds) {
    for (std::uint32_t row = 0; row < source.height; ++row) {
        const std::uint8_t* in = rowAt(source, row);
        std::uint8_t* out = rowAt(destination, row);
        for (std::size_t pixel = 0; pixel < source.width; ++pixel) {
            for (int channel = 0; channel < kChannels; ++channel) {
                const int from = swapEnds ? kChannels - 1 - channel : channel;
                storeSample<To>(out, pixel * kChannels + channel,
                                convertSample<To>(loadSample<From>(in, pixel * kChannels + from)));
            }
        }
    }
}

}  // namespace

int ConvertVif(_vif* destination, const _vif* source) {
    if (destination == nullptr || source == nullptr) {
        return 0;
    }
    if (destination == source) {
        return 1;
    }
    if (!isColourType(destination->type) || !isColourType(source->type) ||
        destination->type == source->type || destination->width < source->width ||
        destination->height < source->height) {
        return 0;
    }
    const bool swapEnds = isRedFirst(destination->type) != isRedFirst(source->type);
    withSampleType(source->type, [&](auto from) {
        withSampleType(destination->type, [&](auto to) {
            convertPixels<decltype(to), decltype(from)>(*destination, *source, swapEnds);
        });
    });
    copyAttributes(*destination, *source);
    return 1;
}

_vif* ConvertVifP(const _vif* source, std::uint16_t type) {
    if (source == nullptr) {
        return nullptr;
    }
    VifPtr converted(PrepareVifP(type, source->width, source->height));
    if (!converted) {
        return nullptr;
    }
    if (type == source->type) {
        copyRect(*converted, 0, 0, *source, 0, 0, source->width, source->height);
    } else if (ConvertVif(converted.get(), source) == 0) {
        return nullptr;
    }
    copyAttributes(*converted, *source);
    return converted.release();
}

}  // namespace imaging
