// Length-prefixed and NUL-terminated string helpers of the core.
//
// A length-prefixed string holds its length (0 to 255) in its first byte and its characters
// after it, so its buffer is at most 256 bytes. Joins that would pass 255 characters refuse and
// leave the destination unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

/// Longest length-prefixed string.
inline constexpr std::size_t kPStringMax = 255;

/// Makes `destination` (256 bytes) the length-prefixed form of `source`; a source longer than
/// 255 bytes keeps its first 255.
void myCToPStr(unsigned char* destination, const char* source);

/// Makes `destination` (at least length + 1 bytes) the NUL-terminated form of `source`.
void myPToCStr(char* destination, const unsigned char* source);

/// Appends `source` to `destination`; 1, or 0 with nothing changed when the joined length would
/// pass 255.
std::int32_t pstrcat(const unsigned char* source, unsigned char* destination);

/// The same as `pstrcat`.
std::int32_t StringCat(const unsigned char* source, unsigned char* destination);

/// Appends the NUL-terminated `source` to the NUL-terminated `destination`, whose buffer holds
/// `capacity` bytes; 1, or 0 with nothing changed when the result and its terminator do not fit.
std::int32_t cstrcat(const char* source, char* destination, std::size_t capacity);

/// True when the first `count` bytes of the two strings are equal; false when either is null.
bool StringCompare(const void* first, const void* second, std::size_t count);

/// Compares two length-prefixed strings over the shorter length: true when `second` sorts before
/// `first` at the first differing byte, false when after; with an equal common part, true when
/// `second` is shorter.
bool ChkStrOrder(const unsigned char* first, const unsigned char* second);

/// Writes `value` in decimal as a length-prefixed string into `destination` (256 bytes).
void NumToStringUseCFString(long value, unsigned char* destination);

/// Writes the decimal digits of `value` (no length byte, no terminator) into `destination`
/// (at least 20 bytes); returns their count.
std::int32_t HexToString(long value, char* destination);

/// Edit kinds of `GetInsertStr` that insert nothing: 2 and 4 delete backwards, 5 forwards.
inline constexpr std::int16_t kEditDeleteBackward = 2;
inline constexpr std::int16_t kEditDeleteBackwardAlt = 4;
inline constexpr std::int16_t kEditDeleteForward = 5;

/// Builds the result of a text edit as a length-prefixed string in `result` (256 bytes): the
/// text up to `caret`, the inserted text, then the text from `resume`. The delete kinds insert
/// nothing; without a selection (`resume` == `caret`) kinds 2 and 4 remove the character before
/// the caret and kind 5 the one after it (none at the end). Returns 1, or 0 with `result`
/// unchanged when the positions lie outside the text or the result would pass 255 characters.
std::int32_t GetInsertStr(unsigned char* result, std::int16_t kind, const unsigned char* text,
                          const unsigned char* inserted, std::int16_t textLength,
                          std::int16_t insertedLength, std::int16_t caret, std::int16_t resume);
