// Running the migration program over Preferences and profile folders of the test's own, with
// the old files of data/ put in place.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "fixture_profiles.h"
#include "settings/tests/settings_test_support.h"
#include "support/python_oracle.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace convertertest {

namespace fs = std::filesystem;

inline constexpr const char* kPrinter = "SL-7440";
inline constexpr const char* kProduct = "Stratoline Print Plug-In";

/// Far longer than a run takes under the sanitizers; a run still going then waits for good.
inline constexpr std::chrono::seconds kRunLimit{60};

/// Runs the program with `arguments` (after the program's own name); its exit status, or -1
/// when it did not exit normally (it aborted, or was stopped after kRunLimit).
inline int runConverter(const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(DATA_CONVERTER)};
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (child < 0) {
        return -1;
    }
    constexpr std::chrono::milliseconds kPoll{10};
    const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(kPoll);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline int check(const char* printer = kPrinter, const char* product = kProduct) {
    return runConverter({printer, product, "check"});
}

inline int convert(const char* printer = kPrinter, const char* product = kProduct) {
    return runConverter({printer, product, "convert"});
}

/// Preferences, the user's profile folder with the two profiles the old dialog settings name,
/// and an empty driver root.
class Folders {
  public:
    Folders() {
        profile_test::FixtureProfile glossy;
        glossy.version = 2.4;
        glossy.description = "Glossy Photo";
        profile_test::writeFixtureProfile(profiles() / "Glossy Photo.icc", glossy);
        profile_test::FixtureProfile proof = glossy;
        proof.space = color::kSpaceCmyk;
        proof.description = "Proof Paper";
        profile_test::writeFixtureProfile(profiles() / "Proof Paper.icc", proof);
        fs::create_directories(other_ / "root");
    }

    fs::path preferences() const { return preferences_.preferences(); }
    fs::path profiles() const { return other_ / "data/icc"; }
    fs::path common() const { return preferences() / "Stratoline Common"; }
    fs::path printer(const char* printer = kPrinter, const char* product = kProduct) const {
        return preferences() / product / printer;
    }

    /// Copies the old file `fixture` of data/ to folder/name, making the folder.
    static void place(const std::string& fixture, const fs::path& folder, const std::string& name) {
        fs::create_directories(folder);
        fs::copy_file(fs::path(CONVERTER_DATA) / fixture, folder / name,
                      fs::copy_options::overwrite_existing);
    }

  private:
    settingstest::PreferencesFolder preferences_;
    testsupport::TemporaryFolder other_;
    testsupport::ScopedVariable home_{"HOME", other_.path().c_str()};
    testsupport::ScopedVariable data_{"XDG_DATA_HOME", (other_ / "data").c_str()};
    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", (other_ / "root").c_str()};
    testsupport::ScopedVariable encoding_{"STRATOLINE_LEGACY_ENCODING", nullptr};
};

/// Compares a converted file with the values the checker expects of `oracleCase`.
inline int oracle(const std::string& oracleCase, const fs::path& file, const Folders& folders,
                  const char* printer = kPrinter) {
    return testsupport::runPython(
        CONVERTER_ORACLE, {oracleCase, file.string(), printer, folders.profiles().string()});
}

}  // namespace convertertest
