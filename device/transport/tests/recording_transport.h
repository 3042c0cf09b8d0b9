// A transport that records every call the dispatch makes and answers from a script.
//
// While a RecordingTransport lives, every channel made for its kind of address runs on it. The
// calls are recorded as text lines, for example "create 192.0.2.7", "open 0 9100 1 500",
// "write 0 hello 500", "close 0", "destroy".
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transport/caio.h"
#include "transport/caio_tables.h"

namespace devicetest {

class RecordingTransport {
  public:
    explicit RecordingTransport(CaioTransportKind kind) : kind_(kind) { current(kind_) = this; }
    RecordingTransport(const RecordingTransport&) = delete;
    RecordingTransport& operator=(const RecordingTransport&) = delete;
    ~RecordingTransport() { current(kind_) = nullptr; }

    // The script.
    bool failCreate = false;
    std::int32_t openStatus = kCaioNoErr;
    std::int32_t readStatus = kCaioFailure;
    std::int32_t writeStatus = kCaioNoErr;
    std::optional<std::uint64_t> writeAccepted;  ///< bytes a write reports; all when unset
    std::int32_t closeStatus = kCaioNoErr;

    // What happened.
    std::vector<std::string> calls;
    int liveHandles = 0;

    bool called(const std::string& prefix) const {
        return std::any_of(calls.begin(), calls.end(),
                           [&](const std::string& call) { return call.starts_with(prefix); });
    }

  private:
    struct Handle {
        RecordingTransport* recorder;
    };

    static RecordingTransport*& current(CaioTransportKind kind) {
        static RecordingTransport* network = nullptr;
        static RecordingTransport* usb = nullptr;
        return kind == CaioTransportKind::network ? network : usb;
    }
    static RecordingTransport& of(void* handle) { return *static_cast<Handle*>(handle)->recorder; }

    template <CaioTransportKind Kind>
    static void* create(const char* address) {
        RecordingTransport& recorder = *current(Kind);
        recorder.calls.push_back(std::string("create ") + address);
        if (recorder.failCreate) {
            return nullptr;
        }
        ++recorder.liveHandles;
        return new Handle{&recorder};
    }
    static std::int32_t open(void* handle, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                             CaioEventAddress*, char**, std::int32_t timeLimit) {
        of(handle).calls.push_back("open " + std::to_string(mode) + " " + std::to_string(port) +
                                   " " + std::to_string(raw) + " " + std::to_string(timeLimit));
        return of(handle).openStatus;
    }
    static std::int32_t read(void* handle, std::int32_t mode, void*, std::uint64_t* count,
                             std::int32_t timeLimit) {
        of(handle).calls.push_back("read " + std::to_string(mode) + " " + std::to_string(*count) +
                                   " " + std::to_string(timeLimit));
        return of(handle).readStatus;
    }
    static std::int32_t write(void* handle, std::int32_t mode, const void* buffer,
                              std::uint64_t* count, std::int32_t timeLimit) {
        RecordingTransport& recorder = of(handle);
        recorder.calls.push_back("write " + std::to_string(mode) + " " +
                                 std::string(static_cast<const char*>(buffer), *count) + " " +
                                 std::to_string(timeLimit));
        if (recorder.writeAccepted) {
            *count = *recorder.writeAccepted;
        }
        return recorder.writeStatus;
    }
    static std::int32_t close(void* handle, std::int32_t mode) {
        of(handle).calls.push_back("close " + std::to_string(mode));
        return of(handle).closeStatus;
    }
    static void destroy(void* handle) {
        RecordingTransport& recorder = of(handle);
        recorder.calls.push_back("destroy");
        --recorder.liveHandles;
        delete static_cast<Handle*>(handle);
    }

    static constexpr CaioFunctionTable kNetworkTable{
        create<CaioTransportKind::network>, open, read, write, close, destroy};
    static constexpr CaioFunctionTable kUSBTable{
        create<CaioTransportKind::usb>, open, read, write, close, destroy};

    CaioTransportKind kind_;
    seam::ScopedOverride<CaioFunctionTable> override_{
        caioTransportSeam(kind_), kind_ == CaioTransportKind::network ? kNetworkTable : kUSBTable};
};

}  // namespace devicetest
