// A printer's print history and favourites: the entry `SetDataList` (a settings set with its
// texts), the list `PrintJobs`, their list operations, the lists in the printer's "job3.xml" and a
// single favourite exported to and imported from a favourite file of its own.
//
// Lists and entries are values: copying one copies its strings and settings. The list operations
// named after the plug-in's (AddPrintJobs, DeletePrintJob, ...) take the list they replace and
// give the new one, so the caller's list reference is always the newest.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/ui_save.h"

/// Results of the favourite files; each is a plug-in error code that the dialog shows.
/// The favourite file cannot be addressed or read: tell the user it was not read.
inline constexpr std::int32_t kFavoriteFileNotRead = 0x450144;
/// Not a favourite file of version 100, or one made for another printer: nothing was imported.
inline constexpr std::int32_t kFavoriteFileNotForPrinter = 0x450145;
/// The favourite file was not written: tell the user and keep the favourite.
inline constexpr std::int32_t kFavoriteFileNotWritten = 0x350134;

/// "JobFileVers" of "job3.xml", "Version" of a favourite file and the version of every list.
inline constexpr std::int16_t kPrintJobsVersion = 100;
/// The most entries a list holds: its count is 16 bits.
inline constexpr std::size_t kMaxPrintJobs = 32767;
/// Position flags of AddPrintJobs.
inline constexpr std::int16_t kAddAtFront = 0;
inline constexpr std::int16_t kAddAtEnd = 1;

using HistoryString = std::optional<std::string>;

/// One entry of a list: history (one print) or favourite (a named settings set).
struct SetDataList {
    HistoryString NameString;         ///< history: the job number text; favourite: its name
    HistoryString FileNameString;     ///< the printed image's file name
    HistoryString DateString;         ///< date of the print
    HistoryString ColorSetString;     ///< summary of the colour adjustment
    HistoryString PrinterNameString;  ///< the printer's pop-up name
    HistoryString CommentString;      ///< the job comment
    std::int32_t listNumber = 0;      ///< the entry's number in its list
    std::int32_t DateCount = 0;       ///< history: the day's running job number
    std::int32_t DefaultFlg = 0;     ///< 1 for the default favourite made from the model's defaults
    std::int32_t PrintFinish = 0;    ///< history: 1 when the print ended without error
    std::optional<UISave> settings;  ///< the entry's dialog settings; always present in a list

    bool operator==(const SetDataList&) const = default;
};

/// A list of entries, in list order.
struct PrintJobs {
    std::int16_t version = kPrintJobsVersion;
    std::int16_t todayCount = 0;  ///< history: the day's running number of the last added entry
    HistoryString jobDate;        ///< history: the date given with the last added entry
    std::vector<SetDataList> entries;

    /// The number of entries (at most kMaxPrintJobs).
    std::int16_t count() const { return static_cast<std::int16_t>(entries.size()); }

    bool operator==(const PrintJobs&) const = default;
};

/// A list, or none.
using PrintJobsPtr = std::unique_ptr<PrintJobs>;

// ---- The list operations on values ----

/// `list` (none for an empty one) with a copy of `entry` added: at the front (`position` 0) with
/// its PrintFinish, else at the end with PrintFinish 0; the new entry's listNumber is the new
/// count and its DefaultFlg 0, the others keep their numbers. Version 100, `todayCount` and a copy
/// of `jobDate` (null for none). A list already holding kMaxPrintJobs entries is given back as it
/// is.
PrintJobs PrintJobsWithEntry(const PrintJobs* list, const SetDataList& entry, std::int16_t position,
                             const char* jobDate, std::int16_t todayCount);

/// `list` without the entry at `index` (from 0), the survivors numbered 1, 2, ... in order. An
/// index that names no entry gives the list as it is.
PrintJobs PrintJobsWithoutEntry(const PrintJobs& list, std::int16_t index);

// ---- The plug-in's list operations ----

/// The history list of "Jobs" in the printer's "job3.xml", or none when the file is missing,
/// unreadable, not of version 100, without the key, or holds more than kMaxPrintJobs entries.
PrintJobsPtr LoadJobHistory(const char* printerShortName, const char* productFolder);

/// As LoadJobHistory, for the favourites of "Favorites" (today's count 0, no date).
PrintJobsPtr LoadFavorite(const char* printerShortName, const char* productFolder);

/// Writes the printer's "job3.xml" with both lists; nothing when both are null. A list not given
/// keeps what the file on disk holds for it (when that file is of version 100).
void SaveJobHistoryAndFavorite(const char* printerShortName, const PrintJobs* history,
                               const PrintJobs* favorites, const char* productFolder);

/// Imports the favourite file at `path` (a POSIX path) made for `printerID` into `entry`: its six
/// strings, listNumber, DefaultFlg, PrintFinish and settings; its DateCount stays as the caller
/// set it. 0; kFavoriteFileNotRead when the path is empty or the owner may not read the file or
/// its folder; kFavoriteFileNotForPrinter when the file is no property list, not a dictionary,
/// not of version 100 or for another printer; -50 when `entry` is null.
std::int32_t LoadFavoriteFile(const char* path, const char* unused, std::int32_t printerID,
                              SetDataList* entry);

/// Exports `entry` for `printerID` as the favourite file at `path` (XML property list, replaced
/// whole). 0; 1009 or 1010 when the owner may not write the file or its folder, or it is
/// immutable (nothing written); kFavoriteFileNotWritten when the path is empty or the file could
/// not be written.
std::int32_t WriteFavoriteFile(const char* path, std::int32_t printerID, const SetDataList& entry);

/// PrintJobsWithEntry over `list`, which it replaces.
PrintJobsPtr AddPrintJobs(PrintJobsPtr list, const SetDataList& entry, std::int16_t position,
                          const char* jobDate, std::int16_t todayCount);

/// PrintJobsWithoutEntry over `list`, which it replaces; null stays null.
PrintJobsPtr DeletePrintJob(PrintJobsPtr list, std::int16_t index);

/// A deep copy of `list`, or none.
PrintJobsPtr GetCopyPrintJobs(const PrintJobs* list);

/// Releases the list with its date and entries.
void TerminatePrintJob(PrintJobsPtr list);

/// `destination` becomes a copy of `source`, with a fresh zeroed settings record when the source
/// has none. Nothing when `destination` is null.
void CopySetDataList(SetDataList* destination, const SetDataList& source);

/// Releases the entry's strings and settings; its numbers stay.
void TerminateDataList(SetDataList& entry);
