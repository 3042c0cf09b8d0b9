// The job context's set-up and tear-down: everything one print job needs, made from the caller's
// job record and the host's information record before the job opens, and released after it
// ends, also after a set-up that failed part way.
#pragma once

#include <cstdint>
#include <filesystem>

struct Color_Info;
struct CoreCommonInfoTbl;
struct PLGContext;

namespace color {
class Profile;
}

/// Fills the zeroed `context` from `*table` and the host information record it refers to, step by
/// step: the module records, the test-pattern settings, the colour-adjust entries, the host image
/// record, the model values, the media database, the layout and paper, the caption, the
/// placement, the photo application's image, the page commands, the job attributes, the colour
/// record, the command options, the row buffers, the test-pattern caption bitmaps and the
/// printer address. A failing step ends the set-up with its code; what was made stays for
/// `PLG_Terminate`. Returns 0; -1 for a missing record, context or host information record;
/// -1000 out of memory; -1200 when the printer address cannot be made or a Bonjour printer does
/// not answer; -1300 when nothing of the image lies on the medium (reported as success); -1400
/// when the photo application refuses an image call, or a resolution of the job is 0; 0x40103
/// when the media database cannot be opened; 12040 for a printer class the core does not print;
/// 13020 when a row buffer cannot be made; the codes of the layout, tone-curve and pattern steps.
std::int32_t PLG_Initialize(void* reserved, CoreCommonInfoTbl** table, PLGContext* context);

/// Copies the model values of the context's job record into the context; 0, or -1 without a
/// record. Either way the three module records point back to the context.
std::int32_t PLG_SetModelAtlasTbl(PLGContext* context);

/// Releases everything the set-up and the job made, then the context itself: the printer
/// address, the media database the set-up opened, the host image record, the colour tables and
/// tone curves, the photo application's transfer buffer and image, every buffer, the test-pattern
/// captions and tables, the command, colour and packet records. Returns 0, or -1400 when the
/// photo application refuses to free its buffer or close its image (the rest is released all the
/// same). A null context is ignored.
std::int32_t PLG_Terminate(PLGContext* context);

/// A visitor of the installed-profile walk: at the first display profile with an RGB colour space
/// whose description is "Adobe RGB (1998)" (or the desktop's "Compatible with Adobe RGB (1998)")
/// it sets the colour record's Adobe RGB flag and answers false to stop the walk; true (go on)
/// for every other profile.
bool Plg_AdobeProfileSearch_Iterate(const color::Profile& profile,
                                    const std::filesystem::path& file, Color_Info* colorRecord);
