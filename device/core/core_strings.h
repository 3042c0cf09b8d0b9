// Moving protocol values into tickets: length-prefixed strings and value arrays.
//
// A length-prefixed string is one length byte followed by that many characters. The readers
// take the bytes that are actually there and refuse a string whose length byte claims more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "cf/value.h"

/// The characters of a length-prefixed string; nothing when `pascal` is empty or shorter than
/// its length byte says.
std::optional<std::string> CreateCStringFromPascalString(std::span<const std::uint8_t> pascal);

/// The characters after a leading UTF-8 byte-order mark (EF BB BF) of a length-prefixed
/// string, which callers have tested for; nothing when the length is 2 or less or the bytes
/// are short.
std::optional<std::string> CreateCStringFromUTF8PascalString(std::span<const std::uint8_t> pascal);

/// Writes the text as a length-prefixed string into `buffer` of `capacity` bytes. False, and the
/// buffer as it was, for a missing text or buffer, a text of 256 characters or more, or one
/// longer than capacity - 1.
bool ConvertCStringToPascalString(const char* text, std::uint8_t* buffer, std::size_t capacity);

/// An array of `count` signed 32-bit numbers; empty for a count below 1; nothing for missing
/// values.
std::optional<cf::Value> CreateNumberArray(const std::int32_t* values, std::int32_t count);

/// An array of `count` ticket Boolean strings ("true", "false", "FAILURE", "UNKNOWN"); empty for
/// a count below 1; nothing for missing values.
std::optional<cf::Value> CreateBooleanArray(const std::uint32_t* values, std::int32_t count);
