// The set request: printer and job texts, media and custom-media settings, calibration and
// colour-check settings, pre-information and file-box names, in a fixed order. The first
// failure ends the request; settings made before it stay made.
#include <array>

#include "admin/admin_internal.h"
#include "admin/admin_requests.h"
#include "admin/admin_text_setting.h"
#include "core/core_error.h"
#include "glue/glue_operations.h"
#include "query/query_method.h"
#include "query/query_setters.h"

namespace {

using admin::TextSetting;

// The custom-media settings address this media id.
constexpr std::uint16_t kCustomMediaId = 39321;
constexpr std::uint8_t kModeWrite = 1;
constexpr std::uint16_t kAttrFileBoxName = 10601;
constexpr std::uint16_t kAttrJobName = 4;
constexpr std::uint16_t kAttrJobDetailName = 279;

constexpr TextSetting kManagerSettings[] = {
    {"ManagerName", false, 1017},
    {"ManagerName", true, 1017},
    {"ManagerTelephoneNumber", false, 1018},
    {"ManagerTelephoneNumber", true, 1018},
    {"ManagerComments", false, 1019},
    {"ManagerComments", true, 1019},
};
constexpr TextSetting kDeviceSettings[] = {
    {"DeviceName", false, 1035},
    {"DeviceName", true, 1035},
    {"DeviceLocations", false, 1039},
    {"DeviceLocations", true, 1039},
};
constexpr TextSetting kFileBoxSettings[] = {
    {"FileBoxName", false, kAttrFileBoxName},
    {"FileBoxName", true, kAttrFileBoxName},
};
constexpr TextSetting kJobSettings[] = {
    {"JobName", false, kAttrJobName},
    {"JobName", true, kAttrJobName},
    {"JobDetailName", false, kAttrJobDetailName},
    {"JobDetailName", true, kAttrJobDetailName},
};

struct CustomMediaItem {
    std::string_view key;
    std::uint8_t item;
};
constexpr CustomMediaItem kCustomMediaItems[] = {
    {"WVTSetcMediaHeadHeight", 1},    {"WVTSetcMediaAdsorptionPower", 2},
    {"WVTSetcMediaRollPaperCut", 3},  {"WVTSetcMediaBoderlessPrint", 4},
    {"WVTSetcMediaInkDryingTime", 6},
};

class SetRequest {
  public:
    SetRequest(GlueSession* session, const TktLibTicket& request, TktLibTicket& result)
        : session_(session), request_(request), result_(result) {}

    std::uint32_t run() {
        return admin::firstFailure(
            [&] { return textSettings(kManagerSettings, kGlueObjectDevice); },
            [&] { return textSettings(kDeviceSettings, kGlueObjectDevice); },
            [&] { return mediaListNumber(); }, [&] { return appointMediaType(); },
            [&] { return fixCustomMedia(); }, [&] { return mediaType(); },
            [&] { return customMedia(); }, [&] { return calibrationAdjust(); },
            [&] { return colorCheckThreshold(); }, [&] { return colorCheckSchedule(); },
            [&] { return preInformation(); }, [&] { return fileBoxName(); },
            [&] { return jobTexts(); });
    }

  private:
    /// Sends the present settings in order; the first failing one ends the step.
    std::uint32_t textSettings(std::span<const TextSetting> settings, std::uint32_t object) {
        for (const TextSetting& setting : settings) {
            const auto outcome =
                admin::sendTextSetting(session_, request_, setting, object, nullptr);
            if (outcome.ticketCode != 0) {
                return outcome.ticketCode;
            }
            if (outcome.glueStatus && admin::glueCode(*outcome.glueStatus) != 0) {
                return admin::glueCode(*outcome.glueStatus);
            }
        }
        return kCoreNoErr;
    }

    /// Reads an integer input; `present` tells whether it was there.
    std::uint32_t input(std::string_view name, std::optional<std::int32_t>& value) {
        return admin::readInt(request_, name, value);
    }

