// A protocol layer that records what the administration core asks of it and answers from a
// script. While a RecordingProtocol lives, the core runs on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/core_protocol.h"

namespace devicetest {

class RecordingProtocol {
  public:
    RecordingProtocol() { current() = this; }
    RecordingProtocol(const RecordingProtocol&) = delete;
    RecordingProtocol& operator=(const RecordingProtocol&) = delete;
    ~RecordingProtocol() { current() = nullptr; }

    // The script.
    std::int32_t openStatus = 0;
    bool openHandsOutSession = true;
    std::int32_t closeStatus = 0;
    std::uint32_t requestResult = 0;

    // What happened: "open <address> <kind>", "close <abort>", "get", "set", "control".
    std::vector<std::string> calls;
    CaioChannel* openTransport = nullptr;         ///< the channel handed to the last open
    GlueSession* requestSession = nullptr;        ///< the session of the last request
    const TktLibTicket* requestTicket = nullptr;  ///< the tickets of the last request
    TktLibTicket* resultTicket = nullptr;

    /// The session the open hands out: an address no real session has.
    GlueSession* session() { return reinterpret_cast<GlueSession*>(&sessionToken_); }

  private:
    static RecordingProtocol*& current() {
        static RecordingProtocol* recorder = nullptr;
        return recorder;
    }

    static std::int32_t open(const char* address, CaioChannel* transport, std::uint8_t kind,
                             GlueSession** session) {
        RecordingProtocol& recorder = *current();
        recorder.calls.push_back(std::string("open ") + address + " " + std::to_string(kind));
        recorder.openTransport = transport;
        if (recorder.openHandsOutSession) {
            *session = recorder.session();
        }
        return recorder.openStatus;
    }
    static std::int32_t close(GlueSession** session, std::uint8_t abort) {
        RecordingProtocol& recorder = *current();
        recorder.calls.push_back("close " + std::to_string(abort));
        if (recorder.closeStatus == 0) {
            *session = nullptr;
        }
        return recorder.closeStatus;
    }
    static std::uint32_t request(const char* name, GlueSession* session,
                                 const TktLibTicket* request, TktLibTicket* result) {
        RecordingProtocol& recorder = *current();
        recorder.calls.push_back(name);
        recorder.requestSession = session;
        recorder.requestTicket = request;
        recorder.resultTicket = result;
        return recorder.requestResult;
    }
    static std::uint32_t get(GlueSession* s, const TktLibTicket* q, TktLibTicket* r) {
        return request("get", s, q, r);
    }
    static std::uint32_t set(GlueSession* s, const TktLibTicket* q, TktLibTicket* r) {
        return request("set", s, q, r);
    }
    static std::uint32_t control(GlueSession* s, const TktLibTicket* q, TktLibTicket* r) {
        return request("control", s, q, r);
    }

    static constexpr CoreProtocolLayer kLayer{open, close, get, set, control};

    char sessionToken_ = 0;
    seam::ScopedOverride<CoreProtocolLayer> override_{coreProtocolSeam(), kLayer};
};

}  // namespace devicetest
