#include "dialogs/alert.h"

#include "dialogs/error_codes.h"

namespace {

constexpr std::uint8_t kCancelFlagTwoButtons = 1;

std::int32_t run(ui::Port& port, std::string_view window, const ui::Strings& strings,
                 ui::AlertStyle style, std::string message, std::string informative,
                 std::uint8_t cancelFlag) {
    ui::Alert alert{
        style, std::move(message), std::move(informative), {strings.text("STEXT_OK_BUTTON")}};
    if (cancelFlag == kCancelFlagTwoButtons) {
        alert.buttons.push_back(strings.text("STEXT_CANCEL_BUTTON"));
    }
    const std::int32_t response = port.runAlert(alert);
    if (!window.empty()) {
        port.makeKey(window);
    }
    return response;
}

std::int32_t runByKey(ui::Port& port, std::string_view window, const ui::Strings& strings,
                      ui::AlertStyle style, const char* messageKey, const char* informativeKey,
                      std::uint8_t cancelFlag) {
    return run(port, window, strings, style, strings.text(messageKey ? messageKey : ""),
               informativeKey ? strings.text(informativeKey) : std::string(), cancelFlag);
}

}  // namespace

std::int32_t kAlert_ZORVEX_common_V600_PS::showAlert(ui::Port& port, std::string_view window,
                                                     const ui::Strings& strings,
                                                     std::string_view message,
                                                     std::string_view informative,
                                                     std::uint8_t cancelFlag) {
    return run(port, window, strings, ui::AlertStyle::critical, std::string(message),
               std::string(informative), cancelFlag);
}

std::int32_t kAlert_ZORVEX_common_V600_PS::showAlertFromKey(ui::Port& port, std::string_view window,
                                                            const ui::Strings& strings,
                                                            const char* messageKey,
                                                            const char* informativeKey,
                                                            std::uint8_t cancelFlag) {
    return runByKey(port, window, strings, ui::AlertStyle::warning, messageKey, informativeKey,
                    cancelFlag);
}

std::int32_t kAlert_ZORVEX_common_V600_PS::showCriticalAlertFromKey(
    ui::Port& port, std::string_view window, const ui::Strings& strings, const char* messageKey,
    const char* informativeKey, std::uint8_t cancelFlag) {
    return runByKey(port, window, strings, ui::AlertStyle::critical, messageKey, informativeKey,
                    cancelFlag);
}

std::int32_t kAlert_ZORVEX_common_V600_PS::showInfoAlertFromKey(
    ui::Port& port, std::string_view window, const ui::Strings& strings, const char* messageKey,
    const char* informativeKey, std::uint8_t cancelFlag) {
    return runByKey(port, window, strings, ui::AlertStyle::informational, messageKey,
                    informativeKey, cancelFlag);
}

std::int32_t kAlert_ZORVEX_common_V600_PS::showAlertFromErrCode(std::int64_t code, ui::Port& port,
                                                                std::string_view window,
                                                                const ui::Strings& strings,
                                                                std::uint8_t cancelFlag) {
    const auto alert = dialogs::ErrorAlertForCode(code);
    if (!alert) {
        return 0;
    }
    if (alert->style == ui::AlertStyle::informational) {
        return showInfoAlertFromKey(port, window, strings, alert->messageKey, nullptr, cancelFlag);
    }
    return showCriticalAlertFromKey(port, window, strings, alert->messageKey, nullptr, cancelFlag);
}
