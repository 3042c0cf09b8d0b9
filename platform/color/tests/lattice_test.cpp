// Lattices reproduce the engine transform they are sampled from, at the grid points, between
// them and at the edges of the range, in place and at both depths. Lattices on uneven grids put
// every input value in the cell of its own nodes, with every kernel the processor runs.
#include "color/lattice.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "color/lattice_kernels.h"
#include "test_profiles.h"

namespace {

constexpr int kSamples = 3;
constexpr int kAgreement16 = 1;  // 16-bit steps the lattice may differ from the engine
constexpr int kAgreement8 = 1;
// Between the nodes of an uneven grid that was not placed for it, a lattice's straight pieces
// miss the bends of a real transform by up to this many 16-bit steps above kSmoothFrom (a
// misplaced corner or weight misses by thousands).
constexpr int kUnevenAgreement16 = 32;
constexpr int kSmoothFrom = 8192;

// The engine's own table transform: the whole chain in one 65-point table.
constexpr cmsUInt32Number kTableFlags = cmsFLAGS_FORCE_CLUT | cmsFLAGS_HIGHRESPRECALC |
                                        cmsFLAGS_NOWHITEONWHITEFIXUP | cmsFLAGS_GRIDPOINTS(65);

class LatticeAgainstEngine : public testing::Test {
  protected:
    void SetUp() override {
        cmsHPROFILE source = cmsOpenProfileFromFile(color_test::kSrgb.c_str(), "r");
        cmsHPROFILE destination = cmsOpenProfileFromFile(color_test::kRgb1998.c_str(), "r");
        ASSERT_NE(source, nullptr);
        ASSERT_NE(destination, nullptr);
        engine16_ = cmsCreateTransform(source, TYPE_RGB_16, destination, TYPE_RGB_16,
                                       INTENT_PERCEPTUAL, kTableFlags);
        engine8_ = cmsCreateTransform(source, TYPE_RGB_8, destination, TYPE_RGB_8,
                                      INTENT_PERCEPTUAL, kTableFlags);
        cmsCloseProfile(source);
        cmsCloseProfile(destination);
        ASSERT_NE(engine16_, nullptr);
        ASSERT_NE(engine8_, nullptr);
        words_.resize(color::kLatticeWords);
        ASSERT_TRUE(color::sampleLattice(
            words_, [this](const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
                cmsDoTransform(engine16_, in, out, static_cast<cmsUInt32Number>(pixels));
                return true;
            }));
    }
    void TearDown() override {
        cmsDeleteTransform(engine16_);
        cmsDeleteTransform(engine8_);
    }

    // Pixels at the grid points, at both ends of every axis, and spread at random between.
    static std::vector<std::uint16_t> testPixels() {
        std::vector<std::uint16_t> pixels;
        for (std::size_t i = 0; i < color::kLatticePoints; i += 8) {
            const std::uint16_t v = color::latticeInput(i);
            pixels.insert(pixels.end(), {v, static_cast<std::uint16_t>(65535 - v), v});
        }
        for (const std::uint16_t edge : {0, 1, 65534, 65535}) {
            pixels.insert(pixels.end(), {edge, 65535, 0});
            pixels.insert(pixels.end(), {edge, edge, edge});
        }
        std::mt19937 random(7);
        for (int i = 0; i < 30000; ++i) {
            pixels.push_back(static_cast<std::uint16_t>(random()));
        }
        return pixels;
    }