    template <typename Send>
    std::uint32_t single(std::string_view name, Send send) {
        std::optional<std::int32_t> value;
        if (const std::uint32_t code = input(name, value); code != 0 || !value) {
            return code;
        }
        return admin::glueCode(send(*value));
    }

    std::uint32_t mediaListNumber() {
        return single("WVTMediaListNumber", [&](std::int32_t value) {
            return glue_qdxaSetMediaListNumber(session_, static_cast<std::uint8_t>(value));
        });
    }

    std::uint32_t appointMediaType() {
        return single("WVTAppointMediaTypeEx", [&](std::int32_t value) {
            return glue_qdxaSetAppointMediaTypeEx(session_, static_cast<std::uint16_t>(value));
        });
    }

    std::uint32_t fixCustomMedia() {
        return single("WVTFixCustomMedia", [&](std::int32_t value) {
            return glue_qdxaSetFixCustomMedia(session_, static_cast<std::uint16_t>(value));
        });
    }

    /// Reads every named input; `count` tells how many were present.
    template <std::size_t N>
    std::uint32_t inputs(const std::array<std::string_view, N>& names,
                         std::array<std::optional<std::int32_t>, N>& values, std::size_t& count) {
        count = 0;
        for (std::size_t index = 0; index < N; ++index) {
            if (const std::uint32_t code = input(names[index], values[index]); code != 0) {
                return code;
            }
            count += values[index] ? 1 : 0;
        }
        return kCoreNoErr;
    }

    std::uint32_t mediaType() {
        std::array<std::optional<std::int32_t>, 2> values;
        std::size_t count = 0;
        if (const auto code =
                inputs(std::array<std::string_view, 2>{"WVTSetMediaType", "WVTSetTrayAlias"},
                       values, count);
            code != 0 || count == 0) {
            return code;
        }
        if (count != values.size()) {
            return kCoreParamErr;
        }
        return admin::glueCode(glue_qdxaSetMediaType(session_,
                                                     static_cast<std::uint8_t>(*values[0]),
                                                     static_cast<std::uint8_t>(*values[1])));
    }

    /// The items are applied in order up to the first absent one.
    std::uint32_t customMedia() {
        for (const CustomMediaItem& item : kCustomMediaItems) {
            std::optional<std::int32_t> value;
            if (const std::uint32_t code = input(item.key, value); code != 0 || !value) {
                return code;
            }
            const std::int32_t status = glue_qdxaSetWVTCustomMediaInfo(
                session_, kCustomMediaId, item.item, static_cast<std::uint8_t>(*value));
            if (const std::uint32_t code = admin::glueCode(status); code != 0) {
                return code;
            }
        }
        return kCoreNoErr;
    }

    std::uint32_t calibrationAdjust() {
        std::optional<std::int32_t> value;
        if (const std::uint32_t code = input("WVTCalibrationAdjustValue", value);
            code != 0 || !value) {
            return code;
        }
        auto adjust = static_cast<std::uint8_t>(*value);
        std::uint8_t result = 0;
        const std::int32_t status =
            glue_qdxaWVTCalibrationAdjust(session_, kModeWrite, &adjust, &result);
        if (const std::uint32_t code = admin::glueCode(status); code != 0) {
            return code;
        }
        return admin::setInt(result_, "WVTCalibrationAdjustResult", result);
    }

    std::uint32_t colorCheckThreshold() {
        std::array<std::optional<std::int32_t>, 2> values;
        std::size_t count = 0;
        if (const auto code =
                inputs(std::array<std::string_view, 2>{"WVTColorCheckThresholdDeltaEType",
                                                       "WVTColorCheckThresholdValue"},
                       values, count);
            code != 0 || count == 0) {
            return code;
        }
        if (count != values.size()) {
            return kCoreParamErr;
        }
        auto deltaEType = static_cast<std::uint8_t>(*values[0]);
        auto threshold = static_cast<std::uint16_t>(*values[1]);
        std::uint8_t result = 0;
        const std::int32_t status =
            glue_qdxaColorCheckThreshold(session_, kModeWrite, &deltaEType, &threshold, &result);
        if (const std::uint32_t code = admin::glueCode(status); code != 0) {
            return code;
        }
        return admin::setInt(result_, "WVTColorCheckThresholdResult", result);
    }

