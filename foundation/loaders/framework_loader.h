// Binding outside frameworks by name: a bundle from a folder path, a function from a bundle.
#pragma once

#include <filesystem>
#include <memory>

#include "cf/bundle.h"

/// The folder of the printer driver's frameworks and media databases under the driver root.
std::filesystem::path frameworksFolder();
/// The media database framework's folder.
std::filesystem::path mediaDatabaseFrameworkPath();

std::unique_ptr<cf::Bundle> GetFrameworkBundle(const std::filesystem::path& path);
void* GetProcPtr(cf::Bundle* bundle, const char* name);
