// The driver's printer profiles: every medium the media databases show names a profile that is
// installed, is an RGB printer profile, differs from the other media's, and renders perceptual,
// colorimetric and saturation intents differently.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "color/installed_profiles.h"
#include "color/profile.h"
#include "color/standard_profiles.h"
#include "color/transform.h"
#include "medab2/medab2.h"

namespace {

std::vector<std::uint8_t> load(const std::string& file) {
    const std::string path = std::string(PROFILES_DATABASE_DIR) + "/" + file;
    const std::int32_t size = mdb3GetMediaData(path.c_str(), nullptr);
    std::vector<std::uint8_t> image(size > 0 ? static_cast<std::size_t>(size) : 0);
    if (size <= 0 || mdb3GetMediaData(path.c_str(), image.data()) != size)
        image.clear();
    return image;
}

// The profile file of every medium of both databases.
std::vector<std::string> profileNames() {
    std::vector<std::string> names;
    for (const char* file : {"MDB_SL7000.mdb", "MDB_SL5000.mdb"}) {
        std::vector<std::uint8_t> image = load(file);
        const std::int16_t count = mdb3MediumCount(image.data());
        for (std::int16_t index = 1; index <= count; ++index) {
            std::int16_t id = 0;
            mdb3MediumID(image.data(), index, &id);
            DEF_QUALITY quality{};
            mdb3OptimizeModeDefParam(image.data(), id, 0, &quality);
            std::uint32_t model = 0;
            char name[kMdbNameBytes] = {};
            if (mdb3OutputICC(image.data(), id, &quality, &model, name) != 0)
                names.emplace_back(name);
        }
    }
    return names;
}

// The device values of two pixels at 8 bits. A fixed size, which also lets the compiler see the
// length of what a set of them compares.
using Rendering = std::array<std::uint8_t, 6>;

// A saturated orange and a muted brown through the profile in one intent, at 8 bits; nothing
// when the profile cannot be linked.
std::optional<Rendering> renderedIn(const std::shared_ptr<color::Profile>& printer,
                                    color::Intent intent) {
    auto transform = color::Transform::create(
        color::Profile::openPath(color::standardProfilePath(color::StandardProfile::Srgb)), printer,
        intent);
    Rendering pixel = {250, 120, 20, 150, 120, 100};
    if (transform == nullptr || !transform->convert(pixel.data(), color::Layout::Rgb, pixel.data(),
                                                    color::Layout::Rgb, color::Depth::Eight, 2))
        return std::nullopt;
    return pixel;
}

TEST(PrinterProfiles, EveryMediumHasItsOwnRgbPrinterProfile) {
    const std::vector<std::string> names = profileNames();
    ASSERT_GE(names.size(), 16u);
    std::set<Rendering> renderings;
    for (const std::string& name : names) {
        const auto profile = color::Profile::openPath(color::driverProfileFolder() / name);
        ASSERT_NE(profile, nullptr) << name;
        EXPECT_EQ(profile->deviceClass(), color::kClassPrinter) << name;
        EXPECT_EQ(profile->colorSpace(), color::kSpaceRgb) << name;
        EXPECT_EQ(profile->description(), name.substr(0, name.find('.')) + " RGB printer profile");
        const auto perceptual = renderedIn(profile, color::Intent::Perceptual);
        const auto colorimetric = renderedIn(profile, color::Intent::RelativeColorimetric);
        const auto saturation = renderedIn(profile, color::Intent::Saturation);
        ASSERT_TRUE(perceptual.has_value()) << name;
        ASSERT_TRUE(colorimetric.has_value()) << name;
        EXPECT_NE(perceptual, colorimetric) << name;
        EXPECT_NE(saturation, colorimetric) << name;
        renderings.insert(*colorimetric);
    }
    // Media differ: most print the same colours with other device values.
    EXPECT_GT(renderings.size(), names.size() / 2);
}

}  // namespace
