// The steps of the job set-up, in the order `PLG_Initialize` runs them, and the tear-down's
// partners of the steps that hold outside resources. Each step reads what the steps before it
// left in the context; a step that fails returns its code and leaves what it made for the
// tear-down.
#pragma once

#include <cstdint>

struct CoreCommonInfoTbl;
struct PLGContext;

namespace setup {

/// The packet, command and colour records, each pointing back to the context; -1000 without
/// memory. The context keeps the job record.
std::int32_t allocateRecords(PLGContext& context, CoreCommonInfoTbl& table);

/// A test-pattern job overrides the record's page and output settings with the sheet's and
/// measures the setting captions; a normal job gets one cell on each axis.
void applyPatternSettings(PLGContext& context, CoreCommonInfoTbl& table);

/// The colour-adjust entries: one per cell, plus the monochrome caption entry; -1000 without
/// memory.
std::int32_t allocateAdjustEntries(PLGContext& context, const CoreCommonInfoTbl& table);

/// The host image record from the host information record; -1 without one, -1000 without
/// memory.
std::int32_t makeHostImageRecord(PLGContext& context, const CoreCommonInfoTbl& table);

/// A test-pattern job's coordinates from the pattern layout; its code when it fails.
std::int32_t takePatternCoordinates(PLGContext& context);

/// The media database: opened by the model's print-mode rule, or the record's open one;
/// 0x40103 when it cannot be had, -1 when the print mode has no rule.
std::int32_t openMediaDatabase(PLGContext& context, CoreCommonInfoTbl& table);

/// The input bit-depth choice the model can take, written back to the record.
void limitInputDepth(const PLGContext& context, CoreCommonInfoTbl& table);

/// Copies, borderless printing, fitting, layout, resolutions and the print direction; -1400 when
/// a resolution of the job is 0.
std::int32_t setLayout(PLGContext& context, const CoreCommonInfoTbl& table);

/// The paper size in tenths of a millimetre and in dots, the paper source and the margins.
void setPaper(PLGContext& context, const CoreCommonInfoTbl& table);

/// The caption text, its resolution and its box; the caption box's code when it fails.
std::int32_t setCaption(PLGContext& context, const CoreCommonInfoTbl& table);

/// The placement of the image on the medium; -1300 when nothing of it lies there.
std::int32_t placeImage(PLGContext& context, CoreCommonInfoTbl& table);

/// The photo application's image: its description, the open image, its profile and the
/// transfer buffer; -1400 when the host refuses a call or answers what cannot be.
std::int32_t openPhotoApplicationImage(PLGContext& context, const CoreCommonInfoTbl& table);

/// The caption rectangle, the raster origin, the paper-size commands and the lines to send.
void setPageCommands(PLGContext& context, const CoreCommonInfoTbl& table);

/// The job's names, owner, identifier and the packet record's choices.
void setJobAttributes(PLGContext& context, const CoreCommonInfoTbl& table);

/// The colour record's job values, entries and tone curves; the tone curve's code.
std::int32_t setColorRecord(PLGContext& context, const CoreCommonInfoTbl& table);

/// The command options of a large-format printer.
void setCommandOptions(PLGContext& context, const CoreCommonInfoTbl& table);

/// The working depth code and the converted row; 13020 without memory.
std::int32_t allocateRowBuffers(PLGContext& context, const CoreCommonInfoTbl& table);

/// Every test-pattern caption area's bitmap, filled with 255; -1000 without memory.
std::int32_t allocatePatternCaptionBitmaps(PLGContext& context);

/// The printer address and, for a Bonjour printer printed directly, its check; -1200 when
/// either fails.
std::int32_t makePrinterAddress(PLGContext& context, const CoreCommonInfoTbl& table);

// Tear-down partners.

/// Frees every test-pattern caption bitmap, the areas' arrays and the areas themselves.
void releasePatternCaptionAreas(PLGContext& context);

/// Frees the photo application's transfer buffer and closes its image through its callbacks;
/// -1400 when it refuses either.
std::int32_t closePhotoApplicationImage(PLGContext& context);

}  // namespace setup
