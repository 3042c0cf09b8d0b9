// A printer's old dialog settings, "ui2.pref" in the printer's folder, into "ui3.xml".
//
// The old record comes in two sizes: 4880 bytes, and 4544 bytes from before the fields at 4544
// and later existed. Its numbers are signed 32-bit big-endian at multiples of 4, apart from the
// 64-bit floating-point scale at 840; its strings are length-prefixed in 256-byte fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "conversion_check.h"
#include "settings/ui_save.h"

/// The sizes of the later and the earlier old record.
inline constexpr std::size_t kOldUIRecordSize = 4880;
inline constexpr std::size_t kOldUIEarlierRecordSize = 4544;

/// Looks a profile's file name up among the installed profiles: 1 with its display name and
/// path, 0 when it is not found.
using ProfileLookup = int (*)(const char* fileName, std::string* name, std::string* path);

/// The file name of the profile that an old profile text names: the final path component of the
/// text between its last "[" and its last "]". Empty when the text has no "[", no "]" after it,
/// or nothing between them.
std::string oldProfileFileName(const std::string& text);

/// Fills the fresh `record` from an old record file of either size, looking profiles up through
/// `lookup`. False, and the record untouched, when the file holds fewer bytes than the earlier
/// record.
bool fillUISaveFromOldRecord(std::span<const std::uint8_t> file, UISave* record,
                             ProfileLookup lookup);

/// Converts the printer's "ui2.pref" into its "ui3.xml" unless a good one is there already. True
/// when the new file was written.
bool convUI(const char* printerName, const PrinterFolder& printerFolder, const char* productFolder);
