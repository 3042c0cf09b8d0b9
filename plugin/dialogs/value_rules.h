// The rules of the decimal value fields: the decimal separator of the interface language, reading
// and writing numbers through it, formats by key, and the keystroke filters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/port.h"
#include "ui/strings.h"

namespace dialogs {

/// The key whose text is the interface language's decimal separator.
inline constexpr const char* kDecimalSeparatorKey = "STEXT_PRIOD";

/// The decimal separator: the text of kDecimalSeparatorKey when that is one character, else "."
/// (a missing key would otherwise make the key itself the separator, "12STEXT_PRIOD5").
std::string DecimalSeparator(const ui::Strings& strings);

/// `text` with every occurrence of `from`, left to right and not overlapping, replaced by `to`.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

/// The first character of UTF-8 text (0 for none): what the keystroke filters compare with.
char32_t FirstCharacter(std::string_view utf8);

/// The number at the start of `text` after every separator has become "."; 0 when there is none.
double ReadDecimal(std::string_view text, std::string_view separator);
/// The integer at the start of `text`; 0 when there is none.
int ReadInteger(std::string_view text);

/// `value` formatted by the format of `formatKey` (the key itself when the table lacks it), every
/// "." then replaced by the separator. A format that is not one floating-point conversion ("%f",
/// with flags, a width and a precision of at most 64 each, plus plain text and "%%") formats as
/// "%g" instead.
std::string FormatDecimal(const ui::Strings& strings, std::string_view formatKey, double value,
                          std::string_view separator);

/// Keystroke filter of a decimal field: digits, the separator (not first, and only once unless the
/// edit replaces the one there), "-" first when `allowMinus`, and no insertion into a field that
/// holds exactly `limit` characters. A deletion always passes.
bool AcceptDecimalEdit(const ui::TextEdit& edit, char32_t separator, std::size_t limit,
                       bool allowMinus);

/// Refuses an edit that would bring a line feed or a carriage return.
bool AcceptSingleLineEdit(const ui::TextEdit& edit);

/// The magnification shown: truncated to two decimals (trunc(100 × (value + 0.00001)) / 100).
double TruncateMagnification(double value);
/// The position shown with `formatKey`: truncated toward zero to one decimal for "%.1f", two for
/// "%.2f" (what the user typed stays as typed), else unchanged.
double TruncatePosition(double value, std::string_view formatKey);

}  // namespace dialogs
