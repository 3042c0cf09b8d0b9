// The stream decoder on hand-written streams: header checks, command syntax, rasters, samples,
// malformed input, and the command-line tool.
#include "stream_decoder/stream_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "support/temporary_folder.h"

namespace {

using streamdecoder::Bytes;
using streamdecoder::decodeStream;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

const std::string kEsc = "\x1B";
const std::string kHeader = kEsc + "%-12345X@PJL\n@PJL RESET\n@PJL SET PAPER=ISO_A4\n" +
                            "@PJL SET TOPMARGIN=-3\n" + kEsc + "%0A";
const std::string kClose = kEsc + "E" + kEsc + "%-12345X";

// A 3-plane 8-bit raster of two rows of two pixels: first row raw, second delta-row coded.
std::string twoRowRaster() {
    std::string s = kEsc + "*p10x20Y" + kEsc + "*t600R" + kEsc + "*v6W" +
                    std::string("\x02\x03\x00\x08\x08\x08", 6) + kEsc + "*r1A";
    s += kEsc + "*b0M" + kEsc + "*b2V\x01\x02" + kEsc + "*b2V\x03\x04" + kEsc + "*b2W\x05\x06";
    s += kEsc + "*b3M" + kEsc + "*b3V\x20\x09\x09" + kEsc + "*b0V" + kEsc + "*b2W\x01\x07";
    return s + kEsc + "*rC";
}

TEST(StreamDecoder, ReadsHeaderCommandsAndRows) {
    const Bytes stream = bytesOf(kHeader + kEsc + "$b3W\x01\x02\x03" + kEsc + "E" + kEsc + "&a1N" +
                                 twoRowRaster() + kClose);
    const auto decoded = decodeStream(stream);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    ASSERT_EQ(decoded.pjlSettings.size(), 2u);
    EXPECT_EQ(decoded.pjlSettings[1], (std::pair<std::string, std::string>{"TOPMARGIN", "-3"}));
    ASSERT_EQ(decoded.generalData.size(), 1u);
    EXPECT_EQ(decoded.generalData[0], (Bytes{1, 2, 3}));
    EXPECT_EQ(decoded.resets, 2);
    ASSERT_EQ(decoded.rasters.size(), 1u);
    const auto& raster = decoded.rasters[0];
    EXPECT_EQ(raster.x, 10);
    EXPECT_EQ(raster.y, 20);
    EXPECT_EQ(raster.depths, (std::vector<int>{8, 8, 8}));
    ASSERT_EQ(raster.rows.size(), 2u);
    EXPECT_EQ(raster.rows[1][0], (Bytes{9, 9}));
    EXPECT_EQ(raster.rows[1][1], (Bytes{3, 4}));
    EXPECT_EQ(raster.rows[1][2], (Bytes{5, 7}));
    EXPECT_EQ(decoded.commands.front(), "ESC%-12345X");
    EXPECT_EQ(decoded.commands.back(), "ESC%-12345X");
    EXPECT_NE(std::find(decoded.commands.begin(), decoded.commands.end(), "ESC*b2W [2]"),
              decoded.commands.end());
    EXPECT_NE(std::find(decoded.commands.begin(), decoded.commands.end(), "ESC*p10x20Y"),
              decoded.commands.end());
}

TEST(StreamDecoder, RelativeMovesAndConfigurationLayouts) {
    // One 10-bit plane (10-byte block, slot 6), moved relative after an absolute move.
    const std::string block("\x02\x01\x00\x00\x00\x00\x0A\x00\x00\x00", 10);
    const Bytes stream =
        bytesOf(kHeader + kEsc + "*p5x5Y" + kEsc + "*p+3x-2Y" + kEsc + "*v10W" + block + kEsc +
                "*r1A" + kEsc + "*b2M" + kEsc + "*b2W\xFE\xFF" + kEsc + "*rC" + kClose);
    const auto decoded = decodeStream(stream);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    ASSERT_EQ(decoded.rasters.size(), 1u);
    EXPECT_EQ(decoded.rasters[0].x, 8);
    EXPECT_EQ(decoded.rasters[0].y, 3);
    EXPECT_EQ(decoded.rasters[0].depths, (std::vector<int>{10}));
    EXPECT_EQ(decoded.rasters[0].rows[0][0], (Bytes{0xFF, 0xFF, 0xFF}));
}

TEST(StreamDecoder, SeedRowsStartEmptyInEachRaster) {
    // The second raster's delta row must patch zeros, not the first raster's row.
    const std::string config =
        kEsc + "*v10W" + std::string("\x02\x01\x00\x00\x00\x00\x08\x00\x00\x00", 10);
    const Bytes stream = bytesOf(kHeader + config + kEsc + "*r1A" + kEsc + "*b0M" + kEsc +
                                 "*b2W\x07\x07" + kEsc + "*rC" + kEsc + "*r1A" + kEsc + "*b3M" +
                                 kEsc + "*b2W\x01\x05" + kEsc + "*rC" + kClose);
    const auto decoded = decodeStream(stream);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    ASSERT_EQ(decoded.rasters.size(), 2u);
    EXPECT_EQ(decoded.rasters[1].rows[0][0], (Bytes{0, 5}));
}

TEST(StreamDecoder, MalformedStreamsAreRefusedWithAReason) {
    const std::string raster = twoRowRaster();
    const struct {
        const char* what;
        std::string stream;
    } cases[] = {
        {"no universal exit", "@PJL\n@PJL RESET\n" + kEsc + "%0A" + kClose},
        {"PJL header without reset", kEsc + "%-12345X@PJL\n" + kEsc + "%0A" + kClose},
        {"no raster-language entry", kEsc + "%-12345X@PJL\n@PJL RESET\n" + kClose},
        {"data count past the end", kHeader + kEsc + "$b99W\x01"},
        {"cut-off escape sequence", kHeader + kEsc + "*b"},
        {"row before start raster", kHeader + kEsc + "*b0M" + kEsc + "*b1W\x01" + kClose},
        {"start raster without configuration", kHeader + kEsc + "*r1A" + kEsc + "*rC" + kClose},
        {"row ends early",
         kHeader + raster.substr(0, raster.find(kEsc + "*b2V\x03")) + kEsc + "*b1W\x01" + kClose},
        {"unknown compression",
         kHeader + raster.substr(0, raster.find(kEsc + "*b0M")) + kEsc + "*b9M" + kClose},
        {"no closing universal exit", kHeader + kEsc + "E"},
        {"bytes after the close", kHeader + kClose + "x"},
        {"stray byte in the raster language", kHeader + "x" + kClose},
        {"universal exit inside a raster",
         kHeader + raster.substr(0, raster.find(kEsc + "*rC")) + kEsc + "%-12345X"},
    };
    for (const auto& c : cases) {
        const auto decoded = decodeStream(bytesOf(c.stream));
        EXPECT_FALSE(decoded.ok) << c.what;
        EXPECT_FALSE(decoded.error.empty()) << c.what;
    }
}

TEST(StreamDecoder, EveryTruncationOfAValidStreamFailsCleanly) {
    const std::string full = kHeader + twoRowRaster() + kClose;
    for (std::size_t n = 0; n < full.size(); ++n) {
        EXPECT_FALSE(decodeStream(bytesOf(full.substr(0, n))).ok) << n;
    }
    EXPECT_TRUE(decodeStream(bytesOf(full)).ok);
}

TEST(StreamDecoder, MutatedStreamsNeverReadOutOfBounds) {
    // Random byte changes, insertions and cuts of a valid stream: each decodes or fails with a
    // reason, under the sanitizers, without reading past the data.
    const std::string valid = kHeader + kEsc + "$b3W\x01\x02\x03" + twoRowRaster() + kClose;
    std::mt19937 random(2024);
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes stream = bytesOf(valid);
        for (int change = 0; change < 1 + trial % 4; ++change) {
            const std::size_t at = random() % stream.size();
            switch (random() % 3) {
                case 0:
                    stream[at] = static_cast<std::uint8_t>(random());
                    break;
                case 1:
                    stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(at),
                                  static_cast<std::uint8_t>("0123456789\x1B*bWVM"[random() % 16]));
                    break;
                default:
                    stream.resize(at + 1);
                    break;
            }
        }
        const auto decoded = decodeStream(stream);
        EXPECT_TRUE(decoded.ok || !decoded.error.empty()) << trial;
    }
}

