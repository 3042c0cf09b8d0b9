// The printer state answers: online flag, detail code and state with reason, asked live or
// from the values the session cached.
#include <algorithm>
#include <array>

#include "admin/admin_get_groups.h"
#include "admin/admin_internal.h"
#include "admin/admin_job_list.h"
#include "core/core_error.h"
#include "glue/glue_component.h"

namespace admin {
namespace {

// The transport's own code for a refused request: the cached state is answered instead.
constexpr std::int32_t kTransportRefused = 4203;
// What a failed state query answers.
constexpr std::int32_t kFailedDetailCode = 1003;
constexpr std::uint32_t kFailedStateAndReason = kTktLibBooleanFailure;
// The state goes above the reason in the state-and-reason answer.
constexpr std::uint32_t kStateShift = 16;

struct PrinterState {
    std::uint8_t state = 0;
    std::uint8_t reason = 0;
    std::uint8_t printable = 0;
    std::uint32_t detail = 0;
};

struct StateKeys {
    std::string_view online;
    std::string_view detail;
    std::string_view stateAndReason;  ///< empty where the group has none
};
constexpr StateKeys kLiveKeys{"PrinterOnline", "PrinterDetailCode", "PrinterStateAndReason"};
constexpr StateKeys kCachedKeys{"PrinterOnlineNotComm", "PrinterDetailCodeNotComm", {}};

bool asked(const GetRequest& get, std::string_view name) {
    return !name.empty() && has(get.request, name);
}

/// Writes the requested keys: the flag as a boolean, the detail code, the state and reason.
std::uint32_t answer(GetRequest& get, const StateKeys& keys, std::uint32_t online,
                     std::int32_t detail, std::int32_t stateAndReason) {
    return firstFailure(
        [&] { return asked(get, keys.online) ? setBoolean(get.result, keys.online, online) : 0; },
        [&] { return asked(get, keys.detail) ? setInt(get.result, keys.detail, detail) : 0; },
        [&] {
            return asked(get, keys.stateAndReason)
                       ? setInt(get.result, keys.stateAndReason, stateAndReason)
                       : 0;
        });
}

std::uint32_t answerState(GetRequest& get, const StateKeys& keys, const PrinterState& state) {
    const auto detail =
        static_cast<std::int32_t>(LocalCompareAndGetStatusCode(get.session, state.detail));
    const auto stateAndReason =
        static_cast<std::int32_t>((std::uint32_t{state.state} << kStateShift) | state.reason);
    return answer(get, keys, state.printable, detail, stateAndReason);
}

PrinterState cachedState(const GlueSession& session) {
    return {session.printerState, session.stateReason, session.printable, session.statusDetailCode};
}

}  // namespace

std::uint32_t LocalCompareAndGetStatusCode(GlueSession* session, std::uint32_t detailCode) {
    if (session == nullptr) {
        return detailCode;
    }
    std::uint32_t highest = detailCode;
    for (const JobAttrRecord* job = session->jobList.get(); job != nullptr; job = job->next) {
        highest = std::max(highest, job->attr283HighestCode);
    }
    return highest;
}

std::uint32_t getPrinterState(GetRequest& get) {
    if (!asked(get, kLiveKeys.online) && !asked(get, kLiveKeys.detail) &&
        !asked(get, kLiveKeys.stateAndReason)) {
        return kCoreNoErr;
    }
    PrinterState state;
    const std::int32_t status = glue_qdxaGetComponentState2(
        get.session, &state.state, &state.reason, &state.printable, &state.detail);
    if (status == kTransportRefused) {
        return answerState(get, kLiveKeys, cachedState(*get.session));
    }
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        // The placeholders go in first, so that a caller who reads them sees the failure.
        const std::uint32_t written =
            answer(get, kLiveKeys, kTktLibBooleanFailure, kFailedDetailCode,
                   static_cast<std::int32_t>(kFailedStateAndReason));
        return written != kCoreNoErr ? written : code;
    }
    return answerState(get, kLiveKeys, state);
}

std::uint32_t getPrinterStateNotComm(GetRequest& get) {
    if (!asked(get, kCachedKeys.online) && !asked(get, kCachedKeys.detail)) {
        return kCoreNoErr;
    }
    return answerState(get, kCachedKeys, cachedState(*get.session));
}

}  // namespace admin
