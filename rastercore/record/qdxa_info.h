// The packet record of a job: the QDXA attribute values the job announces, the texts and choices
// the job set-up prepares for them, and what the job transport and the packet writers share.
//
// Allocated zeroed by the job set-up, so every field is plain data and the zeroed record is a
// valid empty one; released by `tarn_QDXA_Terminate`. Attribute values are held in host byte
// order except the texts, which hold their wire form; the packet module writes every integer
// big-endian when it sends a value.
#pragma once

#include <cstdint>

struct PLGContext;

namespace rastercore {
class ProgressObject;
}

/// Bytes of one prepared text buffer; a length byte limits every text value to 255 bytes.
inline constexpr int kQdxaTextBuffer = 256;
inline constexpr int kQdxaTextMax = 255;
/// Media-detail choices of a job; each adds at most one {item, value} pair.
inline constexpr int kMediaDetailChoiceCount = 8;
/// Entries of the input-tray priority array the core fills.
inline constexpr int kTrayEntryMax = 1;
/// Entries of the calibration list.
inline constexpr int kCalibrationEntryCount = 3;
/// Size of the client job record of the job-start-2 packet.
inline constexpr int kClientJobRecordSize = 64;

/// A text attribute: character-set code, length and text in its wire form (UTF-16 big-endian).
struct QDXA_TextValue {
    std::uint16_t charSet;
    std::uint8_t length;
    std::uint8_t text[kQdxaTextMax];
};

/// A length-prefixed text without a character set.
struct QDXA_ShortText {
    std::uint8_t length;
    std::uint8_t text[kQdxaTextMax];
};

/// A date as the printer takes it: the date word and the time word.
struct QDXA_DateWords {
    std::uint32_t date;  ///< year << 20 | month << 16 | day << 11 | weekday (1 Monday..7) << 8
    std::uint32_t time;  ///< hour << 24 | minute << 16 | second × 1000
};

struct QDXA_DocumentFormat {
    std::uint8_t format;
    QDXA_ShortText first;
    QDXA_ShortText second;
};

struct QDXA_TrayEntry {
    std::uint8_t trayCode;
    QDXA_ShortText name;
};

struct QDXA_TrayArray {
    std::uint8_t count;  ///< <= kTrayEntryMax
    QDXA_TrayEntry entries[kTrayEntryMax];
};

struct QDXA_Medium {
    std::uint8_t mediaId;
    std::uint8_t marker;  ///< always 254
    std::uint16_t paperSize;
    std::uint32_t width;       ///< custom size only, else 0
    std::uint32_t length;      ///< custom size only, else 0
    std::uint8_t orientation;  ///< 3 custom, 2 long edge first, 1 short edge first
};

struct QDXA_MediumTypeEx {
    std::uint8_t kind;  ///< 1
    std::uint16_t mediaType;
};

struct QDXA_DetailMedia {
    std::uint8_t count;                              ///< pairs in use, <= kMediaDetailChoiceCount
    std::uint8_t pairs[kMediaDetailChoiceCount][2];  ///< {item, value}
};

struct QDXA_CalibrationEntry {
    std::uint8_t item;
    std::uint16_t value;
};

struct QDXA_CalibrationList {
    std::uint8_t count;  ///< 0 or kCalibrationEntryCount
    QDXA_CalibrationEntry entries[kCalibrationEntryCount];
};

/// The attributes of the job-start-2 packet.
struct QDXA_JobStart2Values {
    std::uint8_t jobKind;
    std::uint8_t printKind;        ///< always 3
    std::uint16_t copyRangeCount;  ///< 0 or 1
    std::uint16_t copyRangeValue;
    QDXA_TextValue name;
    std::uint8_t hasOwner;  ///< the owner attribute is sent
    QDXA_TextValue owner;
    std::uint8_t hasSubKind;  ///< the sub-kind attribute is sent
    std::uint8_t subKind;
    std::uint8_t clientJobRecord[kClientJobRecordSize];
    QDXA_DateWords submissionTime;
};

