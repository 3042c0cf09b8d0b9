#include "dialogs/progress_window.h"

#include <string>

#include "cf/notification_center.h"

using Progress = kProgress_ZORVEX_common_V600_PS;

namespace {

constexpr const char* kPercentFormat = "%d%%";
constexpr ui::Point kCursorHotSpot{8.0, 8.0};

std::string percentText(int percent) {
    char text[16];
    std::snprintf(text, sizeof text, kPercentFormat, percent);
    return text;
}

std::string cursorResource(std::int32_t frame) {
    return "clockCursor" + std::to_string(frame) + ".tiff";
}

}  // namespace

Progress::kProgress_ZORVEX_common_V600_PS(ui::Port& port, const ui::Strings& strings)
    : port_(port), strings_(strings), hasWindow_(port.loadWindow(kWindow)) {
    if (hasWindow_) {
        port_.onAction(kWindow, kCancelButton, [this] { cancel(); });
    }
}

Progress::~kProgress_ZORVEX_common_V600_PS() {
    if (m_cursorTimer >= 0) {
        stopCursorTimer();
    }
    if (hasWindow_) {
        port_.onAction(kWindow, kCancelButton, nullptr);
    }
}

const char* Progress::statusKey(std::int32_t message) {
    switch (message) {
        case rastercore::kProgressStatusPrinting:
            return "STEXT_PROGRESS_STATE_PRINT_TEXT";
        case rastercore::kProgressStatusOffline:
            return "STEXT_PROGRESS_STATE_OFFLINE_TEXT";
        case rastercore::kProgressStatusAnotherUser:
            return "STEXT_PROGRESS_STATE_ANOTHERUSER_TEXT";
        case rastercore::kProgressStatusPrinterError:
            return "STEXT_PROGRESS_STATE_PRINTERERROR_TEXT";
        case rastercore::kProgressStatusSpooling:
            return "STEXT_PROGRESS_STATE_SPOOL_TEXT";
        default:
            return "STEXT_PROGRESS_STATE_WAIT_TEXT";
    }
}

void Progress::setupProgressWindow(std::int32_t kind, std::int32_t hostType) {
    m_callApplType = hostType;
    if (!hasWindow_) {
        return;
    }
    switch (kind) {
        case kKindReadImage:
            port_.setTitle(kWindow, strings_.text("STEXT_PROGRESS_ROADIMAGE_CAP"));
            port_.setText(kWindow, kStatusText,
                          strings_.text("STEXT_PROGRESS_STATE_ROADIMAGE_TEXT"));
            break;
        case kKindPrint:
            showStatus(rastercore::kProgressStatusPrinting);
            break;
        case kKindSpool:
            showStatus(rastercore::kProgressStatusSpooling);
            break;
        case kKindWait:
            showStatus(rastercore::kProgressStatusWaiting);
            break;
        default:
            break;
    }
    port_.setText(kWindow, kCancelButton, strings_.text("STEXT_CANCEL_BUTTON"));
    requestedPercent_ = 0;
    drawProgressValue(0);
    makeCursorTimer();
}

void Progress::showProgressWindow() {
    if (!hasWindow_ || port_.isVisible(kWindow)) {
        return;
    }
    port_.setEnabled(kWindow, kCancelButton, true);
    port_.beginModalSession(kWindow);
    m_ProgressSession = true;
    idleProgress();
}

void Progress::hideProgressWindow() {
    if (hasWindow_ && port_.isVisible(kWindow)) {
        if (m_ProgressSession) {
            port_.endModalSession(kWindow);
        }
        port_.closeWindow(kWindow);
        m_ProgressSession = false;
    }
    stopCursorTimer();
}

void Progress::suspendProgressWindow() {
    if (m_ProgressSession && isModalHere()) {
        port_.endModalSession(kWindow);
        m_ProgressSession = false;
    }
}

void Progress::resumeProgressWindow() {
    if (!hasWindow_ || !port_.isVisible(kWindow) || m_ProgressSession) {
        return;
    }
    port_.beginModalSession(kWindow);
    m_ProgressSession = true;
}

void Progress::showProgressWindow_forVPX(std::string_view /*parent: the key window is taken*/) {
    if (!hasWindow_) {
        return;
    }
    m_ShowProgWindow = 1;
    port_.runModal(kWindow, "");
    stopCursorTimer();
}

void Progress::closeProgressWindow_forVPX() {
    if (m_ShowProgWindow) {
        port_.stopModal(kWindow, 0);
        m_ShowProgWindow = 0;
    }
}

void Progress::cancel_forVPX() {
    // The core's worker observes the cancel on the local centre; post it before the window goes.
    cf::NotificationCenter::localCenter().post(rastercore::kRasterCoreCancelNotification);
    port_.stopModal(kWindow, 0);
    m_ShowProgWindow = 0;
}

void Progress::cancel() {
    if (m_callApplType == kHostPhotoApplication) {
        cancel_forVPX();
    } else {
        port_.setEnabled(kWindow, kCancelButton, false);
    }
}

bool Progress::idleProgress() {
    if (!isModalHere()) {
        return false;
    }
    port_.processEvents(std::chrono::milliseconds(0));
    return cancelLatched();
}

bool Progress::idleProgressJobOpen() {
    if (!isModalHere()) {
        return false;
    }
    if (cancelLatched()) {
        return true;
    }
    // A click on Cancel while waiting reaches cancel() through the button's action.
    port_.processEvents(kJobOpenWait);
    return cancelLatched();
}

void Progress::setProgressValue(int percent) {
    if (requestedPercent_.exchange(percent) == percent) {
        return;
    }
    if (port_.onMainThread()) {
        drawProgressValue(percent);
        return;
    }
    port_.postToMainThread([this, alive = std::weak_ptr<bool>(alive_), percent] {
        if (alive.lock()) {
            drawProgressValue(percent);
        }
    });
}

void Progress::setStatusMessage(int message) {
    if (port_.onMainThread()) {
        showStatus(message);
        return;
    }
    port_.postToMainThread([this, alive = std::weak_ptr<bool>(alive_), message] {
        if (alive.lock()) {
            showStatus(message);
        }
    });
}

void Progress::drawProgressValue(int percent) {
    if (!hasWindow_) {
        return;
    }
    port_.setValue(kWindow, kProgressBar, percent);
    port_.setText(kWindow, kParText, percentText(percent));
}

void Progress::makeCursorTimer() {
    m_curID = 0;
    changeCursor();
    if (m_cursorTimer < 0) {
        m_cursorTimer = port_.startTimer(kCursorInterval, [this] { changeCursor(); });
    }
}

void Progress::changeCursor() {
    std::int32_t frame = 1;
    if (m_curID >= 0 && m_curID < kCursorFrames - 1) {
        frame = m_curID + 1;
        ++m_curID;
    } else {
        frame = m_curID == kCursorFrames - 1 ? kCursorFrames : 1;
        m_curID = 0;
    }
    port_.setCursorPicture(cursorResource(frame), kCursorHotSpot);
}

void Progress::stopCursorTimer() {
    m_curID = 0;
    if (m_cursorTimer >= 0) {
        port_.stopTimer(m_cursorTimer);
        m_cursorTimer = -1;
    }
    port_.restoreCursor();
}

bool Progress::isModalHere() const {
    return hasWindow_ && port_.modalWindow() == kWindow;
}

bool Progress::cancelLatched() const {
    return !port_.isEnabled(kWindow, kCancelButton);
}

void Progress::showStatus(std::int32_t message) {
    if (hasWindow_) {
        port_.setText(kWindow, kStatusText, strings_.text(statusKey(message)));
    }
}
