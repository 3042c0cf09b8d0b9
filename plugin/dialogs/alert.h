// Application-modal alerts by text, by key and by plug-in error code.
//
// Each operation answers the alert's response: 1000 when OK ends it, 1001 when Cancel does.
// Texts by key come from `strings`, where a missing key shows as the key. The buttons are
// "STEXT_OK_BUTTON" and, only when the cancel flag is 1, "STEXT_CANCEL_BUTTON". When `window` is
// not empty it is made key again after the alert.
#pragma once

#include <cstdint>

#include "ui/port.h"
#include "ui/strings.h"

class kAlert_ZORVEX_common_V600_PS {
  public:
    /// A critical alert with the texts as given.
    static std::int32_t showAlert(ui::Port& port, std::string_view window,
                                  const ui::Strings& strings, std::string_view message,
                                  std::string_view informative, std::uint8_t cancelFlag);
    /// A warning; a null informative key gives an empty informative text.
    static std::int32_t showAlertFromKey(ui::Port& port, std::string_view window,
                                         const ui::Strings& strings, const char* messageKey,
                                         const char* informativeKey, std::uint8_t cancelFlag);
    static std::int32_t showCriticalAlertFromKey(ui::Port& port, std::string_view window,
                                                 const ui::Strings& strings, const char* messageKey,
                                                 const char* informativeKey,
                                                 std::uint8_t cancelFlag);
    static std::int32_t showInfoAlertFromKey(ui::Port& port, std::string_view window,
                                             const ui::Strings& strings, const char* messageKey,
                                             const char* informativeKey, std::uint8_t cancelFlag);
    /// Nothing for code 0 (answers 0); else the table's key and kind, no informative text.
    static std::int32_t showAlertFromErrCode(std::int64_t code, ui::Port& port,
                                             std::string_view window, const ui::Strings& strings,
                                             std::uint8_t cancelFlag);
};
