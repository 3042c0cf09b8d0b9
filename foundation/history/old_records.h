// Settings records of earlier versions: big-endian groups of fixed-size records of version 100
// (1280 bytes), 102 (2052 bytes) or 200 (5634 bytes), as the earlier history, favourites and
// exported favourites kept them, turned into history entries with their settings.
//
// A group is a 16-bit record count followed by the records back to back; record n (from 1)
// starts at 2 + (n - 1) x record size. Numbers are big-endian in a file and packed; texts are
// length-prefixed in a legacy 8-bit encoding. A group is put into host order (EndianRGroup...)
// before anything else reads it, and records of version 100 and 102 are upgraded to version 200
// before they are converted. Every operation stays within the bytes it is given, and a text's
// length byte is never trusted beyond its field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "history/old_record_values.h"
#include "history/print_jobs.h"

inline constexpr std::int16_t kRegistVersion100 = 100;
inline constexpr std::int16_t kRegistVersion102 = 102;
inline constexpr std::int16_t kRegistVersion200 = 200;

/// The record count that starts every group.
inline constexpr std::size_t kRGroupCountSize = 2;

/// The legacy 8-bit encoding of the texts of old records (iconv name): Mac Roman.
inline constexpr const char* kLegacyTextEncoding = "MACINTOSH";

#pragma pack(push, 1)

/// A length-prefixed text field of at most `Capacity` bytes.
template <std::size_t Capacity>
struct PascalString {
    std::uint8_t length;
    std::uint8_t text[Capacity];
};
using Str31 = PascalString<31>;
using Str63 = PascalString<63>;
using Str255 = PascalString<255>;

/// The points of the five tone curves (RGB, R, G, B, Gray), 16 slots each.
inline constexpr int kRegistCurves = 5;
inline constexpr int kRegistCurveSlots = 16;

/// A record of version 200 (`RegistRec`). Fields named `unused...` and the gaps are carried
/// through unread.
struct RegistRec {
    Str255 unusedTitle;
    std::int16_t listNumber;
    std::int16_t dateCount;
    Str63 name;
    Str255 fileName;
    Str31 date;
    Str63 colorSet;
    Str31 printerName;
    Str255 comment;
    std::uint8_t unusedBlock[256];
    std::uint16_t printerType;
    std::int32_t enlargementSelector;  ///< selects the field of the enlargement method
    std::int16_t mediaType;
    Str255 mediaTypeName;
    std::int16_t unused1484;
    std::uint16_t colorMode;
    Str255 outputProfile;  ///< the ICC profile's file name stands between "[" and "]"
    std::uint16_t matchingMethod;
    std::int16_t inputResolution;
    std::int16_t inputBit;
    std::int16_t unused1750;
    std::uint16_t copies;
    std::uint16_t closePluginAfterPrinting;
    std::int32_t unused1756[4];
    std::int32_t printMode;
    std::int16_t proof;
    std::int16_t proofProfile;
    std::uint8_t gap1780[232];
    std::uint16_t borderlessPrinting;
    std::uint16_t enlargedReducedPrinting;
    std::uint16_t enlargedReducedMethod;
    double scale;  ///< 1.0 is 100 %
    std::uint16_t paperSize;
    Str255 paperSizeName;
    std::int32_t paperSizeWidth;
    std::int32_t paperSizeHeight;
    std::uint16_t orientation;
    std::uint16_t layout;
    std::int32_t fromTopMargin;
    std::int32_t fromLeftMargin;
    std::uint16_t paperSource;
    std::uint16_t rollPaperLayout;
    std::uint8_t gap2308[254];
    std::int16_t cyan, magenta, yellow, brightness, contrast, saturation, grayTone;
    std::uint8_t gap2576[256];
    std::int32_t colorBalance, pointX, pointY, monoBrightness, monoContrast, monoHighlight,
        monoShadow;
    std::uint8_t gap2860[256];
    std::int32_t curvesSelChannel;
    std::int32_t curvePointCounts[kRegistCurves];
    std::int32_t curveX[kRegistCurves][kRegistCurveSlots];
    std::int32_t curveY[kRegistCurves][kRegistCurveSlots];
    std::uint8_t gap3780[256];
    std::int16_t rollPaperWidth, automaticCutting, conservePaper;
    std::uint8_t gap4042[256];
    std::int16_t dryingTimeBetweenPages, dryingTimeBetweenScans, safetyMarginNearEnd,
        safetyMarginFarEnd, mediaThickness;
    std::int16_t unused4308;
    std::int16_t vacuumStrength, cutSpeed, blurPrevention, mirror, calibrationValue,
        unidirectionalPrinting, ssc, inkImpact;
    std::uint8_t gap4326[254];
    std::int32_t sharpen;
    std::int32_t oldEnlargementMethod;  ///< the enlargement method of some products
    std::int32_t background;
    std::int32_t outputMethod;
    std::int32_t inboxNo;
    std::int32_t printAfterReception;
    Str255 nameOfDataToBeSaved;
    std::int32_t enlargementMethod;
    std::uint8_t gap4864[252];
    std::int16_t inkSystem;
    std::int32_t flags;       ///< kRegistFlagDefault, kRegistFlagFailed
    Str255 proofProfileText;  ///< the proof profile's file name stands between "[" and "]"
    std::int16_t conversionEngine, blackPointCompensation, simulatePaperColor;
    std::int16_t unused5384;
    std::uint8_t unusedTail[248];
};

