// The band path allocates nothing: conversion and every compression run on the buffers made by
// Initialize. Counts the program's operator new calls (malloc stays intercepted by the
// sanitizer) while bands are encoded.
#include <gtest/gtest.h>

#include "allocation_counter.h"
#include "generator_fixture.h"

namespace {

TEST(CommandGenerator, BandsAllocateNothing) {
    for (const std::int32_t choice : {5, 1, 2}) {
        for (const std::int32_t depth : {kDepth8, kDepth10, kDepth12}) {
            commandtest::GeneratorFixture f;
            f.setInput(3, 16);
            f.info->outputDepth = depth;
            f.info->compression = choice;
            f.info->imageWidth = 300;
            f.info->bandHeight = 4;
            ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
            commandtest::Bytes pixels(300 * 4 * 6);
            for (std::size_t i = 0; i < pixels.size(); ++i) {
                pixels[i] = static_cast<std::uint8_t>(i * 7 % 251);
            }
            commandtest::Bytes buffer(1 << 16);
            const TARNRect rect{0, 0, 4, 300};
            std::uint32_t length = 0;
            int allocations = 0;
            {
                const commandtest::AllocationCounter counter;
                for (int band = 0; band < 3; ++band) {
                    tarn_Cmd_ImageBand(f.info, buffer.data(),
                                       static_cast<std::uint32_t>(buffer.size()), &length,
                                       pixels.data(), &rect);
                }
                allocations = counter.count();
            }
            EXPECT_GT(length, 0u);
            EXPECT_EQ(allocations, 0) << "choice " << choice << " depth " << depth;
        }
    }
}

}  // namespace