    cmsHTRANSFORM engine16_ = nullptr;
    cmsHTRANSFORM engine8_ = nullptr;
    std::vector<std::uint16_t> words_;
};

TEST_F(LatticeAgainstEngine, SixteenBitRowsMatchTheEngine) {
    const std::vector<std::uint16_t> in = testPixels();
    const std::size_t pixels = in.size() / kSamples;
    std::vector<std::uint16_t> expected(in.size());
    cmsDoTransform(engine16_, in.data(), expected.data(), static_cast<cmsUInt32Number>(pixels));
    std::vector<std::uint16_t> out(in.size());
    color::applyLattice(words_.data(), in.data(), out.data(), pixels);
    for (std::size_t i = 0; i < in.size(); ++i) {
        ASSERT_NEAR(out[i], expected[i], kAgreement16) << "sample " << i << " of " << in[i];
    }
    // In place, the same results.
    std::vector<std::uint16_t> row = in;
    color::applyLattice(words_.data(), row.data(), row.data(), pixels);
    EXPECT_EQ(row, out);
}

TEST_F(LatticeAgainstEngine, EightBitRowsMatchTheEngine) {
    std::vector<std::uint8_t> in;
    for (int v = 0; v < 256; ++v) {
        in.insert(in.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v),
                             static_cast<std::uint8_t>(v * 7)});
    }
    const std::size_t pixels = in.size() / kSamples;
    std::vector<std::uint8_t> expected(in.size());
    cmsDoTransform(engine8_, in.data(), expected.data(), static_cast<cmsUInt32Number>(pixels));
    std::vector<std::uint8_t> out = in;
    color::applyLattice(words_.data(), out.data(), out.data(), pixels);
    for (std::size_t i = 0; i < in.size(); ++i) {
        ASSERT_NEAR(out[i], expected[i], kAgreement8) << "sample " << i << " of " << +in[i];
    }
}

TEST(Lattice, SamplingRefusesAWrongSizeAndAFailingSource) {
    std::vector<std::uint16_t> words(color::kLatticeWords - 1);
    const auto identity = [](const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
        std::copy(in, in + pixels * kSamples, out);
        return true;
    };
    EXPECT_FALSE(color::sampleLattice(words, identity));
    words.resize(color::kLatticeWords);
    EXPECT_FALSE(color::sampleLattice(
        words, [](const std::uint16_t*, std::uint16_t*, std::size_t) { return false; }));
    // The identity gives back every input exactly, between the grid points too.
    ASSERT_TRUE(color::sampleLattice(words, identity));
    const std::vector<std::uint16_t> in = {0, 1, 2, 777, 30000, 65535, 65534, 32768, 12345};
    std::vector<std::uint16_t> out(in.size());
    color::applyLattice(words.data(), in.data(), out.data(), in.size() / kSamples);
    EXPECT_EQ(out, in);
}

// An uneven grid: nodes crowded at the dark end of red, at the light end of green, even on
// blue, every inner node on a multiple of the node step.
color::LatticeGrid unevenGrid() {
    color::LatticeGrid grid{};
    const auto crowded = [](double t) { return t * t; };
    const auto sparse = [](double t) { return std::sqrt(t); };
    const auto even = [](double t) { return t; };
    const std::function<double(double)> shapes[] = {crowded, sparse, even};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        for (std::size_t i = 0; i + 1 < color::kLatticePoints; ++i) {
            const double t = static_cast<double>(i) / (color::kLatticePoints - 1);
            const auto node = static_cast<std::uint32_t>(
                std::lround(shapes[axis](t) * 65535 / color::kLatticeNodeStep));
            grid[axis][i] = static_cast<std::uint16_t>(
                i == 0 ? 0
                       : std::max<std::uint32_t>(node * color::kLatticeNodeStep,
                                                 grid[axis][i - 1] + color::kLatticeNodeStep));
        }
        grid[axis].back() = 65535;
    }
    return grid;
}

// A result that follows its own input's axis in straight pieces between that axis's nodes and
// bends at each node: a lattice on the grid reproduces it exactly wherever it is sampled, while
// one whose cells were placed wrongly misses the bends.
double bentResult(const color::LatticeNodes& nodes, double input) {
    std::size_t cell = 0;
    while (cell + 2 < nodes.size() && input >= nodes[cell + 1]) {
        ++cell;
    }
    const double at = cell % 2 == 0 ? 0.4 : 0.6;
    const double next = cell % 2 == 0 ? 0.6 : 0.4;
    const double fraction = (input - nodes[cell]) / (nodes[cell + 1] - nodes[cell]);
    return 65535 * (at + (next - at) * fraction);
}

// The kernels for 16-bit rows on uneven lattices, each run where the processor has it.
using UnevenKernel = void (*)(const std::uint16_t*, const color::LatticeAxes&, const std::uint16_t*,
                              std::uint16_t*, std::size_t);
struct KernelCase {
    const char* name;
    UnevenKernel apply;
    bool available;
};

