// The string of an ICC multi-localized Unicode element ('mluc') that best fits the user's
// language and country.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

/// Picks one record of the 'mluc' element `element` (the tag's bytes, type signature first): the
/// first record of both the user's `language` and `country` (two-letter codes); otherwise the
/// first of the language, else the first of the country, else the first English one, else the
/// first record. Answers its UTF-16BE string as UTF-8 text; none when the element is no 'mluc'
/// or holds no usable record. Records whose string is not inside the element or has an odd
/// length are passed over.
std::optional<std::string> GetProfileTagName(std::span<const std::byte> element,
                                             std::string_view language, std::string_view country);
