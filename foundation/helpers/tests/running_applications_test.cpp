// The running-application checks over programs the tests start: an application is found by its
// bundle's identifier and name while it runs and not after, whether its Info.plist lies beside
// its executable or above it; running programs are counted by their names.
#include "helpers/running_applications.h"

#include <gtest/gtest.h>

#include <string>

#include "cf/property_list.h"
#include "support/running_program.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::RunningProgram;

// A bundle folder with an Info.plist of `identifier` and `name`.
void writeBundle(const fs::path& folder, const std::string& identifier, const std::string& name) {
    fs::create_directories(folder);
    cf::Value info = cf::Value::emptyDictionary();
    info.set("CFBundleIdentifier", identifier);
    info.set("CFBundleName", name);
    ASSERT_EQ(cf::writePropertyListFile(folder / "Info.plist", info), cf::PlistStatus::Ok);
}

// An identifier no other test's application carries: the temporary folder's unique name.
std::string uniqueIdentifier(const testsupport::TemporaryFolder& folder, const char* kind) {
    return "com.stratoline.test." + folder.path().filename().string() + "." + kind;
}

TEST(RunningApplications, ProcessCheckerFindsAnApplicationByItsBundleIdentifierAndName) {
    const testsupport::TemporaryFolder folder;
    const std::string photo = uniqueIdentifier(folder, "photo");
    const std::string agent = uniqueIdentifier(folder, "agent");
    // The shape of an application folder, and a program beside its Info.plist.
    writeBundle(folder / "Photo.app", photo, "Strato Photo");
    writeBundle(folder / "Agent", agent, "Strato Agent");
    RunningProgram application(folder / "Photo.app/Contents/MacOS/Strato Photo");
    RunningProgram program(folder / "Agent/Strato Agent");
    ASSERT_TRUE(application.running());
    ASSERT_TRUE(program.running());

    struct Case {
        const char* name;
        const char* identifier;
        int found;
    };
    for (const Case& c : {
             Case{"Strato Photo", photo.c_str(), 1},
             Case{"Strato Agent", agent.c_str(), 1},
             Case{"Strato Photo 4", photo.c_str(), 0},
             Case{"Strato Agent", photo.c_str(), 0},
             Case{"Strato Photo", "com.stratoline.test.none", 0},
             Case{"", "", 0},
             Case{nullptr, photo.c_str(), 0},
             Case{"Strato Photo", nullptr, 0},
         }) {
        EXPECT_EQ(ProcessChecker(c.name, c.identifier), c.found)
            << (c.name ? c.name : "(null)") << " / " << (c.identifier ? c.identifier : "(null)");
    }

    application.stop();
    EXPECT_EQ(ProcessChecker("Strato Photo", photo.c_str()), 0);
    EXPECT_EQ(ProcessChecker("Strato Agent", agent.c_str()), 1);
}

TEST(RunningApplications, ProgramsAreCountedByName) {
    const testsupport::TemporaryFolder folder;
    const std::string first = "strato-" + folder.path().filename().string();
    const std::string second = first + "-lite";
    const std::string_view both[] = {first, second};
    const std::string_view firstOnly[] = {first};
    EXPECT_EQ(runningProgramCount(both), 0);

    RunningProgram a(folder / "a" / first);
    RunningProgram b(folder / "b" / first);
    RunningProgram lite(folder / second);
    ASSERT_TRUE(a.running() && b.running() && lite.running());
    EXPECT_EQ(runningProgramCount(both), 3);
    EXPECT_EQ(runningProgramCount(firstOnly), 2);
    a.stop();
    EXPECT_EQ(runningProgramCount(both), 2);
    lite.stop();
    EXPECT_EQ(runningProgramCount(both), 1);
}

TEST(RunningApplications, TwoImageEditingHostsCountTwo) {
    const testsupport::TemporaryFolder folder;
    const std::string host(kImageEditingHostPrograms.front());
    RunningProgram first(folder / "first" / host);
    RunningProgram second(folder / "second" / host);
    ASSERT_TRUE(first.running() && second.running());
    // Hosts that other tests run at the same time count as well.
    EXPECT_GE(Check_RunningPhotoshopCount(), 2);
}

}  // namespace
