// The caption bitmap: the caption text drawn at 200 dpi into a grey text bitmap, scaled to the
// caption resolution into the working pixel format, turned and mirrored like the image.
//
// A caption pixel carries the text's grey level in each of its samples: three samples of 8 or 16
// bits (16-bit samples: level × 257, little-endian), or one sample in the grey-caption case (a
// model that prints grey captions in one channel, model value 34 at 1, on monochrome output,
// where the model does not colour-process captions, model value 45 at 0).
#pragma once

#include <cstdint>

struct PLGContext;

/// True in the grey-caption case: one sample a caption pixel.
bool isGreyCaption(const PLGContext& context);

/// Renders the caption text into the context's caption bitmap (replacing any it held) and
/// records its size: the text in the bold interface font at the caption font size, on the
/// baseline that `captionKind` gives, scaled by the caption scale, turned when the image is, and
/// mirrored when the command record's mirror flag is 1. Returns 0, -1 (no context, no text
/// bitmap or drawing context, no size), -1000 (no memory for the caption bitmap) or the mirror's
/// result.
std::int32_t PLG_Caption_MakeData(PLGContext* context, std::int16_t captionKind);

/// Mirrors `bitmap` (rows `rowBytes` apart, pixels of `bytesPerPixel` bytes) in place over the
/// caption rectangle's width and height: a turned caption exchanges its top and bottom rows, an
/// upright one reverses the pixels of each row. Returns 0, -1000 (no memory), 1 (a working pixel
/// size other than 24 and 48) or -1 (no context or bitmap).
std::int32_t PLG_CaptionMirror(PLGContext* context, std::uint8_t* bitmap, std::uint32_t rowBytes,
                               std::uint32_t bytesPerPixel);
