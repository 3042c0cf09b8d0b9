#include "dialogs/small_views.h"

#include <gtest/gtest.h>

#include "cf/notification_center.h"
#include "scripted_port.h"

namespace {

using dialogs_test::ScriptedPort;

constexpr const char* kWindow = "Info";

TEST(ThumbnailRect, LongerSideFillsTheViewLessSixAndIsCentred) {
    const ui::Rect view{0, 0, 100, 80};
    EXPECT_EQ(dialogs::ThumbnailRect(view, 50, 50), (ui::Rect{13, 3, 74, 74}));
    EXPECT_EQ(dialogs::ThumbnailRect(view, 200, 100), (ui::Rect{3, 16.5, 94, 47}));
    EXPECT_EQ(dialogs::ThumbnailRect(view, 10, 20), (ui::Rect{31.5, 3, 37, 74}));
}

TEST(ThumbnailPixels, GreyRgbAndCmykBecomeRgb) {
    const auto grey = dialogs::ThumbnailPixels({0, 128}, 2, 1);
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->pixels, (std::vector<std::uint8_t>{0, 0, 0, 128, 128, 128}));
    const auto rgb = dialogs::ThumbnailPixels({1, 2, 3}, 1, 1);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->pixels, (std::vector<std::uint8_t>{1, 2, 3}));
    // Paper white, full cyan, full black, half magenta.
    const auto cmyk =
        dialogs::ThumbnailPixels({0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 0, 128, 0, 0}, 4, 1);
    ASSERT_TRUE(cmyk);
    EXPECT_EQ(cmyk->pixels,
              (std::vector<std::uint8_t>{255, 255, 255, 0, 255, 255, 0, 0, 0, 255, 127, 255}));
}

TEST(ThumbnailPixels, OtherLayoutsAreNotDrawn) {
    EXPECT_FALSE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(8), 2, 2));   // 2 samples
    EXPECT_FALSE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(20), 2, 2));  // 5 samples
    EXPECT_FALSE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(2), 2, 2));   // too short
    EXPECT_FALSE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(12), 0, 2));
    EXPECT_FALSE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(12), 2, 0));
    // Sides are held to 65536, so that their product never wraps (2^32 × 2^32 would be 0).
    constexpr std::uint64_t kHuge = std::uint64_t{1} << 32;
    EXPECT_FALSE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(3), kHuge, kHuge));
    EXPECT_FALSE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(3 * 65537), 65537, 1));
    EXPECT_TRUE(dialogs::ThumbnailPixels(std::vector<std::uint8_t>(3 * 65536), 65536, 1));
}

TEST(SmallImageView, DrawsTheThumbnailIntoItsRectOrOnlyTheGround) {
    ScriptedPort port;
    port.control(kWindow, "thumb").size = {100, 80};
    kSmallImageView view(port, kWindow, "thumb");
    const std::vector<std::uint8_t> rgb(200 * 100 * 3, 7);
    view.setPreviewImageData(rgb.data(), rgb.size(), 200, 100);
    const auto& drawn = port.control(kWindow, "thumb");
    EXPECT_EQ(drawn.where, (ui::Rect{3, 16.5, 94, 47}));
    EXPECT_EQ(drawn.picture.width, 200);
    const std::vector<std::uint8_t> twoSamples(200 * 100 * 2, 7);
    view.setPreviewImageData(twoSamples.data(), twoSamples.size(), 200, 100);
    EXPECT_TRUE(drawn.picture.empty());
    view.setPreviewImageData(nullptr, 0, 0, 0);
    EXPECT_TRUE(drawn.picture.empty());
    EXPECT_EQ(drawn.drawings, 3);
}

TEST(QuartzView, ShowsTheColourAtOnce) {
    ScriptedPort port;
    MyQuartzView swatch(port, kWindow, "swatch");
    swatch.setColor(0.25, 0.5, 1.0);
    const auto& shown = port.control(kWindow, "swatch").swatch;
    EXPECT_EQ((std::vector<double>{shown[0], shown[1], shown[2]}),
              (std::vector<double>{0.25, 0.5, 1.0}));
}

TEST(MarkerMask, OnlyExactMagentaBecomesTransparent) {
    const ui::RgbaImage marker{3, 1, {255, 0, 255, 255, 255, 0, 252, 255, 0, 0, 0, 255}};
    const ui::RgbaImage mask = dialogs::MarkerMask(marker);
    EXPECT_EQ(mask.pixels,
              (std::vector<std::uint8_t>{255, 255, 255, 0, 255, 0, 252, 255, 0, 0, 0, 255}));
}

