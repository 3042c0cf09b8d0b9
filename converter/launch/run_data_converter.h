// How the print plug-in starts the settings migration program, which lies inside the plug-in's
// bundle, and reads its exit status.
#pragma once

#include <cstdint>

struct CommonInfoTable;

/// The plug-in bundle's identifier.
inline constexpr const char* kPlugInBundleIdentifier = "orvane.ZORVEX_common_V600_PS";
/// The program, relative to the plug-in's bundle folder.
inline constexpr const char* kDataConverterProgram = "SharedSupport/ZORVEX_DataConverter";

/// Runs the migration program of the plug-in bundle holding this code for the printer queue of
/// `table` and waits for it: arguments printer queue name, product folder ("VPX Print Plug-In"
/// for host type 2, else "Stratoline Print Plug-In") and `mode` ("check" or "convert"). The
/// program's exit status (0 to 255), or the raw wait status when it did not exit normally. 0,
/// with a line on standard error, when the bundle or the program's path cannot be had (a path of
/// more than 255 bytes), the table has no printer queue name, or the fork fails; a program that
/// cannot be executed also gives 0.
std::int32_t RunDataConverter(CommonInfoTable* table, const char* mode);
