// The output and proof profile menus list the installed printer profiles of the right spaces,
// with the separator only after CMYK profiles, and name them as the maker's rule says.
#include "profiles/profile_menu.h"

#include <gtest/gtest.h>

#include "color/installed_profiles.h"
#include "fixture_profiles.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "user_locale.h"

namespace {

namespace fs = std::filesystem;
using profile_test::FixtureProfile;

struct Item {
    std::string name, file, path;
    std::int32_t value1 = 0, value2 = 0;
    bool enabled = false;
    bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << "{" << item.name << ", " << item.file << ", " << item.value1 << ", "
               << item.value2 << "}";
}

class ProfileMenu : public testing::Test {
  protected:
    void SetUp() override {
        // The system's folder takes part in the walk; these tests need it free of printer
        // profiles.
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(
                 color::installedProfileFolders()[2], fs::directory_options::skip_permission_denied,
                 error)) {
            const auto profile = color::Profile::openPath(entry.path());
            if (profile && profile->deviceClass() == color::kClassPrinter) {
                GTEST_SKIP() << "the system folder holds the printer profile " << entry.path();
            }
        }
        ASSERT_EQ(KMenu::NewMenuData(&menu_), 0);
    }
    void TearDown() override { KMenu::DisposeMenuData(&menu_); }

    fs::path user(const std::string& name, const FixtureProfile& fixture) {
        return made(folder_ / "data/icc" / name, fixture);
    }
    fs::path driver(const std::string& name, const FixtureProfile& fixture) {
        return made(folder_ / "root/Orvane/TARN/Profiles" / name, fixture);
    }
    static fs::path made(const fs::path& file, const FixtureProfile& fixture) {
        profile_test::writeFixtureProfile(file, fixture);
        return file;
    }

    std::vector<Item> items() const {
        std::vector<Item> all;
        for (std::int32_t index = 1; index <= static_cast<std::int32_t>(menu_->array()->size());
             ++index) {
            const char *name = nullptr, *file = nullptr, *path = nullptr;
            Item item;
            KMenu::GetMenuData2(menu_, &name, &file, &path, &item.value1, &item.value2,
                                &item.enabled, index);
            item.name = name;
            item.file = file;
            item.path = path;
            all.push_back(item);
        }
        return all;
    }

