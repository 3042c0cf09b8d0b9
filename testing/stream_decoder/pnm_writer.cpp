// Decoded rasters as PNM files.
#include <fstream>

#include "stream_decoder/stream_decoder.h"

namespace streamdecoder {

namespace {

constexpr int kByteMaxDepth = 8;

std::string headerFor(std::size_t planes, std::uint32_t width, std::size_t height, int maxval) {
    const std::string size = std::to_string(width) + " " + std::to_string(height);
    const std::string max = std::to_string(maxval);
    if (planes == 1) {
        return "P5\n" + size + "\n" + max + "\n";
    }
    if (planes == 3) {
        return "P6\n" + size + "\n" + max + "\n";
    }
    return "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " + std::to_string(height) +
           "\nDEPTH " + std::to_string(planes) + "\nMAXVAL " + max + "\nENDHDR\n";
}

}  // namespace

bool writePnm(const Raster& raster, std::uint32_t width, const std::filesystem::path& path,
              std::string* error) {
    if (raster.depths.empty() || raster.rows.empty()) {
        *error = "the raster has no rows";
        return false;
    }
    const int depth = raster.depths[0];
    for (int d : raster.depths) {
        if (d != depth || d <= 0 || d > 16) {
            *error = "planes of different or unsupported depths";
            return false;
        }
    }
    if (width == 0) {
        width =
            static_cast<std::uint32_t>(raster.rows[0][0].size() * 8 / static_cast<unsigned>(depth));
    }
    if (width == 0) {
        *error = "the first row holds no whole sample";
        return false;
    }
    std::vector<std::vector<std::vector<std::uint16_t>>> samples;  // [row][plane][x]
    for (const auto& row : raster.rows) {
        // A row cut off inside its planes would leave pixels short of samples.
        if (row.size() != raster.depths.size()) {
            *error = "a row holds " + std::to_string(row.size()) + " of " +
                     std::to_string(raster.depths.size()) + " planes";
            return false;
        }
        auto& planes = samples.emplace_back();
        for (const auto& plane : row) {
            planes.push_back(unpackSamples(plane, depth, width));
            if (planes.back().size() != width) {
                *error = "a row is shorter than the width";
                return false;
            }
        }
    }
    std::ofstream file(path, std::ios::binary);
    file << headerFor(raster.depths.size(), width, raster.rows.size(), (1 << depth) - 1);
    for (const auto& planes : samples) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (const auto& plane : planes) {
                if (depth > kByteMaxDepth) {
                    file.put(static_cast<char>(plane[x] >> 8));
                }
                file.put(static_cast<char>(plane[x]));
            }
        }
    }
    if (!file) {
        *error = "cannot write " + path.string();
        return false;
    }
    return true;
}

}  // namespace streamdecoder
