// Model, device number, string attributes, account resources, plex, firmware, optional units
// and file-box sizes.
#include <cstring>
#include <string_view>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_device.h"
#include "query/query_internal.h"
#include "query/query_records.h"

namespace {

constexpr std::uint8_t kMaxShortString = 32;

constexpr std::uint8_t kPlexOneSided = 1;
constexpr std::uint8_t kPlexTwoSided = 2;
constexpr std::uint8_t kPlexTwoSidedOther = 4;

constexpr std::uint8_t kFirmwareMain = 4;
constexpr std::uint8_t kFirmwareKind7 = 7;
constexpr std::uint16_t kDefaultFirmwareNumber = 3;

constexpr std::uint8_t kUnitFont = 1;
constexpr std::uint8_t kUnitMemory = 2;
constexpr std::uint8_t kUnitHardDisk = 3;
constexpr std::uint8_t kUnitCard = 4;
constexpr std::uint8_t kUnitSpectrophotometer = 11;
constexpr std::uint8_t kHardDiskReady = 4;
constexpr std::uint8_t kDefaultSpectrophotometerUnit = 2;
constexpr std::string_view kFontNamePrefix = "VELQ:";

// One entry of the optional-unit list: a kind, two bytes, a name, six bytes, the unit byte, one
// byte and a 32-bit value.
struct UnitEntry {
    std::uint8_t kind = 0;
    std::uint8_t name[kQueryShortStringSize] = {};
    std::uint8_t unit = 0;
    std::uint32_t value = 0;
};

bool readUnitEntry(bytes::ByteReader& reader, UnitEntry& entry) {
    const auto kind = reader.u8();
    if (!kind || !reader.skip(2) || !device::queryReadString(reader, entry.name, kMaxShortString) ||
        !reader.skip(6)) {
        return false;
    }
    const auto unit = reader.u8();
    if (!unit || !reader.skip(1)) {
        return false;
    }
    const auto value = reader.u32be();
    if (!value) {
        return false;
    }
    entry.kind = *kind;
    entry.unit = *unit;
    entry.value = *value;
    return true;
}

// Reads the optional-unit list of the device and calls `visit` with each entry that the reply
// holds in full.
template <typename Visit>
std::int32_t forEachUnit(GlueSession& session, Visit visit) {
    device::AttributeReply reply;
    const std::int32_t status = reply.read(session, kGlueObjectDevice, kAttrOptionalUnits);
    if (status != kGlueNoErr) {
        return device::queryNoInformationIsSuccess(status);
    }
    bytes::ByteReader reader(reply.value());
    const std::uint16_t count = reader.u16be().value_or(0);
    for (std::uint16_t index = 0; index < count; ++index) {
        UnitEntry entry;
        if (!readUnitEntry(reader, entry) || !visit(entry)) {
            break;
        }
    }
    return kGlueNoErr;
}

// Reads a 16-bit character-set code and a string.
std::int32_t readCodedString(GlueSession* session, std::uint32_t object, std::uint16_t attribute,
                             std::uint16_t* code, std::uint8_t* string) {
    if (session == nullptr || string == nullptr) {
        return kGlueParamErr;
    }
    string[0] = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, object, attribute);
    if (status != kGlueNoErr) {
        return status;
    }
    bytes::ByteReader reader(reply.value());
    const auto wireCode = reader.u16be();
    if (code != nullptr && wireCode) {
        *code = *wireCode;
    }
    device::queryReadString(reader, string, kQDXAMaxStringLength);
    return kGlueNoErr;
}

// Reads a count byte at byte 2 and that many 32-bit values from byte 3 into `handle`.
std::int32_t readValueList(GlueSession* session, std::uint32_t object, std::uint16_t attribute,
                           WqsMemHandle* handle, std::uint16_t* count) {
    if (session == nullptr || handle == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, object, attribute);
    if (status == kGlueMemErr) {
        return kGlueNoErr;
    }
    if (status != kGlueNoErr) {
        return status;
    }
    bytes::ByteReader reader(reply.value());
    const std::uint8_t listed = reader.u8().value_or(0);
    const auto held =
        static_cast<std::uint8_t>(std::min<std::size_t>(listed, reader.remaining() / 4));
    if (device::querySizeValues(handle, held) != kGlueNoErr) {
        return kGlueNoErr;
    }
    for (std::uint8_t index = 0; index < held; ++index) {
        device::queryStoreValue(handle, index, reader.u32be().value_or(0));
    }
    *count = held;
    return kGlueNoErr;
}

}  // namespace

std::int32_t glue_qdxaGetStringAttribute(GlueSession* session, std::uint32_t object,
                                         std::uint16_t attribute, std::uint16_t* code,
                                         std::uint8_t* string) {
    if (code == nullptr) {
        return kGlueParamErr;
    }
    return readCodedString(session, object, attribute, code, string);
}

std::int32_t glue_qdxaGetDeviceNumber(GlueSession* session, std::uint8_t* number) {
    if (session == nullptr || number == nullptr) {
        return kGlueParamErr;
    }
    number[0] = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectDevice, kAttrDeviceNumber);
    if (status != kGlueNoErr) {
        return status;
    }
    bytes::ByteReader reader(reply.value());
    device::queryReadString(reader, number, kQDXAMaxStringLength);
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetAccountResourceCount(GlueSession* session, WqsMemHandle* handle,
                                              std::uint16_t* count) {
    return readValueList(session, kGlueObjectDevice, kAttrAccountResources, handle, count);
}

