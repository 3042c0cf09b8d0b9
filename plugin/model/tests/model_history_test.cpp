// The print history and favourites the settings model keeps: the entry after each print, the
// 200-entry limit, the job number of the day across sessions, the favourites from the file or the
// model's defaults, moving a favourite, and both lists through "job3.xml".
#include <gtest/gtest.h>

#include "history/print_jobs.h"
#include "model_test_support.h"
#include "settings/settings_folders.h"
#include "settings/ui_setting.h"

namespace {

using modeltest::Model;

class ModelHistory : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(env_.ready()); }

    // A model of the printer without its media database, on the given day.
    std::unique_ptr<Model> model(ModelDate date = modeltest::fixedDate()) const {
        auto m = std::make_unique<Model>();
        m->setClock([date] { return date; });
        m->setPlugInBundle(env_.strings());
        m->setPrinterID(modeltest::kShippedModels[0].printerID);
        m->setPrinterShortName(modeltest::kShippedModels[0].name);
        m->setPrinterPopupName("SL-7440 Studio");
        return m;
    }

    static std::vector<std::string> names(const PrintJobs& list) {
        std::vector<std::string> result;
        for (const SetDataList& entry : list.entries) {
            result.push_back(entry.NameString.value_or("(none)"));
        }
        return result;
    }

    modeltest::ModelEnvironment env_;
};

TEST_F(ModelHistory, EachPrintAddsAnEntryAtTheFrontWithTheJobsTexts) {
    const auto m = model();
    m->createPrintHistoryData();
    EXPECT_EQ(m->getPrintHistoryData(), nullptr);  // no file yet
    ExportImageData image;
    image.fileName = "beach.tif";
    m->setExportImageData(nullptr, image);
    m->setCopies(3);
    m->setCaption(1);
    m->setJobComment(1);
    m->setCaptionComment(std::string("For Anna"));

    m->addPrintHistoryData(0, 1);
    m->setCaption(0);
    m->addPrintHistoryData(1, 0);
    const PrintJobs* history = m->getPrintHistoryData();
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->entries.size(), 2u);
    EXPECT_EQ(history->jobDate, "20240305");
    EXPECT_EQ(history->todayCount, 2);

    const SetDataList& pattern = history->entries[0];
    EXPECT_EQ(pattern.NameString, "20240305-002");
    EXPECT_EQ(pattern.FileNameString, "beach_Pattern-Print.tif");
    EXPECT_EQ(pattern.CommentString, std::nullopt);  // captions were off
    EXPECT_EQ(pattern.DateCount, 2);
    EXPECT_EQ(pattern.PrintFinish, 0);

    const SetDataList& print = history->entries[1];
    EXPECT_EQ(print.NameString, "20240305-001");
    EXPECT_EQ(print.FileNameString, "beach.tif");
    EXPECT_EQ(print.DateString, "2024/3/5 14:07");
    EXPECT_EQ(print.ColorSetString, "0/0/0/0/0/0/0");
    EXPECT_EQ(print.PrinterNameString, "SL-7440 Studio");
    EXPECT_EQ(print.CommentString, "For Anna");
    EXPECT_EQ(print.PrintFinish, 1);
    ASSERT_TRUE(print.settings.has_value());
    EXPECT_EQ(print.settings->Copies, 3);
}

TEST_F(ModelHistory, TheHistoryKeepsTheNewestTwoHundred) {
    const auto m = model();
    for (int print = 0; print < 201; ++print) {
        m->addPrintHistoryData(0, 1);
    }
    const PrintJobs* history = m->getPrintHistoryData();
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->entries.size(), 200u);
    EXPECT_EQ(history->entries.front().NameString, "20240305-201");
    EXPECT_EQ(history->entries.back().NameString, "20240305-002");  // the first one went
}

TEST_F(ModelHistory, JobNumbersCountOnAcrossSessionsAndStartAgainEachDay) {
    {
        const auto first = model();
        first->createPrintHistoryData();
        for (int print = 0; print < 7; ++print) {
            first->addPrintHistoryData(0, 1);
        }
        first->createFavoriteData();
        first->saveJobHistoryAndFavoriteFromCommonData();
    }
    const auto sameDay = model();
    sameDay->createPrintHistoryData();
    EXPECT_EQ(sameDay->getJobNumberCount(), 8);
    EXPECT_EQ(sameDay->getJobNumberStrings(sameDay->getJobNumberCount()), "20240305-008");

    const auto nextDay = model({2024, 3, 6, 9, 0});
    nextDay->createPrintHistoryData();
    EXPECT_EQ(nextDay->getJobNumberCount(), 1);
    nextDay->addPrintHistoryData(0, 1);
    EXPECT_EQ(nextDay->getPrintHistoryData()->entries.front().NameString, "20240306-001");
    EXPECT_EQ(nextDay->getPrintHistoryData()->entries.size(), 8u);
}

