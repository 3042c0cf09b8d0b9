// Records that the printer information queries fill: trays, stored files, file boxes, job
// media, calibration and remaining time.
//
// Strings are length-prefixed (a length byte, then the characters). The tray, file and file-box
// records travel in memory handles after an 8-byte count field (a 64-bit count for trays, a
// 32-bit count for files and boxes), and the administration layer reads them with these same
// layouts, so their sizes and offsets are fixed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qdxa/qdxa_date.h"
#include "qdxa/qdxa_memory.h"

/// Length-prefixed string buffers: a length byte and at most 32, 33 or 255 characters.
inline constexpr std::uint32_t kQueryShortStringSize = 33;
inline constexpr std::uint32_t kQueryMediaNameSize = 34;
inline constexpr std::uint32_t kQueryLongStringSize = 256;

/// Tray kinds held per tray.
inline constexpr std::uint32_t kQueryTrayKinds = 10;
/// Bytes before the first record of a tray, file or file-box list.
inline constexpr std::uint32_t kQueryListHeaderSize = 8;

/// One paper tray.
struct TrayRecord {
    std::uint32_t recordSize;  ///< the caller sets kTrayRecordSize
    std::uint8_t trayName[kQueryShortStringSize];
    std::uint8_t trayId;
    std::uint8_t trayValueA;
    std::uint8_t trayValueB;
    std::uint8_t trayKinds[kQueryTrayKinds];
    std::uint32_t trayValueC;
    std::uint8_t mediaStateBytes[4];
    std::uint16_t mediaStateWord;
    std::uint32_t mediaValues[2];
    std::uint8_t mediaStateFlag;
    std::uint8_t extendedStateBytes[2];
    std::uint16_t extendedStateWord;
    std::uint8_t mediaName[kQueryMediaNameSize];
    std::uint32_t libraryValue;
    std::uint16_t libraryWord;
    std::uint8_t libraryName[kQueryLongStringSize];
    std::uint8_t extendedMediumId;
    std::uint8_t extendedMediumFlag;
    std::uint32_t extendedMediumValue;
    std::uint16_t extendedMediumWords[2];
    std::uint8_t extendedMediumBytes[8];
};
inline constexpr std::uint32_t kTrayRecordSize = 392;
static_assert(sizeof(TrayRecord) == kTrayRecordSize);
static_assert(offsetof(TrayRecord, trayValueC) == 52);
static_assert(offsetof(TrayRecord, mediaName) == 78);
static_assert(offsetof(TrayRecord, libraryName) == 118);
static_assert(offsetof(TrayRecord, extendedMediumBytes) == 384);

/// One stored file of a file box.
struct FileRecord {
    std::uint32_t fileId;
    std::uint8_t name[kQueryShortStringSize];
    std::uint32_t nameCode;
    std::uint8_t detailName[kQueryLongStringSize];
    std::uint32_t detailNameCode;
    std::uint8_t owner[kQueryShortStringSize];
    std::uint32_t ownerCode;
    std::uint8_t state;
    std::uint32_t value275;
    std::uint32_t value277;
    std::uint32_t value263;
    std::uint32_t value263Flag;
    QDXADateTime date9;
    QDXADateTime date10909;
    std::uint32_t value311;
    std::uint8_t documentKind;
    std::uint16_t documentWord;
    std::uint32_t documentValues[2];
    std::uint16_t documentMedium;
    std::uint8_t documentBytes[2];
};
inline constexpr std::uint32_t kFileRecordSize = 412;
static_assert(sizeof(FileRecord) == kFileRecordSize);
static_assert(offsetof(FileRecord, detailName) == 44);
static_assert(offsetof(FileRecord, date9) == 364);
static_assert(offsetof(FileRecord, value311) == 392);
static_assert(offsetof(FileRecord, documentBytes) == 410);

/// One file box.
struct FileBoxRecord {
    std::uint32_t boxNumber;
    std::uint32_t boxId;
    std::uint8_t boxName[kQueryShortStringSize];
    std::uint32_t nameCode;
    std::uint8_t boxByte;
    std::uint8_t flag10645;
    std::uint32_t fileCount;
    std::uint32_t emptyFlag;
};
inline constexpr std::uint32_t kFileBoxRecordSize = 60;
static_assert(sizeof(FileBoxRecord) == kFileBoxRecordSize);
static_assert(offsetof(FileBoxRecord, nameCode) == 44);
static_assert(offsetof(FileBoxRecord, fileCount) == 52);

/// The medium of a job's document as the printer sees it, with the job's values.
struct MismatchRecord {
    std::uint8_t mediumKind = 0;
    std::uint16_t mediumWord = 0;
    std::uint8_t documentKind = 0;
    std::uint16_t documentWord = 0;
    std::uint32_t documentValues[2] = {};
    std::uint16_t word2410 = 0;
    std::uint16_t jobValueCount = 0;
    WqsMemHandle* jobValues = nullptr;  ///< jobValueCount 32-bit values; the caller disposes it
};

/// The extended medium id of a document.
struct ExtendedMediumIDRecord {
    std::uint32_t value = 0;
    std::uint16_t words[2] = {};
    std::uint8_t byte = 0;
};

/// One entry of the calibration list.
struct CalibrationEntry {
    std::uint8_t bytes[2];
    std::uint16_t value;
    std::uint8_t byte;
    std::uint8_t pad;
    QDXADateTime date;  ///< as the printer sent it, no time-zone conversion
    std::uint8_t last;
};
inline constexpr std::uint32_t kCalibrationEntrySize = 22;
static_assert(sizeof(CalibrationEntry) == kCalibrationEntrySize);

/// The calibration list: the answer's first byte, the entry count and the entries.
struct CalibrationList {
    std::uint8_t value = 0;
    std::uint8_t count = 0;
    WqsMemHandle* entries = nullptr;  ///< count entries; the caller creates and disposes it
};

/// The answer of the second calibration query; fields past `resultCount` stay cleared when it
/// is 0.
struct CalibrationInfo2 {
    std::uint16_t value = 0;
    std::uint8_t byte3 = 0;
    std::uint8_t resultCount = 0;
    std::uint16_t value8 = 0;
    std::uint8_t name[41] = {};  ///< 40 characters after a length byte
    std::uint8_t byte50 = 0;
    std::uint32_t values51[2] = {};
    std::uint8_t bytes59[3] = {};
    std::uint8_t byte63 = 0;
    std::uint32_t values64[2] = {};
    std::uint8_t bytes72[4] = {};
    std::uint16_t values76[2] = {};
    std::uint8_t bytes80[3] = {};
};

/// The remaining print time: a value, a byte, four remaining times and a byte.
struct PrintRemainTime {
    std::uint16_t value = 0;
    std::uint8_t byte = 0;
    std::uint32_t times[4] = {};
    std::uint8_t last = 0;
};
