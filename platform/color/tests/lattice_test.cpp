// Lattices reproduce the engine transform they are sampled from, at the grid points, between
// them and at the edges of the range, in place and at both depths.
#include "color/lattice.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "test_profiles.h"

namespace {

constexpr int kSamples = 3;
constexpr int kAgreement16 = 1;  // 16-bit steps the lattice may differ from the engine
constexpr int kAgreement8 = 1;

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

}  // namespace
