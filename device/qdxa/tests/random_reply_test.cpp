// Random and mutated replies through every parser: nothing may read outside the bytes received
// (the suite runs under AddressSanitizer and UndefinedBehaviorSanitizer).
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "qdxa_responder.h"
#include "reply_fuzz.h"

namespace qdxa_test {
namespace {

constexpr std::uint32_t kSeed = 0x51DA;
constexpr int kRounds = 20000;

TEST(RandomReplies, EveryParserStaysWithinTheBytesReceived) {
    std::mt19937 random(kSeed);
    // Well-formed replies of every operation with small parameters, then mutated: bytes
    // flipped, lengths cut or extended, flags and results varied.
    const std::uint16_t operations[] = {0x01, 0x02, 0x0B, 0x1D, 0x1F, 0x20, 0x21, 0x22, 0x31, 0x38,
                                        0x3F, 0x47, 0x5F, 0x61, 0x66, 0x67, 0x69, 0x70, 0x72};
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::uint8_t> parameter(random() % 64);
        for (auto& byte : parameter)
            byte = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : random() % 3);
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
        feedReplyToEveryParser(packet.data(), packet.size(), random() % 8 != 0);
    }
}

TEST(RandomReplies, JobListsOfRandomAttributes) {
    std::mt19937 random(kSeed + 1);
    const std::uint16_t ids[] = {4, 6, 9, 275, 277, 279, 280, 283, 2006, 2007, 2018, 2027, 77};
    for (int round = 0; round < kRounds; ++round) {
        std::vector<Job> jobs(1 + random() % 3);
        for (auto& job : jobs) {
            job.handle = random();
            job.attributes.resize(random() % 6);
            for (auto& attribute : job.attributes) {
                attribute.id = ids[random() % std::size(ids)];
                attribute.value.resize(random() % 80);
                for (auto& byte : attribute.value)
                    byte = static_cast<std::uint8_t>(random() % 5 == 0 ? random() : 0);
            }
        }
        auto data = encodeJobList(jobs);
        data.insert(data.begin(), static_cast<std::uint8_t>(jobs.size()));  // the job count
        if (random() % 2 == 0 && data.size() > 1)
            data.resize(1 + random() % (data.size() - 1));
        feedReplyToEveryParser(data.data(), data.size(), true);
    }
}

}  // namespace
}  // namespace qdxa_test
