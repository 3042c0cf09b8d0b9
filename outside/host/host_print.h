// Running one print through the print core as the host type does it: the image editor on its
// own thread with its progress object, the photo application on a worker over a byte copy of
// the job record while its window watches for the user's cancel.
#pragma once

#include <cstdint>

#include "host_progress.h"
#include "host_shell.h"
#include "rastercore/core_common_info_tbl.h"

namespace host {

/// Runs `RasterCore_Process` for `record` as host `type` does, reporting to `display`; the
/// plug-in code.
std::uint32_t runPrint(HostType type, CoreCommonInfoTbl& record, ProgressDisplay& display);

}  // namespace host
