// The history and favourites lists in "job3.xml" over a temporary Preferences folder: what is
// written (read back by plistlib), what is read back, the files that read as no list, and the
// list that one save leaves alone.
#include <gtest/gtest.h>

#include "cf/property_list.h"
#include "history/print_jobs.h"
#include "history_test_support.h"
#include "settings/property_list_file.h"
#include "settings/settings_folders.h"
#include "settings_test_support.h"

namespace {

namespace fs = std::filesystem;
using historytest::fullEntry;
using historytest::oracle;

constexpr const char* kPrinter = "SL-7440";

class JobHistoryFile : public testing::Test {
  protected:
    fs::path jobFile() const {
        return preferences_.printerFolder(kProductFolderStratoline, kPrinter) / "job3.xml";
    }
    void writeWithOracle(const std::string& json) {
        fs::create_directories(jobFile().parent_path());
        ASSERT_EQ(oracle("write", jobFile().string(), json), 0);
    }
    PrintJobsPtr history() const { return LoadJobHistory(kPrinter, kProductFolderStratoline); }
    PrintJobsPtr favorites() const { return LoadFavorite(kPrinter, kProductFolderStratoline); }
    void save(const PrintJobs* jobs, const PrintJobs* favs) const {
        SaveJobHistoryAndFavorite(kPrinter, jobs, favs, kProductFolderStratoline);
    }

    settingstest::PreferencesFolder preferences_;
};

PrintJobs historyOf(std::initializer_list<std::int32_t> numbers) {
    PrintJobs list;
    list.todayCount = 12;
    list.jobDate = "2026/12/11";
    for (const std::int32_t n : numbers)
        list.entries.push_back(fullEntry("job " + std::to_string(n), n));
    return list;
}

PrintJobs favoritesOf(std::initializer_list<const char*> names) {
    PrintJobs list;
    std::int32_t number = 0;
    for (const char* name : names) list.entries.push_back(fullEntry(name, ++number));
    return list;
}

TEST_F(JobHistoryFile, BothListsAreWrittenAndReadBack) {
    const PrintJobs jobs = historyOf({2, 1});
    PrintJobs favs = favoritesOf({"Portrait"});
    favs.entries[0].CommentString.reset();
    save(&jobs, &favs);

    EXPECT_EQ(oracle("check", jobFile().string(), R"({
        "JobFileVers": 100, "JobTodayCount": 12, "JobDate": "2026/12/11",
        "Jobs": [{"NameString": "job 2", "FileNameString": "job 2.tif", "listNumber": 2,
                  "DateCount": 12, "DefaultFlg": 0, "PrintFinish": 1, "UISaveVersion": 101,
                  "Copies": 2, "MediaType": -2, "MediaTypeName": "Glossy job 2",
                  "CommentString": "caf\u00e9 job 2", "Curves_RGB_Y": [0, 250]},
                 {"NameString": "job 1", "listNumber": 1, "DefaultFlg": 1}],
        "Favorites": [{"NameString": "Portrait", "CommentString": null, "ColorSetString": "C+1"}]
    })"),
              0);

    const PrintJobsPtr readJobs = history();
    const PrintJobsPtr readFavs = favorites();
    ASSERT_NE(readJobs, nullptr);
    ASSERT_NE(readFavs, nullptr);
    EXPECT_EQ(*readJobs, jobs);
    PrintJobs expectedFavs = favs;
    expectedFavs.todayCount = 0;  // favourites keep no count nor date
    EXPECT_EQ(*readFavs, expectedFavs);
}

TEST_F(JobHistoryFile, EmptyHistoryIsAnEmptyListNotNone) {
    PrintJobs empty;
    empty.todayCount = 3;
    save(&empty, nullptr);
    EXPECT_EQ(oracle("check", jobFile().string(),
                     R"({"JobFileVers": 100, "JobTodayCount": 3, "JobDate": null, "Jobs": [],
                         "Favorites": null})"),
              0);
    const PrintJobsPtr read = history();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->count(), 0);
    EXPECT_EQ(read->todayCount, 3);
    EXPECT_EQ(read->jobDate, std::nullopt);
    EXPECT_EQ(favorites(), nullptr);
}

