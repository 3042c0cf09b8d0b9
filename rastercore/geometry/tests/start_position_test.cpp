// The raster origin: image or caption first, nothing printed, and printer dots.
#include "geometry/start_position.h"

#include <gtest/gtest.h>

#include <memory>

#include "command/cmd_info.h"
#include "record/job_context.h"

namespace {

TEST(StartPosition, TheFirstAreaInPrinterDots) {
    const struct {
        const char* what;
        TARNRect image;
        bool printed;
        bool caption;
        TARNRect captionRect;
        std::uint16_t printerDpi;
        std::int32_t x, y;
    } cases[] = {
        {"image alone", {30, 16, 130, 116}, true, false, {}, 300, 16, 30},
        {"caption above", {60, 16, 160, 116}, true, true, {10, 40, 50, 90}, 300, 40, 10},
        {"caption below", {10, 16, 110, 116}, true, true, {120, 8, 150, 90}, 300, 16, 10},
        {"same first line: the further left",
         {10, 16, 110, 116},
         true,
         true,
         {10, 8, 40, 90},
         300,
         8,
         10},
        {"same first line, image further left",
         {10, 8, 110, 116},
         true,
         true,
         {10, 16, 40, 90},
         300,
         8,
         10},
        {"nothing printed, caption", {0, 0, 0, 0}, false, true, {5, 24, 30, 60}, 300, 24, 5},
        {"nothing printed at all", {30, 16, 130, 116}, false, false, {}, 300, 0, 0},
        {"printer at twice the working dpi", {30, 16, 130, 116}, true, false, {}, 600, 32, 60},
        {"printer at half", {31, 17, 130, 116}, true, false, {}, 150, 8, 15},
        {"never before the page", {-8, -16, 100, 100}, true, false, {}, 300, 0, 0},
    };
    for (const auto& c : cases) {
        auto context = std::make_unique<PLGContext>();
        Cmd_Info info{};
        context->cmdInfo = &info;
        info.graphicsResolution[0] = info.graphicsResolution[1] = c.printerDpi;
        context->outputResolution[0] = context->outputResolution[1] = 300;
        context->imageRect = c.image;
        context->sourceWidth = context->sourceHeight = c.printed ? 100 : 0;
        context->captionFlag = c.caption ? 1 : 0;
        context->captionRect = c.captionRect;
        std::int32_t x = -1;
        std::int32_t y = -1;
        EXPECT_EQ(PLG_Get_Start_Position(context.get(), &x, &y), 0) << c.what;
        EXPECT_EQ(x, c.x) << c.what;
        EXPECT_EQ(y, c.y) << c.what;
    }
    std::int32_t x = 0;
    EXPECT_EQ(PLG_Get_Start_Position(nullptr, &x, &x), -1);
}

}  // namespace
