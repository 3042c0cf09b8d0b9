// A colour job as the job set-up leaves it: a context with the model values of the MXXXR
// family, a colour record allocated by the core's allocator, the media database loaded from the
// installed SL7000 database, and an embedded source profile held by the test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cf/folders.h"
#include "color/tarn_color.h"
#include "medab2/medab2.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace colortest {

inline constexpr std::int16_t kDitherMedium = 101;          // halftone 16
inline constexpr std::int16_t kErrorDiffusionMedium = 103;  // halftone 1, SL7K_GLOSSY.icc

inline std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path driverFrameworks() {
    return cf::Folders::driverRoot() / "Orvane/TARN/Frameworks";
}

class ColorJob {
  public:
    explicit ColorJob(std::int16_t medium = kErrorDiffusionMedium) {
        Get_MemoryClear(1, sizeof(Color_Info), kUnusedKind, &info);
        info->context = &context;
        context.colorInfo = info;
        context.modelTable.OutputColorSpace = 2;
        context.modelTable.Tonara = 3;
        context.modelTable.Medab = 2;
        info->colorMode = kColorModeColor;
        info->imageMode = 3;
        info->renderingIntent = 1;
        info->workingSpace = 2;
        loadDatabase(medium);
    }
    ~ColorJob() { tarn_Color_Terminate(info); }
    ColorJob(const ColorJob&) = delete;
    ColorJob& operator=(const ColorJob&) = delete;

    void loadDatabase(std::int16_t medium) {
        const std::string path = (driverFrameworks() / "MDB_SL7000.mdb").string();
        const std::int32_t size = mdb3GetMediaData(path.c_str(), nullptr);
        database.assign(size > 0 ? static_cast<std::size_t>(size) : 0, 0);
        if (size > 0) {
            mdb3GetMediaData(path.c_str(), database.data());
        }
        info->mediumID = static_cast<std::uint16_t>(medium);
        mdb3OptimizeModeDefParam(database.data(), medium, 0, &info->quality);
    }

    /// The host's embedded profile, borrowed by the record.
    void embedProfile(const std::filesystem::path& path) {
        sourceProfile = readFile(path);
        info->sourceProfileBytes = sourceProfile.data();
        info->sourceProfileSize = static_cast<std::uint32_t>(sourceProfile.size());
    }

    /// Pattern cells with their own adjustments, as the set-up allocates them.
    void patternCells(std::uint8_t columns, std::uint8_t rows) {
        entries.assign(std::size_t{columns} * rows, info->currentAdjust);
        info->adjustEntries = entries.data();
        info->adjustEntryCount = static_cast<std::uint32_t>(entries.size());
        info->patternXCount = columns;
        info->patternYCount = rows;
        info->patternPrint = 1;
    }

    std::int32_t initialize() { return tarn_Color_Initialize_ForMXXXR(info, database.data()); }

    PLGContext context{};
    Color_Info* info = nullptr;
    std::vector<std::uint8_t> database;
    std::vector<std::uint8_t> sourceProfile;
    std::vector<ColorAdjustEntry> entries;
};

}  // namespace colortest
