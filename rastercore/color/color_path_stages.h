// The stages a colour job's band rows go through, in their order: the pre-processing object
// (or, for a monochrome print, matching of an RGB host's rows and then the monochrome object),
// matching of colour prints from an RGB host when the job matches, then the first colour-space
// conversion. The stages run at a sample depth and on objects of the caller's choice, so that
// the same stages serve the rows and the sampling of the whole path at full precision.
#pragma once

#include <cstdint>

#include "color/framework_objects.h"
#include "color/transform.h"

struct Color_Info;

/// The adjustment object a row goes through first.
enum class ColorAdjustment : std::uint8_t { None, Preproc, Monochrome };

/// Which stages the record's rows go through.
struct ColorPathStages {
    ColorAdjustment adjustment = ColorAdjustment::None;
    bool matching = false;    ///< matched through the job's profiles
    bool conversion = false;  ///< the first colour-space conversion
    bool operator==(const ColorPathStages&) const = default;
};

/// The stages the record asks for now.
ColorPathStages colorPathStages(const Color_Info& info);

/// The objects of the current pattern cell for a test pattern (null ones when the cell has
/// none), else the job's.
ColorPathObjects currentObjects(const Color_Info& info);

/// Runs `pixels` pixels of `depth` samples from `source` into `destination` (which may be the
/// same row) through the stages on the objects. 0, or the first failing stage's result (-1 when
/// the framework lacks a function or an object is missing).
std::int32_t runColorPath(Color_Info& info, const ColorPathStages& stages,
                          const ColorPathObjects& objects, color::Depth depth,
                          const std::uint8_t* source, std::uint8_t* destination,
                          std::uint32_t pixels);
