// Exported entry points of the print core (libRasterCore.so).
#pragma once

#include <cstdint>

#include "rastercore/common_info_table.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/pattern_calc.h"
#include "rastercore/preview_color.h"
#include "rastercore/progress.h"
#include "rastercore/result_codes.h"

#define RASTERCORE_EXPORT __attribute__((visibility("default")))

extern "C" {

/// Runs one print job end to end on the calling thread: set-up, job open, job start, the image
/// (or test-pattern) pages, job end, close or cancel, tear-down. `table` is the caller's filled
/// job record (the core sets its cancel byte and rewrites some settings of a pattern job);
/// `progress` is a `rastercore::ProgressObject*` for host type 1 and is ignored otherwise.
/// Returns a plug-in error code (`rastercore::kPlg...`), 0xFFFFFFFF for a null `table`.
/// When the Desktop folder holds a "DEBUG_TIME" folder, appends the job's time to
/// "DEBUG_TIME/debug_time.csv" there.
RASTERCORE_EXPORT std::uint32_t RasterCore_Process(CoreCommonInfoTbl* table, void* progress);

/// 1 when the printer model is served by a CUPS/PPD driver, 0 when by the maker's own driver
/// plug-in (a "<model>.plugin" bundle under the driver root's Orvane/TARN/Controls folder, with
/// no reachable PPD named for the model in the product list).
RASTERCORE_EXPORT std::int32_t RasterCore_isCUPSDriver(const char* modelName);

/// Lays the test-pattern sheet of `table` out for the dialog's preview. Returns the answer, to
/// be freed with `RasterCore_PatternCalc_Term`, or null; the status goes into the record's result
/// byte (offset 3124) as its low byte: 0, 1 (FULL does not fit), 10 (an empty rectangle), 24
/// (-1000, out of memory, also when the answer itself cannot be made) or 255 (-1, no host
/// record). A null `table` gives null.
RASTERCORE_EXPORT PatternPreviewInfo* RasterCore_PatternCalc(CoreCommonInfoTbl* table);

/// Frees an answer of `RasterCore_PatternCalc` and its cell array; null is allowed. Returns 0.
RASTERCORE_EXPORT std::int32_t RasterCore_PatternCalc_Term(PatternPreviewInfo* answer);
}
