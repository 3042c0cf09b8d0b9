// Finding bundles: by path, beside the plug-in's own bundle, and among the loaded bundles.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "cf/bundle.h"

/// A new bundle for the folder at the path, or null.
std::unique_ptr<cf::Bundle> CreateModuleBundle(const char* path);

/// A new bundle for `name` in the folder holding the bundle this library is loaded from, or null.
std::unique_ptr<cf::Bundle> CreateModuleBundle_SameDirectory(const char* name);

/// The folder of the loaded bundle (a bundle whose library this process has loaded) whose
/// identifier is `identifier`.
std::optional<std::filesystem::path> loadedBundleFolder(std::string_view identifier);
