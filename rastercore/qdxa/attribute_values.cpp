// The job attribute values.
#include "qdxa/attribute_values.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "bytes/byte_order.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/region_code.h"

namespace {

using rastercore::kPacketBadArgument;
using rastercore::kResultOk;

constexpr std::int16_t kLanguageCharSet17 = 1;
constexpr std::int16_t kRegionKorean = 51;
constexpr std::int16_t kRegionSimplifiedChinese = 52;
constexpr std::uint8_t kChoiceUnset = 1;
constexpr std::uint8_t kChoiceUnsetAlt = 255;
constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kUnicodePanelMessage = 1;
constexpr std::int32_t kPanelAlternativeCharSet = 2;
constexpr std::int32_t kPanelMessageLong = 2;
constexpr std::int32_t kOutputPrint = 0;
constexpr std::int32_t kOutputStore = 2;

// Job-start-2 values.
constexpr std::uint8_t kJobKindPrint = 2;
constexpr std::uint8_t kJobKindStoreOnly = 3;
constexpr std::uint8_t kJobKindOther = 1;
constexpr std::uint8_t kPrintKind = 3;
constexpr std::uint8_t kSubKindAfterReception = 7;
constexpr std::uint8_t kSubKindWhileReceiving = 4;

// The job system's fixed identifier 8BF23A27-2E1E-44D4-B21F-573297D793AB at the head of every
// client job record.
constexpr std::uint32_t kClientIdFirst = 0x8BF23A27;
constexpr std::uint16_t kClientIdSecond = 0x2E1E;
constexpr std::uint16_t kClientIdThird = 0x44D4;
constexpr std::array<std::uint8_t, 8> kClientIdTail = {0xB2, 0x1F, 0x57, 0x32,
                                                       0x97, 0xD7, 0x93, 0xAB};
constexpr std::size_t kClientTextOffset = 32;
constexpr std::size_t kClientTextSlot = 16;

struct TextRule {
    bool utf16;
    std::uint16_t charSet;
    std::size_t limit;  // bytes
};

bool isUtf16Language(std::int16_t languageCode) {
    return languageCode == 7 || languageCode == 8 || languageCode == 9;
}

std::uint16_t oneByteCharSet(std::int16_t languageCode) {
    return languageCode == kLanguageCharSet17 ? kCharSetLanguage1 : kCharSetOneByte;
}

// The rule of the job name, the owner and the stored job's name.
TextRule nameRule(const QDXA_Info* info, std::size_t limit) {
    const bool utf16 = isUtf16Language(info->languageCode);
    return {utf16, utf16 ? kCharSetUtf16 : oneByteCharSet(info->languageCode), limit};
}

// A text value in its wire form. UTF-16 text is cut to whole units and written big-endian into
// the value; the prepared text itself stays as it is.
QDXA_TextValue encodeText(const char* text, std::size_t unicodeBytes, const TextRule& rule) {
    QDXA_TextValue value{};
    value.charSet = rule.charSet;
    if (text == nullptr) {
        return value;
    }
    if (rule.utf16) {
        const std::size_t count =
            std::min({unicodeBytes, static_cast<std::size_t>(kQdxaTextBuffer), rule.limit}) &
            ~std::size_t{1};
        for (std::size_t i = 0; i < count; i += 2) {
            std::uint16_t unit;
            std::memcpy(&unit, text + i, sizeof unit);
            bytes::storeBE16(value.text + i, unit);
        }
        value.length = static_cast<std::uint8_t>(count);
    } else {
        const std::size_t count = std::min(strnlen(text, kQdxaTextBuffer), rule.limit);
        std::memcpy(value.text, text, count);
        value.length = static_cast<std::uint8_t>(count);
    }
    return value;
}

const ModelAtlasTbl* modelOf(const QDXA_Info* info) {
    return info != nullptr && info->context != nullptr ? &info->context->modelTable : nullptr;
}

bool isRoll(const QDXA_Info* info) {
    return (info->paperSource & kRollPaperSourceMask) != 0;
}

std::uint8_t trayCode(std::int32_t rule, std::uint16_t source) {
    const bool rollOrLong = source == 128 || source == 8192;
    switch (rule) {
        case 2:
            return source == 128 ? 18 : 201;
        case 3:
        case 4:
            if (source == 1 || source == 2 || source == 4 || source == 8) {
                return 101;
            }
            if (source == 16 || rollOrLong) {
                return 20;
            }
            return rule == 3 ? 211 : 201;
        case 5:
            return rollOrLong ? 18 : 201;
        default:
            return source == 1 ? 11 : 13;
    }
}

// When a media-detail item counts, beside its choice being set.
enum class DetailNeeds { Always, Roll, RollOrNoThicknessSetting, RollOrNoSuctionSetting };

struct DetailItem {
    std::uint8_t item;
    DetailNeeds needs;
    std::array<std::uint8_t, 8> valueFromChoice2;  // values of the choices 2, 3, ...; others 0
};

// One item per media-detail choice, in the order they are sent.
constexpr std::array<DetailItem, kMediaDetailChoiceCount> kDetailItems = {{
    {1, DetailNeeds::Always, {3, 33, 4, 34, 6, 7, 8, 9}},
    {2, DetailNeeds::Always, {3, 10, 11, 12, 13, 14}},
    {3, DetailNeeds::Roll, {35, 15, 17}},
    {13, DetailNeeds::Roll, {15, 29}},
    {6, DetailNeeds::RollOrNoThicknessSetting, {23, 21, 24}},
    {14, DetailNeeds::Roll, {20, 36, 37, 38, 22}},
    {7, DetailNeeds::RollOrNoSuctionSetting, {30, 31, 21, 25}},
    {9, DetailNeeds::Roll, {32, 21, 27, 32}},
}};

bool detailItemCounts(DetailNeeds needs, const ModelAtlasTbl& model, bool roll) {
    switch (needs) {
        case DetailNeeds::Always:
            return true;
        case DetailNeeds::Roll:
            return roll;
        case DetailNeeds::RollOrNoThicknessSetting:
            return roll || model.DetailMedia_Paper_Thickness_set != kModelYes;
        case DetailNeeds::RollOrNoSuctionSetting:
            return roll || model.DetailMedia_Paper_Suction_set != kModelYes;
    }
    return false;
}

std::uint8_t detailValue(const DetailItem& item, std::uint8_t choice) {
    constexpr std::uint8_t kFirstMappedChoice = 2;
    const std::size_t index = static_cast<std::size_t>(choice - kFirstMappedChoice);
    return choice >= kFirstMappedChoice && index < item.valueFromChoice2.size()
               ? item.valueFromChoice2[index]
               : 0;
}

bool hasOwner(const QDXA_Info* info) {
    if (info->ownerText[0] != '\0') {
        return true;
    }
    const std::int16_t region = Get_RegionCode();
    return (region == kRegionKorean || region == kRegionSimplifiedChinese) &&
           info->ownerUnicodeBytes != 0;
}

}  // namespace

