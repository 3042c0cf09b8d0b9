// Fixed-point reducer: weights, block means, straddling rows, row counts and refusals.
#include "imaging/reducer/zoom_mini.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "imaging/reducer/zoom_mini_errors.h"
#include "imaging/reducer/zoom_mini_internal.h"

namespace {

using zoom_mini_internal::bentWeight;

struct Format {
    std::int64_t bitsPerPixel;
    int samples;      // per pixel
    int sampleBytes;  // 1 or 2
};
constexpr Format kFormats[] = {{8, 1, 1},  {24, 3, 1}, {32, 4, 1},
                               {16, 1, 2}, {48, 3, 2}, {64, 4, 2}};

/// An image as a flat list of samples, row after row.
struct Image {
    std::int64_t width, height;
    Format format;
    std::vector<std::uint32_t> samples;

    std::int64_t rowSamples() const { return width * format.samples; }
    std::uint32_t at(std::int64_t x, std::int64_t y, int s) const {
        return samples[static_cast<std::size_t>(y * rowSamples() + x * format.samples + s)];
    }
    std::vector<std::uint8_t> rowBytes(std::int64_t y) const {
        std::vector<std::uint8_t> bytes(
            static_cast<std::size_t>(rowSamples() * format.sampleBytes));
        for (std::int64_t i = 0; i < rowSamples(); ++i) {
            const std::uint32_t v = samples[static_cast<std::size_t>(y * rowSamples() + i)];
            if (format.sampleBytes == 1) {
                bytes[i] = static_cast<std::uint8_t>(v);
            } else {
                const auto wide = static_cast<std::uint16_t>(v);
                std::memcpy(&bytes[2 * i], &wide, 2);
            }
        }
        return bytes;
    }
};

Image randomImage(std::int64_t width, std::int64_t height, Format format, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::uint32_t> sample(0, format.sampleBytes == 1 ? 255 : 65535);
    Image image{width, height, format, {}};
    image.samples.resize(static_cast<std::size_t>(width * height * format.samples));
    for (auto& v : image.samples) {
        v = sample(random);
    }
    return image;
}

/// Runs every source row through a reducer; the destination rows in order, as samples.
struct Reduced {
    std::int32_t openCode = -1;
    std::vector<std::vector<std::uint32_t>> rows;
    // Source rows that completed a destination row. (Not std::vector<int>: its growth code,
    // compiled here with the sanitizer's vector annotations, would also serve GoogleTest's own
    // unannotated vectors of int and trip AddressSanitizer.)
    std::vector<std::int64_t> readyAfter;
};

Reduced reduce(const Image& source, std::int64_t width, std::int64_t height) {
    Reduced result;
    ComZoomMini* reducer = nullptr;
    result.openCode = comZoomMini_Open(&reducer, width, height, source.width, source.height,
                                       source.format.bitsPerPixel);
    if (result.openCode != kZoomMiniOk) {
        return result;
    }
    const std::size_t rowBytes =
        static_cast<std::size_t>((width * source.format.bitsPerPixel + 7) / 8);
    for (std::int64_t y = 0; y < source.height; ++y) {
        std::vector<std::uint8_t> out(rowBytes, 0xCD);
        std::int32_t ready = -1;
        const auto in = source.rowBytes(y);
        EXPECT_EQ(comZoomMini_Exec(reducer, out.data(), in.data(), &ready), kZoomMiniOk);
        if (ready == 1) {
            result.readyAfter.push_back(y);
            std::vector<std::uint32_t> samples;
            for (std::size_t i = 0; i < rowBytes / source.format.sampleBytes; ++i) {
                std::uint16_t wide = 0;
                std::memcpy(&wide, &out[i * source.format.sampleBytes], source.format.sampleBytes);
                samples.push_back(source.format.sampleBytes == 1 ? out[i] : wide);
            }
            result.rows.push_back(samples);
        }
    }
    EXPECT_EQ(comZoomMini_Close(reducer), kZoomMiniOk);
    return result;
}

std::string nameOf(const Format& format) {
    return std::to_string(format.bitsPerPixel) + " bpp";
}

TEST(ZoomMini, BentWeightFollowsTwoParabolas) {
    EXPECT_EQ(bentWeight(7, 7), 7);
    EXPECT_EQ(bentWeight(0, 7), 0);
    EXPECT_EQ(bentWeight(1, 2), 1);   // a = h
    EXPECT_EQ(bentWeight(1, 10), 0);  // 1 / 5
    EXPECT_EQ(bentWeight(3, 10), 1);  // 9 / 5
    EXPECT_EQ(bentWeight(8, 10), 9);  // 10 - 4 / 5 = 9.2
    EXPECT_EQ(bentWeight(5, 10), 5);
}

TEST(ZoomMini, ThreePixelsToTwoShareTheMiddlePixel) {
    zoom_mini_internal::Column columns[2];
    zoom_mini_internal::buildColumns(columns, 2, 3);
    EXPECT_EQ(columns[0].firstWeight, 2);
    EXPECT_EQ(columns[0].fullPixels, 0);
    EXPECT_EQ(columns[0].lastWeight, 1);
    EXPECT_EQ(columns[0].totalWeight, 3);
    EXPECT_EQ(columns[1].firstWeight, 1);
    EXPECT_EQ(columns[1].fullPixels, 1);
    EXPECT_EQ(columns[1].remainder, 0);
    EXPECT_EQ(columns[1].totalWeight, 3);
}

TEST(ZoomMini, EqualSizesGiveEachRowBack) {
    for (const Format& format : kFormats) {
        const Image source = randomImage(9, 5, format, 1);
        const Reduced reduced = reduce(source, 9, 5);
        ASSERT_EQ(reduced.openCode, kZoomMiniOk);
        ASSERT_EQ(reduced.rows.size(), 5u) << nameOf(format);
        EXPECT_EQ(reduced.readyAfter, (std::vector<std::int64_t>{0, 1, 2, 3, 4}));
        for (std::int64_t y = 0; y < 5; ++y) {
            EXPECT_EQ(reduced.rows[y], std::vector<std::uint32_t>(
                                           source.samples.begin() + y * source.rowSamples(),
                                           source.samples.begin() + (y + 1) * source.rowSamples()))
                << nameOf(format) << " row " << y;
        }
    }
}

// With whole factors no weight is bent: each source row's block is averaged (truncated), and the
// destination pixel is the average (truncated) of those row averages.
TEST(ZoomMini, IntegerFactorsGiveTheBlockMean) {
    struct Factors {
        std::int64_t x, y;
    };
    for (const Format& format : kFormats) {
        for (const Factors f :
             {Factors{2, 2}, Factors{3, 2}, Factors{4, 1}, Factors{1, 3}, Factors{5, 5}}) {
            const std::int64_t width = 6;
            const std::int64_t height = 4;
            const Image source = randomImage(width * f.x, height * f.y, format,
                                             static_cast<unsigned>(f.x * 10 + f.y));
            const Reduced reduced = reduce(source, width, height);
            ASSERT_EQ(reduced.openCode, kZoomMiniOk);
            ASSERT_EQ(reduced.rows.size(), static_cast<std::size_t>(height));
            for (std::int64_t y = 0; y < height; ++y) {
                for (std::int64_t x = 0; x < width; ++x) {
                    for (int s = 0; s < format.samples; ++s) {
                        std::uint64_t sumOfRowMeans = 0;
                        for (std::int64_t dy = 0; dy < f.y; ++dy) {
                            std::uint64_t rowSum = 0;
                            for (std::int64_t dx = 0; dx < f.x; ++dx) {
                                rowSum += source.at(x * f.x + dx, y * f.y + dy, s);
                            }
                            sumOfRowMeans += rowSum / f.x;
                        }
                        EXPECT_EQ(reduced.rows[y][x * format.samples + s], sumOfRowMeans / f.y)
                            << nameOf(format) << " factors " << f.x << "x" << f.y << " at " << x
                            << "," << y;
                    }
                }
            }
        }
    }
}

TEST(ZoomMini, StraddlingRowCompletesOneRowAndCountsInTheNext) {
    // 3 x 3 to 2 x 2, grey: columns (2a + b) / 3 and (b + 2c) / 3, rows likewise.
    Image source{3, 3, kFormats[0], {30, 60, 91, 0, 0, 0, 90, 90, 90}};
    const Reduced reduced = reduce(source, 2, 2);
    ASSERT_EQ(reduced.openCode, kZoomMiniOk);
    EXPECT_EQ(reduced.readyAfter, (std::vector<std::int64_t>{1, 2}));
    ASSERT_EQ(reduced.rows.size(), 2u);
    // Row 0: (2 x {40, 80} + 1 x {0, 0}) / 3; row 1: (1 x {0, 0} + 2 x {90, 90}) / 3.
    EXPECT_EQ(reduced.rows[0], (std::vector<std::uint32_t>{26, 53}));
    EXPECT_EQ(reduced.rows[1], (std::vector<std::uint32_t>{60, 60}));
}

TEST(ZoomMini, EveryRatioDeliversExactlyTheDestinationRowsAndKeepsConstantsConstant) {
    for (const Format& format : {kFormats[1], kFormats[4]}) {
        for (std::int64_t sourceSide = 1; sourceSide <= 24; ++sourceSide) {
            for (std::int64_t side = 1; side <= sourceSide; ++side) {
                Image source{sourceSide, sourceSide, format, {}};
                source.samples.assign(
                    static_cast<std::size_t>(sourceSide * sourceSide * format.samples), 200);
                const Reduced reduced = reduce(source, side, side);
                ASSERT_EQ(reduced.openCode, kZoomMiniOk);
                ASSERT_EQ(reduced.rows.size(), static_cast<std::size_t>(side))
                    << sourceSide << " to " << side;
                EXPECT_EQ(reduced.readyAfter.back(), sourceSide - 1);
                for (const auto& row : reduced.rows) {
                    EXPECT_EQ(row, std::vector<std::uint32_t>(row.size(), 200))
                        << sourceSide << " to " << side;
                }
            }
        }
    }
}

TEST(ZoomMini, OtherFormatsGiveZeroRowsWithinTheirLength) {
    ComZoomMini* reducer = nullptr;
    ASSERT_EQ(comZoomMini_Open(&reducer, 5, 1, 10, 2, 12), kZoomMiniOk);
    std::vector<std::uint8_t> in(15, 0xFF);
    std::vector<std::uint8_t> out(8, 0xCD);  // (5 x 12 + 7) / 8 bytes, 3 values of 16 bits written
    std::int32_t ready = 0;
    ASSERT_EQ(comZoomMini_Exec(reducer, out.data(), in.data(), &ready), kZoomMiniOk);
    ASSERT_EQ(comZoomMini_Exec(reducer, out.data(), in.data(), &ready), kZoomMiniOk);
    EXPECT_EQ(ready, 1);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xCD, 0xCD}));
    EXPECT_EQ(comZoomMini_Close(reducer), kZoomMiniOk);
}

