// A job record with its host table for test-pattern layouts: the settings a test varies, the
// rest as the test-pattern dialog fills them. The defaults describe an A4 sheet at 300 dpi of a
// 600 × 400 image at 300 dpi in three columns (cyan, centre 0, step 10) and two rows (yellow,
// centre 0, step 5), laid out AUTO with spacing.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "rastercore/core_common_info_tbl.h"

namespace patterntest {

struct SheetSettings {
    std::int32_t resolutionChoice = 1;  ///< 1: 300 dpi, else 600
    std::int32_t colorMode = 1;
    std::uint32_t paperWidth = 2100;  ///< 1/10 mm
    std::uint32_t paperLength = 2970;
    std::int32_t paperSource = 1;
    std::int32_t marginSize = 3;
    std::int32_t savePaper = 0;
    std::int32_t xItem = 1;
    std::int32_t columns = 3;
    std::int32_t xInterval = 10;
    std::int32_t xCenter = 0;
    std::int32_t yItem = 3;
    std::int32_t rows = 2;
    std::int32_t yInterval = 5;
    std::int32_t yCenter = 0;
    std::int32_t turn = 0;
    std::int32_t fullSize = 0;
    std::int32_t spacing = 1;
    std::int32_t background = 0;
    double imageWidth = 600;  ///< pixels
    double imageHeight = 400;
    double imageDpi = 300;
    std::uint8_t useSelection = 0;
    std::uint32_t selectionWidth = 0;
    std::uint32_t selectionHeight = 0;
};

/// The record and host table, at fixed addresses (the record points at the table).
struct PatternRecord {
    CommonInfoTable host{};
    CoreCommonInfoTbl record{};

    explicit PatternRecord(const SheetSettings& s = {}) {
        host.imageWidth = s.imageWidth;
        host.imageHeight = s.imageHeight;
        host.horizontalResolution = static_cast<std::int32_t>(s.imageDpi * 65536);
        host.verticalResolution = static_cast<std::int32_t>(s.imageDpi * 65536);
        record.commonInfo = &host;
        record.inputResolution = s.resolutionChoice;
        record.colorMode = s.colorMode;
        record.patternPaperSource = s.paperSource;
        record.patternPaperWidth = static_cast<std::int32_t>(s.paperWidth);
        record.patternPaperLength = static_cast<std::int32_t>(s.paperLength);
        record.patternConservePaper = s.savePaper;
        record.patternXItem = s.xItem;
        record.patternXCount = s.columns;
        record.patternXInterval = s.xInterval;
        record.patternCenterX = s.xCenter;
        record.patternYItem = s.yItem;
        record.patternYCount = s.rows;
        record.patternYInterval = s.yInterval;
        record.patternCenterY = s.yCenter;
        record.patternRotation = s.turn;
        record.patternFullSize = s.fullSize;
        record.patternSpacing = s.spacing;
        record.patternBackgroundColor = s.background;
        record.patternUseSelection = s.useSelection;
        record.patternSelectionWidth = static_cast<std::int32_t>(s.selectionWidth);
        record.patternSelectionHeight = static_cast<std::int32_t>(s.selectionHeight);
        record.modelAtlas.MarginSize = s.marginSize;
        record.patternPrint = 1;
    }
    PatternRecord(const PatternRecord&) = delete;
    PatternRecord& operator=(const PatternRecord&) = delete;
};

}  // namespace patterntest
