// The test-pattern layout for the dialog's preview: the answer the dialog reads, and its release.
#pragma once

#include <cstdint>

#include "rastercore/pattern_calc.h"

struct PatternInfo;

/// Makes the preview answer of a layout result and frees the result's arrays. Null when the
/// answer cannot be allocated.
PatternPreviewInfo* Preview_PatternInfoValue(PatternInfo* info);

/// Frees the answer's cell array and the answer; null is allowed.
void Preview_PatternTermination(PatternPreviewInfo* answer);
