// Raster transfer: the command sequence of each compression, the seed chain across bands,
// PackBits in pieces, and refused arguments.
#include "command/raster_transfer.h"

#include <gtest/gtest.h>

#include <vector>

#include "rastercore/result_codes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}
Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TARNColorSpace rgb8() {
    return TARNColorSpace{2, 3, {8, 8, 8}};
}

// A transfer over its own buffers and seed stores.
struct Transfer {
    TARNColorSpace space = rgb8();
    Bytes planes;
    Bytes work = Bytes(4096);
    std::vector<Bytes> seeds = std::vector<Bytes>(kMaxPlanes, Bytes(64));
    SeedStore stores[kMaxPlanes] = {};

    Transfer() {
        for (int p = 0; p < kMaxPlanes; ++p) {
            stores[p] = SeedStore{64, seeds[static_cast<std::size_t>(p)].data(), 0};
        }
    }

    Bytes run(TARNCompType compression, std::uint32_t width, std::uint32_t height,
              std::int32_t* result = nullptr) {
        Bytes out(8192, 0xEE);
        CommandCursor cursor(out.data(), static_cast<std::uint32_t>(out.size()));
        std::uint32_t count = 0xDEAD;
        const TRasDataInfo info{planes.data(), work.data(), &space, width,
                                height,        compression, stores};
        const std::int32_t code = TARNTransferRasterData(&cursor, &count, &info);
        if (result != nullptr) {
            *result = code;
        }
        EXPECT_EQ(cursor.at, out.data() + count);
        out.resize(count);
        return out;
    }
};

TEST(RasterTransfer, NoCompressionSendsPlanesRaw) {
    Transfer t;
    // Planes of 2 pixels × 2 rows: plane 0 rows "ab" "cd", plane 1 "ef" "gh", plane 2 "ij" "kl".
    t.planes = text("abcdefghijkl");
    EXPECT_EQ(t.run(kCompNone, 2, 2),
              text("\x1B*b0M\x1B*b2Vab\x1B*b2Vef\x1B*b2Wij\x1B*b2Vcd\x1B*b2Vgh\x1B*b2Wkl"));
}

TEST(RasterTransfer, PackBitsCodesEachPlaneRow) {
    Transfer t;
    t.planes = text("aabbbc");
    EXPECT_EQ(t.run(kCompPackBits, 2, 1), text("\x1B*b2M\x1B*b2V\xFF"
                                               "a\x1B*b2V\xFF"
                                               "b\x1B*b3W\x01"
                                               "bc"));
}

TEST(RasterTransfer, SeedRowChainRunsAcrossBands) {
    Transfer t;
    // First band after emptied stores: row 0 PackBits under ESC*b2M, row 1 against row 0.
    t.planes = text(
        "aaab"
        "cccc"
        "eeef");
    const Bytes first = t.run(kCompSeedRow, 2, 2);
    EXPECT_EQ(first, text("\x1B*b2M\x1B*b2V\xFF"
                          "a\x1B*b2V\xFF"
                          "c\x1B*b2W\xFF"
                          "e"
                          "\x1B*b3M\x1B*b2V\x01"
                          "b\x1B*b0V\x1B*b2W\x01"
                          "f"));
    EXPECT_EQ(t.stores[0].length, 2u);
    EXPECT_EQ(Bytes(t.seeds[0].begin(), t.seeds[0].begin() + 2), text("ab"));
    EXPECT_EQ(Bytes(t.seeds[2].begin(), t.seeds[2].begin() + 2), text("ef"));

    // Next band: every row under ESC*b3M, the first against the stored rows; an equal row
    // sends empty transfers.
    t.planes = text(
        "ab"
        "cc"
        "ef");
    EXPECT_EQ(t.run(kCompSeedRow, 2, 1), text("\x1B*b3M\x1B*b0V\x1B*b0V\x1B*b0W"));

    // Emptied stores restart with PackBits.
    for (SeedStore& s : t.stores) {
        s.length = 0;
    }
    EXPECT_EQ(t.run(kCompSeedRow, 2, 1), text("\x1B*b2M\x1B*b3V\x01"
                                              "ab\x1B*b2V\xFF"
                                              "c\x1B*b3W\x01"
                                              "ef"));
    EXPECT_EQ(t.run(kCompSeedRow, 2, 1), text("\x1B*b3M\x1B*b0V\x1B*b0V\x1B*b0W"));
}

