#include "loaders/color_framework_loader.h"

#include "loaders/framework_loader.h"

static_assert(kColorFrameworkMissing == kTnr2BadArgument);

namespace {

constexpr std::uint32_t kNoObject = 0;

}  // namespace

#define COLOR_CALL(function, failure, ...) \
    callKeptFramework<decltype(function)>(colorFrameworkPath(), #function, failure, __VA_ARGS__)

std::uint32_t Load_tnr2_create_preproc(const tnr2_balance_t* balance, std::int32_t saturation,
                                       std::int32_t contrast, std::int32_t brightness,
                                       std::int32_t greyTone, double gamma, std::uint32_t hint,
                                       void* object) {
    return COLOR_CALL(tnr2_create_preproc, kNoObject, balance, saturation, contrast, brightness,
                      greyTone, gamma, hint, object);
}

std::int32_t Load_tnr2_query_preproc_hint(const void* object, std::uint32_t* sourceForm,
                                          std::uint32_t* destinationForm) {
    return COLOR_CALL(tnr2_query_preproc_hint, kColorFrameworkMissing, object, sourceForm,
                      destinationForm);
}

std::int32_t Load_tnr2_set_preproc_rgb(void* object, std::int32_t output, std::uint32_t sourceForm,
                                       std::uint32_t destinationForm) {
    return COLOR_CALL(tnr2_set_preproc_rgb, kColorFrameworkMissing, object, output, sourceForm,
                      destinationForm);
}

std::int32_t Load_tnr2_xform_preproc(const void* object, const void* source, std::int32_t reserved,
                                     std::uint32_t pixels, void* destination) {
    return COLOR_CALL(tnr2_xform_preproc, kColorFrameworkMissing, object, source, reserved, pixels,
                      destination);
}

std::int32_t Load_tnr2_free_preproc(void* object) {
    return COLOR_CALL(tnr2_free_preproc, kColorFrameworkMissing, object);
}

std::uint32_t Load_tnr2_create_monochrome(std::int32_t toneX, std::int32_t toneY,
                                          std::int32_t contrast, std::int32_t brightness,
                                          std::int32_t highlight, std::int32_t shadow, double gamma,
                                          std::int32_t whiteFog, std::uint32_t hint, void* object) {
    return COLOR_CALL(tnr2_create_monochrome, kNoObject, toneX, toneY, contrast, brightness,
                      highlight, shadow, gamma, whiteFog, hint, object);
}

std::int32_t Load_tnr2_query_monochrome_hint(const void* object, std::uint32_t* sourceForm,
                                             std::uint32_t* destinationForm) {
    return COLOR_CALL(tnr2_query_monochrome_hint, kColorFrameworkMissing, object, sourceForm,
                      destinationForm);
}

std::int32_t Load_tnr2_set_monochrome_rgb(void* object, std::int32_t output,
                                          std::uint32_t sourceForm, std::uint32_t destinationForm) {
    return COLOR_CALL(tnr2_set_monochrome_rgb, kColorFrameworkMissing, object, output, sourceForm,
                      destinationForm);
}

std::int32_t Load_tnr2_xform_monochrome(const void* object, const void* source,
                                        std::uint32_t pixels, void* destination) {
    return COLOR_CALL(tnr2_xform_monochrome, kColorFrameworkMissing, object, source, pixels,
                      destination);
}

std::int32_t Load_tnr2_free_monochrome(void* object) {
    return COLOR_CALL(tnr2_free_monochrome, kColorFrameworkMissing, object);
}
