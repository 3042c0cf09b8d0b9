// "user3.xml": the user's custom paper sizes, shared by all hosts and printers, in
// Preferences/"Stratoline Common". In memory the list is a menu data array: per row the paper
// name, then size identifier, width and height as values 1 to 3, enabled.
#pragma once

#include "helpers/kmenu.h"

/// Appends one row per named paper of a version-100 file, in the file's order; a missing number
/// reads as 0. Nothing when the file is missing, of another version or `menu` is null.
void LoadCustomPaperFile(MenuDataArray menu);

/// Rewrites the file from the named rows of `menu` (an empty list writes an empty array);
/// nothing when `menu` is null or not an array.
void SaveCustomPaperFile(MenuDataArray menu);
