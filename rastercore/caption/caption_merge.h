// Merging a caption line with the image line it shares, for the band loop.
#pragma once

#include <cstdint>

struct PLGContext;

/// Gives the line to send for caption line `line` (first image line `imageStart`, first caption
/// line `captionStart`): the caption row alone, with the caption rectangle's width, or, where the
/// image has the same line, the caption merged with the colour-processed image line `imageLine`
/// (`imageLineWidth` pixels) in the context's merge line, with the merge width. The caption row
/// is first colour-processed on monochrome output when the model colour-processes captions
/// (model value 45 at 1). White caption pixels (or, for a colour-processed caption on a model
/// whose value 34 is 0, pixels of the caption row's background colour) leave the image pixel
/// under them. Returns 0, or -1 with nothing given when the caption bitmap, the image line or a
/// line buffer is missing, the line lies outside the caption, the colour stage fails or the
/// colour record's output depth is unknown.
std::int32_t PLG_Caption_SetBuff(PLGContext* context, std::int32_t line, std::int32_t imageStart,
                                 std::int32_t captionStart, std::uint8_t* imageLine,
                                 std::uint32_t imageLineWidth, std::uint8_t** lineOut,
                                 std::int32_t* widthOut);