    static Item itemOf(const fs::path& file, const std::string& name, std::int32_t model,
                       std::int32_t version) {
        return {name, file.filename().string(), file.string(), model, version, true};
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable home_{"HOME", folder_.path().c_str()};
    testsupport::ScopedVariable data_{"XDG_DATA_HOME", (folder_ / "data").c_str()};
    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", (folder_ / "root").c_str()};
    profile_test::UserLocale locale_{"ja_JP.UTF-8"};
    MenuDataArray menu_ = nullptr;
};

constexpr std::int32_t kVersion2 = 0x02100000;
constexpr std::int32_t kVersion4 = 0x04300000;
const Item kSeparator = {"PMENU_SEPARATOR", "PMENU_SEPARATOR", "PMENU_SEPARATOR", -30000, 0, true};

const FixtureProfile kCmykPrinter = {
    .space = color::kSpaceCmyk, .model = color::signature("C001"), .description = "Proof CMYK"};
const FixtureProfile kMakersVersion2 = {
    .version = 2.1,
    .manufacturer = kMakerManufacturer,
    .model = color::signature("SL70"),
    .description = "Maker glossy",
    .dscm = {{"ja", "JP", u"\u5149\u6CA2"}},
};
const FixtureProfile kOthersVersion2 = {
    .version = 2.1,
    .manufacturer = color::signature("XYZW"),
    .description = "Other glossy",
    .dscm = {{"ja", "JP", u"\u307B\u304B"}},
};
const FixtureProfile kMakersVersion4 = {
    .manufacturer = kMakerManufacturer,
    .localizedDescription = {{"en", "US", u"Maker matte"}, {"ja", "JP", u"\u30DE\u30C3\u30C8"}},
};
const FixtureProfile kMonitorRgb = {.deviceClass = color::kClassMonitor, .description = "Screen"};
const FixtureProfile kGreyPrinter = {.space = color::kSpaceGrey, .description = "Grey"};

TEST_F(ProfileMenu, PrinterMenuListsPrinterRgbProfilesNamedByTheMakersRule) {
    const fs::path makers2 = user("a_makers2.icc", kMakersVersion2);
    const fs::path others2 = user("b_others2.icc", kOthersVersion2);
    user("c_cmyk.icc", kCmykPrinter);
    user("d_monitor.icc", kMonitorRgb);
    user("e_grey.icc", kGreyPrinter);
    const fs::path makers4 = driver("f_makers4.icc", kMakersVersion4);

    std::int32_t count = -1;
    ConstructICCPrinterProfileMenu(&count, menu_);
    const std::vector<Item> expected = {
        // The maker's own version-2 profiles go by their description.
        itemOf(makers2, "Maker glossy", color::signature("SL70"), kVersion2),
        itemOf(others2, "\xE3\x81\xBB\xE3\x81\x8B", 0, kVersion2),
        itemOf(makers4, "\xE3\x83\x9E\xE3\x83\x83\xE3\x83\x88", 0, kVersion4),
    };
    EXPECT_EQ(items(), expected);
    EXPECT_EQ(count, 3);
}

TEST_F(ProfileMenu, ProofMenuPutsCmykThenSeparatorThenRgb) {
    const fs::path rgb = user("a_rgb.icc", kOthersVersion2);
    const fs::path cmyk = driver("b_cmyk.icc", kCmykPrinter);
    std::int32_t count = -1;
    ConstructProofProfileMenu(&count, menu_);
    const std::vector<Item> expected = {
        itemOf(cmyk, "Proof CMYK", color::signature("C001"), kVersion4),
        kSeparator,
        itemOf(rgb, "\xE3\x81\xBB\xE3\x81\x8B", 0, kVersion2),
    };
    EXPECT_EQ(items(), expected);
    EXPECT_EQ(count, 3);
}

TEST_F(ProfileMenu, NoSeparatorWithoutCmykUnlessTheMenuHadItems) {
    const fs::path rgb = user("a_rgb.icc", kOthersVersion2);
    std::int32_t count = -1;
    ConstructProofProfileMenu(&count, menu_);
    EXPECT_EQ(items(), std::vector<Item>{itemOf(rgb, "\xE3\x81\xBB\xE3\x81\x8B", 0, kVersion2)});
    EXPECT_EQ(count, 1);

    // An item already in the array counts: the separator follows it.
    KMenu::DisposeMenuData(&menu_);
    ASSERT_EQ(KMenu::NewMenuData(&menu_), 0);
    KMenu::AddMenuData2(menu_, "Earlier", "e", "e", 1, 2, 1);
    ConstructProofProfileMenu(&count, menu_);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(items()[1], kSeparator);

    KMenu::DisposeMenuData(&menu_);
    ASSERT_EQ(KMenu::NewMenuData(&menu_), 0);
    fs::remove(rgb);
    ConstructProofProfileMenu(&count, menu_);
    EXPECT_EQ(count, 0);
}

TEST_F(ProfileMenu, ProofMenuSearchByExactFileName) {
    const fs::path rgb = user("Glossy.icc", kOthersVersion2);
    driver("proof.icc", kCmykPrinter);
    std::string name, path;
    EXPECT_EQ(GetProfileNameAndPathFromFileName_AllSerch("Glossy.icc", &name, &path), 1);
    EXPECT_EQ(name, "\xE3\x81\xBB\xE3\x81\x8B");
    EXPECT_EQ(path, rgb.string());
    EXPECT_EQ(GetProfileNameAndPathFromFileName_AllSerch("proof.icc", &name, &path), 1);
    EXPECT_EQ(name, "Proof CMYK");

    name = path = "untouched";
    EXPECT_EQ(GetProfileNameAndPathFromFileName_AllSerch("glossy.icc", &name, &path), 0);
    EXPECT_EQ(GetProfileNameAndPathFromFileName_AllSerch("absent.icc", &name, &path), 0);
    EXPECT_EQ(name, "untouched");
}

}  // namespace
