// Any "JobData" of a complete job: the sender ends (the job sent, or broken and the queue
// stopped) within a bounded number of steps, sends whole packets only in blocks of at most
// 128 KiB, and what it sends is the stream's beginning.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "job/job_list.h"
#include "send/device_calls.h"
#include "send/job_send_qdxa.h"
#include "support/fuzz_check.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kJobId = 1;

/// Whole packets end to end: each a header with the magic CD CA and the big-endian payload
/// length at 8, and exactly that payload (the other header fields pass as they stand).
bool wholePackets(const std::uint8_t* bytes, std::size_t size) {
    std::size_t offset = 0;
    while (offset < size) {
        if (size - offset < jobsender::kPacketHeaderBytes || bytes[offset] != 0xCD ||
            bytes[offset + 1] != 0xCA) {
            return false;
        }
        const std::size_t payload = bytes[offset + 8] << 8 | bytes[offset + 9];
        if (size - offset - jobsender::kPacketHeaderBytes < payload) {
            return false;
        }
        offset += jobsender::kPacketHeaderBytes + payload;
    }
    return true;
}

/// A spool folder of the process's own, made once.
const std::filesystem::path& spoolRoot() {
    static const std::filesystem::path root = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "job-stream-fuzz-XXXXXX").string();
        std::filesystem::path made = ::mkdtemp(pattern.data());
        ::setenv("STRATOLINE_SPOOL", made.c_str(), 1);
        std::filesystem::create_directory(made / std::to_string(kJobId));
        return made;
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path data_file = spoolRoot() / std::to_string(kJobId) / "JobData";
    std::ofstream(data_file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    Bytes sent;
    std::vector<std::size_t> blocks;
    int open = 0;
    char token = 0;
    jobsender::SenderDeviceCalls calls;
    calls.jobOpen = [&](void** job, void*, void*, std::uint32_t*) {
        *job = &token;
        ++open;
        return std::uint32_t{0};
    };
    calls.jobSend = [&](void*, const void* bytes, std::uint32_t* length, std::uint8_t,
                        std::uint32_t*) {
        const auto* first = static_cast<const std::uint8_t*>(bytes);
        testsupport::fuzzRequire(wholePackets(first, *length), "a block of whole packets");
        testsupport::fuzzRequire(*length <= jobsender::kPacketBufferBytes, "a block fits");
        sent.insert(sent.end(), first, first + *length);
        return std::uint32_t{0};
    };
    calls.jobClose = [&](void*, std::uint8_t, std::uint32_t*) {
        --open;
        return std::uint32_t{0};
    };
    const seam::ScopedOverride<jobsender::SenderDeviceCalls> device(jobsender::senderDeviceCalls(),
                                                                    calls);
    {
        jobsender::CJobList list;
        list.AddNewJob(kJobId, 0);
        jobsender::CJobSendQDXA sender;
        sender.SetSendingJob(list.GetSendJob());
        const std::size_t stepLimit = 4 * (size / jobsender::kPacketHeaderBytes) + 10;
        std::size_t steps = 0;
        while (sender.GetSendingJob() != nullptr && steps++ < stepLimit) {
            sender.SendData();
        }
        testsupport::fuzzRequire(sender.GetSendingJob() == nullptr, "the sender ends");
    }
    testsupport::fuzzRequire(open == 0, "every device job is closed");
    testsupport::fuzzRequire(sent.size() <= size && std::equal(sent.begin(), sent.end(), data),
                             "the stream's beginning is sent");
    return 0;
}
