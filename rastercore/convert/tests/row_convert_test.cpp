// The host line converter: every image mode and depth code, the host's sample conversions, the
// preparation of grey and CMYK lines for matching, turned lines and the refusals.
#include "convert/row_convert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "band/band_services.h"
#include "convert/color_match_services.h"
#include "rastercore/common_info_table.h"
#include "rastercore/core_common_info_tbl.h"
#include "record/color_info.h"
#include "record/job_context.h"

namespace {

using Samples = std::vector<std::uint32_t>;
using Bytes = std::vector<std::uint8_t>;

// The host's conversions between 8 bits and its 0 to 32768 range, rounded to nearest.
std::int32_t hostTo16(CommonInfoTable*, const void* source, void* destination, std::int32_t count,
                      void*) {
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint16_t s = static_cast<const std::uint8_t*>(source)[i];
        const auto wide = static_cast<std::uint16_t>((s * 32768u + 127u) / 255u);
        std::memcpy(static_cast<std::uint8_t*>(destination) + 2 * i, &wide, 2);
    }
    return 0;
}

std::int32_t hostTo8(CommonInfoTable*, const void* source, void* destination, std::int32_t count,
                     void*) {
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint16_t s;
        std::memcpy(&s, static_cast<const std::uint8_t*>(source) + 2 * i, 2);
        static_cast<std::uint8_t*>(destination)[i] =
            static_cast<std::uint8_t>((s * 255u + 16384u) / 32768u);
    }
    return 0;
}

std::int32_t hostRefuses(CommonInfoTable*, const void*, void*, std::int32_t, void*) {
    return -50;
}

Bytes toBytes(const Samples& samples, bool wide) {
    Bytes out;
    for (const std::uint32_t s : samples) {
        out.push_back(static_cast<std::uint8_t>(s));
        if (wide) {
            out.push_back(static_cast<std::uint8_t>(s >> 8));
        }
    }
    return out;
}

Samples toSamples(const std::uint8_t* bytes, std::size_t count, bool wide) {
    Samples out;
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(wide ? bytes[2 * i] | (bytes[2 * i + 1] << 8) : bytes[i]);
    }
    return out;
}

// A converter job: the context, host image description, host table and row buffer, and a
// recording double of the colour module's row matching.
struct Converter {
    std::unique_ptr<PLGContext> context = std::make_unique<PLGContext>();
    HostImageRecord image{};
    CoreCommonInfoTbl record{};
    CommonInfoTable host{};
    Color_Info color{};
    Bytes row;

    // What the matching saw, and what it answers with.
    Bytes matchInput;
    std::uint32_t matchPixels = 0;
    Bytes matchOutput;
    std::int32_t matchResult = 0;
    ColorMatchServices matching{.matchRow = [this](Color_Info*, std::uint32_t pixels,
                                                   std::uint8_t* source,
                                                   std::uint8_t* destination) {
        matchPixels = pixels;
        matchInput.assign(source, source + matchInputBytes);
        std::memcpy(destination, matchOutput.data(), matchOutput.size());
        return matchResult;
    }};
    std::size_t matchInputBytes = 0;

    Converter(std::int16_t mode, std::uint8_t code, std::uint32_t pixels) {
        image.imageMode = mode;
        context->hostImage = &image;
        context->depthCode = code;
        context->jobRecord = &record;
        context->colorInfo = &color;
        record.commonInfo = &host;
        host.callbacks238[1] = reinterpret_cast<HostProc>(&hostTo8);
        host.callbacks238[2] = reinterpret_cast<HostProc>(&hostTo16);
        context->sourceRect[0] = 4;  // the printed part lies inside the host image
        context->sourceRect[1] = 10;
        context->sourceRect[2] = 5;
        context->sourceRect[3] = 10 + pixels;
        row.assign(std::size_t{pixels} * 6, 0xAA);
        context->rgbRow = row.data();
        context->rgbRowSize = static_cast<std::uint32_t>(row.size());
    }

    std::int32_t convert(const Bytes& line, std::uint8_t** out) {
        const seam::ScopedOverride override(colorMatchServices(), matching);
        return PLG_BitConvert_Function(context.get(), 0, line.data(), out);
    }
};