TEST(ToneBuffer, CopiesOnlyTheOverlapOfAnyPicture) {
    // A 2 × 2 picture into a 3 × 1 view: one row, two columns copied, the rest black.
    const ui::RgbaImage picture{2, 2, {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255}};
    const ui::RgbImage buffer = dialogs::ToneBuffer(picture, 3, 1);
    EXPECT_EQ(buffer.pixels, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 0, 0, 0}));
    // A picture whose bytes fall short is not read.
    const ui::RgbaImage torn{2, 2, {1, 2, 3}};
    EXPECT_EQ(dialogs::ToneBuffer(torn, 2, 1).pixels, std::vector<std::uint8_t>(6, 0));
}

TEST(PlaceMarker, CentresOnThePointAndStaysInsideTheView) {
    const ui::Size marker{11, 11};
    const ui::Size view{201, 81};
    const auto centre = dialogs::PlaceMarker(100, 40, marker, view);
    EXPECT_EQ(centre.origin, (ui::Point{95, 35}));
    EXPECT_EQ(std::pair(centre.x, centre.y), std::pair(100, 40));
    const auto corner = dialogs::PlaceMarker(-20, -20, marker, view);
    EXPECT_EQ(std::pair(corner.x, corner.y), std::pair(0, 0));
    const auto beyond = dialogs::PlaceMarker(500, 500, marker, view);
    EXPECT_EQ(std::pair(beyond.x, beyond.y), std::pair(200, 80));
}

struct TonePicker : ::testing::Test {
    TonePicker() {
        ui::RgbaImage tones{201, 81, {}};
        for (int y = 0; y < 81; ++y) {
            for (int x = 0; x < 201; ++x) {
                tones.pixels.insert(tones.pixels.end(), {static_cast<std::uint8_t>(x),
                                                         static_cast<std::uint8_t>(y), 9, 255});
            }
        }
        port.pictures[MyMonoImageView::kTonePicture] = tones;
        port.pictures[MyMonoImageView::kMarkerPicture] =
            ui::RgbaImage{11, 11, std::vector<std::uint8_t>(11 * 11 * 4, 255)};
        picker.awakeFromNib([this] { ++released; });
    }
    std::pair<int, int> value() const {
        std::int32_t x = 0, y = 0;
        picker.getValue(&x, &y);
        return {x, y};
    }
    ScriptedPort port;
    MyMonoImageView picker{port, kWindow, "picker"};
    int released = 0;
};

TEST_F(TonePicker, MouseAndValuesMapToTheToneRange) {
    int moves = 0;
    auto observer = cf::NotificationCenter::defaultCenter().addObserver(
        MyMonoImageView::kCursorChangeNotification, nullptr,
        [&](const cf::Notification&) { ++moves; });
    port.mouse(kWindow, "picker", ui::MousePhase::down, {0.7, 0.2});
    EXPECT_EQ(value(), std::pair(-100, -40));
    port.mouse(kWindow, "picker", ui::MousePhase::dragged, {400, 40});
    EXPECT_EQ(value(), std::pair(100, 0));
    EXPECT_EQ(value(), std::pair(100, 0));
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(released, 0);
    port.mouse(kWindow, "picker", ui::MousePhase::up, {150, 60});
    EXPECT_EQ(value(), std::pair(50, 20));
    EXPECT_EQ(released, 1);
    EXPECT_EQ(moves, 2);
    picker.setValue(0, 0);
    EXPECT_EQ(value(), std::pair(0, 0));
    EXPECT_EQ(port.control(kWindow, "picker").markerOrigin, (ui::Point{95, 35}));
}

TEST_F(TonePicker, PixelLookupAndItsLimits) {
    std::int32_t rgb = 0;
    EXPECT_EQ(picker.getPixelRGB(7, 3, 201, 81, &rgb), 0);
    EXPECT_EQ(rgb, 7 * 65536 + 3 * 256 + 9);
    std::int16_t r = 0, g = 0, b = 0;
    MyMonoImageView::getRGB(rgb, &r, &g, &b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{7, 3, 9}));
    // Outside the size given, and outside the buffer although inside a larger size given.
    EXPECT_EQ(picker.getPixelRGB(201, 0, 201, 81, &rgb), 0);
    EXPECT_EQ(rgb, -1);
    EXPECT_EQ(picker.getPixelRGB(300, 100, 1000, 1000, &rgb), 0);
    EXPECT_EQ(rgb, -1);
    EXPECT_EQ(picker.getPixelRGB(0, 0, 201, 81, nullptr), -108);
    picker.terminate();
    EXPECT_EQ(picker.getPixelRGB(0, 0, 201, 81, &rgb), -108);
}

TEST(TonePickerWithoutPictures, PlacesNothing) {
    ScriptedPort port;
    MyMonoImageView picker{port, kWindow, "picker"};
    picker.awakeFromNib(nullptr);
    picker.setValue(10, 10);
    std::int32_t x = 1, y = 1;
    picker.getValue(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(-100, -40));  // never placed: the corner
    EXPECT_EQ(port.control(kWindow, "picker").drawings, 0);
}

}  // namespace
