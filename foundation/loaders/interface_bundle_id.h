// The identifier file: tells every model-information query which host-side shell loaded the
// plug-in, so that the model-information bundle is found beside it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

/// "TemporaryItems/InterfaceBundleID_PS.plist" in the user's temporary folder.
std::filesystem::path interfaceBundleIDFile();

void SetInterfaceBundleID(const char* bundleID);
void DeleteInterfaceBundleIDFile(const char* bundleID);
std::optional<std::string> GetInterfaceBundleID();

/// 1 when the path is given and reachable without an error, else 0.
int checkURL(const std::filesystem::path* url);
