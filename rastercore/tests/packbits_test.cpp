// PackBits: the coded form of known pieces, and random and run-heavy rows decoded back by an
// independent decoder (Pillow's TIFF reader).
#include "compress/packbits.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <vector>

#include "rastercore/result_codes.h"
#include "support/python_oracle.h"
#include "support/temporary_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Codes `row` in pieces of at most 127 bytes, as the command generator does.
Bytes encodeRow(const Bytes& row) {
    Bytes out(row.size() * 2 + 2, 0xEE);
    const std::uint8_t* source = row.data();
    std::uint8_t* destination = out.data();
    std::size_t left = row.size();
    while (left > 0) {
        const auto piece =
            static_cast<std::int16_t>(std::min<std::size_t>(left, kPackBitsMaxPiece));
        std::uint8_t* before = destination;
        EXPECT_EQ(RLE_Compression_PackBits(&source, &destination, piece), 0);
        EXPECT_LE(destination - before, packBitsMaxOutput(piece));
        left -= static_cast<std::size_t>(piece);
    }
    out.resize(static_cast<std::size_t>(destination - out.data()));
    return out;
}

TEST(PackBits, KnownPieces) {
    const struct {
        Bytes piece;
        Bytes coded;
    } cases[] = {
        {{0x00, 0x00, 0x00, 0x01, 0x02}, {0xFE, 0x00, 0x01, 0x01, 0x02}},
        {{0x01, 0x02, 0x02}, {0x00, 0x01, 0xFF, 0x02}},
        {{0x7A}, {0x00, 0x7A}},
        {{0x05, 0x05}, {0xFF, 0x05}},
        {{1, 2, 3}, {0x02, 1, 2, 3}},
        {{9, 9, 1, 1}, {0xFF, 9, 0xFF, 1}},
        {Bytes(127, 0x33), {0x82, 0x33}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeRow(c.piece), c.coded);
    }
    Bytes literals(127);
    for (std::size_t i = 0; i < literals.size(); ++i) {
        literals[i] = static_cast<std::uint8_t>(i);
    }
    const Bytes coded = encodeRow(literals);
    ASSERT_EQ(coded.size(), 128u);
    EXPECT_EQ(coded[0], 126);
}

TEST(PackBits, WorstCasePieceStaysWithinItsBound) {
    // "a b b" repeated: each single literal is followed by a pair, 4 coded bytes for 3.
    Bytes piece;
    while (piece.size() < 127) {
        piece.push_back(static_cast<std::uint8_t>(piece.size()));
        piece.push_back(0xFF);
        piece.push_back(0xFF);
    }
    piece.resize(127);
    const Bytes coded = encodeRow(piece);
    EXPECT_EQ(coded.size(), static_cast<std::size_t>(packBitsMaxOutput(127)));
    EXPECT_GT(coded.size(), 128u);
}

TEST(PackBits, ClearsThenAdvancesBothCursors) {
    const Bytes piece{4, 4, 4, 4, 4, 4};
    Bytes out(8, 0xEE);
    const std::uint8_t* source = piece.data();
    std::uint8_t* destination = out.data();
    ASSERT_EQ(RLE_Compression_PackBits(&source, &destination, 6), 0);
    EXPECT_EQ(source, piece.data() + 6);
    EXPECT_EQ(destination, out.data() + 2);
    EXPECT_EQ(out, (Bytes{0xFB, 4, 0, 0, 0, 0, 0xEE, 0xEE}));
}

TEST(PackBits, RefusesBadPiecesAndKeepsTheCursors) {
    const Bytes piece(200, 1);
    Bytes out(400, 0xEE);
    for (const std::int16_t length : {0, -1, 128}) {
        const std::uint8_t* source = piece.data();
        std::uint8_t* destination = out.data();
        EXPECT_EQ(RLE_Compression_PackBits(&source, &destination, length),
                  rastercore::kCommandBadArgument);
        EXPECT_EQ(source, piece.data());
        EXPECT_EQ(destination, out.data());
        EXPECT_EQ(out[0], 0xEE);
    }
    const std::uint8_t* null = nullptr;
    std::uint8_t* destination = out.data();
    EXPECT_EQ(RLE_Compression_PackBits(&null, &destination, 1), rastercore::kCommandBadArgument);
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST(PackBits, RowsDecodeBackThroughAnIndependentDecoder) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> runLength(1, 300);
    const std::size_t width = 1000;
    const int rows = 24;
    Bytes image;
    Bytes coded;
    for (int row = 0; row < rows; ++row) {
        Bytes line;
        const int kind = row % 4;
        while (line.size() < width) {
            if (kind == 0) {  // noise
                line.push_back(static_cast<std::uint8_t>(byte(random)));
            } else if (kind == 1) {  // long runs, across piece boundaries
                line.insert(line.end(), runLength(random), static_cast<std::uint8_t>(byte(random)));
            } else if (kind == 2) {  // short runs and pairs among literals
                line.insert(line.end(), runLength(random) % 3 + 1,
                            static_cast<std::uint8_t>(byte(random) % 4));
            } else {  // one value
                line.push_back(0x80);
            }
        }
        line.resize(width);
        const Bytes codedLine = encodeRow(line);
        image.insert(image.end(), line.begin(), line.end());
        coded.insert(coded.end(), codedLine.begin(), codedLine.end());
    }
    testsupport::TemporaryFolder folder;
    writeFile(folder / "coded.bin", coded);
    writeFile(folder / "image.bin", image);
    EXPECT_EQ(testsupport::runPython(std::string(RASTERCORE_TEST_DIR) + "/packbits_oracle.py",
                                     {(folder / "coded.bin").string(),
                                      (folder / "image.bin").string(), std::to_string(width)}),
              0);
}

}  // namespace
