// Test support of the job sender: private folders for the spool, the event sockets, the device
// library and the trash; spooled jobs written through the spooling framework; QDXA packet
// streams; the device library's job calls answered from a script; and an application around the
// application object whose clock and alert the test controls.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DovoCommonLib/ios_printer_address.h"
#include "IOSProxyKit/ios_agency.h"
#include "app/app_services.h"
#include "send/device_calls.h"
#include "spool_folder.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace sendertest {

using Bytes = std::vector<std::uint8_t>;

/// One QDXA packet: magic, version, flags 0, `operation`, sequence 1, the payload length, zero
/// identifiers and result, then `payloadSize` bytes counting up from `seed`.
inline Bytes packet(std::uint16_t operation, std::size_t payloadSize, std::uint8_t seed = 0) {
    Bytes bytes = {0xCD,
                   0xCA,
                   0x10,
                   0,
                   static_cast<std::uint8_t>(operation >> 8),
                   static_cast<std::uint8_t>(operation),
                   0,
                   1,
                   static_cast<std::uint8_t>(payloadSize >> 8),
                   static_cast<std::uint8_t>(payloadSize)};
    bytes.resize(20, 0);
    for (std::size_t i = 0; i < payloadSize; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(seed + i));
    }
    return bytes;
}

/// Packets one after the other, with payloads of the given sizes.
inline Bytes stream(const std::vector<std::size_t>& payloadSizes) {
    Bytes bytes;
    std::uint8_t seed = 1;
    for (const std::size_t size : payloadSizes) {
        const Bytes one = packet(0x1A, size, seed++);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

inline std::string text(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

/// The spool folder, the event sockets, the preferences, the temporary folder, the trash (under
/// the data folder) and the device library's folders and registry, private to one test. No job
/// sender is started by the spooling framework unless `program` names one.
class SenderEnvironment {
  public:
    explicit SenderEnvironment(const char* program = "")
        : caches_("STRATOLINE_CACHES", (folder_ / "caches").c_str()),
          home_("HOME", makeFolder("home").c_str()),
          registry_("STRATOLINE_DOVO_SHM_PREFIX", registryName().c_str()),
          preferences_("XDG_CONFIG_HOME", (folder_ / "preferences").c_str()),
          data_("XDG_DATA_HOME", (folder_ / "data").c_str()),
          temporary_("TMPDIR", makeFolder("tmp").c_str()),
          events_("STRATOLINE_EVENTS", makeFolder("events").c_str()),
          spool_(spool::kRootVariable, makeFolder("spool").c_str()),
          program_("STRATOLINE_JOBSENDER", program),
          localVfs_("GIO_USE_VFS", "local") {}

    std::filesystem::path spoolRoot() const { return folder_.path() / "spool"; }
    std::filesystem::path temporary() const { return folder_.path() / "tmp"; }
    std::filesystem::path trash() const { return folder_.path() / "data/Trash/files"; }
    const testsupport::TemporaryFolder& folder() const { return folder_; }

  private:
    std::string makeFolder(const char* name) {
        std::filesystem::create_directories(folder_ / name);
        return (folder_ / name).string();
    }
    static std::string registryName() {
        static std::atomic<int> counter{0};
        return "SenderTest." + std::to_string(::getpid()) + "." + std::to_string(counter++);
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable caches_;
    testsupport::ScopedVariable home_;
    testsupport::ScopedVariable registry_;
    testsupport::ScopedVariable preferences_;
    testsupport::ScopedVariable data_;
    testsupport::ScopedVariable temporary_;
    testsupport::ScopedVariable events_;
    testsupport::ScopedVariable spool_;
    testsupport::ScopedVariable program_;
    testsupport::ScopedVariable localVfs_;
};

/// A printer address for jobs whose device calls are scripted.
class PrinterAddress {
  public:
    explicit PrinterAddress(const char* host = "192.0.2.7") {
        EXPECT_EQ(IOS_PrinterAddressCreate("WQS_LPR", host, nullptr, nullptr, &address_),
                  kIOS_NoErr);
    }
    ~PrinterAddress() { IOS_PrinterAddressDispose(address_); }
    PrinterAddress(const PrinterAddress&) = delete;
    PrinterAddress& operator=(const PrinterAddress&) = delete;
    void* get() const { return address_; }

  private:
    void* address_ = nullptr;
};

/// A job written through the spooling framework: opened at construction, its data appended
/// piece by piece, closed as complete or cancelled.
class SpooledJob {
  public:
    SpooledJob(const PrinterAddress& printer, const char* name = "photo.tif",
               std::uint16_t copies = 1, const char* comment = "note", bool single = false) {
        EXPECT_EQ(IOS_Agency_JobOpen(&job_, printer.get(), name, copies, comment, single ? 1 : 0),
                  kIOSAgencyNoErr);
        const auto ids = spool::readJobList(spool::rootSpoolFolder());
        id_ = ids.empty() ? 0 : ids.back();
    }
    ~SpooledJob() {
        if (job_ != nullptr) {
            IOS_Agency_JobClose(job_, 1);
        }
    }
    SpooledJob(const SpooledJob&) = delete;
    SpooledJob& operator=(const SpooledJob&) = delete;

    std::uint32_t id() const { return id_; }
    std::filesystem::path folder() const { return spool::jobFolder(spool::rootSpoolFolder(), id_); }

    void append(const Bytes& bytes) {
        auto length = static_cast<std::uint32_t>(bytes.size());
        EXPECT_EQ(IOS_Agency_JobSend(job_, bytes.data(), &length), kIOSAgencyNoErr);
    }
    void close(bool cancelled = false) {
        EXPECT_EQ(IOS_Agency_JobClose(job_, cancelled ? 1 : 0), kIOSAgencyNoErr);
        job_ = nullptr;
    }

  private:
    void* job_ = nullptr;
    std::uint32_t id_ = 0;
};

/// A complete job holding `data`.
inline std::uint32_t spoolJob(const PrinterAddress& printer, const Bytes& data,
                              std::uint16_t copies = 1, bool single = false,
                              const char* name = "photo.tif", const char* comment = "note") {
    SpooledJob job(printer, name, copies, comment, single);
    job.append(data);
    job.close();
    return job.id();
}

/// One answer of a scripted device call: its status, the sub-code it reports and, for a send,
/// how many of the offered bytes it takes (all unless told).
struct Answer {
    std::uint32_t status = 0;
    std::uint32_t subCode = 0;
    std::int64_t taken = -1;
};
inline Answer offline(std::uint32_t subCode = 1001) {
    return {10501, subCode, 0};
}
inline Answer busy() {
    return {10502, 0, 0};
}

/// The device library's job calls answered from scripts (each call takes the next answer; the
/// last one repeats; an empty script answers 0). Records every call, every block sent, and the
/// bytes of each device job.
class ScriptedDevice {
  public:
    ScriptedDevice() {
        calls_.jobOpen = [this](void** job, void* address, void*, std::uint32_t* subCode) {
            log.push_back("open");
            addresses.push_back(address);
            const Answer answer = next(openAnswers);
            *subCode = answer.subCode;
            *job = answer.status == 0 ? &token_ : nullptr;
            if (answer.status == 0) {
                jobs.emplace_back();
                ++openJobs;
            }
            return answer.status;
        };
        calls_.jobSend = [this](void* job, const void* data, std::uint32_t* length, std::uint8_t,
                                std::uint32_t* subCode) {
            EXPECT_EQ(job, &token_);
            log.push_back("send");
            const Answer answer = next(sendAnswers);
            if (answer.taken >= 0 && answer.taken < *length) {
                *length = static_cast<std::uint32_t>(answer.taken);
            }
            const auto* bytes = static_cast<const std::uint8_t*>(data);
            blocks.emplace_back(bytes, bytes + *length);
            if (!jobs.empty()) {
                jobs.back().insert(jobs.back().end(), bytes, bytes + *length);
            }
            *subCode = answer.subCode;
            return answer.status;
        };
        calls_.jobClose = [this](void* job, std::uint8_t cancel, std::uint32_t* subCode) {
            EXPECT_EQ(job, &token_);
            log.push_back(cancel != 0 ? "close(cancel)" : "close");
            const Answer answer = next(closeAnswers);
            *subCode = answer.subCode;
            if (answer.status != 10501 && answer.status != 10502) {
                --openJobs;
            }
            return answer.status;
        };
    }
    ScriptedDevice(const ScriptedDevice&) = delete;
    ScriptedDevice& operator=(const ScriptedDevice&) = delete;

    std::deque<Answer> openAnswers;
    std::deque<Answer> sendAnswers;
    std::deque<Answer> closeAnswers;

    std::vector<std::string> log;
    std::vector<void*> addresses;
    std::vector<Bytes> blocks;
    std::vector<Bytes> jobs;  ///< the bytes of each device job opened
    int openJobs = 0;         ///< device jobs open (never below 0 while the sender is sound)

    int count(const std::string& call) const {
        return static_cast<int>(std::count(log.begin(), log.end(), call));
    }

  private:
    static Answer next(std::deque<Answer>& script) {
        if (script.empty()) {
            return {};
        }
        const Answer answer = script.front();
        if (script.size() > 1) {
            script.pop_front();
        }
        return answer;
    }

    char token_ = 0;
    jobsender::SenderDeviceCalls calls_ = jobsender::senderDeviceCalls().production();
    seam::ScopedOverride<jobsender::SenderDeviceCalls> override_{jobsender::senderDeviceCalls(),
                                                                 calls_};
};

/// The application around the application object: a clock the test moves, termination
/// requests counted, texts that are their keys, and an alert that answers as told.
class TestServices : public jobsender::AppServices {
  public:
    double clock =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    int terminationRequests = 0;
    bool alertAnswer = false;
    std::vector<std::string> alerts;  ///< "message|first|second" of each alert shown

    double now() override { return clock; }
    void requestTermination() override { ++terminationRequests; }
    std::string localizedString(std::string_view key) override {
        return "[" + std::string(key) + "]";
    }
    bool runQuitAlert(const std::string& message, const std::string& firstButton,
                      const std::string& secondButton) override {
        alerts.push_back(message + "|" + firstButton + "|" + secondButton);
        return alertAnswer;
    }
};

/// The bytes of a file; empty when it cannot be read.
inline Bytes fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace sendertest
