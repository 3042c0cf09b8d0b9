// The core's memory helpers.
#include "util/memory.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "rastercore/result_codes.h"

namespace {

constexpr std::size_t kWordBytes = 4;

// The bytes `ClearMem` writes at `index` of a block filled with `pattern`: whole words in the
// machine's byte order, the tail from the most significant byte down.
std::uint8_t patternByte(std::size_t index, std::size_t length, std::uint32_t pattern) {
    const std::size_t wholeBytes = length / kWordBytes * kWordBytes;
    if (index < wholeBytes) {
        std::uint8_t word[kWordBytes];
        std::memcpy(word, &pattern, kWordBytes);
        return word[index % kWordBytes];
    }
    const std::size_t fromTop = index - wholeBytes;
    return static_cast<std::uint8_t>(pattern >> (8 * (kWordBytes - 1 - fromTop)));
}

}  // namespace

seam::Seam<CoreAllocator>& coreAllocator() {
    static const CoreAllocator production{
        .allocate = [](std::size_t count, std::size_t size) { return std::calloc(count, size); }};
    static seam::Seam<CoreAllocator> seam(production);
    return seam;
}

std::int32_t Get_MemoryClear(std::size_t count, std::size_t size, std::uint8_t, void** pointer) {
    if (size != 0 && count > std::numeric_limits<std::size_t>::max() / size) {
        *pointer = nullptr;
        return rastercore::kCommandNoMemory;
    }
    *pointer = coreAllocator().current().allocate(count, size);
    return *pointer != nullptr ? rastercore::kResultOk : rastercore::kCommandNoMemory;
}

void Dispose_MemoryClear(void** pointer, std::uint8_t) {
    if (*pointer != nullptr) {
        std::free(*pointer);
        *pointer = nullptr;
    }
}

std::int32_t Zup_GetNewMemory(std::int64_t size, void** pointer) {
    *pointer = size >= 0 ? std::calloc(1, static_cast<std::size_t>(size)) : nullptr;
    return *pointer != nullptr ? 0 : rastercore::kZupNoMemory;
}

std::int32_t Zup_DisposeMemory(void** pointer) {
    std::free(*pointer);
    *pointer = nullptr;
    return 0;
}

std::int32_t Zup_CopyMemory(const void* source, void* destination, std::size_t length) {
    if (length != 0) {
        std::memmove(destination, source, length);
    }
    return 0;
}

std::int32_t Zup_ClearMemory(void* block, std::size_t length, std::uint32_t pattern) {
    ClearMem(block, length, pattern);
    return 0;
}

bool ClearMem(void* block, std::size_t length, std::uint32_t pattern) {
    if (block == nullptr) {
        return false;
    }
    auto* bytes = static_cast<std::uint8_t*>(block);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = patternByte(i, length, pattern);
    }
    return true;
}

bool CheckMem(const void* block, std::size_t length, std::uint32_t pattern) {
    if (block == nullptr) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(block);
    for (std::size_t i = 0; i < length; ++i) {
        if (bytes[i] != patternByte(i, length, pattern)) {
            return false;
        }
    }
    return true;
}
