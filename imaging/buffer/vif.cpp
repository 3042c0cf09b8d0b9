// Making, freeing and duplicating image buffers.
#include "imaging/buffer/vif.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "imaging/buffer/vif_internal.h"

namespace imaging {

namespace {

using namespace vif_internal;

std::uint64_t roundUp(std::uint64_t value, std::uint64_t step) {
    return (value + step - 1) / step * step;
}

/// Allocates `blockBytes` and points the descriptor's data at its first 128-byte boundary.
bool allocateAligned(_vif& descriptor, std::uint64_t blockBytes) {
    if (blockBytes == 0 || blockBytes > std::numeric_limits<std::size_t>::max()) {
        return false;
    }
    void* block = std::malloc(static_cast<std::size_t>(blockBytes));
    if (block == nullptr) {
        return false;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    descriptor.allocation = block;
    descriptor.data =
        static_cast<std::uint8_t*>(block) + (roundUp(address, kRowAlignment) - address);
    return true;
}

/// Types accepted with an explicit row length: the BGR family 0 ... 3 and the RGB family 8 ... 11.
bool isExplicitRowType(std::uint16_t type) {
    constexpr std::uint16_t kLastBgr = 3;
    constexpr std::uint16_t kLastRgb = 11;
    return type <= kLastBgr || (type >= kVifRgb8 && type <= kLastRgb);
}

}  // namespace

namespace vif_internal {

std::uint32_t pixelSize(std::uint16_t type) {
    switch (type) {
        case kVifBgr8:
        case kVifRgb8:
            return 3;
        case kVifBgr16:
        case kVifRgb16:
            return 6;
        case kVifOpaque8:
            return 8;
        case kVifOpaque10:
            return 10;
        default:
            return 0;
    }
}

std::uint64_t preparedRowBytes(std::uint32_t pixelSize, std::uint32_t width) {
    const std::uint64_t packed = std::uint64_t{pixelSize} * width;
    const std::uint64_t rowBytes = roundUp(roundUp(packed, kPixelGroup * pixelSize), kRowAlignment);
    return rowBytes > std::numeric_limits<std::uint32_t>::max() ? 0 : rowBytes;
}

std::uint64_t preparedBlockBytes(std::uint64_t rowBytes, std::uint32_t height) {
    const std::uint64_t rows = (std::uint64_t{height} + kPixelGroup) / kPixelGroup * kPixelGroup;
    return rowBytes * rows + kBlockSlack;
}

void copyRect(_vif& destination, std::uint32_t x, std::uint32_t y, const _vif& source,
              std::uint32_t sourceX, std::uint32_t sourceY, std::uint32_t columns,
              std::uint32_t rows) {
    const std::size_t size = pixelSize(source.type);
    for (std::uint32_t row = 0; row < rows && columns != 0; ++row) {
        std::memcpy(rowAt(destination, y + row) + x * size,
                    rowAt(source, sourceY + row) + sourceX * size, columns * size);
    }
}

}  // namespace vif_internal

int PrepareVif(_vif* descriptor, std::uint16_t type, std::uint32_t width, std::uint32_t height) {
    if (descriptor == nullptr) {
        return 0;
    }
    const std::uint32_t size = pixelSize(type);
    if (size == 0) {
        return 0;
    }
    const std::uint64_t rowBytes = preparedRowBytes(size, width);
    if (rowBytes == 0 && width != 0) {
        return 0;
    }
    _vif prepared{};
    prepared.type = type;
    prepared.width = width;
    prepared.height = height;
    prepared.rowBytes = static_cast<std::uint32_t>(rowBytes);
    if (!allocateAligned(prepared, preparedBlockBytes(rowBytes, height))) {
        return 0;
    }
    *descriptor = prepared;
    return 1;
}

_vif* PrepareVifP(std::uint16_t type, std::uint32_t width, std::uint32_t height) {
    auto* descriptor = new (std::nothrow) _vif{};
    if (descriptor != nullptr && PrepareVif(descriptor, type, width, height) == 0) {
        delete descriptor;
        return nullptr;
    }
    return descriptor;
}

_vif* PrepareVif0(std::uint32_t width, std::uint32_t height) {
    return PrepareVifP(kVifBgr8, width, height);
}

_vif* PrepareVif2(std::uint32_t width, std::uint32_t height) {
    return PrepareVifP(kVifBgr16, width, height);
}

_vif* PrepareVifP_bpl(std::uint16_t type, std::uint32_t width, std::uint32_t height,
                      std::uint32_t rowBytes) {
    // Rows shorter than their pixels would let every other operation write past the block.
    if (!isExplicitRowType(type) || rowBytes < std::uint64_t{pixelSize(type)} * width) {
        return nullptr;
    }
    auto* descriptor = new (std::nothrow) _vif{};
    if (descriptor == nullptr) {
        return nullptr;
    }
    descriptor->type = type;
    descriptor->width = width;
    descriptor->height = height;
    descriptor->rowBytes = rowBytes;
    if (!allocateAligned(*descriptor, std::uint64_t{rowBytes} * height + kBlockSlack)) {
        delete descriptor;
        return nullptr;
    }
    return descriptor;
}

void FreeVif(_vif** descriptor) {
    if (descriptor == nullptr || *descriptor == nullptr) {
        return;
    }
    std::free((*descriptor)->allocation);
    delete *descriptor;
    *descriptor = nullptr;
}

_vif* DuplicateVif(const _vif* descriptor) {
    if (descriptor == nullptr) {
        return nullptr;
    }
    const std::uint64_t bytes = std::uint64_t{descriptor->rowBytes} * descriptor->height;
    auto* copy = new (std::nothrow) _vif(*descriptor);
    // malloc(0) may return null; an empty buffer still gets a block of its own.
    void* block = copy == nullptr ? nullptr : std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) {
        delete copy;
        return nullptr;
    }
    if (bytes != 0) {
        std::memcpy(block, descriptor->data, bytes);
    }
    copy->allocation = block;
    copy->data = static_cast<std::uint8_t*>(block);
    return copy;
}

std::uint32_t VifGetPixelSize(const _vif* descriptor) {
    return descriptor == nullptr ? 0 : pixelSize(descriptor->type);
}

}  // namespace imaging
