// The program's command line and passes: what exits with which status, which folders the check
// makes, which names are refused, and that a good new file is never replaced.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "conversion_check.h"
#include "converter_test_support.h"

namespace {

using namespace convertertest;

class DataConverter : public testing::Test {
  protected:
    Folders folders_;
};

TEST_F(DataConverter, MissingArgumentOrUnknownModeDoesNothing) {
    Folders::place("ui2.pref", folders_.printer(), "ui2.pref");
    const std::vector<std::vector<std::string>> commands = {{},
                                                            {kPrinter},
                                                            {kPrinter, kProduct},
                                                            {kPrinter, kProduct, "Check"},
                                                            {kPrinter, kProduct, ""},
                                                            {kPrinter, kProduct, "convert-all"}};
    for (const auto& command : commands) {
        EXPECT_EQ(runConverter(command), 0) << command.size() << " arguments";
    }
    EXPECT_FALSE(fs::exists(folders_.printer() / "ui3.xml"));
}

TEST_F(DataConverter, CheckReportsWaitingFilesAndConvertExitsWithZero) {
    EXPECT_EQ(check(), 0) << "nothing to convert";
    EXPECT_TRUE(fs::is_directory(folders_.printer())) << "the check makes the printer's folder";

    Folders::place("user.pref", folders_.common(), "user.pref");
    Folders::place("connect.pref", folders_.printer(), "connect.pref");
    Folders::place("ui2.pref", folders_.printer(), "ui2.pref");
    Folders::place("Job.pref", folders_.printer(), "Job.pref");
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(convert(), 0);
    EXPECT_EQ(oracle("user", folders_.common() / "user3.xml", folders_), 0);
    EXPECT_EQ(oracle("job", folders_.printer() / "job3.xml", folders_), 0);
    EXPECT_EQ(oracle("connect", folders_.printer() / "connect3.xml", folders_), 0);
    EXPECT_EQ(oracle("ui2", folders_.printer() / "ui3.xml", folders_), 0);
    EXPECT_EQ(check(), 0);
}

TEST_F(DataConverter, ConvertingAgainLeavesTheConvertedFiles) {
    Folders::place("ui2.pref", folders_.printer(), "ui2.pref");
    ASSERT_EQ(convert(), 0);
    // A later change by the dialog must survive the next run.
    const fs::path converted = folders_.printer() / "ui3.xml";
    settingstest::writeText(converted, "<plist><array/></plist>");
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(convert(), 0);
    EXPECT_EQ(settingstest::fileText(converted), "<plist><array/></plist>");
}

TEST_F(DataConverter, BrokenNewFileIsReplaced) {
    Folders::place("ui2.pref", folders_.printer(), "ui2.pref");
    settingstest::writeText(folders_.printer() / "ui3.xml", "not a property list");
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(convert(), 0);
    EXPECT_EQ(oracle("ui2", folders_.printer() / "ui3.xml", folders_), 0);
}

// A good new file wins over any old file, however broken, and stays byte for byte.
TEST_F(DataConverter, GoodNewFileIsNeverTouched) {
    const struct {
        const char* fixture;
        const char* oldName;
        const char* newName;
        fs::path folder;
    } kinds[] = {
        {"user_name255.pref", "user.pref", "user3.xml", folders_.common()},
        {"connect_kind_open.pref", "connect.pref", "connect3.xml", folders_.printer()},
        {"ui2_curve1000.pref", "ui2.pref", "ui3.xml", folders_.printer()},
        {"Job_negative.pref", "Job.pref", "job3.xml", folders_.printer()},
    };
    const std::string good = "<plist version=\"1.0\"><dict><key>Kept</key><true/></dict></plist>";
    for (const auto& kind : kinds) {
        Folders::place(kind.fixture, kind.folder, kind.oldName);
        settingstest::writeText(kind.folder / kind.newName, good);
    }
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(convert(), 0);
    for (const auto& kind : kinds) {
        EXPECT_EQ(settingstest::fileText(kind.folder / kind.newName), good) << kind.newName;
    }
}

// Only a regular file can be converted: a folder or a pipe in an old file's place waits for
// nothing, and the pipe holds neither pass.
TEST_F(DataConverter, OldFileThatIsNoRegularFileDoesNotWait) {
    fs::create_directories(folders_.printer() / "ui2.pref");
    ASSERT_EQ(::mkfifo((folders_.printer() / "connect.pref").c_str(), 0600), 0);
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(convert(), 0);
    EXPECT_FALSE(fs::exists(folders_.printer() / "connect3.xml"));
}

// What can stand at a new file's name instead of a file.
enum class Obstacle { Folder, Pipe, LinkToPipe };

void plant(Obstacle obstacle, const fs::path& path, const fs::path& pipe) {
    switch (obstacle) {
        case Obstacle::Folder:
            fs::create_directories(path);
            break;
        case Obstacle::Pipe:
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            break;
        case Obstacle::LinkToPipe:
            ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
            fs::create_symlink(pipe, path);
            break;
    }
}

// A folder or a pipe at a new file's name, directly or through a link, is no good new file: its
// kind waits, and neither pass ends early or waits on it, so the other kinds are converted all
// the same. A folder there aborted the program with an uncaught stream error, and a pipe held
// the check for good.
TEST(DataConverterNewName, TakenByAFolderOrAPipeOnlyItsKindWaits) {
    struct Kind {
        const char* oldName;
        const char* newName;
        bool common;
    };
    const Kind kinds[] = {{"user.pref", "user3.xml", true},
                          {"connect.pref", "connect3.xml", false},
                          {"ui2.pref", "ui3.xml", false},
                          {"Job.pref", "job3.xml", false}};
    for (const Obstacle obstacle : {Obstacle::Folder, Obstacle::Pipe, Obstacle::LinkToPipe}) {
        for (const Kind& blocked : kinds) {
            const std::string round = std::string(blocked.newName) + " taken by obstacle " +
                                      std::to_string(static_cast<int>(obstacle));
            Folders folders;
            const auto folderOf = [&](const Kind& kind) {
                return kind.common ? folders.common() : folders.printer();
            };
            for (const Kind& kind : kinds) {
                Folders::place(kind.oldName, folderOf(kind), kind.oldName);
            }
            const fs::path taken = folderOf(blocked) / blocked.newName;
            plant(obstacle, taken, folders.preferences() / "pipe");

            EXPECT_EQ(check(), 1) << round;
            EXPECT_EQ(convert(), 0) << round;
            for (const Kind& kind : kinds) {
                if (&kind != &blocked) {
                    EXPECT_TRUE(isGoodNewFile(folderOf(kind) / kind.newName))
                        << round << ": " << kind.newName << " converted all the same";
                }
            }
            EXPECT_FALSE(fs::is_regular_file(taken)) << round;
            EXPECT_EQ(check(), 1) << round << ": its kind still waits";
        }
    }
}

// An earlier version wrote control characters of old names into the settings files as they
// were, which no XML reader but its own took: such a file is broken, so its kind is converted
// again, into a file that holds the names without them.
TEST_F(DataConverter, NewFileHoldingAControlCharacterIsConvertedAgain) {
    Folders::place("user.pref", folders_.common(), "user.pref");
    settingstest::writeText(folders_.common() / "user3.xml",
                            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<plist version=\"1.0\"><dict><key>CustomPaperVers</key>"
                            "<integer>100</integer><key>CustomPapers</key><array><dict>"
                            "<key>PaperName</key><string>Bell\x07Paper</string></dict></array>"
                            "</dict></plist>\n");
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(convert(), 0);
    EXPECT_EQ(oracle("user", folders_.common() / "user3.xml", folders_), 0);
    EXPECT_EQ(check(), 0);
}

TEST_F(DataConverter, EmptyPrinterNameChecksNothingAndConvertsOnlyThePaperList) {
    Folders::place("user.pref", folders_.common(), "user.pref");
    EXPECT_EQ(check("", kProduct), 0);
    EXPECT_FALSE(fs::exists(folders_.preferences() / kProduct)) << "no folder is made";
    EXPECT_EQ(check(kPrinter, ""), 0);

    EXPECT_EQ(convert("", kProduct), 0);
    EXPECT_EQ(oracle("user", folders_.common() / "user3.xml", folders_), 0);
    EXPECT_FALSE(fs::exists(folders_.preferences() / kProduct));
}

TEST_F(DataConverter, NonAsciiPrinterNameNamesItsFolderInUtf8) {
    const char* printer = "B\xC3\xBCro SL-7440";
    Folders::place("ui2.pref", folders_.printer(printer), "ui2.pref");
    EXPECT_EQ(check(printer), 1);
    EXPECT_EQ(convert(printer), 0);
    EXPECT_EQ(oracle("ui2", folders_.printer(printer) / "ui3.xml", folders_), 0);
}

TEST_F(DataConverter, WithoutPreferencesNothingWaits) {
    Folders::place("ui2.pref", folders_.printer(), "ui2.pref");
    fs::rename(folders_.preferences(), folders_.preferences().parent_path() / "Moved");
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(convert(), 0);
    EXPECT_FALSE(fs::exists(folders_.preferences()));
}

// Printer and product names become folder names: one that would lead out of its folder is
// refused before anything is looked at, and nothing is written where it points.
TEST_F(DataConverter, NamesLeadingOutOfTheirFolderAreRefused) {
    const fs::path preferences = folders_.preferences();
    const struct {
        const char* printer;
        const char* product;
        fs::path reached;
    } names[] = {
        {"../x", kProduct, preferences / "x"},
        {"..", kProduct, preferences},
        {".", kProduct, preferences / kProduct},
        {"a/b", kProduct, preferences / kProduct / "a/b"},
        {kPrinter, "..", preferences.parent_path() / kPrinter},
        {kPrinter, "../Outside", preferences.parent_path() / "Outside" / kPrinter},
    };
    Folders::place("user.pref", folders_.common(), "user.pref");
    for (const auto& name : names) {
        Folders::place("ui2.pref", name.reached, "ui2.pref");
        EXPECT_EQ(check(name.printer, name.product), 0) << name.printer << " " << name.product;
        EXPECT_EQ(convert(name.printer, name.product), 0);
        EXPECT_FALSE(fs::exists(name.reached / "ui3.xml")) << name.reached;
    }
    EXPECT_FALSE(fs::exists(folders_.common() / "user3.xml")) << "nothing at all is done";
}

}  // namespace
