// Checks of a chosen profile: does it exist, is it a printer profile, which ICC version is it.
// A profile given as a URL string is a "file://" URL or an absolute path; anything else counts
// as a missing profile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

/// The version the checks answer when a profile's header cannot be read.
inline constexpr std::uint32_t kDefaultProfileVersion = 0x02000000;

/// 1 when the profile opens and its header can be read, else 0.
int ProfileExistsCheck(const char* url);
/// 1 when the profile's class is 'prtr' (output), else 0.
int OutPutProfileCheckForPreviewProof(const char* url);

/// The header's version field of the profile, or kDefaultProfileVersion.
std::uint32_t ProfileVersionCheck(const char* url);
std::uint32_t ProfileVersionCheckFromURL(const std::filesystem::path& file);
std::uint32_t ProfileVersionCheckFromBuffer(const void* bytes, std::size_t length);

/// The header's version field of the main display's profile (color::mainDisplayProfilePath),
/// or kDefaultProfileVersion when it cannot be read.
std::uint32_t DisplayProfileVersionCheck();
