// A protocol layer that answers administration requests from a script: the printer's online
// flag and detail code for a status request. While a ScriptedPrinterStatus lives, the core's
// administration sessions run on it.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/core_protocol.h"
#include "interface/lib_printer_status.h"

namespace interfacetest {

/// One answer of the printer to an administration request.
struct StatusAnswer {
    std::uint32_t coreResult = 0;       ///< the request handler's core result code
    std::optional<bool> online = true;  ///< written when the request asks for it
    std::optional<std::int32_t> detail;

    static StatusAnswer onlineWith(std::int32_t detail) { return {0, true, detail}; }
    static StatusAnswer offlineWith(std::optional<std::int32_t> detail) {
        return {0, false, detail};
    }
    static StatusAnswer failing(std::uint32_t coreResult) { return {coreResult, {}, {}}; }
};

/// Writes `answer` into `response` for the status attributes that `request` asks for.
inline void writeStatusAnswer(const StatusAnswer& answer, const TktLibTicket& request,
                              TktLibTicket& response) {
    if (answer.online && request.find(kPrinterOnlineKey) != nullptr) {
        TktLibSetBoolean(&response, kPrinterOnlineKey, *answer.online ? 1 : 0);
    }
    if (answer.detail && request.find(kPrinterDetailCodeKey) != nullptr) {
        TktLibSetSInt32(&response, kPrinterDetailCodeKey, *answer.detail);
    }
}

class ScriptedPrinterStatus {
  public:
    ScriptedPrinterStatus() { current() = this; }
    ScriptedPrinterStatus(const ScriptedPrinterStatus&) = delete;
    ScriptedPrinterStatus& operator=(const ScriptedPrinterStatus&) = delete;
    ~ScriptedPrinterStatus() { current() = nullptr; }

    /// Answers in turn; the last one answers every later request.
    void script(std::vector<StatusAnswer> answers) {
        answers_.assign(answers.begin(), answers.end());
    }

    std::int32_t openStatus = 0;  ///< glue status of a session open

    // What happened: "open", "close", "get", "set", "control".
    std::vector<std::string> calls;
    int liveSessions = 0;

    int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) {
            n += c == call ? 1 : 0;
        }
        return n;
    }

  private:
    static ScriptedPrinterStatus*& current() {
        static ScriptedPrinterStatus* scripted = nullptr;
        return scripted;
    }

    StatusAnswer nextAnswer() {
        if (answers_.empty()) {
            return {};
        }
        StatusAnswer answer = answers_.front();
        if (answers_.size() > 1) {
            answers_.pop_front();
        }
        return answer;
    }

    static std::int32_t open(const char*, CaioChannel*, std::uint8_t, GlueSession** session) {
        ScriptedPrinterStatus& s = *current();
        s.calls.push_back("open");
        if (s.openStatus == 0) {
            *session = reinterpret_cast<GlueSession*>(&s.sessionToken_);
            ++s.liveSessions;
        }
        return s.openStatus;
    }
    static std::int32_t close(GlueSession** session, std::uint8_t) {
        ScriptedPrinterStatus& s = *current();
        s.calls.push_back("close");
        *session = nullptr;
        --s.liveSessions;
        return 0;
    }
    static std::uint32_t request(const char* name, const TktLibTicket* request,
                                 TktLibTicket* result) {
        ScriptedPrinterStatus& s = *current();
        s.calls.push_back(name);
        const StatusAnswer answer = s.nextAnswer();
        writeStatusAnswer(answer, *request, *result);
        return answer.coreResult;
    }
    static std::uint32_t get(GlueSession*, const TktLibTicket* q, TktLibTicket* r) {
        return request("get", q, r);
    }
    static std::uint32_t set(GlueSession*, const TktLibTicket* q, TktLibTicket* r) {
        return request("set", q, r);
    }
    static std::uint32_t control(GlueSession*, const TktLibTicket* q, TktLibTicket* r) {
        return request("control", q, r);
    }

    static constexpr CoreProtocolLayer kLayer{open, close, get, set, control};

    std::deque<StatusAnswer> answers_;
    char sessionToken_ = 0;
    seam::ScopedOverride<CoreProtocolLayer> override_{coreProtocolSeam(), kLayer};
};

}  // namespace interfacetest
