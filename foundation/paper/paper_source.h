// Paper sources: the source codes, the checks on them, their menu texts, the source a medium can
// use and the feed menu of a model and medium.
#pragma once

#include <cstdint>

#include "cf/bundle.h"
#include "helpers/kmenu.h"

/// Paper source codes: one bit each.
enum PaperSourceCode : std::uint16_t {
    kPaperSourceCassetteAuto = 1,
    kPaperSourceCassette = 2,
    kPaperSourceCassette2 = 4,
    kPaperSourceManual3mm = 16,  ///< manual feed with a 3 mm margin
    kPaperSourceManual = 128,    ///< manual feed (cut sheet)
    kPaperSourceRoll256 = 256,
    kPaperSourceRollPaper = 512,
    kPaperSourceRoll1024 = 1024,
    kPaperSourceRoll2048 = 2048,
    kPaperSourceManual2 = 8192,  ///< manual feed (cut sheet), second code
};

/// True for the manual feeds 128 and 8192.
bool SelectManualFeed(std::int32_t paperSource);
/// True for the 3 mm manual feed 16.
bool SelectManualFeed3mm(std::int32_t paperSource);
/// True for the rolls 256, 512, 1024 and 2048.
bool SelectRoll(std::int32_t paperSource);

/// 1 and the string-table key of the source's menu text for 1, 2, 4, 16 (only on models whose
/// `manual3mm` flag is 1), 128, 8192 and 512; 0 and a null key for every other code. The cut-sheet
/// feeds read "FEED_MANUAL" on medium-format models, "FEED_CUTPAPER" on the others.
std::int16_t AddPaperSourceMenu(std::int32_t printerTypeID, std::int32_t paperSource,
                                const char** textKey);

/// Appends one row (text, source, 0, 0, enabled) per source of the model's source order that the
/// medium supports and that has a menu text, in that order; returns the rows added. Without a
/// media database one row, the manual feed 128. No menu: 0. Only the first ten sources of the
/// model's order are offered. `reserved` is not read.
std::int16_t ConstructFeedList(std::uint8_t* mediaDatabase, std::int32_t printerTypeID,
                               const cf::Bundle* bundle, std::int16_t mediumID,
                               std::int32_t reserved, MenuDataArray menu);

/// A source the medium can use: the requested one when the medium supports it, else for a
/// requested manual feed the manual feed it supports (128 first), else the medium's default.
std::uint16_t validatePaperSource(std::uint8_t* mediaDatabase, std::int16_t mediumID,
                                  std::uint16_t paperSource);
