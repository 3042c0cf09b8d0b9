#include "loaders/interface_bundle_id.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/python_oracle.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

class InterfaceBundleIDTest : public ::testing::Test {
  protected:
    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable temporary_{"TMPDIR", folder_.path().c_str()};
};

TEST_F(InterfaceBundleIDTest, WrittenFileIsOneDictionaryWithTheIdentifier) {
    SetInterfaceBundleID("com.example.first");
    SetInterfaceBundleID("com.stratoline.shell");
    const auto file = folder_.path() / "TemporaryItems/InterfaceBundleID_PS.plist";
    ASSERT_EQ(interfaceBundleIDFile(), file);
    EXPECT_EQ(testsupport::runPython(std::string(LOADERS_ORACLE_DIR) + "/identifier_file_oracle.py",
                                     {file.string(), "com.stratoline.shell"}),
              0);
    EXPECT_EQ(GetInterfaceBundleID(), "com.stratoline.shell");
    DeleteInterfaceBundleIDFile(nullptr);
    EXPECT_FALSE(std::filesystem::exists(file));
    DeleteInterfaceBundleIDFile(nullptr);
    EXPECT_EQ(GetInterfaceBundleID(), std::nullopt);
}

TEST_F(InterfaceBundleIDTest, FilesWithoutAStringIdentifierGiveNone) {
    const auto file = folder_.path() / "TemporaryItems/InterfaceBundleID_PS.plist";
    std::filesystem::create_directories(file.parent_path());
    for (const char* body : {
             "<plist version=\"1.0\"><dict><key>Other</key><string>x</string></dict></plist>",
             "<plist "
             "version=\"1.0\"><dict><key>IFBundleID</key><integer>3</integer></dict></plist>",
             "<plist version=\"1.0\"><array/></plist>",
             "not a property list",
         }) {
        std::ofstream(file, std::ios::trunc) << body;
        EXPECT_EQ(GetInterfaceBundleID(), std::nullopt) << body;
    }
}

TEST_F(InterfaceBundleIDTest, CheckURL) {
    const auto present = folder_.path();
    const auto absent = folder_.path() / "absent";
    EXPECT_EQ(checkURL(&present), 1);
    EXPECT_EQ(checkURL(&absent), 0);
    EXPECT_EQ(checkURL(nullptr), 0);
}

}  // namespace
