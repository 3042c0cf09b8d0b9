// The alert each of the plug-in's error codes is shown with.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "plugin_error_codes.h"
#include "ui/port.h"

namespace dialogs {

using namespace plugin_error_codes;

/// The message key that a code the table lacks is shown with.
inline constexpr const char* kUndefinedErrorKey = "MESS_ERR_NOT_DEFINE";

struct ErrorAlert {
    std::int32_t code;
    const char* messageKey;
    ui::AlertStyle style;  ///< critical or informational
};

/// Every row of the table, in the order of the codes.
std::span<const ErrorAlert> ErrorAlertTable();

/// The alert of `code`: none for 0; the row whose code equals it exactly; else
/// kUndefinedErrorKey, critical.
std::optional<ErrorAlert> ErrorAlertForCode(std::int64_t code);

}  // namespace dialogs
