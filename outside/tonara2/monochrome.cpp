// The monochrome object: RGB to a grey, shaped by the tone settings and toned, through tables
// indexed by the grey; and the printer's grey table made from it.
#include <algorithm>
#include <cmath>
#include <new>

#include "channel_table.h"
#include "object_header.h"
#include "pixel_rows.h"
#include "tone_shaping.h"

namespace {

using namespace tonara2;

constexpr std::int32_t kLuminanceWeights = 1;  // grey weights: 1 luminance, else the average
constexpr std::int32_t kToneXRange = 100;
constexpr std::int32_t kToneYRange = 40;
constexpr double kWarmthReach = 0.06;  // red up and blue down at full tone X
constexpr double kGreenReach = 0.04;   // green up, red and blue half as much down at full tone Y
constexpr std::size_t kChannels = 3;
constexpr std::size_t kCurveHeadBytes = 2;
constexpr std::size_t kRecordHeadBytes = 4;
constexpr std::uint16_t kFewestCurveSamples = 2;
constexpr double kLargest16 = 65535.0;

struct MonochromeObject {
    ObjectHeader header;
    std::int32_t luminanceWeights;  // 1: the grey is the luminance, else the average
    std::int32_t unused;
    ChannelTable grey;              // the shaped grey of an input grey
    ChannelTable toned[kChannels];  // the toned RGB of an input grey
};

template <typename Sample>
void convertRow(const MonochromeObject& object, const Sample* in, Sample* out,
                std::uint32_t pixels) {
    const auto look = [](const ChannelTable& table, std::uint32_t value) -> Sample {
        if constexpr (sizeof(Sample) == 1) {
            return lookup8(table, value);
        } else {
            return lookup16(table, value);
        }
    };
    const bool weighted = object.luminanceWeights == kLuminanceWeights;
    const bool rgbOut = object.header.destinationSamples == kRgbSamples;
    // A grey destination is never longer than the RGB source, so the row may be converted in
    // place from its start.
    for (std::uint32_t i = 0; i < pixels; ++i, in += kChannels) {
        const std::uint32_t grey = weighted ? luminance(in[0], in[1], in[2])
                                            : (std::uint32_t{in[0]} + in[1] + in[2]) /
                                                  static_cast<std::uint32_t>(kChannels);
        if (rgbOut) {
            out[0] = look(object.toned[0], grey);
            out[1] = look(object.toned[1], grey);
            out[2] = look(object.toned[2], grey);
            out += kChannels;
        } else {
            *out++ = look(object.grey, grey);
        }
    }
}

struct CurvePart {
    const std::uint8_t* samples;
    std::uint16_t count;
};

std::uint16_t loadLE16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// A curve part: a 16-bit sample count, then that many 16-bit samples; false when it does not
// hold as many samples as it says.
bool readCurve(const std::uint8_t* part, std::uint32_t length, CurvePart& curve) {
    if (part == nullptr || length < kCurveHeadBytes) {
        return false;
    }
    curve = {part + kCurveHeadBytes, loadLE16(part)};
    return curve.count >= kFewestCurveSamples &&
           curve.count <= (length - kCurveHeadBytes) / sizeof(std::uint16_t);
}

double curveValue(const CurvePart& curve, double x) {
    const double position = std::clamp(x, 0.0, 1.0) * (curve.count - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min<std::size_t>(below + 1, curve.count - 1u);
    const double t = position - static_cast<double>(below);
    return loadLE16(curve.samples + 2 * below) * (1.0 - t) +
           loadLE16(curve.samples + 2 * above) * t;
}

}  // namespace

extern "C" {

TONARA2_EXPORT std::uint32_t tnr2_create_monochrome2(
    std::int32_t toneX, std::int32_t toneY, std::int32_t contrast, std::int32_t brightness,
    std::int32_t highlight, std::int32_t shadow, double gamma, std::int32_t whiteFog,
    std::int32_t greyWeights, std::int32_t /*reserved1*/, std::int32_t /*reserved2*/,
    const tnr2_tonecurve_t* curve, std::uint32_t hint, void* object) {
    if (object == nullptr) {
        return sizeof(MonochromeObject);
    }
    auto* made = new (object) MonochromeObject{};
    const std::uint16_t* greyCurve = curve != nullptr ? curve->curve[0] : nullptr;
    const auto shaped = [&](double x) {
        double y = gradation(curveAt(greyCurve, x), gamma);
        y = tonara2::contrast(tonara2::brightness(y, brightness), contrast);
        y = tonara2::shadow(tonara2::highlight(y, highlight), shadow);
        return tonara2::whiteFog(y, whiteFog);
    };
    const double warmth = std::clamp(toneX, -kToneXRange, kToneXRange) /
                          static_cast<double>(kToneXRange) * kWarmthReach;
    const double green = std::clamp(toneY, -kToneYRange, kToneYRange) /
                         static_cast<double>(kToneYRange) * kGreenReach;
    const double tint[kChannels] = {warmth - green / 2, green, -warmth - green / 2};
    fillTable(made->grey, shaped);
    for (std::size_t c = 0; c < kChannels; ++c) {
        fillTable(made->toned[c], [&](double x) {
            return midToneShift(shaped(x), tint[c] > 0 ? 1.0 : -1.0, std::abs(tint[c]));
        });
    }
    made->luminanceWeights = greyWeights;
    made->header = {Kind::Monochrome, sampleBytesOf(hint), kRgbSamples, kRgbSamples};
    return sizeof(MonochromeObject);
}

TONARA2_EXPORT std::uint32_t tnr2_create_monochrome(std::int32_t toneX, std::int32_t toneY,
                                                    std::int32_t contrast, std::int32_t brightness,
                                                    std::int32_t highlight, std::int32_t shadow,
                                                    double gamma, std::int32_t whiteFog,
                                                    std::uint32_t hint, void* object) {
    return tnr2_create_monochrome2(toneX, toneY, contrast, brightness, highlight, shadow, gamma,
                                   whiteFog, kLuminanceWeights, 0, 0, nullptr, hint, object);
}

TONARA2_EXPORT std::int32_t tnr2_query_monochrome_hint(const void* object,
                                                       std::uint32_t* sourceForm,
                                                       std::uint32_t* destinationForm) {
    const auto* made = objectOf<MonochromeObject>(object, Kind::Monochrome);
    if (made == nullptr || sourceForm == nullptr || destinationForm == nullptr) {
        return kTnr2BadArgument;
    }
    *sourceForm = sourceFormOf(made->header);
    *destinationForm = destinationFormOf(made->header);
    return kTnr2Ok;
}

TONARA2_EXPORT std::int32_t tnr2_set_monochrome_rgb(void* object, std::int32_t output,
                                                    std::uint32_t sourceForm,
                                                    std::uint32_t /*destinationForm*/) {
    auto* made = objectOf<MonochromeObject>(object, Kind::Monochrome);
    // The destination form follows from the output chosen; a source form of 0 takes the
    // object as it was made.
    if (made == nullptr || (output != kTnr2OutputRgb && output != kTnr2OutputGrey) ||
        (sourceForm != 0 && sourceForm != sourceFormOf(made->header))) {
        return kTnr2BadArgument;
    }
    made->header.destinationSamples = output == kTnr2OutputGrey ? kGreySamples : kRgbSamples;
    return kTnr2Ok;
}

TONARA2_EXPORT std::int32_t tnr2_xform_monochrome(const void* object, const void* source,
                                                  std::uint32_t pixels, void* destination) {
    return transformRow<MonochromeObject>(object, Kind::Monochrome, source, pixels, destination);
}

TONARA2_EXPORT std::int32_t tnr2_free_monochrome(void* object) {
    return freeObject<MonochromeObject>(object, Kind::Monochrome);
}

TONARA2_EXPORT std::uint32_t tnr2_gen_monochrome_table2(const void* monochrome,
                                                        const std::uint8_t* curve,
                                                        std::uint32_t length, std::uint8_t* table,
                                                        std::int32_t follows) {
    const auto* made = objectOf<MonochromeObject>(monochrome, Kind::Monochrome);
    CurvePart part{};
    if (made == nullptr || !readCurve(curve, length, part)) {
        return 0;
    }
    const auto bytes = static_cast<std::uint32_t>(kRecordHeadBytes + 2u * part.count);
    if (table == nullptr) {
        return bytes;
    }
    table[0] = follows != 0 ? 1 : 0;
    table[1] = 0;
    table[2] = static_cast<std::uint8_t>(part.count);
    table[3] = static_cast<std::uint8_t>(part.count >> 8);
    for (std::uint16_t i = 0; i < part.count; ++i) {
        const auto input =
            static_cast<std::uint32_t>(std::lround(kLargest16 * i / (part.count - 1)));
        const double tone = lookup16(made->grey, input) / kLargest16;
        const auto value = static_cast<std::uint16_t>(std::lround(curveValue(part, tone)));
        table[kRecordHeadBytes + 2u * i] = static_cast<std::uint8_t>(value);
        table[kRecordHeadBytes + 2u * i + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    return bytes;
}

}  // extern "C"
