// The captions of a test-pattern sheet: every text of the sheet rendered into its area of the
// context's pattern caption areas, in the working pixel format, before the pattern print loop
// copies them into the sheet.
//
// The texts come from the job record: the axis titles, the three basic-setting lines, the names
// of the adjustment items (seven for colour output, eight for grey output, in index order), the
// label of cells outside the valid range. Sizes are for 300 dpi and doubled at 600 dpi. Each
// member returns 0 when there is nothing to render (no areas, or its areas empty); -1 for a
// missing string it needs, a sheet orientation code above 2 or a failed drawing; -1000 when a
// grey bitmap cannot be allocated.
#pragma once

#include <cstdint>

struct PLGContext;

/// Renders every text of the sheet, member by member in the order below, stopping at the first
/// nonzero result. Returns 0, -1 or -1000.
std::int32_t PLG_PatternCreateCaption(PLGContext* context);

/// The X title: bold, cut to its area; left at (5, 20) on an upright sheet, right-aligned and
/// turned on a turned one.
std::int32_t PLG_PatternCreateCaption_ScaleX(PLGContext* context);
/// Each column's value, bold, centred near the top of its area; turned with the X title.
std::int32_t PLG_PatternCreateCaption_ScaleXValue(PLGContext* context);
/// The Y title: as the X title with the sheet's turn exchanged.
std::int32_t PLG_PatternCreateCaption_ScaleY(PLGContext* context);
/// Each row's value, as the column values, turned with the Y title.
std::int32_t PLG_PatternCreateCaption_ScaleYValue(PLGContext* context);
/// The three basic-setting lines stacked from the top, bold, cut to the area.
std::int32_t PLG_PatternCreateCaption_Setting_Basic(PLGContext* context);
/// The names of the adjustment items varied along neither axis, stacked like the basic block.
std::int32_t PLG_PatternCreateCaption_Setting_Color(PLGContext* context);
/// Each cell's X value, centred, white with a black shadow on grey.
std::int32_t PLG_PatternCreateCaption_SettingValue_X(PLGContext* context);
/// Each cell's Y value, as the X values.
std::int32_t PLG_PatternCreateCaption_SettingValue_Y(PLGContext* context);
/// The outside label, centred on every cell whose outside flag is set, bold, on grey; black, or
/// white on a black background when the sheet has a background behind its cells.
std::int32_t PLG_PatternCreateCaption_Outside(PLGContext* context);