struct QDXA_Info {
    PLGContext* context;  ///< the job context; its model values choose what is sent

    // Job transport state.
    void* jobHandle;       ///< the open job of the device library or spooler
    void* printerAddress;  ///< created in set-up, disposed in tear-down
    std::int32_t spool;    ///< non-zero: spool through the spooling framework
    std::uint16_t spoolCopies;
    char spoolDocumentName[33];            ///< at most 32 bytes
    char spoolComment[33];                 ///< at most 32 bytes
    char jobIdentifier[257];               ///< identifier on the client: the host name, <= 15 bytes
    std::uint8_t* cancelByte;              ///< the job record's cancel byte
    rastercore::ProgressObject* progress;  ///< host type 1 only
    double lastCancelPoll;                 ///< seconds
    std::uint8_t hostType;

    // Prepared by the job set-up. Texts are NUL-terminated one-byte texts or UTF-16 in host byte
    // order with their byte count.
    std::int16_t languageCode;  ///< user-interface language: 1 and 7 to 9 change the encoding
    char jobNameText[kQdxaTextBuffer];
    std::uint16_t jobNameUnicodeBytes;
    char ownerText[kQdxaTextBuffer];
    std::uint16_t ownerUnicodeBytes;
    char panelMessageText[kQdxaTextBuffer];  ///< the document name
    std::uint16_t panelMessageUnicodeBytes;
    char dataNameText[kQdxaTextBuffer];  ///< name of the stored job, job-start-2 only
    std::uint16_t dataNameUnicodeBytes;
    std::uint16_t paperSource;  ///< the job's paper-source code
    std::int32_t printMethod;   ///< the job's print quality choice
    std::uint16_t copies;       ///< copies of the job
    std::int32_t cuttingChoice;
    std::uint8_t mediaDetailChoices[kMediaDetailChoiceCount];  ///< 1 and 255: not set
    std::int32_t outputMethod;         ///< 0 print, 1 print and delete, 2 store
    std::uint16_t boxNumber;           ///< box of a stored job
    std::uint8_t printAfterReception;  ///< 1: print once all data arrived
    std::uint8_t optimizeMode;         ///< the media database's optimise mode
    std::uint8_t optimizeFlag;         ///< the job asks for optimised printing

    // Attribute values.
    QDXA_TextValue jobName;
    QDXA_TextValue owner;
    QDXA_ShortText identifierOnClient;
    QDXA_DateWords submissionTime;
    std::uint32_t impressions;  ///< sent as 16 bits or 32 bits by the model
    std::uint16_t jobCopies;
    std::uint16_t binderCopies;
    std::uint16_t documentCopies;
    QDXA_DocumentFormat documentFormat;
    QDXA_TrayArray trayArray;
    QDXA_Medium medium;
    QDXA_MediumTypeEx mediumTypeEx;
    std::uint8_t printQuality;
    QDXA_TextValue panelMessage;
    std::uint8_t cuttingType;
    std::uint8_t inkDryingType;
    std::uint32_t dryingTime;
    std::uint8_t optimize;
    std::uint8_t nUp;
    std::uint8_t colorMode;
    std::uint8_t onePassPrint;     ///< set by the job set-up: 1 or 2
    std::uint8_t borderlessPrint;  ///< set by the job set-up: 2 or 3
    std::uint16_t rollWidth;       ///< set by the job set-up: roll-width code
    std::uint16_t groupId;         ///< set by the job set-up, from the media database
    std::uint8_t calibration;      ///< set by the job set-up; 3 is not sent
    std::uint8_t pathMode;         ///< set by the job set-up: the print mode byte
    QDXA_DetailMedia detailMedia;
    QDXA_CalibrationList calibrationList;
    QDXA_JobStart2Values jobStart2;

    // Packet state.
    std::uint32_t octetCount;  ///< bytes of the data packets the transport took
    std::uint8_t jobEnded;     ///< the job-end packets are under way
};