TEST_F(ModelHistory, WithoutAFileTheFavouritesHoldTheModelsDefaults) {
    const auto m = model();
    m->setCallApplicationType(2);
    m->createFavoriteData();
    const PrintJobs* favorites = m->getFavoriteData();
    ASSERT_NE(favorites, nullptr);
    ASSERT_EQ(favorites->entries.size(), 1u);
    const SetDataList& entry = favorites->entries[0];
    EXPECT_EQ(entry.listNumber, 1);
    EXPECT_EQ(entry.DateCount, 1);
    EXPECT_EQ(entry.DefaultFlg, 1);
    EXPECT_EQ(entry.PrintFinish, 0);
    EXPECT_EQ(entry.NameString, std::nullopt);
    ASSERT_TRUE(entry.settings.has_value());
    const UISavePtr defaults(GetUIDefault(modeltest::kShippedModels[0].printerID));
    ASSERT_NE(defaults, nullptr);
    EXPECT_EQ(entry.settings->MediaType, 0);
    EXPECT_EQ(entry.settings->MediaTypeName, std::nullopt);
    EXPECT_EQ(entry.settings->Enlarged_ReducedPrinting, defaults->Enlarged_ReducedPrinting_VPX);
    EXPECT_EQ(entry.settings->ConversionEngine, 1);  // no host colour engine
    EXPECT_EQ(entry.settings->Copies, defaults->Copies);

    // A printer the bundle has no defaults for: the entry has no settings.
    const auto unknown = model();
    unknown->setPrinterID(4242);
    unknown->setPrinterShortName("SL-Unknown");
    unknown->createFavoriteData();
    ASSERT_EQ(unknown->getFavoriteData()->entries.size(), 1u);
    EXPECT_FALSE(unknown->getFavoriteData()->entries[0].settings.has_value());
}

TEST_F(ModelHistory, MovingAFavouriteRenumbersTheEntriesThatMoved) {
    const auto m = model();
    PrintJobsPtr list = std::make_unique<PrintJobs>();
    for (int i = 0; i < 4; ++i) {
        SetDataList entry;
        entry.NameString = std::to_string(i);
        entry.listNumber = 10 + i;
        entry.settings = UISave{};
        list->entries.push_back(entry);
    }
    m->setFavoriteData(std::move(list));

    m->swapFavoriteData(0, 2);
    EXPECT_EQ(names(*m->getFavoriteData()), (std::vector<std::string>{"1", "2", "0", "3"}));
    std::vector<std::int32_t> numbers;
    for (const SetDataList& entry : m->getFavoriteData()->entries) {
        numbers.push_back(entry.listNumber);
    }
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 2, 3, 13}));

    m->swapFavoriteData(3, 1);
    EXPECT_EQ(names(*m->getFavoriteData()), (std::vector<std::string>{"1", "3", "2", "0"}));
    m->swapFavoriteData(1, 1);
    m->swapFavoriteData(0, 4);  // no such place: nothing moves
    m->swapFavoriteData(-1, 0);
    EXPECT_EQ(names(*m->getFavoriteData()), (std::vector<std::string>{"1", "3", "2", "0"}));
}

TEST_F(ModelHistory, ListsGivenToTheModelAreCopiedAndNoneIsIgnored) {
    const auto m = model();
    m->addPrintHistoryData(0, 1);
    m->setPrintHistoryData(nullptr);
    ASSERT_NE(m->getPrintHistoryData(), nullptr);
    PrintJobsPtr replacement = std::make_unique<PrintJobs>();
    replacement->jobDate = "20240301";
    replacement->todayCount = 4;
    replacement->entries.resize(2);
    const PrintJobs* given = replacement.get();
    m->setPrintHistoryData(std::move(replacement));
    EXPECT_NE(m->getPrintHistoryData(), given);
    EXPECT_EQ(m->getPrintHistoryData()->entries.size(), 2u);
    EXPECT_EQ(m->getJobNumberCount(), 1);  // another day's count
}

TEST_F(ModelHistory, BothListsGoToTheHostsFileAndComeBack) {
    {
        const auto m = model();
        m->setCallApplicationType(2);
        m->addPrintHistoryData(0, 1);
        m->createFavoriteData();
        m->saveJobHistoryAndFavoriteFromCommonData();
    }
    EXPECT_TRUE(std::filesystem::exists(env_.preferences() / kProductFolderVPX /
                                        modeltest::kShippedModels[0].name / "job3.xml"));
    const auto m = model();
    m->setCallApplicationType(2);
    m->createPrintHistoryData();
    m->createFavoriteData();
    ASSERT_NE(m->getPrintHistoryData(), nullptr);
    EXPECT_EQ(m->getPrintHistoryData()->entries.size(), 1u);
    ASSERT_EQ(m->getFavoriteData()->entries.size(), 1u);
    EXPECT_EQ(m->getFavoriteData()->todayCount, 0);
    EXPECT_EQ(m->getFavoriteData()->jobDate, std::nullopt);
    EXPECT_EQ(m->getFavoriteData()->entries[0].DefaultFlg, 1);
}

}  // namespace
