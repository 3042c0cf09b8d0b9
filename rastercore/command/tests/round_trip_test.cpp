// Round trip: whole jobs through the generator and back through the independent stream decoder,
// at every depth and compression, for noise and photograph-like bands, with the seed chain
// running across bands and broken at an image restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "bytes/byte_order.h"
#include "command/tarn_cmd.h"
#include "generator_fixture.h"
#include "stream_decoder/stream_decoder.h"

namespace {

using commandtest::Bytes;
using commandtest::GeneratorFixture;
using commandtest::operator+;

// An image of 16-bit samples, interleaved.
struct Image {
    std::uint32_t width;
    std::uint32_t height;
    int components;
    std::vector<std::uint16_t> samples;

    std::uint16_t at(std::uint32_t x, std::uint32_t y, int k) const {
        return samples[(static_cast<std::size_t>(y) * width + x) * components + k];
    }
};

enum class Content { kNoise, kPhotograph };

// Noise, or what a photograph looks like to the encoders: flat areas, gradients and a noisy
// patch.
Image makeImage(std::uint32_t width, std::uint32_t height, int components, Content content,
                unsigned seed) {
    std::mt19937 random(seed);
    Image image{width, height, components, {}};
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (int k = 0; k < components; ++k) {
                std::uint32_t v = random() & 0xFFFF;
                if (content == Content::kPhotograph) {
                    if (x < width / 3) {
                        v = 0xFFFF;  // paper white
                    } else if (x < 2 * width / 3) {
                        v = (x * 997 + y * 131 + static_cast<std::uint32_t>(k) * 4001) & 0xFFFF;
                    } else if (y % 4 != 0) {
                        v = 0x8000 + (random() & 0x3F);
                    }
                }
                image.samples.push_back(static_cast<std::uint16_t>(v));
            }
        }
    }
    return image;
}

// Rows [top, top + rows) of columns [0, width) in the job's input layout.
Bytes bandBytes(const Image& image, std::uint32_t top, std::uint32_t rows, std::uint32_t width,
                bool wide) {
    Bytes band;
    for (std::uint32_t y = top; y < top + rows; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (int k = 0; k < image.components; ++k) {
                const std::uint16_t s = image.at(x, y, k);
                if (wide) {
                    band.push_back(0);
                    band.push_back(0);
                    bytes::storeLE16(&band[band.size() - 2], s);
                } else {
                    band.push_back(static_cast<std::uint8_t>(s >> 8));
                }
            }
        }
    }
    return band;
}

// The sample the printer must receive for input sample s.
std::uint16_t expectedSample(std::uint16_t s, bool wide, int bits) {
    const std::uint32_t sixteen = wide ? s : (s >> 8) * 257u;
    return static_cast<std::uint16_t>(sixteen >> (16 - bits));
}

struct JobShape {
    int components;
    bool wide;
    std::int32_t depth;
    std::int32_t compressionChoice;  // 5 none, 1 PackBits, 2 seed row
    std::uint32_t bandHeight;
};

// Sends `image` in bands whose widths `widthOf(band index)` may vary (caption-widened bands);
// with `restartAt` > 0 the raster is ended and restarted before that row, with emptied seeds.
Bytes runJob(GeneratorFixture& f, const Image& image, const JobShape& shape,
             const std::function<std::uint32_t(std::uint32_t)>& widthOf,
             std::uint32_t restartAt = 0) {
    Bytes stream =
        f.run(tarn_Cmd_BeginJob) + f.run(tarn_Cmd_BeginPage) + f.run(tarn_Cmd_BeginImage);
    std::uint32_t index = 0;
    for (std::uint32_t top = 0; top < image.height; top += shape.bandHeight, ++index) {
        if (restartAt != 0 && top == restartAt) {
            stream = stream + f.run(tarn_Cmd_EndImage);
            emptySeedStores(*f.info);
            stream = stream + f.run(tarn_Cmd_BeginImage);
        }
        const std::uint32_t rows = std::min(shape.bandHeight, image.height - top);
        const std::uint32_t width = widthOf(index);
        std::int32_t result = -1;
        stream = stream + f.band(bandBytes(image, top, rows, width, shape.wide), width, rows,
                                 static_cast<std::int32_t>(top), &result);
        EXPECT_EQ(result, 0);
    }
    return stream + f.run(tarn_Cmd_EndImage) + f.run(tarn_Cmd_EndPage) + f.run(tarn_Cmd_EndJob);
}

void setUp(GeneratorFixture& f, const JobShape& shape, std::uint32_t width) {
    f.setInput(shape.components, shape.wide ? 16 : 8);
    f.info->outputDepth = shape.depth;
    f.info->compression = shape.compressionChoice;
    f.info->imageWidth = width;
    f.info->bandHeight = shape.bandHeight;
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
}

