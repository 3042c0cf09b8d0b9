// Wrappers that bind each media database function by name at the moment of the call. The
// framework missing, or the function missing from it, gives 0 (nothing is printed); outputs are
// cleared first, so a caller that reads them after a 0 reads zeros.
#pragma once

#include <cstdint>

#include "medab2/medab2.h"

std::int16_t Load_mdb3FilterInkSystem(std::uint8_t* db, std::uint32_t inkSystem,
                                      std::uint16_t value);
std::int16_t Load_mdb3FilterMediumHint(std::uint8_t* db, std::uint32_t hintMask,
                                       std::uint16_t mode);
std::int32_t Load_mdb3GetMediaData(const char* path, std::uint8_t* buffer);
std::int16_t Load_mdb3FilterOptimizeMode(std::uint8_t* db, std::int16_t medium, std::uint32_t mode);
std::int16_t Load_mdb3DBFilterOptimizeMode(std::uint8_t* db, std::uint32_t mode);
std::int16_t Load_mdb3SupportedInkSystem(std::uint8_t* db, std::uint32_t* inkSystems);
std::int16_t Load_mdb3MediumCount(std::uint8_t* db);
std::int16_t Load_mdb3MediumID(std::uint8_t* db, std::int16_t index, std::int16_t* medium);
std::int16_t Load_mdb3MediumHint(std::uint8_t* db, std::int16_t medium, std::uint32_t* hint);
std::int16_t Load_mdb3QdxaID(std::uint8_t* db, std::int16_t medium, DEF_QDXAID* ids);
std::int16_t Load_mdb3OptimizeModeHint(std::uint8_t* db, std::int16_t medium, std::uint32_t* hint);
std::int32_t Load_mdb3GetInkSystem(std::uint8_t* db, std::int16_t medium);
std::int16_t Load_mdb3MediumString(std::uint8_t* db, std::int16_t medium, const char* locale,
                                   char* name);
std::uint16_t Load_mdb3SupportedPrintMethod(std::uint8_t* db, std::int16_t medium);
std::uint16_t Load_mdb3SupportedResolution(std::uint8_t* db, std::int16_t medium,
                                           std::int16_t method);
std::uint16_t Load_mdb3SupportedResoParam(std::uint8_t* db, std::int16_t medium,
                                          std::int16_t method, std::int16_t resolution,
                                          DEF_RESOLUTION* record);
std::uint16_t Load_mdb3SupportedHalfTone(std::uint8_t* db, std::int16_t medium, std::int16_t method,
                                         std::int16_t resolution);
std::uint16_t Load_mdb3ResolutionHint(std::uint8_t* db, std::int16_t medium, std::int16_t method,
                                      std::int16_t resolution, std::uint16_t* hint);
std::int16_t Load_mdb3OptimizeModeDefParam(std::uint8_t* db, std::int16_t medium,
                                           std::uint32_t mode, DEF_QUALITY* quality);
std::uint16_t Load_mdb3PaperSource(std::uint8_t* db, std::int16_t medium, std::uint16_t mode);
std::int16_t Load_mdb3GetHeaderPart(std::uint8_t* db, DEF_HEADERPART* header);
std::int32_t Load_mdb3OutputICC(std::uint8_t* db, std::int16_t medium, const DEF_QUALITY* quality,
                                std::uint32_t* modelID, char* fileName);
