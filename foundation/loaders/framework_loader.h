// Binding outside frameworks by name: a bundle from a folder path, a function from a bundle.
#pragma once

#include <filesystem>
#include <memory>

#include "cf/bundle.h"

/// The folder of the printer driver's frameworks and media databases under the driver root.
std::filesystem::path frameworksFolder();
/// The media database framework's folder.
std::filesystem::path mediaDatabaseFrameworkPath();
/// The colour-processing framework's folder.
std::filesystem::path colorFrameworkPath();
/// The device framework's folder.
std::filesystem::path deviceFrameworkPath();

std::unique_ptr<cf::Bundle> GetFrameworkBundle(const std::filesystem::path& path);
void* GetProcPtr(cf::Bundle* bundle, const char* name);

/// The bundle at `folder`, created on its first use and then kept loaded for the process, one per
/// folder: the function addresses taken from it, and the objects and handles its library made,
/// stay valid from one call to the next. Null while the folder holds no bundle.
cf::Bundle* keptBundle(const std::filesystem::path& folder);

/// Binds `name` in the kept framework at `folder` and calls it with `arguments`; `failure` when
/// the framework or the function is missing. Nothing is printed.
template <typename Function, typename Result, typename... Arguments>
Result callKeptFramework(const std::filesystem::path& folder, const char* name, Result failure,
                         Arguments... arguments) {
    auto* function = reinterpret_cast<Function*>(GetProcPtr(keptBundle(folder), name));
    return function == nullptr ? failure : static_cast<Result>(function(arguments...));
}