std::vector<KernelCase> unevenKernels() {
    return {{"baseline", color::kernels::applyUnevenWideRow, true},
            {"avx2", color::kernels::applyUnevenWideRowAvx2, color::kernels::avx2Available()}};
}

// Every node, the values either side of it, and values spread at random between.
std::vector<std::uint16_t> pixelsAroundNodes(const color::LatticeGrid& grid, unsigned seed) {
    std::vector<std::uint16_t> in;
    for (std::size_t i = 0; i < color::kLatticePoints; ++i) {
        for (const int side : {-1, 0, 1}) {
            const auto at = [&](std::size_t axis) {
                return static_cast<std::uint16_t>(std::clamp(grid[axis][i] + side, 0, 65535));
            };
            in.insert(in.end(), {at(0), at(1), at(2)});
        }
    }
    std::mt19937 random(seed);
    for (int i = 0; i < 30000; ++i) {
        in.push_back(static_cast<std::uint16_t>(random()));
    }
    return in;
}

TEST(UnevenLattice, FollowsAConversionThatBendsAtItsNodes) {
    const color::LatticeGrid grid = unevenGrid();
    ASSERT_TRUE(color::risingGrid(grid));
    auto axes = std::make_unique<color::LatticeAxes>();
    ASSERT_TRUE(color::fillLatticeAxes(*axes, grid));
    std::vector<std::uint16_t> words(color::kLatticeWords);
    ASSERT_TRUE(color::sampleLattice(
        words, grid, [&](const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
            for (std::size_t i = 0; i < pixels * kSamples; ++i) {
                out[i] = static_cast<std::uint16_t>(std::lround(bentResult(grid[i % 3], in[i])));
            }
            return true;
        }));
    const std::vector<std::uint16_t> in = pixelsAroundNodes(grid, 11);
    const std::size_t pixels = in.size() / kSamples;
    std::vector<std::uint16_t> out(in.size());
    color::applyLattice(words.data(), *axes, in.data(), out.data(), pixels);
    for (std::size_t i = 0; i < in.size(); ++i) {
        ASSERT_NEAR(out[i], bentResult(grid[i % 3], in[i]), 2)
            << "sample " << i % 3 << " of " << in[i];
    }
    for (const KernelCase& kernel : unevenKernels()) {
        if (!kernel.available) {
            continue;
        }
        SCOPED_TRACE(kernel.name);
        // Every row length up to a few steps of the widest kernel, so that each kernel's tail
        // runs; in place and apart, the same results.
        for (std::size_t length = 0; length <= 40; ++length) {
            const std::size_t start = 7 * length;
            std::vector<std::uint16_t> apart(length * kSamples);
            kernel.apply(words.data(), *axes, &in[start * kSamples], apart.data(), length);
            std::vector<std::uint16_t> row(
                in.begin() + static_cast<std::ptrdiff_t>(start * kSamples),
                in.begin() + static_cast<std::ptrdiff_t>((start + length) * kSamples));
            kernel.apply(words.data(), *axes, row.data(), row.data(), length);
            for (std::size_t i = 0; i < apart.size(); ++i) {
                const std::uint16_t value = in[start * kSamples + i];
                ASSERT_NEAR(apart[i], bentResult(grid[i % 3], value), 2)
                    << "row of " << length << ", sample " << i % 3 << " of " << value;
            }
            ASSERT_EQ(row, apart) << "in place, row of " << length;
        }
        // The whole row: each kernel gives the same results to the bit.
        std::vector<std::uint16_t> row = in;
        kernel.apply(words.data(), *axes, row.data(), row.data(), pixels);
        EXPECT_EQ(row, out);
    }
    // 8-bit rows as their 16-bit equivalents.
    std::vector<std::uint8_t> eight(256 * kSamples);
    std::vector<std::uint16_t> wide(eight.size());
    for (std::size_t i = 0; i < eight.size(); ++i) {
        eight[i] = static_cast<std::uint8_t>(i / kSamples);
        wide[i] = static_cast<std::uint16_t>(eight[i] * 257);
    }
    color::applyLattice(words.data(), *axes, wide.data(), wide.data(), 256);
    color::applyLattice(words.data(), *axes, eight.data(), eight.data(), 256);
    for (std::size_t i = 0; i < eight.size(); ++i) {
        ASSERT_NEAR(eight[i], wide[i] / 257.0, 0.5 + 1e-9) << "8-bit sample " << i;
    }
}

