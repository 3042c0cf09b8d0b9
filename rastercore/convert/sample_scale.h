// The two 16-bit sample ranges: the host's runs from 0 to 32768, the working one from 0 to
// 65535. Samples sit in buffers in machine byte order, not necessarily aligned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rowconvert {

inline constexpr std::uint16_t kHostSampleMax = 32768;
inline constexpr std::uint16_t kWorkSampleMax = 65535;

/// A host sample in the working range: doubled, with 32768 (and anything above it) at 65535.
inline std::uint16_t upScale(std::uint16_t sample) {
    return sample >= kHostSampleMax ? kWorkSampleMax : static_cast<std::uint16_t>(sample << 1);
}

/// A working sample in the host range: halved, with 65535 at 32768.
inline std::uint16_t downScale(std::uint16_t sample) {
    return sample == kWorkSampleMax ? kHostSampleMax : static_cast<std::uint16_t>(sample >> 1);
}

inline std::uint16_t loadSample(const std::uint8_t* at) {
    std::uint16_t sample;
    std::memcpy(&sample, at, sizeof sample);
    return sample;
}

inline void storeSample(std::uint8_t* at, std::uint16_t sample) {
    std::memcpy(at, &sample, sizeof sample);
}

/// Applies `scale` to the `count` 16-bit samples of `from`, writing them to `to` (may be `from`).
template <typename Scale>
void scaleSamples(const std::uint8_t* from, std::uint8_t* to, std::size_t count, Scale scale) {
    for (std::size_t i = 0; i < count; ++i) {
        storeSample(to + 2 * i, scale(loadSample(from + 2 * i)));
    }
}

}  // namespace rowconvert