TEST(ZoomMini, ZeroOrGrowingSizesAreRefusedWithANullHandle) {
    struct Sizes {
        std::int64_t dw, dh, sw, sh, bits;
    };
    for (const Sizes s : {Sizes{0, 2, 4, 4, 24}, Sizes{2, 0, 4, 4, 24}, Sizes{0, 0, 0, 0, 24},
                          Sizes{2, 2, 0, 4, 24}, Sizes{5, 2, 4, 4, 24}, Sizes{2, 5, 4, 4, 24},
                          Sizes{-1, 2, 4, 4, 24}, Sizes{2, 2, 4, 4, 0}, Sizes{2, 2, 4, 4, 65}}) {
        ComZoomMini* reducer = reinterpret_cast<ComZoomMini*>(&reducer);
        EXPECT_EQ(comZoomMini_Open(&reducer, s.dw, s.dh, s.sw, s.sh, s.bits), kZoomMiniErrOpen)
            << s.dw << "x" << s.dh << " from " << s.sw << "x" << s.sh << " at " << s.bits;
        EXPECT_EQ(reducer, nullptr);
    }
    EXPECT_EQ(comZoomMini_Open(nullptr, 2, 2, 4, 4, 24), kZoomMiniErrOpen);
}

TEST(ZoomMini, NullHandleAndRowsAreRefused) {
    std::uint8_t row[12] = {};
    std::int32_t ready = 0;
    EXPECT_EQ(comZoomMini_Exec(nullptr, row, row, &ready), kZoomMiniErrNullHandle);
    EXPECT_EQ(comZoomMini_Close(nullptr), kZoomMiniErrNullHandle);
    ComZoomMini* reducer = nullptr;
    ASSERT_EQ(comZoomMini_Open(&reducer, 2, 2, 4, 4, 24), kZoomMiniOk);
    EXPECT_EQ(comZoomMini_Exec(reducer, nullptr, row, &ready), kZoomMiniErrNullHandle);
    EXPECT_EQ(comZoomMini_Exec(reducer, row, nullptr, &ready), kZoomMiniErrNullHandle);
    EXPECT_EQ(comZoomMini_Exec(reducer, row, row, nullptr), kZoomMiniErrNullHandle);
    EXPECT_EQ(comZoomMini_Close(reducer), kZoomMiniOk);
}

}  // namespace
