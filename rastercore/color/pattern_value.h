// The colour-adjust entries of a job: one per test-pattern cell (two adjustments varying along X
// and Y), or one for a normal job, plus a neutral caption entry for monochrome prints.
#pragma once

#include <cstdint>

struct PLGContext;

/// Pattern items: which adjustment an axis varies.
enum PatternItem : std::int32_t {
    kItemCyanRed = 1,
    kItemMagentaGreen = 2,
    kItemYellowBlue = 3,
    kItemGreyTone = 4,
    kItemBrightness = 5,
    kItemContrast = 6,
    kItemSaturation = 7,
    kItemTonePointX = 8,
    kItemTonePointY = 9,
    kItemGradation = 10,
    kItemMonochromeBrightness = 11,
    kItemMonochromeContrast = 12,
    kItemHighlight = 13,
    kItemShadow = 14,
    kItemWhiteFog = 15,
};

/// Fills the colour record's entries (allocated by the set-up: X count × Y count, plus one for the
/// monochrome caption entry) from its current adjustments and the job record's pattern settings,
/// and sets the X and Y counts, the table count and the monochrome gamma. Entries beyond the
/// allocated count are never written. Returns 0.
std::int32_t setPatternValue(PLGContext* context);
