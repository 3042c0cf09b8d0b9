// The progress and cancel channel between the print core and its caller.
//
// Host type 1 (image editor): the caller passes a `ProgressObject` to `RasterCore_Process` (as
// the untyped progress pointer); the core calls it on the job's thread.
// Host type 2 (photo application): the core posts on `cf::NotificationCenter::localCenter()`.
// The progress value goes out as `kChangeProgressValueNotification` whose object points at a
// `cf::Value` real (percent), the status as `kChangeProgressStringNotification` whose object
// points at a `cf::Value` 32-bit integer (a `ProgressStatus`); both objects live only during
// delivery. The caller cancels by posting `kRasterCoreCancelNotification` (any object).
#pragma once

#include <cstdint>

namespace rastercore {

inline constexpr const char* kChangeProgressValueNotification = "kChangeProgressValueNotification";
inline constexpr const char* kChangeProgressStringNotification =
    "kChangeProgressStringNotification";
inline constexpr const char* kRasterCoreCancelNotification = "kRasterCoreCancelNotification";

/// Status message numbers shown by the progress window.
enum ProgressStatus : std::int32_t {
    kProgressStatusWaiting = 1,
    kProgressStatusPrinting = 2,
    kProgressStatusOffline = 3,
    kProgressStatusAnotherUser = 4,
    kProgressStatusPrinterError = 5,
    kProgressStatusSpooling = 6,
};

/// The progress window of an image-editor host, called on the job's thread.
class ProgressObject {
  public:
    virtual ~ProgressObject() = default;
    /// Lets the interface breathe; true when the user asked to cancel.
    virtual bool idleProgress() = 0;
    /// The same while the core waits for the printer to accept the job.
    virtual bool idleProgressJobOpen() = 0;
    /// Shows the progress, 0 to 100 percent.
    virtual void setProgressValue(int percent) = 0;
    /// Shows one of the `ProgressStatus` messages.
    virtual void setStatusMessage(int message) = 0;
};

}  // namespace rastercore
