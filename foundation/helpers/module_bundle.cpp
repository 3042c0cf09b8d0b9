#include "helpers/module_bundle.h"

#include <link.h>

#include <string>
#include <system_error>
#include <vector>

namespace {

std::vector<std::filesystem::path> loadedLibraryFolders() {
    std::vector<std::filesystem::path> folders;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* out) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
                static_cast<std::vector<std::filesystem::path>*>(out)->push_back(
                    std::filesystem::path(info->dlpi_name).parent_path());
            }
            return 0;
        },
        &folders);
    return folders;
}

}  // namespace

std::unique_ptr<cf::Bundle> CreateModuleBundle(const char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    return cf::Bundle::open(path);
}

std::unique_ptr<cf::Bundle> CreateModuleBundle_SameDirectory(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    const auto own = cf::Bundle::containing(reinterpret_cast<const void*>(&loadedBundleFolder));
    if (own == nullptr) {
        return nullptr;
    }
    return cf::Bundle::open(own->path().parent_path() / name);
}

std::optional<std::filesystem::path> loadedBundleFolder(std::string_view identifier) {
    if (identifier.empty()) {
        return std::nullopt;
    }
    for (const auto& folder : loadedLibraryFolders()) {
        std::error_code error;
        if (!std::filesystem::exists(folder / "Info.plist", error)) {
            continue;
        }
        const auto bundle = cf::Bundle::open(folder);
        if (bundle != nullptr && bundle->identifier() == identifier) {
            return folder;
        }
    }
    return std::nullopt;
}
