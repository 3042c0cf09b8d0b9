// Walks the tables of a binary property list: UTF-16 strings holding U+0000, and the depth of
// the containers.
#include "cf/binary_list_check.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "bytes/byte_order.h"

namespace cf::detail {
namespace {

constexpr std::size_t kHeaderBytes = 8;  // "bplist00"
constexpr std::size_t kTrailerBytes = 32;
constexpr std::size_t kTrailerOffsetSize = 6;
constexpr std::size_t kTrailerReferenceSize = 7;
constexpr std::size_t kTrailerObjectCount = 8;
constexpr std::size_t kTrailerTopObject = 16;
constexpr std::size_t kTrailerTableOffset = 24;
constexpr std::size_t kTrailerIntegerBytes = 8;  // object count, top object and table offset
constexpr std::size_t kLargestIntegerBytes = 8;
constexpr std::uint8_t kMarkerKindMask = 0xF0;
constexpr std::uint8_t kMarkerSizeMask = 0x0F;
constexpr std::uint8_t kUnicodeStringKind = 0x60;
constexpr std::uint8_t kIntegerKind = 0x10;
constexpr std::uint8_t kArrayKind = 0xA0;
constexpr std::uint8_t kSetKind = 0xC0;
constexpr std::uint8_t kDictionaryKind = 0xD0;
constexpr std::uint8_t kSizeFollows = 0x0F;  // the count is an integer object after the marker
constexpr std::size_t kUnitBytes = 2;

/// A big-endian integer of `size` bytes at `offset`, or nothing when it passes the end.
std::optional<std::uint64_t> sizedInteger(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                                          std::size_t size) {
    if (size == 0 || size > kLargestIntegerBytes || offset > bytes.size() ||
        size > bytes.size() - offset) {
        return std::nullopt;
    }
    return bytes::loadBE(bytes.data() + offset, size);
}

/// The trailer's description of the tables, when it describes tables inside the list.
struct Tables {
    std::size_t offsetSize;
    std::size_t referenceSize;
    std::uint64_t objects;
    std::uint64_t topObject;
    std::uint64_t table;
    std::uint64_t trailer;
};

std::optional<Tables> readTables(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderBytes + kTrailerBytes) {
        return std::nullopt;
    }
    Tables tables{};
    tables.trailer = bytes.size() - kTrailerBytes;
    tables.offsetSize = bytes[tables.trailer + kTrailerOffsetSize];
    tables.referenceSize = bytes[tables.trailer + kTrailerReferenceSize];
    tables.objects =
        *sizedInteger(bytes, tables.trailer + kTrailerObjectCount, kTrailerIntegerBytes);
    tables.topObject =
        *sizedInteger(bytes, tables.trailer + kTrailerTopObject, kTrailerIntegerBytes);
    tables.table = *sizedInteger(bytes, tables.trailer + kTrailerTableOffset, kTrailerIntegerBytes);
    if (tables.offsetSize == 0 || tables.offsetSize > kLargestIntegerBytes ||
        tables.table > tables.trailer ||
        tables.objects > (tables.trailer - tables.table) / tables.offsetSize) {
        return std::nullopt;
    }
    return tables;
}

/// Where object `index` starts, or nothing when the index or its offset lies outside the list.
std::optional<std::uint64_t> objectOffset(std::span<const std::uint8_t> bytes, const Tables& tables,
                                          std::uint64_t index) {
    if (index >= tables.objects) {
        return std::nullopt;
    }
    const auto offset =
        sizedInteger(bytes, tables.table + index * tables.offsetSize, tables.offsetSize);
    if (!offset || *offset >= bytes.size()) {
        return std::nullopt;
    }
    return offset;
}

/// The element count of the object at `offset` and where its contents start.
struct Counted {
    std::uint64_t count;
    std::uint64_t start;
};

std::optional<Counted> objectCount(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    Counted counted{static_cast<std::uint64_t>(bytes[offset] & kMarkerSizeMask), offset + 1};
    if (counted.count != kSizeFollows) {
        return counted;
    }
    if (counted.start >= bytes.size() || (bytes[counted.start] & kMarkerKindMask) != kIntegerKind) {
        return std::nullopt;
    }
    const std::size_t width = std::size_t{1} << (bytes[counted.start] & kMarkerSizeMask);
    const auto count = sizedInteger(bytes, counted.start + 1, width);
    if (!count) {
        return std::nullopt;
    }
    return Counted{*count, counted.start + 1 + width};
}

bool unicodeStringHoldsZero(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    if ((bytes[offset] & kMarkerKindMask) != kUnicodeStringKind) {
        return false;
    }
    const auto string = objectCount(bytes, offset);
    if (!string || string->start > bytes.size() ||
        string->count > (bytes.size() - string->start) / kUnitBytes) {
        return false;  // libplist refuses a string running past the end
    }
    for (std::uint64_t i = 0; i < string->count; ++i) {
        const std::uint64_t at = string->start + i * kUnitBytes;
        if (bytes[at] == 0 && bytes[at + 1] == 0) {
            return true;
        }
    }
    return false;
}

/// The references held by a container: a run of `count` object indexes of the trailer's
/// reference size starting at `start`; empty for any other object.
struct References {
    std::uint64_t start = 0;
    std::uint64_t count = 0;
};

std::optional<References> containerReferences(std::span<const std::uint8_t> bytes,
                                              const Tables& tables, std::uint64_t offset) {
    const std::uint8_t kind = bytes[offset] & kMarkerKindMask;
    if (kind != kArrayKind && kind != kSetKind && kind != kDictionaryKind) {
        return References{};
    }
    const auto counted = objectCount(bytes, offset);
    if (!counted || tables.referenceSize == 0 || tables.referenceSize > kLargestIntegerBytes ||
        counted->start > tables.trailer) {
        return std::nullopt;
    }
    const std::uint64_t perElement = kind == kDictionaryKind ? 2 : 1;  // keys, then values
    const std::uint64_t room = (tables.trailer - counted->start) / tables.referenceSize;
    if (counted->count > room / perElement) {
        return std::nullopt;
    }
    return References{counted->start, counted->count * perElement};
}

constexpr std::uint16_t kUnvisited = 0xFFFF;
constexpr std::uint16_t kOnPath = 0xFFFE;

/// A container on the path from the top object, with the next reference to follow and the
/// greatest depth found so far below it.
struct Frame {
    std::uint64_t index;
    References references;
    std::uint64_t next = 0;
    std::uint16_t height = 0;
};

}  // namespace

