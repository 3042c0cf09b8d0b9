// The detail tables' sources: each shows its own two columns from the arrays last handed over,
// and a row or column it does not have shows empty.
#include "history_lists/detail_list_data_source.h"

#include <gtest/gtest.h>

#include <memory>

#include "scripted_port.h"

namespace {

using namespace history_lists;
using Strings = std::vector<std::string>;

TEST(DetailListDataSource, EachTableShowsItsColumnsFromTheArraysHandedOver) {
    struct Case {
        std::unique_ptr<kDetailListDataSource> source;
        const char* item;
        const char* content;
    };
    Case cases[] = {
        {std::make_unique<kBaseListDataSource>(), "bitem", "bcontent"},
        {std::make_unique<kPageListDataSource>(), "pitem", "pcontent"},
        {std::make_unique<kColorListDataSource>(), "citem", "ccontent"},
        {std::make_unique<kMaintenanceListDataSource>(), "mitem", "mcontent"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.item);
        dialogs_test::ScriptedPort port;
        port.setTableSource("PLPrintHistory", "list", c.source->tableSource());
        port.reloadTable("PLPrintHistory", "list");
        EXPECT_EQ(port.control("PLPrintHistory", "list").rowCount, 0);  // nothing handed over

        Strings names{"Medium", "Quality"};
        const Strings values{"Glossy", "Fine"};
        c.source->setData(&names, &values);
        port.reloadTable("PLPrintHistory", "list");
        EXPECT_EQ(port.control("PLPrintHistory", "list").rowCount, 2);
        EXPECT_EQ(port.shownCell("PLPrintHistory", "list", c.item, 1).text, "Quality");
        EXPECT_EQ(port.shownCell("PLPrintHistory", "list", c.content, 0).text, "Glossy");
        EXPECT_EQ(port.shownCell("PLPrintHistory", "list", "other", 0).text, "");

        names[0] = "Paper";  // borrowed: the source shows the caller's arrays as they are now
        EXPECT_EQ(c.source->objectValue(c.item, 0), "Paper");
    }
}

TEST(DetailListDataSource, ValuesShorterThanTheNamesShowEmptyInsteadOfReadingPastThem) {
    kBaseListDataSource source;
    const Strings names{"Medium", "Quality", "Copies"};
    const Strings values{"Glossy"};
    source.setData(&names, &values);
    EXPECT_EQ(source.numberOfRows(), 3);
    EXPECT_EQ(source.objectValue("bcontent", 2), std::nullopt);
    EXPECT_EQ(source.objectValue("bitem", 3), std::nullopt);
    EXPECT_EQ(source.objectValue("bitem", -1), std::nullopt);
    source.setData(&names, nullptr);
    EXPECT_EQ(source.objectValue("bcontent", 0), std::nullopt);
}

}  // namespace
