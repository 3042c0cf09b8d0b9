#include "preview/preview_color_process.h"

#include <cstring>
#include <memory>
#include <new>

#include "cf/bundle.h"
#include "cf/folders.h"
#include "color/color_frameworks.h"
#include "color/gradation_gamma.h"
#include "preview/preview_tone_curves.h"
#include "record/color_info.h"
#include "tonara2/tonara2.h"

namespace {

constexpr char kColorFramework[] = "Orvane/TARN/Frameworks/tonara2.framework";
constexpr double kColorGamma = 2.2;
constexpr std::int32_t kLuminanceGrey = 1;
constexpr std::uint32_t kEightBitHint = 0;
constexpr std::int32_t kGreyImageMode = 1;
constexpr std::size_t kRgbBytes = 3;

// The adjustment values reach the framework as their low 8 bits, sign-extended.
std::int32_t adjustment(std::int32_t value) {
    return static_cast<std::int8_t>(value);
}

// The size-then-fill protocol on one object: nothing is done when the framework is missing or
// answers no size; a made object is set up, converts the pixels and is freed again.
std::int32_t processWith(const auto& create, const auto& set, const auto& convert,
                         const auto& release) {
    const std::uint32_t size = create(nullptr);
    if (size == 0) {
        return 0;
    }
    const std::unique_ptr<unsigned char[]> work(new (std::nothrow) unsigned char[size]());
    if (work == nullptr || create(work.get()) == 0) {
        return 0;
    }
    std::int32_t result = set(work.get());
    if (result == 0) {
        result = convert(work.get());
    }
    release(work.get());
    return result;
}

// Opens the framework for one call and copies the source into the destination; null when the
// framework is not installed.
std::unique_ptr<cf::Bundle> prepare(const ColorDataRec& data) {
    if (data.destination != data.source) {
        std::memmove(data.destination, data.source, pixelsOf(data) * kRgbBytes);
    }
    return cf::Bundle::open(cf::Folders::driverRoot() / kColorFramework);
}

}  // namespace

std::int32_t Prev_ColorProcess_MONO(const PreviewJob& job, const ColorDataRec& data) {
    const std::unique_ptr<cf::Bundle> framework = prepare(data);
    cf::Bundle* bundle = framework.get();
    const auto create = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_create_monochrome2);
    const auto set = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_set_monochrome_rgb);
    const auto convert = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_xform_monochrome);
    const auto release = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_free_monochrome);
    if (create == nullptr || set == nullptr || convert == nullptr || release == nullptr) {
        return 0;
    }
    const CoreCommonInfoTbl& r = job.record;
    tcurveRec request;
    const tnr2_tonecurve_t* curves = GettcurveData(job, request);
    const double gamma = gradationGamma(gradationCode(r.grayGradation));
    return processWith(
        [&](void* work) {
            return create(adjustment(r.grayX), adjustment(r.grayY), adjustment(r.grayContrast),
                          adjustment(r.grayBrightness), adjustment(r.grayHighlight),
                          adjustment(r.grayShadow), gamma, adjustment(r.whiteFog), kLuminanceGrey,
                          0, 0, curves, kEightBitHint, work);
        },
        [&](void* work) { return set(work, kTnr2OutputRgb, 0, 0); },
        [&](void* work) {
            return convert(work, data.source, static_cast<std::uint32_t>(pixelsOf(data)),
                           data.destination);
        },
        [&](void* work) { return release(work); });
}

std::int32_t Prev_ColorProcess_COLOR(const PreviewJob& job, const ColorDataRec& data) {
    const std::unique_ptr<cf::Bundle> framework = prepare(data);
    cf::Bundle* bundle = framework.get();
    const auto create = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_create_preproc2);
    const auto set = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_set_preproc_rgb);
    const auto convert = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_xform_preproc);
    const auto release = BIND_FRAMEWORK_FUNCTION(bundle, tnr2_free_preproc);
    if (create == nullptr || set == nullptr || convert == nullptr || release == nullptr) {
        return 0;
    }
    const CoreCommonInfoTbl& r = job.record;
    tcurveRec request;
    const tnr2_tonecurve_t* curves = GettcurveData(job, request);
    // The framework takes the balance as ink: the dialog's values negated.
    const tnr2_balance_t balance = {static_cast<std::int16_t>(-adjustment(r.cyanRed)),
                                    static_cast<std::int16_t>(-adjustment(r.magentaGreen)),
                                    static_cast<std::int16_t>(-adjustment(r.yellowBlue))};
    // A grey image keeps no colour to saturate.
    const std::int32_t saturation =
        job.imageMode() == kGreyImageMode && job.colorMode != kColorModeMonochromePhoto
            ? 0
            : adjustment(r.saturation);
    return processWith(
        [&](void* work) {
            return create(&balance, curves, saturation, adjustment(r.contrast),
                          adjustment(r.brightness), adjustment(r.grayTone), kColorGamma,
                          kEightBitHint, work);
        },
        [&](void* work) { return set(work, kTnr2OutputRgb, 0, 0); },
        [&](void* work) {
            return convert(work, data.source, 0, static_cast<std::uint32_t>(pixelsOf(data)),
                           data.destination);
        },
        [&](void* work) { return release(work); });
}

std::int32_t previewColorProcess(const PreviewJob& job, const ColorDataRec& data) {
    return job.colorMode == kColorModeMonochromePhoto ? Prev_ColorProcess_MONO(job, data)
                                                      : Prev_ColorProcess_COLOR(job, data);
}
