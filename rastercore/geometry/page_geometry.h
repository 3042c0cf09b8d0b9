// Page geometry of a job: paper names and sizes, their limits, margins, roll-width names, the
// printer resolution of a model and the byte size of a caption bitmap.
//
// Lengths are tenths of a millimetre (254 per inch); image sizes are working pixels at the
// working resolution of the job context. The services read the context's model values (13
// printer resolution kind, 14 margin kind, 18 paper-size class, 34 grey caption) and job values,
// and write the paper name, paper id, custom size and roll-width name into the command record.
// Unlisted ids, widths and model values leave the record as it was and succeed.
#pragma once

#include <cstdint>

struct Cmd_Info;
struct ModelAtlasTbl;
struct PLGContext;

/// Margins: the two side margins (always equal here), the leading-edge and the trailing-edge
/// margin. A negative value bleeds beyond the paper edge (borderless printing).
struct TARNMarginSize {
    std::int32_t side1;
    std::int32_t side2;
    std::int32_t top;
    std::int32_t bottom;
};

/// Paper id of a user (custom) size.
inline constexpr std::int32_t kPaperIdCustom = 19;

/// Appends the paper name of `paperId` to the record's paper name and stores the id (aliases
/// 10000 above a listed id store the listed id). Id 19 appends "CUSTOM" and computes the custom
/// width and length from the context's image, the record's margins and the size limits. An
/// unlisted id changes nothing. Returns 0.
std::int32_t PLG_Get_PaperSize(PLGContext* context, Cmd_Info* info, std::int32_t paperId);

/// The paper-size limits of the context's paper-size class and the record's paper source.
/// Returns 0.
std::int32_t PLG_Get_MinMax_PaperSize(const PLGContext* context, std::uint32_t* minWidth,
                                      std::uint32_t* minLength, std::uint32_t* maxWidth,
                                      std::uint32_t* maxLength);

/// Appends "CUSTOM" to the record's paper name and stores `width` and `length`, each cut to its
/// maximum and then raised to its minimum. Returns 0.
std::int32_t PLG_Get_UserPaperSize(PLGContext* context, Cmd_Info* info, std::int32_t width,
                                   std::int32_t length);

/// Every printer is of the one kind this core knows; returns 0.
std::int32_t PLG_Printer_Distinction(const char* printerName);

/// The printer resolutions of the model: kind 1 or 3 both 300 dpi for input-resolution code 1,
/// else 600; kind 2 600 × 1200; other kinds leave both unchanged. Returns 0.
std::int32_t PLG_Get_Peculiar_DPI(const ModelAtlasTbl* model, std::int32_t inputResolution,
                                  std::uint16_t* horizontal, std::uint16_t* vertical);

/// Fills `margins` for the model's margin kind; -1 (nothing written) for kind 1, which has no
/// margins, else 0.
std::int32_t PLG_Get_MarginSize(const PLGContext* context, std::uint8_t borderless,
                                TARNMarginSize* margins);

/// Writes the roll-width name of the context's paper width into the record; a width outside
/// every range writes nothing. -1 for a null record, else 0.
std::int32_t PLG_Get_RollWidth(const PLGContext* context, Cmd_Info* info, const void* unused);

/// Byte size of a caption bitmap of `width` × `height` pixels in the context's working format
/// (one sample a pixel for a grey caption when `greyAllowed`); 0 for an unknown format.
std::uint32_t PLG_Get_CaptionSize(const PLGContext* context, std::int32_t width,
                                  std::int32_t height, bool greyAllowed);
