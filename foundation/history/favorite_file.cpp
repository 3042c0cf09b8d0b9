// A single favourite exported to, and imported from, a favourite file of its own.
#include <filesystem>

#include "cf/property_list.h"
#include "history/history_dictionary_internal.h"
#include "history/print_jobs.h"
#include "settings/file_permission.h"
#include "settings/property_list_file.h"
#include "settings/settings_codes.h"

namespace {

constexpr std::uint8_t kReadTest = 0;
constexpr std::uint8_t kWriteTest = 1;

// The file a POSIX path names; none for a missing or empty path.
std::optional<std::filesystem::path> fileOfPath(const char* path) {
    if (path == nullptr || *path == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path(path);
}

}  // namespace

std::int32_t LoadFavoriteFile(const char* path, const char* /*unused*/, std::int32_t printerID,
                              SetDataList* entry) {
    if (entry == nullptr) {
        return kSettingsBadArgument;
    }
    const auto file = fileOfPath(path);
    if (!file || CheckPermission(&*file, kReadTest) == kSettingsNoPermission) {
        return kFavoriteFileNotRead;
    }
    cf::Value root;
    if (cf::readPropertyListFile(*file, root) != cf::PlistStatus::Ok) {
        return kFavoriteFileNotForPrinter;
    }
    return entryFromFavoriteRoot(root, printerID, entry);
}

std::int32_t WriteFavoriteFile(const char* path, std::int32_t printerID, const SetDataList& entry) {
    const cf::Value dict = favoriteDictionary(printerID, entry);
    const auto file = fileOfPath(path);
    if (!file) {
        return kFavoriteFileNotWritten;
    }
    if (const std::int32_t permission = CheckPermission(&*file, kWriteTest); permission != 0) {
        return permission;
    }
    return WritePropertyListToFile(&dict, &*file) == 0 ? 0 : kFavoriteFileNotWritten;
}
