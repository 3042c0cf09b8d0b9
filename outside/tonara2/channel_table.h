// One-dimensional tables that carry a tone function over 8-bit and 16-bit samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tonara2 {

/// Steps of the 16-bit table: entry i holds the function at i / 4096 of full scale, so that a
/// sample's top 12 bits pick the entry and its low 4 bits interpolate to the next.
inline constexpr std::size_t kTableSteps = 4096;
inline constexpr std::size_t kEightBitValues = 256;

struct ChannelTable {
    std::int32_t sixteen[kTableSteps + 1];  // 0 ... 65536, full scale at 65536
    std::uint8_t eight[kEightBitValues];
};

/// A tone function of 0 ... 1 onto 0 ... 1.
using ToneFunction = std::function<double(double)>;

/// Samples `function` into both tables; results outside 0 ... 1 are held at the ends.
void fillTable(ChannelTable& table, const ToneFunction& function);

inline std::uint16_t lookup16(const ChannelTable& table, std::uint32_t value) {
    const std::uint32_t entry = value >> 4;
    const std::int32_t low = table.sixteen[entry];
    const std::int32_t high = table.sixteen[entry + 1];
    const std::int32_t result = low + (((high - low) * static_cast<std::int32_t>(value & 15)) >> 4);
    return static_cast<std::uint16_t>(result > 0xFFFF ? 0xFFFF : result);
}

inline std::uint8_t lookup8(const ChannelTable& table, std::uint32_t value) {
    return table.eight[value];
}

}  // namespace tonara2
