// Colour-format converters: sample values, plane layout, row rounding and fill bits, checked
// with the stream decoder's independent sample reader.
#include "command/color_format.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bytes/byte_order.h"
#include "rastercore/result_codes.h"
#include "stream_decoder/stream_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Converter = std::int32_t (*)(const TARNColorSpace*, const std::uint8_t*, std::uint8_t*,
                                   std::uint32_t, std::uint32_t);

TARNColorSpace input(int planes, std::uint8_t bits) {
    TARNColorSpace s{18, planes, {}};
    const int first = planes == 3 ? 0 : (planes == 4 ? 3 : 6);
    const int last = planes == 3 ? 2 : 6;
    for (int slot = first; slot <= last; ++slot) {
        s.depth[slot] = bits;
    }
    return s;
}

Bytes wideBand(const std::vector<std::uint16_t>& samples) {
    Bytes band(samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        bytes::storeLE16(&band[2 * i], samples[i]);
    }
    return band;
}

TEST(ColorFormat, SampleValuesOfEveryDepth) {
    const struct {
        Converter convert;
        int bits;
        int shift;
    } depths[] = {{ChangeColorFormat_8BITSOUT, 8, 8},
                  {ChangeColorFormat_10BITSOUT, 10, 6},
                  {ChangeColorFormat_12BITSOUT, 12, 4}};
    std::vector<std::uint16_t> wide(256 * 3);
    Bytes narrow(256 * 3);
    for (int s = 0; s < 256; ++s) {
        for (int k = 0; k < 3; ++k) {
            narrow[3 * s + k] = static_cast<std::uint8_t>(s);
            wide[3 * s + k] = static_cast<std::uint16_t>((s * 257) ^ k);  // low bits vary
        }
    }
    for (const auto& d : depths) {
        const TARNColorSpace in8 = input(3, 8);
        const TARNColorSpace in16 = input(3, 16);
        Bytes fromNarrow(4096), fromWide(4096);
        ASSERT_EQ(d.convert(&in8, narrow.data(), fromNarrow.data(), 256, 1), 0);
        ASSERT_EQ(d.convert(&in16, wideBand(wide).data(), fromWide.data(), 256, 1), 0);
        const std::uint32_t stride = 256 * d.bits / 8;  // 256 samples fill whole groups
        for (int plane = 0; plane < 3; ++plane) {
            const auto a = streamdecoder::unpackSamples(
                std::span(fromNarrow).subspan(plane * stride), d.bits, 256);
            const auto b = streamdecoder::unpackSamples(std::span(fromWide).subspan(plane * stride),
                                                        d.bits, 256);
            ASSERT_EQ(a.size(), 256u);
            for (int s = 0; s < 256; ++s) {
                ASSERT_EQ(a[s], (s * 257) >> d.shift) << d.bits << " bits, s " << s;
                ASSERT_EQ(b[s], ((s * 257) ^ plane) >> d.shift) << d.bits << " bits, s " << s;
            }
        }
    }
}

TEST(ColorFormat, RowsAreRoundedAndFilledWithOnes) {
    // Three-plane 10-bit rows of width 3 are 5 bytes, the fill after the third sample all ones;
    // a three-plane 12-bit row of width 1 is 3 bytes.
    const Bytes band = {0, 0, 0, 255, 255, 255, 128, 128, 128};
    const TARNColorSpace in = input(3, 8);
    Bytes planes(32, 0x11);
    ASSERT_EQ(ChangeColorFormat_10BITSOUT(&in, band.data(), planes.data(), 3, 1), 0);
    for (int p = 0; p < 3; ++p) {
        bool ones = false;
        const auto samples =
            streamdecoder::unpackSamples(std::span(planes).subspan(5 * p, 5), 10, 3, &ones);
        EXPECT_EQ(samples, (std::vector<std::uint16_t>{0, 1023, (128 * 257) >> 6}));
        EXPECT_TRUE(ones);
    }
    EXPECT_EQ(planes[15], 0x11);  // nothing past the three planes

    std::fill(planes.begin(), planes.end(), 0x11);
    ASSERT_EQ(ChangeColorFormat_12BITSOUT(&in, band.data(), planes.data(), 1, 1), 0);
    EXPECT_EQ(Bytes(planes.begin(), planes.begin() + 9),
              (Bytes{0x00, 0x0F, 0xFF, 0x00, 0x0F, 0xFF, 0x00, 0x0F, 0xFF}));
    EXPECT_EQ(planes[9], 0x11);
}

