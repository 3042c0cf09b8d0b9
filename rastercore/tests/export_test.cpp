// The exported entry points, called through libRasterCore.so.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "rastercore/raster_core.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

// The product list naming `ppd` for `model`.
std::string productList(const std::string& model, const std::string& ppd) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
<key>orvane.wqs.PPDFileNameDic</key><dict>
<key>com.apple.print.ticket.itemArray</key><array><dict>
<key>orvane.wqs.PPDFileNameDic</key><dict><key>)" +
           model + "</key><string>" + ppd + R"(</string></dict>
</dict></array></dict></dict></plist>
)";
}

TEST(Exports, ProcessWithoutARecordDoesNothing) {
    EXPECT_EQ(RasterCore_Process(nullptr, nullptr), 0xFFFFFFFFu);
}

TEST(Exports, ProcessLogsItsTimeWhenTheTimingFolderExists) {
    testsupport::TemporaryFolder desktop;
    ::setenv("STRATOLINE_DESKTOP", desktop.path().c_str(), 1);
    const fs::path log = desktop / "DEBUG_TIME/debug_time.csv";
    CoreCommonInfoTbl table{};
    // No timing folder: nothing is created.
    RasterCore_Process(&table, nullptr);
    EXPECT_FALSE(fs::exists(log));
    fs::create_directory(desktop / "DEBUG_TIME");
    writeText(log, "");
    // The job itself fails until the job steps are built; its time is logged all the same.
    EXPECT_EQ(RasterCore_Process(&table, nullptr), rastercore::kPlgPrintingError);
    std::ostringstream text;
    text << std::ifstream(log).rdbuf();
    EXPECT_TRUE(std::regex_match(
        text.str(), std::regex("name,fileName,date,print Time\\[ms\\]\r\n"
                               "print_plugIn,,[0-9]{4}/[0-9]{2}/[0-9]{2}/[0-9]{2}/[0-9]{2}/"
                               "[0-9]{2},[0-9]+\\.[0-9]{6}\r\n")))
        << text.str();
}

TEST(Exports, IsCupsDriverOverDriverFolders) {
    testsupport::TemporaryFolder root;
    ::setenv("STRATOLINE_ROOT", (root / "Printers").c_str(), 1);
    const fs::path printers = root / "Printers";
    const fs::path products = printers / "Orvane/TARN/Profile/Product.xml";
    const fs::path plugIn = printers / "Orvane/TARN/Controls/SL-7000.plugin/Info.plist";
    const std::string bundleInfo =
        R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>)"
        R"(<key>CFBundleIdentifier</key><string>com.stratoline.sl7000</string></dict></plist>)";

    EXPECT_EQ(RasterCore_isCUPSDriver("SL-7000"), 1);  // no driver root
    fs::create_directories(printers);
    EXPECT_EQ(RasterCore_isCUPSDriver("SL-7000"), 1);  // no product list
    writeText(products, "not a property list");
    writeText(plugIn, bundleInfo);
    EXPECT_EQ(RasterCore_isCUPSDriver("SL-7000"), 1);  // unreadable product list
    writeText(products, productList("SL-7000", "SL7000.ppd"));
    EXPECT_EQ(RasterCore_isCUPSDriver("SL-7000"), 0);  // PPD named but not reachable
    writeText(printers / "PPDs/Contents/Resources/SL7000.ppd", "*PPD-Adobe: \"4.3\"\n");
    EXPECT_EQ(RasterCore_isCUPSDriver("SL-7000"), 1);  // a reachable PPD wins
    EXPECT_EQ(RasterCore_isCUPSDriver("SL-5000"), 1);  // neither PPD nor plug-in
    writeText(products, productList("SL-5000", "SL5000.ppd"));
    EXPECT_EQ(RasterCore_isCUPSDriver("SL-7000"), 0);  // only the model's driver plug-in
    EXPECT_EQ(RasterCore_isCUPSDriver(nullptr), 1);
}

}  // namespace
