// Print colour processing: the job's colour set-up, the description of the band it delivers,
// the dispatch of band rows, and the tear-down.
//
// Order of a job: tarn_Color_Initialize_ForMXXXR, tarn_Color_GetInfo_OutputColorSpece,
// tarn_Color_CreateTable_ForMXXXR (color_tables.h), tarn_Color_ColorProcessing per row,
// tarn_Color_ReleseTable and tarn_Color_Terminate.
#pragma once

#include <cstdint>

struct Color_Info;
struct TARNColorSpace;
struct TARNRect;

/// Binds the media database and the colour framework, makes the job's framework objects and
/// opens matching when the job needs it. The record keeps `mediaDatabase`. 0; 13010 when a
/// framework cannot be opened or an argument is missing; 13020, 13100, 13300, 13302 from the
/// objects; 296 or 309 from matching. What was made stays for `tarn_Color_Terminate`.
std::int32_t tarn_Color_Initialize_ForMXXXR(Color_Info* info, std::uint8_t* mediaDatabase);

/// Describes the colour-processed band: colour space 18 with three planes (one grey plane in
/// slot 6 for a monochrome job of a grey-plane model) of 8 or 16 bits. 0; -1 for output kinds
/// 1 and 3; 13010 for a missing argument. Other kinds leave the descriptor as it is.
std::int32_t tarn_Color_GetInfo_OutputColorSpece(Color_Info* info, TARNColorSpace* space);

/// Colour-processes the (right - left) pixels of a band row from `source` into `destination`
/// by the model's band-processing kind: -1 for kinds 1 and 2 (and a missing record), the
/// family's processing for kind 3, nothing (0) for other kinds.
std::int32_t tarn_Color_ColorProcessing(Color_Info* info, std::uint8_t* source, TARNRect* rect,
                                        std::uint8_t* destination);

/// The same dispatch for caption rows, which are copied as they are.
std::int32_t tarn_Color_ColorProcessing_For_Caption(Color_Info* info, std::uint8_t* source,
                                                    TARNRect* rect, std::uint8_t* destination);

/// Frees the framework objects and their buffers.
void tarn_Color_Terminate_ForMXXXR(Color_Info* info);

/// Frees the framework objects, releases the frameworks, closes matching and frees the record
/// (whose adjustment entries and tone-curve tables belong to the job set-up); 0.
std::int32_t tarn_Color_Terminate(Color_Info* info);
