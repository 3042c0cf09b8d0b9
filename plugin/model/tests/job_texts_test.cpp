// The texts that describe a job: dates and job numbers from an injected clock (checked against
// Python's datetime), the job number of the day, the colour-adjustment summary and the caption.
#include <gtest/gtest.h>

#include <fstream>

#include "job_number.h"
#include "model_test_support.h"
#include "support/python_oracle.h"

namespace {

using modeltest::Model;

TEST(JobTexts, DatesAndJobNumbersMatchAnIndependentCalendar) {
    const ModelDate dates[] = {
        {2024, 3, 5, 14, 7}, {2024, 12, 31, 23, 59}, {1999, 1, 1, 0, 0},
        {2024, 2, 29, 9, 5}, {2031, 10, 9, 12, 30},  {2000, 7, 14, 1, 1},
    };
    const std::int32_t numbers[] = {1, 8, 42, 999, 1000};
    testsupport::TemporaryFolder folder;
    const auto listing = folder / "dates.txt";
    {
        std::ofstream out(listing);
        for (const ModelDate& date : dates) {
            Model model;
            model.setClock([date] { return date; });
            std::int32_t parts[5] = {};
            model.getDate(parts);
            for (const std::int32_t number : numbers) {
                out << parts[0] << ' ' << parts[1] << ' ' << parts[2] << ' ' << parts[3] << ' '
                    << parts[4] << '|' << model.getDateStrings() << '|' << number << '|'
                    << model.getJobNumberStrings(number) << '|' << dayKey(date) << '\n';
            }
        }
    }
    EXPECT_EQ(testsupport::runPython(MODEL_ORACLE, {"dates", listing.string()}), 0);
}

TEST(JobTexts, TheJobNumberCountsThroughTheDay) {
    const std::string fifth = dayKey({2024, 3, 5, 14, 7});
    const std::string sixth = dayKey({2024, 3, 6, 8, 0});
    ASSERT_EQ(fifth, "20240305");
    struct Case {
        const char* what;
        std::size_t entries;
        std::optional<std::string> jobDate;
        std::int32_t todayCount;
        const std::string& today;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"same day", 3, std::string("20240305"), 7, fifth, 8},
        {"same day, longer date text", 3, std::string("20240305-1407"), 7, fifth, 8},
        {"next day", 3, std::string("20240305"), 7, sixth, 1},
        {"empty history", 0, std::string("20240305"), 7, fifth, 1},
        {"no job date", 3, std::nullopt, 7, fifth, 1},
        {"short job date", 3, std::string("2024030"), 7, fifth, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(nextJobNumber(c.entries, c.jobDate, c.todayCount, c.today), c.expected);
    }
    // Without a history the model's next job is the day's first.
    Model model;
    model.setClock(modeltest::fixedDate);
    EXPECT_EQ(model.getJobNumberCount(), 1);
    EXPECT_EQ(model.getJobNumberStrings(8), "20240305-008");
}

class ColorSummary : public testing::Test {
  protected:
    void SetUp() override {
        strings_ = cf::Bundle::open(MODEL_STRINGS_BUNDLE);
        ASSERT_NE(strings_, nullptr);
        model_.setPlugInBundle(strings_.get());
    }
    testsupport::ScopedVariable language_{"LANGUAGE", "en"};
    std::unique_ptr<cf::Bundle> strings_;
    Model model_;
};

TEST_F(ColorSummary, ColourModesListTheSevenColourValues) {
    ColorAdjustValues values;
    values.cr = 1;
    values.mg = -2;
    values.yb = 3;
    values.gray = -4;
    values.brightness = 5;
    values.contrast = -6;
    values.saturation = 7;
    values.gamma = 22;
    values.grayX = 99;
    model_.setColorAdjustValues(values);
    for (const std::int32_t mode : {1, 3, 4}) {
        model_.setColorMode(mode);
        EXPECT_EQ(model_.getColorAdjustStrings(), "1/-2/3/-4/5/-6/7");
    }
}

TEST_F(ColorSummary, MonochromeListsTheLabelsOfPresetAndGradation) {
    model_.setColorMode(2);
    ColorAdjustValues values;
    values.grayPreset = 2;
    values.grayX = 10;
    values.grayY = -5;
    values.grayGradation = 3;
    model_.setColorAdjustValues(values);
    EXPECT_EQ(model_.getColorAdjustStrings(), "Cool/10/-5/Hard/0/0/0/0/0");

    values.grayBrightness = 1;
    values.grayContrast = 2;
    values.grayHighlight = 3;
    values.grayShadow = 4;
    values.whiteFog = 5;
    values.grayPreset = 4;
    values.grayGradation = 5;
    model_.setColorAdjustValues(values);
    EXPECT_EQ(model_.getColorAdjustStrings(), "Sepia/10/-5/Hardest/1/2/3/4/5");

    // A value without a menu row has an empty label, never a placeholder text.
    values.grayPreset = 0;
    values.grayGradation = 6;
    model_.setColorAdjustValues(values);
    EXPECT_EQ(model_.getColorAdjustStrings(), "/10/-5//1/2/3/4/5");
}

TEST_F(ColorSummary, TheCaptionJoinsTheItemsThatAreOnAndHaveText) {
    model_.setClock(modeltest::fixedDate);
    model_.setPrinterPopupName("SL-7440 Studio");
    ExportImageData image;
    image.fileName = "beach.tif";
    model_.setExportImageData(nullptr, image);
    model_.setCaptionComment(std::string("For Anna"));
    EXPECT_EQ(model_.makeCaptionStrings(), "");  // no item on

    model_.setNumber(1);
    model_.setDateTime(1);
    EXPECT_EQ(model_.makeCaptionStrings(), "20240305-001  2024/3/5 14:07  ");

    // Every item, in the fixed order whatever the switch of the caption itself says.
    model_.setImFileName(1);
    model_.setColorSet(1);
    model_.setPrinterName(1);
    model_.setJobComment(1);
    model_.setCaption(0);
    EXPECT_EQ(model_.makeCaptionStrings(),
              "20240305-001  beach.tif  2024/3/5 14:07  0/0/0/0/0/0/0  SL-7440 Studio  "
              "For Anna  ");

    // Items without text leave no gap.
    model_.setExportImageData(nullptr, ExportImageData{});
    model_.setCaptionComment(std::string());
    model_.setNumber(0);
    model_.setDateTime(0);
    model_.setColorSet(0);
    EXPECT_EQ(model_.makeCaptionStrings(), "SL-7440 Studio  ");
}

}  // namespace
