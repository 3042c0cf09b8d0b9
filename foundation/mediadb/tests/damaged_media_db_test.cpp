// Opening damaged database files through the framework: refused or answered within bounds.
#include <gtest/gtest.h>

#include <random>

#include "loaders/media_db_loader.h"
#include "media_db_root.h"
#include "mediadb/media_db.h"

namespace {

constexpr int kRounds = 60;
constexpr std::uint32_t kSeed = 4122;

TEST(MediaDbDamaged, TruncatedAndBitFlippedFiles) {
    mediadbtest::MediaDbRoot root;
    const auto whole = root.read("MDB_SL5000.mdb");
    ASSERT_FALSE(whole.empty());
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<std::size_t> length(0, whole.size() - 1);
    std::uniform_int_distribution<std::size_t> bit(0, whole.size() * 8 - 1);
    for (int round = 0; round < kRounds; ++round) {
        auto damaged = whole;
        if (round % 3 == 0) {
            damaged.resize(length(random));
        } else {
            for (int flip = 0; flip < 1 + round % 6; ++flip) {
                const std::size_t at = bit(random);
                damaged[at / 8] ^= static_cast<std::uint8_t>(1u << (at % 8));
            }
        }
        root.write("MDB_DAMAGED.mdb", damaged);
        std::uint8_t* data = nullptr;
        if (OpenMediaDB("MDB_DAMAGED.mdb", &data)) {
            const std::int16_t count = Load_mdb3MediumCount(data);
            for (std::int16_t index = 1; index <= count; ++index) {
                std::int16_t id = 0;
                char name[kMdbNameBytes];
                DEF_RESOLUTION record;
                Load_mdb3MediumID(data, index, &id);
                Load_mdb3MediumString(data, id, "de", name);
                Load_mdb3SupportedResoParam(data, id, 4, 2, &record);
            }
            CloseMediaDB(&data);
        } else {
            EXPECT_EQ(data, nullptr);
        }
        CheckMdbDB("MDB_DAMAGED.mdb");
    }
}

}  // namespace