TEST(RowConvert, RgbLinesByDepthCode) {
    const struct {
        std::int16_t mode;
        std::uint8_t code;
        Samples host;
        Samples expected;
    } cases[] = {
        {3, 1, {0, 1, 128, 200, 254, 255}, {0, 1, 128, 200, 254, 255}},
        // Through the host into 0..32768, then doubled: 255 reaches 65535.
        {3, 2, {0, 1, 128, 200, 254, 255}, {0, 258, 32896, 51400, 65278, 65535}},
        // Through the host as they are.
        {11, 3, {0, 64, 16384, 32767, 32768, 128}, {0, 0, 128, 255, 255, 1}},
        // Doubled; the host's top (and anything above it) is the working top.
        {11, 4, {0, 1, 16384, 32767, 32768, 40000}, {0, 2, 32768, 65534, 65535, 65535}},
    };
    for (const auto& c : cases) {
        Converter job(c.mode, c.code, 2);
        const Bytes line = toBytes(c.host, c.mode == 11);
        std::uint8_t* out = nullptr;
        ASSERT_EQ(job.convert(line, &out), 0) << c.mode << "/" << int{c.code};
        EXPECT_EQ(out, job.context->rgbRow);
        const bool workWide = c.code == 2 || c.code == 4;
        EXPECT_EQ(toSamples(out, 6, workWide), c.expected) << c.mode << "/" << int{c.code};
        EXPECT_TRUE(job.matchInput.empty());  // RGB needs no matching
    }
}

