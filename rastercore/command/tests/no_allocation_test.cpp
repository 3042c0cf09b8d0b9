// The band path allocates nothing: conversion and every compression run on the buffers made by
// Initialize. Counts the program's operator new calls (malloc stays intercepted by the
// sanitizer) while bands are encoded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "generator_fixture.h"

namespace {
thread_local bool counting = false;
thread_local int allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (counting) {
        ++allocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

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
            allocations = 0;
            counting = true;
            for (int band = 0; band < 3; ++band) {
                tarn_Cmd_ImageBand(f.info, buffer.data(), &length, pixels.data(), &rect);
            }
            counting = false;
            EXPECT_GT(length, 0u);
            EXPECT_EQ(allocations, 0) << "choice " << choice << " depth " << depth;
        }
    }
}

}  // namespace
