// The library's settings: defaults, the settings file and its location. Each case reads the
// file in a fresh process, because the one settings instance reads it once per process.
#include "registry/lib_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <thread>
#include <vector>

#include "cf/property_list.h"
#include "support/temporary_folder.h"

namespace {

constexpr const char* kSettingsVariable = "STRATOLINE_DOVO_SETTINGS";

struct Intervals {
    double dequeue;
    double pausing;
    double waitForCompleteTask;
    double tryLock;
};

// The four intervals as a fresh process reads them with the settings file at `path`.
Intervals intervalsReadFrom(const std::filesystem::path& path) {
    const std::string command =
        std::string(kSettingsVariable) + "='" + path.string() + "' '" SETTINGS_PROBE_PATH "'";
    Intervals read{-1, -1, -1, -1};
    FILE* probe = ::popen(command.c_str(), "r");
    EXPECT_NE(probe, nullptr);
    if (probe != nullptr) {
        EXPECT_EQ(std::fscanf(probe, "%lf %lf %lf %lf", &read.dequeue, &read.pausing,
                              &read.waitForCompleteTask, &read.tryLock),
                  4);
        EXPECT_EQ(::pclose(probe), 0);
    }
    return read;
}

void expectIntervals(const Intervals& read, const Intervals& expected) {
    EXPECT_DOUBLE_EQ(read.dequeue, expected.dequeue);
    EXPECT_DOUBLE_EQ(read.pausing, expected.pausing);
    EXPECT_DOUBLE_EQ(read.waitForCompleteTask, expected.waitForCompleteTask);
    EXPECT_DOUBLE_EQ(read.tryLock, expected.tryLock);
}

constexpr Intervals kDefaults{0.002, 0.002, 0.002, 0.002};

void writeSettings(const std::filesystem::path& path, std::map<std::string, cf::Value> entries) {
    cf::Value settings = cf::Value::emptyDictionary();
    for (auto& [key, value] : entries) {
        settings.set(key, std::move(value));
    }
    ASSERT_EQ(cf::writePropertyListFile(path, settings), cf::PlistStatus::Ok);
}

TEST(LibSettings, OnlyLockRetryIntervalSetChangesOnlyThatInterval) {
    testsupport::TemporaryFolder folder;
    writeSettings(folder / "Settings.plist", {{"LockRetryInterval", cf::Value(0.05)}});
    expectIntervals(intervalsReadFrom(folder / "Settings.plist"), {0.002, 0.002, 0.002, 0.05});
}

TEST(LibSettings, EveryKeyIsReadAsADouble) {
    testsupport::TemporaryFolder folder;
    writeSettings(folder / "Settings.plist",
                  {{"AdminThreadDequeueInterval", cf::Value(0.25)},
                   {"AdminThreadPausingInterval", cf::Value(std::int32_t{2})},
                   {"WaitForCompleteTaskRetryInterval", cf::Value(0.125)},
                   {"LockRetryInterval", cf::Value(0.5)}});
    expectIntervals(intervalsReadFrom(folder / "Settings.plist"), {0.25, 2.0, 0.125, 0.5});
}

TEST(LibSettings, MissingBadOrUnsleepableSettingsKeepTheDefaults) {
    testsupport::TemporaryFolder folder;
    std::ofstream(folder / "garbage.plist") << "not a property list";
    cf::Value array = cf::Value::emptyArray();
    array.append(cf::Value(0.5));
    ASSERT_EQ(cf::writePropertyListFile(folder / "array.plist", array), cf::PlistStatus::Ok);
    // A negative or infinite sleep would turn the polling loops into busy loops or hangs.
    writeSettings(folder / "unsleepable.plist",
                  {{"AdminThreadDequeueInterval", cf::Value(-1.0)},
                   {"AdminThreadPausingInterval", cf::Value(std::nan(""))},
                   {"WaitForCompleteTaskRetryInterval", cf::Value("0.5")},
                   {"LockRetryInterval", cf::Value(HUGE_VAL)}});
    // A sleep of an hour, or one too long to convert to the clock's ticks, would stall every wait.
    writeSettings(folder / "too long.plist",
                  {{"AdminThreadDequeueInterval", cf::Value(3600.0)},
                   {"AdminThreadPausingInterval", cf::Value(1e300)},
                   {"WaitForCompleteTaskRetryInterval", cf::Value(std::int32_t{86400})},
                   {"LockRetryInterval", cf::Value(1e300)}});
    for (const char* name :
         {"absent.plist", "garbage.plist", "array.plist", "unsleepable.plist", "too long.plist"}) {
        SCOPED_TRACE(name);
        expectIntervals(intervalsReadFrom(folder / name), kDefaults);
    }
}

TEST(LibSettings, FileIsFoundBesideTheLibraryWithoutTheVariable) {
    ::unsetenv(kSettingsVariable);
    const auto path = CLibSettings::settingsFilePath();
    EXPECT_EQ(path.filename(), "Settings.plist");
    EXPECT_EQ(path.parent_path().filename(), "DovoCommonLib.resources");
}

TEST(LibSettings, DeliveredFileSitsBesideTheSharedLibrary) {
    const auto path = std::filesystem::path(DOVO_LIBRARY_PATH).parent_path() /
                      "DovoCommonLib.resources/Settings.plist";
    expectIntervals(intervalsReadFrom(path), kDefaults);
    cf::Value settings;
    ASSERT_EQ(cf::readPropertyListFile(path, settings), cf::PlistStatus::Ok);
    EXPECT_NE(settings.find("LockRetryInterval"), nullptr);
}

TEST(LibSettings, OneInstanceForEveryThread) {
    const CLibSettings* seen[4] = {};
    std::vector<std::thread> threads;
    for (auto& slot : seen) {
        threads.emplace_back([&slot] { slot = &CLibSettings::sharedSettings(); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (const auto* instance : seen) {
        EXPECT_EQ(instance, &CLibSettings::sharedSettings());
    }
}

}  // namespace
