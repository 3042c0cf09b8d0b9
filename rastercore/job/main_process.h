// The job driver: one print job from the caller's job record to a plug-in error code.
#pragma once

#include <cstdint>

#include "job/job_steps.h"

struct CoreCommonInfoTbl;

/// Suite the image editor hands out for colour-space conversions, taken at job start.
inline constexpr const char* kColorSpaceSuiteName = "Photoshop ColorSpace Suite for Plug-ins";
inline constexpr std::int32_t kColorSpaceSuiteVersion = 1;

/// Runs one job with the core's steps: set-up, cancel channel, job open, job start, the band
/// loop or the test-pattern print, job end, printer-side cancel after a failure or cancel, close
/// (as cancelled after a failure or cancel), removal of the cancel observer, tear-down. `reserved`
/// is passed to the set-up; `progress` is the image editor's `rastercore::ProgressObject`. Returns
/// the plug-in error code of the first failing step (`pluginErrorFromResult`); 0xFFFFFFFF for a
/// null table, with nothing done. The steps are those of `jobSteps()`.
std::uint32_t PLG_CCC_Main_Process(void* reserved, CoreCommonInfoTbl* table, void* progress);
