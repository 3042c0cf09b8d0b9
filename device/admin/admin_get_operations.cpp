// Get groups that ask the printer about an operation: the change mode, the last completed job,
// a running test print and a downloadable resource.
#include <algorithm>
#include <array>

#include "admin/admin_get_groups.h"
#include "core/core_error.h"
#include "glue/glue_internal.h"
#include "query/query_method.h"
#include "query/query_records.h"
#include "query/query_resource.h"

namespace admin {
namespace {

constexpr std::uint8_t kChangeModeState = 0;
constexpr std::uint8_t kChangeModeOn = 1;
constexpr std::uint8_t kChangeModeOff = 2;
constexpr std::uint8_t kChangeModeDone = 1;
constexpr std::uint8_t kConnectionNetwork = 1;
constexpr std::uint8_t kConnectionOther = 2;
// Endpoint kinds of network connections.
constexpr std::array<std::uint16_t, 3> kNetworkEndpoints = {2, 7, 20};
constexpr std::uint8_t kTestPrintProgress = 0;

bool overNetwork(const GlueSession& session) {
    if (!session.bindRecord) {
        return false;
    }
    const std::uint16_t kind = session.bindRecord->endpoint.kind;
    return std::find(kNetworkEndpoints.begin(), kNetworkEndpoints.end(), kind) !=
           kNetworkEndpoints.end();
}

}  // namespace

std::uint32_t getChangeMode(GetRequest& get) {
    std::uint8_t action = kChangeModeState;
    if (has(get.request, "WVTChangeModeOn")) {
        action = kChangeModeOn;
    } else if (has(get.request, "WVTChangeModeOff")) {
        action = kChangeModeOff;
    } else if (!has(get.request, "WVTChangeModeState")) {
        return kCoreNoErr;
    }
    const bool network = overNetwork(*get.session);
    std::uint8_t result = 0;
    std::uint8_t state = 0;
    std::uint16_t port = 0;
    std::uint8_t channel = 0;
    const std::int32_t status = glue_qdxaGetWVTChangeMode(
        get.session, action, network ? kConnectionNetwork : kConnectionOther, &result, &state,
        &port, &channel);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const auto answerModeOn = [&] {
        if (action != kChangeModeOn || result != kChangeModeDone) {
            return kCoreNoErr;
        }
        return firstFailure(
            [&] { return setInt(get.result, "WVTChangeModePortNumber", network ? port : 0); },
            [&] {
                return setInt(get.result, "WVTChangeModeChannelNumber", network ? 0 : channel);
            });
    };
    return firstFailure(
        [&] {
            return action == kChangeModeState ? setInt(get.result, "WVTChangeModeState", state)
                                              : kCoreNoErr;
        },
        answerModeOn, [&] { return setInt(get.result, "WVTChangeModeResult", result); },
        [&] { return setInt(get.result, "WVTChangeModeOn", 0); },
        [&] { return setInt(get.result, "WVTChangeModeOff", 0); });
}

std::uint32_t getJobCompleteInfo(GetRequest& get) {
    static constexpr std::array<std::string_view, 9> kKeys = {
        "WVTJobCompleteInfoState",
        "WVTJobCompleteInfoDetailedReason",
        "WVTJobCompleteInfoJobHandle",
        "WVTJobCompleteInfoJobName",
        "WVTJobCompleteInfoJobNameCode",
        "WVTJobCompleteInfoJobNameByData",
        "WVTJobCompleteInfoJobDetailName",
        "WVTJobCompleteInfoJobDetailNameCode",
        "WVTJobCompleteInfoJobDetailNameByData"};
    if (!hasAny(get.request, kKeys)) {
        return kCoreNoErr;
    }
    std::uint8_t state = 0;
    std::uint16_t reason = 0;
    std::uint32_t job = 0;
    std::uint16_t nameCode = 0;
    std::uint16_t detailNameCode = 0;
    std::uint8_t name[kQueryLongStringSize] = {};
    std::uint8_t detailName[kQueryLongStringSize] = {};
    const std::int32_t status = glue_qdxaGetWVTJobCompleteInfo(
        get.session, &state, &reason, &job, &nameCode, name, &detailNameCode, detailName);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const auto when = [&](std::size_t index, auto write) {
        return has(get.request, kKeys[index]) ? write(kKeys[index]) : kCoreNoErr;
    };
    const auto number = [&](std::int32_t value) {
        return [&get, value](std::string_view key) { return setInt(get.result, key, value); };
    };
    return firstFailure(
        [&] { return when(0, number(state)); }, [&] { return when(1, number(reason)); },
        [&] { return when(2, number(static_cast<std::int32_t>(job))); },
        [&] {
            return when(3, [&](std::string_view key) {
                return setText(get.result, key, printerText(name, sizeof name));
            });
        },
        [&] { return when(4, number(nameCode)); },
        [&] {
            return when(5, [&](std::string_view key) {
                return setData(get.result, key, pascalCharacters(name, sizeof name));
            });
        },
        [&] {
            return when(6, [&](std::string_view key) {
                return setText(get.result, key, printerText(detailName, sizeof detailName));
            });
        },
        [&] { return when(7, number(detailNameCode)); },
        [&] {
            return when(8, [&](std::string_view key) {
                return setData(get.result, key, pascalCharacters(detailName, sizeof detailName));
            });
        });
}

std::uint32_t getAcquireResource(GetRequest& get) {
    std::optional<std::int32_t> resource;
    if (!has(get.request, "AcquireResource")) {
        return kCoreNoErr;
    }
    if (const std::uint32_t code = readInt(get.request, "AcquireResourceHandle", resource);
        code != kCoreNoErr || !resource) {
        return code;
    }
    device::GlueHandle data(Wqs_Mem_NewHandle(1));
    if (!data) {
        return kCoreMemErr;
    }
    std::uint32_t size = 0;
    const std::int32_t status = glue_qdxaBinaryAquireResource(
        get.session, static_cast<std::uint32_t>(*resource), data.get(), &size);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    return setData(get.result, "AcquireResource",
                   std::span(data->data, std::min(size, data->size)));
}

std::uint32_t getTestPrint2Ex(GetRequest& get) {
    static constexpr std::array<std::string_view, 3> kKeys = {
        "WVTTestPrint2ExType", "WVTTestPrint2ExStatus", "WVTTestPrint2ExProgress"};
    if (!hasAny(get.request, kKeys)) {
        return kCoreNoErr;
    }
    std::uint8_t type = 0;
    std::uint8_t status2 = 0;
    std::uint8_t progress = 0;
    const std::int32_t status =
        glue_qdxaWVTTestPrint2Ex(get.session, &type, kTestPrintProgress, &status2, &progress);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const std::array<std::int32_t, 3> values = {type, status2, progress};
    return answerRequested<std::int32_t>(get, kKeys, values);
}

}  // namespace admin
