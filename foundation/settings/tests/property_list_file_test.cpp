// Numbers into dictionaries, and property lists to files: replaced whole or not at all.
#include "settings/property_list_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "cf/property_list.h"
#include "settings/settings_folders.h"
#include "settings/ui_setting.h"
#include "settings_test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(setDicNumber, StoresSixteenAndThirtyTwoBitNumbersOnly) {
    cf::Value dict = cf::Value::emptyDictionary();
    const std::int16_t small = -32768;
    const std::int32_t large = 2147483647;
    EXPECT_EQ(setDicNumber(&dict, &small, kNumberSInt16, "small"), 0);
    EXPECT_EQ(setDicNumber(&dict, &large, kNumberSInt32, "large"), 0);
    EXPECT_EQ(setDicNumber(&dict, &large, 4, "other type"), 0);
    EXPECT_EQ(setDicNumber(&dict, nullptr, kNumberSInt32, "no value"), 0);
    EXPECT_EQ(setDicNumber(&dict, &large, kNumberSInt32, nullptr), 0);
    EXPECT_EQ(setDicNumber(nullptr, &large, kNumberSInt32, "no dictionary"), 0);

    cf::Value expected = cf::Value::emptyDictionary();
    expected.set("small", cf::Value(std::int32_t{-32768}));
    expected.set("large", cf::Value(std::int32_t{2147483647}));
    EXPECT_EQ(dict, expected);
}

TEST(WritePropertyListToFile, MissingArgumentsAndUnwritableListsAreReported) {
    testsupport::TemporaryFolder folder;
    const fs::path path = folder / "list.xml";
    const cf::Value list = cf::Value::emptyDictionary();
    const cf::Value nothing;
    EXPECT_EQ(WritePropertyListToFile(nullptr, &path), -50);
    EXPECT_EQ(WritePropertyListToFile(&list, nullptr), -50);
    EXPECT_EQ(WritePropertyListToFile(&nothing, &path), -50);

    cf::Value holdsNull = cf::Value::emptyDictionary();
    holdsNull.set("null", cf::Value());
    EXPECT_EQ(WritePropertyListToFile(&holdsNull, &path), -20);
    const fs::path noFolder = folder / "absent" / "list.xml";
    EXPECT_EQ(WritePropertyListToFile(&list, &noFolder), -20);  // could not be created: not 0
    const fs::path aFolder = folder.path();
    EXPECT_EQ(WritePropertyListToFile(&list, &aFolder), -20);
    EXPECT_FALSE(fs::exists(path));
}

TEST(WritePropertyListToFile, WritesXmlAndKeepsTheFileMode) {
    testsupport::TemporaryFolder folder;
    const fs::path path = folder / "list.xml";
    cf::Value list = cf::Value::emptyDictionary();
    list.set("Copies", cf::Value(std::int32_t{2}));
    ASSERT_EQ(WritePropertyListToFile(&list, &path), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    list.set("Copies", cf::Value(std::int32_t{3}));
    ASSERT_EQ(WritePropertyListToFile(&list, &path), 0);

    EXPECT_TRUE(settingstest::fileText(path).starts_with("<?xml"));
    cf::Value read;
    ASSERT_EQ(cf::readPropertyListFile(path, read), cf::PlistStatus::Ok);
    EXPECT_EQ(read, list);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

// A file its user made read-only stays as it is, as it would if it were written in place. Root
// may open any file for writing, so the write runs in a child as "nobody".
TEST(WritePropertyListToFile, ReadOnlyFileIsNotReplaced) {
    settingstest::PreferencesFolder shared;
    const fs::path path = shared.preferences() / "list.xml";
    settingstest::writeText(path, "before");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const cf::Value list = cf::Value::emptyArray();
    EXPECT_EQ(settingstest::runUnprivileged(
                  [&] { return WritePropertyListToFile(&list, &path) == -20 ? 0 : 1; }),
              0);
    EXPECT_EQ(settingstest::fileText(path), "before");
}

// Runs `body` in a child that may write files of at most `bytes`; writing past that fails with
// EFBIG, as on a full disk. Its exit status, or -1.
int runWithFileSizeLimit(rlim_t bytes, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        ::_exit(::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? body() : 126);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WritePropertyListToFile, WriteFailingHalfWayKeepsThePreviousFile) {
    settingstest::PreferencesFolder preferences;
    UISavePtr previous(CreateUISave());
    previous->Copies = 1;
    SaveUISetting("SL-7440", previous.get(), kProductFolderStratoline);
    const fs::path folder = preferences.printerFolder(kProductFolderStratoline, "SL-7440");
    const fs::path path = folder / "ui3.xml";
    const std::string before = settingstest::fileText(path);
    ASSERT_FALSE(before.empty());

    UISavePtr next(CreateUISave());
    next->Copies = 2;
    next->CommentDetails = std::string(1000, 'c');
    const cf::Value list = *SetUISaveTbl(next.get());
    constexpr rlim_t kRoomForPartOfTheFile = 1024;
    EXPECT_EQ(runWithFileSizeLimit(kRoomForPartOfTheFile,
                                   [&] {
                                       SaveUISetting("SL-7440", next.get(),
                                                     kProductFolderStratoline);
                                       return WritePropertyListToFile(&list, &path) == -20 ? 0 : 1;
                                   }),
              0);
    EXPECT_EQ(settingstest::fileText(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);  // no temporary left
}

}  // namespace
