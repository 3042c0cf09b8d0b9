// Row decompression of raster transfers: PackBits and delta row.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace streamdecoder {

/// Undoes PackBits; nothing (and a reason) when a group runs past the data.
std::optional<std::vector<std::uint8_t>> unpackBits(std::span<const std::uint8_t> data,
                                                    std::string* error);

/// Applies delta-row commands to a copy of `seed`; the row grows when a replacement reaches
/// past its end. Nothing (and a reason) when a command runs past the data.
std::optional<std::vector<std::uint8_t>> applyDeltaRow(std::span<const std::uint8_t> seed,
                                                       std::span<const std::uint8_t> data,
                                                       std::string* error);

}  // namespace streamdecoder