/// The first 1280 bytes of records of version 100 and 102: a record of version 100 whole.
struct RegistRec100 {
    Str255 unusedTitle;
    std::int16_t listNumber;
    std::int16_t dateCount;
    Str63 name;
    Str255 fileName;
    Str31 date;
    Str31 colorSet;
    Str31 printerName;
    Str255 comment;
    std::uint16_t printerType;
    std::int16_t mediaType;
    std::int16_t unused936;
    std::uint16_t colorMode;
    Str255 outputProfile;
    std::uint16_t matchingMethod;
    std::int16_t inputResolution, inputBit, unused1202;
    std::uint16_t copies, closePluginAfterPrinting;
    std::uint16_t borderlessPrinting, enlargedReducedPrinting, enlargedReducedMethod;
    std::uint16_t scale;  ///< in whole units
    std::uint16_t paperSize, orientation, layout;
    std::int32_t fromTopMargin, fromLeftMargin;
    std::int16_t paperSource;
    std::int16_t cyan, magenta, yellow, brightness, contrast, saturation, grayTone;
    std::uint8_t unused1246[2];
    std::int16_t rollPaperWidth, automaticCutting, conservePaper;
    std::int16_t dryingTimeBetweenPages, dryingTimeBetweenScans, safetyMarginNearEnd,
        safetyMarginFarEnd, mediaThickness, vacuumStrength, cutSpeed, blurPrevention;
    std::int16_t inkSystem;
    std::int32_t flags;
    std::int32_t unused1276;
};

/// A record of version 102: version 100's fields, then the medium's name.
struct RegistRec102 {
    RegistRec100 common;
    std::int32_t unused1280;
    Str255 mediaTypeName;
    std::uint8_t unused1540[512];
};

#pragma pack(pop)

inline constexpr std::size_t kRegistRecSize = 5634;
inline constexpr std::size_t kRegistRec100Size = 1280;
inline constexpr std::size_t kRegistRec102Size = 2052;
static_assert(sizeof(RegistRec) == kRegistRecSize);
static_assert(sizeof(RegistRec100) == kRegistRec100Size);
static_assert(sizeof(RegistRec102) == kRegistRec102Size);

// The offsets the converters rely on.
static_assert(offsetof(RegistRec, listNumber) == 256 && offsetof(RegistRec, name) == 260);
static_assert(offsetof(RegistRec, comment) == 708 && offsetof(RegistRec, printerType) == 1220);
static_assert(offsetof(RegistRec, mediaTypeName) == 1228 && offsetof(RegistRec, colorMode) == 1486);
static_assert(offsetof(RegistRec, matchingMethod) == 1744 &&
              offsetof(RegistRec, printMode) == 1772);
static_assert(offsetof(RegistRec, borderlessPrinting) == 2012 &&
              offsetof(RegistRec, scale) == 2018);
static_assert(offsetof(RegistRec, paperSizeWidth) == 2284 &&
              offsetof(RegistRec, rollPaperLayout) == 2306);
static_assert(offsetof(RegistRec, cyan) == 2562 && offsetof(RegistRec, colorBalance) == 2832);
static_assert(offsetof(RegistRec, curvesSelChannel) == 3116 && offsetof(RegistRec, curveX) == 3140);
static_assert(offsetof(RegistRec, curveY) == 3460 && offsetof(RegistRec, rollPaperWidth) == 4036);
static_assert(offsetof(RegistRec, dryingTimeBetweenPages) == 4298 &&
              offsetof(RegistRec, vacuumStrength) == 4310);
static_assert(offsetof(RegistRec, inkImpact) == 4324 && offsetof(RegistRec, sharpen) == 4580);
static_assert(offsetof(RegistRec, nameOfDataToBeSaved) == 4604 &&
              offsetof(RegistRec, enlargementMethod) == 4860);
