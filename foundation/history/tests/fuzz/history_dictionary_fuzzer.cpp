// "job3.xml" and favourite files from outside, as the readers see them once parsed: whatever
// they hold, a list read has at most a 16-bit count of entries, each with settings, and a list
// or favourite written and read again is read back the same.
#include <cstddef>
#include <cstdint>
#include <span>

#include "cf/property_list.h"
#include "history/history_dictionary_internal.h"
#include "support/fuzz_check.h"

namespace {

constexpr std::int32_t kPrinterID = 23;

void checkList(const PrintJobsPtr& list, const char* key, bool history) {
    if (list == nullptr) {
        return;
    }
    testsupport::fuzzRequire(list->entries.size() <= kMaxPrintJobs, "a count fits 16 bits");
    for (const SetDataList& entry : list->entries) {
        testsupport::fuzzRequire(entry.settings.has_value(), "a list entry has settings");
    }
    cf::Value root = cf::Value::emptyDictionary();
    root.set(kJobFileVersionKey, cf::Value(std::int32_t{kPrintJobsVersion}));
    root.set(kJobTodayCountKey, cf::Value(std::int32_t{list->todayCount}));
    if (list->jobDate) {
        root.set(kJobDateKey, cf::Value(*list->jobDate));
    }
    root.set(key, entryArray(*list));
    const PrintJobsPtr once = printJobsFromRoot(root, key, history);
    testsupport::fuzzRequire(once != nullptr, "a written list reads back");
    cf::Value again = root;
    again.set(key, entryArray(*once));
    const PrintJobsPtr twice = printJobsFromRoot(again, key, history);
    testsupport::fuzzRequire(twice != nullptr && *twice == *once,
                             "a list written and read again is stable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cf::Value root;
    if (cf::readPropertyList(std::span(data, size), root) != cf::PlistStatus::Ok) {
        return 0;
    }
    checkList(printJobsFromRoot(root, kJobsKey, true), kJobsKey, true);
    checkList(printJobsFromRoot(root, kFavoritesKey, false), kFavoritesKey, false);

    SetDataList entry;
    if (entryFromFavoriteRoot(root, kPrinterID, &entry) != 0) {
        return 0;
    }
    testsupport::fuzzRequire(entry.settings.has_value(), "an imported favourite has settings");
    SetDataList once;
    testsupport::fuzzRequire(
        entryFromFavoriteRoot(favoriteDictionary(kPrinterID, entry), kPrinterID, &once) == 0,
        "an exported favourite imports for its printer");
    SetDataList twice;
    entryFromFavoriteRoot(favoriteDictionary(kPrinterID, once), kPrinterID, &twice);
    testsupport::fuzzRequire(twice == once, "a favourite exported and imported again is stable");
    return 0;
}
