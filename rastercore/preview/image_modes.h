// The host's image modes as the preview sees them: the layout of their preview pixels.
#pragma once

#include <cstdint>

#include "color/transform.h"

/// The pixel layout of a host image's preview data: grey (modes 1 and 10, 1 byte a pixel), CMYK
/// (modes 4 and 13, 4 bytes) or RGB (3 bytes: modes 3 and 11, and every mode of no other class).
color::Layout imageLayoutOf(std::int32_t imageMode);

/// Whether the image is RGB by its own mode (3 or 11), not by default.
bool isRgbImageMode(std::int32_t imageMode);

/// Whether the image's data is not RGB and needs converting: modes 1, 4, 10 and 13.
bool isChangeRGB(std::int32_t imageMode);
