// The progress window shown while the host's image is read and while a print runs: a status
// line, a bar with its percent text and a Cancel button, and the clock cursor while it is up.
//
// For the image editor (host type 1) it is the print core's progress object: the core calls it
// on the main thread inside the print, the window runs a modal session that idleProgress turns,
// and a pressed Cancel latches (the button stays disabled and every later poll answers true).
// For the photo application (host type 2) the window runs modally while a worker prints, and
// Cancel posts kRasterCoreCancelNotification on the local notification centre.
//
// setProgressValue and setStatusMessage may be called from any thread: off the main thread they
// are queued to it, so widgets are only touched there. The progress value is passed on only when
// its whole percent changes.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "rastercore/progress.h"
#include "ui/port.h"
#include "ui/strings.h"

class kProgress_ZORVEX_common_V600_PS : public rastercore::ProgressObject {
  public:
    /// The window's layout name and its controls.
    static constexpr const char* kWindow = "PLProgress";
    static constexpr const char* kStatusText = "statusText";
    static constexpr const char* kParText = "parText";
    static constexpr const char* kProgressBar = "progressBar";
    static constexpr const char* kCancelButton = "cancelButton";

    /// Set-up kinds.
    static constexpr std::int32_t kKindReadImage = 1;
    static constexpr std::int32_t kKindPrint = 2;
    static constexpr std::int32_t kKindSpool = 3;
    static constexpr std::int32_t kKindWait = 4;

    static constexpr std::int32_t kHostImageEditor = 1;
    static constexpr std::int32_t kHostPhotoApplication = 2;

    /// The clock cursor turns one frame every half second through eight frames.
    static constexpr std::chrono::milliseconds kCursorInterval{500};
    static constexpr std::int32_t kCursorFrames = 8;
    /// idleProgressJobOpen waits this long for an event.
    static constexpr std::chrono::milliseconds kJobOpenWait{500};

    /// Loads the window; without its layout the object has no window, every operation acts on
    /// nothing and the polls answer false.
    kProgress_ZORVEX_common_V600_PS(ui::Port& port, const ui::Strings& strings);
    ~kProgress_ZORVEX_common_V600_PS() override;
    kProgress_ZORVEX_common_V600_PS(const kProgress_ZORVEX_common_V600_PS&) = delete;
    kProgress_ZORVEX_common_V600_PS& operator=(const kProgress_ZORVEX_common_V600_PS&) = delete;

    /// Title and status by kind (1 to 4; another kind leaves them), Cancel's title, 0 %, and
    /// the clock cursor.
    void setupProgressWindow(std::int32_t kind, std::int32_t hostType);

    // Host type 1.
    void showProgressWindow();
    void hideProgressWindow();
    void suspendProgressWindow();
    void resumeProgressWindow();

    // Host type 2.
    /// Runs the window modally above the key window until it is closed or cancelled.
    void showProgressWindow_forVPX(std::string_view parent);
    void closeProgressWindow_forVPX();
    std::uint8_t checkShowProgressWindow() const { return m_ShowProgWindow; }
    void cancel_forVPX();

    // The progress object.
    bool idleProgress() override;
    bool idleProgressJobOpen() override;
    void setProgressValue(int percent) override;
    void setStatusMessage(int message) override;

    /// The Cancel button's action.
    void cancel();
    void drawProgressValue(int percent);

    void makeCursorTimer();
    void changeCursor();
    void stopCursorTimer();

    /// The text key of a status message number.
    static const char* statusKey(std::int32_t message);

  private:
    bool isModalHere() const;
    bool cancelLatched() const;
    void showStatus(std::int32_t message);

    ui::Port& port_;
    const ui::Strings& strings_;
    bool hasWindow_ = false;
    std::uint8_t m_ShowProgWindow = 0;
    bool m_ProgressSession = false;
    std::int32_t m_callApplType = 0;
    int m_cursorTimer = -1;
    std::int32_t m_curID = 0;
    std::atomic<int> requestedPercent_{-1};
    // Calls queued from other threads run only while this is alive.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
