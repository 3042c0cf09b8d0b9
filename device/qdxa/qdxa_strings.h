// Helpers for length-prefixed strings: a length byte followed by up to 255 characters.
#pragma once

#include <cstdint>

/// Longest length-prefixed string: its length is one byte.
inline constexpr std::uint8_t kQDXAMaxStringLength = 255;
/// Buffer of WQS_Utl_NumToString: a length byte and up to 10 digits and sign.
inline constexpr std::uint32_t kQDXANumberStringSize = 11;

/// Copies `source` to `destination`, first lowering the source's length byte to `maximum` in
/// place; a missing source gives an empty destination.
void CopyString8(std::uint8_t* source, std::uint8_t* destination, std::uint8_t maximum);

/// Compares from the length byte through the last character of `a`: the difference of the
/// first unequal bytes, else 0 (0 also when either is missing).
std::int32_t WQS_Utl_PLstrcmp(const std::uint8_t* a, const std::uint8_t* b);
/// Copy length byte and characters.
void WQS_Utl_PLstrcpy(std::uint8_t* destination, const std::uint8_t* source);
void WQS_Utl_copyString(const std::uint8_t* source, std::uint8_t* destination);
/// Append the characters of `source` to `destination`; refused (destination unchanged) when
/// the result would pass 255 characters.
void WQS_Utl_PLstrcat(std::uint8_t* destination, const std::uint8_t* source);
void WQS_Utl_catString(const std::uint8_t* source, std::uint8_t* destination);
/// Turns a NUL-terminated text in place into a length-prefixed string; empty when no NUL lies
/// within the first 256 bytes. Returns the text.
std::uint8_t* WQS_Utl_c2pstr(char* text);
/// Writes the decimal form of `number` as a length-prefixed string into an 11-byte
/// `destination` (empty when it does not fit).
void WQS_Utl_NumToString(long number, std::uint8_t* destination);
