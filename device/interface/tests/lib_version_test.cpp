// The library version from its bundle information, also as a copy of libDovoCommonLib.so finds
// it beside itself.
#include "interface/lib_version.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>

#include "support/temporary_folder.h"

namespace {

TEST(LibVersion, BundleVersionAsOneNumber) {
    const struct {
        const char* version;
        std::uint16_t expected;
    } cases[] = {
        {"2.41", 0x0241},   {"3.1", 0x0310}, {"3", 0x0300},   {"6.0.0", 0x0600}, {"2.4.1", 0x0240},
        {"12.345", 0x0C34}, {"", 0x0000},    {"x.y", 0x0000}, {"1.a5", 0x0105},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LocalVersionFromBundleVersion(c.version), c.expected) << c.version;
    }
}

// A copy of the library in a folder of its own, with the given bundle information beside it.
class LibraryCopy {
  public:
    explicit LibraryCopy(const std::string& infoPlist) {
        std::filesystem::copy_file(DOVO_LIBRARY_PATH, folder_.path() / "libDovoCommonLib.so");
        if (!infoPlist.empty()) {
            std::filesystem::create_directory(folder_.path() / "DovoCommonLib.resources");
            std::ofstream(folder_.path() / "DovoCommonLib.resources/Info.plist") << infoPlist;
        }
        library_ =
            ::dlopen((folder_.path() / "libDovoCommonLib.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    ~LibraryCopy() {
        if (library_ != nullptr) {
            ::dlclose(library_);
        }
    }
    LibraryCopy(const LibraryCopy&) = delete;
    LibraryCopy& operator=(const LibraryCopy&) = delete;

    std::uint16_t version() {
        auto getVersion =
            reinterpret_cast<std::uint16_t (*)()>(::dlsym(library_, "IOS_GetVersion"));
        EXPECT_NE(getVersion, nullptr) << ::dlerror();
        return getVersion != nullptr ? getVersion() : 0xFFFF;
    }

  private:
    testsupport::TemporaryFolder folder_;
    void* library_ = nullptr;
};

std::string infoPlist(const std::string& identifier, const std::string& version) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleIdentifier</key><string>" +
           identifier +
           "</string>"
           "<key>CFBundleVersion</key><string>" +
           version + "</string></dict></plist>\n";
}

TEST(LibVersion, GetVersionReadsTheInfoBesideTheLibrary) {
    EXPECT_EQ(LibraryCopy(infoPlist("orvane.ij.qvtrmkl.DovoCommonLib", "2.41")).version(), 0x0241);
    EXPECT_EQ(LibraryCopy(infoPlist("orvane.ij.qvtrmkl.DovoCommonLib", "3")).version(), 0x0300);
    EXPECT_EQ(LibraryCopy(infoPlist("orvane.other.Bundle", "2.41")).version(), 0);
    EXPECT_EQ(LibraryCopy("").version(), 0);
}

TEST(LibVersion, BuiltLibraryCarriesTheProjectVersion) {
    void* library = ::dlopen(DOVO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    auto getVersion = reinterpret_cast<std::uint16_t (*)()>(::dlsym(library, "IOS_GetVersion"));
    ASSERT_NE(getVersion, nullptr);
    EXPECT_EQ(getVersion(), LocalVersionFromBundleVersion(PROJECT_VERSION));
    ::dlclose(library);
}

}  // namespace