// A lattice on an uneven grid sampled from a real engine transform follows that transform
// between its nodes, with every kernel.
TEST(UnevenLattice, FollowsAnEngineTransform) {
    cmsHPROFILE source = cmsOpenProfileFromFile(color_test::kSrgb.c_str(), "r");
    cmsHPROFILE destination = cmsOpenProfileFromFile(color_test::kRgb1998.c_str(), "r");
    ASSERT_NE(source, nullptr);
    ASSERT_NE(destination, nullptr);
    const std::unique_ptr<void, decltype(&cmsDeleteTransform)> engine(
        cmsCreateTransform(source, TYPE_RGB_16, destination, TYPE_RGB_16, INTENT_PERCEPTUAL,
                           cmsFLAGS_NOOPTIMIZE),
        cmsDeleteTransform);
    cmsCloseProfile(source);
    cmsCloseProfile(destination);
    ASSERT_NE(engine, nullptr);
    const color::LatticeGrid grid = unevenGrid();
    auto axes = std::make_unique<color::LatticeAxes>();
    ASSERT_TRUE(color::fillLatticeAxes(*axes, grid));
    std::vector<std::uint16_t> words(color::kLatticeWords);
    ASSERT_TRUE(color::sampleLattice(
        words, grid, [&](const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
            cmsDoTransform(engine.get(), in, out, static_cast<cmsUInt32Number>(pixels));
            return true;
        }));
    // Away from the dark end, where the transfer curves are steep: every node there, and
    // pixels at random, an odd number in all.
    std::vector<std::uint16_t> in;
    for (const std::uint16_t node : grid[0]) {
        if (node >= kSmoothFrom) {
            in.insert(in.end(), {node, node, node});
        }
    }
    std::mt19937 random(13);
    std::uniform_int_distribution<int> smooth(kSmoothFrom, 65535);
    while (in.size() < 20001 * kSamples) {
        in.push_back(static_cast<std::uint16_t>(smooth(random)));
    }
    const std::size_t pixels = in.size() / kSamples;
    std::vector<std::uint16_t> expected(in.size());
    cmsDoTransform(engine.get(), in.data(), expected.data(), static_cast<cmsUInt32Number>(pixels));
    for (const KernelCase& kernel : unevenKernels()) {
        if (!kernel.available) {
            continue;
        }
        SCOPED_TRACE(kernel.name);
        std::vector<std::uint16_t> out(in.size());
        kernel.apply(words.data(), *axes, in.data(), out.data(), pixels);
        for (std::size_t i = 0; i < in.size(); ++i) {
            ASSERT_NEAR(out[i], expected[i], kUnevenAgreement16)
                << "pixel " << i / kSamples << ", sample " << i % 3 << " of " << in[i];
        }
    }
}

TEST(UnevenLattice, RefusesGridsThatDoNotRiseOrLeaveTheNodeStep) {
    auto axes = std::make_unique<color::LatticeAxes>();
    std::vector<std::uint16_t> words(color::kLatticeWords);
    const auto identity = [](const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
        std::copy(in, in + pixels * kSamples, out);
        return true;
    };
    const color::LatticeGrid good = unevenGrid();
    color::LatticeGrid flat = good;
    flat[1][10] = flat[1][9];
    color::LatticeGrid short_ = good;
    short_[2].back() = 65000;
    color::LatticeGrid offStep = good;
    offStep[0][5] = static_cast<std::uint16_t>(offStep[0][5] + 1);
    for (const color::LatticeGrid* bad : {&flat, &short_}) {
        EXPECT_FALSE(color::risingGrid(*bad));
        EXPECT_FALSE(color::fillLatticeAxes(*axes, *bad));
        EXPECT_FALSE(color::sampleLattice(words, *bad, identity));
    }
    EXPECT_TRUE(color::risingGrid(offStep));
    EXPECT_FALSE(color::fillLatticeAxes(*axes, offStep)) << "inner node off the step";
    EXPECT_TRUE(color::fillLatticeAxes(*axes, good));
}

}  // namespace
