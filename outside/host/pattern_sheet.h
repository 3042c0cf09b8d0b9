// A test-pattern sheet of the host stand-in, written into the core job record as the
// test-pattern dialog writes it: the pattern block from the model's pattern settings and the
// sheet's caption texts in the dialog's forms ("label : value"), in English.
#pragma once

#include <deque>

#include "cf/value.h"
#include "common_data.h"
#include "rastercore/core_common_info_tbl.h"

namespace host {

/// The caption texts the record points to; they must outlive its use.
using PatternTexts = std::deque<cf::Value>;

/// Makes `record`, filled by `model`, the record of a test-pattern sheet of the model's pattern
/// settings (the monochrome ones for a monochrome print); its caption texts go into `texts`.
void fillPatternSheet(const kCommonDataClass_ZORVEX_common_V600_PS& model,
                      CoreCommonInfoTbl& record, PatternTexts& texts);

}  // namespace host
