// The test-pattern block and caption texts of the core job record.
#include "pattern_sheet.h"

#include <array>
#include <string>

namespace host {

namespace {

constexpr std::int32_t kMonochromePhoto = 2;  // the model's colour modes
constexpr std::int32_t kProfileMatching = 4;
constexpr std::int32_t kNoYAxis = 16;
constexpr std::int32_t kFirstColorItem = 1;  // adjustment items 1 to 7
constexpr std::int32_t kFirstGreyItem = 8;   // adjustment items 8 to 15

// The colour adjustments: items 1 to 7, and the record's colour caption slots in that order.
constexpr std::array<const char*, 7> kColorNames = {
    "Cyan", "Magenta", "Yellow", "Grey tone", "Brightness", "Contrast", "Saturation"};
// The grey adjustments as items 8 to 15, and in the order of the record's grey caption slots.
constexpr std::array<const char*, 8> kGreyItemNames = {"Tone point X", "Tone point Y", "Gradation",
                                                       "Brightness",   "Contrast",     "Highlight",
                                                       "Shadow",       "White fog"};
constexpr std::array<const char*, 8> kGreySlotNames = {"Gradation",  "Tone point X", "Tone point Y",
                                                       "Brightness", "Contrast",     "Highlight",
                                                       "Shadow",     "White fog"};

// The names of the colour modes 1 to 3 on the output-profile line.
constexpr std::array<const char*, 3> kColorModeNames = {"Automatic colour", "Monochrome photo",
                                                        "No colour correction"};

template <std::size_t N>
const char* nameOf(const std::array<const char*, N>& names, std::int32_t index) {
    return index >= 0 && index < static_cast<std::int32_t>(N) ? names[index] : "";
}

const char* itemName(std::int32_t item) {
    return item >= kFirstGreyItem ? nameOf(kGreyItemNames, item - kFirstGreyItem)
                                  : nameOf(kColorNames, item - kFirstColorItem);
}

void fillPatternBlock(const PatternUISettings& s, CoreCommonInfoTbl& r) {
    r.patternPrint = 1;
    r.patternPaperSource = s.paperSource;
    r.patternPaperSizeID = s.useWidth;
    r.patternPaperWidth = static_cast<std::int32_t>(s.paperWSize);
    r.patternPaperLength = static_cast<std::int32_t>(s.paperHSize);
    r.patternConservePaper = s.paperSave;
    r.patternXItem = s.xAdjustItem;
    r.patternXCount = s.xCount;
    r.patternXInterval = s.xAdjustInterval;
    r.patternYItem = s.yAdjustItem;
    r.patternYCount = s.yAdjustItem == kNoYAxis ? 1 : s.yCount;
    r.patternYInterval = s.yAdjustInterval;
    r.patternRotation = s.patternRotate;
    r.patternFullSize = s.patternSize;
    r.patternSpacing = s.patternSpace;
    r.patternBackgroundColor = s.backGroundColor;
    r.patternCenterX = s.referenceValue_X;
    r.patternCenterY = s.referenceValue_Y;
    r.patternUseSelection = s.partPrintFlg;
    r.patternSelectionWidth = static_cast<std::int32_t>(s.selectBox.width);
    r.patternSelectionHeight = static_cast<std::int32_t>(s.selectBox.height);
}

}  // namespace

void fillPatternSheet(const kCommonDataClass_ZORVEX_common_V600_PS& model,
                      CoreCommonInfoTbl& record, PatternTexts& texts) {
    PatternUISettings settings;
    if (model.colorMode() == kMonochromePhoto) {
        model.getPatternUISettingsMono(&settings);
    } else {
        model.getPatternUISettingsColor(&settings);
    }
    fillPatternBlock(settings, record);

    const auto text = [&texts](const std::string& value) { return &texts.emplace_back(value); };
    const auto labelled = [&](const char* label, std::int32_t value) {
        return text(std::string(label) + " : " + std::to_string(value));
    };
    const CoreCommonInfoTbl& r = record;
    record.patternXTitle = text(itemName(r.patternXItem));
    if (r.patternYItem != kNoYAxis) {
        record.patternYTitle = text(itemName(r.patternYItem));
    }
    record.patternMediumLine = text("Medium : " + model.mediumName().value_or(""));
    record.patternPrintModeLine = labelled("Print mode", model.printMode());
    const std::int32_t mode = model.colorMode();
    record.patternProfileLine =
        text("Output profile : " + (mode == kProfileMatching
                                        ? model.outputProfileName().value_or("")
                                        : std::string(nameOf(kColorModeNames, mode - 1))));
    record.patternOutOfRange = text("Out of range");
    const std::int32_t colorValues[] = {r.cyanRed,    r.magentaGreen, r.yellowBlue, r.grayTone,
                                        r.brightness, r.contrast,     r.saturation};
    for (std::size_t i = 0; i < std::size(colorValues); ++i) {
        record.patternColorItems[i] = labelled(kColorNames[i], colorValues[i]);
    }
    const std::int32_t greyValues[] = {r.grayGradation,  r.grayX,        r.grayY,
                                       r.grayBrightness, r.grayContrast, r.grayHighlight,
                                       r.grayShadow,     r.whiteFog};
    for (std::size_t i = 0; i < std::size(greyValues); ++i) {
        record.patternGrayItems[i] = labelled(kGreySlotNames[i], greyValues[i]);
    }
}

}  // namespace host
