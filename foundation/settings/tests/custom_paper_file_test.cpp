// "user3.xml": the custom paper list, in list order, through the menu data rows.
#include "settings/custom_paper_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "cf/property_list.h"
#include "settings/settings_folders.h"
#include "settings/settings_readers_internal.h"
#include "settings_test_support.h"

namespace {

namespace fs = std::filesystem;

struct Paper {
    std::string name;
    std::int32_t id, width, height;
    bool enabled;
    bool operator==(const Paper&) const = default;
};

// An owned menu data array.
class Menu {
  public:
    Menu() { KMenu::NewMenuData(&array_); }
    ~Menu() { KMenu::DisposeMenuData(&array_); }
    MenuDataArray get() const { return array_; }

    std::vector<Paper> papers() const {
        std::vector<Paper> rows;
        for (std::int32_t row = 1; row <= static_cast<std::int32_t>(array_->array()->size());
             ++row) {
            const char* name = nullptr;
            Paper paper{};
            KMenu::GetMenuData(array_, &name, &paper.id, &paper.width, &paper.height,
                               &paper.enabled, row);
            paper.name = name != nullptr ? name : "(none)";
            rows.push_back(paper);
        }
        return rows;
    }

  private:
    MenuDataArray array_ = nullptr;
};

class CustomPaperFile : public testing::Test {
  protected:
    fs::path file() const { return preferences_.preferences() / "Stratoline Common" / "user3.xml"; }
    settingstest::PreferencesFolder preferences_;
};

TEST_F(CustomPaperFile, PapersReadBackInOrderAndAppendToTheList) {
    Menu saved;
    KMenu::AddMenuData(saved.get(), "Poster", 9001, 6100, 9140, 1);
    KMenu::AddMenuData2(saved.get(), "no", "name", "row", 1, 2, 1);  // a row of another shape
    KMenu::AddMenuData(saved.get(), "Banner", 9002, 3300, 0, 0);
    SaveCustomPaperFile(saved.get());
    ASSERT_TRUE(fs::exists(file()));

    Menu loaded;
    KMenu::AddMenuData(loaded.get(), "Already there", 1, 2, 3, 1);
    LoadCustomPaperFile(loaded.get());
    EXPECT_EQ(loaded.papers(), (std::vector<Paper>{{"Already there", 1, 2, 3, true},
                                                   {"Poster", 9001, 6100, 9140, true},
                                                   {"Banner", 9002, 3300, 0, true}}));
}

TEST_F(CustomPaperFile, EmptyListWritesAnEmptyArray) {
    Menu empty;
    SaveCustomPaperFile(empty.get());
    cf::Value root;
    ASSERT_EQ(cf::readPropertyListFile(file(), root), cf::PlistStatus::Ok);
    cf::Value expected = cf::Value::emptyDictionary();
    expected.set("CustomPaperVers", cf::Value(std::int32_t{100}));
    expected.set("CustomPapers", cf::Value::emptyArray());
    EXPECT_EQ(root, expected);

    Menu loaded;
    LoadCustomPaperFile(loaded.get());
    EXPECT_TRUE(loaded.papers().empty());
}

TEST_F(CustomPaperFile, NamelessEntriesAreSkippedAndMissingNumbersReadZero) {
    cf::Value named = cf::Value::emptyDictionary();
    named.set("PaperName", cf::Value("No height"));
    named.set("PaperSizeID", cf::Value(std::int32_t{9003}));
    named.set("PaperSizeMM_width", cf::Value(std::int32_t{2100}));
    cf::Value nameless = named;
    nameless.erase("PaperName");
    cf::Value numberName = named;
    numberName.set("PaperName", cf::Value(std::int32_t{4}));
    cf::Value root = cf::Value::emptyDictionary();
    root.set("CustomPaperVers", cf::Value(std::int32_t{100}));
    root.set("CustomPapers",
             cf::Value(cf::Value::Array{nameless, named, numberName, cf::Value("not an entry")}));
    fs::create_directories(file().parent_path());
    ASSERT_EQ(cf::writePropertyListFile(file(), root), cf::PlistStatus::Ok);

    Menu loaded;
    LoadCustomPaperFile(loaded.get());
    EXPECT_EQ(loaded.papers(), (std::vector<Paper>{{"No height", 9003, 2100, 0, true}}));
}

TEST(AppendCustomPaperList, OnlyVersionOneHundredWithAListIsRead) {
    cf::Value paper = cf::Value::emptyDictionary();
    paper.set("PaperName", cf::Value("A"));
    const cf::Value papers(cf::Value::Array{paper});
    struct Case {
        cf::Value version, list;
        std::size_t rows;
    };
    const Case kCases[] = {{cf::Value(std::int32_t{100}), papers, 1},
                           {cf::Value(std::int32_t{101}), papers, 0},
                           {cf::Value(), papers, 0},
                           {cf::Value(std::int32_t{100}), cf::Value(), 0},
                           {cf::Value(std::int32_t{100}), cf::Value("A"), 0}};
    for (const Case& c : kCases) {
        cf::Value root = cf::Value::emptyDictionary();
        if (!c.version.isNull())
            root.set("CustomPaperVers", c.version);
        if (!c.list.isNull())
            root.set("CustomPapers", c.list);
        Menu menu;
        AppendCustomPaperList(root, menu.get());
        EXPECT_EQ(menu.papers().size(), c.rows);
    }
}

}  // namespace
