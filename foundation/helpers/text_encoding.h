// Legacy text encodings by their numeric codes, converted through iconv.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace text_encoding {

inline constexpr int kMacRoman = 0;
inline constexpr int kMacJapanese = 1;
inline constexpr int kMacTradChinese = 2;
inline constexpr int kMacKorean = 3;
inline constexpr int kMacSimpChinese = 25;
inline constexpr int kWindowsLatin1 = 0x0500;
inline constexpr int kUtf8 = 0x08000100;

/// The iconv name of an encoding code, or null for a code we do not convert.
const char* iconvName(int encoding);

/// Converts `input` between two iconv encodings; none when a character does not convert.
std::optional<std::string> convert(std::string_view input, const char* from, const char* to);

/// The system encoding of the user's language: Mac Korean for Korean, Mac Simplified Chinese
/// for simplified Chinese, and so on; Mac Roman for every Western language.
int systemEncoding();

/// UTF-8 text in the system encoding, and back.
std::optional<std::string> toSystem(std::string_view utf8);
std::optional<std::string> fromSystem(std::string_view systemBytes);

}  // namespace text_encoding
