// Seed-row encoder: the coded form of known rows, random rows decoded back by the stream
// decoder's delta-row reader, and structured and random rows against a plain reference encoder.
#include "command/seed_row.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "stream_decoder/row_decoding.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kGuardBytes = 16;
constexpr std::uint8_t kGuard = 0xEE;

// Codes into a buffer of exactly the documented room followed by guard bytes, which must stay.
Bytes code(const Bytes& seed, const Bytes& row) {
    const std::uint32_t room = seedRowMaxOutput(static_cast<std::uint32_t>(row.size()));
    Bytes out(room + kGuardBytes, kGuard);
    std::uint32_t length = 0xDEAD;
    const std::uint32_t written =
        SeedRow2(seed.data(), static_cast<std::uint32_t>(seed.size()), row.data(),
                 static_cast<std::uint32_t>(row.size()), out.data(), &length);
    EXPECT_EQ(written, length);
    EXPECT_LE(written, room);
    EXPECT_EQ(Bytes(out.begin() + room, out.end()), Bytes(kGuardBytes, kGuard))
        << "wrote past its room";
    out.resize(written);
    return out;
}

// The coding written plainly from its definition: the maximal runs of bytes that differ from the
// zero-extended seed, each cut into pieces of at most 8; each piece is a command byte (count
// minus 1, offset from the end of the previous piece), the offset's extra bytes, its bytes.
Bytes referenceCode(const Bytes& seed, const Bytes& row) {
    const auto differs = [&](std::size_t i) { return row[i] != (i < seed.size() ? seed[i] : 0); };
    Bytes out;
    std::size_t previousEnd = 0;
    std::size_t i = 0;
    while (i < row.size()) {
        if (!differs(i)) {
            ++i;
            continue;
        }
        std::size_t runEnd = i;
        while (runEnd < row.size() && differs(runEnd)) {
            ++runEnd;
        }
        for (std::size_t piece = i; piece < runEnd; piece += 8) {
            const std::size_t count = std::min<std::size_t>(8, runEnd - piece);
            const std::size_t offset = piece - previousEnd;
            out.push_back(
                static_cast<std::uint8_t>((count - 1) * 32 + std::min<std::size_t>(offset, 31)));
            if (offset >= 31) {
                std::size_t rest = offset - 31;
                for (; rest >= 255; rest -= 255) {
                    out.push_back(255);
                }
                out.push_back(static_cast<std::uint8_t>(rest));
            }
            out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(piece),
                       row.begin() + static_cast<std::ptrdiff_t>(piece + count));
            previousEnd = piece + count;
        }
        i = runEnd;
    }
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

// A seed of `length` bytes and a row equal to it but for `runs` of changed bytes, each given as
// (first byte, count); runs past the row's end are cut.
struct SeedAndRow {
    Bytes seed;
    Bytes row;
};

SeedAndRow withRuns(std::size_t length, std::vector<std::pair<std::size_t, std::size_t>> runs,
                    std::mt19937& random) {
    SeedAndRow made{Bytes(length), {}};
    for (auto& b : made.seed) {
        b = static_cast<std::uint8_t>(random());
    }
    made.row = made.seed;
    for (const auto& [first, count] : runs) {
        for (std::size_t i = first; i < first + count && i < length; ++i) {
            made.row[i] = static_cast<std::uint8_t>(made.seed[i] ^ (1 + random() % 255));
        }
    }
    return made;
}

TEST(SeedRow2, StructuredRowsMatchTheReference) {
    std::mt19937 random(5);
    std::vector<std::pair<std::string, SeedAndRow>> cases;
    // Every length up to 80 and around the mask's windows, all changed, only the last byte
    // changed, and every other byte changed.
    for (const std::size_t length :
         {1,  2,  3,    4,    5,    6,    7,    8,    9,    10,   11,   12,   13,   14, 15,
          16, 17, 23,   24,   25,   31,   32,   33,   47,   48,   49,   63,   64,   65, 71,
          79, 80, 4031, 4032, 4033, 4095, 4096, 4097, 4103, 8191, 8192, 8193, 12345}) {
        const std::string at = " of " + std::to_string(length);
        cases.emplace_back("all changed" + at, withRuns(length, {{0, length}}, random));
        cases.emplace_back("last byte" + at, withRuns(length, {{length - 1, 1}}, random));
        std::vector<std::pair<std::size_t, std::size_t>> alternate;
        for (std::size_t i = 0; i < length; i += 2) {
            alternate.emplace_back(i, 1);
        }
        cases.emplace_back("every other byte" + at, withRuns(length, alternate, random));
    }
    // Runs of every count up to 18 after offsets about the 31 and 255-step limits.
    for (const std::size_t offset :
         {0,  1,  7,   8,   9,   15,  16,  17,  30,   31,   32,   33,
          63, 64, 285, 286, 287, 540, 541, 542, 4033, 4095, 4096, 4097}) {
        for (std::size_t count = 1; count <= 18; ++count) {
            cases.emplace_back(
                "run of " + std::to_string(count) + " after " + std::to_string(offset),
                withRuns(offset + count + 40, {{offset, count}, {offset + count + 1, 3}}, random));
        }
    }
    // Long unchanged stretches across the mask's windows and a long changed run across them.
    cases.emplace_back("sparse across windows",
                       withRuns(20000, {{100, 2}, {3990, 300}, {9000, 1}, {19999, 1}}, random));
    cases.emplace_back("changed across windows", withRuns(20000, {{3000, 6000}}, random));
    // Seeds shorter and longer than the row, ending inside and on word boundaries.
    for (const std::size_t seedLength : {0, 1, 7, 8, 9, 15, 16, 17, 100, 4100}) {
        for (const std::size_t rowLength : {1, 5, 8, 16, 33, 200, 5000}) {
            SeedAndRow made = withRuns(rowLength, {{rowLength / 3, 5}}, random);
            made.seed.resize(seedLength, 0);
            for (std::size_t i = 0; i < seedLength; ++i) {
                made.seed[i] = static_cast<std::uint8_t>(random() % 3);
            }
            cases.emplace_back(
                "seed " + std::to_string(seedLength) + ", row " + std::to_string(rowLength), made);
        }
    }
    for (const auto& [what, c] : cases) {
        ASSERT_EQ(code(c.seed, c.row), referenceCode(c.seed, c.row)) << what;
    }
}

TEST(SeedRow2, RandomRowsMatchTheReference) {
    std::mt19937 random(23);
    for (int trial = 0; trial < 600; ++trial) {
        const std::size_t length = 1 + random() % (trial % 10 == 0 ? 20000 : 300);
        const std::size_t seedLength = trial % 7 == 0 ? random() % (length + 20) : length;
        Bytes seed(seedLength);
        for (auto& b : seed) {
            b = static_cast<std::uint8_t>(random() % 3);
        }
        // Changes from very sparse to nearly every byte, singly and in runs.
        const unsigned changeOdds = 1 + trial % 60;
        const unsigned runLength = 1 + trial % 13;
        Bytes row(length);
        for (std::size_t i = 0; i < length;) {
            const std::uint8_t base = i < seed.size() ? seed[i] : 0;
            if (random() % changeOdds == 0) {
                for (unsigned k = 0; k < runLength && i < length; ++k, ++i) {
                    row[i] = static_cast<std::uint8_t>(random() % 3);
                }
            } else {
                row[i++] = base;
            }
        }
        ASSERT_EQ(code(seed, row), referenceCode(seed, row)) << "trial " << trial;
    }
}

}  // namespace
