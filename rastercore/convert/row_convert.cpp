// The host line converter: image editor lines of any image mode and depth into working RGB.
#include "convert/row_convert.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

#include "band/core_buffer.h"
#include "band/host_fetch.h"
#include "band/line_ops.h"
#include "convert/color_match_services.h"
#include "convert/sample_scale.h"
#include "preview/cmyk_xor.h"
#include "rastercore/common_info_table.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

using namespace rowconvert;
using rastercore::kResultFailure;
using rastercore::kResultHostImage;
using rastercore::kResultOk;

namespace {

// Working depth codes: host depth / working depth.
constexpr std::uint8_t kHost8Work8 = 1;
constexpr std::uint8_t kHost8Work16 = 2;
constexpr std::uint8_t kHost16Work8 = 3;
constexpr std::uint8_t kHost16Work16 = 4;

constexpr std::size_t kRgbSamples = 3;
constexpr std::size_t kSlot16To8 = 1;  // slot 246
constexpr std::size_t kSlot8To16 = 2;  // slot 254

struct ModeInfo {
    std::size_t samples;  ///< per pixel
    bool wide;            ///< 16-bit samples
    bool matched;         ///< grey or CMYK: matched into RGB by the colour module
    bool inverted;        ///< CMYK: the host's samples count ink the other way round
};

std::optional<ModeInfo> modeInfo(std::int16_t mode) {
    switch (mode) {
        case 1:
            return ModeInfo{1, false, true, false};
        case 3:
            return ModeInfo{3, false, false, false};
        case 4:
            return ModeInfo{4, false, true, true};
        case 10:
            return ModeInfo{1, true, true, false};
        case 11:
            return ModeInfo{3, true, false, false};
        case 13:
            return ModeInfo{4, true, true, true};
        default:
            return std::nullopt;
    }
}

bool hostWide(std::uint8_t code) {
    return code == kHost16Work8 || code == kHost16Work16;
}

bool workWide(std::uint8_t code) {
    return code == kHost8Work16 || code == kHost16Work16;
}

// Inverts CMYK samples in place; a row's sample count fits the 32-bit count.
void invert(std::uint8_t* samples, std::size_t count, std::int32_t bits) {
    convertCMYKXOR(samples, samples, static_cast<std::uint32_t>(count), bits);
}

// The host's conversions between 8-bit samples and its 16-bit range.
class HostSamples {
  public:
    explicit HostSamples(const PLGContext& context)
        : table_(context.jobRecord != nullptr ? context.jobRecord->commonInfo : nullptr) {}

    /// 8-bit samples into working 16-bit ones: through the host, then doubled.
    std::int32_t to16(const std::uint8_t* from, std::uint8_t* to, std::size_t count) const {
        const std::int32_t result = call(kSlot8To16, from, to, count);
        if (result == kResultOk) {
            scaleSamples(to, to, count, upScale);
        }
        return result;
    }

    /// Host 16-bit samples into 8-bit ones, through the host.
    std::int32_t to8(const std::uint8_t* from, std::uint8_t* to, std::size_t count) const {
        return call(kSlot16To8, from, to, count);
    }

  private:
    std::int32_t call(std::size_t slot, const std::uint8_t* from, std::uint8_t* to,
                      std::size_t count) const {
        if (table_ == nullptr || table_->callbacks238[slot] == nullptr) {
            return kResultHostImage;
        }
        const auto convert = reinterpret_cast<HostSampleConvertProc>(table_->callbacks238[slot]);
        return convert(table_, from, to, static_cast<std::int32_t>(count), table_->hostReference) ==
                       0
                   ? kResultOk
                   : kResultHostImage;
    }

