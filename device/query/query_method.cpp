// Printer information read through vendor methods of the printer object.
#include "query/query_method.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_date.h"
#include "query/query_internal.h"

namespace {

constexpr std::uint8_t kTestPrintStatusInput[] = {142, 0, 0, 0};
constexpr std::uint8_t kCalibrationListInput[] = {1, 0};
constexpr std::uint32_t kPaperAmountInputSize = 9;
constexpr std::uint32_t kCalibrationInfo2InputSize = 84;
constexpr std::uint32_t kColorCheckScheduleInputSize = 13;

// The method queries share one shape: a session check, an answer buffer, the method.
std::int32_t runPrinterQuery(GlueSession& session, std::uint16_t method,
                             std::span<const std::uint8_t> input, device::MethodAnswer& answer,
                             std::int32_t noMemoryResult) {
    if (!answer.allocate(device::kQueryMethodAnswerSize)) {
        return noMemoryResult;
    }
    return answer.run(session, kGlueObjectPrinter, method, input);
}

// The one-byte answers share one shape: byte `position` of the answer, 0 when the answer is
// shorter.
std::int32_t runOneByteQuery(GlueSession* session, std::uint16_t method,
                             std::span<const std::uint8_t> input, std::size_t position,
                             std::int32_t noMemoryResult, std::uint8_t* value) {
    if (session == nullptr || value == nullptr) {
        return kGlueParamErr;
    }
    *value = 0;
    device::MethodAnswer answer;
    const std::int32_t status = runPrinterQuery(*session, method, input, answer, noMemoryResult);
    device::AnswerFields(answer.bytes()).u8(position, *value);
    return status;
}

// Sizes each handle to `count` values and stores byte `offsets[i]` of each `stride`-byte entry
// (from `first` on) into handle i; the entries the answer holds are counted.
std::uint16_t fillEntryLists(std::span<const std::uint8_t> answer, std::size_t first,
                             std::size_t stride, std::uint8_t listed,
                             std::initializer_list<WqsMemHandle*> handles,
                             std::initializer_list<std::size_t> offsets,
                             std::size_t wideOffset = SIZE_MAX) {
    const std::size_t available = answer.size() > first ? (answer.size() - first) / stride : 0;
    const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(listed, available));
    for (WqsMemHandle* handle : handles) {
        if (device::querySizeValues(handle, count) != kGlueNoErr) {
            return 0;
        }
    }
    for (std::uint16_t index = 0; index < count; ++index) {
        const std::uint8_t* entry = answer.data() + first + index * stride;
        auto offset = offsets.begin();
        for (WqsMemHandle* handle : handles) {
            const std::uint32_t value =
                *offset == wideOffset ? bytes::loadBE16(entry + *offset) : entry[*offset];
            device::queryStoreValue(handle, index, value);
            ++offset;
        }
    }
    return count;
}

}  // namespace

std::int32_t glue_qdxaGetWVTPaperAmount(GlueSession* session, std::uint32_t* amount,
                                        std::uint16_t* value1, std::uint16_t* value2,
                                        std::uint32_t* selector) {
    if (session == nullptr || amount == nullptr || value1 == nullptr || value2 == nullptr ||
        selector == nullptr) {
        return kGlueParamErr;
    }
    *amount = 0;
    *value1 = *value2 = 0;
    std::array<std::uint8_t, kPaperAmountInputSize> input{};
    input[8] = static_cast<std::uint8_t>(*selector);
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodPaperAmount, input, answer, kGlueNoErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u32(0, *amount);
    fields.u16(4, *value1);
    fields.u16(6, *value2);
    fields.u8(8, *selector);
    return device::queryNoInformationIsSuccess(status);
}

std::int32_t glue_qdxaGetInktankMaxAmount(GlueSession* session, WqsMemHandle* handle,
                                          std::uint16_t* count) {
    if (session == nullptr || handle == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodInktankMaxAmount, {}, answer, kGlueNoErr);
    // A count byte, then per tank a byte and a 16-bit value.
    bytes::ByteReader reader(answer.bytes());
    const std::uint8_t tanks = reader.u8().value_or(0);
    const auto held =
        static_cast<std::uint32_t>(std::min<std::size_t>(tanks, reader.remaining() / 3));
    if (status == kGlueNoErr && device::querySizeValues(handle, 2 * held) == kGlueNoErr) {
        for (std::uint32_t index = 0; index < held; ++index) {
            device::queryStoreValue(handle, 2 * index, *reader.u8());
            device::queryStoreValue(handle, 2 * index + 1, *reader.u16be());
        }
        *count = static_cast<std::uint16_t>(2 * held);
    }
    return device::queryNoInformationIsSuccess(status);
}

