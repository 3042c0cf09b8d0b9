// The value rules of the job set-up.
#include "setup/setup_rules.h"

#include <algorithm>
#include <cstring>

#include "cf/value.h"
#include "rastercore/core_common_info_tbl.h"
#include "strings/text_codec.h"

namespace setup {

namespace {

constexpr std::int32_t kModelYes = 1;

// Roll-width codes of the paper names a borderless or roll-fitted job may carry, from 1.
constexpr std::array<std::string_view, 26> kRollWidthNames = {
    "PHOTO_8X10", "INCH_10X12", "INCH_14X17", "INCH_16X20", "ANSI_C",  "INCH_20",
    "ARCH_D",     "ARCH_E1",    "ARCH_E",     "INCH_42X60", "INCH_43", "INCH_44X62",
    "INCH_50X70", "INCH_54X76", "INCH_59",    "INCH_60X84", "ISO_A0",  "ISO_A1",
    "ISO_A2",     "ISO_A3",     "JIS_B0",     "JIS_B1",     "JIS_B2",  "JIS_B4",
    "MM_300X900", "ISO_A3_PLUS"};

// Option-byte slots.
enum OptionSlot : std::size_t {
    kDryingBetweenPages = 0,
    kDryingBetweenScans = 1,
    kNearEndMargin = 2,
    kThickness = 5,
    kVacuum = 6,
    kCutSpeed = 8,
    kFarEndMargin = 11,
};

// The detail item of each media-detail choice, in the order the packet record holds them.
constexpr std::array<std::size_t, kMediaDetailChoiceCount> kDetailItems = {1, 2,  3, 13,
                                                                           6, 14, 7, 9};

std::uint8_t optionByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}

// A connection through the device library's LPR transport.
bool isLprConnection(std::string_view connectionType) {
    return connectionType == "WQS_LPR" || connectionType == "WQS_LPRV6";
}

}  // namespace

std::uint16_t rollWidthCode(std::string_view paperName) {
    const auto found = std::find(kRollWidthNames.begin(), kRollWidthNames.end(), paperName);
    return found == kRollWidthNames.end()
               ? kRollWidthOtherName
               : static_cast<std::uint16_t>(found - kRollWidthNames.begin() + 1);
}

std::int32_t blurPreventionKind(std::int32_t blurPrevention) {
    switch (blurPrevention) {
        case 3:
            return 4;
        case 2:
            return 0;
        default:
            return kSingleSscNotSent;
    }
}

std::int32_t sscLevel(std::int32_t sscSetting) {
    constexpr std::int32_t kFirstLevelSetting = 4;
    constexpr std::int32_t kLastLevelSetting = 6;
    return sscSetting >= kFirstLevelSetting && sscSetting <= kLastLevelSetting
               ? sscSetting - kFirstLevelSetting + 1
               : 0;
}

std::array<std::uint8_t, kOptionByteCount> optionBytes(const CoreCommonInfoTbl& table,
                                                       const ModelAtlasTbl& model) {
    std::array<std::uint8_t, kOptionByteCount> bytes;
    bytes.fill(kNotSent);
    bytes[kDryingBetweenPages] = optionByte(table.pageWaitTime);
    bytes[kDryingBetweenScans] = optionByte(table.bandWaitTime);
    bytes[kNearEndMargin] = optionByte(table.tipSpace);
    bytes[kThickness] = optionByte(table.paperThick);
    bytes[kVacuum] = optionByte(table.paperSuction);
    bytes[kCutSpeed] = optionByte(table.cutSpeed);
    bytes[kFarEndMargin] = optionByte(table.backendSpace);
    if (model.BlankBack_Thickness == kModelYes) {
        bytes[kThickness] = kNotSent;
        bytes[kFarEndMargin] = kNotSent;
        if (model.Printing_Suction == kModelYes) {
            bytes[kVacuum] = kNotSent;
        }
    }
    return bytes;
}

std::array<std::uint8_t, kMediaDetailChoiceCount> mediaDetailChoices(
    const std::array<std::uint8_t, kOptionByteCount>& options) {
    std::array<std::uint8_t, kMediaDetailChoiceCount> choices;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::size_t slot = kDetailItems[i] - 1;
        choices[i] = slot < options.size() ? options[slot] : kNotSent;
    }
    return choices;
}

std::string printerNameOfPopUp(std::string_view connectionType, std::string_view popUpName) {
    if (!isLprConnection(connectionType)) {
        return std::string(popUpName);
    }
    const std::size_t blank = popUpName.rfind(' ');
    return std::string(blank == std::string_view::npos ? popUpName : popUpName.substr(blank + 1));
}

std::uint8_t workingDepthCode(std::int32_t hostBits, std::int32_t inputBit) {
    constexpr std::int32_t kWideHostBits = 16;
    if (hostBits == kWideHostBits) {
        return inputBit != 0 ? 4 : 3;
    }
    return inputBit != 0 ? 2 : 1;
}

std::uint8_t outputDepthOfChoice(std::int32_t inputBit) {
    if (inputBit == 0) {
        return 0;
    }
    return inputBit == 1 ? 1 : 2;
}

bool captionRequested(const CoreCommonInfoTbl& table, bool borderless) {
    const bool itemOn = table.captionNumber != 0 || table.captionFileName != 0 ||
                        table.captionDateTime != 0 || table.captionColorSet != 0 ||
                        table.captionPrinterName != 0 || table.captionJobComment != 0;
    const std::string* text = table.captionText != nullptr ? table.captionText->string() : nullptr;
    return table.caption != 0 && !borderless && itemOn && text != nullptr && !text->empty();
}

void copyCut(char* destination, std::size_t size, std::string_view text, std::size_t limit) {
    if (size == 0) {
        return;
    }
    const std::size_t length = textcodec::cutLength(text, std::min(limit, size - 1));
    std::memcpy(destination, text.data(), length);
    destination[length] = '\0';
}

}  // namespace setup