    CommonInfoTable* table_;
};

// An RGB host line straight into the working row.
std::int32_t convertRgb(std::uint8_t code, const std::uint8_t* line, std::size_t samples,
                        const HostSamples& host, std::uint8_t* row) {
    switch (code) {
        case kHost8Work8:
            std::memcpy(row, line, samples);
            return kResultOk;
        case kHost8Work16:
            return host.to16(line, row, samples);
        case kHost16Work8:
            return host.to8(line, row, samples);
        default:
            scaleSamples(line, row, samples, upScale);
            return kResultOk;
    }
}

// The samples the colour module matches: at 8 bits for 8-bit work, else in the working 16-bit
// range; CMYK inverted at the host's depth (8-bit samples before they are widened).
std::int32_t prepareForMatch(std::uint8_t code, const ModeInfo& mode, const std::uint8_t* line,
                             std::size_t samples, const HostSamples& host, CoreBuffer& input) {
    std::int32_t result = input.allocate(samples * (code == kHost8Work8 ? 1 : 2));
    if (result != kResultOk) {
        return result;
    }
    if (hostWide(code)) {
        scaleSamples(line, input.data(), samples, upScale);
        if (mode.inverted) {
            invert(input.data(), samples, kCmykXorSixteenBits);
        }
        return kResultOk;
    }
    if (code == kHost8Work8) {
        std::memcpy(input.data(), line, samples);
        if (mode.inverted) {
            invert(input.data(), samples, kCmykXorEightBits);
        }
        return kResultOk;
    }
    if (!mode.inverted) {
        return host.to16(line, input.data(), samples);
    }
    CoreBuffer inverted;
    if ((result = inverted.allocate(samples)) != kResultOk) {
        return result;
    }
    std::memcpy(inverted.data(), line, samples);
    invert(inverted.data(), samples, kCmykXorEightBits);
    return host.to16(inverted.data(), input.data(), samples);
}

// A grey or CMYK host line matched into the working row. For 8-bit work from 16-bit data the
// matched 16-bit row is halved back into the host's range and narrowed by the host.
std::int32_t convertMatched(PLGContext& context, std::uint8_t code, const ModeInfo& mode,
                            const std::uint8_t* line, std::uint32_t pixels, const HostSamples& host,
                            std::uint8_t* row) {
    if (context.colorInfo == nullptr) {
        return kResultFailure;
    }
    CoreBuffer input;
    std::int32_t result =
        prepareForMatch(code, mode, line, std::size_t{pixels} * mode.samples, host, input);
    if (result != kResultOk) {
        return result;
    }
    const std::size_t rgbSamples = std::size_t{pixels} * kRgbSamples;
    CoreBuffer matched;
    if (code == kHost16Work8 && (result = matched.allocate(2 * rgbSamples)) != kResultOk) {
        return result;
    }
    std::uint8_t* destination = code == kHost16Work8 ? matched.data() : row;
    result = colorMatchServices().current().matchRow(context.colorInfo, pixels, input.data(),
                                                     destination);
    if (result != kResultOk || code != kHost16Work8) {
        return result;
    }
    scaleSamples(matched.data(), matched.data(), rgbSamples, downScale);
    return host.to8(matched.data(), row, rgbSamples);
}

}  // namespace

std::int32_t PLG_BitConvert_Function(PLGContext* context, std::int32_t, const void* hostLine,
                                     std::uint8_t** lineOut) {
    if (context == nullptr || hostLine == nullptr || lineOut == nullptr ||
        context->hostImage == nullptr || context->rgbRow == nullptr) {
        return kResultFailure;
    }
    const std::optional<ModeInfo> mode = modeInfo(context->hostImage->imageMode);
    const std::uint8_t code = context->depthCode;
    if (!mode || code < kHost8Work8 || code > kHost16Work16 || hostWide(code) != mode->wide) {
        return kResultFailure;
    }
    const std::uint32_t pixels = sourceLinePixels(*context);
    const std::size_t pixelBytes = kRgbSamples * (workWide(code) ? 2 : 1);
    const std::size_t samples = std::size_t{pixels} * std::max(mode->samples, kRgbSamples);
    if (std::size_t{pixels} * pixelBytes > context->rgbRowSize ||
        samples > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return kResultFailure;
    }

    const auto* line = static_cast<const std::uint8_t*>(hostLine);
    const HostSamples host(*context);
    std::uint8_t* row = context->rgbRow;
    const std::int32_t result =
        mode->matched ? convertMatched(*context, code, *mode, line, pixels, host, row)
                      : convertRgb(code, line, std::size_t{pixels} * kRgbSamples, host, row);
    if (result != kResultOk) {
        return result;
    }
    // A turned image's column runs bottom to top across the paper.
    if (context->rotate != 0) {
        reversePixels(row, pixels, pixelBytes);
    }
    *lineOut = row;
    return kResultOk;
}
