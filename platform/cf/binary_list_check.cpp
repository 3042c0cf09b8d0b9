// Walks the offset table of a binary property list looking for UTF-16 strings holding U+0000.
#include "cf/binary_list_check.h"

#include <cstddef>
#include <optional>

#include "bytes/byte_order.h"

namespace cf::detail {
namespace {

constexpr std::size_t kHeaderBytes = 8;  // "bplist00"
constexpr std::size_t kTrailerBytes = 32;
constexpr std::size_t kTrailerOffsetSize = 6;
constexpr std::size_t kTrailerObjectCount = 8;
constexpr std::size_t kTrailerTableOffset = 24;
constexpr std::size_t kTrailerIntegerBytes = 8;  // object count and table offset
constexpr std::size_t kLargestIntegerBytes = 8;
constexpr std::uint8_t kMarkerKindMask = 0xF0;
constexpr std::uint8_t kMarkerSizeMask = 0x0F;
constexpr std::uint8_t kUnicodeStringKind = 0x60;
constexpr std::uint8_t kIntegerKind = 0x10;
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

bool unicodeStringHoldsZero(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    if (offset >= bytes.size() || (bytes[offset] & kMarkerKindMask) != kUnicodeStringKind) {
        return false;
    }
    std::uint64_t units = bytes[offset] & kMarkerSizeMask;
    std::uint64_t start = offset + 1;
    if (units == kSizeFollows) {
        if (start >= bytes.size() || (bytes[start] & kMarkerKindMask) != kIntegerKind) {
            return false;
        }
        const std::size_t width = std::size_t{1} << (bytes[start] & kMarkerSizeMask);
        const auto count = sizedInteger(bytes, start + 1, width);
        if (!count) {
            return false;
        }
        units = *count;
        start += 1 + width;
    }
    if (start > bytes.size() || units > (bytes.size() - start) / kUnitBytes) {
        return false;  // libplist refuses a string running past the end
    }
    for (std::uint64_t i = 0; i < units; ++i) {
        const std::uint64_t at = start + i * kUnitBytes;
        if (bytes[at] == 0 && bytes[at + 1] == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool binaryListHoldsZeroUnicodeUnit(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderBytes + kTrailerBytes) {
        return false;
    }
    const std::uint64_t trailer = bytes.size() - kTrailerBytes;
    const std::size_t offsetSize = bytes[trailer + kTrailerOffsetSize];
    const std::uint64_t objects =
        *sizedInteger(bytes, trailer + kTrailerObjectCount, kTrailerIntegerBytes);
    const std::uint64_t table =
        *sizedInteger(bytes, trailer + kTrailerTableOffset, kTrailerIntegerBytes);
    if (offsetSize == 0 || offsetSize > kLargestIntegerBytes || table > trailer ||
        objects > (trailer - table) / offsetSize) {
        return false;
    }
    for (std::uint64_t i = 0; i < objects; ++i) {
        const auto offset = sizedInteger(bytes, table + i * offsetSize, offsetSize);
        if (offset && unicodeStringHoldsZero(bytes, *offset)) {
            return true;
        }
    }
    return false;
}

}  // namespace cf::detail