std::int32_t PLG_Get_JobName(QDXA_Info* info, const char* text) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    info->jobName = encodeText(text, info->jobNameUnicodeBytes, nameRule(info, kJobNameMax));
    return kResultOk;
}

std::int32_t PLG_Get_JobOwner(QDXA_Info* info, const char* text) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    info->owner = encodeText(text, info->ownerUnicodeBytes, nameRule(info, kQdxaTextMax));
    return kResultOk;
}

std::int32_t PLG_Get_JobID(QDXA_Info* info, const char* text) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    info->identifierOnClient = {};
    if (text != nullptr) {
        const std::size_t length = strnlen(text, kQdxaTextMax);
        std::memcpy(info->identifierOnClient.text, text, length);
        info->identifierOnClient.length = static_cast<std::uint8_t>(length);
    }
    return kResultOk;
}

std::int32_t PLG_Get_ClientJobID(QDXA_Info* info) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    std::uint8_t* record = info->jobStart2.clientJobRecord;
    std::memset(record, 0, kClientJobRecordSize);
    bytes::storeBE32(record, kClientIdFirst);
    bytes::storeBE16(record + 4, kClientIdSecond);
    bytes::storeBE16(record + 6, kClientIdThird);
    std::memcpy(record + 8, kClientIdTail.data(), kClientIdTail.size());
    const std::size_t length = strnlen(info->jobIdentifier, kClientTextMax);
    for (std::size_t slot = 0; slot < 2; ++slot) {
        std::memcpy(record + kClientTextOffset + slot * kClientTextSlot, info->jobIdentifier,
                    length);
    }
    return kResultOk;
}

QDXA_DateWords qdxaDateWords(std::time_t seconds) {
    constexpr int kSunday = 0;
    constexpr std::uint32_t kSundayCode = 7;
    constexpr int kTmYearBase = 1900;
    constexpr std::uint32_t kMillisecondsPerSecond = 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    const std::uint32_t weekday =
        utc.tm_wday == kSunday ? kSundayCode : static_cast<std::uint32_t>(utc.tm_wday);
    const auto field = [](int value) { return static_cast<std::uint32_t>(value); };
    return {
        field(utc.tm_year + kTmYearBase) << 20 | field(utc.tm_mon + 1) << 16 |
            field(utc.tm_mday) << 11 | weekday << 8,
        field(utc.tm_hour) << 24 | field(utc.tm_min) << 16 |
            field(utc.tm_sec) * kMillisecondsPerSecond,
    };
}

std::int32_t PLG_Get_SubnissionTimeOnClient(QDXA_Info* info) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    info->submissionTime = qdxaDateWords(std::time(nullptr));
    return kResultOk;
}

