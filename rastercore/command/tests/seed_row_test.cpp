// Seed-row encoder: the coded form of known rows, and random rows decoded back by the stream
// decoder's delta-row reader.
#include "command/seed_row.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "stream_decoder/row_decoding.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes code(const Bytes& seed, const Bytes& row) {
    Bytes out(seedRowMaxOutput(static_cast<std::uint32_t>(row.size())) + 16, 0xEE);
    std::uint32_t length = 0xDEAD;
    const std::uint32_t written =
        SeedRow2(seed.data(), static_cast<std::uint32_t>(seed.size()), row.data(),
                 static_cast<std::uint32_t>(row.size()), out.data(), &length);
    EXPECT_EQ(written, length);
    EXPECT_LE(written, seedRowMaxOutput(static_cast<std::uint32_t>(row.size())));
    out.resize(written);
    return out;
}

Bytes withByte(std::size_t size, std::size_t at, std::uint8_t value) {
    Bytes row(size, 0);
    row[at] = value;
    return row;
}

TEST(SeedRow2, KnownRows) {
    const struct {
        const char* what;
        Bytes seed;
        Bytes row;
        Bytes coded;
    } cases[] = {
        {"single byte change", {0, 0, 0, 0}, {0, 5, 0, 0}, {0x01, 0x05}},
        {"two bytes at the start", {0, 0}, {7, 7}, {0x20, 7, 7}},
        {"equal rows", {1, 2, 3}, {1, 2, 3}, {}},
        {"offset 30", Bytes(40, 0), withByte(40, 30, 9), {0x1E, 9}},
        {"offset 31", Bytes(40, 0), withByte(40, 31, 9), {0x1F, 0x00, 9}},
        {"offset 285", Bytes(300, 0), withByte(300, 285, 9), {0x1F, 0xFE, 9}},
        {"offset 286", Bytes(300, 0), withByte(300, 286, 9), {0x1F, 0xFF, 0x00, 9}},
        {"offset 541", Bytes(600, 0), withByte(600, 541, 9), {0x1F, 0xFF, 0xFF, 0x00, 9}},
        {"eight bytes", Bytes(8, 0), Bytes(8, 3), {0xE0, 3, 3, 3, 3, 3, 3, 3, 3}},
        {"nine bytes", Bytes(9, 0), Bytes(9, 3), {0xE0, 3, 3, 3, 3, 3, 3, 3, 3, 0x00, 3}},
        {"seventeen bytes", Bytes(17, 0), Bytes(17, 4), {0xE0, 4, 4, 4, 4, 4, 4, 4, 4,    0xE0,
                                                         4,    4, 4, 4, 4, 4, 4, 4, 0x00, 4}},
        {"offsets count from the last change",
         {1, 1, 1, 1, 1},
         {2, 1, 1, 3, 1},
         {0x00, 2, 0x02, 3}},
        {"short seed counts as zeros", {5}, {5, 0, 0, 6}, {0x03, 6}},
        {"empty seed", {}, {0, 0, 8}, {0x02, 8}},
        {"longer seed", {1, 2, 3, 4}, {1, 9}, {0x01, 9}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(code(c.seed, c.row), c.coded) << c.what;
    }
}

TEST(SeedRow2, RandomRowsDecodeBack) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 400; ++trial) {
        const std::size_t length = 1 + random() % 700;
        Bytes seed(trial % 5 == 0 ? random() % length : length);
        for (auto& b : seed) {
            b = static_cast<std::uint8_t>(random() % 4);
        }
        Bytes row(length);
        // Rows close to the seed (sparse changes, long unchanged stretches) and far from it.
        const unsigned changeOdds = 1 + trial % 40;
        for (std::size_t i = 0; i < length; ++i) {
            const std::uint8_t base = i < seed.size() ? seed[i] : 0;
            row[i] = random() % changeOdds == 0 ? static_cast<std::uint8_t>(random()) : base;
        }
        std::string why;
        const auto decoded = streamdecoder::applyDeltaRow(seed, code(seed, row), &why);
        ASSERT_TRUE(decoded.has_value()) << why;
        // The decoder keeps the seed's length when it is longer; the row is its first bytes.
        Bytes head(decoded->begin(), decoded->begin() + static_cast<std::ptrdiff_t>(
                                                            std::min(decoded->size(), length)));
        head.resize(length, 0);
        ASSERT_EQ(head, row) << "trial " << trial;
    }
}

}  // namespace
