// The PJL settings of the job header for the paper, source and model variants.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "command/tarn_cmd.h"
#include "generator_fixture.h"
#include "rastercore/result_codes.h"

namespace {

using commandtest::GeneratorFixture;

// The "@PJL SET" lines of a job header, without the prefix.
std::vector<std::string> settings(const commandtest::Bytes& header) {
    const std::string text(header.begin(), header.end());
    const std::string from = "@PJL RESET\n";
    const std::size_t start = text.find(from) + from.size();
    std::istringstream lines(text.substr(start, text.find("\x1B%0A") - start));
    std::vector<std::string> out;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("@PJL SET ", 0), 0u) << line;
        out.push_back(line.substr(9));
    }
    return out;
}

const std::vector<std::string> kMargins = {"TOPMARGIN=30", "BOTTOMMARGIN=40", "LEFTMARGIN=10",
                                           "RIGHTMARGIN=20"};

std::vector<std::string> join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

TEST(PjlHeader, SettingsByPaperSourceAndModel) {
    const std::vector<std::string> head = {"HRESOLUTION=1200", "VRESOLUTION=1200", "PAPER=ISO_A4"};
    const std::vector<std::string> plain = {"SAVE_PAPER=OFF", "BANNER=OFF"};
    const struct {
        const char* what;
        std::function<void(Cmd_Info&, PLGContext&)> set;
        std::vector<std::string> expected;
    } cases[] = {
        {"short edge", [](Cmd_Info&, PLGContext&) {},
         join({head, {"PAPERORIENT=SHORTEDGE"}, kMargins, plain, {"CUTMEDIA_CENTER=0"}})},
        {"long edge", [](Cmd_Info& i, PLGContext&) { i.paperOrientation = 2; },
         join({head, {"PAPERORIENT=LONGEDGE"}, kMargins, plain, {"CUTMEDIA_CENTER=0"}})},
        {"custom size: length before width, no orientation",
         [](Cmd_Info& i, PLGContext&) {
             std::strcpy(i.paperName, "USER_CUSTOM");
             i.paperLength = 2970;
             i.paperWidth = 2100;
             i.paperOrientation = 3;
         },
         join({{"HRESOLUTION=1200", "VRESOLUTION=1200", "PAPER=USER_CUSTOM", "PAPERLENGTH=2970",
                "PAPERWIDTH=2100"},
               kMargins,
               plain,
               {"CUTMEDIA_CENTER=0"}})},
        {"roll source, banner, save paper, SSC adjustment",
         [](Cmd_Info& i, PLGContext&) {
             i.paperSourceMask = 0x0200;
             i.banner = 1;
             i.savePaper = 1;
             i.sscAdjustment = -2;
             i.centering = 1;
         },
         join({head,
               {"PAPERORIENT=SHORTEDGE"},
               kMargins,
               {"SAVE_PAPER=ON", "BANNER=ON", "BANNERLENGTH=0", "ADJUST_SSC=-2",
                "ROLLMEDIA_CENTER=1"}})},
        {"cut-sheet and roll bits: cut sheet",
         [](Cmd_Info& i, PLGContext&) { i.paperSourceMask = 0x1100; },
         join({head, {"PAPERORIENT=SHORTEDGE"}, kMargins, plain, {"CUTMEDIA_CENTER=0"}})},
        {"variant 1: ink type, roll width, single SSC",
         [](Cmd_Info& i, PLGContext& c) {
             c.modelTable.INKTYPE_ROLLWIDTH = 1;
             c.modelTable.SINGLE_SSC = 1;
             i.inkType = 1;
             std::strcpy(i.rollWidth, "1118");
             i.singleSSC = 4;
         },
         join({head,
               {"PAPERORIENT=SHORTEDGE"},
               kMargins,
               plain,
               {"CUTMEDIA_CENTER=0", "INKTYPE=1", "ROLLWIDTH=1118", "SINGLE_SSC=4"}})},
        {"variant 2: no ink type; single SSC 0 is sent",
         [](Cmd_Info& i, PLGContext& c) {
             c.modelTable.INKTYPE_ROLLWIDTH = 2;
             c.modelTable.SINGLE_SSC = 1;
             std::strcpy(i.rollWidth, "610");
             i.singleSSC = 0;
         },
         join({head,
               {"PAPERORIENT=SHORTEDGE"},
               kMargins,
               plain,
               {"CUTMEDIA_CENTER=0", "ROLLWIDTH=610", "SINGLE_SSC=0"}})},
        {"variant 1, empty roll width, single SSC -1",
         [](Cmd_Info&, PLGContext& c) {
             c.modelTable.INKTYPE_ROLLWIDTH = 1;
             c.modelTable.SINGLE_SSC = 1;
         },
         join({head,
               {"PAPERORIENT=SHORTEDGE"},
               kMargins,
               plain,
               {"CUTMEDIA_CENTER=0", "INKTYPE=0"}})},
        {"model without single SSC",
         [](Cmd_Info& i, PLGContext& c) {
             c.modelTable.INKTYPE_ROLLWIDTH = 2;
             i.singleSSC = 4;
         },
         join({head, {"PAPERORIENT=SHORTEDGE"}, kMargins, plain, {"CUTMEDIA_CENTER=0"}})},
        {"variant 0 sends no model settings",
         [](Cmd_Info& i, PLGContext& c) {
             c.modelTable.SINGLE_SSC = 1;
             std::strcpy(i.rollWidth, "610");
             i.singleSSC = 4;
         },
         join({head, {"PAPERORIENT=SHORTEDGE"}, kMargins, plain, {"CUTMEDIA_CENTER=0"}})},
    };
    for (const auto& c : cases) {
        GeneratorFixture f;
        f.info->leftMargin = 10;
        f.info->rightMargin = 20;
        f.info->topMargin = 30;
        f.info->bottomMargin = 40;
        c.set(*f.info, *f.context);
        std::int32_t result = -1;
        const auto header = f.run(tarn_Cmd_BeginJob, &result);
        ASSERT_EQ(result, 0) << c.what;
        EXPECT_EQ(settings(header), c.expected) << c.what;
    }
}

