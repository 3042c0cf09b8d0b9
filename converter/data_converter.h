// The migration driver: finds which old settings files wait for conversion ("check") and
// converts them ("convert") for one printer and product folder.
#pragma once

#include <cstdint>

#include "conversion_check.h"

/// Exit status of "check" when at least one old file waits for conversion; every other run exits
/// with kExitNothingToDo.
inline constexpr int kExitConversionWaiting = 1;
inline constexpr int kExitNothingToDo = 0;

bool checkConvUserPaper();
bool checkConvConnect(const char* printerName, const PrinterFolder& printerFolder);
bool checkConvUI(const PrinterFolder& printerFolder);
bool checkConvJobAndFavorite(const PrinterFolder& printerFolder);

/// The four checks, and the four converters, in the order of their bits; the mask of the kinds
/// that wait for conversion, or that were converted.
std::int32_t checkFiles(const char* printerName, const PrinterFolder& printerFolder);
std::int32_t convFiles(const char* printerName, const PrinterFolder& printerFolder,
                       const char* productFolder);

/// The check pass: whether any old file waits for conversion. Finds, and makes when missing,
/// the product folder and the printer's folder under Preferences.
bool checkConvert(const char* printerName, const char* productFolder);

/// The convert pass; the mask of the kinds converted. Without Preferences or a printer name only
/// the shared paper list is converted.
std::int32_t modelSerch(const char* printerName, const char* productFolder);

/// Whether `name` can be a folder name below its parent: not empty, not "." or "..", and holding
/// no "/".
bool isSafeFolderName(const char* name);

/// The program: printer name, product folder and mode as arguments 1 to 3; the exit status.
/// A missing argument, a name that would lead out of its folder, or an unknown mode does nothing.
int DataConverterMain(int argc, const char* const argv[]);
