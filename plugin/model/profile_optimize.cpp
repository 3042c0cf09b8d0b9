// The optimise mode whose output profile a medium uses.
#include "profile_optimize.h"

namespace {
constexpr std::int32_t kPrintModeFine = 8;
constexpr std::int32_t kPrintModeFinest = 16;
constexpr std::uint16_t kOptimisedResolutionHints = 0x1000 | 0x2000;
constexpr std::int32_t kOptimizeModeOne = 1;
constexpr std::int32_t kOptimizeModeTwo = 2;
}  // namespace

std::int32_t profileOptimizeMode(std::int32_t level, bool vgm, std::int32_t printMode,
                                 std::uint16_t resolutionHint, std::uint8_t inkImpact,
                                 std::int32_t optimize) {
    switch (level) {
        case 2:
            if (vgm && printMode == kPrintModeFinest) {
                return kOptimizeModeOne;
            }
            return inkImpact == 1 ? kOptimizeModeTwo : optimize;
        case 1:
            if ((printMode == kPrintModeFine || printMode == kPrintModeFinest) &&
                (resolutionHint & kOptimisedResolutionHints) != 0) {
                return kOptimizeModeOne;
            }
            return inkImpact == 1 ? kOptimizeModeTwo : optimize;
        default:
            return vgm && printMode == kPrintModeFinest ? kOptimizeModeTwo : optimize;
    }
}
