// Wrappers that bind each function of the colour-processing framework by name at the moment of
// the call: the pre-processing and the monochrome objects, each made, asked, set up, applied to
// rows and freed. The framework stays loaded once found, so that an object made through one call
// serves the next. The framework missing, or the function missing from it, gives 0 from the
// create calls (no object) and kColorFrameworkMissing from the others; nothing is printed and
// the outputs are left as they were.
#pragma once

#include <cstdint>

#include "loaders/loader_codes.h"
#include "tonara2/tonara2.h"

std::uint32_t Load_tnr2_create_preproc(const tnr2_balance_t* balance, std::int32_t saturation,
                                       std::int32_t contrast, std::int32_t brightness,
                                       std::int32_t greyTone, double gamma, std::uint32_t hint,
                                       void* object);
std::int32_t Load_tnr2_query_preproc_hint(const void* object, std::uint32_t* sourceForm,
                                          std::uint32_t* destinationForm);
std::int32_t Load_tnr2_set_preproc_rgb(void* object, std::int32_t output, std::uint32_t sourceForm,
                                       std::uint32_t destinationForm);
std::int32_t Load_tnr2_xform_preproc(const void* object, const void* source, std::int32_t reserved,
                                     std::uint32_t pixels, void* destination);
std::int32_t Load_tnr2_free_preproc(void* object);

std::uint32_t Load_tnr2_create_monochrome(std::int32_t toneX, std::int32_t toneY,
                                          std::int32_t contrast, std::int32_t brightness,
                                          std::int32_t highlight, std::int32_t shadow, double gamma,
                                          std::int32_t whiteFog, std::uint32_t hint, void* object);
std::int32_t Load_tnr2_query_monochrome_hint(const void* object, std::uint32_t* sourceForm,
                                             std::uint32_t* destinationForm);
std::int32_t Load_tnr2_set_monochrome_rgb(void* object, std::int32_t output,
                                          std::uint32_t sourceForm, std::uint32_t destinationForm);
std::int32_t Load_tnr2_xform_monochrome(const void* object, const void* source,
                                        std::uint32_t pixels, void* destination);
std::int32_t Load_tnr2_free_monochrome(void* object);
