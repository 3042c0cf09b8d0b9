// The core's zeroing allocator pair, the older memory helpers and the pattern fill.
//
// Every work buffer of a job is made by `Get_MemoryClear` and released by `Dispose_MemoryClear`;
// the allocator's failure code is the out-of-memory code the job driver reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "seam/seam.h"

/// The kind byte the core passes to the allocator pair, which does not read it.
inline constexpr std::uint8_t kUnusedKind = 2;

/// Allocates `count` × `size` zeroed bytes into `*pointer` (null on failure). The byte argument
/// is not read. Returns 0, or 12020 when there is no memory or the product overflows.
std::int32_t Get_MemoryClear(std::size_t count, std::size_t size, std::uint8_t unused,
                             void** pointer);

/// Frees `*pointer` when it is not null and sets it to null. The byte argument is not read.
void Dispose_MemoryClear(void** pointer, std::uint8_t unused);

/// Where `Get_MemoryClear` takes its zeroed blocks from: the C library's `calloc` in production;
/// tests put an allocator in place that refuses chosen requests, to follow every failure path.
/// Blocks must be releasable with `free`.
struct CoreAllocator {
    std::function<void*(std::size_t count, std::size_t size)> allocate;
};
seam::Seam<CoreAllocator>& coreAllocator();

/// Typed forms of the allocator pair.
template <typename T>
std::int32_t Get_MemoryClear(std::size_t count, std::size_t size, std::uint8_t unused,
                             T** pointer) {
    void* block = nullptr;
    const std::int32_t result = Get_MemoryClear(count, size, unused, &block);
    *pointer = static_cast<T*>(block);
    return result;
}

template <typename T>
void Dispose_MemoryClear(T** pointer, std::uint8_t unused) {
    void* block = *pointer;
    Dispose_MemoryClear(&block, unused);
    *pointer = nullptr;
}

/// Allocates `size` zeroed bytes into `*pointer`; 0, or 2000 (pointer null) when there is no
/// memory or the size is negative.
std::int32_t Zup_GetNewMemory(std::int64_t size, void** pointer);

/// Frees `*pointer` and sets it to null; 0.
std::int32_t Zup_DisposeMemory(void** pointer);

/// Copies `length` bytes; the blocks may overlap. 0.
std::int32_t Zup_CopyMemory(const void* source, void* destination, std::size_t length);

/// Fills `length` bytes with `pattern`: length / 4 whole words in the machine's byte order, then
/// the remaining bytes from the pattern's most significant byte downwards. Nothing happens for a
/// null block. 0.
std::int32_t Zup_ClearMemory(void* block, std::size_t length, std::uint32_t pattern);

/// The same fill; true when the block is not null.
bool ClearMem(void* block, std::size_t length, std::uint32_t pattern);

/// True when the block holds exactly what `ClearMem` would write; false for a null block.
bool CheckMem(const void* block, std::size_t length, std::uint32_t pattern);
