// Escape-sequence syntax of the raster language.
#include "stream_decoder/escape_parser.h"

namespace streamdecoder {

namespace {

constexpr std::uint8_t kEsc = 0x1B;
// A value longer than this is no command of ours and would overflow.
constexpr int kMaxDigits = 12;

bool between(std::uint8_t c, std::uint8_t low, std::uint8_t high) {
    return c >= low && c <= high;
}
bool isParameterised(std::uint8_t c) {
    return between(c, 0x21, 0x2F);
}
bool isGroup(std::uint8_t c) {
    return between(c, 0x60, 0x7E);
}
bool isTerminator(std::uint8_t c) {
    return between(c, 0x40, 0x5E);
}
bool isDigit(std::uint8_t c) {
    return between(c, '0', '9');
}

}  // namespace

std::optional<EscapeField> EscapeParser::field(std::string* error) {
    EscapeField f;
    if (!atEnd() && (peek() == '+' || peek() == '-')) {
        f.explicitSign = true;
    }
    const bool negative = !atEnd() && peek() == '-';
    if (f.explicitSign) {
        ++position_;
    }
    int digits = 0;
    while (!atEnd() && isDigit(peek())) {
        if (++digits > kMaxDigits) {
            *error = "value with more than 12 digits";
            return std::nullopt;
        }
        f.value = f.value * 10 + (peek() - '0');
        ++position_;
    }
    f.hasValue = digits > 0;
    if (f.explicitSign && !f.hasValue) {
        *error = "sign without digits";
        return std::nullopt;
    }
    if (negative) {
        f.value = -f.value;
    }
    if (atEnd()) {
        *error = "escape sequence cut off at the end of the stream";
        return std::nullopt;
    }
    const std::uint8_t c = peek();
    if (!isGroup(c) && !isTerminator(c)) {
        *error = "byte 0x" + std::to_string(c) + " where a parameter character belongs";
        return std::nullopt;
    }
    f.parameter = static_cast<char>(isGroup(c) ? c - 0x20 : c);
    return f;
}

std::optional<std::string> EscapeParser::line() {
    std::string text;
    for (std::size_t i = position_; i < data_.size(); ++i) {
        if (data_[i] == '\n') {
            text.assign(data_.begin() + static_cast<std::ptrdiff_t>(position_),
                        data_.begin() + static_cast<std::ptrdiff_t>(i));
            position_ = i + 1;
            return text;
        }
    }
    return std::nullopt;
}

std::optional<EscapeSequence> EscapeParser::next(std::string* error) {
    EscapeSequence s;
    s.offset = position_;
    if (atEnd() || peek() != kEsc) {
        *error = "expected ESC";
        return std::nullopt;
    }
    ++position_;
    if (atEnd()) {
        *error = "ESC at the end of the stream";
        return std::nullopt;
    }
    const std::uint8_t first = data_[position_++];
    if (!isParameterised(first)) {
        if (!between(first, 0x30, 0x7E)) {
            *error = "byte " + std::to_string(first) + " after ESC";
            return std::nullopt;
        }
        s.family = std::string(1, static_cast<char>(first));
        s.twoCharacter = true;
        return s;
    }
    s.family = std::string(1, static_cast<char>(first));
    if (!atEnd() && isGroup(peek())) {
        s.family += static_cast<char>(data_[position_++]);
    }
    for (;;) {
        auto f = field(error);
        if (!f) {
            return std::nullopt;
        }
        const bool last = isTerminator(data_[position_]);
        ++position_;
        s.fields.push_back(*f);
        if (last) {
            return s;
        }
    }
}

std::optional<std::span<const std::uint8_t>> EscapeParser::take(std::size_t count) {
    if (count > data_.size() - position_) {
        return std::nullopt;
    }
    auto run = data_.subspan(position_, count);
    position_ += count;
    return run;
}

std::string describe(const EscapeSequence& sequence) {
    std::string text = "ESC" + sequence.family;
    for (std::size_t i = 0; i < sequence.fields.size(); ++i) {
        const EscapeField& f = sequence.fields[i];
        if (f.explicitSign && f.value >= 0) {
            text += '+';
        }
        if (f.hasValue) {
            text += std::to_string(f.value);
        }
        const bool last = i + 1 == sequence.fields.size();
        text += last ? f.parameter : static_cast<char>(f.parameter + 0x20);
    }
    return text;
}

}  // namespace streamdecoder