bool binaryListHoldsZeroUnicodeUnit(std::span<const std::uint8_t> bytes) {
    const auto tables = readTables(bytes);
    if (!tables) {
        return false;
    }
    for (std::uint64_t i = 0; i < tables->objects; ++i) {
        const auto offset = objectOffset(bytes, *tables, i);
        if (offset && unicodeStringHoldsZero(bytes, *offset)) {
            return true;
        }
    }
    return false;
}

bool binaryListNestingWithin(std::span<const std::uint8_t> bytes, int maxDepth) {
    const auto tables = readTables(bytes);
    if (!tables || maxDepth < 0 || maxDepth >= kOnPath) {
        return false;
    }
    const auto depthLimit = static_cast<std::uint64_t>(maxDepth);
    // The height below each object once its contents are walked, so that an object shared by
    // many containers is walked once.
    std::vector<std::uint16_t> heights(tables->objects, kUnvisited);
    std::vector<Frame> path;

    // Enters object `index` at depth path.size(); false when the list is too deep or broken.
    const auto enter = [&](std::uint64_t index) {
        const std::uint64_t depth = path.size();
        if (depth > depthLimit) {
            return false;
        }
        const auto offset = objectOffset(bytes, *tables, index);
        if (!offset) {
            return false;  // a reference to nothing
        }
        const std::uint16_t height = heights[index];
        if (height == kOnPath) {
            return false;  // the container holds itself
        }
        if (height != kUnvisited) {
            if (depth + height > depthLimit) {
                return false;
            }
            if (!path.empty()) {
                path.back().height =
                    std::max(path.back().height, static_cast<std::uint16_t>(height + 1));
            }
            return true;
        }
        const auto references = containerReferences(bytes, *tables, *offset);
        if (!references) {
            return false;
        }
        heights[index] = kOnPath;
        path.push_back(Frame{index, *references});
        return true;
    };

    if (!enter(tables->topObject)) {
        return false;
    }
    while (!path.empty()) {
        Frame& frame = path.back();
        if (frame.next < frame.references.count) {
            const auto child =
                sizedInteger(bytes, frame.references.start + frame.next * tables->referenceSize,
                             tables->referenceSize);
            ++frame.next;
            if (!enter(*child)) {
                return false;
            }
            continue;
        }
        const Frame done = frame;
        path.pop_back();
        heights[done.index] = done.height;
        if (!path.empty()) {
            path.back().height =
                std::max(path.back().height, static_cast<std::uint16_t>(done.height + 1));
        }
    }
    return true;
}

}  // namespace cf::detail