static_assert(offsetof(RegistRec, inkSystem) == 5116 && offsetof(RegistRec, flags) == 5118);
static_assert(offsetof(RegistRec, proofProfileText) == 5122 &&
              offsetof(RegistRec, conversionEngine) == 5378);
static_assert(offsetof(RegistRec, unusedTail) == 5386);
static_assert(offsetof(RegistRec100, comment) == 676 && offsetof(RegistRec100, printerType) == 932);
static_assert(offsetof(RegistRec100, outputProfile) == 940 &&
              offsetof(RegistRec100, matchingMethod) == 1196);
static_assert(offsetof(RegistRec100, borderlessPrinting) == 1208 &&
              offsetof(RegistRec100, scale) == 1214);
static_assert(offsetof(RegistRec100, fromTopMargin) == 1222 &&
              offsetof(RegistRec100, paperSource) == 1230);
static_assert(offsetof(RegistRec100, cyan) == 1232 &&
              offsetof(RegistRec100, rollPaperWidth) == 1248);
static_assert(offsetof(RegistRec100, dryingTimeBetweenPages) == 1254 &&
              offsetof(RegistRec100, cutSpeed) == 1266);
static_assert(offsetof(RegistRec100, inkSystem) == 1270 && offsetof(RegistRec100, flags) == 1272);
static_assert(offsetof(RegistRec102, unused1280) == 1280 &&
              offsetof(RegistRec102, mediaTypeName) == 1284);

/// Flag bits of a record: a default favourite; a print that did not end well.
inline constexpr std::int32_t kRegistFlagDefault = 0x2000;
inline constexpr std::int32_t kRegistFlagFailed = 0x200;

/// The record size of `version` (100, 102 or 200), else 0.
std::size_t RegistRecSize(std::int16_t version);

/// Converts the count of a version-200 group and every numeric field of each record that `group`
/// holds whole from big-endian into host order; texts and byte blocks stay. 0.
std::int32_t EndianRGroup(std::span<std::uint8_t> group);
/// The same for groups of version 100 and 102.
std::int32_t EndianRGroup100(std::span<std::uint8_t> group);
std::int32_t EndianRGroup102(std::span<std::uint8_t> group);

/// The count of a group in host order: 0 when negative, and never more records than `group`
/// holds whole at `recordSize` bytes each.
std::int16_t Regist_GetCount(std::span<const std::uint8_t> group,
                             std::size_t recordSize = kRegistRecSize);

/// Record `number` (from 1) of a version-200 group in host order, or null when the number is not
/// between 1 and the count.
const RegistRec* Regist_Get(std::span<const std::uint8_t> group, std::int16_t number);

/// Upgrades the first record of the old group (version 100 or 102, host order) into the first
/// record of the version-200 group, which the caller filled with zeros. Another version, or a
/// group without the record, leaves the destination untouched. 0.
std::int32_t Convert10XTo200RegistOne(std::span<const std::uint8_t> oldGroup,
                                      std::span<std::uint8_t> group200, std::int16_t version);

/// Upgrades each record n of the old group into record n of the version-200 group (zeros, with
/// room for the old count, which the caller set as its count). Another version does nothing. 0.
std::int32_t Convert10XTo200Regist(std::span<const std::uint8_t> oldGroup,
                                   std::span<std::uint8_t> group200, std::int16_t version);

/// Fills `entry` from a version-200 record in host order: its six strings (none for empty
/// texts), numbers and flags, and new settings with the old values mapped to current ones and
/// the profiles named by the record looked up among the installed profiles. `printerID`
/// receives the current printer model identifier of the record's printer type. Texts are
/// converted from `legacyEncoding` (an iconv name) into UTF-8. Nothing when `entry` or `record`
/// is null.
void change_SetDataListFromRegistRec(SetDataList* entry, const RegistRec* record,
                                     std::int32_t* printerID,
                                     const char* legacyEncoding = kLegacyTextEncoding);

/// An old group read from a file's bytes, as a version-200 group in host order.
struct OldRegistGroup {
    std::int16_t version = 0;         ///< the version the file's records have
    std::vector<std::uint8_t> group;  ///< count and version-200 records, host order
};

/// Reads a whole old file: takes the first version, in the order 200, 102, 100, whose records the
/// file holds in full after its big-endian count, puts the group into host order and upgrades old
/// records to version 200. None when the file holds less than the count. A negative count gives
/// an empty group.
std::optional<OldRegistGroup> ReadOldRegistGroup(std::span<const std::uint8_t> fileBytes);
