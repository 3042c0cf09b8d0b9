// How the lines of a page split between the image and the caption: the lines to send, where
// each area starts among them and the raster width of the first line. Image and caption are
// sent as one raster band counted from the first line of whichever area begins first; when they
// share no line, the gap between them is not sent.
#pragma once

#include <cstdint>

struct PLGContext;

/// The lines to send (`*lines`) and the image height (`*imageLines`): the image height, plus
/// the caption height when caption and image share no line, or the height of their union when
/// they do; capped at 18 m of the vertical working resolution when model value 17 is 1 or 2.
/// Returns 0.
std::int32_t PLG_Get_Send_Line(const PLGContext* context, std::int32_t* lines,
                               std::int32_t* imageLines);

/// The first image line and the first caption line among `lines`; both 0 without a caption.
/// Returns 0.
std::int32_t PLG_Get_Start_Line(const PLGContext* context, std::int32_t lines,
                                std::int32_t imageLines, std::int32_t* imageStart,
                                std::int32_t* captionStart);

/// The raster width of the first line: the image width when the image starts first (or there
/// is no caption), the caption width when the caption does, the width of their union when both
/// start on the first line. Returns 0.
std::int32_t PLG_Get_Start_SrcWidth(const PLGContext* context, std::int32_t imageStart,
                                    std::int32_t captionStart, std::int32_t* width);
