// What job start reaches in other modules of the core: the print colour module's set-up, its
// output colour space and its colour tables, and the conversion of job texts into the printer's
// encoding. Tests put recording doubles in place through the seam.
#pragma once

#include <cstdint>
#include <functional>

#include "seam/seam.h"

struct Color_Info;
struct GeneralDataBlock;
struct ModelAtlasTbl;
struct TARNColorSpace;

struct JobStartServices {
    /// Sets the colour record up with the job's media database (`tarn_Color_Initialize_ForMXXXR`);
    /// 0 or a failure.
    std::function<std::int32_t(Color_Info* color, void* mediaDatabase)> colorInitialize;
    /// Describes the colour-processed band (`tarn_Color_GetInfo_OutputColorSpece`); 0 or a
    /// failure.
    std::function<std::int32_t(Color_Info* color, TARNColorSpace* space)> colorOutputColorSpace;
    /// Fills the eight colour tables of the job header (`tarn_Color_CreateTable_ForMXXXR`); 0 or
    /// a failure.
    std::function<std::int32_t(Color_Info* color, GeneralDataBlock* blocks)> colorCreateTable;
    /// Converts the length-prefixed `source` into the C string `destination` (256 bytes) in the
    /// printer's encoding for text kind `kind` (`PLGTransferString_Mac`), its byte length in
    /// `*length`; 0 or a failure.
    std::function<std::int32_t(const unsigned char* source, char* destination,
                               std::uint16_t* length, const ModelAtlasTbl* model,
                               std::int16_t kind)>
        transferString;
};

const JobStartServices& coreJobStartServices();
seam::Seam<JobStartServices>& jobStartServices();
