// The job's colour adjustments and tone curves applied to preview pixels through the colour
// framework, which is bound by name for each call.
#pragma once

#include <cstdint>

#include "preview/preview_job.h"

/// Monochrome photo processing of width x height RGB pixels from `data.source` into
/// `data.destination` (which may be the same buffer). The destination first takes a copy of the
/// source, so it holds the image whether or not the framework processes it. 0, or the
/// framework's error.
std::int32_t Prev_ColorProcess_MONO(const PreviewJob& job, const ColorDataRec& data);

/// Colour balance, brightness, contrast, saturation, grey tone and tone curves; as above.
std::int32_t Prev_ColorProcess_COLOR(const PreviewJob& job, const ColorDataRec& data);

/// The processing of the call's colour mode: monochrome in colour mode 3, colour otherwise.
std::int32_t previewColorProcess(const PreviewJob& job, const ColorDataRec& data);
