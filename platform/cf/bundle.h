// Bundles: a folder `Name.bundle/` with `Info.plist`, one shared library and `Resources/`.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cf/value.h"

namespace cf {

/// A loaded bundle. The shared library named by the `CFBundleExecutable` key of `Info.plist` (a
/// file name in the bundle folder; a path is refused) is opened on the first symbol look-up and
/// closed with the bundle.
class Bundle {
  public:
    ~Bundle();
    Bundle(const Bundle&) = delete;
    Bundle& operator=(const Bundle&) = delete;

    /// Opens the bundle folder at `folder`; null when it has no readable `Info.plist` dictionary.
    static std::unique_ptr<Bundle> open(const std::filesystem::path& folder);

    /// The bundle whose shared library holds `address` (a function of that library); null when
    /// the address belongs to no library inside a bundle folder.
    static std::unique_ptr<Bundle> containing(const void* address);

    const std::filesystem::path& path() const { return folder_; }
    const Value& info() const { return info_; }
    std::string identifier() const;    ///< CFBundleIdentifier, or empty
    std::string version() const;       ///< CFBundleVersion, or empty
    std::string shortVersion() const;  ///< CFBundleShortVersionString, or empty

    /// The exported function or object `name` of the bundle's library, or null when the
    /// library cannot be opened or does not export it.
    void* symbol(const char* name);

    /// The path of `Resources/<name>` when that file exists.
    std::optional<std::filesystem::path> resource(std::string_view name) const;
    std::filesystem::path resourcesPath() const { return folder_ / "Resources"; }

  private:
    Bundle(std::filesystem::path folder, Value info);
    std::string infoString(std::string_view key) const;

    std::filesystem::path folder_;
    Value info_;
    void* library_ = nullptr;
    bool libraryTried_ = false;
};

}  // namespace cf
