// The pre-processing object: tone curves, data gamma, brightness, contrast, colour balance and
// grey tone as one table per channel, then saturation around each pixel's luminance.
#include <algorithm>
#include <new>

#include "channel_table.h"
#include "object_header.h"
#include "pixel_rows.h"
#include "tone_shaping.h"

namespace {

using namespace tonara2;

constexpr double kBalanceReach = 0.10;   // middle-tone change of one channel at full balance
constexpr double kGreyToneReach = 0.05;  // warm (red up, blue down) or cool at full grey tone
constexpr int kSaturationBits = 12;
constexpr std::int32_t kSaturationOne = 1 << kSaturationBits;
constexpr std::size_t kChannels = 3;
constexpr int kMasterCurve = 0;

struct PreprocObject {
    ObjectHeader header;
    std::int32_t saturation;  // factor in 1/4096; 4096 leaves colours as they are
    std::int32_t unused;
    ChannelTable channels[kChannels];
};

template <typename Sample>
void convertRow(const PreprocObject& object, const Sample* in, Sample* out, std::uint32_t pixels) {
    const auto look = [&](std::size_t channel, std::uint32_t value) -> std::int32_t {
        if constexpr (sizeof(Sample) == 1) {
            return lookup8(object.channels[channel], value);
        } else {
            return lookup16(object.channels[channel], value);
        }
    };
    const std::int32_t factor = object.saturation;
    for (std::uint32_t i = 0; i < pixels; ++i, in += kChannels, out += kChannels) {
        std::int32_t red = look(0, in[0]);
        std::int32_t green = look(1, in[1]);
        std::int32_t blue = look(2, in[2]);
        if (factor != kSaturationOne) {
            const auto grey = static_cast<std::int32_t>(
                luminance(static_cast<std::uint32_t>(red), static_cast<std::uint32_t>(green),
                          static_cast<std::uint32_t>(blue)));
            const auto saturate = [&](std::int32_t value) {
                return std::clamp(grey + (((value - grey) * factor) >> kSaturationBits), 0,
                                  kLargest<Sample>);
            };
            red = saturate(red);
            green = saturate(green);
            blue = saturate(blue);
        }
        out[0] = static_cast<Sample>(red);
        out[1] = static_cast<Sample>(green);
        out[2] = static_cast<Sample>(blue);
    }
}

}  // namespace

extern "C" {

TONARA2_EXPORT std::uint32_t tnr2_create_preproc2(const tnr2_balance_t* balance,
                                                  const tnr2_tonecurve_t* curves,
                                                  std::int32_t saturation, std::int32_t contrast,
                                                  std::int32_t brightness, std::int32_t greyTone,
                                                  double gamma, std::uint32_t hint, void* object) {
    if (balance == nullptr) {
        return 0;
    }
    if (object == nullptr) {
        return sizeof(PreprocObject);
    }
    auto* made = new (object) PreprocObject{};
    const std::int16_t ink[kChannels] = {balance->cyan, balance->magenta, balance->yellow};
    const double warmth[kChannels] = {1.0, 0.0, -1.0};
    for (std::size_t c = 0; c < kChannels; ++c) {
        const std::uint16_t* master = curves != nullptr ? curves->curve[kMasterCurve] : nullptr;
        const std::uint16_t* own = curves != nullptr ? curves->curve[c + 1] : nullptr;
        fillTable(made->channels[c], [&](double x) {
            double y = curveAt(own, curveAt(master, x));
            y = gradation(y, gamma);
            y = tonara2::contrast(tonara2::brightness(y, brightness), contrast);
            // More of a channel's ink means less of the channel's light.
            y = midToneShift(y, -static_cast<double>(ink[c]) / kAdjustRange, kBalanceReach);
            y = midToneShift(y, warmth[c] * greyTone / kAdjustRange, kGreyToneReach);
            return fromGradation(y, gamma);
        });
    }
    const std::int32_t held = std::clamp(saturation, -kAdjustRange, kAdjustRange);
    made->saturation = kSaturationOne + held * kSaturationOne / kAdjustRange;
    made->header = {Kind::Preproc, sampleBytesOf(hint), kRgbSamples, kRgbSamples};
    return sizeof(PreprocObject);
}

TONARA2_EXPORT std::uint32_t tnr2_create_preproc(const tnr2_balance_t* balance,
                                                 std::int32_t saturation, std::int32_t contrast,
                                                 std::int32_t brightness, std::int32_t greyTone,
                                                 double gamma, std::uint32_t hint, void* object) {
    return tnr2_create_preproc2(balance, nullptr, saturation, contrast, brightness, greyTone, gamma,
                                hint, object);
}

TONARA2_EXPORT std::int32_t tnr2_query_preproc_hint(const void* object, std::uint32_t* sourceForm,
                                                    std::uint32_t* destinationForm) {
    const auto* made = objectOf<PreprocObject>(object, Kind::Preproc);
    if (made == nullptr || sourceForm == nullptr || destinationForm == nullptr) {
        return kTnr2BadArgument;
    }
    *sourceForm = sourceFormOf(made->header);
    *destinationForm = destinationFormOf(made->header);
    return kTnr2Ok;
}

TONARA2_EXPORT std::int32_t tnr2_set_preproc_rgb(void* object, std::int32_t output,
                                                 std::uint32_t sourceForm,
                                                 std::uint32_t destinationForm) {
    const auto* made = objectOf<PreprocObject>(object, Kind::Preproc);
    // Forms of 0 take the object as it was made.
    if (made == nullptr || output != kTnr2OutputRgb ||
        (sourceForm != 0 && sourceForm != sourceFormOf(made->header)) ||
        (destinationForm != 0 && destinationForm != destinationFormOf(made->header))) {
        return kTnr2BadArgument;
    }
    return kTnr2Ok;
}

TONARA2_EXPORT std::int32_t tnr2_xform_preproc(const void* object, const void* source,
                                               std::int32_t /*reserved*/, std::uint32_t pixels,
                                               void* destination) {
    return transformRow<PreprocObject>(object, Kind::Preproc, source, pixels, destination);
}

TONARA2_EXPORT std::int32_t tnr2_free_preproc(void* object) {
    return freeObject<PreprocObject>(object, Kind::Preproc);
}

}  // extern "C"
