// The list operations of the history and favourites: numbering on add and delete, the fields an
// added entry takes, copies that outlive their source, and lists at their limits.
#include "history/print_jobs.h"

#include <gtest/gtest.h>

namespace {

SetDataList entryNamed(const char* name, std::int32_t listNumber = 0) {
    SetDataList entry;
    entry.NameString = name;
    entry.CommentString = std::string("comment of ") + name;
    entry.listNumber = listNumber;
    entry.settings.emplace();
    entry.settings->Copies = listNumber;
    entry.settings->MediaTypeName = name;
    return entry;
}

// A history list numbered as the front adds make it: the newest has the highest number.
PrintJobs listNumbered(std::initializer_list<std::int32_t> numbers) {
    PrintJobs list;
    list.todayCount = 6;
    list.jobDate = "2026/12/11";
    for (const std::int32_t number : numbers) {
        list.entries.push_back(entryNamed(("job " + std::to_string(number)).c_str(), number));
    }
    return list;
}

std::vector<std::int32_t> numbersOf(const PrintJobs& list) {
    std::vector<std::int32_t> numbers;
    for (const SetDataList& entry : list.entries) numbers.push_back(entry.listNumber);
    return numbers;
}

TEST(AddPrintJobs, FirstEntryOfNoList) {
    SetDataList given = entryNamed("first", 77);
    given.DefaultFlg = 1;
    given.DateCount = 4;
    given.settings.reset();
    PrintJobsPtr list = AddPrintJobs(nullptr, given, kAddAtFront, "2026/12/11", 4);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->version, 100);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->todayCount, 4);
    EXPECT_EQ(list->jobDate, "2026/12/11");
    const SetDataList& added = list->entries[0];
    EXPECT_EQ(added.listNumber, 1);
    EXPECT_EQ(added.DefaultFlg, 0);
    EXPECT_EQ(added.DateCount, 4);
    EXPECT_EQ(added.NameString, "first");
    // An entry given without settings gets a zeroed record: a list entry always has one.
    ASSERT_TRUE(added.settings);
    EXPECT_EQ(*added.settings, UISave{});
}

TEST(AddPrintJobs, FrontAndEndNumberingAndPrintFinish) {
    struct Case {
        std::int16_t position;
        std::size_t newAt;
        std::vector<std::int32_t> numbers;
        std::int32_t printFinish;
    };
    for (const Case& c : {Case{kAddAtFront, 0, {4, 3, 2, 1}, 5},
                          Case{kAddAtEnd, 3, {3, 2, 1, 4}, 0}, Case{-7, 3, {3, 2, 1, 4}, 0}}) {
        SetDataList given = entryNamed("new", 0);
        given.PrintFinish = 5;
        const PrintJobs old = listNumbered({3, 2, 1});
        const PrintJobs added = PrintJobsWithEntry(&old, given, c.position, nullptr, 9);
        EXPECT_EQ(numbersOf(added), c.numbers) << c.position;
        EXPECT_EQ(added.entries[c.newAt].NameString, "new") << c.position;
        EXPECT_EQ(added.entries[c.newAt].PrintFinish, c.printFinish) << c.position;
        EXPECT_EQ(added.todayCount, 9);
        EXPECT_EQ(added.jobDate, std::nullopt);
        // The old entries follow whole, strings and settings included.
        const std::size_t firstOld = c.newAt == 0 ? 1 : 0;
        EXPECT_EQ(added.entries[firstOld], old.entries[0]) << c.position;
    }
}

TEST(AddPrintJobs, FullListIsGivenBackAsItIs) {
    PrintJobs full;
    full.entries.resize(kMaxPrintJobs);
    full.entries.back().NameString = "last";
    const PrintJobs added =
        PrintJobsWithEntry(&full, entryNamed("one too many"), kAddAtFront, "date", 1);
    EXPECT_EQ(added.count(), 32767);
    EXPECT_EQ(added, full);
}

TEST(DeletePrintJob, SurvivorsAreRenumberedFromOne) {
    PrintJobsPtr list = std::make_unique<PrintJobs>(listNumbered({4, 3, 2}));
    list = DeletePrintJob(std::move(list), 1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(numbersOf(*list), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(list->entries[0].NameString, "job 4");
    EXPECT_EQ(list->entries[1].NameString, "job 2");
    EXPECT_EQ(list->entries[1].settings->MediaTypeName, "job 2");
    EXPECT_EQ(list->todayCount, 6);
    EXPECT_EQ(list->jobDate, "2026/12/11");
}

TEST(DeletePrintJob, IndexOutsideTheListLeavesItUnchanged) {
    const PrintJobs list = listNumbered({4, 3, 2});
    for (const std::int16_t index : {std::int16_t{-1}, std::int16_t{3}, std::int16_t{32767}}) {
        EXPECT_EQ(PrintJobsWithoutEntry(list, index), list) << index;
    }
    EXPECT_EQ(DeletePrintJob(nullptr, 0), nullptr);
    const PrintJobs emptied = PrintJobsWithoutEntry(listNumbered({1}), 0);
    EXPECT_EQ(emptied.count(), 0);
    EXPECT_EQ(emptied.jobDate, "2026/12/11");
}

TEST(GetCopyPrintJobs, CopyOutlivesItsSource) {
    EXPECT_EQ(GetCopyPrintJobs(nullptr), nullptr);
    PrintJobsPtr source = std::make_unique<PrintJobs>(listNumbered({2, 1}));
    const PrintJobs expected = *source;
    PrintJobsPtr copy = GetCopyPrintJobs(source.get());
    TerminatePrintJob(std::move(source));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(*copy, expected);
    EXPECT_EQ(copy->entries[1].settings->MediaTypeName, "job 1");
}

TEST(CopySetDataList, DeepCopyAndRelease) {
    SetDataList source = entryNamed("source", 3);
    source.PrintFinish = 1;
    SetDataList destination = entryNamed("destination", 8);
    CopySetDataList(&destination, source);
    TerminateDataList(source);
    EXPECT_EQ(source.NameString, std::nullopt);
    EXPECT_EQ(source.CommentString, std::nullopt);
    EXPECT_FALSE(source.settings);
    EXPECT_EQ(source.listNumber, 3);  // numbers stay
    EXPECT_EQ(destination.NameString, "source");
    EXPECT_EQ(destination.PrintFinish, 1);
    ASSERT_TRUE(destination.settings);
    EXPECT_EQ(destination.settings->MediaTypeName, "source");

    SetDataList bare;
    bare.DateCount = 2;
    CopySetDataList(&destination, bare);
    EXPECT_EQ(destination.NameString, std::nullopt);
    EXPECT_EQ(destination.DateCount, 2);
    ASSERT_TRUE(destination.settings);
    EXPECT_EQ(*destination.settings, UISave{});
    CopySetDataList(nullptr, bare);
}

}  // namespace
