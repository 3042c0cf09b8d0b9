// The library's version.
#include "interface/lib_version.h"

#include <dlfcn.h>

#include <charconv>

#include "cf/property_list.h"
#include "cf/value.h"

namespace {

constexpr const char* kResourcesFolder = "DovoCommonLib.resources";
constexpr const char* kInfoFileName = "Info.plist";
constexpr std::string_view kIdentifierKey = "CFBundleIdentifier";
constexpr std::string_view kVersionKey = "CFBundleVersion";
constexpr unsigned kMajorShift = 8;
constexpr unsigned kMinorTensShift = 4;

// The integer at the start of a component; 0 when it begins with no digit.
unsigned leadingNumber(std::string_view component) {
    unsigned value = 0;
    std::from_chars(component.data(), component.data() + component.size(), value);
    return value;
}

unsigned digitAt(std::string_view component, std::size_t index) {
    return index < component.size() && component[index] >= '0' && component[index] <= '9'
               ? static_cast<unsigned>(component[index] - '0')
               : 0;
}

}  // namespace

std::uint16_t LocalVersionFromBundleVersion(std::string_view bundleVersion) {
    const std::size_t dot = bundleVersion.find('.');
    const std::string_view major = bundleVersion.substr(0, dot);
    std::string_view minor;
    if (dot != std::string_view::npos) {
        minor = bundleVersion.substr(dot + 1);
        minor = minor.substr(0, minor.find('.'));
    }
    const unsigned value = ((leadingNumber(major) & 0xFFu) << kMajorShift) |
                           (digitAt(minor, 0) << kMinorTensShift) | digitAt(minor, 1);
    return static_cast<std::uint16_t>(value);
}

std::filesystem::path LocalLibraryInfoPath() {
    Dl_info where{};
    if (::dladdr(reinterpret_cast<const void*>(&LocalLibraryInfoPath), &where) == 0 ||
        where.dli_fname == nullptr) {
        return {};
    }
    return std::filesystem::path(where.dli_fname).parent_path() / kResourcesFolder / kInfoFileName;
}

std::optional<std::string> LocalLibraryBundleVersion() {
    const auto path = LocalLibraryInfoPath();
    cf::Value info;
    if (path.empty() || cf::readPropertyListFile(path, info) != cf::PlistStatus::Ok) {
        return std::nullopt;
    }
    const cf::Value* identifier = info.find(kIdentifierKey);
    const cf::Value* version = info.find(kVersionKey);
    if (identifier == nullptr || identifier->string() == nullptr ||
        *identifier->string() != kLibBundleIdentifier || version == nullptr ||
        version->string() == nullptr) {
        return std::nullopt;
    }
    return *version->string();
}