TEST(PjlHeader, RefusedSettingsWriteNothing) {
    static const std::uint8_t table[4] = {1, 2, 3, 4};
    const struct {
        const char* what;
        std::function<void(Cmd_Info&)> set;
    } cases[] = {
        {"orientation 3 with a standard paper", [](Cmd_Info& i) { i.paperOrientation = 3; }},
        {"orientation 0", [](Cmd_Info& i) { i.paperOrientation = 0; }},
        {"no paper-source bit", [](Cmd_Info& i) { i.paperSourceMask = 0; }},
        {"only bits above the sources", [](Cmd_Info& i) { i.paperSourceMask = 0x10000; }},
        {"table length without bytes",
         [](Cmd_Info& i) {
             i.generalData[3] = {4, nullptr};
         }},
    };
    for (const auto& c : cases) {
        GeneratorFixture f;
        f.info->generalData[0] = {4, table};
        c.set(*f.info);
        std::int32_t result = 0;
        EXPECT_TRUE(f.run(tarn_Cmd_BeginJob, &result).empty()) << c.what;
        EXPECT_EQ(result, rastercore::kCommandBadArgument) << c.what;
    }
}

TEST(PjlHeader, FullTextFieldsAreCutAtTheirSize) {
    // A paper name that fills its field without a terminator is printed up to the field's end.
    GeneratorFixture f;
    std::memset(f.info->paperName, 'P', sizeof f.info->paperName);
    const auto lines = settings(f.run(tarn_Cmd_BeginJob));
    EXPECT_EQ(lines[2], "PAPER=" + std::string(sizeof f.info->paperName, 'P'));
}

}  // namespace
