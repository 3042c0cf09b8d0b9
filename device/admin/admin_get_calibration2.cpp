// The second calibration query in get requests: the calibration and colour check of one mode,
// medium and display language.
#include <algorithm>
#include <array>
#include <cstring>

#include "admin/admin_get_groups.h"
#include "core/core_error.h"
#include "query/query_method.h"

namespace admin {
namespace {

constexpr std::array<std::string_view, 3> kInputs = {
    "WVTCalibrationInfo2Mode", "WVTCalibrationInfo2MediumTypeEx", "WVTCalibrationInfo2LcdLanguage"};

// The record's fields in answer-key order: the calibration (type, date, time, temperature,
// humidity, backing), the colour check (the same six), the delta-E type and value, the
// guidance, common media and dot-count notification, then the name's character set, the
// threshold and result from the answer's head, and the dot-count state.
std::array<std::pair<std::string_view, std::int32_t>, 21> answers(const CalibrationInfo2& r) {
    return {{
        {"WVTCalibrationInfo2CalibrationType", r.byte50},
        {"WVTCalibrationInfo2CalibrationDate", static_cast<std::int32_t>(r.values51[0])},
        {"WVTCalibrationInfo2CalibrationTime", static_cast<std::int32_t>(r.values51[1])},
        {"WVTCalibrationInfo2CalibrationTemperature", r.bytes59[0]},
        {"WVTCalibrationInfo2CalibrationHumidity", r.bytes59[1]},
        {"WVTCalibrationInfo2CalibrationBacking", r.bytes59[2]},
        {"WVTCalibrationInfo2ColorCheckType", r.byte63},
        {"WVTCalibrationInfo2ColorCheckDate", static_cast<std::int32_t>(r.values64[0])},
        {"WVTCalibrationInfo2ColorCheckTime", static_cast<std::int32_t>(r.values64[1])},
        {"WVTCalibrationInfo2ColorCheckTemperature", r.bytes72[0]},
        {"WVTCalibrationInfo2ColorCheckHumidity", r.bytes72[1]},
        {"WVTCalibrationInfo2ColorCheckBacking", r.bytes72[2]},
        {"WVTCalibrationInfo2DeltaEType", r.bytes72[3]},
        {"WVTCalibrationInfo2DeltaEValue", r.values76[0]},
        {"WVTCalibrationInfo2ColorCheckExecGuidance", r.values76[1]},
        {"WVTCalibrationInfo2CommonCalibrationMedia", r.bytes80[0]},
        {"WVTCalibrationInfo2DotCountNotification", r.bytes80[1]},
        {"WVTCalibrationInfo2LcdNameCode", r.value8},
        {"WVTCalibrationInfo2DeltaEThreshold", r.value},
        {"WVTCalibrationInfo2ColorCheckResult", r.byte3},
        {"WVTCalibrationInfo2DotCountState", r.bytes80[2]},
    }};
}

/// The name is a fixed field of 40 characters padded with zeros; it ends at the first zero.
std::uint32_t writeName(GetRequest& get, const CalibrationInfo2& record) {
    std::uint8_t name[sizeof record.name] = {};
    const std::string characters = pascalCharacters(record.name, sizeof record.name);
    name[0] = static_cast<std::uint8_t>(::strnlen(characters.c_str(), characters.size()));
    std::copy_n(characters.begin(), name[0], name + 1);
    if (name[0] == 0) {
        return kCoreNoErr;
    }
    return firstFailure(
        [&] {
            return setText(get.result, "WVTCalibrationInfo2MediaLcdName",
                           printerText(name, sizeof name));
        },
        [&] {
            return setData(get.result, "WVTCalibrationInfo2MediaLcdNameByData",
                           pascalCharacters(name, sizeof name));
        });
}

}  // namespace

std::uint32_t getCalibrationInfo2(GetRequest& get) {
    std::array<std::optional<std::int32_t>, kInputs.size()> inputs;
    for (std::size_t index = 0; index < kInputs.size(); ++index) {
        if (const std::uint32_t code = readInt(get.request, kInputs[index], inputs[index]);
            code != kCoreNoErr) {
            return code;
        }
    }
    const auto present = std::count_if(inputs.begin(), inputs.end(),
                                       [](const auto& input) { return input.has_value(); });
    if (present == 0) {
        return kCoreNoErr;
    }
    if (present != static_cast<std::ptrdiff_t>(inputs.size())) {
        return kCoreParamErr;
    }
    CalibrationInfo2 record;
    const std::int32_t status = glue_qdxaGetWVTCalibrationInfo2(
        get.session, static_cast<std::uint8_t>(*inputs[0]), static_cast<std::uint16_t>(*inputs[1]),
        static_cast<std::uint8_t>(*inputs[2]), &record);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    if (record.resultCount == 0) {
        return kCoreNoErr;
    }
    if (const std::uint32_t code = writeName(get, record); code != kCoreNoErr) {
        return code;
    }
    for (const auto& [name, value] : answers(record)) {
        if (const std::uint32_t code = setInt(get.result, name, value); code != kCoreNoErr) {
            return code;
        }
    }
    return kCoreNoErr;
}

}  // namespace admin
