// The image editor's row callback hands out the requested rectangle in the image's own mode:
// 16-bit samples on the editor's 0 ... 32768 scale, 8-bit ones as they are, CMYK counting from
// full ink down.
#include "host_shell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace {

constexpr std::int32_t kAdvanceToRequest = 2;
constexpr std::uint32_t kWidth = 5;
constexpr std::uint32_t kHeight = 4;
constexpr double kEditorWhite16 = 32768;

std::vector<std::uint8_t> cmykProfile() {
    const testsupport::TemporaryFolder folder;
    const auto path = folder / "cmyk.icc";
    color_test::writeCmykPrinterProfile(path, "CMYK printer");
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Samples that reach both ends of the range and odd values between.
host::Image patternImage(int channels, int bits) {
    host::Image image;
    image.width = kWidth;
    image.height = kHeight;
    image.channels = channels;
    image.bits = bits;
    image.resolutionX = image.resolutionY = 300;
    const std::uint32_t top = bits == 16 ? 65535 : 255;
    const std::size_t count = std::size_t{kWidth} * kHeight * static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < count; ++i) {
        image.samples.push_back(static_cast<std::uint16_t>(i == 0   ? 0
                                                           : i == 1 ? top
                                                                    : (i * 7919 + 13) % (top + 1)));
    }
    if (channels == 4) {
        image.iccProfile = cmykProfile();
    }
    return image;
}

// What the editor hands out for one sample of the image.
std::uint32_t editorValue(std::uint32_t sample, int channels, int bits) {
    const std::uint32_t value =
        bits == 16 ? static_cast<std::uint32_t>(std::lround(sample * kEditorWhite16 / 65535.0))
                   : sample;
    if (channels != 4) {
        return value;
    }
    return (bits == 16 ? static_cast<std::uint32_t>(kEditorWhite16) : 255) - value;
}

std::int32_t request(host::HostShell& shell, double left, double top, double width, double height) {
    CommonInfoTable* table = shell.table();
    const double rect[4] = {left, top, width, height};
    std::memcpy(table->print.rect, rect, sizeof rect);
    return table->advanceStateProc(table, kAdvanceToRequest, table->hostReference);
}

TEST(ImageEditorRows, TheRectangleComesInTheImagesModeAndTheEditorsScale) {
    struct Case {
        int channels;
        int bits;
    };
    const Case cases[] = {{3, 16}, {3, 8}, {1, 16}, {1, 8}, {4, 16}, {4, 8}};
    constexpr std::uint32_t kLeft = 1, kTop = 1, kRectWidth = 3, kRectHeight = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, " + std::to_string(c.bits) + " bits");
        const host::Image image = patternImage(c.channels, c.bits);
        std::string error;
        const auto shell =
            host::HostShell::create(image, host::HostType::ImageEditor, "pattern.tif", &error);
        ASSERT_NE(shell, nullptr) << error;
        ASSERT_EQ(request(*shell, kLeft, kTop, kRectWidth, kRectHeight), 0);

        const CommonInfoTable& table = *shell->table();
        const std::size_t bytes = static_cast<std::size_t>(c.bits / 8);
        const std::size_t rowBytes = kRectWidth * static_cast<std::size_t>(c.channels) * bytes;
        ASSERT_EQ(+table.print.rowBytes, rowBytes);
        const void* data = table.print.data;
        ASSERT_NE(data, nullptr);
        const auto* delivered = static_cast<const std::uint8_t*>(data);
        for (std::uint32_t y = 0; y < kRectHeight; ++y) {
            for (std::uint32_t x = 0; x < kRectWidth; ++x) {
                for (int channel = 0; channel < c.channels; ++channel) {
                    const std::size_t at =
                        y * rowBytes + (x * static_cast<std::size_t>(c.channels) +
                                        static_cast<std::size_t>(channel)) *
                                           bytes;
                    const std::uint32_t got =
                        bytes == 2 ? delivered[at] | delivered[at + 1] << 8 : delivered[at];
                    EXPECT_EQ(got, editorValue(image.sample(kLeft + x, kTop + y, channel),
                                               c.channels, c.bits))
                        << "pixel " << x << "," << y << " channel " << channel;
                }
            }
        }
    }
}

TEST(ImageEditorRows, ARectangleOutsideTheImageIsRefused) {
    std::string error;
    const auto shell =
        host::HostShell::create(patternImage(3, 16), host::HostType::ImageEditor, "p.tif", &error);
    ASSERT_NE(shell, nullptr) << error;
    EXPECT_NE(request(*shell, 3, 0, 3, 1), 0);  // one pixel past the right edge
    EXPECT_NE(request(*shell, 0, 3, 1, 2), 0);  // one row past the bottom
    EXPECT_NE(request(*shell, -1, 0, 1, 1), 0);
    EXPECT_NE(request(*shell, 0, 0, 0, 1), 0);
    EXPECT_EQ(request(*shell, 0, 0, kWidth, kHeight), 0);
}

}  // namespace
