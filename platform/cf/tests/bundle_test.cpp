// Bundles: Info.plist, symbol look-up, resources and the bundle that holds an address.
#include "cf/bundle.h"

#include <gtest/gtest.h>

#include "cf/notification_center.h"
#include "cf/property_list.h"
#include "support/temporary_folder.h"

namespace {

using Twice = int (*)(int);

std::unique_ptr<cf::Bundle> openTestBundle() {
    return cf::Bundle::open(CF_TEST_BUNDLE_DIR);
}

TEST(Bundle, ReadsInfoAndCallsAnExportedFunction) {
    auto bundle = openTestBundle();
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->identifier(), "com.stratoline.test.cfbundle");
    EXPECT_EQ(bundle->version(), "1.2.3");
    EXPECT_EQ(bundle->shortVersion(), "1.2");

    auto twice = reinterpret_cast<Twice>(bundle->symbol("cfTestBundleTwice"));
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_EQ(bundle->symbol("noSuchFunction"), nullptr);
}

TEST(Bundle, FindsResourcesInsideItsFolderOnly) {
    auto bundle = openTestBundle();
    ASSERT_NE(bundle, nullptr);
    auto resource = bundle->resource("bundle_resource.txt");
    ASSERT_TRUE(resource.has_value());
    EXPECT_TRUE(std::filesystem::is_regular_file(*resource));
    EXPECT_FALSE(bundle->resource("absent.txt").has_value());
    EXPECT_FALSE(bundle->resource("../Info.plist").has_value());
    EXPECT_FALSE(bundle->resource("").has_value());
}

TEST(Bundle, FindsTheBundleHoldingAFunction) {
    auto bundle = openTestBundle();
    ASSERT_NE(bundle, nullptr);
    auto holder = cf::Bundle::containing(bundle->symbol("cfTestBundleTwice"));
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->identifier(), bundle->identifier());

    // This test program is no bundle.
    EXPECT_EQ(cf::Bundle::containing(reinterpret_cast<const void*>(&openTestBundle)), nullptr);
}

TEST(Bundle, FolderWithoutInfoIsRefused) {
    testsupport::TemporaryFolder folder;
    std::filesystem::create_directory(folder / "Empty.bundle");
    EXPECT_EQ(cf::Bundle::open(folder / "Empty.bundle"), nullptr);
    EXPECT_EQ(cf::Bundle::open(folder / "Absent.bundle"), nullptr);
}

TEST(Bundle, LibraryOutsideTheBundleFolderIsNotOpened) {
    testsupport::TemporaryFolder folder;
    const auto bundleFolder = folder / "Elsewhere.bundle";
    std::filesystem::create_directory(bundleFolder);
    const auto library = std::filesystem::path(CF_TEST_BUNDLE_DIR) / "CfTestBundle.so";
    ASSERT_TRUE(std::filesystem::is_regular_file(library));
    for (const std::filesystem::path& executable :
         {library, std::filesystem::relative(library, bundleFolder)}) {
        cf::Value info = cf::Value::emptyDictionary();
        info.set("CFBundleExecutable", executable.string());
        ASSERT_EQ(cf::writePropertyListFile(bundleFolder / "Info.plist", info,
                                            cf::PropertyListFormat::Xml),
                  cf::PlistStatus::Ok);
        auto bundle = cf::Bundle::open(bundleFolder);
        ASSERT_NE(bundle, nullptr);
        EXPECT_EQ(bundle->symbol("cfTestBundleTwice"), nullptr) << executable;
    }
}

}  // namespace

namespace {

// Every library of a process shares the process-wide centres, as the print core and the
// dialog rely on to exchange progress and cancel posts.
TEST(Bundle, LoadedLibrariesShareTheLocalCentre) {
    auto bundle = openTestBundle();
    ASSERT_NE(bundle, nullptr);
    auto post = reinterpret_cast<void (*)(const char*)>(bundle->symbol("cfTestBundlePostLocal"));
    ASSERT_NE(post, nullptr);
    int calls = 0;
    auto observer = cf::NotificationCenter::localCenter().addObserver(
        "fromBundle", nullptr, [&](const cf::Notification&) { ++calls; });
    post("fromBundle");
    EXPECT_EQ(calls, 1);
}

}  // namespace