TEST(UnpackSamples, TenAndTwelveBitRowsWithFillBits) {
    bool ones = false;
    // 1023, 0, 512 in 10 bits, then ten fill bits of 1: 5 bytes.
    auto samples = streamdecoder::unpackSamples(Bytes{0xFF, 0xC0, 0x08, 0x03, 0xFF}, 10, 3, &ones);
    EXPECT_EQ(samples, (std::vector<std::uint16_t>{1023, 0, 512}));
    EXPECT_TRUE(ones);
    samples = streamdecoder::unpackSamples(Bytes{0xFF, 0xC0, 0x08, 0x00, 0xFF}, 10, 3, &ones);
    EXPECT_FALSE(ones);
    samples = streamdecoder::unpackSamples(Bytes{0xABC >> 4, 0xC0 | 0x0F, 0xFF}, 12, 1, &ones);
    EXPECT_EQ(samples, (std::vector<std::uint16_t>{0xABC}));
    EXPECT_TRUE(ones);
    EXPECT_TRUE(streamdecoder::unpackSamples(Bytes{0xFF}, 12, 1).empty());
}

TEST(WritePnm, RowsCutOffInsideTheirPlanesAreRefused) {
    // A stream cut off after the first plane of a row leaves that row one plane short; written
    // out, its pixels would lack samples and shift every later pixel of the image.
    testsupport::TemporaryFolder folder;
    streamdecoder::Raster raster;
    raster.depths = {8, 8, 8};
    raster.rows = {{{1, 2}, {3, 4}, {5, 6}}, {{9, 9}}};
    const struct {
        const char* what;
        std::vector<std::vector<Bytes>> rows;
        std::uint32_t width;
        bool written;
    } cases[] = {
        {"whole rows", {raster.rows[0]}, 0, true},
        {"last row one plane", raster.rows, 2, false},
        {"last row one plane, width from the data", raster.rows, 0, false},
        {"first row without a whole sample", {{{}, {}, {}}}, 0, false},
    };
    for (const auto& c : cases) {
        raster.rows = c.rows;
        const auto path = folder.path() / "out.pnm";
        std::filesystem::remove(path);
        std::string why;
        EXPECT_EQ(streamdecoder::writePnm(raster, c.width, path, &why), c.written) << c.what;
        EXPECT_EQ(std::filesystem::exists(path), c.written) << c.what;
        EXPECT_EQ(why.empty(), c.written) << c.what << ": " << why;
    }
}

TEST(StreamDecodeTool, WritesCommandsAndImage) {
    testsupport::TemporaryFolder folder;
    const auto input = folder.path() / "job.bin";
    {
        std::ofstream out(input, std::ios::binary);
        out << kHeader << twoRowRaster() << kClose;
    }
    const auto image = folder.path() / "out.pnm";
    const auto list = folder.path() / "commands.txt";
    const std::string command = std::string(STREAM_DECODE_TOOL) + " --width 2 --image " +
                                image.string() + " --commands " + list.string() + " " +
                                input.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream pnm(image, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(pnm), {}};
    EXPECT_EQ(text,
              std::string("P6\n2 2\n255\n\x01\x03\x05\x02\x04\x06\x09\x03\x05\x09\x04\x07", 23));
    std::ifstream commands(list);
    std::string first;
    std::getline(commands, first);
    EXPECT_EQ(first, "ESC%-12345X");

    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out << kHeader;  // no closing universal exit
    }
    const std::string refused = std::string(STREAM_DECODE_TOOL) + " --commands " + list.string() +
                                " " + input.string() + " 2>/dev/null";
    EXPECT_NE(std::system(refused.c_str()), 0);
}

}  // namespace
