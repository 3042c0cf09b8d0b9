// The colour module's row matching that the host line converter calls: one row of grey or CMYK
// host samples into RGB.
#pragma once

#include <cstdint>
#include <functional>

#include "seam/seam.h"

struct Color_Info;

struct ColorMatchServices {
    /// Matches `pixels` pixels of `source` (the host's image mode, 8-bit samples or 16-bit
    /// samples in machine byte order) into RGB pixels of the same depth in `destination`
    /// (`ColorMatchProcessing_2`); 0 or the colour module's failure code (309).
    std::function<std::int32_t(Color_Info* color, std::uint32_t pixels, std::uint8_t* source,
                               std::uint8_t* destination)>
        matchRow;
};

/// The core's own services: the colour module's row matching.
const ColorMatchServices& coreColorMatchServices();

/// The services the host line converter calls through.
seam::Seam<ColorMatchServices>& colorMatchServices();
