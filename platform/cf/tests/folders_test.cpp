// Folder look-ups follow their environment variables and fall back to the Linux defaults.
#include "cf/folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>

namespace {

// Sets an environment variable for one scope and restores the earlier value.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

struct FolderCase {
    const char* variable;
    std::function<std::filesystem::path()> lookup;
    std::filesystem::path fallbackUnderHome;  // empty: the fallback is absolute
    std::filesystem::path absoluteFallback;
};

TEST(Folders, EnvironmentFirstThenDefault) {
    ScopedVariable home("HOME", "/home/tester");
    const FolderCase cases[] = {
        {"XDG_CONFIG_HOME", cf::Folders::preferences, ".config", {}},
        {"TMPDIR", cf::Folders::temporary, {}, "/tmp"},
        {"STRATOLINE_DESKTOP", cf::Folders::desktop, "Desktop", {}},
        {"STRATOLINE_CACHES", cf::Folders::sharedCaches, {}, "/var/tmp"},
    };
    for (const auto& folder : cases) {
        {
            ScopedVariable set(folder.variable, "/elsewhere/folder");
            EXPECT_EQ(folder.lookup(), "/elsewhere/folder") << folder.variable;
        }
        ScopedVariable unset(folder.variable, nullptr);
        const auto expected =
            folder.fallbackUnderHome.empty()
                ? folder.absoluteFallback
                : std::filesystem::path("/home/tester") / folder.fallbackUnderHome;
        EXPECT_EQ(folder.lookup(), expected) << folder.variable;
    }
}

TEST(Folders, DriverRootDefaultsToTheBuildsOutsideFolder) {
    ScopedVariable unset("STRATOLINE_ROOT", nullptr);
    EXPECT_EQ(cf::Folders::driverRoot().filename(), "outside");
    ScopedVariable set("STRATOLINE_ROOT", "/opt/driver");
    EXPECT_EQ(cf::Folders::driverRoot(), "/opt/driver");
}

}  // namespace
