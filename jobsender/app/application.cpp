// The program's life: the library's set-up, the application object, the one loop that serves
// events and runs the processing cycles, and the end.
#include "app/application.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "DovoCommonLib/ios_library.h"
#include "IOSProxyKit/ios_agency.h"
#include "app/app_main.h"
#include "app/app_resources.h"
#include "events/event_socket.h"
#include "protocol/job_sender_client.h"

namespace jobsender {
namespace {

using Clock = std::chrono::steady_clock;

/// How long one connection may take to deliver its event.
constexpr std::chrono::milliseconds kEventReadWait{2000};

// The application's delegate: it makes the application object at launch, asks it whether the
// application may terminate, and ends it with the device library.
class AppDelegate final : public AppServices {
  public:
    explicit AppDelegate(const QuitAlert& quitAlert) : quitAlert_(quitAlert) {}

    void applicationWillFinishLaunching(events::EventDispatcher& dispatcher) {
        IOS_Initialize();
        appMain_ = std::make_unique<CAppMain>(dispatcher, *this);
    }
    bool applicationShouldTerminate() { return appMain_->shouldQuit(); }
    void applicationWillTerminate() {
        appMain_.reset();
        IOS_Terminate();
    }

    double now() override {
        return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
    void requestTermination() override { terminationRequested_ = true; }
    std::string localizedString(std::string_view key) override { return mainBundleString(key); }
    bool runQuitAlert(const std::string& message, const std::string& firstButton,
                      const std::string& secondButton) override {
        return quitAlert_(message, firstButton, secondButton);
    }

    // The one loop: events between cycles, cycles when due, and a requested termination once
    // the application object agrees. A signal ends the loop at once.
    void run(events::EventListener& listener, const events::EventDispatcher& dispatcher,
             int signals) {
        const auto handle = [&](const events::Event& event) { return dispatcher.dispatch(event); };
        auto nextCycle = Clock::now();
        for (;;) {
            const auto wait =
                std::chrono::duration_cast<std::chrono::milliseconds>(nextCycle - Clock::now());
            pollfd ready[] = {{listener.descriptor(), POLLIN, 0}, {signals, POLLIN, 0}};
            if (::poll(ready, 2, static_cast<int>(std::max<std::int64_t>(wait.count(), 0))) > 0) {
                if (ready[1].revents != 0) {
                    return;
                }
                while (listener.serveOne(handle, kEventReadWait)) {
                }
            }
            if (Clock::now() >= nextCycle) {
                nextCycle = Clock::now() + appMain_->JobProcessing();
            }
            if (terminationRequested_) {
                terminationRequested_ = false;
                if (applicationShouldTerminate()) {
                    return;
                }
            }
        }
    }

  private:
    const QuitAlert& quitAlert_;
    std::unique_ptr<CAppMain> appMain_;
    bool terminationRequested_ = false;
};

// SIGTERM and SIGINT arrive as readable bytes on a descriptor of the loop; SIGPIPE is ignored.
int signalDescriptor() {
    ::signal(SIGPIPE, SIG_IGN);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
        return -1;
    }
    return ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

}  // namespace

int runApplication(const QuitAlert& quitAlert) {
    char root[kIOSAgencyPathBufferSize] = {};
    if (IOS_Agency_GetRootSpoolFolder(root) != kIOSAgencyNoErr) {
        std::fprintf(stderr, "JobSenderAgent: no root spool folder\n");
        return kExitNoSpool;
    }
    const auto socket = jobSenderSocket(fieldText(root, sizeof(root)));
    events::EventListener::OpenStatus status = events::EventListener::OpenStatus::kFailed;
    const auto listener = socket ? events::EventListener::open(*socket, status) : nullptr;
    if (status == events::EventListener::OpenStatus::kInUse) {
        return kExitDone;  // another job sender serves this spool folder
    }
    const int signals = signalDescriptor();
    if (!listener || signals < 0) {
        std::fprintf(stderr, "JobSenderAgent: cannot listen for events\n");
        return kExitNoSocket;
    }
    events::EventDispatcher dispatcher;
    AppDelegate delegate(quitAlert);
    delegate.applicationWillFinishLaunching(dispatcher);
    delegate.run(*listener, dispatcher, signals);
    delegate.applicationWillTerminate();
    ::close(signals);
    return kExitDone;
}

}  // namespace jobsender
