// Get groups answered by methods of the printer: paper, loaded media, calibration and colour
// checks, the administrator password, job logs, updates, remaining print time and test prints.
#include <algorithm>
#include <array>
#include <cstring>

#include "admin/admin_get_groups.h"
#include "core/core_error.h"
#include "query/query_method.h"

namespace admin {
namespace {

constexpr std::uint8_t kModeRead = 2;
constexpr std::uint32_t kPaperSelectorSheet = 0;
constexpr std::uint32_t kPaperSelectorRollUnit2 = 2;
constexpr std::uint32_t kWordShift = 16;

std::uint32_t answerPaperAmount(GetRequest& get, std::string_view name, std::uint32_t selector) {
    if (!has(get.request, name)) {
        return kCoreNoErr;
    }
    std::uint32_t amount = 0;
    std::uint16_t value1 = 0;
    std::uint16_t value2 = 0;
    const std::int32_t status =
        glue_qdxaGetWVTPaperAmount(get.session, &amount, &value1, &value2, &selector);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const std::array<std::int32_t, 3> values = {
        static_cast<std::int32_t>(amount),
        static_cast<std::int32_t>((std::uint32_t{value1} << kWordShift) | value2),
        static_cast<std::int32_t>(selector)};
    return setIntArray(get.result, name, values);
}

}  // namespace

std::uint32_t getPaperAmount(GetRequest& get) {
    return answerPaperAmount(get, "PaperAmount", kPaperSelectorSheet);
}

std::uint32_t getPaperAmountRollUnit2(GetRequest& get) {
    return answerPaperAmount(get, "PaperAmountRollUnit2", kPaperSelectorRollUnit2);
}

std::uint32_t getLoadedMediaInfo(GetRequest& get) {
    return answerValue<std::uint8_t>(get, "LoadedMediaInfo", glue_qdxaGetWVTLoadedMediaInfo);
}

std::uint32_t getCalibrationAdjust(GetRequest& get) {
    if (!has(get.request, "WVTCalibrationAdjustValue")) {
        return kCoreNoErr;
    }
    std::uint8_t adjust = 0;
    std::uint8_t result = 0;
    const std::int32_t status =
        glue_qdxaWVTCalibrationAdjust(get.session, kModeRead, &adjust, &result);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    return firstFailure([&] { return setInt(get.result, "WVTCalibrationAdjustValue", adjust); },
                        [&] { return setInt(get.result, "WVTCalibrationAdjustResult", result); });
}

std::uint32_t getColorCheckThreshold(GetRequest& get) {
    static constexpr std::array<std::string_view, 2> kKeys = {"WVTColorCheckThresholdDeltaEType",
                                                              "WVTColorCheckThresholdValue"};
    if (!hasAny(get.request, kKeys)) {
        return kCoreNoErr;
    }
    std::uint8_t deltaEType = 0;
    std::uint16_t threshold = 0;
    std::uint8_t result = 0;
    const std::int32_t status =
        glue_qdxaColorCheckThreshold(get.session, kModeRead, &deltaEType, &threshold, &result);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    return firstFailure(
        [&] {
            return answerRequested<std::int32_t>(
                get, kKeys, std::array<std::int32_t, 2>{deltaEType, threshold});
        },
        [&] { return setInt(get.result, "WVTColorCheckThresholdResult", result); });
}

std::uint32_t getColorCheckSchedule(GetRequest& get) {
    static constexpr std::array<std::string_view, 5> kKeys = {
        "WVTColorCheckScheduleExecTiming", "WVTColorCheckScheduleDate", "WVTColorCheckScheduleTime",
        "WVTColorCheckScheduleExecMode", "WVTColorCheckScheduleExecAutoCalib"};
    if (!hasAny(get.request, kKeys)) {
        return kCoreNoErr;
    }
    std::uint8_t timing = 0;
    std::uint32_t date = 0;
    std::uint32_t time = 0;
    std::uint8_t mode = 0;
    std::uint8_t automatic = 0;
    const std::int32_t status = glue_qdxaColorCheckSchedule(get.session, kModeRead, &timing, &date,
                                                            &time, &mode, &automatic);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const std::array<std::int32_t, 5> values = {timing, static_cast<std::int32_t>(date),
                                                static_cast<std::int32_t>(time), mode, automatic};
    return answerRequested<std::int32_t>(get, kKeys, values);
}

std::uint32_t getAdministratorPassword(GetRequest& get) {
    return answerValue<std::uint8_t>(get, "WVTGetAdministratorPassword",
                                     glue_qdxaAdministratorPasswordState);
}

std::uint32_t getAdministratorAuthentication(GetRequest& get) {
    std::optional<cf::Value::Data> password;
    if (const std::uint32_t code =
            readData(get.request, "WVTAdministratorAuthenticationPassword", password);
        code != kCoreNoErr || !password) {
        return code;
    }
    std::uint8_t pascal[kTextBufferSize] = {};
    pascal[0] = static_cast<std::uint8_t>(std::min<std::size_t>(password->size(), kMaxTextLength));
    std::copy_n(password->begin(), pascal[0], pascal + 1);
    std::uint8_t result = 0;
    const std::int32_t status = glue_qdxaAdminAuthenticationPassword(get.session, pascal, &result);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    return setInt(get.result, "WVTAdministratorAuthenticationResult", result);
}

std::uint32_t getJobLogPrintSetting(GetRequest& get) {
    return answerValue<std::uint8_t>(
        get, "WVTJobLogPrintSetting", [](GlueSession* session, std::uint8_t* value) {
            return glue_qdxaJobLogPrintSetting(session, kModeRead, value);
        });
}

std::uint32_t getSupplementalInfo(GetRequest& get) {
    std::optional<std::int32_t> type;
    if (const std::uint32_t code = readInt(get.request, "WVTGetSupplementalInfoType", type);
        code != kCoreNoErr || !type) {
        return code;
    }
    std::uint8_t value = 0;
    const std::int32_t status =
        glue_qdxaSupplementalInfo(get.session, static_cast<std::uint8_t>(*type), &value);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    return setInt(get.result, "WVTGetSupplementalInfoValue", value);
}

std::uint32_t getUpdateAvailableState(GetRequest& get) {
    return answerValue<std::uint8_t>(get, "WVTGetUpdateAvailableState",
                                     glue_qdxaUpdateAvailableState);
}

std::uint32_t getPrintRemainTime(GetRequest& get) {
    // The first three remaining times of the record, in this order.
    static constexpr std::array<std::string_view, 3> kKeys = {
        "PrintRemainTimePage", "PrintRemainTimeCurrentPageTime", "PrintRemainTimeJob"};
    if (!hasAny(get.request, kKeys)) {
        return kCoreNoErr;
    }
    PrintRemainTime record;
    if (const std::uint32_t code = glueCode(glue_qdxaGetWVTPrintRemainTime(get.session, &record));
        code != kCoreNoErr) {
        return code;
    }
    std::array<std::int32_t, kKeys.size()> times{};
    std::copy_n(record.times, times.size(), times.begin());
    return answerRequested<std::int32_t>(get, kKeys, times);
}

std::uint32_t getTestPrint2Status(GetRequest& get) {
    return answerValue<std::uint8_t>(get, "WVTTestPrint2Status", glue_qdxaGetWVTTestPrint2Status);
}

}  // namespace admin
