// File arguments of the exported functions: a path, or a "file://" URL.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace device {

/// The path that `fileURL` names: the text itself when it is no URL, else the percent-decoded
/// path of a "file://" URL (its host empty or "localhost"). Nothing for an empty text, a URL of
/// another host or a malformed escape.
std::optional<std::filesystem::path> PathFromFileURL(std::string_view fileURL);

}  // namespace device