std::int32_t PLG_Get_PanelMessage(QDXA_Info* info, const char* text) {
    const ModelAtlasTbl* model = modelOf(info);
    if (model == nullptr) {
        return kPacketBadArgument;
    }
    const std::size_t limit =
        model->PanelMessageMaxNum == kPanelMessageLong ? kPanelMessageLongMax : kPanelMessageMax;
    TextRule rule{false, oneByteCharSet(info->languageCode), limit};
    if (isUtf16Language(info->languageCode) && model->Unicode == kUnicodePanelMessage) {
        rule = {true, kCharSetUtf16, limit};
    } else if (model->Unicode == kPanelAlternativeCharSet) {
        rule.charSet = kCharSetPanelAlternative;
    }
    info->panelMessage = encodeText(text, info->panelMessageUnicodeBytes, rule);
    return kResultOk;
}

std::int32_t PLG_Get_InputTrayPriorityArray(QDXA_Info* info, std::uint16_t paperSource) {
    const ModelAtlasTbl* model = modelOf(info);
    if (model == nullptr) {
        return kPacketBadArgument;
    }
    info->trayArray = {};
    info->trayArray.count = kTrayEntryMax;
    info->trayArray.entries[0].trayCode = trayCode(model->Tray_Array_Priority, paperSource);
    return kResultOk;
}

std::int32_t PLG_Get_CuttingType(QDXA_Info* info, std::int32_t cuttingChoice) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    switch (cuttingChoice) {
        case 1:
            info->cuttingType = 2;
            break;
        case 2:
            info->cuttingType = 1;
            break;
        case 3:
            info->cuttingType = 3;
            break;
        default:
            info->cuttingType = 4;
            break;
    }
    return kResultOk;
}

std::int32_t PLG_Get_InkDryType(QDXA_Info* info) {
    const ModelAtlasTbl* model = modelOf(info);
    if (model == nullptr) {
        return kPacketBadArgument;
    }
    info->inkDryingType = model->MarkerColorantDryingType == kModelYes ? 2 : 1;
    return kResultOk;
}

std::int32_t PLG_Get_Detail_Media(QDXA_Info* info, PLGContext* context) {
    if (info == nullptr || context == nullptr) {
        return kPacketBadArgument;
    }
    const bool roll = isRoll(info);
    info->detailMedia = {};
    for (std::size_t i = 0; i < kDetailItems.size(); ++i) {
        const DetailItem& item = kDetailItems[i];
        const std::uint8_t choice = info->mediaDetailChoices[i];
        if (choice == kChoiceUnset || choice == kChoiceUnsetAlt ||
            !detailItemCounts(item.needs, context->modelTable, roll)) {
            continue;
        }
        std::uint8_t* pair = info->detailMedia.pairs[info->detailMedia.count++];
        pair[0] = item.item;
        pair[1] = detailValue(item, choice);
    }
    return kResultOk;
}

std::int32_t PLG_Get_Calibration(QDXA_Info* info, PLGContext* context) {
    if (info == nullptr || context == nullptr) {
        return kPacketBadArgument;
    }
    info->calibrationList = {};
    if (info->calibration != kCalibrationOff) {
        info->calibrationList = {kCalibrationEntryCount, {{7, 0}, {8, 0}, {9, 0}}};
    }
    return kResultOk;
}

std::int32_t PLG_Get_JobStart2(QDXA_Info* info, PLGContext* context) {
    if (info == nullptr || context == nullptr) {
        return kPacketBadArgument;
    }
    QDXA_JobStart2Values& values = info->jobStart2;
    const std::int32_t kind = info->outputMethod;
    const bool afterReception = info->printAfterReception == 1;
    const bool hdd = context->modelTable.HDD == kModelYes;
    values.jobKind = kJobKindOther;
    values.printKind = kPrintKind;
    values.copyRangeCount = 0;
    values.copyRangeValue = 0;
    values.hasSubKind = 0;
    values.subKind = 0;
    if (hdd) {
        if (kind == kOutputStore) {
            values.jobKind = afterReception ? kJobKindPrint : kJobKindStoreOnly;
        } else if (kind == kOutputPrint) {
            values.jobKind = kJobKindPrint;
        }
        values.copyRangeCount = 1;
        values.copyRangeValue = kind > 1 ? info->boxNumber : 0;
        values.hasSubKind = 1;
        values.subKind = afterReception ? kSubKindAfterReception : kSubKindWhileReceiving;
    }
    const bool stored = kind == kOutputStore;  // a stored job goes by its own name
    values.name = encodeText(stored ? info->dataNameText : info->jobNameText,
                             stored ? info->dataNameUnicodeBytes : info->jobNameUnicodeBytes,
                             nameRule(info, kJobNameMax));
    values.hasOwner = hasOwner(info) ? 1 : 0;
    values.owner =
        encodeText(info->ownerText, info->ownerUnicodeBytes, nameRule(info, kQdxaTextMax));
    PLG_Get_ClientJobID(info);
    PLG_Get_SubnissionTimeOnClient(info);
    values.submissionTime = info->submissionTime;
    return kResultOk;
}
