// The host stand-in's progress window: progress and status on the terminal, and the user's cancel
// (an interrupt signal, or a chosen percentage) for either host type.
#pragma once

#include <atomic>
#include <csignal>
#include <cstdint>
#include <optional>
#include <ostream>

#include "rastercore/progress.h"

namespace host {

/// Set by the interrupt and termination signals: the user cancels the print.
extern volatile std::sig_atomic_t interruptRequested;

/// Makes SIGINT and SIGTERM ask for cancel instead of ending the program.
void catchInterrupts();

/// Shows what the core reports and decides when the user cancels.
class ProgressDisplay {
  public:
    ProgressDisplay(std::ostream& out, std::optional<int> cancelAtPercent, bool quiet)
        : out_(out), cancelAt_(cancelAtPercent), quiet_(quiet) {}

    void progress(int percent);
    void status(int message);
    /// True once the user cancelled (a signal, or the cancel percentage reached).
    bool cancelRequested() const;
    /// Ends the progress line.
    void finish();

    int lastPercent() const { return lastPercent_.load(); }
    int lastStatus() const { return lastStatus_.load(); }

  private:
    std::ostream& out_;
    std::optional<int> cancelAt_;
    bool quiet_;
    std::atomic<int> lastPercent_{-1};
    std::atomic<int> lastStatus_{0};
    bool lineOpen_ = false;
};

/// The image editor's progress object: the core calls it on the job's thread.
class EditorProgress : public rastercore::ProgressObject {
  public:
    explicit EditorProgress(ProgressDisplay& display) : display_(display) {}
    bool idleProgress() override { return display_.cancelRequested(); }
    bool idleProgressJobOpen() override { return display_.cancelRequested(); }
    void setProgressValue(int percent) override { display_.progress(percent); }
    void setStatusMessage(int message) override { display_.status(message); }

  private:
    ProgressDisplay& display_;
};

/// The text of a status message number.
const char* statusText(int message);

}  // namespace host
