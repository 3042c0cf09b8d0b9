// History entries, their lists and favourite files as property-list dictionaries.
#include "history/history_dictionary_internal.h"

#include <array>
#include <span>

#include "helpers/kdict.h"
#include "settings/property_list_file.h"

namespace {

constexpr const char* kFavoriteVersionKey = "Version";
constexpr const char* kPrinterIDKey = "PrinterID";

struct EntryString {
    const char* key;
    HistoryString SetDataList::*member;
};
constexpr std::array<EntryString, 6> kEntryStrings{{
    {"NameString", &SetDataList::NameString},
    {"FileNameString", &SetDataList::FileNameString},
    {"DateString", &SetDataList::DateString},
    {"ColorSetString", &SetDataList::ColorSetString},
    {"PrinterNameString", &SetDataList::PrinterNameString},
    {"CommentString", &SetDataList::CommentString},
}};

struct EntryNumber {
    const char* key;
    std::int32_t SetDataList::*member;
};
constexpr EntryNumber kListNumber{"listNumber", &SetDataList::listNumber};
constexpr EntryNumber kDateCount{"DateCount", &SetDataList::DateCount};
constexpr EntryNumber kDefaultFlg{"DefaultFlg", &SetDataList::DefaultFlg};
constexpr EntryNumber kPrintFinish{"PrintFinish", &SetDataList::PrintFinish};
constexpr std::array<EntryNumber, 4> kEntryNumbers{kListNumber, kDateCount, kDefaultFlg,
                                                   kPrintFinish};

std::int32_t numberOrZero(const cf::Value& dict, const char* key) {
    std::int32_t number = 0;
    return kDict::DictGetSInt32(&dict, key, &number) == 0 ? number : 0;
}

HistoryString stringOrNone(const cf::Value& dict, const char* key) {
    const std::string* text = nullptr;
    return kDict::DictGetCFString(&dict, key, &text) == 0 ? HistoryString(*text) : std::nullopt;
}

void addEntryKeys(const SetDataList& entry, cf::Value& dict) {
    for (const EntryString& field : kEntryStrings) {
        if (const HistoryString& text = entry.*field.member) {
            dict.set(field.key, cf::Value(*text));
        }
    }
    for (const EntryNumber& field : kEntryNumbers) {
        setDicNumber(&dict, &(entry.*field.member), kNumberSInt32, field.key);
    }
    if (entry.settings) {
        addSaveDict(&*entry.settings, &dict);
    }
}

// The entry's strings, the given numbers and its settings from an entry dictionary.
SetDataList entryFromDictionary(const cf::Value& dict, std::span<const EntryNumber> numbers) {
    SetDataList entry;
    for (const EntryString& field : kEntryStrings) {
        entry.*field.member = stringOrNone(dict, field.key);
    }
    for (const EntryNumber& field : numbers) {
        entry.*field.member = numberOrZero(dict, field.key);
    }
    entry.settings.emplace();
    getSaveData(&dict, &*entry.settings);
    return entry;
}

bool hasVersion100(const cf::Value& root, const char* key) {
    std::int32_t version = 0;
    return kDict::DictGetSInt32(&root, key, &version) == 0 && version == kPrintJobsVersion;
}

}  // namespace

cf::Value entryDictionary(const SetDataList& entry) {
    cf::Value dict = cf::Value::emptyDictionary();
    addEntryKeys(entry, dict);
    return dict;
}

cf::Value entryArray(const PrintJobs& list) {
    cf::Value array = cf::Value::emptyArray();
    for (const SetDataList& entry : list.entries) {
        array.append(entryDictionary(entry));
    }
    return array;
}

PrintJobsPtr printJobsFromRoot(const cf::Value& root, const char* arrayKey, bool history) {
    const cf::Value* array = nullptr;
    if (!hasVersion100(root, kJobFileVersionKey) ||
        kDict::DictGetCFArrayRef(&root, arrayKey, &array) != 0 ||
        array->array()->size() > kMaxPrintJobs) {
        return nullptr;
    }
    auto list = std::make_unique<PrintJobs>();
    if (history) {
        std::int16_t todayCount = 0;
        kDict::DictGetSInt16(&root, kJobTodayCountKey, &todayCount);
        list->todayCount = todayCount;
        list->jobDate = stringOrNone(root, kJobDateKey);
    }
    list->entries.reserve(array->array()->size());
    for (const cf::Value& element : *array->array()) {
        list->entries.push_back(entryFromDictionary(element, kEntryNumbers));
    }
    return list;
}

cf::Value favoriteDictionary(std::int32_t printerID, const SetDataList& entry) {
    cf::Value dict = cf::Value::emptyDictionary();
    dict.set(kFavoriteVersionKey, cf::Value(std::int32_t{kPrintJobsVersion}));
    dict.set(kPrinterIDKey, cf::Value(printerID));
    addEntryKeys(entry, dict);
    return dict;
}

std::int32_t entryFromFavoriteRoot(const cf::Value& root, std::int32_t printerID,
                                   SetDataList* entry) {
    std::int32_t fileID = 0;
    if (!hasVersion100(root, kFavoriteVersionKey) ||
        kDict::DictGetSInt32(&root, kPrinterIDKey, &fileID) != 0 || fileID != printerID) {
        return kFavoriteFileNotForPrinter;
    }
    // The day's running number belongs to the history, never to an imported favourite.
    constexpr std::array<EntryNumber, 3> kImported{kListNumber, kDefaultFlg, kPrintFinish};
    const std::int32_t dateCount = entry->DateCount;
    *entry = entryFromDictionary(root, kImported);
    entry->DateCount = dateCount;
    return 0;
}
