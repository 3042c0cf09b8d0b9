// Line counts of a page: lines to send, where image and caption start, the first raster width.
#include "band/line_layout.h"

#include <gtest/gtest.h>

#include <memory>

#include "record/job_context.h"

namespace {

struct LayoutCase {
    const char* what;
    TARNRect image;
    bool caption;
    TARNRect caption_;
    std::int32_t lineCap;     // model value 17
    double resolution;        // vertical working dpi
    std::int32_t lines;       // expected
    std::int32_t imageStart;  // expected
    std::int32_t captionStart;
    std::int32_t startWidth;
};

TEST(LineLayout, LinesStartsAndFirstWidth) {
    const LayoutCase cases[] = {
        {"no caption", {10, 5, 110, 65}, false, {}, 0, 300, 100, 0, 0, 60},
        {"caption below, apart", {0, 0, 100, 60}, true, {150, 8, 170, 48}, 0, 300, 120, 0, 100, 60},
        {"caption above, apart", {50, 0, 150, 60}, true, {0, 8, 20, 48}, 0, 300, 120, 20, 0, 40},
        {"caption touching above", {20, 0, 120, 60}, true, {0, 8, 20, 48}, 0, 300, 120, 20, 0, 40},
        {"overlap, image first", {0, 0, 100, 60}, true, {90, 40, 130, 90}, 0, 300, 130, 0, 90, 60},
        {"overlap, caption first", {10, 16, 100, 60}, true, {0, 0, 30, 40}, 0, 300, 100, 10, 0, 40},
        {"overlap, same first line", {0, 16, 100, 60}, true, {0, 0, 30, 40}, 0, 300, 100, 0, 0, 60},
        {"caption inside", {0, 0, 100, 60}, true, {40, 0, 60, 60}, 0, 300, 100, 0, 40, 60},
        {"cap 1 at 300 dpi", {0, 0, 300000, 60}, false, {}, 1, 300, 212598, 0, 0, 60},
        {"cap 1 at 600 dpi", {0, 0, 500000, 60}, false, {}, 1, 600, 425196, 0, 0, 60},
        {"cap 2 at 600 dpi", {0, 0, 500000, 60}, false, {}, 2, 600, 425196, 0, 0, 60},
        {"cap 2 not reached", {0, 0, 1000, 60}, false, {}, 2, 600, 1000, 0, 0, 60},
        {"other model: no cap", {0, 0, 500000, 60}, false, {}, 3, 300, 500000, 0, 0, 60},
        {"cap with caption apart",
         {0, 0, 212590, 60},
         true,
         {212600, 0, 212620, 40},
         1,
         300,
         212598,
         0,
         212590,
         60},
    };
    for (const LayoutCase& c : cases) {
        auto context = std::make_unique<PLGContext>();
        context->imageRect = c.image;
        context->captionFlag = c.caption ? 1 : 0;
        context->captionRect = c.caption_;
        context->modelTable.MaxLineNum = c.lineCap;
        context->outputResolution[1] = c.resolution;
        std::int32_t lines = -1;
        std::int32_t imageLines = -1;
        EXPECT_EQ(PLG_Get_Send_Line(context.get(), &lines, &imageLines), 0);
        EXPECT_EQ(lines, c.lines) << c.what;
        EXPECT_EQ(imageLines, c.image.bottom - c.image.top) << c.what;
        std::int32_t imageStart = -1;
        std::int32_t captionStart = -1;
        EXPECT_EQ(PLG_Get_Start_Line(context.get(), lines, imageLines, &imageStart, &captionStart),
                  0);
        EXPECT_EQ(imageStart, c.imageStart) << c.what;
        EXPECT_EQ(captionStart, c.captionStart) << c.what;
        std::int32_t width = -1;
        EXPECT_EQ(PLG_Get_Start_SrcWidth(context.get(), imageStart, captionStart, &width), 0);
        EXPECT_EQ(width, c.startWidth) << c.what;
    }
}

}  // namespace
