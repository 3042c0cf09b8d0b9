// Random and mutated replies through every parser: each gives the result its header decides
// and, with the sanitizers, nothing reads outside the bytes received.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_header.h"
#include "qdxa/qdxa_job_list.h"
#include "qdxa/qdxa_memory.h"
#include "qdxa_responder.h"
#include "reply_fuzz.h"

namespace qdxa_test {
namespace {

constexpr std::uint32_t kSeed = 0x51DA;
constexpr int kRounds = 20000;
constexpr std::size_t kFlagsOffset = 3;
constexpr std::size_t kSequenceOffset = 6;
constexpr std::size_t kResultOffset = 18;

bool carriesData(std::int32_t result) {
    return result == kQDXASuccess || result == kQDXASuccessAlso || result == kQDXAMoreToFetch;
}

/// The result every parser must give when the header alone decides it, or nothing when the reply
/// carries data for each parser to decode.
std::optional<std::int32_t> headerVerdict(const Bytes& packet, std::uint16_t expectedSequence) {
    if (packet.size() < qdxa::kHeaderSize) {
        return kQDXANoValidResult;
    }
    if (bytes::loadBE16(packet.data() + kSequenceOffset) != expectedSequence) {
        return kQDXASequenceMismatch;
    }
    if ((packet[kFlagsOffset] & qdxa::kFlagResultValid) == 0) {
        return kQDXANoValidResult;
    }
    const std::int32_t result = bytes::loadBE16(packet.data() + kResultOffset);
    if (carriesData(result)) {
        return std::nullopt;
    }
    return result;
}

TEST(RandomReplies, EveryParserStaysWithinTheBytesReceived) {
    std::mt19937 random(kSeed);
    // Well-formed replies of every operation with small parameters, then mutated: bytes
    // flipped, lengths cut or extended, flags and results varied.
    const std::uint16_t operations[] = {0x01, 0x02, 0x0B, 0x1D, 0x1F, 0x20, 0x21, 0x22, 0x31, 0x38,
                                        0x3F, 0x47, 0x5F, 0x61, 0x66, 0x67, 0x69, 0x70, 0x72};
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::uint8_t> parameter(random() % 64);
        for (auto& byte : parameter) {
            byte = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : random() % 3);
        }
        const std::uint16_t operation = operations[random() % std::size(operations)];
        const std::uint16_t result =
            static_cast<std::uint16_t>(random() % 3 == 0 ? random() % 40 : 1);
        auto packet = buildPacket(operation, static_cast<std::uint16_t>(random()),
                                  static_cast<std::uint8_t>(random() % 4), result, parameter);
        switch (random() % 4) {
            case 0:
                packet.resize(random() % (packet.size() + 1));
                break;
            case 1:
                packet[8 + random() % 2] = static_cast<std::uint8_t>(random());
                break;
            case 2:
                packet[random() % packet.size()] = static_cast<std::uint8_t>(random());
                break;
            default:
                break;
        }
        const bool matchSequence = random() % 8 != 0;
        const std::uint16_t expectedSequence =
            matchSequence && packet.size() >= kSequenceOffset + 2
                ? bytes::loadBE16(packet.data() + kSequenceOffset)
                : 1;
        const auto verdict = headerVerdict(packet, expectedSequence);
        const auto results = feedReplyToEveryParser(packet.data(), packet.size(), matchSequence);
        ASSERT_FALSE(results.empty()) << "round " << round;
        for (std::size_t parser = 0; parser < results.size(); ++parser) {
            const std::int32_t got = results[parser];
            if (verdict) {
                ASSERT_EQ(got, *verdict) << "round " << round << " parser " << parser;
            } else {
                // A reply with data decodes to a success, or to the codec's refusal of the data.
                ASSERT_TRUE(carriesData(got) || got == kQDXABadReply || got == kQDXANoValidResult)
                    << "round " << round << " parser " << parser << " result " << got;
            }
        }
    }
}

/// The non-zero job handles that the job list decoder finds in a count byte and its list.
std::vector<std::uint32_t> decodedHandles(const Bytes& data) {
    WqsMemHandle* list = Wqs_Mem_NewHandle(static_cast<std::uint32_t>(data.size() - 1));
    std::copy(data.begin() + 1, data.end(), list->data);
    JobAttrRecord* chain = nullptr;
    EXPECT_EQ(get_JobAttrList_FromGet2(list, data[0], &chain), 0);
    std::uint32_t handles[8] = {};
    std::uint16_t count = 0;
    EXPECT_EQ(get_ObjectHandleListFromBuf(chain, handles, &count, sizeof(handles)), 0);
    dispose_JobAttrList(chain);
    Wqs_Mem_DisposeHandle(list);
    return {handles, handles + count};
}

std::vector<std::uint32_t> handlesOf(const std::vector<Job>& jobs) {
    std::vector<std::uint32_t> handles;
    for (const Job& job : jobs) {
        if (job.handle != 0) {
            handles.push_back(job.handle);
        }
    }
    return handles;
}

TEST(RandomReplies, JobListsOfRandomAttributes) {
    std::mt19937 random(kSeed + 1);
    int complete = 0;
    const std::uint16_t ids[] = {4, 6, 9, 275, 277, 279, 280, 283, 2006, 2007, 2018, 2027, 77};
    for (int round = 0; round < kRounds; ++round) {
        std::vector<Job> jobs(1 + random() % 3);
        for (auto& job : jobs) {
            job.handle = random();
            job.attributes.resize(random() % 6);
            for (auto& attribute : job.attributes) {
                attribute.id = ids[random() % std::size(ids)];
                attribute.value.resize(random() % 80);
                for (auto& byte : attribute.value) {
                    byte = static_cast<std::uint8_t>(random() % 5 == 0 ? random() : 0);
                }
            }
        }
        auto data = encodeJobList(jobs);
        data.insert(data.begin(), static_cast<std::uint8_t>(jobs.size()));  // the job count
        if (random() % 2 == 0 && data.size() > 1) {
            data.resize(1 + random() % (data.size() - 1));
        }
        feedReplyToEveryParser(data.data(), data.size(), true);
        // Decoding stops at the first job that does not fit: the jobs found are the first ones
        // sent, in order, and never more.
        const auto decoded = decodedHandles(data);
        const auto sent = handlesOf(jobs);
        ASSERT_LE(decoded.size(), sent.size()) << "round " << round;
        ASSERT_TRUE(std::equal(decoded.begin(), decoded.end(), sent.begin())) << "round " << round;
        complete += decoded == sent ? 1 : 0;
    }
    // Lists whose attributes all fit decode whole.
    EXPECT_GT(complete, kRounds / 4);
}

}  // namespace
}  // namespace qdxa_test
