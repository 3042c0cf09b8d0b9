// Gain of the unsharp mask as a function of the size of a luminance detail.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace imaging {

/// Entries of sharpnessTable: details of 0 ... 1279 (on the 16-bit luminance scale).
inline constexpr std::size_t kSharpnessTableSize = 1280;

/// Gain factors in units of 1/1024, indexed by the magnitude of a luminance detail: 41 for
/// details up to 19, rising slowly for small details and saturating at 1024 from 1258 on.
/// Nondecreasing.
extern const std::array<std::int64_t, kSharpnessTableSize> sharpnessTable;

}  // namespace imaging
