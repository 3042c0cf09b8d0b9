// The command generator's front: the printer command stream of a job, written into caller
// buffers.
//
// Every command operation takes the record, the buffer to write at with its capacity in bytes and
// an out length, and sets the out length to the bytes written at the start of the buffer (0 on
// failure). Each checks that the record, its job context, the buffer and the out length are
// present (12010) and that the job's printer family (model value 0) is 1 (12040) before it
// dispatches to the family's generator. Nothing is ever written at or past `buffer + capacity`:
// commands that do not fit fail the operation with 12010. The caller sizes the buffer for the
// job header with every general data block, or for one band (`bandCommandSize`, known after
// Initialize, covers the largest band and every raster restart).
//
// Calling order for one job: Initialize; the colour module fills the general data blocks;
// BeginJob; per copy BeginPage, BeginImage, ImageBand for every band (the raster may be ended
// and restarted around blank stretches, emptying the seed stores), EndImage, EndPage; EndJob;
// Terminate.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"
#include "record/tarn_rect.h"

/// Maps the compression choice, derives the output colour space and allocates the conversion,
/// transfer and (seed-row compression) seed-store buffers. 0; 12010 for a missing record or
/// context, a colour component count other than 1, 3 or 4, an output depth other than 0-2, or
/// a zero image width or band height; 12020 out of memory (what was allocated stays for
/// Terminate); 12040 for another family.
std::int32_t tarn_Cmd_Initialize(Cmd_Info* info);

/// Universal exit, PJL header, entry into the raster language, the general data blocks and a
/// reset; resets the page counter. 12010 (nothing written) for an orientation other than 1 or 2
/// with a standard paper name, a paper-source mask without a cut-sheet or roll bit, or a
/// general data block with a length but no bytes.
std::int32_t tarn_Cmd_BeginJob(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                               std::uint32_t* length);

/// The motion-mode command of a page; counts the page.
std::int32_t tarn_Cmd_BeginPage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                                std::uint32_t* length);

/// Image position (none for a negative y), resolution, image configuration and start raster.
std::int32_t tarn_Cmd_BeginImage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                                 std::uint32_t* length);

/// Converts one band (interleaved, in the input colour space, rows packed without gaps) into
/// the output planes and writes its compressed rows. 12010 for missing band data or rectangle,
/// an empty band, or a band wider than the image width or taller than the band height that the
/// buffers were sized for.
std::int32_t tarn_Cmd_ImageBand(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                                std::uint32_t* length, const std::uint8_t* band,
                                const TARNRect* rect);

/// End raster (and, in draw mode 0, end of band).
std::int32_t tarn_Cmd_EndImage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                               std::uint32_t* length);

/// Reset at the end of a page.
std::int32_t tarn_Cmd_EndPage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                              std::uint32_t* length);

/// Universal exit at the end of the job.
std::int32_t tarn_Cmd_EndJob(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                             std::uint32_t* length);

/// Releases the generator's buffers and the record itself (also for a record without a job
/// context, or of another family, which reports 12040). The caller's pointer dangles
/// afterwards. 12010 for a null record.
std::int32_t tarn_Cmd_Terminate(Cmd_Info* info);

/// Copies the output colour space into `*space`; 12010 for a missing argument.
std::int32_t tarn_Cmd_GetInfo_OutputColorSpece(const Cmd_Info* info, TARNColorSpace* space);