TEST_F(JobHistoryFile, FilesThatHoldNoList) {
    struct Case {
        const char* name;
        const char* json;
    };
    const Case cases[] = {
        {"version 101", R"({"JobFileVers": 101, "Jobs": [{}], "Favorites": [{}]})"},
        {"no version", R"({"Jobs": [{}], "Favorites": [{}]})"},
        {"version as text", R"({"JobFileVers": "100", "Jobs": [{}], "Favorites": [{}]})"},
        {"lists of another type", R"({"JobFileVers": 100, "Jobs": {}, "Favorites": "none"})"},
        {"root array", R"([{"JobFileVers": 100, "Jobs": [], "Favorites": []}])"},
    };
    EXPECT_EQ(history(), nullptr);  // no file yet
    for (const Case& c : cases) {
        writeWithOracle(c.json);
        EXPECT_EQ(history(), nullptr) << c.name;
        EXPECT_EQ(favorites(), nullptr) << c.name;
    }
}

TEST_F(JobHistoryFile, MissingKeysOfAnEntryReadAsNoneAndZero) {
    writeWithOracle(
        R"({"JobFileVers": 100, "Jobs": [{"NameString": "only", "Copies": 4}, "text"]})");
    const PrintJobsPtr read = history();
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->count(), 2);
    EXPECT_EQ(read->todayCount, 0);
    EXPECT_EQ(read->entries[0].NameString, "only");
    EXPECT_EQ(read->entries[0].FileNameString, std::nullopt);
    EXPECT_EQ(read->entries[0].listNumber, 0);
    ASSERT_TRUE(read->entries[0].settings);
    EXPECT_EQ(read->entries[0].settings->Copies, 4);
    EXPECT_EQ(read->entries[0].settings->Gamma, 22);  // the value of a missing key
    EXPECT_EQ(read->entries[1].NameString, std::nullopt);
    EXPECT_TRUE(read->entries[1].settings);
}

TEST_F(JobHistoryFile, MoreEntriesThanACountHoldsIsRefused) {
    cf::Value jobs = cf::Value::emptyArray();
    for (std::size_t i = 0; i <= kMaxPrintJobs; ++i) jobs.append(cf::Value::emptyDictionary());
    cf::Value root = cf::Value::emptyDictionary();
    root.set("JobFileVers", cf::Value(std::int32_t{100}));
    root.set("Jobs", std::move(jobs));
    fs::create_directories(jobFile().parent_path());
    const fs::path file = jobFile();
    ASSERT_EQ(WritePropertyListToFile(&root, &file), 0);
    EXPECT_EQ(history(), nullptr);
}

TEST_F(JobHistoryFile, SavingOneListKeepsTheOtherOnDisk) {
    const PrintJobs jobs = historyOf({1});
    const PrintJobs favs = favoritesOf({"Kept"});
    save(&jobs, &favs);

    const PrintJobs newer = historyOf({3, 2, 1});
    save(&newer, nullptr);
    ASSERT_NE(favorites(), nullptr);
    EXPECT_EQ(favorites()->entries, favs.entries);
    EXPECT_EQ(history()->count(), 3);

    const PrintJobs moreFavs = favoritesOf({"A", "B"});
    save(nullptr, &moreFavs);
    EXPECT_EQ(*history(), newer);
    EXPECT_EQ(favorites()->count(), 2);

    // Nothing is carried over from a file of another version.
    writeWithOracle(R"({"JobFileVers": 99, "Jobs": [{}], "JobTodayCount": 5})");
    save(nullptr, &moreFavs);
    EXPECT_EQ(oracle("check", jobFile().string(),
                     R"({"JobFileVers": 100, "Jobs": null, "JobTodayCount": null,
                         "Favorites": [{"NameString": "A"}, {"NameString": "B"}]})"),
              0);
}

TEST_F(JobHistoryFile, NothingIsWrittenWithoutLists) {
    save(nullptr, nullptr);
    EXPECT_FALSE(fs::exists(jobFile()));
}

}  // namespace
