// Result codes of the print colour module.
#pragma once

#include <cstdint>

namespace colorcode {

inline constexpr std::int32_t kBadArgument = 13010;      ///< missing argument, framework not bound
inline constexpr std::int32_t kNoMemory = 13020;         ///< a buffer cannot be allocated
inline constexpr std::int32_t kFrameworkObject = 13100;  ///< pre-processing or monochrome object
inline constexpr std::int32_t kCsc1Failed = 13300;       ///< conversion not cut or not made
inline constexpr std::int32_t kCsc1NoTable = 13302;      ///< no conversion table or hint

// Colour tables of the job header. Each table has a code for a missing table, for memory of
// the fetched table, for a failed cut and for memory of the cut part.
struct TableCodes {
    std::int32_t noTable;
    std::int32_t tableMemory;
    std::int32_t cutFailed;
    std::int32_t partMemory;
};
inline constexpr TableCodes kInputGamma = {13900, 13901, 13902, 13903};
inline constexpr TableCodes kCsc2 = {13912, 13911, 13910, 13911};
inline constexpr TableCodes kOutputGamma = {13920, 13921, 13922, 13923};
inline constexpr std::int32_t kNoHalftone = 13930;  ///< the medium names no halftone method
inline constexpr TableCodes kDither = {13932, 13931, 13936, 13931};
inline constexpr TableCodes kErrorDiffusion = {13933, 13931, 13936, 13931};
inline constexpr TableCodes kResolutionConversion = {13934, 13931, 13936, 13931};
inline constexpr TableCodes kIndexData = {13935, 13931, 13936, 13931};

}  // namespace colorcode
