// The permission test by owner bits, of a file and then its folder, with the immutable flag from
// a fake attribute reader and, where the process may set it, from the file system.
#include "settings/file_permission.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>

#include <set>

#include "settings/file_attributes.h"
#include "settings/settings_codes.h"
#include "settings_test_support.h"

namespace {

namespace fs = std::filesystem;

// Marks the given items immutable for the test's scope.
class FakeImmutable {
  public:
    explicit FakeImmutable(std::set<fs::path> items) : items_(std::move(items)) {}

  private:
    std::set<fs::path> items_;
    FileAttributeServices services_{
        .isImmutable = [this](const fs::path& path) { return items_.contains(path); }};
    seam::ScopedOverride<FileAttributeServices> override_{fileAttributeServices(), services_};
};

constexpr int kMissing = -1;

struct PermissionCase {
    const char* name;
    int fileMode;  // kMissing: no file
    int folderMode;
    bool fileImmutable, folderImmutable;
    std::int32_t write, read;
};

const PermissionCase kCases[] = {
    {"WritableFile", 0600, 0700, false, false, 0, 0},
    {"ReadOnlyFile", 0444, 0755, false, false, 1009, 0},
    {"FileInReadOnlyFolder", 0644, 0555, false, false, 1009, 0},
    {"ImmutableFile", 0644, 0755, true, false, 1010, 0},
    {"ImmutableFolder", 0644, 0755, false, true, 1010, 0},
    {"ReadOnlyBeforeImmutable", 0444, 0755, true, false, 1009, 0},
    {"WriteOnlyFile", 0244, 0755, false, false, 0, 1009},
    {"OnlyOthersMayUseIt", 0077, 0755, false, false, 1009, 1009},
    {"FolderWithoutRead", 0644, 0333, false, false, 0, 1009},
    {"MissingFileInReadOnlyFolder", kMissing, 0555, false, true, 0, 0},
};

class CheckPermissionTable : public testing::TestWithParam<PermissionCase> {};

TEST_P(CheckPermissionTable, OwnerBitsOfFileThenFolder) {
    const PermissionCase& c = GetParam();
    testsupport::TemporaryFolder temporary;
    const fs::path folder = temporary / "folder";
    const fs::path file = folder / "ui3.xml";
    fs::create_directory(folder);
    if (c.fileMode != kMissing) {
        settingstest::writeText(file, "<plist/>");
        ASSERT_EQ(::chmod(file.c_str(), static_cast<mode_t>(c.fileMode)), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), static_cast<mode_t>(c.folderMode)), 0);
    std::set<fs::path> immutable;
    if (c.fileImmutable)
        immutable.insert(file);
    if (c.folderImmutable)
        immutable.insert(folder);
    FakeImmutable fake(std::move(immutable));

    EXPECT_EQ(CheckPermission(&file, 1), c.write);
    EXPECT_EQ(CheckPermission(&file, 0), c.read);
    ::chmod(folder.c_str(), 0700);
}

INSTANTIATE_TEST_SUITE_P(Modes, CheckPermissionTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckPermission, NothingToTestPasses) {
    FakeImmutable everything({"/"});
    EXPECT_EQ(CheckPermission(nullptr, 1), 0);
    const fs::path missing = "/nonexistent-folder/ui3.xml";
    EXPECT_EQ(CheckPermission(&missing, 1), 0);
    EXPECT_EQ(CheckPermission(&missing, 0), 0);
}

// The bits of an item the user may not even look at are not tested; its folder still is, and the
// immutable flag too. Root sees every item, so the check runs in a child as "nobody".
TEST(CheckPermission, UnreadableAttributesSkipTheBitTest) {
    settingstest::PreferencesFolder shared;  // a folder tree every user may walk
    const fs::path hidden = shared.home() / "hidden";
    const fs::path file = hidden / "ui3.xml";
    fs::create_directory(hidden);
    settingstest::writeText(file, "<plist/>");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(hidden.c_str(), 0600), 0);  // no search permission for anyone but root

    EXPECT_EQ(settingstest::runUnprivileged([&] { return CheckPermission(&file, 1) == 0 ? 0 : 1; }),
              0);
    FakeImmutable fake({file});
    EXPECT_EQ(
        settingstest::runUnprivileged([&] { return CheckPermission(&file, 1) == 1010 ? 0 : 1; }),
        0);
    ::chmod(hidden.c_str(), 0700);
}

// Sets the file system's immutable flag for a scope; false when the process may not.
class ImmutableFlag {
  public:
    explicit ImmutableFlag(const fs::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        int flags = 0;
        if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            set_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~ImmutableFlag() {
        int flags = 0;
        if (set_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool set() const { return set_; }

  private:
    int fd_;
    bool set_ = false;
};

TEST(CheckPermission, ReadsTheFileSystemsImmutableFlag) {
    testsupport::TemporaryFolder folder;
    const fs::path file = folder / "ui3.xml";
    settingstest::writeText(file, "<plist/>");
    EXPECT_EQ(CheckPermission(&file, 1), 0);
    ImmutableFlag flag(file);
    if (!flag.set())
        GTEST_SKIP() << "this process may not set the immutable flag here";
    EXPECT_EQ(CheckPermission(&file, 1), 1010);
    EXPECT_EQ(CheckPermission(&file, 0), 0);
}

}  // namespace
