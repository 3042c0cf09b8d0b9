// Colour-adjust entries per test-pattern cell.
#include "color/pattern_value.h"

#include <algorithm>

#include "color/gradation_gamma.h"
#include "record/color_info.h"
#include "record/job_context.h"

namespace {

constexpr double kCaptionGamma = 2.2;
constexpr std::int32_t kLargestAxisCount = 255;  // the record keeps the counts in bytes

struct Range {
    std::int32_t low, high;
};

Range rangeOf(std::int32_t item) {
    switch (item) {
        case kItemTonePointX:
            return {-100, 100};
        case kItemTonePointY:
            return {-40, 40};
        case kItemWhiteFog:
            return {0, 60};
        default:
            return {-30, 30};
    }
}

bool isTonePoint(std::int32_t item) {
    return item == kItemTonePointX || item == kItemTonePointY;
}

// The current value of an item; 0 for what is no item.
std::int32_t baseValue(const ColorAdjustEntry& current, std::int32_t item, std::int32_t gradation) {
    switch (item) {
        case kItemCyanRed:
            return current.cyanRed;
        case kItemMagentaGreen:
            return current.magentaGreen;
        case kItemYellowBlue:
            return current.yellowBlue;
        case kItemGreyTone:
            return current.greyTone;
        case kItemBrightness:
        case kItemMonochromeBrightness:
            return current.brightness;
        case kItemContrast:
        case kItemMonochromeContrast:
            return current.contrast;
        case kItemSaturation:
            return current.saturation;
        case kItemTonePointX:
            return current.tonePointX;
        case kItemTonePointY:
            return current.tonePointY;
        case kItemGradation:
            return gradation;
        case kItemHighlight:
            return current.highlight;
        case kItemShadow:
            return current.shadow;
        case kItemWhiteFog:
            return current.whiteFog;
        default:
            return 0;
    }
}

// Sets an item's value, clamped to its range; a gradation sets the gamma of its code.
void setItem(ColorAdjustEntry& entry, std::int32_t item, std::int32_t value) {
    const Range range = rangeOf(item);
    value = std::clamp(value, range.low, range.high);
    switch (item) {
        case kItemCyanRed:
            entry.cyanRed = value;
            break;
        case kItemMagentaGreen:
            entry.magentaGreen = value;
            break;
        case kItemYellowBlue:
            entry.yellowBlue = value;
            break;
        case kItemGreyTone:
            entry.greyTone = value;
            break;
        case kItemBrightness:
        case kItemMonochromeBrightness:
            entry.brightness = value;
            break;
        case kItemContrast:
        case kItemMonochromeContrast:
            entry.contrast = value;
            break;
        case kItemSaturation:
            entry.saturation = value;
            break;
        case kItemTonePointX:
            entry.tonePointX = value;
            break;
        case kItemTonePointY:
            entry.tonePointY = value;
            break;
        case kItemGradation:
            entry.gamma = gradationGamma(value);
            break;
        case kItemHighlight:
            entry.highlight = value;
            break;
        case kItemShadow:
            entry.shadow = value;
            break;
        case kItemWhiteFog:
            entry.whiteFog = value;
            break;
        default:
            break;
    }
}

// One axis of the grid: its item, cell count and step.
struct Axis {
    std::int32_t item;
    std::int32_t count;
    std::int32_t interval;
    std::int32_t base;

    std::int32_t valueAt(std::int32_t index) const { return base + interval * (index - count / 2); }
};

std::int32_t axisCount(std::int32_t count) {
    return std::clamp(count, 1, kLargestAxisCount);
}

// Tone points are curve tables: each distinct tone point needs a table of its own.
std::int16_t tableIndexOf(const Axis& x, const Axis& y, std::int32_t column, std::int32_t row) {
    if (isTonePoint(x.item) && isTonePoint(y.item)) {
        return static_cast<std::int16_t>(row * x.count + column + 1);
    }
    if (isTonePoint(x.item)) {
        return static_cast<std::int16_t>(column + 1);
    }
    if (isTonePoint(y.item)) {
        return static_cast<std::int16_t>(row + 1);
    }
    return 1;
}

std::uint16_t tableCountOf(const Axis& x, const Axis& y) {
    const bool byColumn = isTonePoint(x.item);
    const bool byRow = isTonePoint(y.item);
    return static_cast<std::uint16_t>((byColumn ? x.count : 1) * (byRow ? y.count : 1));
}

ColorAdjustEntry captionEntry(const ColorAdjustEntry& current) {
    ColorAdjustEntry entry = current;
    entry.tonePointX = 0;
    entry.tonePointY = 0;
    entry.contrast = 0;
    entry.brightness = 0;
    entry.highlight = 0;
    entry.shadow = 0;
    entry.whiteFog = 0;
    entry.gamma = kCaptionGamma;
    entry.tableIndex = 0;
    return entry;
}

}  // namespace

std::int32_t setPatternValue(PLGContext* context) {
    Color_Info& color = *context->colorInfo;
    const CoreCommonInfoTbl& record = *context->jobRecord;
    const bool monochrome = color.colorMode == kColorModeMonochromePhoto;
    const std::int32_t gradation = gradationCode(record.grayGradation);
    if (monochrome) {
        color.monochromeGamma = gradationGamma(gradation);
    }

    ColorAdjustEntry current = color.currentAdjust;
    if (monochrome) {
        current.gamma = color.monochromeGamma;
    }
    Axis x{0, 1, 0, 0};
    Axis y{0, 1, 0, 0};
    if (context->patternPrint != 0) {
        x = {record.patternXItem, axisCount(record.patternXCount), record.patternXInterval, 0};
        y = {record.patternYItem, axisCount(record.patternYCount), record.patternYInterval, 0};
        x.base = baseValue(current, x.item, gradation);
        y.base = baseValue(current, y.item, gradation);
    }
    color.patternXCount = static_cast<std::uint8_t>(x.count);
    color.patternYCount = static_cast<std::uint8_t>(y.count);

    const std::uint32_t capacity = color.adjustEntries != nullptr ? color.adjustEntryCount : 0;
    std::uint32_t written = 0;
    for (std::int32_t row = 0; row < y.count; ++row) {
        for (std::int32_t column = 0; column < x.count && written < capacity; ++column) {
            ColorAdjustEntry& entry = color.adjustEntries[written++];
            entry = current;
            if (context->patternPrint != 0) {
                setItem(entry, x.item, x.valueAt(column));
                setItem(entry, y.item, y.valueAt(row));
            }
            entry.tableIndex = tableIndexOf(x, y, column, row);
        }
    }
    color.tableCount = tableCountOf(x, y);
    if (monochrome && written < capacity &&
        written == static_cast<std::uint32_t>(x.count * y.count)) {
        color.adjustEntries[written] = captionEntry(current);
        ++color.tableCount;
    }
    return 0;
}
