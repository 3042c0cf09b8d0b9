// What every framework object starts with, and the pixel forms of its rows.
#pragma once

#include <cstdint>
#include <cstring>

#include "tonara2/tonara2.h"

#define TONARA2_EXPORT __attribute__((visibility("default")))

namespace tonara2 {

/// Object kinds, the first word of an object.
enum class Kind : std::uint32_t {
    Empty = 0,  // a zeroed or freed buffer
    Preproc = 0x504E5254,
    Monochrome = 0x4D4E5254,
    Csc1 = 0x43535254,
};

struct ObjectHeader {
    Kind kind;
    std::uint32_t sampleBytes;         // 1 or 2
    std::uint32_t sourceSamples;       // samples of a source pixel
    std::uint32_t destinationSamples;  // samples of a destination pixel
};

inline constexpr std::uint32_t kRgbSamples = 3;
inline constexpr std::uint32_t kGreySamples = 1;

/// Bytes of a sample for a hint.
inline std::uint32_t sampleBytesOf(std::uint32_t hint) {
    return (hint & kTnr2HintDepthMask) == kTnr2Hint16Bit ? 2 : 1;
}

inline std::uint32_t formOf(std::uint32_t sampleBytes, std::uint32_t samples,
                            std::uint32_t destinationSamples) {
    return sampleBytes | samples << 8 | destinationSamples << 16;
}

inline std::uint32_t sourceFormOf(const ObjectHeader& header) {
    return formOf(header.sampleBytes, header.sourceSamples, header.sourceSamples);
}

inline std::uint32_t destinationFormOf(const ObjectHeader& header) {
    return formOf(header.sampleBytes, header.sourceSamples, header.destinationSamples);
}

/// The object at `object` when it is one of `kind`, else null.
template <typename Object>
Object* objectOf(void* object, Kind kind) {
    auto* typed = static_cast<Object*>(object);
    return typed != nullptr && typed->header.kind == kind ? typed : nullptr;
}

template <typename Object>
const Object* objectOf(const void* object, Kind kind) {
    const auto* typed = static_cast<const Object*>(object);
    return typed != nullptr && typed->header.kind == kind ? typed : nullptr;
}

/// Converts a row of `pixels` through the object at `object` when it is one of `kind`, in the
/// object's sample size. The object's own `convertRow` (found beside its type) does the work.
template <typename Object>
std::int32_t transformRow(const void* object, Kind kind, const void* source, std::uint32_t pixels,
                          void* destination) {
    const Object* made = objectOf<Object>(object, kind);
    if (made == nullptr || source == nullptr || destination == nullptr) {
        return kTnr2BadArgument;
    }
    if (made->header.sampleBytes == 1) {
        convertRow(*made, static_cast<const std::uint8_t*>(source),
                   static_cast<std::uint8_t*>(destination), pixels);
    } else {
        convertRow(*made, static_cast<const std::uint16_t*>(source),
                   static_cast<std::uint16_t*>(destination), pixels);
    }
    return kTnr2Ok;
}

/// Empties a freed object's buffer, so that a second free or a late conversion finds nothing.
template <typename Object>
std::int32_t freeObject(void* object, Kind kind) {
    Object* typed = objectOf<Object>(object, kind);
    if (typed == nullptr) {
        return kTnr2BadArgument;
    }
    std::memset(static_cast<void*>(typed), 0, sizeof(ObjectHeader));
    return kTnr2Ok;
}

}  // namespace tonara2
