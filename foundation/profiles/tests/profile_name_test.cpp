// Profile names in the user's language from 'desc' and 'dscm', names of profiles given by URL,
// bytes or file name, and the display form of output profile file names.
#include "profiles/profile_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "fixture_profiles.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "user_locale.h"

namespace {

namespace fs = std::filesystem;
using profile_test::FixtureProfile;
using profile_test::writeFixtureProfile;

constexpr char kJapaneseName[] = "\xE5\x85\x89\xE6\xB2\xA2\xE7\xB4\x99";

const FixtureProfile kVersion4Localized = {
    .version = 4.3,
    .localizedDescription = {{"fr", "FR", u"Papier brillant"},
                             {"en", "US", u"Glossy paper"},
                             {"ja", "JP", u"\u5149\u6CA2\u7D19"}},
};

const FixtureProfile kVersion2WithDscm = {
    .version = 2.1,
    .description = "Old text description",
    .dscm = {{"en", "US", u"Matte paper"}, {"ja", "JP", u"\u30DE\u30C3\u30C8\u7D19"}},
};

const FixtureProfile kVersion2Plain = {.version = 2.1, .description = "Plain description"};

class ProfileName : public testing::Test {
  protected:
    fs::path made(const std::string& name, const FixtureProfile& fixture) {
        const fs::path file = folder_ / name;
        writeFixtureProfile(file, fixture);
        return file;
    }

    testsupport::TemporaryFolder folder_;
    profile_test::UserLocale locale_{"ja_US.UTF-8"};
};

TEST_F(ProfileName, LocalizedFromDescOrDscm) {
    const auto localized = color::Profile::openPath(made("v4.icc", kVersion4Localized));
    const auto withDscm = color::Profile::openPath(made("v2dscm.icc", kVersion2WithDscm));
    const auto plain = color::Profile::openPath(made("v2.icc", kVersion2Plain));
    ASSERT_TRUE(localized && withDscm && plain);

    EXPECT_EQ(GetLocalizedProfileName(*localized), kJapaneseName);
    // The older text 'desc' gives way to the multi-localized 'dscm'.
    EXPECT_EQ(GetLocalizedProfileName(*withDscm),
              "\xE3\x83\x9E\xE3\x83\x83\xE3\x83\x88\xE7\xB4\x99");
    EXPECT_EQ(GetLocalizedProfileName(*plain), std::nullopt);
    EXPECT_EQ(profileDisplayName(*plain), "Plain description");

    profile_test::UserLocale french("fr_CA.UTF-8");
    EXPECT_EQ(GetLocalizedProfileName(*localized), "Papier brillant");
    EXPECT_EQ(GetLocalizedProfileName(*withDscm), "Matte paper");
}

TEST_F(ProfileName, FromUrlPathAndBytes) {
    const fs::path file = made("with space.icc", kVersion4Localized);
    EXPECT_EQ(GetProfileNameFromURL("file://" + (folder_.path() / "with%20space.icc").string()),
              kJapaneseName);
    EXPECT_EQ(GetProfileNameFromURL(file.string()), kJapaneseName);
    EXPECT_EQ(GetProfileNameFromURL("with space.icc"), std::nullopt);
    EXPECT_EQ(GetProfileNameFromURL("file:///nowhere/none.icc"), std::nullopt);

    const std::vector<std::byte> bytes = profile_test::fileBytes(made("plain.icc", kVersion2Plain));
    EXPECT_EQ(GetProfileNameFromBuffer(bytes.data(), bytes.size()), "Plain description");
    EXPECT_EQ(GetProfileNameFromBuffer(bytes.data(), 100), std::nullopt);
    EXPECT_EQ(GetProfileNameFromBuffer(nullptr, 0), std::nullopt);
}

TEST_F(ProfileName, ByFileNameTheUsersFolderFirst) {
    testsupport::ScopedVariable home("HOME", folder_.path().c_str());
    testsupport::ScopedVariable data("XDG_DATA_HOME", (folder_ / "data").c_str());
    testsupport::ScopedVariable root("STRATOLINE_ROOT", (folder_ / "root").c_str());
    writeFixtureProfile(folder_ / "root/Orvane/TARN/Profiles/paper.icc", kVersion2Plain);
    writeFixtureProfile(folder_ / "data/icc/paper.icc", kVersion4Localized);
    writeFixtureProfile(folder_ / "root/Orvane/TARN/Profiles/driver.icc", kVersion2Plain);
    writeFixtureProfile(folder_ / "data/icc/sub/deep.icc", kVersion2Plain);

    std::string name, path;
    EXPECT_EQ(GetProfileNameAndPathFromFileName("paper.icc", &name, &path), 1);
    EXPECT_EQ(path, (folder_ / "data/icc/paper.icc").string());
    EXPECT_EQ(name, kJapaneseName);
    EXPECT_EQ(GetProfileNameAndPathFromFileName("driver.icc", &name, &path), 1);
    EXPECT_EQ(path, (folder_ / "root/Orvane/TARN/Profiles/driver.icc").string());
    EXPECT_EQ(name, "Plain description");

    // Only files directly in a folder, and only names.
    for (const char* absent : {"deep.icc", "sub/deep.icc", "../icc/paper.icc", "", "none.icc"}) {
        name = path = "untouched";
        EXPECT_EQ(GetProfileNameAndPathFromFileName(absent, &name, &path), 0) << absent;
        EXPECT_EQ(path, "untouched");
    }
}

TEST(ConvOutputProfName, FileNamesForDisplay) {
    struct Case {
        const char* name;
        const char* expected;
    };
    for (const Case& c :
         {Case{"QELSRGBA.ICC", "sRGB v1.20 (Orvane)"}, Case{"Glossy Paper.ICC", "Glossy Paper.icc"},
          Case{"qelsrgba.ICC", "qelsrgba.icc"}, Case{".ICC", ".icc"},
          Case{"Glossy.Icc", "Glossy.Icc"}, Case{"Glossy.icc", "Glossy.icc"}, Case{"ICC", "ICC"},
          Case{"", ""}}) {
        char buffer[kOutputProfileNameSize] = {};
        std::strcpy(buffer, c.name);
        ConvOutputProfName(buffer);
        EXPECT_STREQ(buffer, c.expected) << c.name;
    }
    // A buffer filled to its end without a terminating zero is read no further.
    char full[kOutputProfileNameSize];
    std::memset(full, 'A', sizeof full);
    std::memcpy(full + sizeof full - 5, ".ICC", 4);
    ConvOutputProfName(full);
    EXPECT_EQ(std::string(full + sizeof full - 5, 5), std::string(".icc") + 'A');
}

}  // namespace
