// The running-application checks: whether an application of a given bundle runs, and how many
// image-editing hosts run. A running application is a process of this user; its bundle is the
// nearest folder above its executable that holds an Info.plist.
#pragma once

#include <array>
#include <span>
#include <string_view>

/// The program names (executable file names) of the image-editing host's editions, by which its
/// running processes are known: the host comes as a plain program, with no bundle of its own.
inline constexpr std::array<std::string_view, 1> kImageEditingHostPrograms = {"stratoline-host"};

/// 1 when a running application whose bundle has "CFBundleIdentifier" `bundleIdentifier` has
/// "CFBundleName" `bundleName`, else 0 (also when either is null or the identifier is empty).
int ProcessChecker(const char* bundleName, const char* bundleIdentifier);

/// The number of running image-editing hosts (kImageEditingHostPrograms).
int Check_RunningPhotoshopCount();

/// The number of running processes whose executable's file name is one of `programs`.
int runningProgramCount(std::span<const std::string_view> programs);
