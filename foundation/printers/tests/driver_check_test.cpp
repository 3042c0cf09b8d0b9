// The driver checks: the status monitor's bundle version and the FileVersion of the model's
// installed PPD; the project's PPDs pass the conformance test.
#include "printers/driver_check.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <regex>

#include "cf/property_list.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPpds = PRINTERS_TEST_PPD_DIR;
constexpr char kSl7000[] = "Orvane Stratoline SL-7000";
constexpr char kSl5000[] = "Orvane Stratoline SL-5000";

class DriverCheck : public testing::Test {
  protected:
    fs::path ppdFolder() const { return folder_ / "root/PPDs/Contents/Resources"; }

    void install(const std::string& fixture, const std::string& as) const {
        fs::create_directories(ppdFolder());
        fs::copy_file(kPpds / fixture, ppdFolder() / as);
    }

    // A variant of a fixture made here: `line` replaced by `replacement`.
    void installEdited(const std::string& fixture, const std::string& as, const std::string& line,
                       const std::string& replacement) const {
        std::ifstream in(kPpds / fixture);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        fs::create_directories(ppdFolder());
        std::ofstream(ppdFolder() / as) << std::regex_replace(text, std::regex(line), replacement);
    }

    void monitorVersion(const char* version) const {
        const fs::path app = folder_ / "root" / kPrintMonitorApp;
        fs::create_directories(app);
        cf::Value info = cf::Value::emptyDictionary();
        info.set("CFBundleIdentifier", "orvane.tarn.printmonitor");
        if (version != nullptr) {
            info.set("CFBundleVersion", version);
        }
        ASSERT_EQ(cf::writePropertyListFile(app / "Info.plist", info), cf::PlistStatus::Ok);
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", (folder_ / "root").c_str()};
    testsupport::ScopedVariable data_{"CUPS_DATADIR", (folder_ / "cups").c_str()};
};

TEST_F(DriverCheck, PpdFileVersionFromFiveOn) {
    install("sl7000.ppd", "sl7000.ppd");
    install("sl5000.ppd", "sl5000.ppd");
    EXPECT_TRUE(isPPDSupported(kSl7000));
    EXPECT_FALSE(isPPDSupported(kSl5000));
    EXPECT_FALSE(isPPDSupported("Orvane Stratoline SL-9000"));
    EXPECT_FALSE(isPPDSupported("orvane stratoline sl-7000"));
    EXPECT_FALSE(isPPDSupported(nullptr));
}

TEST_F(DriverCheck, FirstPpdWithAFileVersionDecides) {
    install("sl7000.ppd", "b_sl7000.ppd");
    // Walked first, and passed over for want of a FileVersion.
    installEdited("sl7000.ppd", "a_without_version.ppd", "\\*FileVersion: \"5.0\"\n", "");
    EXPECT_TRUE(isPPDSupported(kSl7000));
    // Walked first with an old FileVersion: that one answers.
    installEdited("sl7000.ppd", "a_old.ppd", "\"5.0\"", "\"4.99\"");
    EXPECT_FALSE(isPPDSupported(kSl7000));
}

TEST_F(DriverCheck, StatusMonitorVersionFromFiveOn) {
    EXPECT_FALSE(isPrintMonitorSupprted());
    struct Case {
        const char* version;
        bool supported;
    };
    for (const Case& c :
         {Case{"5.0.1", true}, Case{"10.2", true}, Case{"5", true}, Case{"4.9.9", false},
          Case{"v5", false}, Case{"", false}, Case{nullptr, false}}) {
        monitorVersion(c.version);
        EXPECT_EQ(isPrintMonitorSupprted(), c.supported) << (c.version ? c.version : "none");
    }
}

TEST_F(DriverCheck, DriverNeedsBoth) {
    install("sl7000.ppd", "sl7000.ppd");
    install("sl5000.ppd", "sl5000.ppd");
    EXPECT_FALSE(isDriverSupported(kSl7000));
    monitorVersion("5.1");
    EXPECT_TRUE(isDriverSupported(kSl7000));
    EXPECT_FALSE(isDriverSupported(kSl5000));
}

TEST(ProjectPpds, PassTheConformanceTest) {
    if (::access("/usr/bin/cupstestppd", X_OK) != 0) {
        GTEST_SKIP() << "cupstestppd is not installed (Debian package cups-client)";
    }
    for (const auto& entry : fs::directory_iterator(kPpds)) {
        const std::string command = "cupstestppd -q '" + entry.path().string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << entry.path();
    }
}

}  // namespace
