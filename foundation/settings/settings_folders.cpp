// The settings folders under Preferences, made one level at a time.
#include "settings/settings_folders.h"

#include <sys/stat.h>

#include <string_view>
#include <system_error>

#include "cf/folders.h"

namespace {

// A name that stays one level below its parent.
bool isFolderName(const char* name) {
    if (name == nullptr) {
        return false;
    }
    const std::string_view text(name);
    return !text.empty() && text != "." && text != ".." && text.find('/') == std::string_view::npos;
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

}  // namespace

std::optional<std::filesystem::path> GetPreferencesFolderURLRef() {
    auto preferences = cf::Folders::preferences();
    if (preferences.empty() || !isFolder(preferences)) {
        return std::nullopt;
    }
    return preferences;
}

std::optional<std::filesystem::path> GetFolderURLRef(std::uint8_t create,
                                                     const std::filesystem::path& parent,
                                                     const char* name) {
    if (!isFolderName(name)) {
        return std::nullopt;
    }
    auto folder = parent / name;
    if (create == 0) {
        return folder;
    }
    if (!isFolder(folder)) {
        constexpr mode_t kFolderMode = 0777;  // narrowed by the process's creation mask
        ::mkdir(folder.c_str(), kFolderMode);
        if (!isFolder(folder)) {
            return std::nullopt;
        }
    }
    return folder;
}

std::optional<std::filesystem::path> PrinterSettingsFileURL(const char* productFolder,
                                                            const char* printerName,
                                                            const char* fileName) {
    const auto preferences = GetPreferencesFolderURLRef();
    if (!preferences) {
        return std::nullopt;
    }
    const auto product = GetFolderURLRef(1, *preferences, productFolder);
    if (!product) {
        return std::nullopt;
    }
    const auto printer = GetFolderURLRef(1, *product, printerName);
    if (!printer) {
        return std::nullopt;
    }
    return *printer / fileName;
}

std::optional<std::filesystem::path> CommonSettingsFileURL(const char* fileName) {
    const auto preferences = GetPreferencesFolderURLRef();
    if (!preferences) {
        return std::nullopt;
    }
    const auto common = GetFolderURLRef(1, *preferences, kCommonFolder);
    if (!common) {
        return std::nullopt;
    }
    return *common / fileName;
}
