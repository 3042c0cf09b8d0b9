// PackBits and delta-row decoding.
#include "stream_decoder/row_decoding.h"

namespace streamdecoder {

namespace {
// Longest row accepted: far wider than any printer row, small enough to stop hostile offsets.
constexpr std::size_t kMaxRowBytes = std::size_t{1} << 20;
}  // namespace

std::optional<std::vector<std::uint8_t>> unpackBits(std::span<const std::uint8_t> data,
                                                    std::string* error) {
    std::vector<std::uint8_t> row;
    std::size_t i = 0;
    while (i < data.size()) {
        const auto header = static_cast<std::int8_t>(data[i++]);
        if (header >= 0) {
            const std::size_t count = static_cast<std::size_t>(header) + 1;
            if (count > data.size() - i) {
                *error = "PackBits literal group of " + std::to_string(count) +
                         " bytes runs past the data";
                return std::nullopt;
            }
            row.insert(row.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                       data.begin() + static_cast<std::ptrdiff_t>(i + count));
            i += count;
        } else if (header != -128) {
            if (i >= data.size()) {
                *error = "PackBits run without its byte";
                return std::nullopt;
            }
            row.insert(row.end(), static_cast<std::size_t>(1 - header), data[i++]);
        }
    }
    return row;
}

std::optional<std::vector<std::uint8_t>> applyDeltaRow(std::span<const std::uint8_t> seed,
                                                       std::span<const std::uint8_t> data,
                                                       std::string* error) {
    std::vector<std::uint8_t> row(seed.begin(), seed.end());
    std::size_t position = 0;
    std::size_t i = 0;
    while (i < data.size()) {
        const std::uint8_t command = data[i++];
        const std::size_t count = static_cast<std::size_t>(command >> 5) + 1;
        std::size_t offset = command & 0x1F;
        if (offset == 31) {
            std::uint8_t more = 255;
            while (more == 255) {
                if (i >= data.size()) {
                    *error = "delta-row offset runs past the data";
                    return std::nullopt;
                }
                more = data[i++];
                offset += more;
            }
        }
        if (count > data.size() - i) {
            *error =
                "delta-row replacement of " + std::to_string(count) + " bytes runs past the data";
            return std::nullopt;
        }
        position += offset;
        if (position + count > kMaxRowBytes) {
            *error = "delta-row replacement at byte " + std::to_string(position) +
                     " is past the longest row";
            return std::nullopt;
        }
        if (row.size() < position + count) {
            row.resize(position + count, 0);
        }
        for (std::size_t k = 0; k < count; ++k) {
            row[position++] = data[i++];
        }
    }
    return row;
}

}  // namespace streamdecoder
