// Splits the raster-language part of a stream into escape sequences.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace streamdecoder {

/// One value field of an escape sequence: the number (with its sign) and its parameter
/// character, in uppercase.
struct EscapeField {
    std::int64_t value = 0;
    bool hasValue = false;
    bool explicitSign = false;  ///< written with "+" or "-" (relative moves)
    char parameter = 0;
};

/// One escape sequence; `family` is the parameterised and group characters ("*b", "%", "&a"),
/// or the one character of a two-character command ("E").
struct EscapeSequence {
    std::size_t offset = 0;  ///< of the ESC byte in the stream
    std::string family;
    std::vector<EscapeField> fields;
    bool twoCharacter = false;
};

/// Reads escape sequences from a bounded position; each read stops at the first byte that is
/// not part of a well-formed sequence and reports why.
class EscapeParser {
  public:
    explicit EscapeParser(std::span<const std::uint8_t> data) : data_(data) {}

    bool atEnd() const { return position_ >= data_.size(); }
    std::size_t position() const { return position_; }
    std::uint8_t peek() const { return data_[position_]; }

    /// The sequence at the current position (which must hold ESC), or nothing with a reason.
    std::optional<EscapeSequence> next(std::string* error);

    /// The next `count` bytes (data of the last field), or nothing when fewer remain.
    std::optional<std::span<const std::uint8_t>> take(std::size_t count);

    /// The bytes up to and including the next "\n"; nothing when there is none.
    std::optional<std::string> line();

  private:
    std::optional<EscapeField> field(std::string* error);

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
};

/// The sequence written out as text, ESC as "ESC" ("ESC*p+0x+0Y").
std::string describe(const EscapeSequence& sequence);

}  // namespace streamdecoder
