#include "subdialogs/sub_dialog_base.h"

#include <utility>

#include "dialogs/alert.h"
#include "dialogs/common_function.h"
#include "helpers/kstat.h"
#include "settings/ui_setting.h"

namespace subdialogs {
namespace {

/// What stopModal hands the modal run; the dialog's answer is m_selOK.
constexpr int kModalEnded = 0;
constexpr double kTransparent = 0.0;
constexpr double kOpaque = 1.0;

}  // namespace

kSubDialogBaseClass::kSubDialogBaseClass(ui::Port& port, std::string layout)
    : m_port(port), sWindow(std::move(layout)), m_Region(kStat::Get_RegionCode()) {
    m_loaded = m_port.loadWindow(sWindow);
    if (!m_loaded) {
        return;
    }
    m_port.onAction(sWindow, kOkButton, [this] { ok(); });
    m_port.onAction(sWindow, kCancelButton, [this] { cancel(); });
    m_port.onAction(sWindow, kDefaultButton, [this] { requestDefault(); });
    m_port.onAction(sWindow, kHelpButton, [this] { requestHelp(); });
}

kSubDialogBaseClass::~kSubDialogBaseClass() = default;

std::uint8_t kSubDialogBaseClass::showDialog(const ui::Strings& bundle,
                                             std::optional<std::string> printerShortName,
                                             std::int32_t printerID) {
    m_nsBundle = &bundle;
    m_printerShortName = std::move(printerShortName);
    m_printerID = printerID;
    m_selOK = 0;
    if (!m_loaded) {
        return m_selOK;
    }
    setControlString();
    initControls();
    setControlValues();
    setupWindow();
    runWindow(m_port.keyWindow());
    return m_selOK;
}

void kSubDialogBaseClass::setControlString() {}
void kSubDialogBaseClass::initControls() {}
void kSubDialogBaseClass::setControlValues() {}
void kSubDialogBaseClass::readControlValues() {}
void kSubDialogBaseClass::commitWorkingCopy() {}
void kSubDialogBaseClass::takeDefaults(const UISave&) {}

std::optional<std::string> kSubDialogBaseClass::helpFileName(const PrinterFunction&) const {
    return std::nullopt;
}

void kSubDialogBaseClass::ok() {
    readControlValues();
    commitWorkingCopy();
    m_selOK = 1;
    m_port.stopModal(sWindow, kModalEnded);
}

void kSubDialogBaseClass::cancel() {
    m_selOK = 0;
    m_port.stopModal(sWindow, kModalEnded);
}

void kSubDialogBaseClass::requestDefault() {
    const UISavePtr defaults(GetUIDefault(m_printerID));
    if (defaults == nullptr) {
        return;
    }
    takeDefaults(*defaults);
    setControlValues();
}

void kSubDialogBaseClass::requestHelp() {
    const PrinterFunctionPtr function(GetPrinterFunctionInfo(m_printerID));
    const std::optional<std::string> page =
        function == nullptr ? std::nullopt : helpFileName(*function);
    const bool opened = page && m_printerShortName &&
                        m_port.openFile(dialogs::kCommonFunction::createHelpPath(
                                            *m_nsBundle, *m_printerShortName, *page)
                                            .string());
    if (!opened) {
        kAlert_ZORVEX_common_V600_PS::showCriticalAlertFromKey(m_port, sWindow, *m_nsBundle,
                                                               kNoHelpMessage, nullptr, 0);
    }
}

void kSubDialogBaseClass::centeringWindow() {
    dialogs::kCommonFunction::windowCentering(m_port, sWindow);
    m_port.setAlphaValue(sWindow, kOpaque);
}

void kSubDialogBaseClass::setupWindow() {
    m_port.setAlphaValue(sWindow, kTransparent);
    // Runs once the modal run has put the window on screen, where its frame is final.
    m_port.postToMainThread([this] { centeringWindow(); });
}

void kSubDialogBaseClass::runWindow(const std::string& parent) {
    if (parent.empty()) {
        m_port.runModal(sWindow, {});
    } else {
        m_port.runModal(sWindow, parent);
        m_port.stackAbove(sWindow, {});
        m_port.makeKey(parent);
    }
    m_port.closeWindow(sWindow);
}

std::string kSubDialogBaseClass::localized(std::string_view key) const {
    return m_nsBundle->text(key);
}

}  // namespace subdialogs
