// The colour engine's settings file (checked with Python's plistlib) and the colour modes.
#include "profiles/color_engine_settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "cf/property_list.h"
#include "support/python_oracle.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kOracle = std::string(PROFILES_ORACLE_DIR) + "/bpc_oracle.py";

class BlackPointSetting : public testing::Test {
  protected:
    fs::path file() const { return folder_ / "prefs" / kColorEngineSettingsFile; }

    int oracle(const char* bpc, const char* dither, std::vector<std::string> more = {}) const {
        more.insert(more.begin(), {file().string(), bpc, dither});
        return testsupport::runPython(kOracle, more);
    }

    void writeSettings(const cf::Value& settings) const {
        fs::create_directories(file().parent_path());
        ASSERT_EQ(cf::writePropertyListFile(file(), settings, cf::PropertyListFormat::Binary),
                  cf::PlistStatus::Ok);
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable preferences_{"XDG_CONFIG_HOME", (folder_ / "prefs").c_str()};
};

TEST_F(BlackPointSetting, MissingFileIsCreatedWithTheValueAndDither) {
    for (const bool write : {false, true}) {
        for (const bool value : {false, true}) {
            fs::remove_all(folder_ / "prefs");
            EXPECT_EQ(Check_BPCValueFromPlist(write, value), value);
            EXPECT_EQ(oracle(value ? "true" : "false", "true"), 0) << write << value;
        }
    }
}

TEST_F(BlackPointSetting, PresentFileIsReadAndWrittenWhole) {
    cf::Value settings = cf::Value::emptyDictionary();
    settings.set("BlackPointCompensation", false);
    settings.set("Engine", "kept");
    writeSettings(settings);
    EXPECT_FALSE(Check_BPCValueFromPlist(false, true));

    EXPECT_TRUE(Check_BPCValueFromPlist(true, true));
    EXPECT_EQ(oracle("true", "absent", {"Engine=kept"}), 0);
    EXPECT_FALSE(Check_BPCValueFromPlist(true, false));
    EXPECT_FALSE(Check_BPCValueFromPlist(false, true));
}

TEST_F(BlackPointSetting, MissingKeyReadsTrueAndIsAddedWhenWritten) {
    cf::Value settings = cf::Value::emptyDictionary();
    settings.set("Engine", "kept");
    writeSettings(settings);
    EXPECT_TRUE(Check_BPCValueFromPlist(false, false));
    EXPECT_FALSE(Check_BPCValueFromPlist(true, false));
    // The answer is what the file now holds.
    EXPECT_EQ(oracle("false", "absent", {"Engine=kept"}), 0);
    EXPECT_FALSE(Check_BPCValueFromPlist(false, true));

    // Only the Boolean false reads as false.
    settings.set("BlackPointCompensation", std::int32_t{0});
    writeSettings(settings);
    EXPECT_TRUE(Check_BPCValueFromPlist(false, false));
}

TEST_F(BlackPointSetting, UnreadableFileOrFolderAnswersTrueAndWritesNothing) {
    fs::create_directories(file().parent_path());
    std::ofstream(file()) << "not a property list";
    EXPECT_TRUE(Check_BPCValueFromPlist(true, false));
    std::ifstream in(file());
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "not a property list");

    std::ofstream(folder_ / "plain") << "a file where the folder should be";
    testsupport::ScopedVariable blocked("XDG_CONFIG_HOME", (folder_ / "plain/prefs").c_str());
    EXPECT_TRUE(Check_BPCValueFromPlist(true, false));
    EXPECT_FALSE(fs::exists(folder_ / "plain/prefs"));
}

TEST(CheckColor, ColourModes) {
    const int expected[] = {0, 1, 0, 1, 1, 0};
    for (int mode = 0; mode < 6; ++mode) {
        EXPECT_EQ(CheckColor(mode), expected[mode]) << mode;
    }
    EXPECT_EQ(CheckColor(-1), 0);
}

}  // namespace
