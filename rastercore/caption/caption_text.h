// Caption text: one line measured or drawn in the system interface font, the helpers the caption
// renderers and the job set-up share.
//
// Text is a NUL-terminated UTF-8 string; a null string measures 0 and draws nothing. Drawing goes
// into a bitmap drawing context whose user space has its origin at the bottom left.
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"

/// Text style bits; the other bits have no effect. Expanded wins over bold.
inline constexpr std::uint16_t kTextStyleBold = 0x01;
inline constexpr std::uint16_t kTextStyleExpanded = 0x40;

/// Text colours; any other value draws in the default colour, black.
inline constexpr std::int16_t kTextColorBlack = 0;
inline constexpr std::int16_t kTextColorWhite = 1;

/// What `GetTextWidthORHeight` measures.
inline constexpr std::int16_t kTextMeasureWidth = 0;
inline constexpr std::int16_t kTextMeasureAscent = 1;

/// The typographic width of `text` as one line (`which` 0) or the font's ascent (`which` 1) at
/// `size` in the style; 0 for any other `which` or when the font cannot be made.
double GetTextWidthORHeight(double size, std::uint16_t style, const char* text, std::int16_t which);
/// The body of `GetTextWidthORHeight`.
double GetCoreTextWidthOrHeight(double size, std::uint16_t style, const char* text,
                                std::int16_t which);

/// Draws `text` as one line with its baseline starting at (rect.x, rect.y) of `context`, in the
/// colour. Returns 0, also when nothing could be drawn.
std::int32_t DrawText(gfx::Bitmap* context, const gfx::Rect& rect, double size, std::uint16_t style,
                      const char* text, std::int16_t color);
/// The body of `DrawText`.
std::int32_t drawCoreText(gfx::Bitmap* context, const gfx::Rect& rect, double size,
                          std::uint16_t style, const char* text, std::int16_t color);

/// As `DrawText`, the line first cut at its end to rect.width and ended with "…" (U+2026) when
/// it does not fit; nothing is painted beyond rect.width. Returns 0.
std::int32_t DrawText_Trunc(gfx::Bitmap* context, const gfx::Rect& rect, double size,
                            std::uint16_t style, const char* text, std::int16_t color);
/// The body of `DrawText_Trunc`.
std::int32_t drawCoreTextTrunc(gfx::Bitmap* context, const gfx::Rect& rect, double size,
                               std::uint16_t style, const char* text, std::int16_t color);
