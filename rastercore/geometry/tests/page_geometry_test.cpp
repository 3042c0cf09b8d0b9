// Page geometry: paper names and ids, size limits by class and source, custom and user sizes,
// model resolutions, margins, roll-width names and caption sizes.
#include "geometry/page_geometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "command/cmd_info.h"
#include "record/color_info.h"
#include "record/job_context.h"

namespace {

struct Geometry {
    std::unique_ptr<PLGContext> context = std::make_unique<PLGContext>();
    std::unique_ptr<Cmd_Info> info = std::make_unique<Cmd_Info>();
    Color_Info color{};

    Geometry() {
        context->cmdInfo = info.get();
        context->colorInfo = &color;
        context->outputResolution[0] = context->outputResolution[1] = 300;
    }
};

TEST(PaperSize, NamesAndStoredIds) {
    struct Case {
        std::int32_t id;
        const char* name;
        std::int16_t stored;
    };
    const Case cases[] = {
        {1, "ISO_A3", 1},         {2, "ISO_A4", 2},         {10002, "ISO_A4", 2},
        {14, "JPOST", 14},        {45, "DIN_C4", 45},       {71, "ISO_A3_PLUS", 71},
        {101, "PHOTO_8X10", 101}, {110, "ARCH_E", 110},     {117, "A3_PLUSPLUS", 117},
        {128, "INCH_10X15", 128}, {129, "INCH_17X24", 135}, {10129, "INCH_17X24", 135},
        {135, "INCH_17X24", 135}, {134, "MM_300X900", 134}, {133, "INCH_60X84", 133},
    };
    for (const Case& c : cases) {
        Geometry g;
        std::strcpy(g.info->paperName, "X_");
        EXPECT_EQ(PLG_Get_PaperSize(g.context.get(), g.info.get(), c.id), 0);
        EXPECT_EQ(std::string(g.info->paperName), std::string("X_") + c.name) << c.id;
        EXPECT_EQ(g.info->paperSizeCode, c.stored) << c.id;
    }
}

TEST(PaperSize, UnlistedIdsChangeNothing) {
    for (const std::int32_t id : {0, 3, 15, 120, 136, 10019, 10000, 20002, -1}) {
        Geometry g;
        g.info->paperSizeCode = 77;
        EXPECT_EQ(PLG_Get_PaperSize(g.context.get(), g.info.get(), id), 0);
        EXPECT_STREQ(g.info->paperName, "") << id;
        EXPECT_EQ(g.info->paperSizeCode, 77) << id;
    }
}

TEST(PaperSize, NameNeverRunsPastItsField) {
    Geometry g;
    std::memset(g.info->paperName, 'A', kPaperNameMax - 2);
    PLG_Get_PaperSize(g.context.get(), g.info.get(), 2);
    EXPECT_EQ(std::strlen(g.info->paperName), std::size_t{kPaperNameMax});

    // A field filled to its last byte, without a terminator: the name is cut at the field and
    // the settings behind it stay as they were.
    const struct {
        const char* what;
        void (*append)(Geometry&);
    } appends[] = {
        {"listed paper", [](Geometry& g) { PLG_Get_PaperSize(g.context.get(), g.info.get(), 2); }},
        {"custom paper",
         [](Geometry& g) { PLG_Get_PaperSize(g.context.get(), g.info.get(), kPaperIdCustom); }},
        {"user size",
         [](Geometry& g) { PLG_Get_UserPaperSize(g.context.get(), g.info.get(), 1000, 1000); }},
    };
    for (const auto& a : appends) {
        Geometry full;
        std::memset(full.info->paperName, 'A', sizeof full.info->paperName);
        full.info->leftMargin = 0x02020202;
        full.info->topMargin = 0x03030303;
        a.append(full);
        EXPECT_EQ(std::string(full.info->paperName), std::string(kPaperNameMax, 'A')) << a.what;
        EXPECT_EQ(full.info->leftMargin, 0x02020202) << a.what;
        EXPECT_EQ(full.info->topMargin, 0x03030303) << a.what;
    }
}

struct LimitCase {
    std::int32_t paperClass;
    std::uint32_t source;
    std::uint32_t minWidth, minLength, maxWidth, maxLength;
};

TEST(PaperSize, LimitsByClassAndSource) {
    const LimitCase cases[] = {
        {2, 0x0001, 2032, 2032, 15240, 180000}, {2, 0x0010, 2032, 2032, 15240, 16000},
        {3, 0x0100, 2032, 2032, 11176, 180000}, {3, 0x1000, 2032, 2032, 11176, 16000},
        {4, 0x0100, 2032, 2032, 11180, 180000}, {4, 0x0010, 2032, 2032, 11180, 16000},
        {5, 0x0200, 2032, 2032, 6100, 180000},  {5, 0x0001, 2032, 2790, 6100, 16000},
        {8, 0x0400, 2032, 2032, 6100, 180000},  {8, 0x0010, 2032, 2794, 6100, 16000},
        {6, 0x0100, 2032, 2032, 4320, 180000},  {6, 0x0004, 2032, 2540, 4320, 5940},
        {6, 0x0010, 2032, 2790, 4320, 16000},   {1, 0x0800, 2032, 2032, 4320, 180000},
        {7, 0x0001, 2032, 2540, 4320, 5940},    {7, 0x0020, 2032, 2790, 4320, 6096},
        {0, 0x0010, 2032, 2032, 6096, 14000},   {9, 0x0001, 2032, 2032, 6096, 180000},
    };
    for (const LimitCase& c : cases) {
        Geometry g;
        g.context->modelTable.MediaMaxMin = c.paperClass;
        g.info->paperSourceMask = c.source;
        std::uint32_t limits[4] = {};
        EXPECT_EQ(PLG_Get_MinMax_PaperSize(g.context.get(), &limits[0], &limits[1], &limits[2],
                                           &limits[3]),
                  0);
        EXPECT_EQ(limits[0], c.minWidth) << c.paperClass << " " << c.source;
        EXPECT_EQ(limits[1], c.minLength) << c.paperClass << " " << c.source;
        EXPECT_EQ(limits[2], c.maxWidth) << c.paperClass << " " << c.source;
        EXPECT_EQ(limits[3], c.maxLength) << c.paperClass << " " << c.source;
    }
}

// A custom page: image of `imageLines` working pixels between the record's margins.
struct CustomCase {
    const char* what;
    std::int32_t imageLines;
    std::int32_t top, bottom;
    std::uint8_t fitted;
    std::uint8_t caption;
    std::int16_t captionKind;
    std::uint8_t rotate;
    std::int32_t paperClass;
    std::uint32_t source;
    std::int32_t paperWidth;
    std::int32_t length, width;
};

TEST(PaperSize, CustomSizeFromImageAndMargins) {
    const CustomCase cases[] = {
        // 600 px at 300 dpi is 508; margins 280: 788, raised to the class's minimum length.
        {"raised to minimum", 600, 50, 230, 0, 0, 0, 0, 5, 0x0001, 3000, 2790, 3000},
        {"roll: plain sum", 6000, 50, 230, 0, 0, 0, 0, 5, 0x0100, 3000, 5080 + 280, 3000},
        {"fitted doubles the larger margin", 6000, 50, 230, 1, 0, 0, 0, 5, 0x0100, 3000, 5080 + 460,
         3000},
        {"cut to the roll maximum", 3000000, 50, 230, 0, 0, 0, 0, 5, 0x0100, 3000, 180000, 3000},
        {"caption on its long side", 6000, 230, 50, 0, 1, 1, 0, 5, 0x0100, 3000, 5360 + 100, 3000},
        {"caption at bottom, equal margins", 6000, 50, 50, 0, 1, 2, 0, 5, 0x0100, 3000, 5180 + 100,
         3000},
        {"caption on the short side, near margins", 6000, 50, 120, 0, 1, 1, 0, 5, 0x0100, 3000,
         5080 + 170 + 30, 3000},
        {"caption on the short side, far margins", 6000, 50, 230, 0, 1, 1, 0, 5, 0x0100, 3000,
         5080 + 280, 3000},
        {"turned: no caption room", 6000, 230, 50, 0, 1, 1, 1, 5, 0x0100, 3000, 5360, 3000},
        {"width raised", 6000, 50, 50, 0, 0, 0, 0, 5, 0x0100, 1000, 5180, 2032},
        {"width cut", 6000, 50, 50, 0, 0, 0, 0, 5, 0x0100, 9000, 5180, 6100},
    };
    for (const CustomCase& c : cases) {
        Geometry g;
        g.context->imageRect = {100, 0, 100 + c.imageLines, 500};
        g.info->topMargin = c.top;
        g.info->bottomMargin = c.bottom;
        g.context->expansionReduction = g.context->fitType = c.fitted;
        g.context->captionFlag = c.caption;
        g.context->captionKind = c.captionKind;
        g.context->rotate = c.rotate;
        g.context->modelTable.MediaMaxMin = c.paperClass;
        g.info->paperSourceMask = c.source;
        g.context->paperWidth = c.paperWidth;
        EXPECT_EQ(PLG_Get_PaperSize(g.context.get(), g.info.get(), kPaperIdCustom), 0);
        EXPECT_STREQ(g.info->paperName, "CUSTOM") << c.what;
        EXPECT_EQ(g.info->paperSizeCode, kPaperIdCustom) << c.what;
        EXPECT_EQ(g.info->paperLength, c.length) << c.what;
        EXPECT_EQ(g.info->paperWidth, c.width) << c.what;
    }
}

TEST(PaperSize, UserSizeClampedToLimits) {
    struct Case {
        std::int32_t width, length, expectWidth, expectLength;
    };
    const Case cases[] = {{3000, 4000, 3000, 4000},
                          {100, 100, 2032, 2790},
                          {99999, 99999, 6100, 16000},
                          {-5, -5, 2032, 2790}};
    for (const Case& c : cases) {
        Geometry g;
        g.context->modelTable.MediaMaxMin = 5;
        g.info->paperSourceMask = 0x0001;
        std::strcpy(g.info->paperName, "P:");
        EXPECT_EQ(PLG_Get_UserPaperSize(g.context.get(), g.info.get(), c.width, c.length), 0);
        EXPECT_STREQ(g.info->paperName, "P:CUSTOM");
        EXPECT_EQ(g.info->paperWidth, c.expectWidth);
        EXPECT_EQ(g.info->paperLength, c.expectLength);
    }
}

TEST(PeculiarDpi, ByResolutionKind) {
    struct Case {
        std::int32_t kind, input;
        std::uint16_t h, v;
    };
    const Case cases[] = {{1, 1, 300, 300},  {1, 2, 600, 600}, {3, 1, 300, 300}, {3, 0, 600, 600},
                          {2, 1, 600, 1200}, {0, 1, 7, 9},     {4, 2, 7, 9}};
    for (const Case& c : cases) {
        ModelAtlasTbl model{};
        model.DPIType = c.kind;
        std::uint16_t h = 7;
        std::uint16_t v = 9;
        EXPECT_EQ(PLG_Get_Peculiar_DPI(&model, c.input, &h, &v), 0);
        EXPECT_EQ(h, c.h) << c.kind << " " << c.input;
        EXPECT_EQ(v, c.v) << c.kind << " " << c.input;
    }
    EXPECT_EQ(PLG_Printer_Distinction("any printer"), 0);
}

TEST(MarginSize, ByKindSourceAndBorderless) {
    struct Case {
        std::int32_t kind;
        std::uint8_t borderless;
        std::uint32_t source;
        std::int32_t result;
        TARNMarginSize margins;
    };
    constexpr TARNMarginSize kUntouched{1, 2, 3, 4};
    const Case cases[] = {
        {1, 0, 0x1, -1, kUntouched},          {1, 1, 0x1, -1, kUntouched},
        {2, 0, 0x1, 0, {50, 50, 200, 230}},   {3, 0, 0x100, 0, {50, 50, 50, 50}},
        {3, 0, 0x1000, 0, {50, 50, 50, 230}}, {4, 0, 0x10, 0, {30, 30, 30, 30}},
        {4, 0, 0x1000, 0, {30, 30, 30, 230}}, {2, 1, 0x1, 0, {-30, -30, -30, -30}},
        {3, 1, 0x1, 0, {-30, -30, -30, -30}}, {4, 1, 0x1, 0, {-30, -30, -30, -30}},
        {0, 0, 0x1, 0, kUntouched},           {5, 1, 0x1, 0, kUntouched},
    };
    for (const Case& c : cases) {
        Geometry g;
        g.context->modelTable.MarginSize = c.kind;
        g.info->paperSourceMask = c.source;
        TARNMarginSize margins = kUntouched;
        EXPECT_EQ(PLG_Get_MarginSize(g.context.get(), c.borderless, &margins), c.result);
        EXPECT_EQ(margins.side1, c.margins.side1) << c.kind << " " << c.source;
        EXPECT_EQ(margins.side2, c.margins.side2) << c.kind << " " << c.source;
        EXPECT_EQ(margins.top, c.margins.top) << c.kind << " " << c.source;
        EXPECT_EQ(margins.bottom, c.margins.bottom) << c.kind << " " << c.source;
    }
}

TEST(RollWidth, NamesByInclusiveRange) {
    struct Case {
        std::int32_t width;
        const char* name;
    };
    const Case cases[] = {
        {2012, "PHOTO_8X10"}, {2040, "PHOTO_8X10"}, {2052, "PHOTO_8X10"},  {2053, "OLD"},
        {2011, "OLD"},        {2565, "INCH_10X12"}, {2566, "JIS_B4"},      {3000, "MM_300X900"},
        {6096, "ARCH_D"},     {8420, "ISO_A0"},     {15392, "INCH_60X84"}, {15393, "OLD"},
        {0, "OLD"},           {-2040, "OLD"},
    };
    for (const Case& c : cases) {
        Geometry g;
        std::strcpy(g.info->rollWidth, "OLD");
        g.context->paperWidth = c.width;
        EXPECT_EQ(PLG_Get_RollWidth(g.context.get(), g.info.get(), nullptr), 0);
        EXPECT_STREQ(g.info->rollWidth, c.name) << c.width;
    }
    Geometry g;
    EXPECT_EQ(PLG_Get_RollWidth(g.context.get(), nullptr, nullptr), -1);
}

TEST(CaptionSize, BytesPerPixelByFormatAndGreyCaption) {
    struct Case {
        std::uint8_t depthCode;
        bool greyAllowed;
        std::int32_t greyModel;
        std::int32_t colorMode;
        std::uint32_t size;
    };
    const Case cases[] = {
        {1, false, 1, 3, 10 * 4 * 3}, {3, false, 0, 1, 10 * 4 * 3}, {2, false, 0, 1, 10 * 4 * 6},
        {4, false, 1, 3, 10 * 4 * 6}, {1, true, 1, 3, 10 * 4 * 1},  {4, true, 1, 3, 10 * 4 * 2},
        {1, true, 0, 3, 10 * 4 * 3},  {2, true, 1, 1, 10 * 4 * 6},  {0, false, 0, 1, 0},
        {5, true, 1, 3, 0},
    };
    for (const Case& c : cases) {
        Geometry g;
        g.context->depthCode = c.depthCode;
        g.context->modelTable.TNR2_T_RGB_Y = c.greyModel;
        g.color.colorMode = c.colorMode;
        EXPECT_EQ(PLG_Get_CaptionSize(g.context.get(), 10, 4, c.greyAllowed), c.size)
            << int(c.depthCode) << " " << c.greyAllowed;
    }
}

TEST(CaptionSize, NegativeOrHugeSizesGiveNone) {
    Geometry g;
    g.context->depthCode = 4;
    EXPECT_EQ(PLG_Get_CaptionSize(g.context.get(), -10, 4, false), 0u);
    EXPECT_EQ(PLG_Get_CaptionSize(g.context.get(), 100000, 100000, false), 0u);
}

}  // namespace
