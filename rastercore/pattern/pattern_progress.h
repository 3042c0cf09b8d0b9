// Progress and cancel of the test-pattern print loop: one step per base image row and per
// printed sheet line.
#pragma once

#include <cstdint>

struct PLGContext;

struct PatternProgress {
    std::int64_t total;  ///< steps of the whole loop
    std::int64_t done;   ///< steps taken
    double lastCheck;    ///< seconds of the image editor's last cancel check
    std::int16_t lastPercent;
};

/// Takes one step: reports the percent (100 exactly at the last step, else
/// trunc((done + 1) × 100 / (total + 1))) and checks for cancel by the host type of the host
/// table: the photo application (2) on every step, the image editor (1) when time has passed
/// since its last check, other hosts never. Returns 0, or 1100 when the user cancelled.
std::int32_t PLG_PPL_Progress(PLGContext* context, PatternProgress* progress);
