// The colour framework's objects of a job: pre-processing or monochrome objects (the job's and
// one per pattern cell) and the first colour-space conversion.
#pragma once

#include <cstdint>

struct Color_Info;

/// Whether rows need the pre-processing or monochrome object: some adjustment is not 0, a tone
/// curve is not the identity, the print is monochrome, or the job is a test pattern.
bool preprocessingNeeded(const Color_Info& info);

/// Makes the pre-processing objects (colour modes other than 3) or the monochrome objects
/// (colour mode 3): 0, 13100 when the media database or the framework refuses, 13020 for
/// memory.
std::int32_t createPreprocObjects(Color_Info& info);

/// Makes the first colour-space conversion of the job: 0, 13302 when the media database has
/// no conversion table or hint, 13300 when the conversion cannot be cut or made, 13020 for
/// memory.
std::int32_t createCsc1Object(Color_Info& info);

/// Objects that colour-process rows; each null or made by the framework.
struct ColorPathObjects {
    void* preproc = nullptr;
    void* monochrome = nullptr;
    void* csc1 = nullptr;
};

/// Makes the job's own pre-processing, monochrome and conversion objects (those it has; not a
/// pattern cell's) again for 16-bit samples, whatever its output depth: 0 or the code the
/// object's own maker answers. What was made stays in `objects` for `freeColorPathObjects`.
std::int32_t createSixteenBitObjects(Color_Info& info, ColorPathObjects& objects);

/// Frees the objects (through the framework when it can be bound) and their buffers.
void freeColorPathObjects(const Color_Info& info, ColorPathObjects& objects);

/// Frees every object (through the framework when it can be bound) and its buffer.
void freeFrameworkObjects(Color_Info& info);

/// The number of pattern cells whose entries carry objects (0 for an ordinary job).
std::uint32_t patternCells(const Color_Info& info);

/// The low three bits of a framework hint: 4 for 8-bit output, 7 for 10 and 12-bit output.
std::uint32_t hintForDepth(std::uint32_t hint, std::uint8_t outputDepth);
