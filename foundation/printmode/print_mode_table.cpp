#include "printmode/print_mode_table.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <span>
#include <vector>

#include "helpers/kstat.h"
#include "loaders/media_db_loader.h"
#include "mediadb/media_hints.h"
#include "printer/printer_function.h"

namespace {

constexpr std::uint16_t kHalftoneUsable = 0x1;
constexpr std::int16_t kOptimizedResolution = 2;
constexpr std::int16_t kMode8 = 8;
constexpr std::int16_t kMode16 = 16;
constexpr std::int16_t kHalftone = 1;

enum Word { kResolutionCode = 0, kBitCode = 1, kWord3 = 2, kWord5 = 4 };

bool sixteenBit(std::int16_t bitCode) {
    return bitCode == 1 || bitCode == 2;
}

// The quality a method prints: its own bit, or the next finer one when the medium raises modes.
std::int16_t qualityOf(std::int16_t method, bool raised) {
    return static_cast<std::int16_t>(raised ? method << 1 : method);
}

bool sameGroup(const PrintModeEntry& a, const PrintModeEntry& b) {
    return a.resolutionCode == b.resolutionCode && a.bitCode == b.bitCode;
}

// The entries of one medium.
class MediumEntries {
  public:
    MediumEntries(std::uint8_t* db, std::int16_t medium, std::uint32_t optimizeHint,
                  bool optimizeLevel, std::vector<PrintModeEntry>& out)
        : db_(db),
          medium_(medium),
          raised_((optimizeHint & kOptimizeHintRaisedModes) != 0),
          optimizeLevel_(optimizeLevel),
          out_(out),
          first_(out.size()) {}

    void build() {
        const std::uint16_t methods = Load_mdb3SupportedPrintMethod(db_, medium_);
        DEF_QUALITY quality{};
        Load_mdb3OptimizeModeDefParam(db_, medium_, kOptimizeModeQuality, &quality);
        for (const std::int16_t method : kPrintMethods) {
            if ((methods & method) != 0) {
                addMethod(method, quality);
            }
        }
        flagGroupDefaults();
    }

  private:
    void addEntry(const DEF_RESOLUTION& record, std::int16_t bitCode, std::int16_t method,
                  std::int16_t resolution, std::int16_t mode, std::int16_t flag = 0) {
        const auto word = [&record](Word w) { return static_cast<std::int16_t>(record.words[w]); };
        out_.push_back({medium_, word(kResolutionCode), bitCode, word(kWord3), word(kWord5), method,
                        resolution, kHalftone, mode, flag});
    }

    // An entry with the record's own bit code.
    void addRecord(const DEF_RESOLUTION& record, std::int16_t method, std::int16_t resolution,
                   std::int16_t mode) {
        addEntry(record, static_cast<std::int16_t>(record.words[kBitCode]), method, resolution,
                 mode);
    }

    void addMethod(std::int16_t method, const DEF_QUALITY& quality) {
        const auto resolution =
            static_cast<std::int16_t>(Load_mdb3SupportedResolution(db_, medium_, method));
        if ((Load_mdb3SupportedHalfTone(db_, medium_, method, resolution) & kHalftoneUsable) == 0) {
            return;
        }
        DEF_RESOLUTION record{};
        Load_mdb3SupportedResoParam(db_, medium_, method, resolution, &record);
        std::uint16_t hint = 0;
        Load_mdb3ResolutionHint(db_, medium_, method, resolution, &hint);
        const auto bitCode = static_cast<std::int16_t>(record.words[kBitCode]);

        // A 16-bit record also prints from 8-bit input: its twin of bit code 0 comes first. Both
        // carry the method's quality, the 16-bit entry of a coarser method too: the medium offers
        // that input depth (the supported-bit check accepts it), so it must have a quality the
        // menu lists and the core prints; this entry is the medium's default when the default
        // quality names its method.
        const std::int16_t mode = qualityOf(method, raised_);
        if (sixteenBit(bitCode)) {
            addEntry(record, 0, method, resolution, mode);
        }
        const bool isDefault = method == static_cast<std::int16_t>(quality.printMethod) &&
                               resolution == static_cast<std::int16_t>(quality.resolutionID);
        addEntry(record, bitCode, method, resolution, mode, isDefault ? 1 : 0);
        if (isDefault) {
            default_ = out_.back();
        }

        if ((hint & kResolutionHintExtraModes) != 0) {
            if (!raised_) {
                addRecord(record, method, resolution, method);
            }
            addRecord(record, method, resolution, kMode16);
        }
        if (optimizeLevel_ && method == kFinestPrintMethod && resolution == kOptimizedResolution &&
            (hint & kResolutionHintOptimized) != 0) {
            addOptimized(record, resolution, hint);
        }
    }

