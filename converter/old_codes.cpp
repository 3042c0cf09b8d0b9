#include "old_codes.h"

#include <array>
#include <utility>

namespace {

using CodePair = std::pair<std::int32_t, std::int32_t>;

// The current code of `oldCode` in `table`, or `otherwise`.
template <std::size_t N>
std::int32_t mapped(const std::array<CodePair, N>& table, std::int32_t oldCode,
                    std::int32_t otherwise) {
    for (const auto& [from, to] : table) {
        if (from == oldCode) {
            return to;
        }
    }
    return otherwise;
}

}  // namespace

std::int32_t changePrinterID(std::int32_t oldID) {
    // Old printer ids 15 to 36 in order.
    constexpr std::int32_t kFirstOldID = 15;
    constexpr std::array<std::int32_t, 22> kPrinterIDs = {
        1, 2, 6, 9, 8, 11, 15, 13, 19, 20, 16, 18, 23, 26, 29, 27, 30, 28, 35, 36, 37, 38};
    if (oldID < kFirstOldID ||
        oldID >= kFirstOldID + static_cast<std::int32_t>(kPrinterIDs.size())) {
        return 0;
    }
    return kPrinterIDs[static_cast<std::size_t>(oldID - kFirstOldID)];
}

std::int32_t convColorMode(std::int32_t oldCode) {
    constexpr std::int32_t kICCMatching = 4;
    return mapped(std::array<CodePair, 3>{{{1, 1}, {2, 3}, {3, 2}}}, oldCode, kICCMatching);
}

std::int32_t convMatchingMethod(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 4>{{{2, 2}, {3, 3}, {4, 4}, {5, 1}}}, oldCode, 0);
}

std::int32_t convCalibrationValue(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 2>{{{0, 1}, {1, 2}}}, oldCode, 0);
}

std::int32_t convInkImpact(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 1>{{{1, 1}}}, oldCode, 0);
}

void convSSC(std::int32_t oldCode, std::int32_t* check, std::int32_t* adjustment) {
    // Old codes 4 to 6 turn the check on with adjustments 1 to 3.
    constexpr std::int32_t kFirstOn = 4;
    constexpr std::int32_t kLastOn = 6;
    const bool on = oldCode >= kFirstOn && oldCode <= kLastOn;
    if (check != nullptr) {
        *check = on ? 1 : 0;
    }
    if (adjustment != nullptr) {
        *adjustment = on ? oldCode - kFirstOn + 1 : 1;
    }
}

std::int32_t convImageEnlargementMethod(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 2>{{{2, 1}, {5, 2}}}, oldCode, 0);
}

std::int32_t convOutputMethod(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 2>{{{1, 1}, {2, 2}}}, oldCode, 0);
}

std::int32_t convLayout(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 2>{{{2, 1}, {3, 2}}}, oldCode, 0);
}

std::int32_t convRoolPaperLayout(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 1>{{{6, 1}}}, oldCode, 0);
}

std::int32_t convInkSystem(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 2>{{{1, 2}, {2, 3}}}, oldCode, 1);
}

std::int32_t convSelectTab(std::int32_t oldCode) {
    // Old tabs 0 to 5 are counted from 1 now.
    constexpr std::int32_t kLastOldTab = 5;
    return oldCode >= 0 && oldCode <= kLastOldTab ? oldCode + 1 : 1;
}

std::int32_t convPreview(std::int32_t oldCode) {
    return mapped(std::array<CodePair, 2>{{{3, 1}, {4, 2}}}, oldCode, 0);
}
