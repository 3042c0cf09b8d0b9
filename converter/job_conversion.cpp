#include "job_conversion.h"

#include <array>

#include "bytes/byte_order.h"
#include "cf/regular_file.h"
#include "history/old_records.h"
#include "legacy_text.h"
#include "settings/settings_folders.h"

namespace {

// The lists a record belongs to, in the high half of its flags.
constexpr int kListFlagsShift = 16;
constexpr std::uint32_t kListHistory = 1;
constexpr std::uint32_t kListFavorites = 2;

constexpr std::array<std::int16_t, 3> kVersions = {kRegistVersion200, kRegistVersion102,
                                                   kRegistVersion100};

std::uintmax_t groupSize(std::int16_t version, std::int16_t count) {
    return kRGroupCountSize + static_cast<std::uintmax_t>(count) * RegistRecSize(version);
}

std::optional<std::int16_t> countOf(std::span<const std::uint8_t> file) {
    if (file.size() < kRGroupCountSize) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(bytes::loadBE16(file.data()));
}

std::uint32_t listsOf(const RegistRec& record) {
    return static_cast<std::uint32_t>(record.flags) >> kListFlagsShift;
}

}  // namespace

std::optional<std::int16_t> oldJobRecordVersion(std::uintmax_t fileSize, std::int16_t count) {
    if (count < 0) {
        return std::nullopt;
    }
    for (const std::int16_t version : kVersions) {
        if (fileSize == groupSize(version, count)) {
            return version;
        }
    }
    for (const std::int16_t version : kVersions) {
        if (fileSize >= groupSize(version, count)) {
            return version;
        }
    }
    return std::nullopt;
}

std::optional<OldJobLists> readOldJobFile(std::span<const std::uint8_t> file) {
    const auto count = countOf(file);
    const auto version = count ? oldJobRecordVersion(file.size(), *count) : std::nullopt;
    if (!version) {
        return std::nullopt;
    }
    // Only the chosen version's records go to the reader, which then takes that version.
    const auto group = ReadOldRegistGroup(file.first(groupSize(*version, *count)));
    if (!group || group->version != *version) {
        return std::nullopt;
    }
    OldJobLists lists;
    std::int32_t printerID = 0;
    const std::int16_t records = Regist_GetCount(group->group);
    for (std::int16_t number = 1; number <= records; ++number) {
        const RegistRec* record = Regist_Get(group->group, number);
        const std::uint32_t listFlags = listsOf(*record);
        if ((listFlags & (kListHistory | kListFavorites)) == 0) {
            continue;
        }
        SetDataList entry;
        change_SetDataListFromRegistRec(&entry, record, &printerID, converter::legacyEncoding());
        if ((listFlags & kListHistory) != 0) {
            if (lists.history.entries.empty()) {
                lists.history.todayCount = record->dateCount;
                const auto date = converter::lengthPrefixedString(std::span(
                    reinterpret_cast<const std::uint8_t*>(&record->name), sizeof record->name));
                lists.history.jobDate = date && !date->empty() ? date : std::nullopt;
            }
            lists.history.entries.push_back(entry);
        }
        if ((listFlags & kListFavorites) != 0) {
            lists.favorites.entries.push_back(std::move(entry));
        }
    }
    return lists;
}

bool convJobAndFavorite(const char* printerName, const PrinterFolder& printerFolder,
                        const char* productFolder) {
    if (printerName == nullptr || !printerFolder ||
        !mustConvert(*printerFolder, kJobHistoryFileName, kOldJobFileName)) {
        return false;
    }
    const auto path = *printerFolder / kOldJobFileName;
    const auto size = cf::regularFileSize(path);
    const auto head = cf::readRegularFileStart(path, kRGroupCountSize);
    const auto count = head ? countOf(*head) : std::nullopt;
    const auto version = size && count ? oldJobRecordVersion(*size, *count) : std::nullopt;
    const auto file =
        version ? cf::readRegularFileStart(path, groupSize(*version, *count)) : std::nullopt;
    const auto lists = file ? readOldJobFile(*file) : std::nullopt;
    if (!lists) {
        return false;
    }
    SaveJobHistoryAndFavorite(printerName, &lists->history, &lists->favorites, productFolder);
    return true;
}
