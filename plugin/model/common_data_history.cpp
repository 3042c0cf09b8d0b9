// The settings model's print history and favourites: the entry added after each print, the
// favourites built from the printer's file or the model's defaults, moving a favourite, and
// writing both lists back.
#include <filesystem>

#include "common_data.h"
#include "job_number.h"
#include "settings/ui_setting.h"

namespace {

constexpr std::size_t kMaxHistoryEntries = 200;
constexpr char kPatternPrintSuffix[] = "_Pattern-Print";

// "beach.tif" becomes "beach_Pattern-Print.tif".
std::string patternPrintFileName(const std::string& fileName) {
    const std::filesystem::path path(fileName);
    return path.stem().string() + kPatternPrintSuffix + path.extension().string();
}

}  // namespace

std::int32_t kCommonDataClass_ZORVEX_common_V600_PS::getJobNumberCount() const {
    const std::string today = dayKey(m_clock());
    if (m_jobs == nullptr) {
        return nextJobNumber(0, std::nullopt, 0, today);
    }
    return nextJobNumber(m_jobs->entries.size(), m_jobs->jobDate, m_jobs->todayCount, today);
}

void kCommonDataClass_ZORVEX_common_V600_PS::createPrintHistoryData() {
    m_jobs.reset();
    if (m_cfPrinterShortName) {
        m_jobs = LoadJobHistory(m_cfPrinterShortName->c_str(), productFolder());
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::addPrintHistoryData(std::uint8_t pattern,
                                                                 std::int32_t finished) {
    const std::int32_t number = getJobNumberCount();
    SetDataList entry;
    entry.NameString = getJobNumberStrings(number);
    if (m_imageData.fileName) {
        entry.FileNameString =
            pattern != 0 ? patternPrintFileName(*m_imageData.fileName) : *m_imageData.fileName;
    }
    entry.DateString = getDateStrings();
    entry.ColorSetString = getColorAdjustStrings();
    entry.PrinterNameString = m_cfPopupName;
    if (m_captions.caption != 0 && m_captions.jobComment != 0) {
        entry.CommentString = m_captions.comment;
    }
    entry.DateCount = number;
    entry.PrintFinish = finished;
    UISave settings;
    convertToUISave(&settings);
    entry.settings = std::move(settings);

    const std::string today = dayKey(m_clock());
    m_jobs = AddPrintJobs(std::move(m_jobs), entry, kAddAtFront, today.c_str(),
                          static_cast<std::int16_t>(number));
    if (m_jobs != nullptr && m_jobs->entries.size() > kMaxHistoryEntries) {
        m_jobs = DeletePrintJob(std::move(m_jobs), static_cast<std::int16_t>(m_jobs->count() - 1));
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::setPrintHistoryData(PrintJobsPtr list) {
    if (list == nullptr) {
        return;
    }
    m_jobs = GetCopyPrintJobs(list.get());
}

void kCommonDataClass_ZORVEX_common_V600_PS::setFavoriteData(PrintJobsPtr list) {
    if (list == nullptr) {
        return;
    }
    m_favorite = GetCopyPrintJobs(list.get());
}

void kCommonDataClass_ZORVEX_common_V600_PS::createFavoriteData() {
    m_favorite.reset();
    const PrintJobsPtr loaded = m_cfPrinterShortName
                                    ? LoadFavorite(m_cfPrinterShortName->c_str(), productFolder())
                                    : nullptr;
    auto favorites = std::make_unique<PrintJobs>();
    if (loaded != nullptr) {
        favorites->version = loaded->version;
        for (const SetDataList& entry : loaded->entries) {
            SetDataList copy;
            CopySetDataList(&copy, entry);
            favorites->entries.push_back(std::move(copy));
        }
    } else {
        SetDataList entry;
        entry.listNumber = 1;
        entry.DateCount = 1;
        entry.DefaultFlg = 1;
        const UISavePtr defaults(GetUIDefault(m_printerID));
        if (defaults != nullptr) {
            UISave settings = *defaults;
            settings.MediaType = 0;
            settings.MediaTypeName.reset();
            applyDefaultRecordOverrides(&settings);
            entry.settings = std::move(settings);
        }
        favorites->entries.push_back(std::move(entry));
    }
    m_favorite = std::move(favorites);
}

void kCommonDataClass_ZORVEX_common_V600_PS::swapFavoriteData(std::int32_t from, std::int32_t to) {
    if (m_favorite == nullptr) {
        return;
    }
    const auto count = static_cast<std::int32_t>(m_favorite->entries.size());
    if (from < 0 || to < 0 || from >= count || to >= count) {
        return;
    }
    const PrintJobsPtr copy = GetCopyPrintJobs(m_favorite.get());
    std::vector<SetDataList>& entries = copy->entries;
    SetDataList moved = std::move(entries[static_cast<std::size_t>(from)]);
    if (from < to) {
        for (std::int32_t i = from; i < to; ++i) {
            entries[static_cast<std::size_t>(i)] =
                std::move(entries[static_cast<std::size_t>(i + 1)]);
        }
    } else {
        for (std::int32_t i = from; i > to; --i) {
            entries[static_cast<std::size_t>(i)] =
                std::move(entries[static_cast<std::size_t>(i - 1)]);
        }
    }
    entries[static_cast<std::size_t>(to)] = std::move(moved);
    for (std::int32_t i = std::min(from, to); i <= std::max(from, to); ++i) {
        entries[static_cast<std::size_t>(i)].listNumber = i + 1;
    }
    m_favorite = GetCopyPrintJobs(copy.get());
}

void kCommonDataClass_ZORVEX_common_V600_PS::saveJobHistoryAndFavoriteFromCommonData() const {
    if (m_cfPrinterShortName) {
        SaveJobHistoryAndFavorite(m_cfPrinterShortName->c_str(), m_jobs.get(), m_favorite.get(),
                                  productFolder());
    }
}
