// Character-set conversions of the core: UTF-16 to UTF-8, UTF-8 to big-endian UCS-2, and
// multibyte text to wide characters under a language's locale.
#pragma once

#include <cstddef>
#include <cstdint>

/// Converts `count` UTF-16 code units to UTF-8, one unit at a time (below 0x80 one byte, below
/// 0x800 two, else three), and NUL-terminates. With a null `destination` only counts; otherwise
/// `destination` holds at least the counted bytes plus 1. Returns the byte count without the
/// terminator.
std::size_t subConvert_UTF16toUTF8(const std::uint16_t* source, std::size_t count,
                                   char* destination);

/// Converts the NUL-terminated UTF-8 `source` to UCS-2 units stored big-endian in `destination`
/// (room for strlen(source) units): a lead byte of 0xE0 or more takes three bytes, of 0xC0 or
/// more two, any other one; a sequence cut by the end of the text is not converted. Stores the
/// unit count in `unitCount` when it is not null. Returns the UTF-8 bytes consumed, 0 for a null
/// or empty source.
std::size_t Convert_UTFtoUCS2(const char* source, std::uint16_t* destination,
                              std::size_t* unitCount);

/// Language kinds of `Convert_ToUTF16` and the locale each selects.
/// 2 "english", 3 "fra", 4 "ita", 5 "deu", 6 "esp", 7 "chs", 8 "kor", 9 "russian", others "jpn".
const char* localeNameForLanguageKind(std::int16_t kind);

/// Converts the NUL-terminated multibyte `source` to wide characters under the locale of
/// `languageKind` (the UTF-8 locale when that one is not installed). Returns a zeroed buffer of
/// length + 1 wide characters holding the NUL-terminated result, to be released with
/// `Dispose_MemoryClear`, and stores 4 × length in `size`; null for a null source, text that does
/// not convert, or no memory.
wchar_t* Convert_ToUTF16(const char* source, std::int16_t languageKind, std::size_t* size);

/// Not available: writes an empty string to a non-null `destination` and returns -1.
std::int32_t Convert_UTF16toUTF8(const wchar_t* source, std::size_t size, char* destination);

/// Converts through `Convert_ToUTF16` and `Convert_UTF16toUTF8`. Because the second step is not
/// available it returns null with `size` 0.
char* Convert_ToUTF8(const char* source, std::int16_t languageKind, std::size_t* size);

/// Converts the NUL-terminated `text` in place to UCS-2 through `Convert_ToUTF8` and
/// `Convert_UTFtoUCS2`. Since no UTF-8 form can be had it leaves `text` and `unitCount`
/// untouched and returns -1.
std::int32_t Convert_ToUCS2(char* text, std::int16_t languageKind, std::size_t* unitCount);
