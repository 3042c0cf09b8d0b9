// The first colour-space conversion: the working space into the medium's printer profile,
// sampled once into a lattice inside the object.
#include <cstring>
#include <new>
#include <string_view>

#include "color/installed_profiles.h"
#include "color/lattice.h"
#include "color/profile.h"
#include "color/standard_profiles.h"
#include "color/transform.h"
#include "object_header.h"

namespace {

using namespace tonara2;

// The conversion part: u32 rendering intent (ICC numbering), u32 working space, the
// zero-terminated file name of the printer profile.
constexpr std::size_t kPartNameOffset = 8;
constexpr std::uint32_t kSpaceNone = 0;
constexpr std::uint32_t kSpaceAdobeRgb = 1;
constexpr std::uint32_t kSpaceSrgb = 2;
constexpr std::uint32_t kLargestIntent = 3;

struct Csc1Object {
    ObjectHeader header;
    std::uint32_t through;  // 1: the conversion leaves rows as they are
    std::uint32_t unused;
    std::uint16_t lattice[color::kLatticeWords];
};

std::uint32_t loadLE32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Conversion {
    color::Intent intent;
    std::uint32_t space;
    std::string_view profileName;
};

// False when the part is short, names no plain file, or an unknown intent or space.
bool readPart(const std::uint8_t* part, std::uint32_t length, Conversion& conversion) {
    if (part == nullptr || length <= kPartNameOffset) {
        return false;
    }
    const auto* name = reinterpret_cast<const char*>(part + kPartNameOffset);
    const std::size_t nameLength = strnlen(name, length - kPartNameOffset);
    if (nameLength == length - kPartNameOffset) {
        return false;  // not terminated inside the part
    }
    const std::string_view file(name, nameLength);
    if (file.empty() || file == "." || file == ".." || file.find('/') != std::string_view::npos) {
        return false;
    }
    constexpr color::Intent kIntents[] = {
        color::Intent::Perceptual, color::Intent::RelativeColorimetric, color::Intent::Saturation,
        color::Intent::AbsoluteColorimetric};
    const std::uint32_t intent = loadLE32(part);
    const std::uint32_t space = loadLE32(part + 4);
    if (intent > kLargestIntent || space > kSpaceSrgb) {
        return false;
    }
    conversion = {kIntents[intent], space, file};
    return true;
}

bool sampleConversion(const Conversion& conversion, Csc1Object& object) {
    const auto working = color::Profile::openPath(color::standardProfilePath(
        conversion.space == kSpaceAdobeRgb ? color::StandardProfile::AdobeRgb1998
                                           : color::StandardProfile::Srgb));
    const auto printer = color::Profile::openPath(color::driverProfileFolder() /
                                                  std::string(conversion.profileName));
    if (working == nullptr || printer == nullptr ||
        printer->deviceClass() != color::kClassPrinter ||
        printer->colorSpace() != color::kSpaceRgb) {
        return false;
    }
    const auto transform = color::Transform::create(working, printer, conversion.intent);
    return transform != nullptr && transform->sampleLattice(object.lattice);
}

}  // namespace

extern "C" {

TONARA2_EXPORT std::uint32_t tnr2_create_csc1(std::uint32_t partLength, const std::uint8_t* part,
                                              std::uint32_t hint, void* object) {
    Conversion conversion{};
    if (!readPart(part, partLength, conversion)) {
        return 0;
    }
    if (object == nullptr) {
        return sizeof(Csc1Object);
    }
    auto* made = new (object) Csc1Object{};
    made->through = conversion.space == kSpaceNone ? 1 : 0;
    if (made->through == 0 && !sampleConversion(conversion, *made)) {
        return 0;
    }
    made->header = {Kind::Csc1, sampleBytesOf(hint), kRgbSamples, kRgbSamples};
    return sizeof(Csc1Object);
}

TONARA2_EXPORT std::int32_t tnr2_query_csc1_hint(const void* object, std::uint32_t* form) {
    const auto* made = objectOf<Csc1Object>(object, Kind::Csc1);
    if (made == nullptr || form == nullptr) {
        return kTnr2BadArgument;
    }
    *form = destinationFormOf(made->header);
    return kTnr2Ok;
}

TONARA2_EXPORT std::int32_t tnr2_set_csc1_rgb(void* object, std::int32_t output,
                                              std::uint32_t form) {
    const auto* made = objectOf<Csc1Object>(object, Kind::Csc1);
    if (made == nullptr || output != kTnr2OutputRgb ||
        (form != 0 && form != destinationFormOf(made->header))) {
        return kTnr2BadArgument;
    }
    return kTnr2Ok;
}

TONARA2_EXPORT std::int32_t tnr2_xform_csc1(const void* object, const void* source,
                                            std::int32_t /*reserved*/, std::uint32_t pixels,
                                            void* destination) {
    const auto* made = objectOf<Csc1Object>(object, Kind::Csc1);
    if (made == nullptr || source == nullptr || destination == nullptr) {
        return kTnr2BadArgument;
    }
    if (made->through != 0) {
        if (source != destination) {
            std::memmove(destination, source,
                         std::size_t{pixels} * kRgbSamples * made->header.sampleBytes);
        }
    } else if (made->header.sampleBytes == 1) {
        color::applyLattice(made->lattice, static_cast<const std::uint8_t*>(source),
                            static_cast<std::uint8_t*>(destination), pixels);
    } else {
        color::applyLattice(made->lattice, static_cast<const std::uint16_t*>(source),
                            static_cast<std::uint16_t*>(destination), pixels);
    }
    return kTnr2Ok;
}

TONARA2_EXPORT std::int32_t tnr2_free_csc1(void* object) {
    return freeObject<Csc1Object>(object, Kind::Csc1);
}

}  // extern "C"
