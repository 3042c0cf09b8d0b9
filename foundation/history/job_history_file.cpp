// The history and favourites lists in a printer's "job3.xml".
#include "history/history_dictionary_internal.h"
#include "history/print_jobs.h"
#include "settings/settings_files.h"

namespace {

PrintJobsPtr loadList(const char* printerShortName, const char* productFolder, const char* arrayKey,
                      bool history) {
    cf::Value root;
    if (LoadJobHistoryFile(printerShortName, &root, productFolder) != 0) {
        return nullptr;
    }
    return printJobsFromRoot(root, arrayKey, history);
}

// Copies `keys` that `from` holds into `into`.
void carryOver(const cf::Value& from, std::initializer_list<const char*> keys, cf::Value& into) {
    for (const char* key : keys) {
        if (const cf::Value* value = from.find(key)) {
            into.set(key, *value);
        }
    }
}

}  // namespace

PrintJobsPtr LoadJobHistory(const char* printerShortName, const char* productFolder) {
    return loadList(printerShortName, productFolder, kJobsKey, true);
}

PrintJobsPtr LoadFavorite(const char* printerShortName, const char* productFolder) {
    return loadList(printerShortName, productFolder, kFavoritesKey, false);
}

void SaveJobHistoryAndFavorite(const char* printerShortName, const PrintJobs* history,
                               const PrintJobs* favorites, const char* productFolder) {
    if (history == nullptr && favorites == nullptr) {
        return;
    }
    cf::Value root = cf::Value::emptyDictionary();
    root.set(kJobFileVersionKey, cf::Value(std::int32_t{kPrintJobsVersion}));

    // Saving one list must not drop the other: the list not given keeps what the file holds.
    cf::Value onDisk;
    const bool keepFromDisk =
        (history == nullptr || favorites == nullptr) &&
        LoadJobHistoryFile(printerShortName, &onDisk, productFolder) == 0 &&
        printJobsFromRoot(onDisk, history == nullptr ? kJobsKey : kFavoritesKey, true) != nullptr;

    if (history != nullptr) {
        root.set(kJobTodayCountKey, cf::Value(std::int32_t{history->todayCount}));
        if (history->jobDate) {
            root.set(kJobDateKey, cf::Value(*history->jobDate));
        }
        root.set(kJobsKey, entryArray(*history));
    } else if (keepFromDisk) {
        carryOver(onDisk, {kJobTodayCountKey, kJobDateKey, kJobsKey}, root);
    }
    if (favorites != nullptr) {
        root.set(kFavoritesKey, entryArray(*favorites));
    } else if (keepFromDisk) {
        carryOver(onDisk, {kFavoritesKey}, root);
    }
    SaveJobHistoryFile(printerShortName, &root, productFolder);
}
