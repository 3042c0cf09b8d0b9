// Get groups of media: the calibration list, the custom-media items, the loaded media per tray,
// the extended medium id of a document and the documents of a job.
#include <algorithm>
#include <array>
#include <cstring>

#include "admin/admin_get_groups.h"
#include "core/core_error.h"
#include "glue/glue_internal.h"
#include "query/query_job.h"
#include "query/query_method.h"
#include "query/query_records.h"

namespace admin {
namespace {

// The custom-media items are read for this media id.
constexpr std::uint16_t kCustomMediaId = 39321;

/// Three empty value handles; false when one cannot be made.
bool makeHandles(std::array<device::GlueHandle, 3>& handles) {
    for (device::GlueHandle& handle : handles) {
        handle.reset(Wqs_Mem_NewHandle(1));
        if (!handle) {
            return false;
        }
    }
    return true;
}

struct CustomMediaKeys {
    std::uint8_t item;
    std::string_view value;
    std::string_view automatic;
};
constexpr CustomMediaKeys kCustomMediaKeys[] = {
    {1, "WVTcMediaHeadHeightValue", "WVTcMediaHeadHeightAuto"},
    {2, "WVTcMediaAdsorptionPowerValue", "WVTcMediaAdsorptionPowerAuto"},
    {3, "WVTcMediaRollPaperCutValue", "WVTcMediaRollPaperCutAuto"},
    {4, "WVTcMediaBoderlessPrintValue", "WVTcMediaBoderlessPrintAuto"},
    {6, "WVTcMediaInkDryingTimeValue", "WVTcMediaInkDryingTimeAuto"},
};

bool asksCustomMedia(const GetRequest& get) {
    for (const CustomMediaKeys& keys : kCustomMediaKeys) {
        if (has(get.request, keys.value) || has(get.request, keys.automatic)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::int32_t> handleValues(const WqsMemHandle* handle, std::uint32_t count) {
    std::vector<std::int32_t> values(
        std::min<std::uint32_t>(count, handle->size / sizeof(std::int32_t)));
    if (!values.empty()) {
        std::memcpy(values.data(), handle->data, values.size() * sizeof(std::int32_t));
    }
    return values;
}

std::uint32_t getCalibrationInfo(GetRequest& get) {
    static constexpr std::string_view kListKey = "CalibrationInfo";
    if (!has(get.request, kListKey)) {
        return kCoreNoErr;
    }
    device::GlueHandle entries(Wqs_Mem_NewHandle(1));
    if (!entries) {
        return kCoreMemErr;
    }
    CalibrationList list;
    list.entries = entries.get();
    if (const std::uint32_t code = glueCode(glue_qdxaGetWVTCalibrationInfo(get.session, &list));
        code != kCoreNoErr) {
        return code;
    }
    std::array<std::vector<std::int32_t>, 5> numbers;
    std::vector<std::uint32_t> flags;
    cf::Value dates = cf::Value::emptyArray();
    const std::uint32_t held =
        std::min<std::uint32_t>(list.count, entries->size / kCalibrationEntrySize);
    for (std::uint32_t index = 0; index < held; ++index) {
        CalibrationEntry entry;
        std::memcpy(&entry, entries->data + index * kCalibrationEntrySize, sizeof entry);
        numbers[0].push_back(entry.bytes[0]);
        numbers[1].push_back(entry.bytes[1]);
        numbers[2].push_back(entry.value);
        flags.push_back(entry.byte != 0 ? kTktLibBooleanTrue : kTktLibBooleanFalse);
        dates.append(cf::Value::data(&entry.date, sizeof entry.date));
        numbers[3].push_back(entry.last);
    }
    TktLibTicket answer = cf::Value::emptyDictionary();
    if (const std::uint32_t code = firstFailure(
            [&] { return setInt(answer, "CalibrationInfoMode", list.value); },
            [&] { return setInt(answer, "CalibrationInfoCount", static_cast<std::int32_t>(held)); },
            [&] { return setIntArray(answer, "CalibrationInfoListID", numbers[0]); },
            [&] { return setIntArray(answer, "CalibrationInfoType", numbers[1]); },
            [&] { return setIntArray(answer, "CalibrationInfoMediumTypeEx", numbers[2]); },
            [&] { return setBooleanArray(answer, "CalibrationInfoCalibrated", flags); },
            [&] {
                return ConvertTktLibErrToCoreErr(
                    TktLibSetCFArray(&answer, key("CalibrationInfoDateTimes").c_str(), &dates));
            },
            [&] { return setIntArray(answer, "CalibrationInfoModeEx", numbers[3]); });
        code != kCoreNoErr) {
        return code;
    }
    return setTicket(get.result, kListKey, answer);
}

std::uint32_t getCustomMedia(GetRequest& get) {
    if (!asksCustomMedia(get)) {
        return kCoreNoErr;
    }
    std::array<device::GlueHandle, 3> lists;
    if (!makeHandles(lists)) {
        return kCoreMemErr;
    }
    std::uint16_t count = 0;
    const std::int32_t status = glue_qdxaGetWVTCustomMediaInfo(
        get.session, kCustomMediaId, lists[0].get(), lists[1].get(), lists[2].get(), &count);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    // Each entry names its item, then the item's value and whether the printer sets it itself.
    const auto items = handleValues(lists[0].get(), count);
    const auto values = handleValues(lists[1].get(), count);
    const auto automatic = handleValues(lists[2].get(), count);
    const std::size_t entries = std::min({items.size(), values.size(), automatic.size()});
    for (std::size_t entry = 0; entry < entries; ++entry) {
        for (const CustomMediaKeys& keys : kCustomMediaKeys) {
            if (items[entry] != keys.item) {
                continue;
            }
            if (const std::uint32_t code = firstFailure(
                    [&] {
                        return has(get.request, keys.value)
                                   ? setInt(get.result, keys.value, values[entry])
                                   : kCoreNoErr;
                    },
                    [&] {
                        return has(get.request, keys.automatic)
                                   ? setInt(get.result, keys.automatic, automatic[entry])
                                   : kCoreNoErr;
                    });
                code != kCoreNoErr) {
                return code;
            }
        }
    }
    return kCoreNoErr;
}

std::uint32_t getLoadedMedia(GetRequest& get) {
    static constexpr std::array<std::string_view, 3> kKeys = {
        "WVTLoadedMediaTrayAlias", "WVTLoadedMediaLoadStatus", "WVTLoadedMediaExMediumCode"};
    if (!hasAny(get.request, kKeys)) {
        return kCoreNoErr;
    }
    std::array<device::GlueHandle, 3> lists;
    if (!makeHandles(lists)) {
        return kCoreMemErr;
    }
    std::uint16_t count = 0;
    const std::int32_t status = glue_qdxaGetWVTLoadedMediaInfo2(
        get.session, lists[0].get(), lists[1].get(), lists[2].get(), &count);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const std::array<std::vector<std::int32_t>, 3> arrays = {handleValues(lists[0].get(), count),
                                                             handleValues(lists[1].get(), count),
                                                             handleValues(lists[2].get(), count)};
    return answerRequested<std::vector<std::int32_t>>(get, kKeys, arrays);
}

std::uint32_t getExtendedMediumID(GetRequest& get) {
    std::optional<std::int32_t> document;
    if (const std::uint32_t code = readInt(get.request, "DocumentHandle", document);
        code != kCoreNoErr || !document) {
        return code;
    }
    ExtendedMediumIDRecord record;
    const std::int32_t status =
        glue_qdxaGetExtendedMediumID(get.session, static_cast<std::uint32_t>(*document), &record);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    // The record's value, its two words and its byte, packed as the record holds them.
    std::array<std::uint8_t, sizeof record.value + sizeof record.words + sizeof record.byte> id{};
    std::memcpy(id.data(), &record.value, sizeof record.value);
    std::memcpy(id.data() + sizeof record.value, record.words, sizeof record.words);
    id.back() = record.byte;
    return setData(get.result, "ExtendedMediumID", id);
}

std::uint32_t getDocumentList(GetRequest& get) {
    std::optional<std::int32_t> job;
    if (!has(get.request, "DocumentHandleList")) {
        return kCoreNoErr;
    }
    if (const std::uint32_t code = readInt(get.request, "JobHandle", job); code != 0 || !job) {
        return code;
    }
    device::GlueHandle documents(Wqs_Mem_NewHandle(1));
    if (!documents) {
        return kCoreMemErr;
    }
    std::uint16_t count = 0;
    const std::int32_t status = glue_qdxaGetWVTDocumentList(
        get.session, static_cast<std::uint32_t>(*job), documents.get(), &count);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    return setIntArray(get.result, "DocumentHandleList", handleValues(documents.get(), count));
}

}  // namespace admin
