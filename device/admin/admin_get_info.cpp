// The get request: the groups of values a request ticket may ask for, served in a fixed order
// until the first failure. Answers of earlier groups stay in the result ticket.
#include "admin/admin_get_groups.h"
#include "admin/admin_internal.h"
#include "admin/admin_requests.h"
#include "core/core_error.h"

namespace {

constexpr char kProtocolName[] = "QDXAv2.0";

std::uint32_t getProtocolName(admin::GetRequest& get) {
    if (!admin::has(get.request, "ProtocolName")) {
        return kCoreNoErr;
    }
    return admin::setText(get.result, "ProtocolName", kProtocolName);
}

// The serving order of the groups.
constexpr admin::GetGroup kGroups[] = {
    getProtocolName,
    admin::getComponentModel,
    admin::getAccountResourceCount,
    admin::getPrinterState,
    admin::getDetailCodeList,
    admin::getPlexSupport,
    admin::getInputTrayList,
    admin::getManagerName,
    admin::getManagerNameByData,
    admin::getManagerTelephoneNumber,
    admin::getManagerTelephoneNumberByData,
    admin::getManagerComments,
    admin::getManagerCommentsByData,
    admin::getDeviceName,
    admin::getDeviceNameByData,
    admin::getDeviceLocations,
    admin::getDeviceLocationsByData,
    admin::getFirmVersion,
    admin::getMarkerLevels,
    admin::getWasteInk,
    admin::getInkTankMaxAmount,
    admin::getPaperAmount,
    admin::getPaperAmountRollUnit2,
    admin::getStatusPrintStrings,
    admin::getJobLogStrings,
    admin::getServicePrintStrings,
    admin::getStatusPrintStringsUser,
    admin::getMediaEditorInfo,
    admin::getMediaEditorHeadInfo,
    admin::getMediaEditorInfo2,
    admin::getMitMediaInfo,
    admin::getDeviceNumber,
    admin::getCalibrationInfo,
    admin::getLoadedMediaInfo,
    admin::getJobMediumMismatch,
    admin::getSpectrophotometerState,
    admin::getChangeMode,
    admin::getJobCompleteInfo,
    admin::getCalibrationAdjust,
    admin::getCalibrationInfo2,
    admin::getColorCheckThreshold,
    admin::getColorCheckSchedule,
    admin::getMultiSensorInfo,
    admin::getSpectrophotometerSensor,
    admin::getAcquireResource,
    admin::getTestPrint2Ex,
    admin::getPrinterStateNotComm,
    admin::getFileList,
    admin::getFileBoxList,
    admin::getOptionalUnits,
    admin::getFuncForMonitor,
    admin::getJobListNotComm,
    admin::getJobAttributesSupported,
    admin::getMethodsSupported,
    admin::getStatusPrintStringsNoJoblog,
    admin::getStatusPrintStringsUserNoJoblog,
    admin::getJobLogStringsNoJoblog,
    admin::getAdministratorPassword,
    admin::getAdministratorAuthentication,
    admin::getJobLogPrintSetting,
    admin::getExtendedMediumID,
    admin::getSupplementalInfo,
    admin::getUpdateAvailableState,
    admin::getJobList,
    admin::getPrintRemainTime,
    admin::getTestPrint2Status,
    admin::getCustomMedia,
    admin::getLoadedMedia,
    admin::getDocumentList,
};

}  // namespace

std::uint32_t AdminGetInfo(GlueSession* session, const TktLibTicket* request,
                           TktLibTicket* result) {
    if (session == nullptr || request == nullptr || result == nullptr) {
        return kCoreParamErr;
    }
    admin::GetRequest get{session, *request, *result};
    for (admin::GetGroup group : kGroups) {
        if (const std::uint32_t code = group(get); code != kCoreNoErr) {
            return code;
        }
    }
    return kCoreNoErr;
}
