// Records of version 100 and 102 upgraded to version 200.
#include <algorithm>
#include <cstring>

#include "history/old_records.h"

namespace {

// Media types of version 100 that stood for media no longer offered: such a record gets no
// medium and colour mode 1.
constexpr std::int16_t kFirstRetiredMediaType = -155;
constexpr std::int16_t kLastRetiredMediaType = -105;

// The values the first version-200 records had for settings that older records lack.
constexpr std::uint16_t kDefaultRollPaperLayout = 5;
constexpr std::int32_t kDefaultColorBalance = 2;
constexpr std::int32_t kDefaultCurvePoints = 2;
constexpr std::int32_t kCurveTop = 255;
constexpr std::int16_t kDefaultSSC = 1;
constexpr std::int32_t kDefaultOldEnlargementMethod = 1;
constexpr std::int32_t kDefaultBackground = 1;
constexpr std::int32_t kDefaultInboxNo = 1;
constexpr std::int16_t kDefaultConversionEngine = 1;

// Copies a text, never more bytes than either field holds.
template <std::size_t From, std::size_t To>
void copyText(const PascalString<From>& from, PascalString<To>& to) {
    to.length = 0;
    const auto length = std::min<std::size_t>({from.length, From, To});
    std::memcpy(to.text, from.text, length);
    to.length = static_cast<std::uint8_t>(length);
}

std::int16_t safetyMarginNearEnd(std::int16_t old) {
    switch (old) {
        case 2:
            return 3;
        case 3:
            return 4;
        default:
            return old;
    }
}

// Cut speed, and media thickness of version 100: 2 and 3 change places.
std::int16_t swappedTwoAndThree(std::int16_t old) {
    switch (old) {
        case 2:
            return 3;
        case 3:
            return 2;
        default:
            return old;
    }
}

void moveTexts(const RegistRec100& old, RegistRec& rec) {
    copyText(old.unusedTitle, rec.unusedTitle);
    copyText(old.name, rec.name);
    copyText(old.fileName, rec.fileName);
    copyText(old.date, rec.date);
    copyText(old.colorSet, rec.colorSet);
    copyText(old.printerName, rec.printerName);
    copyText(old.comment, rec.comment);
    copyText(old.outputProfile, rec.outputProfile);
}

void moveNumbers(const RegistRec100& old, std::int16_t version, RegistRec& rec) {
    rec.listNumber = old.listNumber;
    rec.dateCount = old.dateCount;
    rec.printerType = old.printerType;
    rec.mediaType = old.mediaType;
    rec.unused1484 = old.unused936;
    rec.colorMode = old.colorMode;
    if (version == kRegistVersion100 && old.mediaType >= kFirstRetiredMediaType &&
        old.mediaType <= kLastRetiredMediaType) {
        rec.mediaTypeName.length = 0;
        rec.mediaType = 0;
        rec.colorMode = 1;
    }
    rec.matchingMethod = old.matchingMethod;
    rec.inputResolution = old.inputResolution;
    rec.inputBit = old.inputBit;
    rec.unused1750 = old.unused1202;
    rec.copies = old.copies;
    rec.closePluginAfterPrinting = old.closePluginAfterPrinting;
    rec.borderlessPrinting = old.borderlessPrinting;
    rec.enlargedReducedPrinting = old.enlargedReducedPrinting;
    rec.enlargedReducedMethod = old.enlargedReducedMethod;
    rec.scale = old.scale;
    rec.paperSize = old.paperSize;
    rec.orientation = old.orientation;
    rec.layout = old.layout;
    rec.fromTopMargin = old.fromTopMargin;
    rec.fromLeftMargin = old.fromLeftMargin;
    rec.paperSource = static_cast<std::uint16_t>(old.paperSource);
    rec.cyan = old.cyan;
    rec.magenta = old.magenta;
    rec.yellow = old.yellow;
    rec.brightness = old.brightness;
    rec.contrast = old.contrast;
    rec.saturation = old.saturation;
    rec.grayTone = old.grayTone;
    rec.rollPaperWidth = old.rollPaperWidth;
    rec.automaticCutting = old.automaticCutting;
    rec.conservePaper = old.conservePaper;
    rec.dryingTimeBetweenPages = old.dryingTimeBetweenPages;
    rec.dryingTimeBetweenScans = old.dryingTimeBetweenScans;
    rec.safetyMarginNearEnd = safetyMarginNearEnd(old.safetyMarginNearEnd);
    rec.safetyMarginFarEnd = old.safetyMarginFarEnd;
    rec.mediaThickness =
        version == kRegistVersion100 ? swappedTwoAndThree(old.mediaThickness) : old.mediaThickness;
    rec.vacuumStrength = old.vacuumStrength;
    rec.cutSpeed = swappedTwoAndThree(old.cutSpeed);
    rec.blurPrevention = old.blurPrevention;
    rec.inkSystem = old.inkSystem;
    rec.flags = old.flags;
}

void setNewSettings(RegistRec& rec) {
    rec.rollPaperLayout = kDefaultRollPaperLayout;
    rec.colorBalance = kDefaultColorBalance;
    rec.pointX = rec.pointY = 0;
    rec.monoBrightness = rec.monoContrast = rec.monoHighlight = rec.monoShadow = 0;
    rec.curvesSelChannel = 0;
    for (int curve = 0; curve < kRegistCurves; ++curve) {
        rec.curvePointCounts[curve] = kDefaultCurvePoints;
        for (int slot = 0; slot < kRegistCurveSlots; ++slot) {
            rec.curveX[curve][slot] = rec.curveY[curve][slot] = 0;
        }
        rec.curveX[curve][1] = rec.curveY[curve][1] = kCurveTop;
    }
    rec.mirror = rec.calibrationValue = rec.unidirectionalPrinting = 0;
    rec.ssc = kDefaultSSC;
    rec.inkImpact = 0;
    rec.sharpen = 0;
    rec.oldEnlargementMethod = kDefaultOldEnlargementMethod;
    rec.background = kDefaultBackground;
    rec.outputMethod = 0;
    rec.inboxNo = kDefaultInboxNo;
    rec.printAfterReception = 0;
    rec.nameOfDataToBeSaved.length = 0;
    rec.conversionEngine = kDefaultConversionEngine;
    rec.blackPointCompensation = rec.simulatePaperColor = rec.unused5384 = 0;
}

// Record `index` (from 0) of the old group upgraded into record `index` of the new one.
void upgradeRecord(std::span<const std::uint8_t> oldGroup, std::span<std::uint8_t> group200,
                   std::int16_t version, std::size_t index) {
    const std::size_t oldSize = RegistRecSize(version);
    const std::size_t oldAt = kRGroupCountSize + index * oldSize;
    const std::size_t newAt = kRGroupCountSize + index * kRegistRecSize;
    if (oldSize == 0 || oldGroup.size() < oldAt + oldSize ||
        group200.size() < newAt + kRegistRecSize) {
        return;
    }
    RegistRec102 old{};
    std::memcpy(&old, oldGroup.data() + oldAt, oldSize);
    RegistRec rec;
    std::memcpy(&rec, group200.data() + newAt, sizeof rec);

    moveTexts(old.common, rec);
    moveNumbers(old.common, version, rec);
    if (version == kRegistVersion100) {
        rec.paperSizeName.length = 0;
        rec.paperSizeWidth = rec.paperSizeHeight = 0;
    } else {
        copyText(old.mediaTypeName, rec.mediaTypeName);
    }
    setNewSettings(rec);
    std::memcpy(group200.data() + newAt, &rec, sizeof rec);
}

bool isOldVersion(std::int16_t version) {
    return version == kRegistVersion100 || version == kRegistVersion102;
}

}  // namespace

std::int32_t Convert10XTo200RegistOne(std::span<const std::uint8_t> oldGroup,
                                      std::span<std::uint8_t> group200, std::int16_t version) {
    if (isOldVersion(version)) {
        upgradeRecord(oldGroup, group200, version, 0);
    }
    return 0;
}

std::int32_t Convert10XTo200Regist(std::span<const std::uint8_t> oldGroup,
                                   std::span<std::uint8_t> group200, std::int16_t version) {
    if (!isOldVersion(version)) {
        return 0;
    }
    const std::int16_t count = Regist_GetCount(oldGroup, RegistRecSize(version));
    for (std::int16_t n = 0; n < count; ++n) {
        upgradeRecord(oldGroup, group200, version, static_cast<std::size_t>(n));
    }
    return 0;
}
