// What the objects' row loops share: luminance in fixed point, the largest sample value.
#pragma once

#include <cstdint>

namespace tonara2 {

/// Luminance weights (ITU-R BT.601) in 16-bit fixed point; they add up to 65536.
inline constexpr std::uint32_t kLumaRed = 19595;
inline constexpr std::uint32_t kLumaGreen = 38470;
inline constexpr std::uint32_t kLumaBlue = 7471;
inline constexpr int kLumaBits = 16;

inline std::uint32_t luminance(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (kLumaRed * red + kLumaGreen * green + kLumaBlue * blue + (1U << (kLumaBits - 1))) >>
           kLumaBits;
}

/// The largest value of a sample.
template <typename Sample>
inline constexpr std::int32_t kLargest = static_cast<std::int32_t>(Sample(~Sample{0}));

}  // namespace tonara2
