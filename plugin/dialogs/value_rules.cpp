#include "dialogs/value_rules.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace dialogs {
namespace {

constexpr char kPlainPoint = '.';
constexpr const char* kSafeFormat = "%g";
constexpr std::size_t kMaxFormattedLength = 64;
// The widest field and the longest precision a table's format may ask for: printf makes the whole
// text of a conversion before it cuts it to the buffer, so "%.400030030f" alone would take
// hundreds of megabytes.
constexpr int kLargestFormatField = 64;

// The length in bytes of the UTF-8 sequence that `lead` starts.
std::size_t sequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

bool isOneCharacter(std::string_view utf8) {
    return !utf8.empty() && sequenceLength(static_cast<unsigned char>(utf8[0])) == utf8.size();
}

std::string_view skipSpaces(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    return text;
}

// Steps `i` over the digits there; false when their number exceeds kLargestFormatField.
bool skipSmallField(std::string_view format, std::size_t& i) {
    int field = 0;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i) {
        field = field * 10 + (format[i] - '0');
        if (field > kLargestFormatField) {
            return false;
        }
    }
    return true;
}

// A format from a strings table is outside input: only "%[flags][width][.precision]f" once, with
// a width and a precision of at most kLargestFormatField, and plain text or "%%" around it, may
// reach printf.
bool isOneFloatFormat(std::string_view format) {
    int conversions = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == '%') {
            continue;
        }
        while (i < format.size() &&
               std::string_view("-+ 0#").find(format[i]) != std::string_view::npos) {
            ++i;
        }
        if (!skipSmallField(format, i)) {
            return false;
        }
        if (i < format.size() && format[i] == '.' && !skipSmallField(format, ++i)) {
            return false;
        }
        if (i >= format.size() || format[i] != 'f') {
            return false;
        }
        ++conversions;
    }
    return conversions == 1;
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

}  // namespace

std::string DecimalSeparator(const ui::Strings& strings) {
    std::string separator = strings.text(kDecimalSeparatorKey);
    if (!isOneCharacter(separator)) {
        return std::string(1, kPlainPoint);
    }
    return separator;
}

double ReadDecimal(std::string_view text, std::string_view separator) {
    const std::string plain = ReplaceAll(text, separator, std::string(1, kPlainPoint));
    const std::string_view number = skipSpaces(plain);
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc()) {
        return 0;
    }
    return value;
}

int ReadInteger(std::string_view text) {
    const std::string_view number = skipSpaces(text);
    int value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc()) {
        return 0;
    }
    return value;
}

std::string FormatDecimal(const ui::Strings& strings, std::string_view formatKey, double value,
                          std::string_view separator) {
    std::string format = strings.text(formatKey);
    if (!isOneFloatFormat(format)) {
        format = kSafeFormat;
    }
    char text[kMaxFormattedLength];
    std::snprintf(text, sizeof text, format.c_str(), value);
    return ReplaceAll(text, std::string(1, kPlainPoint), separator);
}

bool AcceptDecimalEdit(const ui::TextEdit& edit, char32_t separator, std::size_t limit,
                       bool allowMinus) {
    const std::u32string& text = edit.text;
    const bool hasSeparator = text.find(separator) != std::u32string::npos;
    bool separatorReplaced = false;
    if (hasSeparator && edit.location < text.size()) {
        const std::u32string replaced = text.substr(edit.location, edit.length);
        separatorReplaced = replaced.find(separator) != std::u32string::npos;
    }
    for (const char32_t c : edit.replacement) {
        const bool minus = allowMinus && c == U'-';
        if (!isDigit(c) && c != separator && !minus) {
            return false;
        }
        if (text.size() == limit && edit.length == 0) {
            return false;
        }
        if (minus && edit.location != 0) {
            return false;
        }
        if (c == separator && (edit.location == 0 || (hasSeparator && !separatorReplaced))) {
            return false;
        }
    }
    return true;
}

bool AcceptSingleLineEdit(const ui::TextEdit& edit) {
    return edit.replacement.find_first_of(U"\n\r") == std::u32string::npos;
}

double TruncateMagnification(double value) {
    constexpr double kHundredths = 100.0;
    constexpr double kNudge = 0.00001;  // keeps 1.15 from becoming 1.14 through binary rounding
    return std::trunc(kHundredths * (value + kNudge)) / kHundredths;
}

double TruncatePosition(double value, std::string_view formatKey) {
    // A value typed as 4.35 is held as 4.3499999…: a nudge away from zero keeps the truncation
    // from taking a hundredth off what the user typed.
    constexpr double kNudge = 1e-7;
    const auto truncateTo = [value](double scale) {
        return std::trunc(scale * value + std::copysign(kNudge, value)) / scale;
    };
    if (formatKey == "%.1f") {
        return truncateTo(10.0);
    }
    if (formatKey == "%.2f") {
        return truncateTo(100.0);
    }
    return value;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    if (from.empty()) {
        return std::string(text);
    }
    std::size_t start = 0;
    for (std::size_t found = text.find(from); found != std::string_view::npos;
         found = text.find(from, start)) {
        result.append(text.substr(start, found - start)).append(to);
        start = found + from.size();
    }
    return result.append(text.substr(start));
}

char32_t FirstCharacter(std::string_view utf8) {
    if (utf8.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const auto continuation = static_cast<int>(sequenceLength(lead)) - 1;
    if (static_cast<std::size_t>(continuation) >= utf8.size()) {
        return lead < 0x80 ? lead : 0;
    }
    constexpr unsigned kLeadMasks[] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = lead & kLeadMasks[continuation];
    for (int i = 1; i <= continuation; ++i) {
        c = (c << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    return c;
}

}  // namespace dialogs