TEST(ColorFormat, PlaneLayoutsOfOneThreeAndFourComponents) {
    // One 10-bit plane of width 5 and 2 rows: stride rounded to 10 bytes. Four 12-bit planes of
    // width 3: unrounded 5-byte rows (4.5 rounded up), plane k at k × rows × 5.
    std::mt19937 random(3);
    const struct {
        int planes;
        Converter convert;
        int bits;
        std::uint32_t width;
        std::uint32_t stride;
    } cases[] = {{1, ChangeColorFormat_10BITSOUT, 10, 5, 10},
                 {4, ChangeColorFormat_12BITSOUT, 12, 3, 5},
                 {4, ChangeColorFormat_10BITSOUT, 10, 3, 4},
                 {1, ChangeColorFormat_8BITSOUT, 8, 5, 5}};
    for (const auto& c : cases) {
        const std::uint32_t rows = 2;
        Bytes band(c.width * rows * c.planes);
        for (auto& b : band) {
            b = static_cast<std::uint8_t>(random());
        }
        const TARNColorSpace in = input(c.planes, 8);
        Bytes out(256, 0x11);
        ASSERT_EQ(c.convert(&in, band.data(), out.data(), c.width, rows), 0);
        for (int p = 0; p < c.planes; ++p) {
            for (std::uint32_t r = 0; r < rows; ++r) {
                bool ones = false;
                const auto samples = streamdecoder::unpackSamples(
                    std::span(out).subspan((p * rows + r) * c.stride, c.stride), c.bits, c.width,
                    &ones);
                ASSERT_EQ(samples.size(), c.width);
                EXPECT_TRUE(ones);
                for (std::uint32_t x = 0; x < c.width; ++x) {
                    const int s = band[(r * c.width + x) * c.planes + p];
                    EXPECT_EQ(samples[x], (s * 257) >> (16 - c.bits));
                }
            }
        }
        EXPECT_EQ(out[c.planes * rows * c.stride], 0x11);
    }
}

TEST(ColorFormat, EveryWidthOfEveryLayoutAndDepth) {
    // Random samples through every converter, plane count and input depth, at every width up to
    // 40 and band heights of 1 and 3: each sample where its plane row puts it, the fill all
    // ones, and nothing written past the planes (nor over a neighbouring row or plane).
    std::mt19937 random(17);
    const struct {
        Converter convert;
        int bits;
        std::uint32_t groupBytes;  // three- and one-plane strides round to these
    } depths[] = {{ChangeColorFormat_8BITSOUT, 8, 1},
                  {ChangeColorFormat_10BITSOUT, 10, 5},
                  {ChangeColorFormat_12BITSOUT, 12, 3}};
    constexpr std::size_t kGuard = 16;
    for (const auto& d : depths) {
        for (const int planes : {1, 3, 4}) {
            for (const std::uint8_t inBits : {8, 16}) {
                for (const std::uint32_t rows : {1u, 3u}) {
                    for (std::uint32_t width = 1; width <= 40; ++width) {
                        const std::uint32_t packed = (width * d.bits + 7) / 8;
                        const std::uint32_t stride =
                            planes == 4 ? packed
                                        : (packed + d.groupBytes - 1) / d.groupBytes * d.groupBytes;
                        std::vector<std::uint16_t> samples(width * rows * planes);
                        for (auto& v : samples) {
                            v = static_cast<std::uint16_t>(random());
                            v = inBits == 8 ? static_cast<std::uint16_t>((v & 0xFF) * 257) : v;
                        }
                        Bytes band;
                        if (inBits == 8) {
                            for (const auto v : samples) {
                                band.push_back(static_cast<std::uint8_t>(v));
                            }
                        } else {
                            band = wideBand(samples);
                        }
                        const std::size_t size = std::size_t{stride} * rows * planes;
                        Bytes out(size + kGuard, 0x5A);
                        const TARNColorSpace in = input(planes, inBits);
                        ASSERT_EQ(d.convert(&in, band.data(), out.data(), width, rows), 0);
                        const std::string what =
                            std::to_string(d.bits) + " bits from " + std::to_string(inBits) + ", " +
                            std::to_string(planes) + " planes, width " + std::to_string(width) +
                            ", rows " + std::to_string(rows);
                        for (int p = 0; p < planes; ++p) {
                            for (std::uint32_t r = 0; r < rows; ++r) {
                                bool ones = false;
                                const auto got = streamdecoder::unpackSamples(
                                    std::span(out).subspan((p * rows + r) * stride, stride), d.bits,
                                    width, &ones);
                                ASSERT_EQ(got.size(), width) << what;
                                EXPECT_TRUE(ones) << what;
                                for (std::uint32_t x = 0; x < width; ++x) {
                                    ASSERT_EQ(got[x], samples[(r * width + x) * planes + p] >>
                                                          (16 - d.bits))
                                        << what << ", plane " << p << ", row " << r << ", x " << x;
                                }
                            }
                        }
                        ASSERT_EQ(Bytes(out.begin() + static_cast<std::ptrdiff_t>(size), out.end()),
                                  Bytes(kGuard, 0x5A))
                            << what;
                    }
                }
            }
        }
    }
}

TEST(ColorFormat, UnsupportedLayoutsAreRefused) {
    const Bytes band(64, 0);
    Bytes out(64, 0x11);
    TARNColorSpace mixed = input(3, 8);
    mixed.depth[2] = 16;
    const TARNColorSpace cases[] = {input(2, 8), input(3, 10), mixed, TARNColorSpace{18, 5, {}}};
    for (const auto& in : cases) {
        EXPECT_EQ(ChangeColorFormat_10BITSOUT(&in, band.data(), out.data(), 2, 1),
                  rastercore::kCommandBadArgument);
    }
    const TARNColorSpace in = input(3, 8);
    EXPECT_EQ(ChangeColorFormat_8BITSOUT(nullptr, band.data(), out.data(), 2, 1),
              rastercore::kCommandBadArgument);
    EXPECT_EQ(ChangeColorFormat_8BITSOUT(&in, nullptr, out.data(), 2, 1),
              rastercore::kCommandBadArgument);
    EXPECT_EQ(ChangeColorFormat_12BITSOUT(&in, band.data(), out.data(), 0, 1),
              rastercore::kCommandBadArgument);
    EXPECT_EQ(out, Bytes(64, 0x11));
}

}  // namespace
