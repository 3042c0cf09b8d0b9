// A printer's dialog settings as a whole: the record to and from the root array of "ui3.xml",
// loaded and saved per printer, and the model's defaults from the model-information bundle.
#pragma once

#include <cstdint>
#include <optional>

#include "cf/value.h"
#include "settings/ui_save.h"

/// Fills `record` from the first element of `array` when that is a dictionary: 1; otherwise 0
/// and the record unchanged (also when `record` or `array` is null or `array` is no array).
std::int32_t GetUISaveTbl(UISave* record, const cf::Value* array);

/// A new array holding one dictionary with the record's keys; none when `record` is null or
/// memory runs out.
std::optional<cf::Value> SetUISaveTbl(const UISave* record);

/// The settings in Preferences/productFolder/printerShortName/"ui3.xml" as a new record (free it
/// with TerminateUISave), all zero when the file's array holds no dictionary; null when the
/// file cannot be read.
UISave* GetUISetting(const char* printerShortName, const char* productFolder);

/// GetUISetting in the photo application's product folder when `hostFlag` is 1, else in the
/// image-editing host's.
UISave* LoadUISetting(std::uint8_t hostFlag, const char* printerShortName);

/// Writes the record as the printer's "ui3.xml"; nothing when the record is null. Write failures
/// are not reported; the earlier file then stays whole.
void SaveUISetting(const char* printerShortName, const UISave* record, const char* productFolder);

/// The model's default settings from the model-information bundle's default table (its first
/// row) as a new record; null when the bundle gives no table, or none with a row, for the model.
UISave* GetUIDefault(std::int32_t printerTypeID);
