// Bundle folders and symbol look-up through the dynamic loader.
#include "cf/bundle.h"

#include <dlfcn.h>

#include <system_error>

#include "cf/property_list.h"

namespace cf {
namespace {

constexpr std::string_view kBundleExtension = ".bundle";
constexpr const char* kInfoFileName = "Info.plist";

}  // namespace

Bundle::Bundle(std::filesystem::path folder, Value info)
    : folder_(std::move(folder)), info_(std::move(info)) {}

Bundle::~Bundle() {
    if (library_ != nullptr) {
        ::dlclose(library_);
    }
}

std::unique_ptr<Bundle> Bundle::open(const std::filesystem::path& folder) {
    Value info;
    if (readPropertyListFile(folder / kInfoFileName, info) != PlistStatus::Ok ||
        !info.isDictionary()) {
        return nullptr;
    }
    return std::unique_ptr<Bundle>(new Bundle(folder, std::move(info)));
}

std::unique_ptr<Bundle> Bundle::containing(const void* address) {
    Dl_info where{};
    if (address == nullptr || ::dladdr(address, &where) == 0 || where.dli_fname == nullptr) {
        return nullptr;
    }
    std::error_code error;
    auto folder = std::filesystem::weakly_canonical(where.dli_fname, error);
    if (error) {
        return nullptr;
    }
    for (folder = folder.parent_path(); folder.has_relative_path(); folder = folder.parent_path()) {
        if (folder.extension() == kBundleExtension) {
            return open(folder);
        }
    }
    return nullptr;
}

std::string Bundle::infoString(std::string_view key) const {
    const Value* value = info_.find(key);
    return value != nullptr && value->isString() ? *value->string() : std::string();
}

std::string Bundle::identifier() const {
    return infoString("CFBundleIdentifier");
}
std::string Bundle::version() const {
    return infoString("CFBundleVersion");
}
std::string Bundle::shortVersion() const {
    return infoString("CFBundleShortVersionString");
}

void* Bundle::symbol(const char* name) {
    if (!libraryTried_) {
        libraryTried_ = true;
        const std::filesystem::path executable = infoString("CFBundleExecutable");
        // A plain file name only: the library is the bundle's own, never one elsewhere.
        if (!executable.empty() && executable == executable.filename() && executable != "." &&
            executable != "..") {
            library_ = ::dlopen((folder_ / executable).c_str(), RTLD_NOW | RTLD_LOCAL);
        }
    }
    return library_ != nullptr && name != nullptr ? ::dlsym(library_, name) : nullptr;
}

std::optional<std::filesystem::path> Bundle::resource(std::string_view name) const {
    const std::filesystem::path relative(name);
    if (name.empty() || relative.is_absolute()) {
        return std::nullopt;
    }
    for (const auto& part : relative) {
        if (part == "..") {
            return std::nullopt;  // never leave the bundle's Resources folder
        }
    }
    auto candidate = resourcesPath() / relative;
    std::error_code error;
    if (!std::filesystem::is_regular_file(candidate, error)) {
        return std::nullopt;
    }
    return candidate;
}

}  // namespace cf
