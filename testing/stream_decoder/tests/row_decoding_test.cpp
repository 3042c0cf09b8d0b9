// Row decompression against the published examples of PackBits and delta-row coding.
#include "stream_decoder/row_decoding.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
using streamdecoder::applyDeltaRow;
using streamdecoder::unpackBits;

TEST(UnpackBits, PublishedExample) {
    // The classic PackBits example: literal, runs, a no-op header -128 inserted.
    const Bytes packed = {0xFE, 0xAA, 0x02, 0x80, 0x00, 0x2A, 0xFD, 0xAA,
                          0x03, 0x80, 0x00, 0x2A, 0x22, 0x80, 0xF7, 0xAA};
    const Bytes expected = {0xAA, 0xAA, 0xAA, 0x80, 0x00, 0x2A, 0xAA, 0xAA, 0xAA, 0xAA, 0x80, 0x00,
                            0x2A, 0x22, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    std::string why;
    EXPECT_EQ(unpackBits(packed, &why), expected);
}

TEST(UnpackBits, TruncatedGroupsAreRefused) {
    const Bytes cases[] = {{0x02, 0x01}, {0xFE}, {0x7F}};
    for (const Bytes& packed : cases) {
        std::string why;
        EXPECT_FALSE(unpackBits(packed, &why).has_value());
        EXPECT_FALSE(why.empty());
    }
}

TEST(ApplyDeltaRow, CommandsPatchTheSeed) {
    const struct {
        Bytes seed;
        Bytes data;
        Bytes row;
    } cases[] = {
        {{0, 0, 0, 0}, {0x01, 0x05}, {0, 5, 0, 0}},
        {{0, 0}, {0x20, 7, 7}, {7, 7}},
        {{1, 2, 3}, {}, {1, 2, 3}},                        // empty: the seed repeats
        {{}, {0x41, 9, 9, 9}, {0, 9, 9, 9}},               // empty seed counts as zeros
        {{1, 1, 1, 1}, {0x00, 5, 0x01, 6}, {5, 1, 6, 1}},  // offsets from the last patch
        {Bytes(40, 0),
         {0x1F, 0x02, 8},
         [] {  // offset 31 + 2
             Bytes r(40, 0);
             r[33] = 8;
             return r;
         }()},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_EQ(applyDeltaRow(c.seed, c.data, &why), c.row) << why;
    }
}

TEST(ApplyDeltaRow, LongOffsetsAddBytesWhile255) {
    // 31 + 255 + 0 = 286.
    Bytes seed(300, 0);
    std::string why;
    const auto row = applyDeltaRow(seed, Bytes{0x1F, 0xFF, 0x00, 0x44}, &why);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ((*row)[286], 0x44);
    EXPECT_EQ(std::count(row->begin(), row->end(), 0), 299);
}

TEST(ApplyDeltaRow, MalformedCommandsAreRefused) {
    const Bytes cases[] = {
        {0x1F},             // offset continuation missing
        {0x1F, 0xFF},       // continuation stops at the end
        {0xE0, 1, 2, 3},    // eight replacements announced, three present
        Bytes(5000, 0xFF),  // offsets past the longest row
    };
    for (const Bytes& data : cases) {
        std::string why;
        EXPECT_FALSE(applyDeltaRow(Bytes(4, 0), data, &why).has_value());
    }
}

}  // namespace
