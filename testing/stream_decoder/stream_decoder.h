// Reads a printer command stream back: the PJL header, the raster-language commands and the
// raster rows, undoing the row compression.
//
// Written from the published semantics of PJL and escape-sequence raster graphics, not from the
// encoder, so that tests can use it to check the encoder:
//  - the job opens with the universal exit ESC%-12345X and PJL lines ("@PJL" first, then
//    "@PJL RESET"), enters the raster language with ESC%0A and ends with a universal exit;
//  - an escape sequence is ESC, a parameterised character (0x21-0x2F), an optional group
//    character (0x60-0x7E), then value fields, each an optional sign and digits followed by a
//    parameter character, lowercase (0x60-0x7E) when another field follows, uppercase
//    (0x40-0x5E) at the end; ESC followed by 0x30-0x7E is a two-character command (ESC E);
//  - ESC*b<n>V / ESC*b<n>W, ESC*v<n>W and ESC$b<n>W carry n data bytes;
//  - ESC*b<m>M selects row compression: 0 raw, 2 PackBits (header h 0-127: h + 1 literal bytes;
//    -1 to -127: the next byte 1 - h times; -128: no operation), 3 delta row (command byte:
//    replaced bytes - 1 in the top three bits, offset in the low five; offset 31 continues with
//    bytes added on while they are 255; replacements patch a copy of the seed row, the plane's
//    previous row); a delta row of length 0 repeats the seed row;
//  - ESC*r1A starts a raster with empty seed rows; ESC*rC ends it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace streamdecoder {

using Bytes = std::vector<std::uint8_t>;

/// One raster (start raster to end raster): its place, layout and decoded rows.
struct Raster {
    std::int64_t x = 0;  ///< cursor position at the start
    std::int64_t y = 0;
    std::int32_t colorSpaceId = 0;           ///< from the image configuration
    std::vector<int> depths;                 ///< bits per sample of each plane, in plane order
    std::vector<std::vector<Bytes>> rows;    ///< rows[r][plane]: the plane's decoded row bytes
    std::vector<std::vector<int>> rowModes;  ///< rows[r][plane]: compression method used
};

struct DecodedStream {
    bool ok = false;
    std::string error;                  ///< what was wrong and where, when !ok
    std::vector<std::string> pjlLines;  ///< without "\n"
    std::vector<std::pair<std::string, std::string>> pjlSettings;  ///< "@PJL SET" in order
    std::vector<Bytes> generalData;                                ///< ESC$b...W blocks
    std::vector<std::string> commands;  ///< every command as text ("ESC*b2M", "ESC*b5W [5]")
    std::vector<Raster> rasters;
    int resets = 0;  ///< ESC E commands
};

/// Decodes a whole stream. Never reads past the data; the first fault stops decoding with
/// `ok` false and the reason in `error`.
DecodedStream decodeStream(std::span<const std::uint8_t> stream);

/// The samples of one decoded plane row of `width` samples of `depth` bits (MSB first).
/// `fillIsOnes`, when given, tells whether every bit after the last sample is 1. An empty
/// result when the row is too short.
std::vector<std::uint16_t> unpackSamples(std::span<const std::uint8_t> row, int depth,
                                         std::uint32_t width, bool* fillIsOnes = nullptr);

/// Writes a raster as PNM: one plane as P5, three as P6, other counts as P7 (PAM), maxval
/// 2^depth - 1 (all planes must share one depth). `width` 0 takes the widest whole number of
/// samples in the first row. False with a reason in `*error` when it cannot, also when a row
/// holds fewer planes than the raster (a stream cut off inside a row) or no whole sample.
bool writePnm(const Raster& raster, std::uint32_t width, const std::filesystem::path& path,
              std::string* error);

}  // namespace streamdecoder
