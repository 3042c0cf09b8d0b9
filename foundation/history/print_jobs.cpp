// The list operations of the print history and favourites.
#include "history/print_jobs.h"

#include <utility>

namespace {

// A copy of `entry` as a new list entry: a copy of its strings and settings (a zeroed record when
// it has none) with the given numbers.
SetDataList newEntry(const SetDataList& entry, std::int32_t listNumber, std::int32_t printFinish) {
    SetDataList added;
    CopySetDataList(&added, entry);
    added.listNumber = listNumber;
    added.DefaultFlg = 0;
    added.PrintFinish = printFinish;
    return added;
}

}  // namespace

PrintJobs PrintJobsWithEntry(const PrintJobs* list, const SetDataList& entry, std::int16_t position,
                             const char* jobDate, std::int16_t todayCount) {
    const std::size_t oldCount = list != nullptr ? list->entries.size() : 0;
    if (oldCount >= kMaxPrintJobs) {
        return *list;
    }
    PrintJobs added;
    added.todayCount = todayCount;
    if (jobDate != nullptr) {
        added.jobDate = jobDate;
    }
    const auto newCount = static_cast<std::int32_t>(oldCount + 1);
    added.entries.reserve(oldCount + 1);
    if (position == kAddAtFront) {
        added.entries.push_back(newEntry(entry, newCount, entry.PrintFinish));
    }
    if (list != nullptr) {
        added.entries.insert(added.entries.end(), list->entries.begin(), list->entries.end());
    }
    if (position != kAddAtFront) {
        added.entries.push_back(newEntry(entry, newCount, 0));
    }
    return added;
}

PrintJobs PrintJobsWithoutEntry(const PrintJobs& list, std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.entries.size()) {
        return list;
    }
    PrintJobs kept;
    kept.version = list.version;
    kept.todayCount = list.todayCount;
    kept.jobDate = list.jobDate;
    kept.entries.reserve(list.entries.size() - 1);
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (i != static_cast<std::size_t>(index)) {
            kept.entries.push_back(list.entries[i]);
            kept.entries.back().listNumber = static_cast<std::int32_t>(kept.entries.size());
        }
    }
    return kept;
}

PrintJobsPtr AddPrintJobs(PrintJobsPtr list, const SetDataList& entry, std::int16_t position,
                          const char* jobDate, std::int16_t todayCount) {
    return std::make_unique<PrintJobs>(
        PrintJobsWithEntry(list.get(), entry, position, jobDate, todayCount));
}

PrintJobsPtr DeletePrintJob(PrintJobsPtr list, std::int16_t index) {
    if (list == nullptr) {
        return list;
    }
    return std::make_unique<PrintJobs>(PrintJobsWithoutEntry(*list, index));
}

PrintJobsPtr GetCopyPrintJobs(const PrintJobs* list) {
    return list != nullptr ? std::make_unique<PrintJobs>(*list) : nullptr;
}

void TerminatePrintJob(PrintJobsPtr list) {
    list.reset();
}

void CopySetDataList(SetDataList* destination, const SetDataList& source) {
    if (destination == nullptr) {
        return;
    }
    *destination = source;
    if (!destination->settings) {
        destination->settings.emplace();
    }
}

void TerminateDataList(SetDataList& entry) {
    for (HistoryString* text :
         {&entry.NameString, &entry.FileNameString, &entry.DateString, &entry.ColorSetString,
          &entry.PrinterNameString, &entry.CommentString}) {
        text->reset();
    }
    entry.settings.reset();
}
