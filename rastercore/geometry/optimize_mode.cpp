// Optimisation values by print mode, ink impact and the model's print-mode kind.
#include "geometry/optimize_mode.h"

#include "rastercore/result_codes.h"

namespace {

constexpr std::int32_t kKindOne = 1;
constexpr std::int32_t kKindTwo = 2;
/// The optimise flag of print mode 8 with ink impact on a kind-1 model.
constexpr std::uint8_t kFlagInkImpact = 8;
constexpr std::uint8_t kFlagOn = 1;

struct Outputs {
    std::uint8_t* flag;
    std::uint8_t* value;
    std::int32_t* openMode;

    void flagTo(std::uint8_t f) const {
        if (flag != nullptr) {
            *flag = f;
        }
    }
    void valueAndOpenTo(std::uint8_t v, std::int32_t o) const {
        if (value != nullptr) {
            *value = v;
        }
        if (openMode != nullptr) {
            *openMode = o;
        }
    }
    std::int32_t set(std::uint8_t f, std::uint8_t v, std::int32_t o) const {
        flagTo(f);
        valueAndOpenTo(v, o);
        return rastercore::kResultOk;
    }
};

}  // namespace

std::int32_t getOptimizeMode(std::int32_t printMode, bool inkImpact, std::uint8_t* optimizeFlag,
                             std::uint8_t* optimizeValue, std::int32_t* openMode,
                             std::int32_t printModeKind) {
    const Outputs out{optimizeFlag, optimizeValue, openMode};
    const bool knownKind = printModeKind == kKindOne || printModeKind == kKindTwo;
    switch (printMode) {
        case 1:
        case 2:
        case 4:
            if (!inkImpact) {
                return out.set(0, 2, kOpenModeRecordData);
            }
            return knownKind ? out.set(0, 3, 2) : rastercore::kResultFailure;
        case 8:
            if (printModeKind == kKindTwo) {
                return inkImpact ? out.set(0, 3, 2) : out.set(0, 2, kOpenModeRecordData);
            }
            if (printModeKind == kKindOne) {
                return inkImpact ? out.set(kFlagInkImpact, 1, 1) : out.set(0, 1, 1);
            }
            if (!inkImpact) {
                out.flagTo(0);
            }
            return rastercore::kResultFailure;
        case 16:
            if (knownKind) {
                return out.set(printModeKind == kKindOne ? kFlagOn : 0, 1, 1);
            }
            out.valueAndOpenTo(1, 1);
            return rastercore::kResultFailure;
        default:
            return rastercore::kResultFailure;
    }
}
