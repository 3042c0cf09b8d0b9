// ICC profiles made with lcms2 for the profile-list tests: a chosen class, colour space, version,
// device maker and model, a description, and multi-localized 'desc' or 'dscm' elements with
// known records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "color/profile.h"

namespace profile_test {

/// One record of a multi-localized element.
struct LocalizedText {
    std::string language;  ///< two letters
    std::string country;   ///< two letters
    std::u16string text;
};

struct FixtureProfile {
    color::Signature deviceClass = color::kClassPrinter;
    color::Signature space = color::kSpaceRgb;
    double version = 4.3;  ///< below 4 the description is written as the older text type
    color::Signature manufacturer = 0;
    color::Signature model = 0;
    std::string description{};  ///< the English description when `localizedDescription` is empty
    std::vector<LocalizedText> localizedDescription{};  ///< the 'desc' records (version 4 only)
    std::vector<LocalizedText> dscm{};                  ///< a 'dscm' element when not empty
};

/// Writes the profile to `file`, making its folder.
void writeFixtureProfile(const std::filesystem::path& file, const FixtureProfile& profile);

/// The bytes of a 'mluc' element with `records`, built by hand: header, records of 12 bytes,
/// then the UTF-16BE strings.
std::vector<std::byte> mlucElement(const std::vector<LocalizedText>& records);

/// The bytes of a file.
std::vector<std::byte> fileBytes(const std::filesystem::path& file);

}  // namespace profile_test
