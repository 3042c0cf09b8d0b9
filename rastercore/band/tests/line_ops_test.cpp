// Nearest-neighbour widening and mirroring of one working line.
#include "band/line_ops.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "command/cmd_info.h"
#include "record/job_context.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A line of `pixels` pixels of `bytes` bytes each; pixel i holds i + 1 in every byte.
Bytes numbered(std::uint32_t pixels, std::size_t bytes) {
    Bytes line;
    for (std::uint32_t i = 0; i < pixels; ++i) {
        line.insert(line.end(), bytes, static_cast<std::uint8_t>(i + 1));
    }
    return line;
}

// The pixel numbers of a line.
std::vector<int> numbersOf(const Bytes& line, std::size_t bytes) {
    std::vector<int> numbers;
    for (std::size_t i = 0; i < line.size(); i += bytes) {
        numbers.push_back(line[i]);
    }
    return numbers;
}

TEST(ZoomWi, WidensByNearestNeighbour) {
    struct Case {
        std::uint32_t source, destination;
        std::int32_t bits;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {2, 5, 24, {1, 1, 1, 2, 2}},    {3, 3, 48, {1, 2, 3}}, {1, 4, 24, {1, 1, 1, 1}},
        {4, 6, 24, {1, 1, 2, 3, 3, 4}}, {5, 2, 24, {1, 2}},  // never more than one source step per
                                                             // destination pixel
    };
    for (const Case& c : cases) {
        const std::size_t bytes = static_cast<std::size_t>(c.bits) / 8;
        const Bytes source = numbered(c.source, bytes);
        Bytes destination(c.destination * bytes, 0);
        ZoomWi(destination.data(), c.destination, source.data(), c.source, c.bits);
        EXPECT_EQ(numbersOf(destination, bytes), c.expected) << c.source << "->" << c.destination;
    }
}

TEST(ZoomWi, PixelsBelowOneByteCopyNothing) {
    const Bytes source = numbered(4, 1);
    Bytes destination(8, 0xAA);
    ZoomWi(destination.data(), 8, source.data(), 4, 4);
    EXPECT_EQ(destination, Bytes(8, 0xAA));
}

TEST(MirrorFunction, ReversesWholePixelsOnlyWhenAsked) {
    struct Case {
        std::int32_t mirror, bits;
        std::uint32_t pixels;
        bool reversed;
    };
    const Case cases[] = {
        {1, 24, 5, true}, {1, 48, 4, true}, {1, 24, 1, true}, {0, 24, 5, false}, {2, 48, 3, false}};
    for (const Case& c : cases) {
        auto context = std::make_unique<PLGContext>();
        Cmd_Info info{};
        info.mirror = c.mirror;
        context->cmdInfo = &info;
        context->bitsPerPixel = c.bits;
        const std::size_t bytes = static_cast<std::size_t>(c.bits) / 8;
        Bytes line = numbered(c.pixels, bytes);
        // Distinct bytes inside each pixel show a pixel is moved whole, not byte-reversed.
        for (std::size_t i = 0; i < line.size(); ++i) {
            line[i] = static_cast<std::uint8_t>(line[i] * 16 + i % bytes);
        }
        Bytes expected = line;
        if (c.reversed) {
            for (std::uint32_t p = 0; p < c.pixels; ++p) {
                std::copy_n(line.begin() + (c.pixels - 1 - p) * bytes, bytes,
                            expected.begin() + p * bytes);
            }
        }
        EXPECT_EQ(PLG_Mirror_Function(context.get(), line.data(), c.pixels), 0);
        EXPECT_EQ(line, expected) << c.mirror << " " << c.bits << " " << c.pixels;
    }
    Bytes line(3);
    EXPECT_EQ(PLG_Mirror_Function(nullptr, line.data(), 1), -1);
}

}  // namespace
