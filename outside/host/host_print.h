// Running one print through the print core as the host type does it: the image editor on its
// own thread with its progress object, the photo application on a worker over a byte copy of
// the job record while its window watches for the user's cancel.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "cf/notification_center.h"
#include "host_progress.h"
#include "host_shell.h"
#include "rastercore/core_common_info_tbl.h"

namespace host {

/// While it lives, the print core's progress and status posts of a photo-application print (on
/// the local centre, from the core's worker) reach `percent` and `status`.
class CoreProgressObservers {
  public:
    CoreProgressObservers(std::function<void(int)> percent, std::function<void(int)> status);

  private:
    cf::NotificationCenter::Observer progress_;
    cf::NotificationCenter::Observer status_;
};

/// The photo application's cancel: posted once, as soon as `display` says that the user asked
/// for it. Called from the window's poll and from each progress value, so that a cancel
/// percentage takes effect at that percentage.
class PhotoApplicationCancel {
  public:
    explicit PhotoApplicationCancel(const ProgressDisplay& display) : display_(display) {}
    void postWhenAsked();

  private:
    const ProgressDisplay& display_;
    std::atomic<bool> posted_{false};
};

/// Runs `RasterCore_Process` for `record` as host `type` does, reporting to `display`; the
/// plug-in code.
std::uint32_t runPrint(HostType type, CoreCommonInfoTbl& record, ProgressDisplay& display);

}  // namespace host
