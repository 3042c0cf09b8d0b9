// The plug-in's call of the migration program: a copy of the stand-in plug-in bundle gets a
// program in its SharedSupport folder (a script that records its arguments, or the real program),
// and the call hands over the printer queue and the host's product folder and gives back the
// exit status.
#include "launch/run_data_converter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>

#include "cf/bundle.h"
#include "cf/value.h"
#include "rastercore/common_info_table.h"
#include "settings/tests/settings_test_support.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
using RunProc = std::int32_t (*)(CommonInfoTable*, const char*);

class RunDataConverterTest : public testing::Test {
  protected:
    void SetUp() override {
        fs::copy(PLUGIN_STAND_IN, bundleFolder(), fs::copy_options::recursive);
        fs::create_directories(bundleFolder() / "SharedSupport");
        table_.printerQueueName = &queue_;
        table_.hostType = 1;
    }

    fs::path bundleFolder() const { return folder_ / "ZORVEX_common_V600_PS.bundle"; }
    fs::path program() const { return bundleFolder() / kDataConverterProgram; }
    fs::path record() const { return folder_ / "arguments"; }

    // A program that writes its arguments, one a line, and exits with `status`.
    void installRecorder(const std::string& body) {
        settingstest::writeText(program(), "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" +
                                               record().string() + "'\n" + body + "\n");
        fs::permissions(program(), fs::perms(0755));
    }

    std::int32_t run(const char* mode) {
        if (!bundle_) {
            bundle_ = cf::Bundle::open(bundleFolder());
        }
        auto call = reinterpret_cast<RunProc>(bundle_->symbol("standInRunDataConverter"));
        EXPECT_NE(call, nullptr);
        return call != nullptr ? call(&table_, mode) : -1;
    }

    testsupport::TemporaryFolder folder_;
    cf::Value queue_{"SL-7440 Studio"};
    CommonInfoTable table_{};
    std::unique_ptr<cf::Bundle> bundle_;
};

TEST_F(RunDataConverterTest, HandsOverQueueProductFolderAndModeByHostType) {
    installRecorder("exit 0");
    const struct {
        std::uint8_t hostType;
        const char* product;
    } hosts[] = {
        {1, "Stratoline Print Plug-In"}, {2, "VPX Print Plug-In"}, {0, "Stratoline Print Plug-In"}};
    for (const auto& host : hosts) {
        table_.hostType = host.hostType;
        EXPECT_EQ(run("check"), 0);
        EXPECT_EQ(settingstest::fileText(record()),
                  std::string("SL-7440 Studio\n") + host.product + "\ncheck\n");
    }
}

TEST_F(RunDataConverterTest, GivesTheExitStatusOrTheRawWaitStatus) {
    installRecorder("exit 1");
    EXPECT_EQ(run("check"), 1);
    installRecorder("exit 200");
    EXPECT_EQ(run("check"), 200);
    installRecorder("kill -TERM $$");
    EXPECT_EQ(run("check"), SIGTERM) << "a program ended by a signal gives the raw wait status";
}

TEST_F(RunDataConverterTest, LongQueueNameIsCutAtACharacter) {
    installRecorder("exit 0");
    // 127 two-byte characters and one more: 256 bytes, of which 254 are handed over.
    std::string name;
    for (int i = 0; i < 128; ++i) {
        name += "\xC3\xA9";
    }
    queue_ = cf::Value(name);
    EXPECT_EQ(run("check"), 0);
    const std::string arguments = settingstest::fileText(record());
    EXPECT_EQ(arguments.substr(0, arguments.find('\n')), name.substr(0, 254));
}

TEST_F(RunDataConverterTest, NothingRunsWithoutQueueNameOrProgram) {
    installRecorder("exit 1");
    table_.printerQueueName = nullptr;
    EXPECT_EQ(run("check"), 0);
    EXPECT_FALSE(fs::exists(record())) << "the program is not started";

    table_.printerQueueName = &queue_;
    fs::remove(program());
    EXPECT_EQ(run("check"), 0) << "a program that cannot be executed";

    EXPECT_EQ(RunDataConverter(&table_, "check"), 0) << "this test program is in no bundle";
    EXPECT_EQ(run("check"), 0);
}

// The whole road: the plug-in asks, and on 1 converts, through the real program.
TEST_F(RunDataConverterTest, RealProgramChecksThenConverts) {
    fs::copy_file(DATA_CONVERTER, program());
    settingstest::PreferencesFolder preferences;
    const fs::path printer =
        preferences.printerFolder("Stratoline Print Plug-In", "SL-7440 Studio");
    fs::create_directories(printer);
    fs::copy_file(fs::path(CONVERTER_DATA) / "connect.pref", printer / "connect.pref");

    EXPECT_EQ(run("check"), 1);
    EXPECT_EQ(run("convert"), 0);
    EXPECT_TRUE(fs::exists(printer / "connect3.xml"));
    EXPECT_EQ(run("check"), 0);
}

}  // namespace
