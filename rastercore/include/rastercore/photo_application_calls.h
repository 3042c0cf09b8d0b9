// The photo application's image calls: the host callbacks of slots 262 to 318 of the host
// information record, through which the print core opens the image to print and the host frees
// what it handed out. Each callback returns a 32-bit status, 0 for success; the record itself
// comes first and the host reference (`hostReference`) last.
#pragma once

#include <cstdint>

namespace cf {
class Value;
}

struct CommonInfoTable;

/// What the host tells about one of its images.
struct HostImageDescription {
    double width;                  ///< pixels
    double height;                 ///< pixels
    std::int32_t resolution;       ///< 16.16 fixed point, pixels per inch
    std::int16_t bitsPerChannel;   ///< 8 or 16
    std::int16_t samplesPerPixel;  ///< of the host's own image
};

/// The open request: the core fills the first two fields, the host answers the others.
struct HostOpenImageRequest {
    std::int32_t requestVersion;  ///< always 1
    std::int32_t sampleRequest;   ///< 2: lines of 16-bit samples, 1: of 8-bit samples
    std::int32_t width;           ///< pixels; must equal the description's
    std::int32_t height;
    std::int32_t bytesPerSample;   ///< the per-pixel factor of the delivered lines: 1 or 2
    std::int32_t sharpness;        ///< added to the job's sharpness
    const cf::Value* profileFile;  ///< string: path or "file://" URL of the lines' profile
};

/// Slot 262: the number of images into `*count`.
using HostImageCountProc = std::int32_t (*)(CommonInfoTable* table, std::int32_t* count,
                                            void* hostReference);
/// Slot 270: the description of image `index` (from 0).
using HostImageDescriptionProc = std::int32_t (*)(CommonInfoTable* table, std::int32_t index,
                                                  HostImageDescription* description,
                                                  void* hostReference);
/// Slot 278: opens the image for printing; its handle into `*image`.
using HostOpenImageProc = std::int32_t (*)(CommonInfoTable* table, HostOpenImageRequest* request,
                                           void** image, void* hostReference);
/// Slot 286: a transfer buffer of `size` bytes into `*buffer`.
using HostAllocateBufferProc = std::int32_t (*)(CommonInfoTable* table, std::uint32_t size,
                                                void** buffer, void* hostReference);
/// Slot 294: the part of the image the line callback serves; its line indices count from it.
using HostDefineSourceRectProc = std::int32_t (*)(CommonInfoTable* table, void* image,
                                                  std::int32_t left, std::int32_t top,
                                                  std::int32_t width, std::int32_t height,
                                                  void* hostReference);
/// Slot 302: with `turn` 1 the line callback serves columns of the source part instead of rows.
using HostTurnImageProc = std::int32_t (*)(CommonInfoTable* table, void* image, std::int32_t turn,
                                           void* hostReference);
/// Slot 310: releases a transfer buffer of slot 286.
using HostFreeBufferProc = std::int32_t (*)(CommonInfoTable* table, void* buffer,
                                            void* hostReference);
/// Slot 318: closes an image of slot 278.
using HostCloseImageProc = std::int32_t (*)(CommonInfoTable* table, void* image,
                                            void* hostReference);
