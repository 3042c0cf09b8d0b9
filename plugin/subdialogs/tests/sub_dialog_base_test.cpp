// The sub-dialog base through the scripted port: the show template, OK, Cancel, Defaults and
// Help, the window centred before its run, and the key window afterwards.
#include "subdialogs/sub_dialog_base.h"

#include <gtest/gtest.h>

#include <cstring>

#include "sample_sub_dialog.h"
#include "scripted_port.h"
#include "support/model_atlas_host.h"

namespace {

using dialogs_test::ScriptedPort;
using dialogs_test::TableStrings;
using namespace subdialogs_test;

constexpr char kMainWindow[] = "PLMainUI";
constexpr char kShortName[] = "SL-7440";
constexpr std::int32_t kShippedPrinter = 7440;
constexpr std::int32_t kUnknownPrinter = 4711;

bool sameBytes(const SampleRecord& a, const SampleRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class SubDialog : public testing::Test {
  protected:
    SubDialog() {
        port.layouts.insert(kSampleDialog);
        port.layouts.insert(kMainWindow);
        port.loadWindow(kMainWindow);
        port.key = kMainWindow;
        auto& window = port.windows[kSampleDialog];
        window.frame = {0, 0, 300, 200};
        window.visibleFrame = {0, 0, 1000, 700};
    }
    /// The user's acts while the dialog runs, after the run delivered the calls posted to it;
    /// the dialog's window is key meanwhile.
    void whileRunning(std::function<void()> acts) {
        port.userDuringModalRun = [this, acts = std::move(acts)] {
            alphaAtStart = port.windows[kSampleDialog].alpha;
            port.runPosted();
            port.key = kSampleDialog;
            acts();
        };
    }
    void click(const char* button) { port.click(kSampleDialog, button); }
    std::string shownCopies() { return port.control(kSampleDialog, kCopiesField).text; }

    testsupport::ModelAtlasHost atlas_{ATLAS_SHIPPED_SHELL};
    ScriptedPort port;
    TableStrings strings{{"STEXT_SAMPLE_TITLE", "Sample"}, {"STEXT_HELP_RES_LOCALE", "English"}};
    SampleRecord record{7, 1};
    const SampleRecord before = record;
    double alphaAtStart = -1;
};

TEST_F(SubDialog, OkAnswers1AndGivesTheControlsBack) {
    SampleSubDialog dialog(port);
    whileRunning([&] {
        EXPECT_EQ(shownCopies(), "7");
        port.setTextByUser(kSampleDialog, kCopiesField, "3");
        port.control(kSampleDialog, kSharpenCheck).checked = false;
        click(subdialogs::kOkButton);
    });
    EXPECT_EQ(dialog.show(strings, kShortName, kShippedPrinter, &record), 1);
    EXPECT_EQ(record.copies, 3);
    EXPECT_EQ(record.sharpen, 0);
    EXPECT_EQ(port.windows[kSampleDialog].title, "Sample");
    EXPECT_EQ(port.key, kMainWindow);
    EXPECT_FALSE(port.isVisible(kSampleDialog));
}

TEST_F(SubDialog, CancelAnswers0AndLeavesTheRecord) {
    struct Case {
        const char* name;
        std::vector<const char*> buttons;  // clicked in order while the dialog runs
    };
    const Case cases[] = {
        {"cancel", {subdialogs::kCancelButton}},
        {"defaults, then cancel", {subdialogs::kDefaultButton, subdialogs::kCancelButton}},
    };
    ASSERT_TRUE(atlas_.ready());
    for (const Case& each : cases) {
        SampleSubDialog dialog(port);
        port.key = kMainWindow;
        whileRunning([&] {
            port.setTextByUser(kSampleDialog, kCopiesField, "3");
            for (const char* button : each.buttons) {
                click(button);
            }
        });
        EXPECT_EQ(dialog.show(strings, kShortName, kShippedPrinter, &record), 0) << each.name;
        EXPECT_TRUE(sameBytes(record, before)) << each.name;
        EXPECT_EQ(port.key, kMainWindow) << each.name;
    }
}

TEST_F(SubDialog, DefaultsShowTheModelsDefaultsInTheControlsOnly) {
    ASSERT_TRUE(atlas_.ready());
    SampleSubDialog dialog(port);
    whileRunning([&] {
        click(subdialogs::kDefaultButton);
        EXPECT_EQ(shownCopies(), "1");
        EXPECT_FALSE(port.isChecked(kSampleDialog, kSharpenCheck));
        click(subdialogs::kOkButton);
    });
    EXPECT_EQ(dialog.show(strings, kShortName, kShippedPrinter, &record), 1);
    EXPECT_EQ(record.copies, 1);
    EXPECT_EQ(record.sharpen, 0);
}

TEST_F(SubDialog, DefaultsOfAPrinterWithoutDefaultsChangeNothing) {
    SampleSubDialog dialog(port);
    whileRunning([&] {
        port.setTextByUser(kSampleDialog, kCopiesField, "3");
        click(subdialogs::kDefaultButton);
        EXPECT_EQ(shownCopies(), "3");
        click(subdialogs::kCancelButton);
    });
    EXPECT_EQ(dialog.show(strings, kShortName, kUnknownPrinter, &record), 0);
}

TEST_F(SubDialog, ClosedWithoutAButtonAnswers0) {
    SampleSubDialog dialog(port);
    whileRunning([&] { port.setTextByUser(kSampleDialog, kCopiesField, "3"); });
    EXPECT_EQ(dialog.show(strings, kShortName, kShippedPrinter, &record), 0);
    EXPECT_TRUE(sameBytes(record, before));
}

TEST_F(SubDialog, UnseenUntilCentredInItsRun) {
    SampleSubDialog dialog(port);
    whileRunning([&] {
        EXPECT_EQ(port.windows[kSampleDialog].alpha, 1.0);
        click(subdialogs::kCancelButton);
    });
    dialog.show(strings, kShortName, kShippedPrinter, &record);
    EXPECT_EQ(alphaAtStart, 0.0);
    EXPECT_EQ(port.windows[kSampleDialog].frame, (ui::Rect{350, 250, 300, 200}));
    const std::vector<std::string> expected = {
        "runModal PLSampleSubDialog", "frame PLSampleSubDialog", "stopModal PLSampleSubDialog",
        "close PLSampleSubDialog"};
    EXPECT_EQ(port.log, expected);
    EXPECT_EQ(port.key, kMainWindow);
}

TEST_F(SubDialog, WithNoKeyWindowItRunsWithoutAParent) {
    port.key.clear();
    SampleSubDialog dialog(port);
    whileRunning([&] { click(subdialogs::kOkButton); });
    EXPECT_EQ(dialog.show(strings, kShortName, kShippedPrinter, &record), 1);
    EXPECT_EQ(port.log.front(), "runModal PLSampleSubDialog");
}

TEST_F(SubDialog, ALayoutThatCannotBeLoadedAnswers0WithoutARun) {
    port.layouts.erase(kSampleDialog);
    SampleSubDialog dialog(port);
    whileRunning([&] { click(subdialogs::kOkButton); });
    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(dialog.show(strings, kShortName, kShippedPrinter, &record), 0);
    EXPECT_TRUE(port.log.empty());
    EXPECT_TRUE(sameBytes(record, before));
}

TEST_F(SubDialog, HelpOpensThePrintersPageOrTellsThereIsNone) {
    ASSERT_TRUE(atlas_.ready());
    struct Case {
        const char* name;
        std::int32_t printerID;
        bool workspaceOpens;
        bool opened;  // the page was asked for
        bool alert;
    };
    const Case cases[] = {
        {"page opened", kShippedPrinter, true, true, false},
        {"the workspace cannot open it", kShippedPrinter, false, true, true},
        {"no record for the printer", kUnknownPrinter, true, false, true},
    };
    for (const Case& each : cases) {
        ScriptedPort fresh;
        fresh.layouts.insert(kSampleDialog);
        fresh.workspaceOpens = each.workspaceOpens;
        SampleSubDialog dialog(fresh);
        fresh.userDuringModalRun = [&] {
            fresh.runPosted();
            fresh.click(kSampleDialog, subdialogs::kHelpButton);
            fresh.click(kSampleDialog, subdialogs::kCancelButton);
        };
        dialog.show(strings, kShortName, each.printerID, &record);
        const auto open = std::find_if(fresh.log.begin(), fresh.log.end(),
                                       [](const auto& line) { return line.starts_with("open "); });
        EXPECT_EQ(open != fresh.log.end(), each.opened) << each.name;
        if (open != fresh.log.end()) {
            EXPECT_TRUE(open->ends_with("/SL-7440/English/media_detail.html")) << *open;
        }
        ASSERT_EQ(fresh.alerts.size(), each.alert ? 1u : 0u) << each.name;
        if (each.alert) {
            EXPECT_EQ(fresh.alerts[0].message, subdialogs::kNoHelpMessage) << each.name;
            EXPECT_EQ(fresh.alerts[0].style, ui::AlertStyle::critical) << each.name;
        }
    }
}

}  // namespace
