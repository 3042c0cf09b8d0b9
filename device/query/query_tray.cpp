// The tray list: the trays with their kinds, merged media states, media names from the PDL
// environment and medium library entries.
#include "query/query_tray.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_internal.h"
#include "query/query_support.h"

namespace {

using Trays = std::vector<TrayRecord>;

constexpr std::uint8_t kMaxShortString = 32;
constexpr std::uint8_t kMaxMediaName = kQueryMediaNameSize - 1;
// Record defaults before the printer's values.
constexpr std::uint8_t kDefaultValueA = 2;
constexpr std::uint8_t kDefaultValueB = 3;
constexpr std::uint8_t kDefaultKind = 101;
constexpr std::uint8_t kDefaultMediaState[4] = {0, 1, 255, 0};
constexpr std::uint16_t kDefaultExtendedStateWord = 1;

// Merged attributes: a count byte, then fixed-size entries that start with the tray id.
constexpr std::size_t kMediaStateEntrySize = 18;
constexpr std::size_t kExtendedStateEntrySize = 5;
constexpr std::size_t kExtendedMediumEntrySize = 18;

// A tray whose first kind is this one is named by the key "TRAY-NAME".
constexpr std::uint8_t kKindNamedTray = 7;
constexpr std::uint8_t kMediaNameInput[] = {1, 0x00, 0xFF};
// The answer's first string starts at byte 3; two bytes separate it from the second.
constexpr std::size_t kMediaNameFirstString = 3;
constexpr std::size_t kMediaNameGap = 2;

// The GetListElement assembly: attribute id, element count, then the entries.
constexpr std::size_t kLibraryEntriesOffset = 4;

TrayRecord defaultTray() {
    TrayRecord tray{};
    tray.recordSize = kTrayRecordSize;
    tray.trayValueA = kDefaultValueA;
    tray.trayValueB = kDefaultValueB;
    std::fill(std::begin(tray.trayKinds), std::end(tray.trayKinds), kDefaultKind);
    std::copy(std::begin(kDefaultMediaState), std::end(kDefaultMediaState), tray.mediaStateBytes);
    tray.extendedStateWord = kDefaultExtendedStateWord;
    return tray;
}

// One entry of the tray attribute: tray id, two bytes, name, value A, kind count k, k kinds,
// value B, 32-bit value C. At most kQueryTrayKinds kinds are kept.
bool readTray(bytes::ByteReader& reader, TrayRecord& tray) {
    const auto id = reader.u8();
    if (!id || !reader.skip(2) ||
        !device::queryReadString(reader, tray.trayName, kMaxShortString)) {
        return false;
    }
    const auto valueA = reader.u8();
    const auto kindCount = reader.u8();
    if (!kindCount) {
        return false;
    }
    const auto kinds = reader.take(*kindCount);
    const auto valueB = reader.u8();
    const auto valueC = reader.u32be();
    if (!kinds || !valueC) {
        return false;
    }
    tray.trayId = *id;
    tray.trayValueA = *valueA;
    std::copy_n(kinds->begin(), std::min<std::size_t>(kinds->size(), kQueryTrayKinds),
                tray.trayKinds);
    tray.trayValueB = *valueB;
    tray.trayValueC = *valueC;
    return true;
}

std::int32_t z_GetInputTrayInfo_2(GlueSession& session, Trays& trays) {
    device::AttributeReply reply;
    const std::int32_t status = reply.read(session, kGlueObjectPrinter, kAttrTrays);
    if (status != kGlueNoErr) {
        return status;
    }
    bytes::ByteReader reader(reply.value());
    const std::uint8_t count = reader.u8().value_or(0);
    for (std::uint8_t index = 0; index < count; ++index) {
        TrayRecord tray = defaultTray();
        if (!readTray(reader, tray)) {
            break;
        }
        trays.push_back(tray);
    }
    return kGlueNoErr;
}

// Reads a merged attribute and hands each whole entry to `merge` with the tray of its id.
template <typename Merge>
std::int32_t mergeTrayAttribute(GlueSession& session, std::uint16_t attribute,
                                std::size_t entrySize, Trays& trays, Merge merge) {
    device::AttributeReply reply;
    const std::int32_t status = reply.read(session, kGlueObjectPrinter, attribute);
    if (status != kGlueNoErr) {
        return status;
    }
    bytes::ByteReader reader(reply.value());
    const std::uint8_t count = reader.u8().value_or(0);
    for (std::uint8_t index = 0; index < count; ++index) {
        const auto entry = reader.take(entrySize);
        if (!entry) {
            break;
        }
        for (TrayRecord& tray : trays) {
            if (tray.trayId == (*entry)[0]) {
                merge(tray, entry->data());
            }
        }
    }
    return kGlueNoErr;
}

void mergeMediaState(TrayRecord& tray, const std::uint8_t* entry) {
    tray.mediaStateBytes[0] = entry[2];
    tray.mediaStateBytes[1] = entry[3];
    tray.mediaStateBytes[2] = entry[15];
    tray.mediaStateWord = bytes::loadBE16(entry + 4);
    tray.mediaValues[0] = bytes::loadBE32(entry + 6);
    tray.mediaValues[1] = bytes::loadBE32(entry + 10);
    tray.mediaStateFlag = entry[16];
}

void mergeExtendedState(TrayRecord& tray, const std::uint8_t* entry) {
    tray.extendedStateBytes[0] = entry[1];
    tray.extendedStateBytes[1] = entry[2];
    tray.extendedStateWord = bytes::loadBE16(entry + 3);
}

void mergeExtendedMedium(TrayRecord& tray, const std::uint8_t* entry) {
    tray.extendedMediumId = entry[0];
    tray.extendedMediumFlag = entry[1];
    tray.extendedMediumValue = bytes::loadBE32(entry + 2);
    tray.extendedMediumWords[0] = bytes::loadBE16(entry + 6);
    tray.extendedMediumWords[1] = bytes::loadBE16(entry + 8);
    std::copy_n(entry + 10, sizeof tray.extendedMediumBytes, tray.extendedMediumBytes);
}

// Asks the PDL environment for the value named "CASSETTE<n>-NAME" ("TRAY-NAME" for key
// number 0) and copies the second string of the answer into `mediaName`.
std::int32_t z_GetInputTrayMediaNameFromPDLEnv(GlueSession& session, std::uint8_t keyNumber,
                                               std::uint8_t* mediaName) {
    const std::string key =
        keyNumber == 0 ? "TRAY-NAME" : "CASSETTE" + std::to_string(keyNumber) + "-NAME";
    std::vector<std::uint8_t> input(std::begin(kMediaNameInput), std::end(kMediaNameInput));
    input.push_back(static_cast<std::uint8_t>(key.size()));
    input.insert(input.end(), key.begin(), key.end());
    device::MethodAnswer answer;
    if (!answer.allocate(device::kQueryMethodAnswerSize)) {
        return kGlueMemErr;
    }
    const std::int32_t status =
        answer.run(session, kGlueObjectPDLEnvironment, kMethodPDLEnvironmentValue, input);
    if (status != kGlueNoErr) {
        return device::queryNoInformationIsSuccess(status);
    }
    const auto bytes = answer.bytes();
    bytes::ByteReader reader(bytes.size() > kMediaNameFirstString
                                 ? bytes.subspan(kMediaNameFirstString)
                                 : std::span<const std::uint8_t>());
    std::uint8_t first[kQueryLongStringSize];
    if (device::queryReadString(reader, first, kQDXAMaxStringLength) &&
        reader.skip(kMediaNameGap)) {
        device::queryReadString(reader, mediaName, kMaxMediaName);
    }
    return kGlueNoErr;
}

void z_GetInputTrayMediaName(GlueSession& session, Trays& trays) {
    for (TrayRecord& tray : trays) {
        const std::uint8_t keyNumber = tray.trayKinds[0] == kKindNamedTray ? 0 : tray.trayId;
        z_GetInputTrayMediaNameFromPDLEnv(session, keyNumber, tray.mediaName);
    }
}

// Entries: tray id, 32-bit value, 16-bit word, name, item count m and m items of 1 byte
// (attribute 2356) or 2 bytes (2396).
void z_GetInputTrayMediumLibrary(GlueSession& session, Trays& trays) {
    const bool second = glue_qdxaSupportPrinterAttribute(&session, kSupportPrinterAttr2396) != 0;
    if (!second && glue_qdxaSupportPrinterAttribute(&session, kSupportPrinterAttr2356) == 0) {
        return;
    }
    device::AttributeReply reply;
    if (reply.readByElement(session, kGlueObjectPrinter,
                            second ? kAttrMediumLibrary2 : kAttrMediumLibrary) != kGlueNoErr) {
        return;
    }
    const std::size_t itemSize = second ? 2 : 1;
    bytes::ByteReader reader(reply.from(kLibraryEntriesOffset));
    while (reader.remaining() != 0) {
        const auto id = reader.u8();
        const auto value = reader.u32be();
        const auto word = reader.u16be();
        std::uint8_t name[kQueryLongStringSize];
        if (!word || !device::queryReadString(reader, name, kQDXAMaxStringLength)) {
            return;
        }
        const auto items = reader.u8();
        if (!items || !reader.skip(*items * itemSize)) {
            return;
        }
        for (TrayRecord& tray : trays) {
            if (tray.trayId != *id) {
                continue;
            }
            tray.libraryValue = *value;
            tray.libraryWord = *word;
            std::memcpy(tray.libraryName, name, 1u + name[0]);
        }
    }
}

std::int32_t storeTrays(const Trays& trays, WqsMemHandle* trayList) {
    return device::queryStoreList(trayList, trays.data(), static_cast<std::uint32_t>(trays.size()),
                                  kTrayRecordSize, sizeof(std::uint64_t));
}

}  // namespace

