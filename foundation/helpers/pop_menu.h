// Static pop-up menu tables: rows of an item key, the string-table key of the item's text and a
// hidden flag, and the lookup of an item's text key. A table is a constant array of rows passed
// with its whole size in bytes. The fixed pop-ups of the dialogs are built from the tables below,
// and stored setting values are turned back into their texts through them; every row of them is
// visible, and the keys are the stored values.
#pragma once

#include <cstdint>

struct PopMenuTbl {
    std::int32_t key;
    const char* textKey;
    std::int32_t hidden;  ///< 0 visible, any other value hidden
};
static_assert(sizeof(PopMenuTbl) == 24, "tables are measured in rows of 24 bytes");

/// The text key of the first visible row with `itemKey` among the whole rows that fit in
/// `tableBytes`; null for a null table or when no visible row has the key. The text belongs to
/// the table.
const char* Get_MenuKeyStr(std::int32_t itemKey, const PopMenuTbl* table, std::int64_t tableBytes);

/// The image's place on a sheet.
extern const PopMenuTbl PRINTLAYOUT_MENU[3];
/// The image's place across a roll.
extern const PopMenuTbl ROLLLAYOUT_MENU[2];
/// The preview kinds.
extern const PopMenuTbl PREVIEW_MENU[3];
/// The matching methods.
extern const PopMenuTbl INTENT_MENU[5];
/// The colour engines.
extern const PopMenuTbl CONVERT_ENGINE_MENU[2];
/// The enlargement methods.
extern const PopMenuTbl EXPANDMETHOD_MENU[3];
/// The print qualities on models that shift to a fast mode.
extern const PopMenuTbl PRINTMODE_MENU[5];
/// The print qualities on the other models: quality 1 reads as draft.
extern const PopMenuTbl PRINTMODE_DRAFT_MENU[5];
/// The monochrome presets.
extern const PopMenuTbl GRAYPRESET_MENU[4];
/// The monochrome gradations.
extern const PopMenuTbl TONE_MENU[5];
/// The tone-curve channels of a colour print.
extern const PopMenuTbl TONE_CHANNEL_COLOR_MENU[4];
/// The tone-curve channel of a monochrome print.
extern const PopMenuTbl TONE_CHANNEL_MONO_MENU[1];
/// The caption's place.
extern const PopMenuTbl HISTORY_PRINTPOSITON_MENU[2];
/// The wait between pages.
extern const PopMenuTbl PAGETIME_MENU[9];
/// The wait between scans.
extern const PopMenuTbl BANDTIME_MENU[7];
/// The leading margins of media whose least is 3 mm.
extern const PopMenuTbl TIPSPACE3MM_MENU[3];
/// The leading margins of media whose least is 5 mm; a stored value means the same margin in both
/// tables.
extern const PopMenuTbl TIPSPACE5MM_MENU[3];
/// The trailing margins.
extern const PopMenuTbl BACKENDSPACE5MM_MENU[3];
/// The cutting speeds.
extern const PopMenuTbl CUTSPEED_MENU[4];
/// The calibration choices.
extern const PopMenuTbl CALIBRATION_MENU[3];
/// The paper thicknesses.
extern const PopMenuTbl PAPERTHICK_MENU[4];
/// The suction strengths.
extern const PopMenuTbl SUCTION_MENU[5];
/// The SSC levels.
extern const PopMenuTbl SSC_MENU[3];
/// The automatic cut choices.
extern const PopMenuTbl AUTOCUT_MENU[3];
/// The black inks.
extern const PopMenuTbl INK_KIND_MENU[2];
/// The colour adjustments a test pattern steps across.
extern const PopMenuTbl PATTERN_COLOR_X_MENU[7];
/// The colour adjustments a test pattern steps down, or none.
extern const PopMenuTbl PATTERN_COLOR_Y_MENU[8];
/// The monochrome adjustments a test pattern steps across.
extern const PopMenuTbl PATTERN_MONO_X_MENU[8];
/// The monochrome adjustments a test pattern steps down, or none.
extern const PopMenuTbl PATTERN_MONO_Y_MENU[9];
/// The test pattern's rotations.
extern const PopMenuTbl PATTERN_ROTATE_MENU[3];
/// The test pattern's cell sizes.
extern const PopMenuTbl PATTERN_SIZE_MENU[2];
/// The space between test pattern cells.
extern const PopMenuTbl PATTERN_SPACE_MENU[2];
/// The test pattern's backgrounds.
extern const PopMenuTbl PATTERN_BACKCOLOR_MENU[3];
