// The host stand-in's progress display.
#include "host_progress.h"

namespace host {

volatile std::sig_atomic_t interruptRequested = 0;

namespace {

extern "C" void onInterrupt(int) {
    interruptRequested = 1;
}

}  // namespace

void catchInterrupts() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

const char* statusText(int message) {
    switch (message) {
        case rastercore::kProgressStatusWaiting:
            return "waiting for the printer";
        case rastercore::kProgressStatusPrinting:
            return "printing";
        case rastercore::kProgressStatusOffline:
            return "printer offline";
        case rastercore::kProgressStatusAnotherUser:
            return "printer used by another user";
        case rastercore::kProgressStatusPrinterError:
            return "printer error";
        case rastercore::kProgressStatusSpooling:
            return "spooling";
        default:
            return "status";
    }
}

void ProgressDisplay::progress(int percent) {
    lastPercent_ = percent;
    if (!quiet_) {
        out_ << "\rprinting " << percent << " %" << std::flush;
        lineOpen_ = true;
    }
}

void ProgressDisplay::status(int message) {
    const bool changed = lastStatus_.exchange(message) != message;
    if (!quiet_ && changed) {
        finish();
        out_ << statusText(message) << std::endl;
    }
}

bool ProgressDisplay::cancelRequested() const {
    return interruptRequested != 0 || (cancelAt_ && lastPercent_.load() >= *cancelAt_);
}

void ProgressDisplay::finish() {
    if (lineOpen_) {
        out_ << std::endl;
        lineOpen_ = false;
    }
}

}  // namespace host