std::int32_t glue_qdxaGetInputTrayList(GlueSession* session, WqsMemHandle* trayList,
                                       std::uint32_t* count) {
    if (session == nullptr || trayList == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    Trays trays;
    if (glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr2150) == 0) {
        return storeTrays(trays, trayList);
    }
    std::int32_t status = z_GetInputTrayInfo_2(*session, trays);
    if (status != kGlueNoErr) {
        return status;
    }
    if (glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr2152)) {
        status = mergeTrayAttribute(*session, kAttrTrayMediaStates, kMediaStateEntrySize, trays,
                                    mergeMediaState);
    }
    if (glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr2216)) {
        status = mergeTrayAttribute(*session, kAttrTrayExtendedStates, kExtendedStateEntrySize,
                                    trays, mergeExtendedState);
    }
    if (glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr2436)) {
        status = mergeTrayAttribute(*session, kAttrTrayExtendedMedium, kExtendedMediumEntrySize,
                                    trays, mergeExtendedMedium);
    }
    z_GetInputTrayMediaName(*session, trays);
    z_GetInputTrayMediumLibrary(*session, trays);
    const std::int32_t stored = storeTrays(trays, trayList);
    if (stored != kGlueNoErr) {
        return stored;
    }
    *count = static_cast<std::uint32_t>(trays.size());
    return status;
}

std::int32_t glue_qdxaGetInputTrayInfo(GlueSession* session, const WqsMemHandle* trayList,
                                       std::uint32_t index, TrayRecord* record) {
    if (session == nullptr || record == nullptr || record->recordSize != kTrayRecordSize) {
        return kGlueParamErr;
    }
    TrayRecord loaded;
    if (!device::queryLoadListRecord(trayList, index, kTrayRecordSize, sizeof(std::uint64_t),
                                     &loaded)) {
        return kGlueParamErr;
    }
    *record = loaded;
    return kGlueNoErr;
}
