// One colour-adjust entry: the adjustments of one pattern cell, of a normal job, or of the
// caption, and the colour framework's objects made from them.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct ColorAdjustEntry {
    std::uint8_t unused;
    std::int32_t tonePointX;
    std::int32_t tonePointY;
    double gamma;
    std::int32_t contrast;
    std::int32_t brightness;
    std::int32_t highlight;
    std::int32_t shadow;
    std::int32_t whiteFog;
    std::int16_t tableIndex;  ///< from 1; 0 for the caption entry
    std::int32_t cyanRed;
    std::int32_t magentaGreen;
    std::int32_t yellowBlue;
    std::int32_t saturation;
    std::int32_t greyTone;
    void* preprocObject;     ///< the cell's pre-processing object, or null
    void* monochromeObject;  ///< the cell's monochrome object, or null
};
#pragma pack(pop)
static_assert(offsetof(ColorAdjustEntry, gamma) == 9);
static_assert(offsetof(ColorAdjustEntry, tableIndex) == 37);
static_assert(offsetof(ColorAdjustEntry, preprocObject) == 59);
static_assert(sizeof(ColorAdjustEntry) == 75);
