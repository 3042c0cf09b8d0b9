// The core's own description of the host image, filled from the host information record.
#pragma once

#include <cstdint>

/// The image editor's suite directory: hands out named host interfaces.
struct HostBasicSuite {
    /// Stores the suite `name` at `version` into `*suite`; 0 on success.
    std::int32_t (*acquireSuite)(const char* name, std::int32_t version, const void** suite);
};

/// Allocated zeroed with `calloc` by the job set-up and released with `free`.
struct HostImageRecord {
    std::int16_t imageMode;  ///< the host's image-mode codes (1 grey, 3 RGB, 4 CMYK, ...)
    std::int32_t planes;     ///< always 1
    std::int32_t height;     ///< pixels
    std::int32_t width;      ///< pixels
    std::int16_t depth;      ///< bits per sample
    std::int16_t depthSecond;
    std::int32_t horizontalResolution;  ///< 16.16 fixed point
    std::int32_t verticalResolution;    ///< 16.16 fixed point
    std::int32_t selectionTop;          ///< the selection in top-down rows
    std::int32_t selectionLeft;
    std::int32_t selectionBottom;
    std::int32_t selectionRight;
    unsigned char imageName[256];  ///< length-prefixed
    const void* profileTable;      ///< the host's embedded profile bytes
    std::uint32_t profileTableSize;
    void* data;  ///< the band the host delivered last
    std::int32_t rowBytes;
    HostBasicSuite* basicSuite;                 ///< the image editor's suite directory, or null
    std::int32_t hostSupports32BitCoordinates;  ///< always 1
    std::int32_t uses32BitCoordinates;
    std::int32_t requestTop;  ///< the requested rectangle, host pixels
    std::int32_t requestLeft;
    std::int32_t requestBottom;
    std::int32_t requestRight;
};
