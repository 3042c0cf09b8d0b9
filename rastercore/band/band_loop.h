// The band loop: every copy of the image page, one output line at a time.
//
// Contract of the line sink: lines are produced top to bottom on the caller's thread, each
// fetched from the host, sharpened, converted, mirrored, scaled, colour-processed, merged with
// the caption, and handed to the command generator as a one-line band whose commands go out at
// once as print data. Progress is reported and cancel observed before every line. Every buffer
// the loop makes lives for the call only; nothing is allocated per line.
#pragma once

#include <cstdint>

struct PLGContext;

/// Runs all copies of the image page of `context` through `bandServices()` (the caption, colour,
/// converter and page steps). Returns 0, 1100 (cancelled) or the failure code of the first
/// failing step; -1 for a context without its command record, packet record, job record,
/// command buffer, band line or colour output line, or with a line buffer smaller than its
/// line; 12010 for a command buffer smaller than the generator's band bound.
std::int32_t mainloop_for_LFP(PLGContext* context);
