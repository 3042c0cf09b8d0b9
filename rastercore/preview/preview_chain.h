// Matching preview pixels through a chain of transforms: 8-bit pixels in, 8-bit RGB pixels out,
// and between two steps 16-bit samples, so that a chain rounds to 8 bits once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "color/transform.h"

/// One step: its transform (null: none was made) and the layout it converts into.
struct ChainStep {
    color::Transform* transform;
    color::Layout into;
};

/// Converts `pixels` pixels of layout `from` from `source` through the steps into RGB pixels at
/// `destination` (which may be the source when both are RGB). A step without a transform is left
/// out when it keeps the layout; no step at all copies the source. 0, or 309 when a missing step
/// would change the layout or a transform refuses its layouts.
std::int32_t matchChain(std::span<const ChainStep> steps, const void* source, color::Layout from,
                        void* destination, std::size_t pixels);

/// Makes the transforms of a chain ready for exactly the conversions `matchChain` runs, so that
/// matching afterwards only reads them and threads may share them. False when one cannot be
/// made ready.
bool prepareChain(std::span<const ChainStep> steps, color::Layout from);
