// The band loop allocates per job and per copy, never per line: a page of many lines makes as
// many allocations as a page of a few. Counts the program's operator new calls (malloc stays
// intercepted by the sanitizer) with a host and a transport that allocate nothing themselves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "band_fixture.h"
#include "qdxa/qdxa_services.h"

namespace {
thread_local bool counting = false;
thread_local int allocations = 0;
}  // namespace

namespace {
void* countedAllocation(std::size_t size) noexcept {
    if (counting) {
        ++allocations;
    }
    return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

// Every form the loop's modules use, so that each block is freed the way it was made.
void* operator new(std::size_t size) {
    if (void* p = countedAllocation(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// Takes every packet and keeps only the byte count.
class CountingTransport {
  public:
    std::uint64_t bytes = 0;

  private:
    const QDXA_Services table_{
        .jobSend =
            [this](QDXA_Info*, std::span<const std::uint8_t> header,
                   std::span<const std::uint8_t> payload, bool, std::uint32_t* untaken) {
                bytes += header.size() + payload.size();
                *untaken = 0;
                return 0;
            },
        .getMedium = nullptr,
    };
    seam::ScopedOverride<QDXA_Services> override_{qdxaServices(), table_};
};

// A grey ramp line in the working format, written straight into the core's buffer.
std::int32_t rampLine(CommonInfoTable*, void*, std::int32_t index, void* buffer,
                      std::int32_t* byteCount, void*) {
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    for (std::int32_t i = 0; i < *byteCount; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i + index);
    }
    return 0;
}

int allocationsOfPage(std::uint32_t lines, const TARNRect& image, bool wide,
                      std::int32_t sharpen = 0) {
    bandtest::JobSetup setup;
    setup.sharpen = sharpen;
    setup.sourceHeight = lines;
    setup.wide = wide;
    setup.imageRect = image;
    setup.copies = 2;
    bandtest::BandJob job(setup);
    CountingTransport transport;
    job.host.table.lineProc = rampLine;
    job.host.table.hostType = 0;  // no progress notifications, no cancel channel
    allocations = 0;
    counting = true;
    const std::int32_t result = bandtest::runBandLoop(&job.context(), job.services);
    counting = false;
    EXPECT_EQ(result, 0);
    EXPECT_GT(transport.bytes, lines * 2u);
    return allocations;
}

TEST(BandLoop, AllocatesNothingPerLine) {
    for (const bool wide : {false, true}) {
        // Same size (the accumulator), enlarged (the resampler) and reduced.
        EXPECT_EQ(allocationsOfPage(10, {0, 0, 10, 12}, wide),
                  allocationsOfPage(90, {0, 0, 90, 12}, wide));
        EXPECT_EQ(allocationsOfPage(10, {0, 0, 25, 30}, wide),
                  allocationsOfPage(90, {0, 0, 225, 30}, wide));
        EXPECT_EQ(allocationsOfPage(20, {0, 0, 10, 6}, wide),
                  allocationsOfPage(90, {0, 0, 45, 6}, wide));
    }
}

TEST(BandLoop, SharpeningAllocatesNothingPerLine) {
    constexpr std::int32_t kSharpen = 60;
    for (const bool wide : {false, true}) {
        // The sharpener keeps its row window per thread: the first page makes it.
        allocationsOfPage(10, {0, 0, 10, 12}, wide, kSharpen);
        const int few = allocationsOfPage(10, {0, 0, 10, 12}, wide, kSharpen);
        const int many = allocationsOfPage(90, {0, 0, 90, 12}, wide, kSharpen);
        EXPECT_EQ(few, many);
    }
}

}  // namespace
