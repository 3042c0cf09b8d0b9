// The job driver over a test's own steps.
#pragma once

#include "job/main_process.h"

namespace jobtest {

/// Runs one job with `steps` in place of the core's for the call.
inline std::uint32_t runJob(const JobSteps& steps, void* reserved, CoreCommonInfoTbl* table,
                            void* progress) {
    const seam::ScopedOverride override(jobSteps(), steps);
    return PLG_CCC_Main_Process(reserved, table, progress);
}

}  // namespace jobtest