TEST(RowConvert, GreyAndCmykAreMatchedFromPreparedSamples) {
    const struct {
        const char* what;
        std::int16_t mode;
        std::uint8_t code;
        Samples host;        // one line of two pixels
        Samples matchInput;  // what the colour module is handed
    } cases[] = {
        {"grey 8/8", 1, 1, {0, 200}, {0, 200}},
        {"grey 8/16", 1, 2, {0, 255}, {0, 65535}},
        {"grey 16/8", 10, 3, {16384, 32768}, {32768, 65535}},
        {"grey 16/16", 10, 4, {1, 32768}, {2, 65535}},
        // CMYK is inverted before matching, at the host's depth.
        {"CMYK 8/8", 4, 1, {0, 255, 16, 200, 1, 2, 3, 4}, {255, 0, 239, 55, 254, 253, 252, 251}},
        {"CMYK 8/16",
         4,
         2,
         {0, 255, 128, 0, 0, 0, 0, 0},
         {65535, 0, 32640, 65535, 65535, 65535, 65535, 65535}},
        {"CMYK 16/16",
         13,
         4,
         {0, 32768, 16384, 1, 0, 0, 0, 0},
         {65535, 0, 32767, 65533, 65535, 65535, 65535, 65535}},
        {"CMYK 16/8",
         13,
         3,
         {0, 0, 0, 0, 32768, 32768, 32768, 32768},
         {65535, 65535, 65535, 65535, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Converter job(c.mode, c.code, 2);
        const bool hostWide = c.mode >= 10;
        const bool matchWide = c.code != 1;
        const Bytes line = toBytes(c.host, hostWide);
        const Bytes lineBefore = line;
        job.matchInputBytes = c.matchInput.size() * (matchWide ? 2 : 1);
        // The match answers in its own depth; 65535 and 65534 show how 8-bit work halves them.
        const Samples matched = matchWide ? Samples{65535, 65534, 32768, 0, 1000, 20000}
                                          : Samples{10, 20, 30, 40, 50, 60};
        job.matchOutput = toBytes(matched, matchWide);
        std::uint8_t* out = nullptr;
        ASSERT_EQ(job.convert(line, &out), 0) << c.what;
        EXPECT_EQ(job.matchPixels, 2u) << c.what;
        EXPECT_EQ(toSamples(job.matchInput.data(), c.matchInput.size(), matchWide), c.matchInput)
            << c.what;
        const Samples expected = c.code == 3 ? Samples{255, 255, 128, 0, 4, 78} : matched;
        EXPECT_EQ(toSamples(out, 6, c.code == 2 || c.code == 4), expected) << c.what;
        EXPECT_EQ(line, lineBefore) << c.what << ": the host's line is only read";
    }
}

TEST(RowConvert, TurnedLinesRunLastPixelFirst) {
    for (const bool wide : {false, true}) {
        Converter job(wide ? 11 : 3, wide ? 4 : 1, 3);
        job.context->rotate = 1;
        job.context->sourceRect[2] = 7;  // a column of three pixels
        const Samples host = wide ? Samples{1, 2, 3, 100, 200, 300, 16384, 8192, 4096}
                                  : Samples{1, 2, 3, 4, 5, 6, 7, 8, 9};
        const Samples expected = wide ? Samples{32768, 16384, 8192, 200, 400, 600, 2, 4, 6}
                                      : Samples{7, 8, 9, 4, 5, 6, 1, 2, 3};
        std::uint8_t* out = nullptr;
        ASSERT_EQ(job.convert(toBytes(host, wide), &out), 0);
        EXPECT_EQ(toSamples(out, 9, wide), expected) << wide;
    }
    // A one-pixel line stays as it is.
    Converter single(3, 1, 1);
    single.context->rotate = 1;
    single.context->sourceRect[2] = 5;
    std::uint8_t* out = nullptr;
    ASSERT_EQ(single.convert({9, 8, 7}, &out), 0);
    EXPECT_EQ(toSamples(out, 3, false), (Samples{9, 8, 7}));
}

TEST(RowConvert, RefusesWhatItCannotConvert) {
    const struct {
        const char* what;
        std::int16_t mode;
        std::uint8_t code;
        std::function<void(Converter&)> breakIt;
        std::int32_t result;
    } cases[] = {
        {"32-bit RGB", 16, 4, [](Converter&) {}, -1},
        {"depth code 0", 3, 0, [](Converter&) {}, -1},
        {"depth code 5", 3, 5, [](Converter&) {}, -1},
        {"16-bit code for 8-bit data", 3, 3, [](Converter&) {}, -1},
        {"8-bit code for 16-bit data", 11, 2, [](Converter&) {}, -1},
        {"row buffer too small", 11, 4, [](Converter& j) { j.context->rgbRowSize = 11; }, -1},
        {"no row buffer", 3, 1, [](Converter& j) { j.context->rgbRow = nullptr; }, -1},
        {"no host image", 3, 1, [](Converter& j) { j.context->hostImage = nullptr; }, -1},
        {"no colour record", 1, 1, [](Converter& j) { j.context->colorInfo = nullptr; }, -1},
        {"no widening callback", 3, 2, [](Converter& j) { j.host.callbacks238[2] = nullptr; },
         -1400},
        {"no host table", 11, 3, [](Converter& j) { j.record.commonInfo = nullptr; }, -1400},
        {"narrowing refused", 11, 3,
         [](Converter& j) { j.host.callbacks238[1] = reinterpret_cast<HostProc>(&hostRefuses); },
         -1400},
        {"matching fails", 4, 1, [](Converter& j) { j.matchResult = 309; }, 309},
    };
    for (const auto& c : cases) {
        Converter job(c.mode, c.code, 2);
        job.matchInputBytes = 8;
        job.matchOutput.assign(6, 0);
        c.breakIt(job);
        const Bytes line(32, 0x11);
        std::uint8_t* out = nullptr;
        EXPECT_EQ(job.convert(line, &out), c.result) << c.what;
        EXPECT_EQ(out, nullptr) << c.what;
    }
    Converter job(3, 1, 2);
    std::uint8_t* out = nullptr;
    EXPECT_EQ(PLG_BitConvert_Function(job.context.get(), 0, nullptr, &out), -1);
    EXPECT_EQ(PLG_BitConvert_Function(nullptr, 0, job.row.data(), &out), -1);
}

TEST(RowConvert, TheBandLoopsConverterServiceIsTheCoresOwn) {
    std::uint8_t* out = nullptr;
    Converter rgb(3, 1, 2);
    EXPECT_EQ(coreBandServices().bitConvert(rgb.context.get(), 0, Bytes(6, 7).data(), &out), 0);
    EXPECT_EQ(toSamples(out, 6, false), Samples(6, 7));
}

}  // namespace
