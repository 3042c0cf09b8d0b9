// Bit packing of samples into the rows of one plane.
//
// Samples are packed most significant bit first: sample i of row r starts at bit i × size of the
// row, counted from the top bit of the row's first byte, so a sample's bits read as one
// big-endian number over the bytes it touches. Only those bytes are read and written.
#pragma once

#include <cstdint>

/// Maximum sample size of a map, in bits.
inline constexpr std::uint32_t kMapMaxBits = 32;

struct Map {
    std::uint8_t* buffer;
    std::uint32_t width;   ///< samples per row
    std::uint32_t height;  ///< rows
    std::uint32_t stride;  ///< bytes per row
    std::uint32_t bits;    ///< sample size, 1 to 32
    std::uint32_t mask;    ///< the low `bits` bits set
};

/// Sets up `map` over `buffer` with stride (width × bits + 7) / 8. Returns 0, or -1 for a null
/// pointer, a zero width, height or sample size, or a sample size above 32.
std::int32_t initMapStructure(std::uint8_t* buffer, std::uint32_t width, std::uint32_t height,
                              std::uint32_t bits, Map* map);

/// As `initMapStructure`, with the stride rounded up to a multiple of `byteMultiple` (-1 when it
/// is 0).
std::int32_t initMapStructure_ByteBound(std::uint8_t* buffer, std::uint32_t width,
                                        std::uint32_t height, std::uint32_t bits,
                                        std::uint32_t byteMultiple, Map* map);

/// Writes the low bits of `value` as sample `index` of row `row`; the other bits stay.
void setMapData(const Map& map, std::uint32_t index, std::uint32_t row, std::uint32_t value);

/// Reads sample `index` of row `row`.
std::uint32_t getMapData(const Map& map, std::uint32_t index, std::uint32_t row);

/// Fills the rest of row `row` after sample `lastIndex`: the remaining bits of the sample's last
/// byte, then every byte up to the end of the stride, with ones (`fill` 1) or zeros (`fill` 0).
/// Nothing past the row's stride is touched.
void remainBitSet(const Map& map, std::uint32_t lastIndex, std::uint32_t row, std::uint32_t fill);
