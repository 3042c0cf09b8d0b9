#include "host_window.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "cf/bundle.h"
#include "dialogs/plugin_strings.h"
#include "dialogs/progress_window.h"
#include "host_print.h"
#include "rastercore/raster_core.h"
#include "ui/qt_port.h"

namespace host {
namespace {

using Progress = kProgress_ZORVEX_common_V600_PS;

// A display that cannot be reached leaves Qt on the offscreen platform, and the window is not used.
constexpr const char* kPlatforms = "xcb;offscreen";
constexpr const char* kOffscreen = "offscreen";
constexpr std::chrono::milliseconds kCancelPoll{10};

// The image editor's progress object: the window, and the terminal beside it.
class WindowAndTerminal : public rastercore::ProgressObject {
  public:
    WindowAndTerminal(Progress& window, ProgressDisplay& display)
        : window_(window), terminal_(display) {}
    bool idleProgress() override {
        const bool windowCancelled = window_.idleProgress();
        return terminal_.idleProgress() || windowCancelled;
    }
    bool idleProgressJobOpen() override {
        const bool windowCancelled = window_.idleProgressJobOpen();
        return terminal_.idleProgressJobOpen() || windowCancelled;
    }
    void setProgressValue(int percent) override {
        window_.setProgressValue(percent);
        terminal_.setProgressValue(percent);
    }
    void setStatusMessage(int message) override {
        window_.setStatusMessage(message);
        terminal_.setStatusMessage(message);
    }

  private:
    Progress& window_;
    EditorProgress terminal_;
};

}  // namespace

struct PrintWindow::Parts {
    int argc = 1;
    char program[16] = "stratoline-host";
    char* argv[2] = {program, nullptr};
    std::unique_ptr<QApplication> application;
    std::unique_ptr<dialogs::PlugInStrings> strings;
    std::unique_ptr<ui::QtPort> port;
};

std::unique_ptr<PrintWindow> PrintWindow::open() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return nullptr;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", kPlatforms, 1);
    }
    auto parts = std::make_unique<Parts>();
    parts->application = std::make_unique<QApplication>(parts->argc, parts->argv);
    if (QGuiApplication::platformName() == kOffscreen) {
        return nullptr;
    }
    std::shared_ptr<cf::Bundle> resources(cf::Bundle::open(STRATOLINE_DIALOG_RESOURCES).release());
    if (resources == nullptr) {
        return nullptr;
    }
    parts->strings = std::make_unique<dialogs::PlugInStrings>(resources);
    parts->port = std::make_unique<ui::QtPort>(*parts->strings, resources->resourcesPath());
    return std::unique_ptr<PrintWindow>(new PrintWindow(std::move(parts)));
}

PrintWindow::PrintWindow(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

PrintWindow::~PrintWindow() {
    parts_->port.reset();
}

std::uint32_t PrintWindow::print(HostType type, CoreCommonInfoTbl& record,
                                 ProgressDisplay& display) {
    return type == HostType::PhotoApplication ? printAsPhotoApplication(record, display)
                                              : printAsEditor(record, display);
}

std::uint32_t PrintWindow::printAsEditor(CoreCommonInfoTbl& record, ProgressDisplay& display) {
    Progress window(*parts_->port, *parts_->strings);
    window.setupProgressWindow(Progress::kKindWait, Progress::kHostImageEditor);
    window.showProgressWindow();
    WindowAndTerminal progress(window, display);
    const std::uint32_t result =
        RasterCore_Process(&record, static_cast<rastercore::ProgressObject*>(&progress));
    window.hideProgressWindow();
    return result;
}

std::uint32_t PrintWindow::printAsPhotoApplication(const CoreCommonInfoTbl& record,
                                                   ProgressDisplay& display) {
    ui::QtPort& port = *parts_->port;
    Progress window(port, *parts_->strings);
    window.setupProgressWindow(Progress::kKindWait, Progress::kHostPhotoApplication);
    // A cancel from the terminal (a signal, or the cancel percentage reached) goes the way the
    // window's Cancel goes, once.
    PhotoApplicationCancel cancel(display);
    // The core posts from its worker: the window takes the values through queued calls.
    const CoreProgressObservers observers(
        [&](int percent) {
            window.setProgressValue(percent);
            display.progress(percent);
            cancel.postWhenAsked();
        },
        [&](int message) {
            window.setStatusMessage(message);
            display.status(message);
        });
    const int cancelTimer = port.startTimer(kCancelPoll, [&cancel] { cancel.postWhenAsked(); });
    std::vector<std::uint8_t> copy(sizeof record);
    std::memcpy(copy.data(), &record, sizeof record);
    std::uint32_t result = 0;
    std::thread worker([&] {
        result = RasterCore_Process(reinterpret_cast<CoreCommonInfoTbl*>(copy.data()), nullptr);
        port.postToMainThread([&window] { window.closeProgressWindow_forVPX(); });
    });
    window.showProgressWindow_forVPX("");
    // After a cancel the window is gone while the core winds the job down.
    worker.join();
    QCoreApplication::processEvents();
    port.stopTimer(cancelTimer);
    return result;
}

}  // namespace host