std::int32_t glue_qdxaGetWVTLoadedMediaInfo(GlueSession* session, std::uint8_t* value) {
    return runOneByteQuery(session, kMethodLoadedMediaInfo, {}, 0, kGlueMemErr, value);
}

std::int32_t glue_qdxaGetWVTLoadedMediaInfo2(GlueSession* session, WqsMemHandle* aliases,
                                             WqsMemHandle* states, WqsMemHandle* media,
                                             std::uint16_t* count) {
    if (session == nullptr || aliases == nullptr || states == nullptr || media == nullptr ||
        count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodLoadedMediaInfo2, {}, answer, kGlueMemErr);
    if (status != kGlueNoErr || answer.bytes().empty()) {
        return status;
    }
    // A count byte, then 5-byte entries: tray alias, load status, 16-bit medium value, a byte.
    constexpr std::size_t kMediumOffset = 2;
    *count = fillEntryLists(answer.bytes(), 1, 5, answer.bytes()[0], {aliases, states, media},
                            {0, 1, kMediumOffset}, kMediumOffset);
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetWVTCustomMediaInfo(GlueSession* session, std::uint16_t mediaId,
                                            WqsMemHandle* first, WqsMemHandle* second,
                                            WqsMemHandle* third, std::uint16_t* count) {
    if (session == nullptr || first == nullptr || second == nullptr || third == nullptr ||
        count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    std::uint8_t input[3] = {};
    bytes::storeBE16(input, mediaId);
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodCustomMediaInfoQuery, input, answer, kGlueMemErr);
    if (status != kGlueNoErr || answer.bytes().size() < 3) {
        return status;
    }
    // The entry count at byte 2, then 3-byte entries from byte 3.
    *count =
        fillEntryLists(answer.bytes(), 3, 3, answer.bytes()[2], {first, second, third}, {0, 1, 2});
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetWVTPrintRemainTime(GlueSession* session, PrintRemainTime* record) {
    if (session == nullptr || record == nullptr) {
        return kGlueParamErr;
    }
    *record = {};
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodPrintRemainTime, {}, answer, kGlueMemErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u16(0, record->value);
    fields.u8(2, record->byte);
    for (std::size_t index = 0; index < 4; ++index) {
        fields.u32(3 + 4 * index, record->times[index]);
    }
    fields.u8(19, record->last);
    return status;
}

std::int32_t glue_qdxaGetWVTTestPrint2Status(GlueSession* session, std::uint8_t* state) {
    return runOneByteQuery(session, kMethodTestPrint2, kTestPrintStatusInput, 2, kGlueMemErr,
                           state);
}

std::int32_t glue_qdxaWVTTestPrint2Ex(GlueSession* session, std::uint8_t* type, std::uint8_t action,
                                      std::uint8_t* byte2, std::uint8_t* byte3) {
    if (session == nullptr || type == nullptr || byte2 == nullptr || byte3 == nullptr) {
        return kGlueParamErr;
    }
    const std::uint8_t input[] = {*type, action, 0, 0};
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodTestPrint2, input, answer, kGlueNoErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u8(0, *type);
    fields.u8(2, *byte2);
    fields.u8(3, *byte3);
    return status;
}

std::int32_t glue_qdxaGetWVTCalibrationInfo(GlueSession* session, CalibrationList* list) {
    if (session == nullptr || list == nullptr || list->entries == nullptr) {
        return kGlueParamErr;
    }
    list->value = 0;
    list->count = 0;
    device::MethodAnswer answer;
    const std::int32_t status = runPrinterQuery(*session, kMethodCalibrationInfo,
                                                kCalibrationListInput, answer, kGlueMemErr);
    if (status != kGlueNoErr) {
        return status;
    }
    // Byte 0, the count byte, then entries of two bytes, a 16-bit value, a byte, a wire date
    // and a byte.
    constexpr std::size_t kWireEntrySize = 2 + 2 + 1 + kQDXAWireDateSize + 1;
    bytes::ByteReader reader(answer.bytes());
    const auto value = reader.u8();
    const auto listed = reader.u8();
    if (!value || !listed) {
        return kGlueNoErr;
    }
    list->value = *value;
    const auto held = static_cast<std::uint8_t>(
        std::min<std::size_t>(*listed, reader.remaining() / kWireEntrySize));
    const std::int32_t sized = Wqs_Mem_SetHandleSize(list->entries, held * kCalibrationEntrySize);
    if (sized != kGlueNoErr) {
        return sized;
    }
    for (std::uint8_t index = 0; index < held; ++index) {
        const std::uint8_t* wire = reader.take(kWireEntrySize)->data();
        CalibrationEntry entry{};
        entry.bytes[0] = wire[0];
        entry.bytes[1] = wire[1];
        entry.value = bytes::loadBE16(wire + 2);
        entry.byte = wire[4];
        QDXA2MacDateTime(wire + 5, &entry.date, false);
        entry.last = wire[5 + kQDXAWireDateSize];
        std::memcpy(list->entries->data + index * kCalibrationEntrySize, &entry, sizeof entry);
    }
    list->count = held;
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetWVTCalibrationInfo2(GlueSession* session, std::uint8_t kind,
                                             std::uint16_t number, std::uint8_t byte,
                                             CalibrationInfo2* record) {
    if (session == nullptr || record == nullptr) {
        return kGlueParamErr;
    }
    *record = {};
    std::array<std::uint8_t, kCalibrationInfo2InputSize> input{};
    input[0] = kind;
    input[4] = 1;
    bytes::storeBE16(&input[5], number);
    input[7] = byte;
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodCalibrationInfo2, input, answer, kGlueNoErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u16(1, record->value);
    fields.u8(3, record->byte3);
    fields.u8(4, record->resultCount);
    if (record->resultCount == 0) {
        return status;
    }
    constexpr std::size_t kNameOffset = 10;
    constexpr std::uint8_t kNameLength = 40;
    fields.u16(8, record->value8);
    if (fields.holds(kNameOffset, kNameLength)) {
        device::queryCopyString(fields.bytes().subspan(kNameOffset, kNameLength), record->name,
                                kNameLength);
    }
    fields.u8(50, record->byte50);
    fields.u32(51, record->values51[0]);
    fields.u32(55, record->values51[1]);
    for (std::size_t index = 0; index < 3; ++index) {
        fields.u8(59 + index, record->bytes59[index]);
    }
    fields.u8(63, record->byte63);
    fields.u32(64, record->values64[0]);
    fields.u32(68, record->values64[1]);
    for (std::size_t index = 0; index < 4; ++index) {
        fields.u8(72 + index, record->bytes72[index]);
    }
    fields.u16(76, record->values76[0]);
    fields.u16(78, record->values76[1]);
    for (std::size_t index = 0; index < 3; ++index) {
        fields.u8(80 + index, record->bytes80[index]);
    }
    return status;
}

std::int32_t glue_qdxaGetWVTChangeMode(GlueSession* session, std::uint8_t action,
                                       std::uint8_t connectionKind, std::uint8_t* result,
                                       std::uint8_t* state, std::uint16_t* port,
                                       std::uint8_t* channel) {
    if (session == nullptr || result == nullptr || state == nullptr || port == nullptr ||
        channel == nullptr) {
        return kGlueParamErr;
    }
    *result = *state = *channel = 0;
    *port = 0;
    const std::uint8_t input[] = {1, action, connectionKind, 0, 0, 0, 0, 0, 0};
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodChangeMode, input, answer, kGlueNoErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u8(3, *result);
    fields.u8(4, *state);
    fields.u16(5, *port);
    fields.u8(7, *channel);
    return status;
}

std::int32_t glue_qdxaGetWVTJobCompleteInfo(GlueSession* session, std::uint8_t* state,
                                            std::uint16_t* value, std::uint32_t* jobHandle,
                                            std::uint16_t* nameCode, std::uint8_t* name,
                                            std::uint16_t* detailNameCode,
                                            std::uint8_t* detailName) {
    if (session == nullptr || state == nullptr || value == nullptr || jobHandle == nullptr ||
        nameCode == nullptr || name == nullptr || detailNameCode == nullptr ||
        detailName == nullptr) {
        return kGlueParamErr;
    }
    *state = 0;
    *value = *nameCode = *detailNameCode = 0;
    *jobHandle = 0;
    name[0] = detailName[0] = 0;
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodJobCompleteInfo, {}, answer, kGlueNoErr);
    // State, a 16-bit value, the job handle, the name code and name, the detail code and name.
    bytes::ByteReader reader(answer.bytes());
    const auto wireState = reader.u8();
    const auto wireValue = reader.u16be();
    const auto handle = reader.u32be();
    const auto code = reader.u16be();
    if (!code) {
        return status;
    }
    *state = *wireState;
    *value = *wireValue;
    *jobHandle = *handle;
    *nameCode = *code;
    if (device::queryReadString(reader, name, kQDXAMaxStringLength)) {
        const auto detailCode = reader.u16be();
        if (detailCode) {
            *detailNameCode = *detailCode;
            device::queryReadString(reader, detailName, kQDXAMaxStringLength);
        }
    }
    return status;
}

std::int32_t glue_qdxaWVTCalibrationAdjust(GlueSession* session, std::uint8_t mode,
                                           std::uint8_t* adjust, std::uint8_t* result) {
    if (session == nullptr || adjust == nullptr || result == nullptr) {
        return kGlueParamErr;
    }
    *result = 0;
    const std::uint8_t input[] = {1, mode, 0, 0, *adjust, 0, 0};
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodCalibrationAdjust, input, answer, kGlueNoErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u8(4, *adjust);
    fields.u8(5, *result);
    return status;
}

std::int32_t glue_qdxaColorCheckThreshold(GlueSession* session, std::uint8_t mode,
                                          std::uint8_t* deltaEType, std::uint16_t* threshold,
                                          std::uint8_t* result) {
    if (session == nullptr || deltaEType == nullptr || threshold == nullptr || result == nullptr) {
        return kGlueParamErr;
    }
    *result = 0;
    std::uint8_t input[] = {mode, *deltaEType, 0, 0, 0, 0};
    bytes::storeBE16(&input[2], *threshold);
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodColorCheckThreshold, input, answer, kGlueNoErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u8(1, *deltaEType);
    fields.u16(2, *threshold);
    fields.u8(4, *result);
    return status;
}

std::int32_t glue_qdxaColorCheckSchedule(GlueSession* session, std::uint8_t mode,
                                         std::uint8_t* timing, std::uint32_t* date,
                                         std::uint32_t* time, std::uint8_t* executionMode,
                                         std::uint8_t* automaticCalibration) {
    if (session == nullptr || timing == nullptr || date == nullptr || time == nullptr ||
        executionMode == nullptr || automaticCalibration == nullptr) {
        return kGlueParamErr;
    }
    std::array<std::uint8_t, kColorCheckScheduleInputSize> input{};
    input[0] = mode;
    input[1] = *timing;
    bytes::storeBE32(&input[2], *date);
    bytes::storeBE32(&input[6], *time);
    input[10] = *executionMode;
    input[11] = *automaticCalibration;
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodColorCheckSchedule, input, answer, kGlueNoErr);
    const device::AnswerFields fields(answer.bytes());
    fields.u8(1, *timing);
    fields.u32(2, *date);
    fields.u32(6, *time);
    fields.u8(10, *executionMode);
    fields.u8(11, *automaticCalibration);
    return status;
}

std::int32_t glue_qdxaAdministratorPasswordState(GlueSession* session, std::uint8_t* state) {
    return runOneByteQuery(session, kMethodAdministratorPasswordState, {}, 0, kGlueNoErr, state);
}

std::int32_t glue_qdxaAdminAuthenticationPassword(GlueSession* session,
                                                  const std::uint8_t* password,
                                                  std::uint8_t* result) {
    if (session == nullptr || password == nullptr || result == nullptr) {
        return kGlueParamErr;
    }
    *result = 0;
    // The password's characters, at most 16, zero-filled to 16 bytes; then two zero bytes.
    std::array<std::uint8_t, kAdminPasswordLength + 2> input{};
    std::memcpy(input.data(), password + 1,
                std::min<std::uint32_t>(password[0], kAdminPasswordLength));
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodAdminAuthenticationPassword, input, answer, kGlueNoErr);
    device::AnswerFields(answer.bytes()).u8(kAdminPasswordLength, *result);
    return status;
}

std::int32_t glue_qdxaJobLogPrintSetting(GlueSession* session, std::uint8_t mode,
                                         std::uint8_t* value) {
    if (session == nullptr || value == nullptr) {
        return kGlueParamErr;
    }
    const std::uint8_t input[] = {mode, *value, 0};
    device::MethodAnswer answer;
    const std::int32_t status =
        runPrinterQuery(*session, kMethodJobLogPrintSetting, input, answer, kGlueNoErr);
    device::AnswerFields(answer.bytes()).u8(1, *value);
    return status;
}

std::int32_t glue_qdxaUpdateAvailableState(GlueSession* session, std::uint8_t* state) {
    const std::uint8_t input[] = {0, 0, 0, 0};
    return runOneByteQuery(session, kMethodUpdateAvailableState, input, 1, kGlueNoErr, state);
}

std::int32_t glue_qdxaSupplementalInfo(GlueSession* session, std::uint8_t type,
                                       std::uint8_t* value) {
    const std::uint8_t input[] = {1, type, 0};
    return runOneByteQuery(session, kMethodSupplementalInfo, input, 2, kGlueNoErr, value);
}
