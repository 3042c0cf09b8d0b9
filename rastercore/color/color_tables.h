// The colour tables of the job header, fetched from the media database and cut by the colour
// framework.
#pragma once

#include <cstdint>

struct Color_Info;
struct GeneralDataBlock;

/// Fills the eight general data blocks (input gamma, CSC2, generated monochrome table, output
/// gamma, dither parameters, error-diffusion table, resolution conversion, table index data) in
/// that order, stopping at the first error: 0, 13010 for a missing argument, or the table's
/// code (139xx). What was filled stays for `tarn_Color_ReleseTable`.
std::int32_t tarn_Color_CreateTable_ForMXXXR(Color_Info* info, GeneralDataBlock* blocks);

/// Frees the data of all eight blocks and empties them; 0.
std::int32_t tarn_Color_ReleseTable(GeneralDataBlock* blocks);
