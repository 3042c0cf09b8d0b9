// The media database framework: its records and exported functions. A database is a byte image
// loaded from a file by mdb3GetMediaData and handed first to every other function. Every function
// answers 0 (or a documented failure value) for a null image, an unknown medium or a bad argument.
#pragma once

#include <cstdint>

extern "C" {

#pragma pack(push, 1)
/// First QDXA media id (categories), second QDXA id (names).
struct DEF_QDXAID {
    std::uint16_t qdxaID1;
    std::uint16_t qdxaID2;
};
/// The database header: version text at byte 10, QDXA medium type at byte 34.
struct DEF_HEADERPART {
    std::uint8_t bytes[36];
};
/// Default print method and resolution id.
struct DEF_QUALITY {
    std::uint16_t printMethod;
    std::uint16_t resolutionID;
};
/// Resolution code (1: 300 ppi input, 2: 600 ppi), bit code (0, 1, 2), then three words of the
/// database (output dots per inch, data-processing bits, pass count).
struct DEF_RESOLUTION {
    std::uint16_t words[5];
};
#pragma pack(pop)
static_assert(sizeof(DEF_QDXAID) == 4);
static_assert(sizeof(DEF_HEADERPART) == 36);
static_assert(sizeof(DEF_QUALITY) == 4);
static_assert(sizeof(DEF_RESOLUTION) == 10);

/// Bytes of the buffers that mdb3MediumString and mdb3OutputICC fill (terminator included).
inline constexpr int kMdbNameBytes = 256;
inline constexpr int kMdbHeaderVersionOffset = 10;
inline constexpr int kMdbHeaderMediumTypeOffset = 34;

// Database image.
std::int32_t mdb3GetMediaData(const char* path, std::uint8_t* buffer);
std::int16_t mdb3GetHeaderPart(std::uint8_t* db, DEF_HEADERPART* header);

// Filters: they change which media the image shows, in the image itself.
std::int16_t mdb3FilterMediumHint(std::uint8_t* db, std::uint32_t hintMask, std::uint16_t mode);
std::int16_t mdb3FilterInkSystem(std::uint8_t* db, std::uint32_t inkSystem, std::uint16_t value);
std::int16_t mdb3DBFilterOptimizeMode(std::uint8_t* db, std::uint32_t mode);
std::int16_t mdb3FilterOptimizeMode(std::uint8_t* db, std::int16_t medium, std::uint32_t mode);

// Media.
std::int16_t mdb3MediumCount(std::uint8_t* db);
std::int16_t mdb3MediumID(std::uint8_t* db, std::int16_t index, std::int16_t* medium);
std::int16_t mdb3MediumHint(std::uint8_t* db, std::int16_t medium, std::uint32_t* hint);
std::int16_t mdb3OptimizeModeHint(std::uint8_t* db, std::int16_t medium, std::uint32_t* hint);
std::int16_t mdb3QdxaID(std::uint8_t* db, std::int16_t medium, DEF_QDXAID* ids);
std::int32_t mdb3GetInkSystem(std::uint8_t* db, std::int16_t medium);
std::int16_t mdb3SupportedInkSystem(std::uint8_t* db, std::uint32_t* inkSystems);
std::int16_t mdb3MediumString(std::uint8_t* db, std::int16_t medium, const char* locale,
                              char* name);
std::uint16_t mdb3PaperSource(std::uint8_t* db, std::int16_t medium, std::uint16_t mode);

// Print methods, resolutions and qualities.
std::uint16_t mdb3SupportedPrintMethod(std::uint8_t* db, std::int16_t medium);
std::uint16_t mdb3SupportedResolution(std::uint8_t* db, std::int16_t medium, std::int16_t method);
std::uint16_t mdb3SupportedResoParam(std::uint8_t* db, std::int16_t medium, std::int16_t method,
                                     std::int16_t resolution, DEF_RESOLUTION* record);
std::uint16_t mdb3SupportedHalfTone(std::uint8_t* db, std::int16_t medium, std::int16_t method,
                                    std::int16_t resolution);
std::uint16_t mdb3ResolutionHint(std::uint8_t* db, std::int16_t medium, std::int16_t method,
                                 std::int16_t resolution, std::uint16_t* hint);
std::int16_t mdb3OptimizeModeDefParam(std::uint8_t* db, std::int16_t medium, std::uint32_t mode,
                                      DEF_QUALITY* quality);
std::int32_t mdb3OutputICC(std::uint8_t* db, std::int16_t medium, const DEF_QUALITY* quality,
                           std::uint32_t* modelID, char* fileName);

// Colour processing: hints and tables of a medium at a quality. Tables follow the size-then-fill
// protocol (no buffer: the size; a buffer of that size: filled) and hold named parts
// (table_parts.h).
std::int16_t mdb3PreprocHint(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                             std::uint32_t* hint);
std::int16_t mdb3MonoHint(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                          std::uint32_t* hint);
std::int16_t mdb3CSC1Hint(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                          std::uint32_t* hint);
/// The halftone method: 1 error diffusion, 16 dither.
std::int16_t mdb3HalftoneHint(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                              std::uint32_t* method);
std::uint32_t mdb3TableCSC1(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                            std::uint8_t* buffer);
std::uint32_t mdb3InputGamma(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                             std::uint8_t* buffer);
std::uint32_t mdb3TableCSC2(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                            std::uint8_t* buffer);
std::uint32_t mdb3TableOutputGamma(std::uint8_t* db, std::uint16_t medium,
                                   const DEF_QUALITY* quality, std::uint8_t* buffer);
std::uint32_t mdb3EDTable(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                          std::uint8_t* buffer);
std::uint32_t mdb3ResolutionConv(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                                 std::uint8_t* buffer);
std::uint32_t mdb3DitherParam(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                              std::uint8_t* buffer);
std::uint32_t mdb3TableIndexData(std::uint8_t* db, std::uint16_t medium, const DEF_QUALITY* quality,
                                 std::uint8_t* buffer);
}
