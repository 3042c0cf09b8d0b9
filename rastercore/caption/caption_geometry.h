// The caption's size and its place on the page.
//
// A caption is one line of text rendered at 200 dpi into a text bitmap one centimetre high and
// scaled to the caption resolution (the context's caption scale = resolution / 200). It lies at
// the top (kind 1) or the bottom (other kinds) of the printable area, or, when the image is
// printed turned, at its right (kind 1) or left edge, reading downwards.
#pragma once

#include <cstdint>

struct PLGContext;
struct TARNRect;

/// Caption kind 1: at the top of the printable area (its right edge when turned).
inline constexpr std::int16_t kCaptionKindTop = 1;
/// Caption kind 2: at the bottom; the printable length keeps room for it on this side too.
inline constexpr std::int16_t kCaptionKindBottom = 2;

/// Sizes the caption of the context's caption text: font size = a × b ÷ c pixels (9, 200, 72: a
/// 9-point font at 200 dpi, 25 pixels), the text bitmap (the bold text's width × 1.15 by one
/// centimetre at b dpi) and the caption (the text bitmap scaled by the caption scale, turned with
/// the image). Returns 0, or -1 for a null context or c = 0.
std::int32_t PLG_Get_CaptionWiAndHi(PLGContext* context, std::int16_t a, std::int16_t b,
                                    std::int16_t c);

/// Places the caption of the context's caption width and height within the printable area of
/// the paper and the command record's margins, by the caption kind, the turn and the mirror
/// flag, and writes it to `captionRect` (normally the context's caption rectangle). Its left
/// edge is rounded up to a multiple of 8.
void PLG_Get_Caption_Rec(PLGContext* context, TARNRect* captionRect);
