// The folder tree of the settings files under the user's Preferences folder:
//
//   Preferences/<product folder>/<printer short name>/  "ui3.xml", "job3.xml", "connect3.xml"
//   Preferences/"Stratoline Common"/                     "user3.xml"
//
// Preferences must exist and is never created; the folders below it are made on first use, one
// level at a time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

/// Product folders, one per host: the photo application's and the image-editing host's.
inline constexpr const char* kProductFolderVPX = "VPX Print Plug-In";
inline constexpr const char* kProductFolderStratoline = "Stratoline Print Plug-In";
/// The folder shared by all hosts and printers.
inline constexpr const char* kCommonFolder = "Stratoline Common";

inline constexpr const char* kUISettingFileName = "ui3.xml";
inline constexpr const char* kJobHistoryFileName = "job3.xml";
inline constexpr const char* kConnectPrinterFileName = "connect3.xml";
inline constexpr const char* kCustomPaperFileName = "user3.xml";

/// The user's Preferences folder, or none when it does not exist.
std::optional<std::filesystem::path> GetPreferencesFolderURLRef();

/// parent/name. With `create` set, a missing folder is made (its parent must exist) and none is
/// given when there is still no folder afterwards; with `create` clear the path is given whether
/// or not it exists. None for a name that is empty, "." or "..", or holds a '/', which would
/// lead outside `parent`.
std::optional<std::filesystem::path> GetFolderURLRef(std::uint8_t create,
                                                     const std::filesystem::path& parent,
                                                     const char* name);

/// Preferences/productFolder/printerName/fileName, creating the two folders when missing; none
/// when Preferences is missing, a name is unusable or a folder cannot be made.
std::optional<std::filesystem::path> PrinterSettingsFileURL(const char* productFolder,
                                                            const char* printerName,
                                                            const char* fileName);

/// Preferences/"Stratoline Common"/fileName, creating the folder when missing; none as above.
std::optional<std::filesystem::path> CommonSettingsFileURL(const char* fileName);