TEST(RasterTransfer, OnePlaneRowsAreReadAtTheRoundedStride) {
    // One 10-bit plane of width 3: rows are stored 5 bytes apart and sent as 4 bytes.
    Transfer t;
    t.space = TARNColorSpace{2, 1, {0, 0, 0, 0, 0, 0, 10}};
    t.planes = Bytes{1, 2, 3, 4, 0xFF, 5, 6, 7, 8, 0xFF};
    EXPECT_EQ(t.run(kCompNone, 3, 2), text("\x1B*b0M\x1B*b4W") + Bytes({1, 2, 3, 4}) +
                                          text("\x1B*b4W") + Bytes({5, 6, 7, 8}));
}

TEST(RasterTransfer, PackBitsUInt32CodesPiecesOf127) {
    // 300 equal bytes: pieces of 127, 127 and 46, each one run.
    const Bytes row(300, 0x42);
    Bytes out(packBitsRowMaxOutput(300), 0xEE);
    const std::uint8_t* source = row.data();
    std::uint8_t* destination = out.data();
    ASSERT_EQ(PackBitsUInt32(&source, &destination, 300), 0);
    EXPECT_EQ(source, row.data() + 300);
    const Bytes coded(out.data(), destination);
    EXPECT_EQ(coded, (Bytes{0x82, 0x42, 0x82, 0x42, 0xD3, 0x42}));

    // 254 bytes are two pieces of 127; 128 bytes are 127 and 1.
    const Bytes literal = [] {
        Bytes r(254);
        for (std::size_t i = 0; i < r.size(); ++i) {
            r[i] = static_cast<std::uint8_t>(i);
        }
        return r;
    }();
    for (const std::uint32_t length : {254u, 128u}) {
        source = literal.data();
        out.assign(packBitsRowMaxOutput(length), 0xEE);
        destination = out.data();
        ASSERT_EQ(PackBitsUInt32(&source, &destination, length), 0);
        EXPECT_EQ(out[0], 126);  // literal header of the first 127 bytes
        EXPECT_EQ(out[128], length - 127 - 1);
        EXPECT_EQ(destination - out.data(), static_cast<std::ptrdiff_t>(length + 2));
    }

    source = row.data();
    destination = out.data();
    EXPECT_EQ(PackBitsUInt32(&source, &destination, 0), rastercore::kCommandBadArgument);
    EXPECT_EQ(PackBitsUInt32(nullptr, &destination, 3), rastercore::kCommandBadArgument);
    EXPECT_EQ(PackBitsUInt32(&source, nullptr, 3), rastercore::kCommandBadArgument);
}

TEST(RasterTransfer, BadArgumentsWriteNothing) {
    const struct {
        const char* what;
        TARNColorSpace space;
        TARNCompType compression;
        std::uint32_t width;
        std::uint32_t storeCapacity;
    } cases[] = {
        {"two planes", TARNColorSpace{2, 2, {8, 8}}, kCompNone, 2, 64},
        {"five planes", TARNColorSpace{2, 5, {8, 8, 8, 8, 8}}, kCompNone, 2, 64},
        {"eight planes", TARNColorSpace{2, 8, {8, 8, 8}}, kCompNone, 2, 64},
        {"zero width", rgb8(), kCompNone, 0, 64},
        {"plane of depth 0", TARNColorSpace{2, 3, {8, 0, 8}}, kCompNone, 2, 64},
        {"unknown compression", rgb8(), static_cast<TARNCompType>(1), 2, 64},
        {"row longer than the seed store", rgb8(), kCompSeedRow, 2, 1},
    };
    for (const auto& c : cases) {
        Transfer t;
        t.planes = Bytes(64, 1);
        t.space = c.space;
        for (SeedStore& s : t.stores) {
            s.capacity = c.storeCapacity;
        }
        std::int32_t result = 0;
        EXPECT_TRUE(t.run(c.compression, c.width, 1, &result).empty()) << c.what;
        EXPECT_EQ(result, rastercore::kCommandBadArgument) << c.what;
    }

    Transfer t;
    t.planes = Bytes(64, 1);
    std::uint8_t buffer[16];
    CommandCursor cursor(buffer, sizeof buffer);
    std::uint32_t count = 7;
    const TRasDataInfo noStores{t.planes.data(), t.work.data(), &t.space, 2, 1,
                                kCompSeedRow,    nullptr};
    EXPECT_EQ(TARNTransferRasterData(&cursor, &count, &noStores), rastercore::kCommandBadArgument);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(TARNTransferRasterData(nullptr, &count, &noStores), rastercore::kCommandBadArgument);
    EXPECT_EQ(cursor.at, buffer);
}

}  // namespace
