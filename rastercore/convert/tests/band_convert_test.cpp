// The band loop over the image editor's lines through the core's own line converter: whole
// pages, upright, turned and mirrored, read back and checked against numpy's turn and mirror of
// the host image.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "band/band_services.h"
#include "band/tests/band_fixture.h"
#include "rastercore/result_codes.h"
#include "support/python_oracle.h"
#include "support/temporary_folder.h"

namespace {

using bandtest::BandJob;
using bandtest::Bytes;
using bandtest::JobSetup;

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST(BandConvert, PagesAreTheHostImageTurnedAndMirrored) {
    const struct {
        bool wide;
        bool rotate;
        std::int32_t mirror;
    } cases[] = {
        {false, false, 0}, {false, false, 1}, {false, true, 0},
        {false, true, 1},  {true, false, 1},  {true, true, 1},
    };
    for (const auto& c : cases) {
        const std::string label = std::string(c.wide ? "16-bit" : "8-bit") +
                                  (c.rotate ? " turned" : "") + (c.mirror ? " mirrored" : "");
        JobSetup setup;
        setup.hostType = kHostTypeImageEditor;
        setup.wide = c.wide;
        setup.rotate = c.rotate;
        setup.mirror = c.mirror;
        setup.sourceWidth = 7;
        setup.sourceHeight = 5;
        BandJob job(setup);
        if (c.wide) {
            // The image editor's 16-bit samples run from 0 to 32768.
            for (std::uint16_t& sample : job.host.image.samples) {
                sample = static_cast<std::uint16_t>(sample / 2 + (sample == 0xFFFF ? 1 : 0));
            }
        }
        PLGContext& context = job.context();
        context.depthCode = c.wide ? 4 : 1;
        Bytes row(6 * 7);
        context.rgbRow = row.data();
        context.rgbRowSize = static_cast<std::uint32_t>(row.size());
        job.services.bitConvert = coreBandServices().bitConvert;
        ASSERT_EQ(job.run(), rastercore::kResultOk) << label;

        const auto decoded = job.decoded();
        ASSERT_TRUE(decoded.ok) << label << ": " << decoded.error;
        ASSERT_EQ(decoded.rasters.size(), 1u) << label;
        const std::uint32_t width = c.rotate ? setup.sourceHeight : setup.sourceWidth;
        Bytes printed;
        for (std::size_t y = 0; y < decoded.rasters[0].rows.size(); ++y) {
            const Bytes line = BandJob::pixelsOf(decoded.rasters[0], y, width);
            printed.insert(printed.end(), line.begin(), line.end());
        }
        Bytes source;
        for (std::uint32_t y = 0; y < setup.sourceHeight; ++y) {
            for (std::uint32_t x = 0; x < setup.sourceWidth; ++x) {
                job.host.image.appendPixel(source, x, y);
            }
        }
        testsupport::TemporaryFolder folder;
        writeFile(folder / "source.bin", source);
        writeFile(folder / "printed.bin", printed);
        EXPECT_EQ(testsupport::runPython(
                      std::string(CONVERT_TEST_DIR) + "/turn_oracle.py",
                      {(folder / "source.bin").string(), (folder / "printed.bin").string(),
                       std::to_string(setup.sourceWidth), std::to_string(setup.sourceHeight),
                       c.wide ? "16" : "8", c.rotate ? "1" : "0", std::to_string(c.mirror)}),
                  0)
            << label;
    }
}

}  // namespace