    // The optimised modes: the record as it is, then as the database gives it in its optimise
    // mode, which is set back afterwards.
    void addOptimized(const DEF_RESOLUTION& record, std::int16_t resolution, std::uint16_t hint) {
        addRecord(record, kFinestPrintMethod, resolution, kMode8);
        Load_mdb3FilterOptimizeMode(db_, medium_, kOptimizeModeOptimized);
        DEF_RESOLUTION optimized{};
        Load_mdb3SupportedResoParam(db_, medium_, kFinestPrintMethod, resolution, &optimized);
        addRecord(optimized, kFinestPrintMethod, resolution, kMode8);
        if ((hint & kResolutionHintOptimizedFinest) != 0) {
            addRecord(optimized, kFinestPrintMethod, resolution, kMode16);
        }
        Load_mdb3FilterOptimizeMode(db_, medium_, kOptimizeModeQuality);
    }

    // Each further group (resolution code, bit code) of the medium gets its first entry flagged
    // as its default; a first entry of 8-bit input followed by 16-bit input is flagged too.
    void flagGroupDefaults() {
        const std::span<PrintModeEntry> entries(out_.begin() + static_cast<std::ptrdiff_t>(first_),
                                                out_.end());
        for (std::size_t i = 1; i < entries.size(); ++i) {
            PrintModeEntry& entry = entries[i];
            const bool ofDefaultGroup = default_ && sameGroup(entry, *default_);
            if (!ofDefaultGroup && entry.defaultFlag == 0 && !sameGroup(entry, entries[i - 1])) {
                entry.defaultFlag = 1;
            }
        }
        if (entries.size() > 1 && entries[0].bitCode == 0 && entries[0].defaultFlag == 0 &&
            entries[1].bitCode != 0) {
            entries[0].defaultFlag = 1;
        }
    }

    std::uint8_t* db_;
    std::int16_t medium_;
    bool raised_;
    bool optimizeLevel_;
    std::vector<PrintModeEntry>& out_;
    std::size_t first_;
    std::optional<PrintModeEntry> default_;
};

std::vector<PrintModeEntry> tableEntries(std::uint8_t* db, std::int32_t printerTypeID) {
    const bool optimizeLevel = GetOptimizeLevelFlag(printerTypeID) == kOptimizeLevelOn;
    const int region = kStat::Get_RegionCode();
    std::vector<PrintModeEntry> entries;
    const std::int16_t media = Load_mdb3MediumCount(db);
    for (std::int32_t index = 1; index <= media; ++index) {
        std::int16_t medium = 0;
        std::uint32_t hint = 0, optimizeHint = 0;
        Load_mdb3MediumID(db, static_cast<std::int16_t>(index), &medium);
        Load_mdb3MediumHint(db, medium, &hint);
        if ((hint & kMediumHintJapanOnly) != 0 && region != kRegionJapan) {
            continue;
        }
        Load_mdb3OptimizeModeHint(db, medium, &optimizeHint);
        if ((optimizeHint & kOptimizeHintListable) != kOptimizeHintListable) {
            continue;
        }
        MediumEntries(db, medium, optimizeHint, optimizeLevel, entries).build();
    }
    return entries;
}

}  // namespace

PrintModeTbl MakePrintModeTable(std::uint8_t* mediaData, std::int32_t printerTypeID) {
    std::vector<PrintModeEntry> entries;
    try {
        entries = tableEntries(mediaData, printerTypeID);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    // The count word holds at most 32767 entries; a database of more media is cut there.
    const auto count = static_cast<std::int16_t>(
        std::min<std::size_t>(entries.size(), std::numeric_limits<std::int16_t>::max()));
    const std::size_t entryBytes = static_cast<std::size_t>(count) * sizeof(PrintModeEntry);
    PrintModeTbl table = KMEM::k_NewHandle(kPrintModeHandleKind, kPrintModeCountBytes + entryBytes);
    if (table == nullptr) {
        return nullptr;
    }
    std::memcpy(*table, &count, kPrintModeCountBytes);
    if (count > 0) {
        std::memcpy(*table + kPrintModeCountBytes, entries.data(), entryBytes);
    }
    return table;
}

std::int16_t PrintModeEntryCount(PrintModeTbl table) {
    if (table == nullptr || *table == nullptr) {
        return 0;
    }
    std::int16_t count = 0;
    std::memcpy(&count, *table, kPrintModeCountBytes);
    return count < 0 ? 0 : count;
}

std::optional<PrintModeEntry> PrintModeEntryAt(PrintModeTbl table, std::int16_t index) {
    if (index < 0 || index >= PrintModeEntryCount(table)) {
        return std::nullopt;
    }
    PrintModeEntry entry{};
    std::memcpy(&entry,
                *table + kPrintModeCountBytes + static_cast<std::size_t>(index) * sizeof entry,
                sizeof entry);
    return entry;
}
