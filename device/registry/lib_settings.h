// The library's polling intervals, read once from its Settings.plist, and the check whether a
// process is alive.
//
// Settings.plist is found at $STRATOLINE_DOVO_SETTINGS when that variable is set; otherwise in the
// folder "DovoCommonLib.resources" beside the file of the library (libDovoCommonLib.so, or the
// program the library is linked into). It is a dictionary whose optional number keys
// "AdminThreadDequeueInterval", "AdminThreadPausingInterval", "WaitForCompleteTaskRetryInterval"
// and "LockRetryInterval" give the intervals in seconds; each defaults to 0.002. A value that is
// no usable polling interval keeps the default.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>

class CLibSettings {
  public:
    static constexpr double kDefaultInterval = 0.002;  // seconds
    /// Polling intervals above this would leave the waits that poll unresponsive for too long.
    static constexpr double kLongestInterval = 10.0;  // seconds

    /// Whether `seconds` can serve as a polling interval: between 0 and kLongestInterval.
    static bool isUsableInterval(double seconds) {
        return seconds >= 0 && seconds <= kLongestInterval;  // false for NaN
    }

    /// The one instance of the process, made (and the file read) on first use.
    static CLibSettings& sharedSettings();

    CLibSettings(const CLibSettings&) = delete;
    CLibSettings& operator=(const CLibSettings&) = delete;

    /// Sleep of the administration thread when the queue is empty.
    double dequeueInterval() const { return dequeueInterval_; }
    void setDequeueInterval(double seconds) { dequeueInterval_ = seconds; }
    /// Sleep of the administration thread while it is paused.
    double pausingInterval() const { return pausingInterval_; }
    void setPausingInterval(double seconds) { pausingInterval_ = seconds; }
    /// Sleep between looks at the complete list.
    double waitForCompleteTaskRetryInterval() const { return waitForCompleteTaskRetryInterval_; }
    void setWaitForCompleteTaskRetryInterval(double seconds) {
        waitForCompleteTaskRetryInterval_ = seconds;
    }
    /// Sleep between attempts to take a cross-process lock.
    double tryLockInterval() const { return tryLockInterval_; }
    void setTryLockInterval(double seconds) { tryLockInterval_ = seconds; }

    /// Whether a process with this identifier runs. 0 and negative identifiers (-1 is the
    /// "no process" of the owner fields, 0 is what a freshly zeroed field holds) never do, and a
    /// process that has ended but is not yet reaped counts as ended.
    static bool isProcessRunningByPID(std::int32_t pid);

    /// When the process with this identifier started, in clock ticks after boot; 0 when it does
    /// not run or the process table cannot be read.
    static std::uint64_t processStartTime(std::int32_t pid);

    /// Where the settings file is looked for.
    static std::filesystem::path settingsFilePath();

    /// Takes the intervals that the settings file at `path` gives; an unreadable file, or a key
    /// without a usable number, leaves the interval as it is.
    void loadSettings(const std::filesystem::path& path);

  private:
    CLibSettings();

    std::atomic<double> dequeueInterval_{kDefaultInterval};
    std::atomic<double> pausingInterval_{kDefaultInterval};
    std::atomic<double> waitForCompleteTaskRetryInterval_{kDefaultInterval};
    std::atomic<double> tryLockInterval_{kDefaultInterval};
};
