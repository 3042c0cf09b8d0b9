// Makes framework objects the way their callers do: size, zeroed buffer, fill.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tonara2/tonara2.h"

namespace tonara2test {

inline constexpr std::uint32_t kHint8 = 0x24;   // low bits 4: 8-bit rows
inline constexpr std::uint32_t kHint16 = 0x27;  // low bits 7: 16-bit rows

/// A made object's bytes; empty when either call failed.
struct Object {
    std::vector<std::uint64_t> storage;  // 8-byte aligned, as an allocator's buffer is
    void* get() { return storage.empty() ? nullptr : storage.data(); }
};

inline Object make(const std::function<std::uint32_t(void*)>& create) {
    Object object;
    const std::uint32_t size = create(nullptr);
    if (size == 0)
        return object;
    object.storage.assign((size + 7) / 8, 0);
    if (create(object.get()) == 0)
        object.storage.clear();
    return object;
}

inline Object makePreproc(std::uint32_t hint, tnr2_balance_t balance = {},
                          std::int32_t saturation = 0, std::int32_t contrast = 0,
                          std::int32_t brightness = 0, std::int32_t greyTone = 0,
                          const tnr2_tonecurve_t* curves = nullptr) {
    return make([&](void* buffer) {
        return tnr2_create_preproc2(&balance, curves, saturation, contrast, brightness, greyTone,
                                    2.2, hint, buffer);
    });
}

struct MonochromeSettings {
    std::int32_t toneX = 0, toneY = 0, contrast = 0, brightness = 0, highlight = 0, shadow = 0;
    double gamma = 2.2;
    std::int32_t whiteFog = 0;
};

inline Object makeMonochrome(std::uint32_t hint, const MonochromeSettings& s = {}) {
    return make([&](void* buffer) {
        return tnr2_create_monochrome2(s.toneX, s.toneY, s.contrast, s.brightness, s.highlight,
                                       s.shadow, s.gamma, s.whiteFog, 1, 0, 0, nullptr, hint,
                                       buffer);
    });
}

/// A conversion part: intent, working space, printer-profile file name.
inline std::vector<std::uint8_t> csc1Part(std::uint32_t intent, std::uint32_t space,
                                          const std::string& profile) {
    std::vector<std::uint8_t> part;
    for (const std::uint32_t word : {intent, space}) {
        for (int shift = 0; shift < 32; shift += 8)
            part.push_back(static_cast<std::uint8_t>(word >> shift));
    }
    part.insert(part.end(), profile.begin(), profile.end());
    part.push_back(0);
    return part;
}

inline Object makeCsc1(const std::vector<std::uint8_t>& part, std::uint32_t hint) {
    return make([&](void* buffer) {
        return tnr2_create_csc1(static_cast<std::uint32_t>(part.size()), part.data(), hint, buffer);
    });
}

}  // namespace tonara2test