std::int32_t glue_qdxaGetPlexSupport(GlueSession* session, std::uint8_t* oneSided,
                                     std::uint8_t* twoSided) {
    if (session == nullptr || oneSided == nullptr || twoSided == nullptr) {
        return kGlueParamErr;
    }
    *oneSided = 0;
    *twoSided = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectJobService, kAttrPlex);
    if (status != kGlueNoErr) {
        return status;
    }
    bytes::ByteReader reader(reply.value());
    const std::uint8_t count = reader.u8().value_or(0);
    for (std::uint8_t index = 0; index < count; ++index) {
        const auto kind = reader.u8();
        const auto value = reader.u8();
        if (!kind || !value) {
            break;
        }
        if (*value != 1) {
            continue;
        }
        if (*kind == kPlexOneSided) {
            *oneSided = 1;
        }
        if (*kind == kPlexTwoSided || *kind == kPlexTwoSidedOther) {
            *twoSided = 1;
        }
    }
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetFirmMainVersion(GlueSession* session, std::uint16_t* number,
                                         std::uint8_t* string, std::uint16_t* numbers,
                                         std::uint8_t* hasKind7) {
    if (session == nullptr || number == nullptr || string == nullptr || numbers == nullptr ||
        hasKind7 == nullptr) {
        return kGlueParamErr;
    }
    *number = kDefaultFirmwareNumber;
    string[0] = 0;
    numbers[0] = numbers[1] = numbers[2] = 0;
    *hasKind7 = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectDevice, kAttrFirmwareVersions);
    if (status != kGlueNoErr) {
        return status;
    }
    // Entries: a kind, a 16-bit number, a string and three 16-bit numbers.
    bytes::ByteReader reader(reply.value());
    const std::uint16_t count = reader.u16be().value_or(0);
    bool mainFound = false;
    for (std::uint16_t index = 0; index < count; ++index) {
        const auto kind = reader.u8();
        const auto entryNumber = reader.u16be();
        std::uint8_t entryString[kQueryShortStringSize] = {};
        if (!kind || !entryNumber ||
            !device::queryReadString(reader, entryString, kMaxShortString)) {
            break;
        }
        const auto first = reader.u16be();
        const auto second = reader.u16be();
        const auto third = reader.u16be();
        if (!third) {
            break;
        }
        if (*kind == kFirmwareKind7) {
            *hasKind7 = 1;
        }
        if (*kind == kFirmwareMain && !mainFound) {
            mainFound = true;
            *number = *entryNumber;
            std::memcpy(string, entryString, 1u + entryString[0]);
            numbers[0] = *first;
            numbers[1] = *second;
            numbers[2] = *third;
        }
    }
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetSpectrophotometer(GlueSession* session, std::uint8_t* unit) {
    if (session == nullptr || unit == nullptr) {
        return kGlueParamErr;
    }
    *unit = kDefaultSpectrophotometerUnit;
    return forEachUnit(*session, [&](const UnitEntry& entry) {
        if (entry.kind != kUnitSpectrophotometer) {
            return true;
        }
        *unit = entry.unit;
        return false;
    });
}

std::int32_t glue_qdxaGetOptionalUnitsSupport(GlueSession* session, std::uint8_t* hardDiskFlag,
                                              std::uint8_t* hardDiskState, std::uint8_t* memoryFlag,
                                              std::uint32_t* memorySize, std::uint8_t* fontFlag,
                                              std::uint8_t* fontName, std::uint8_t* cardUnitFlag,
                                              std::uint8_t* cardUnitName) {
    if (session == nullptr || hardDiskFlag == nullptr || hardDiskState == nullptr ||
        memoryFlag == nullptr || memorySize == nullptr || fontFlag == nullptr ||
        fontName == nullptr || cardUnitFlag == nullptr || cardUnitName == nullptr) {
        return kGlueParamErr;
    }
    *hardDiskFlag = *hardDiskState = *memoryFlag = *fontFlag = *cardUnitFlag = 0;
    *memorySize = 0;
    fontName[0] = cardUnitName[0] = 0;
    return forEachUnit(*session, [&](const UnitEntry& entry) {
        const std::span<const std::uint8_t> name(entry.name + 1, entry.name[0]);
        switch (entry.kind) {
            case kUnitFont: {
                const std::string_view text(reinterpret_cast<const char*>(name.data()),
                                            name.size());
                const std::size_t cut =
                    text.starts_with(kFontNamePrefix) ? kFontNamePrefix.size() : 0;
                device::queryCopyString(name.subspan(cut), fontName, kMaxShortString);
                *fontFlag = 1;
                break;
            }
            case kUnitMemory:
                if (entry.value != 0) {
                    *memorySize = entry.value;
                    *memoryFlag = 1;
                }
                break;
            case kUnitHardDisk:
                *hardDiskState = entry.unit;
                *hardDiskFlag = entry.unit == kHardDiskReady ? 1 : 0;
                break;
            case kUnitCard:
                device::queryCopyString(name, cardUnitName, kMaxShortString);
                *cardUnitFlag = 1;
                break;
            default:
                break;
        }
        return true;
    });
}

std::int32_t glue_qdxaGetFileBoxSize(GlueSession* session, std::uint16_t attribute,
                                     std::uint32_t* size, std::uint8_t* byte) {
    if (session == nullptr || size == nullptr || byte == nullptr) {
        return kGlueParamErr;
    }
    *size = 0;
    *byte = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectFileBoxService, attribute);
    if (status != kGlueNoErr) {
        return status;
    }
    const device::AnswerFields fields(reply.value());
    fields.u32(0, *size);
    fields.u8(4, *byte);
    return kGlueNoErr;
}
