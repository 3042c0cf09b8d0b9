// The print plug-in's progress window over the stand-in's print, on the desktop's display: the
// image editor prints on this thread with the window as (part of) its progress object, the photo
// application prints on a worker while the window runs modally. The terminal keeps its progress
// line and its cancel by signal.
#pragma once

#include <cstdint>
#include <memory>

#include "host_progress.h"
#include "host_shell.h"
#include "rastercore/core_common_info_tbl.h"

namespace host {

class PrintWindow {
  public:
    /// None when no X display is named (DISPLAY) or it cannot be reached.
    static std::unique_ptr<PrintWindow> open();
    ~PrintWindow();

    /// Runs `RasterCore_Process` for `record` as host `type` does, with the window up; the
    /// plug-in code.
    std::uint32_t print(HostType type, CoreCommonInfoTbl& record, ProgressDisplay& display);

  private:
    struct Parts;
    explicit PrintWindow(std::unique_ptr<Parts> parts);
    std::uint32_t printAsEditor(CoreCommonInfoTbl& record, ProgressDisplay& display);
    std::uint32_t printAsPhotoApplication(const CoreCommonInfoTbl& record,
                                          ProgressDisplay& display);

    std::unique_ptr<Parts> parts_;
};

}  // namespace host
