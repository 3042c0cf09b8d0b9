// The optimisation values of a print mode, used when the media database is opened and sent with
// the job.
#pragma once

#include <cstdint>

/// How the media database is opened: with the job record's own media data (4), or by the
/// database's optimise modes 1 and 2.
inline constexpr std::int32_t kOpenModeRecordData = 4;

/// The optimise flag, optimise value and media-database open mode of `printMode` (1, 2, 4, 8 or
/// 16) with ink impact on or off, for a model whose print-mode kind is `printModeKind` (1 or 2).
/// Each output pointer may be null; an output is written only where the mode's rule sets it.
/// Returns 0, or -1 for a print mode or kind without a rule (some outputs may still be set).
std::int32_t getOptimizeMode(std::int32_t printMode, bool inkImpact, std::uint8_t* optimizeFlag,
                             std::uint8_t* optimizeValue, std::int32_t* openMode,
                             std::int32_t printModeKind);
