#include "printmode/print_mode_query.h"

#include "loaders/media_db_loader.h"
#include "mediadb/media_hints.h"
#include "printer/printer_function.h"

namespace {

constexpr std::int16_t kResolutionIDs[] = {1, 2, 4};
constexpr std::uint16_t kRecordRead = 1;

template <typename Match>
std::optional<PrintModeEntry> firstEntry(PrintModeTbl table, Match match) {
    const std::int16_t count = PrintModeEntryCount(table);
    for (std::int16_t i = 0; i < count; ++i) {
        const auto entry = PrintModeEntryAt(table, i);
        if (entry && match(*entry)) {
            return entry;
        }
    }
    return std::nullopt;
}

template <typename T>
void put(T* out, T value) {
    if (out != nullptr) {
        *out = value;
    }
}

// Calls `check` with each resolution record of each supported method of the medium until it
// answers true.
template <typename Check>
bool anyRecord(std::uint8_t* db, std::int16_t medium, Check check) {
    const std::uint16_t methods = Load_mdb3SupportedPrintMethod(db, medium);
    for (const std::int16_t method : kPrintMethods) {
        if ((methods & method) == 0) {
            continue;
        }
        const std::uint16_t resolutions = Load_mdb3SupportedResolution(db, medium, method);
        for (const std::int16_t resolution : kResolutionIDs) {
            if ((resolutions & resolution) != 0 && check(method, resolutions, resolution)) {
                return true;
            }
        }
    }
    return false;
}

bool recordHas(std::uint8_t* db, std::int16_t medium, std::int16_t method, std::int16_t resolution,
               std::int16_t resolutionCode, std::optional<std::int16_t> bitCode) {
    DEF_RESOLUTION record{};
    if (Load_mdb3SupportedResoParam(db, medium, method, resolution, &record) != kRecordRead) {
        return false;
    }
    return static_cast<std::int16_t>(record.words[0]) == resolutionCode &&
           (!bitCode || static_cast<std::int16_t>(record.words[1]) == *bitCode);
}

// The finest method's optimised record, when its resolution hint (asked with all its resolutions)
// has one: read with the medium's filter set to its optimise mode, which is set back at once.
bool optimizedRecordHas(std::uint8_t* db, std::int16_t medium, std::uint16_t resolutions,
                        std::int16_t resolution, std::int16_t resolutionCode,
                        std::int16_t bitCode) {
    std::uint16_t hint = 0;
    Load_mdb3ResolutionHint(db, medium, kFinestPrintMethod, static_cast<std::int16_t>(resolutions),
                            &hint);
    if ((hint & kResolutionHintOptimized) == 0) {
        return false;
    }
    Load_mdb3FilterOptimizeMode(db, medium, kOptimizeModeOptimized);
    const bool found =
        recordHas(db, medium, kFinestPrintMethod, resolution, resolutionCode, bitCode);
    Load_mdb3FilterOptimizeMode(db, medium, kOptimizeModeQuality);
    return found;
}

}  // namespace

bool GetDefaultPrintMode(PrintModeTbl table, std::int16_t mediumID, std::int16_t resolutionCode,
                         std::int16_t bitCode, std::int16_t* printMode, std::int16_t* method,
                         std::int16_t* resolutionID, std::int16_t* halftone) {
    const auto inGroup = [&](const PrintModeEntry& e) {
        return e.mediumID == mediumID && e.resolutionCode == resolutionCode && e.bitCode == bitCode;
    };
    auto entry = firstEntry(
        table, [&](const PrintModeEntry& e) { return inGroup(e) && e.defaultFlag == 1; });
    if (!entry) {
        entry = firstEntry(table, inGroup);
    }
    if (!entry) {
        return false;
    }
    put(printMode, entry->printMode);
    put(method, entry->printMethod);
    put(resolutionID, entry->resolutionID);
    put(halftone, entry->halftone);
    return true;
}

bool GetPrintMethodResIDHT(std::uint8_t* /*mediaData*/, PrintModeTbl table, std::int16_t mediumID,
                           std::int16_t resolutionCode, std::int16_t bitCode,
                           std::int16_t printMode, std::int16_t* method, std::int16_t* resolutionID,
                           std::int16_t* halftone) {
    const auto entry = firstEntry(table, [&](const PrintModeEntry& e) {
        return e.mediumID == mediumID && e.resolutionCode == resolutionCode &&
               e.bitCode == bitCode && e.printMode == printMode;
    });
    if (!entry) {
        return false;
    }
    put(method, entry->printMethod);
    put(resolutionID, entry->resolutionID);
    put(halftone, entry->halftone);
    return true;
}

std::uint8_t CheckSupportResolution(std::uint8_t* mediaData, std::int16_t mediumID,
                                    std::int32_t /*reserved*/, std::int16_t resolutionCode) {
    if (mediaData == nullptr) {
        return 0;
    }
    return anyRecord(mediaData, mediumID,
                     [&](std::int16_t method, std::uint16_t, std::int16_t resolution) {
                         return recordHas(mediaData, mediumID, method, resolution, resolutionCode,
                                          std::nullopt);
                     })
               ? 1
               : 0;
}

std::uint8_t CheckSupportBit(std::uint8_t* mediaData, std::int32_t printerTypeID,
                             std::int16_t mediumID, std::int32_t /*reserved*/,
                             std::int16_t resolutionCode, std::int16_t bitCode) {
    if (mediaData == nullptr) {
        return 0;
    }
    const bool optimizeLevel = GetOptimizeLevelFlag(printerTypeID) == kOptimizeLevelOn;
    const auto matches = [&](std::int16_t method, std::uint16_t resolutions,
                             std::int16_t resolution) {
        if (recordHas(mediaData, mediumID, method, resolution, resolutionCode, bitCode)) {
            return true;
        }
        return optimizeLevel && method == kFinestPrintMethod &&
               optimizedRecordHas(mediaData, mediumID, resolutions, resolution, resolutionCode,
                                  bitCode);
    };
    return anyRecord(mediaData, mediumID, matches) ? 1 : 0;
}