// Checks every decoded row against the image; `widthOfRow` gives the columns sent in each row.
void checkRasters(const streamdecoder::DecodedStream& decoded, const Image& image,
                  const JobShape& shape,
                  const std::function<std::uint32_t(std::uint32_t)>& widthOfRow,
                  const std::string& label) {
    ASSERT_TRUE(decoded.ok) << label << ": " << decoded.error;
    const int bits = 8 + 2 * shape.depth;
    std::uint32_t y = 0;
    for (const auto& raster : decoded.rasters) {
        ASSERT_EQ(raster.depths, std::vector<int>(static_cast<std::size_t>(shape.components), bits))
            << label;
        for (const auto& row : raster.rows) {
            ASSERT_LT(y, image.height) << label;
            const std::uint32_t width = widthOfRow(y);
            for (int k = 0; k < shape.components; ++k) {
                const auto samples = streamdecoder::unpackSamples(row[k], bits, width);
                ASSERT_EQ(samples.size(), width) << label << " row " << y;
                for (std::uint32_t x = 0; x < width; ++x) {
                    ASSERT_EQ(samples[x], expectedSample(image.at(x, y, k), shape.wide, bits))
                        << label << " row " << y << " plane " << k << " x " << x;
                }
            }
            ++y;
        }
    }
    EXPECT_EQ(y, image.height) << label;
}

std::string labelOf(const JobShape& s, Content content) {
    return std::to_string(s.components) + (s.wide ? "x16" : "x8") + " depth " +
           std::to_string(s.depth) + " choice " + std::to_string(s.compressionChoice) + " band " +
           std::to_string(s.bandHeight) + (content == Content::kNoise ? " noise" : " photo");
}

TEST(RoundTrip, EveryDepthCompressionAndLayout) {
    const std::uint32_t width = 37;  // leaves fill bits at every depth
    const std::uint32_t height = 11;
    for (const int components : {3, 1, 4}) {
        for (const bool wide : {false, true}) {
            for (const std::int32_t depth : {kDepth8, kDepth10, kDepth12}) {
                for (const std::int32_t choice : {5, 1, 2}) {
                    for (const std::uint32_t bandHeight : {1u, 4u}) {
                        for (const Content content : {Content::kNoise, Content::kPhotograph}) {
                            const JobShape shape{components, wide, depth, choice, bandHeight};
                            const Image image =
                                makeImage(width, height, components, content, depth * 7 + choice);
                            GeneratorFixture f;
                            setUp(f, shape, width);
                            const auto full = [&](std::uint32_t) { return width; };
                            const Bytes stream = runJob(f, image, shape, full);
                            checkRasters(streamdecoder::decodeStream(stream), image, shape, full,
                                         labelOf(shape, content));
                        }
                    }
                }
            }
        }
    }
}

TEST(RoundTrip, SeedRowModesAcrossBandsAndRestarts) {
    // Seed-row coding: only the first row of each raster is PackBits-coded; every later row,
    // including the first row of each later band, is delta-coded against the row before it.
    const JobShape shape{3, true, kDepth10, 2, 3};
    const Image image = makeImage(29, 14, 3, Content::kPhotograph, 5);
    GeneratorFixture f;
    setUp(f, shape, 29);
    const auto full = [](std::uint32_t) { return 29u; };
    const auto decoded = streamdecoder::decodeStream(runJob(f, image, shape, full, 6));
    checkRasters(decoded, image, shape, full, "restart");
    ASSERT_EQ(decoded.rasters.size(), 2u);
    for (const auto& raster : decoded.rasters) {
        for (std::size_t r = 0; r < raster.rowModes.size(); ++r) {
            EXPECT_EQ(raster.rowModes[r], std::vector<int>(3, r == 0 ? 2 : 3)) << r;
        }
    }
    const auto methods = std::count_if(decoded.commands.begin(), decoded.commands.end(),
                                       [](const std::string& c) { return c == "ESC*b2M"; });
    EXPECT_EQ(methods, 2);
}

TEST(RoundTrip, BandsOfVaryingWidthUpToTheBandLineWidth) {
    // A caption wider than the image widens some bands; buffers are sized for the widest.
    const std::uint32_t lineWidth = 45;
    const auto widthOf = [](std::uint32_t band) { return band % 3 == 1 ? 45u : 30u + band; };
    for (const std::int32_t choice : {1, 2}) {
        for (const std::int32_t depth : {kDepth8, kDepth10, kDepth12}) {
            const JobShape shape{3, false, depth, choice, 1};
            const Image image = makeImage(lineWidth, 12, 3, Content::kNoise, 9);
            GeneratorFixture f;
            setUp(f, shape, lineWidth);
            const Bytes stream = runJob(f, image, shape, widthOf);
            checkRasters(streamdecoder::decodeStream(stream), image, shape, widthOf,
                         "varying widths, choice " + std::to_string(choice));
        }
    }
}

}  // namespace
