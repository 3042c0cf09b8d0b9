#include "media_image.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "bytes/byte_order.h"
#include "medab2/table_parts.h"

namespace medab2 {
namespace {

constexpr char kMagic[] = "MEDAB2DB";
constexpr std::uint32_t kMagicBytes = 8;
constexpr std::uint32_t kDirectoryOffset = 36;
constexpr std::uint32_t kMediumBytes = 64;
constexpr std::uint32_t kMethodBytes = 8;
constexpr std::uint32_t kResolutionBytes = 24;
constexpr std::uint32_t kTableKinds = 8;
constexpr std::uint32_t kLocaleBytes = 4;

bool inside(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

}  // namespace

MediaImage::MediaImage(std::uint8_t* db) : db_(db) {
    if (db_ == nullptr || std::memcmp(db_, kMagic, kMagicBytes) != 0) {
        return;
    }
    size_ = bytes::loadLE32(db_ + kImageSizeOffset);
    if (size_ < kHeaderBytes) {
        return;
    }
    const std::uint8_t* d = db_ + kDirectoryOffset;
    mediaCount_ = bytes::loadLE32(d);
    mediaOffset_ = bytes::loadLE32(d + 4);
    methodCount_ = bytes::loadLE32(d + 8);
    methodOffset_ = bytes::loadLE32(d + 12);
    resolutionCount_ = bytes::loadLE32(d + 16);
    resolutionOffset_ = bytes::loadLE32(d + 20);
    poolOffset_ = bytes::loadLE32(d + 24);
    poolSize_ = bytes::loadLE32(d + 28);
    // The tables lie after the header, so that the filters written into media records can never
    // reach the directory, the filter state or the image size.
    valid_ =
        inside(mediaOffset_, std::uint64_t{mediaCount_} * kMediumBytes, size_) &&
        inside(methodOffset_, std::uint64_t{methodCount_} * kMethodBytes, size_) &&
        inside(resolutionOffset_, std::uint64_t{resolutionCount_} * kResolutionBytes, size_) &&
        inside(poolOffset_, poolSize_, size_) && mediaCount_ <= INT16_MAX &&
        std::min({mediaOffset_, methodOffset_, resolutionOffset_, poolOffset_}) >= kHeaderBytes;
    if (!valid_) {
        // Nothing of a damaged image is walked: its counts may be anything.
        mediaCount_ = methodCount_ = resolutionCount_ = poolSize_ = 0;
    }
}

bool MediaImage::validate(std::span<const std::uint8_t> file) {
    if (file.size() < kHeaderBytes || file.size() > UINT32_MAX) {
        return false;
    }
    std::vector<std::uint8_t> copy(file.begin(), file.end());
    bytes::storeLE32(copy.data() + kImageSizeOffset, static_cast<std::uint32_t>(copy.size()));
    const MediaImage image(copy.data());
    if (!image.valid()) {
        return false;
    }
    for (std::uint32_t i = 0; i < image.mediaCount(); ++i) {
        const auto medium = image.mediumAt(i);
        if (!medium || !image.poolString(medium->iccName)) {
            return false;
        }
        if (std::uint32_t{medium->firstMethod} + medium->methodCount > image.methodCount_) {
            return false;
        }
        for (std::uint32_t m = 0; m < medium->methodCount; ++m) {
            const std::uint32_t at = image.methodOffset_ + (medium->firstMethod + m) * kMethodBytes;
            if (std::uint32_t{image.load16(at + 4)} + image.load16(at + 6) >
                image.resolutionCount_) {
                return false;
            }
        }
        if (medium->names != kNone && !image.name(*medium, "en")) {
            return false;
        }
    }
    return true;
}

std::uint32_t MediaImage::load32(std::uint32_t offset) const {
    return inside(offset, 4, size_) ? bytes::loadLE32(db_ + offset) : 0;
}

std::uint16_t MediaImage::load16(std::uint32_t offset) const {
    return inside(offset, 2, size_) ? bytes::loadLE16(db_ + offset) : 0;
}

void MediaImage::store32(std::uint32_t offset, std::uint32_t value) {
    if (valid_ && inside(offset, 4, size_)) {
        bytes::storeLE32(db_ + offset, value);
    }
}

void MediaImage::store16(std::uint32_t offset, std::uint16_t value) {
    if (valid_ && inside(offset, 2, size_)) {
        bytes::storeLE16(db_ + offset, value);
    }
}

std::optional<Medium> MediaImage::mediumAt(std::uint32_t index) const {
    if (!valid_ || index >= mediaCount_) {
        return std::nullopt;
    }
    const std::uint32_t o = mediaOffset_ + index * kMediumBytes;
    Medium m{};
    m.offset = o;
    m.id = load16(o);
    m.qdxa1 = load16(o + 2);
    m.qdxa2 = load16(o + 4);
    m.defaultSource = load16(o + 6);
    m.hint = load32(o + 8);
    m.optimizeHint = load32(o + 12);
    m.inkSystem = load32(o + 16);
    m.sources = load16(o + 20);
    m.halftone = load16(o + 22);
    m.modelID = load32(o + 24);
    m.iccName = load32(o + 28);
    m.names = load32(o + 32);
    m.firstMethod = load16(o + 36);
    m.methodCount = load16(o + 38);
    m.defaultMethod = load16(o + 40);
    m.defaultResolution = load16(o + 42);
    m.optimizeMode = load16(o + kMediumOptimizeModeOffset);
    m.tables = load32(o + 48);
    m.preprocHint = load32(o + 52);
    m.monoHint = load32(o + 56);
    m.csc1Hint = load32(o + 60);
    return m;
}

bool MediaImage::shown(const Medium& medium) const {
    const std::uint32_t hidden = load32(kHiddenHintMaskOffset);
    const std::uint32_t ink = load32(kInkSystemFilterOffset);
    return (medium.hint & hidden) == 0 && (ink == 0 || (medium.inkSystem & ink) != 0);
}

std::optional<Medium> MediaImage::shownMedium(std::int32_t oneBasedIndex) const {
    std::int32_t seen = 0;
    for (std::uint32_t i = 0; i < mediaCount_ && oneBasedIndex >= 1; ++i) {
        const auto medium = mediumAt(i);
        if (medium && shown(*medium) && ++seen == oneBasedIndex) {
            return medium;
        }
    }
    return std::nullopt;
}

std::optional<Medium> MediaImage::find(std::int32_t id) const {
    for (std::uint32_t i = 0; i < mediaCount_; ++i) {
        const auto medium = mediumAt(i);
        if (medium && medium->id == static_cast<std::uint16_t>(id) && shown(*medium)) {
            return medium;
        }
    }
    return std::nullopt;
}

std::int32_t MediaImage::shownCount() const {
    std::int32_t count = 0;
    for (std::uint32_t i = 0; i < mediaCount_; ++i) {
        const auto medium = mediumAt(i);
        if (medium && shown(*medium)) {
            ++count;
        }
    }
    return count;
}

std::optional<Method> MediaImage::method(const Medium& medium, std::int32_t bit) const {
    for (std::uint32_t i = 0; i < medium.methodCount; ++i) {
        const std::uint32_t index = std::uint32_t{medium.firstMethod} + i;
        if (index >= methodCount_) {
            return std::nullopt;
        }
        const std::uint32_t o = methodOffset_ + index * kMethodBytes;
        const Method m{load16(o), load16(o + 2), load16(o + 4), load16(o + 6)};
        if (m.bit == bit) {
            return m;
        }
    }
    return std::nullopt;
}

std::optional<Resolution> MediaImage::resolution(const Method& method, std::int32_t ids) const {
    for (std::uint32_t i = 0; i < method.resolutionCount; ++i) {
        const std::uint32_t index = std::uint32_t{method.firstResolution} + i;
        if (index >= resolutionCount_) {
            return std::nullopt;
        }
        const std::uint32_t o = resolutionOffset_ + index * kResolutionBytes;
        Resolution r{};
        r.id = load16(o);
        r.hint = load16(o + 2);
        for (int w = 0; w < 5; ++w) {
            r.words[w] = load16(o + 4 + 2 * w);
            r.wordsMode1[w] = load16(o + 14 + 2 * w);
        }
        if ((r.id & ids) != 0) {
            return r;
        }
    }
    return std::nullopt;
}

std::uint16_t MediaImage::optimizeMode(const Medium& medium) const {
    const std::uint16_t own = load16(medium.offset + kMediumOptimizeModeOffset);
    return own != 0 ? own : load16(kOptimizeModeOffset);
}

std::span<const std::uint8_t> MediaImage::pool(std::uint32_t offset, std::uint32_t length) const {
    if (!valid_ || !inside(offset, length, poolSize_)) {
        return {};
    }
    return {db_ + poolOffset_ + offset, length};
}

std::optional<std::string_view> MediaImage::poolString(std::uint32_t offset) const {
    if (!valid_ || offset >= poolSize_) {
        return std::nullopt;
    }
    const auto rest = pool(offset, poolSize_ - offset);
    const auto* text = reinterpret_cast<const char*>(rest.data());
    const std::size_t length = strnlen(text, rest.size());
    if (length == rest.size()) {
        return std::nullopt;
    }
    return std::string_view(text, length);
}

std::optional<std::string_view> MediaImage::name(const Medium& medium,
                                                 std::string_view locale) const {
    if (medium.names == kNone) {
        return std::nullopt;
    }
    const auto head = pool(medium.names, 2);
    if (head.empty()) {
        return std::nullopt;
    }
    const std::uint16_t count = bytes::loadLE16(head.data());
    std::uint32_t at = medium.names + 2;
    std::optional<std::string_view> english;
    for (std::uint16_t i = 0; i < count; ++i) {
        const auto entry = pool(at, kLocaleBytes + 2);
        if (entry.empty()) {
            return std::nullopt;
        }
        const std::uint16_t length = bytes::loadLE16(entry.data() + kLocaleBytes);
        const auto text = pool(at + kLocaleBytes + 2, length);
        if (text.size() != length) {
            return std::nullopt;
        }
        const std::string_view entryLocale(
            reinterpret_cast<const char*>(entry.data()),
            strnlen(reinterpret_cast<const char*>(entry.data()), kLocaleBytes));
        const std::string_view value(reinterpret_cast<const char*>(text.data()), length);
        if (!entryLocale.empty() && locale.substr(0, entryLocale.size()) == entryLocale) {
            return value;
        }
        if (entryLocale == "en" && !english) {
            english = value;
        }
        at += kLocaleBytes + 2 + length;
    }
    return english;
}

std::span<const std::uint8_t> MediaImage::table(const Medium& medium, TableKind kind) const {
    const auto directory = pool(medium.tables, 2 + kTableKinds * 8);
    if (directory.empty() || bytes::loadLE16(directory.data()) != kTableKinds) {
        return {};
    }
    const std::uint8_t* entry = directory.data() + 2 + static_cast<std::uint32_t>(kind) * 8;
    const std::uint32_t offset = bytes::loadLE32(entry);
    const std::uint32_t length = bytes::loadLE32(entry + 4);
    if (offset == kNone || length == 0) {
        return {};
    }
    // A table is handed out only when it states its own length, which is all that a reader
    // given the table alone can bound its reads by.
    const auto found = pool(offset, length);
    if (found.size() < kPartsHeadBytes || declaredTableLength(found.data()) != found.size()) {
        return {};
    }
    return found;
}

}  // namespace medab2
