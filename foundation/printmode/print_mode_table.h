// The print-mode table of a model: for each listable medium of its media database, the entries
// from input resolution, input bit depth and print quality (print mode) to print method,
// resolution and halftone. The table is a handle to signed 16-bit words: the entry count, then
// the entries of 10 words each; entries of one medium are contiguous.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "helpers/kmem.h"

using PrintModeTbl = Handle;

/// One entry of the table, word by word.
struct PrintModeEntry {
    std::int16_t mediumID;
    std::int16_t resolutionCode;   ///< input resolution: 1 (300 ppi) or 2 (600 ppi)
    std::int16_t bitCode;          ///< input bits: 0 (8 bits), 1 or 2 (16 bits)
    std::int16_t resolutionWord3;  ///< third word of the database's resolution record
    std::int16_t resolutionWord5;  ///< fifth word of the database's resolution record
    std::int16_t printMethod;      ///< one bit: 1, 2 or 4
    std::int16_t resolutionID;     ///< the database's resolution bit for the method
    std::int16_t halftone;         ///< always 1
    std::int16_t printMode;        ///< quality bit 1, 2, 4, 8 or 16
    std::int16_t defaultFlag;      ///< 1: the default entry of its group

    bool operator==(const PrintModeEntry&) const = default;
};
static_assert(sizeof(PrintModeEntry) == 20, "an entry is 10 words");

/// Print methods, one bit each, from the coarsest to the finest.
inline constexpr std::int16_t kPrintMethods[] = {1, 2, 4};
inline constexpr std::int16_t kFinestPrintMethod = 4;
/// The model's optimise level (GetOptimizeLevelFlag) that adds the optimised records.
inline constexpr std::int32_t kOptimizeLevelOn = 1;

/// Bytes of the count word before the entries.
inline constexpr std::size_t kPrintModeCountBytes = sizeof(std::int16_t);
/// The handle kind of the table's block.
inline constexpr int kPrintModeHandleKind = 0;

/// The table of the open media database for the model, made by KMEM::k_NewHandle and freed by
/// the caller with KMEM::k_DisposHandle; null when memory runs out. Media the user's region does
/// not list (hint 0x02 outside region 14) and media without both optimise-mode hint bits 0x40
/// and 0x80 have no entries; without a database the table is empty.
PrintModeTbl MakePrintModeTable(std::uint8_t* mediaData, std::int32_t printerTypeID);

/// The entry count of a table; 0 for a null table.
std::int16_t PrintModeEntryCount(PrintModeTbl table);
/// The entry at a 0-based index, none outside the table.
std::optional<PrintModeEntry> PrintModeEntryAt(PrintModeTbl table, std::int16_t index);
