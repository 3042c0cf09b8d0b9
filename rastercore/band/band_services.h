// The neighbours of the band loop that other modules of the core provide: caption rendering and
// merging, print colour processing, the host line converter and the page commands. The loop
// reaches them through this table so that it runs against the core's own modules in production
// and against recording doubles in tests.
#pragma once

#include <cstdint>
#include <functional>

#include "seam/seam.h"

struct Color_Info;
struct PLGContext;
struct TARNRect;

struct BandServices {
    /// Renders the caption bitmap of `captionKind` into the context; 0 or a failure code.
    std::function<std::int32_t(PLGContext* context, std::int16_t captionKind)> captionMakeData;
    /// Gives the line to send for caption line `line`: the caption row alone or merged with the
    /// colour-processed image line `imageLine` (`imageLineWidth` pixels), its pointer in
    /// `*lineOut` and its right edge in `*rightOut`; 0 or -1.
    std::function<std::int32_t(PLGContext* context, std::int32_t line, std::int32_t imageStart,
                               std::int32_t captionStart, std::uint8_t* imageLine,
                               std::uint32_t imageLineWidth, std::uint8_t** lineOut,
                               std::int32_t* rightOut)>
        captionSetBuff;
    /// Colour-processes the (right - left) pixels of `source` for the printer into
    /// `destination`; 0 or a failure code.
    std::function<std::int32_t(Color_Info* color, std::uint8_t* source, TARNRect* rect,
                               std::uint8_t* destination)>
        colorProcessing;
    /// Converts one delivered host line into a working line owned by the context, whose address
    /// goes into `*lineOut`; 0 or a failure code.
    std::function<std::int32_t(PLGContext* context, std::int32_t unused, const void* hostLine,
                               std::uint8_t** lineOut)>
        bitConvert;
    /// Generates and sends the page start and the page end commands; 0 or a failure code.
    std::function<std::int32_t(PLGContext* context)> startPage;
    std::function<std::int32_t(PLGContext* context)> endPage;
};

/// The core's own services.
const BandServices& coreBandServices();

/// The services the band loop calls through.
seam::Seam<BandServices>& bandServices();
