// Old setting values to current ones.
#include "history/old_record_values.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using ValuePair = std::pair<std::int32_t, std::int32_t>;

template <std::size_t N>
std::int32_t mapped(const std::array<ValuePair, N>& table, std::int32_t value,
                    std::int32_t fallback) {
    const auto row = std::ranges::find(table, value, &ValuePair::first);
    return row != table.end() ? row->second : fallback;
}

constexpr std::array<ValuePair, 22> kPrinterIDs{{
    {15, 1},  {16, 2},  {17, 6},  {18, 9},  {19, 8},  {20, 11}, {21, 15}, {22, 13},
    {23, 19}, {24, 20}, {25, 16}, {26, 18}, {27, 23}, {28, 26}, {29, 29}, {30, 27},
    {31, 30}, {32, 28}, {33, 35}, {34, 36}, {35, 37}, {36, 38},
}};

}  // namespace

std::int32_t changePrinterID(std::int32_t oldPrinterType) {
    return mapped(kPrinterIDs, oldPrinterType, 0);
}

std::int32_t convColorMode(std::int32_t oldColorMode) {
    constexpr std::int32_t kProfileColorMode = 4;
    return mapped(std::array<ValuePair, 3>{{{1, 1}, {2, 3}, {3, 2}}}, oldColorMode,
                  kProfileColorMode);
}

std::int32_t convMatchingMethod(std::int32_t oldMethod) {
    return mapped(std::array<ValuePair, 4>{{{2, 2}, {3, 3}, {4, 4}, {5, 1}}}, oldMethod, 0);
}

std::int32_t convCalibrationValue(std::int32_t oldValue) {
    return mapped(std::array<ValuePair, 2>{{{0, 1}, {1, 2}}}, oldValue, 0);
}

std::int32_t convInkImpact(std::int32_t oldValue) {
    return oldValue == 1 ? 1 : 0;
}

SSCValues convSSC(std::int32_t oldValue) {
    constexpr std::int32_t kFirstAdjusting = 4;
    constexpr std::int32_t kLastAdjusting = 6;
    if (oldValue >= kFirstAdjusting && oldValue <= kLastAdjusting) {
        return {1, oldValue - kFirstAdjusting + 1};
    }
    return {0, 1};
}

std::int32_t convImageEnlargementMethod(std::int32_t oldMethod) {
    return mapped(std::array<ValuePair, 2>{{{2, 1}, {5, 2}}}, oldMethod, 0);
}

std::int32_t convOutputMethod(std::int32_t oldMethod) {
    return mapped(std::array<ValuePair, 2>{{{1, 1}, {2, 2}}}, oldMethod, 0);
}

std::int32_t convLayout(std::int32_t oldLayout) {
    return mapped(std::array<ValuePair, 2>{{{2, 1}, {3, 2}}}, oldLayout, 0);
}

std::int32_t convRoolPaperLayout(std::int32_t oldLayout) {
    return oldLayout == 6 ? 1 : 0;
}

std::int32_t convInkSystem(std::int32_t oldInkSystem) {
    return mapped(std::array<ValuePair, 2>{{{1, 2}, {2, 3}}}, oldInkSystem, 1);
}

std::int32_t convSelectTab(std::int32_t oldTab) {
    constexpr std::int32_t kLastOldTab = 5;
    return oldTab >= 1 && oldTab <= kLastOldTab ? oldTab + 1 : 1;
}

std::int32_t convPreview(std::int32_t oldPreview) {
    return mapped(std::array<ValuePair, 2>{{{3, 1}, {4, 2}}}, oldPreview, 0);
}
