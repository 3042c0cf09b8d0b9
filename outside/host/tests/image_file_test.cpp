// The host's image files: TIFF written and read back in every mode and depth with profile and
// resolution, PNG of every colour type, and the files it refuses.
#include "image_file.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <fstream>
#include <string>

#include "png_writer.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace {

using host::Image;

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Image gradient(std::uint32_t width, std::uint32_t height, int channels, int bits) {
    Image image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.bits = bits;
    const std::uint32_t top = bits == 16 ? 65535 : 255;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                image.samples.push_back(
                    static_cast<std::uint16_t>((x * 977 + y * 331 + c * 5003) % (top + 1)));
            }
        }
    }
    return image;
}

TEST(HostImageFile, TiffOfEveryModeAndDepthComesBackWithProfileAndResolution) {
    testsupport::TemporaryFolder folder;
    for (const int channels : {1, 3, 4}) {
        for (const int bits : {8, 16}) {
            Image image = gradient(7, 5, channels, bits);
            image.iccProfile = {1, 2, 3, 4, 5};
            image.resolutionX = 150;
            image.resolutionY = 300;
            const auto path = folder.path() / "image.tif";
            std::string error;
            ASSERT_TRUE(host::writeTiff(image, path, &error)) << error;
            const auto read = host::readImage(path, &error);
            ASSERT_TRUE(read) << error;
            EXPECT_EQ(read->width, 7u);
            EXPECT_EQ(read->height, 5u);
            EXPECT_EQ(read->channels, channels);
            EXPECT_EQ(read->bits, bits);
            EXPECT_EQ(read->samples, image.samples) << channels << " " << bits;
            EXPECT_EQ(read->iccProfile, image.iccProfile);
            EXPECT_DOUBLE_EQ(read->resolutionX, 150);
            EXPECT_DOUBLE_EQ(read->resolutionY, 300);
        }
    }
}

TEST(HostImageFile, PngOfEveryColourTypeDropsAlphaAndKeepsProfileAndResolution) {
    testsupport::TemporaryFolder folder;
    const struct {
        int colorType;
        int bits;
        int fileChannels;
        int channels;
    } cases[] = {
        {PNG_COLOR_TYPE_GRAY, 8, 1, 1},       {PNG_COLOR_TYPE_GRAY, 16, 1, 1},
        {PNG_COLOR_TYPE_RGB, 8, 3, 3},        {PNG_COLOR_TYPE_RGB, 16, 3, 3},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16, 4, 3}, {PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, 1},
    };
    // libpng keeps only profiles of the image's colour space.
    const auto greyFile = folder.path() / "grey.icc";
    color_test::writeGreyProfile(greyFile, "grey");
    const std::vector<std::uint8_t> rgbProfile = fileBytes(color_test::kSrgb);
    const std::vector<std::uint8_t> greyProfile = fileBytes(greyFile);
    for (const auto& c : cases) {
        const Image source = gradient(6, 4, c.fileChannels, c.bits);
        const std::vector<std::uint8_t>& profile =
            c.colorType & PNG_COLOR_MASK_COLOR ? rgbProfile : greyProfile;
        hosttest::PngPicture picture{6, 4, c.colorType, c.bits, source.samples, profile, 11811};
        const auto path = folder.path() / "image.png";
        ASSERT_TRUE(hosttest::writePng(picture, path));
        std::string error;
        const auto read = host::readImage(path, &error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(read->channels, c.channels);
        EXPECT_EQ(read->bits, c.bits);
        for (std::uint32_t p = 0; p < 6 * 4; ++p) {
            for (int k = 0; k < c.channels; ++k) {
                ASSERT_EQ(read->samples[p * c.channels + k], source.samples[p * c.fileChannels + k])
                    << c.colorType << " pixel " << p;
            }
        }
        EXPECT_EQ(read->iccProfile, profile);
        EXPECT_NEAR(read->resolutionX, 300, 0.01);
    }
}

TEST(HostImageFile, RefusesWhatItCannotPrint) {
    testsupport::TemporaryFolder folder;
    std::string error;
    EXPECT_FALSE(host::readImage(folder.path() / "missing.tif", &error));
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_FALSE(host::decodeImage(text, &error));
    EXPECT_EQ(error, "neither a TIFF nor a PNG file");

    // A PNG cut in its image data, and a TIFF cut after its header.
    const Image image = gradient(40, 30, 3, 8);
    hosttest::PngPicture picture{40, 30, PNG_COLOR_TYPE_RGB, 8, image.samples, {}, 0};
    ASSERT_TRUE(hosttest::writePng(picture, folder.path() / "cut.png"));
    std::ifstream png(folder.path() / "cut.png", std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(png), {}};
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(host::decodeImage(bytes, &error));
    ASSERT_TRUE(host::writeTiff(image, folder.path() / "cut.tif", &error));
    std::ifstream tif(folder.path() / "cut.tif", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(tif), {});
    bytes.resize(bytes.size() / 3);
    EXPECT_FALSE(host::decodeImage(bytes, &error));

    // A one-bit TIFF is of no depth the stand-in prints.
    TIFF* bilevel = TIFFOpen((folder.path() / "bilevel.tif").c_str(), "w");
    ASSERT_NE(bilevel, nullptr);
    TIFFSetField(bilevel, TIFFTAG_IMAGEWIDTH, 8u);
    TIFFSetField(bilevel, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField(bilevel, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(bilevel, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(bilevel, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    std::uint8_t row = 0xA5;
    TIFFWriteScanline(bilevel, &row, 0, 0);
    TIFFClose(bilevel);
    EXPECT_FALSE(host::readImage(folder.path() / "bilevel.tif", &error));
    EXPECT_EQ(error, "TIFF of a kind not printed (8- or 16-bit grey, RGB or CMYK)");
}

}  // namespace
