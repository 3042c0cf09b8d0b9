// The groups of the get request. Each tests its keys in the request ticket, runs its protocol
// operation once when one is present, and writes the requested answers; it returns a core code,
// and a code other than 0 ends the request.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "admin/admin_internal.h"
#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"
#include "ticket/ticket_library.h"

namespace admin {

/// One get request in progress.
struct GetRequest {
    GlueSession* session;
    const TktLibTicket& request;
    TktLibTicket& result;
};

using GetGroup = std::uint32_t (*)(GetRequest&);

/// Printer state: the live query, and the values cached in the session.
std::uint32_t getPrinterState(GetRequest& get);
std::uint32_t getPrinterStateNotComm(GetRequest& get);

/// Device texts, one group per key: ManagerName, ManagerNameByData, … DeviceLocationsByData.
std::uint32_t getManagerName(GetRequest& get);
std::uint32_t getManagerNameByData(GetRequest& get);
std::uint32_t getManagerTelephoneNumber(GetRequest& get);
std::uint32_t getManagerTelephoneNumberByData(GetRequest& get);
std::uint32_t getManagerComments(GetRequest& get);
std::uint32_t getManagerCommentsByData(GetRequest& get);
std::uint32_t getDeviceName(GetRequest& get);
std::uint32_t getDeviceNameByData(GetRequest& get);
std::uint32_t getDeviceLocations(GetRequest& get);
std::uint32_t getDeviceLocationsByData(GetRequest& get);

/// Printer facts read from one attribute.
std::uint32_t getComponentModel(GetRequest& get);
std::uint32_t getAccountResourceCount(GetRequest& get);
std::uint32_t getDetailCodeList(GetRequest& get);
std::uint32_t getPlexSupport(GetRequest& get);
std::uint32_t getFirmVersion(GetRequest& get);
std::uint32_t getDeviceNumber(GetRequest& get);
std::uint32_t getSpectrophotometerState(GetRequest& get);
std::uint32_t getOptionalUnits(GetRequest& get);
std::uint32_t getFuncForMonitor(GetRequest& get);
std::uint32_t getJobAttributesSupported(GetRequest& get);
std::uint32_t getMethodsSupported(GetRequest& get);

/// Ink.
std::uint32_t getMarkerLevels(GetRequest& get);
std::uint32_t getWasteInk(GetRequest& get);
std::uint32_t getInkTankMaxAmount(GetRequest& get);

/// Extended lists, one group per key.
std::uint32_t getStatusPrintStrings(GetRequest& get);
std::uint32_t getJobLogStrings(GetRequest& get);
std::uint32_t getServicePrintStrings(GetRequest& get);
std::uint32_t getStatusPrintStringsUser(GetRequest& get);
std::uint32_t getMediaEditorInfo(GetRequest& get);
std::uint32_t getMediaEditorHeadInfo(GetRequest& get);
std::uint32_t getMediaEditorInfo2(GetRequest& get);
std::uint32_t getMitMediaInfo(GetRequest& get);
std::uint32_t getMultiSensorInfo(GetRequest& get);
std::uint32_t getSpectrophotometerSensor(GetRequest& get);
std::uint32_t getStatusPrintStringsNoJoblog(GetRequest& get);
std::uint32_t getStatusPrintStringsUserNoJoblog(GetRequest& get);
std::uint32_t getJobLogStringsNoJoblog(GetRequest& get);

/// Printer methods.
std::uint32_t getPaperAmount(GetRequest& get);
std::uint32_t getPaperAmountRollUnit2(GetRequest& get);
std::uint32_t getLoadedMediaInfo(GetRequest& get);
std::uint32_t getCalibrationAdjust(GetRequest& get);
std::uint32_t getCalibrationInfo2(GetRequest& get);
std::uint32_t getColorCheckThreshold(GetRequest& get);
std::uint32_t getColorCheckSchedule(GetRequest& get);
std::uint32_t getAdministratorPassword(GetRequest& get);
std::uint32_t getAdministratorAuthentication(GetRequest& get);
std::uint32_t getJobLogPrintSetting(GetRequest& get);
std::uint32_t getSupplementalInfo(GetRequest& get);
std::uint32_t getUpdateAvailableState(GetRequest& get);
std::uint32_t getPrintRemainTime(GetRequest& get);
std::uint32_t getTestPrint2Status(GetRequest& get);

/// Media.
std::uint32_t getCalibrationInfo(GetRequest& get);
std::uint32_t getCustomMedia(GetRequest& get);
std::uint32_t getLoadedMedia(GetRequest& get);
std::uint32_t getJobMediumMismatch(GetRequest& get);
std::uint32_t getExtendedMediumID(GetRequest& get);
std::uint32_t getDocumentList(GetRequest& get);

/// Operations in progress or done.
std::uint32_t getChangeMode(GetRequest& get);
std::uint32_t getJobCompleteInfo(GetRequest& get);
std::uint32_t getAcquireResource(GetRequest& get);
std::uint32_t getTestPrint2Ex(GetRequest& get);

/// The paper trays.
std::uint32_t getInputTrayList(GetRequest& get);

/// The stored files of a file box.
std::uint32_t getFileList(GetRequest& get);
/// The file boxes.
std::uint32_t getFileBoxList(GetRequest& get);

/// Job lists.
std::uint32_t getJobListNotComm(GetRequest& get);
std::uint32_t getJobList(GetRequest& get);

}  // namespace admin

namespace admin {

/// The host-order 32-bit values of a handle, at most `count` and at most what it holds.
std::vector<std::int32_t> handleValues(const WqsMemHandle* handle, std::uint32_t count);

/// Queries that fill a handle with host-order 32-bit values and give their number.
using ValueListQuery = std::int32_t (*)(GlueSession*, WqsMemHandle*, std::uint16_t*);
/// When `name` is asked for: runs the query and answers its values as an integer array.
std::uint32_t answerValueList(GetRequest& get, std::string_view name, ValueListQuery query);

/// When `name` is asked for: runs `query`, which returns a glue status and stores a value, and
/// answers the value as an integer.
template <typename Value, typename Query>
std::uint32_t answerValue(GetRequest& get, std::string_view name, Query query) {
    if (!has(get.request, name)) {
        return 0;
    }
    Value value{};
    if (const std::uint32_t code = glueCode(query(get.session, &value)); code != 0) {
        return code;
    }
    return setInt(get.result, name, static_cast<std::int32_t>(value));
}

/// The answer setter of each value kind.
inline std::uint32_t setAnswer(TktLibTicket& ticket, std::string_view name, std::int32_t value) {
    return setInt(ticket, name, value);
}
inline std::uint32_t setAnswer(TktLibTicket& ticket, std::string_view name,
                               const std::vector<std::int32_t>& values) {
    return setIntArray(ticket, name, values);
}

/// Writes values[i] under names[i] for each name that the request holds.
template <typename Value>
std::uint32_t answerRequested(GetRequest& get, std::span<const std::string_view> names,
                              std::span<const Value> values) {
    for (std::size_t index = 0; index < names.size() && index < values.size(); ++index) {
        if (!has(get.request, names[index])) {
            continue;
        }
        if (const std::uint32_t code = setAnswer(get.result, names[index], values[index]);
            code != 0) {
            return code;
        }
    }
    return 0;
}

}  // namespace admin
