// Bilinear enlargement against scipy.ndimage.zoom (order 1) as an independent oracle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/python_oracle.h"
#include "support/temporary_folder.h"
#include "zoom_test_image.h"

namespace {

using zoomtest::Image;

constexpr int kScipyMissing = 77;

struct OracleCase {
    int bpp;
    int sourceWidth, sourceHeight, width, height;
};

class ScipyOracle : public ::testing::TestWithParam<OracleCase> {};

// The filter truncates after each pass, so it lies up to two below the exact value (within one
// of the exact value truncated) and never above it.
TEST_P(ScipyOracle, BilinearEnlargementAgreesWithinOne) {
    const OracleCase c = GetParam();
    const Image source = zoomtest::randomImage(c.sourceWidth, c.sourceHeight, c.bpp, 1234);
    const zoomtest::Run run =
        zoomtest::resample(source, c.width, c.height, imaging::kZoomTypeBilinear);
    ASSERT_EQ(run.type, imaging::kZoomTypeBilinear);
    ASSERT_EQ(run.failure, imaging::kZoomDone);

    testsupport::TemporaryFolder folder;
    const auto input = folder / "source.raw";
    const auto output = folder / "oracle.raw";
    std::ofstream(input, std::ios::binary)
        .write(reinterpret_cast<const char*>(source.bytes.data()),
               static_cast<std::streamsize>(source.bytes.size()));
    const int status = testsupport::runPython(
        ZOOM_ORACLE_SCRIPT, {input.string(), std::to_string(c.sourceHeight),
                             std::to_string(c.sourceWidth), std::to_string(source.channels()),
                             std::to_string(c.height), std::to_string(c.width), output.string()});
    if (status == kScipyMissing) {
        GTEST_SKIP() << "Debian's python3-scipy is missing (scripts/setup installs it)";
    }
    ASSERT_EQ(status, 0);
    std::ifstream in(output, std::ios::binary);
    std::vector<double> expected(run.image.bytes.size());
    in.read(reinterpret_cast<char*>(expected.data()),
            static_cast<std::streamsize>(expected.size() * sizeof(double)));
    ASSERT_TRUE(in) << "the oracle wrote too few values";
    double worst = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const double ours = run.image.bytes[i];
        ASSERT_LE(ours, expected[i] + 1e-9) << i;
        worst = std::max(worst, std::fabs(std::floor(expected[i] + 1e-9) - ours));
    }
    EXPECT_LE(worst, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ScipyOracle,
    ::testing::Values(OracleCase{8, 13, 11, 40, 29}, OracleCase{24, 37, 23, 100, 61},
                      OracleCase{32, 6, 9, 17, 9}, OracleCase{24, 50, 40, 125, 100},
                      OracleCase{24, 1, 5, 7, 12},  // one column
                      OracleCase{8, 5, 1, 9, 4}),   // one row
    [](const auto& info) {
        const OracleCase& c = info.param;
        return zoomtest::resamplingName(c.bpp, c.sourceWidth, c.sourceHeight, c.width, c.height);
    });

}  // namespace