    std::uint32_t colorCheckSchedule() {
        std::array<std::optional<std::int32_t>, 5> values;
        std::size_t count = 0;
        if (const auto code = inputs(
                std::array<std::string_view, 5>{
                    "WVTColorCheckScheduleExecTiming", "WVTColorCheckScheduleDate",
                    "WVTColorCheckScheduleTime", "WVTColorCheckScheduleExecMode",
                    "WVTColorCheckScheduleExecAutoCalib"},
                values, count);
            code != 0 || count == 0) {
            return code;
        }
        if (count != values.size()) {
            return kCoreParamErr;
        }
        auto timing = static_cast<std::uint8_t>(*values[0]);
        auto date = static_cast<std::uint32_t>(*values[1]);
        auto time = static_cast<std::uint32_t>(*values[2]);
        auto mode = static_cast<std::uint8_t>(*values[3]);
        auto automatic = static_cast<std::uint8_t>(*values[4]);
        return admin::glueCode(glue_qdxaColorCheckSchedule(session_, kModeWrite, &timing, &date,
                                                           &time, &mode, &automatic));
    }

    std::uint32_t preInformation() {
        std::optional<std::vector<std::int32_t>> values;
        if (const std::uint32_t code = admin::readIntArray(request_, "WVTPreInfo", values);
            code != 0 || !values || values->empty()) {
            return code;
        }
        std::vector<std::uint32_t> sent(values->begin(), values->end());
        return admin::glueCode(
            glue_qdxaSetPreInfo(session_, static_cast<std::uint32_t>(sent.size()), sent.data()));
    }

    /// The file box's name settings; each reports its control result, the last one's status
    /// decides.
    std::uint32_t fileBoxName() {
        std::optional<std::int32_t> box;
        if (const std::uint32_t code = input("FileBoxHandle", box); code != 0 || !box) {
            return code;
        }
        std::optional<std::vector<std::int32_t>> passwords;
        if (const std::uint32_t code = admin::readIntArray(request_, "FileBoxPassword", passwords);
            code != 0) {
            return code;
        }
        const std::uint32_t access =
            passwords && !passwords->empty() ? static_cast<std::uint32_t>(passwords->front()) : 0;
        return lastSettingCode(kFileBoxSettings, static_cast<std::uint32_t>(*box),
                               passwords ? &access : nullptr, true);
    }

    std::uint32_t jobTexts() {
        std::optional<std::int32_t> job;
        if (const std::uint32_t code = input("JobHandle", job); code != 0 || !job) {
            return code;
        }
        return lastSettingCode(kJobSettings, static_cast<std::uint32_t>(*job), nullptr, false);
    }

    /// Sends every present setting; the status of the last one sent gives the step's code.
    std::uint32_t lastSettingCode(std::span<const TextSetting> settings, std::uint32_t object,
                                  const std::uint32_t* access, bool reportControl) {
        std::int32_t last = 0;
        for (const TextSetting& setting : settings) {
            const auto outcome =
                admin::sendTextSetting(session_, request_, setting, object, access);
            if (outcome.ticketCode != 0) {
                return outcome.ticketCode;
            }
            if (!outcome.glueStatus) {
                continue;
            }
            last = *outcome.glueStatus;
            if (reportControl) {
                const std::int32_t result = ConvertGlueErrToControlErr(last);
                if (const std::uint32_t code = admin::setIntArray(result_, admin::kControlResultKey,
                                                                  std::span(&result, 1));
                    code != 0) {
                    return code;
                }
            }
        }
        return admin::glueCode(last);
    }

    GlueSession* session_;
    const TktLibTicket& request_;
    TktLibTicket& result_;
};

}  // namespace

std::uint32_t AdminSetInfo(GlueSession* session, const TktLibTicket* request,
                           TktLibTicket* result) {
    if (session == nullptr || request == nullptr || result == nullptr) {
        return kCoreParamErr;
    }
    return SetRequest(session, *request, *result).run();
}
