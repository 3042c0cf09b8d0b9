// One-dimensional tables that carry a tone function over 8-bit and 16-bit samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tonara2 {

/// The function is evaluated at i / 4096 of full scale (i = 0 ... 4096) and the 16-bit table
/// interpolates between those points for every sample value, so that rows look values up
/// without arithmetic.
inline constexpr std::size_t kTableSteps = 4096;
inline constexpr std::size_t kSixteenBitValues = 65536;
inline constexpr std::size_t kEightBitValues = 256;

struct ChannelTable {
    std::uint16_t sixteen[kSixteenBitValues];
    std::uint8_t eight[kEightBitValues];
};

/// A tone function of 0 ... 1 onto 0 ... 1.
using ToneFunction = std::function<double(double)>;

/// Samples `function` into both tables; results outside 0 ... 1 are held at the ends.
void fillTable(ChannelTable& table, const ToneFunction& function);

inline std::uint16_t lookup16(const ChannelTable& table, std::uint32_t value) {
    return table.sixteen[value];
}

inline std::uint8_t lookup8(const ChannelTable& table, std::uint32_t value) {
    return table.eight[value];
}

}  // namespace tonara2
