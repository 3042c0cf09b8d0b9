// The library's version, from the bundle information that sits beside libDovoCommonLib.so:
// "DovoCommonLib.resources/Info.plist" with "CFBundleIdentifier"
// "orvane.ij.qvtrmkl.DovoCommonLib" and "CFBundleVersion". The build writes that file from the
// project's version.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kLibBundleIdentifier = "orvane.ij.qvtrmkl.DovoCommonLib";

/// A version text as one 16-bit number: the first component in the high byte, the first two
/// digits of the second component in the two low nibbles ("2.41" gives 0x0241, "3" 0x0300);
/// missing or non-numeric parts count 0.
std::uint16_t LocalVersionFromBundleVersion(std::string_view bundleVersion);

/// The Info.plist beside the file that holds the library (its shared object, or the program it
/// is linked into); empty when that file cannot be found.
std::filesystem::path LocalLibraryInfoPath();

/// "CFBundleVersion" of the library's Info.plist; nothing when the file is missing, unreadable
/// or of another bundle.
std::optional<std::string> LocalLibraryBundleVersion();
