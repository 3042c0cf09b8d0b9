// The host stand-in's record and callbacks.
#include "host_shell.h"

#include <lcms2.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <span>
#include <system_error>

#include "cf/folders.h"
#include "color/profile.h"
#include "color/standard_profiles.h"
#include "color/transform.h"

namespace host {

namespace {

constexpr std::int32_t kAdvanceToRequest = 2;
constexpr std::int32_t kHostFailure = -1;
constexpr std::uint32_t kEditorTop16 = 32768;  // the image editor's 16-bit white
constexpr std::uint32_t kTop16 = 65535;
constexpr std::uint32_t kTop8 = 255;
constexpr double kFixedOne = 65536.0;
constexpr double kGreyGamma = 2.2;
constexpr int kRgbChannels = 3;
constexpr std::int32_t kRequestVersion = 1;
constexpr std::int32_t kRequest16Bit = 2;

// The image editor's modes: 1 grey, 3 RGB, 4 CMYK, and 10, 11 and 13 their 16-bit forms.
std::uint16_t imageMode(int channels, int bits) {
    constexpr std::uint16_t kGrey = 1, kRgb = 3, kCmyk = 4;
    constexpr std::uint16_t kGrey16 = 10, kRgb16 = 11, kCmyk16 = 13;
    const bool wide = bits == 16;
    if (channels == 1) {
        return wide ? kGrey16 : kGrey;
    }
    if (channels == 3) {
        return wide ? kRgb16 : kRgb;
    }
    return wide ? kCmyk16 : kCmyk;
}

std::int32_t fixed(double ppi) {
    return static_cast<std::int32_t>((ppi > 0 ? ppi : kDefaultResolution) * kFixedOne);
}

// A grey display profile of gamma 2.2, for grey images that bring none.
std::vector<std::uint8_t> greyProfile() {
    cmsToneCurve* curve = cmsBuildGamma(nullptr, kGreyGamma);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    std::vector<std::uint8_t> bytes;
    cmsUInt32Number size = 0;
    if (profile != nullptr && cmsSaveProfileToMem(profile, nullptr, &size) != 0) {
        bytes.resize(size);
        cmsSaveProfileToMem(profile, bytes.data(), &size);
    }
    if (profile != nullptr) {
        cmsCloseProfile(profile);
    }
    return bytes;
}

std::shared_ptr<color::Profile> profileOf(const std::vector<std::uint8_t>& bytes) {
    return color::Profile::openBytes(
        std::span(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()));
}

color::Layout layoutOf(int channels) {
    return channels == 1 ? color::Layout::Grey
                         : (channels == 3 ? color::Layout::Rgb : color::Layout::Cmyk);
}

std::uint16_t widen(std::uint16_t value, int bits) {
    return bits == 16 ? value : static_cast<std::uint16_t>(value * 257);
}

}  // namespace

std::unique_ptr<HostShell> HostShell::create(Image image, HostType type, std::string documentName,
                                             std::string* error) {
    std::unique_ptr<HostShell> shell(
        new HostShell(std::move(image), type, std::move(documentName)));
    return shell->prepare(error) ? std::move(shell) : nullptr;
}

HostShell::HostShell(Image image, HostType type, std::string documentName)
    : image_(std::move(image)), type_(type), documentName_(std::move(documentName)) {}

HostShell::~HostShell() {
    for (void* buffer : buffers_) {
        std::free(buffer);
    }
    if (ownProfileFile_) {
        std::error_code ignored;
        std::filesystem::remove(profileFile_, ignored);
    }
}

bool HostShell::prepare(std::string* error) {
    profile_ = image_.iccProfile;
    if (profile_.empty() && image_.channels == 1) {
        profile_ = greyProfile();
    }
    if (profile_.empty() && image_.channels == 4) {
        *error = "a CMYK image needs its embedded profile";
        return false;
    }
    if (!profile_.empty() && profileOf(profile_) == nullptr) {
        *error = "the image's embedded profile cannot be read";
        return false;
    }
    CommonInfoTable& t = table_;
    t.hostType = static_cast<std::uint8_t>(type_);
    t.imageWidth = image_.width;
    t.imageHeight = image_.height;
    t.bitsPerChannel = static_cast<std::uint16_t>(image_.bits);
    t.horizontalResolution = fixed(image_.resolutionX);
    t.verticalResolution = fixed(image_.resolutionY > 0 ? image_.resolutionY : image_.resolutionX);
    t.documentName = &documentName_;
    t.hostReference = this;
    // RGB images with their own profile, and CMYK ones, are matched into the Adobe RGB (1998)
    // working space; RGB images without one count as sRGB, and grey ones are matched into sRGB.
    const bool matched =
        (image_.channels == 3 && !image_.iccProfile.empty()) || image_.channels == 4;
    t.sourceKind = matched ? kSourceKindAdobeRgb : kSourceKindSrgb;
    if (type_ == HostType::ImageEditor) {
        t.imageMode = imageMode(image_.channels, image_.bits);
        t.profile.bytes = profile_.empty() ? nullptr : profile_.data();
        t.profile.byteCount = static_cast<std::uint32_t>(profile_.size());
        t.advanceStateProc = &HostShell::advanceState;
        t.callbacks238[1] = reinterpret_cast<HostProc>(&HostShell::samples16To8);
        t.callbacks238[2] = reinterpret_cast<HostProc>(&HostShell::samples8To16);
        return true;
    }
    return preparePhotoApplication(error);
}

// The photo application hands out RGB lines in a profile of its own: the image's, or sRGB for
// grey and CMYK images, which it converts first, and for RGB images without one.
bool HostShell::preparePhotoApplication(std::string* error) {
    CommonInfoTable& t = table_;
    t.imageMode = imageMode(kRgbChannels, image_.bits);
    t.files.sizes[0] = image_.width;
    t.files.sizes[1] = image_.height;
    t.sourceKind =
        image_.channels == 3 && image_.iccProfile.empty() ? kSourceKindSrgb : kSourceKindAdobeRgb;
    t.imageCountProc = reinterpret_cast<HostProc>(&HostShell::imageCount);
    t.imageDescriptionProc = reinterpret_cast<HostProc>(&HostShell::describe);
    t.openImageProc = reinterpret_cast<HostProc>(&HostShell::open);
    t.allocateBufferProc = reinterpret_cast<HostProc>(&HostShell::allocate);
    t.defineSourceRectProc = reinterpret_cast<HostProc>(&HostShell::defineRect);
    t.turnImageProc = reinterpret_cast<HostProc>(&HostShell::turn);
    t.freeBufferProc = reinterpret_cast<HostProc>(&HostShell::freeBuffer);
    t.closeImageProc = reinterpret_cast<HostProc>(&HostShell::close);
    t.lineProc = &HostShell::line;

    const std::size_t pixels = std::size_t{image_.width} * image_.height;
    rgb_.resize(pixels * kRgbChannels);
    if (image_.channels == 3) {
        for (std::size_t i = 0; i < rgb_.size(); ++i) {
            rgb_[i] = widen(image_.samples[i], image_.bits);
        }
    } else {
        const auto source = profileOf(profile_);
        const auto srgb =
            color::Profile::openPath(color::standardProfilePath(color::StandardProfile::Srgb));
        const auto transform =
            source && srgb ? color::Transform::create(source, srgb, color::Intent::Perceptual)
                           : nullptr;
        std::vector<std::uint16_t> wide(image_.samples.size());
        std::transform(image_.samples.begin(), image_.samples.end(), wide.begin(),
                       [this](std::uint16_t v) { return widen(v, image_.bits); });
        if (transform == nullptr ||
            !transform->convert(wide.data(), {layoutOf(image_.channels), color::Depth::Sixteen},
                                rgb_.data(), {color::Layout::Rgb, color::Depth::Sixteen}, pixels)) {
            *error = "the image cannot be converted into sRGB";
            return false;
        }
    }
    if (image_.channels == 3 && !image_.iccProfile.empty()) {
        profileFile_ =
            cf::Folders::temporary() / ("stratoline-host-" + std::to_string(::getpid()) + ".icc");
        std::ofstream file(profileFile_, std::ios::binary);
        file.write(reinterpret_cast<const char*>(image_.iccProfile.data()),
                   static_cast<std::streamsize>(image_.iccProfile.size()));
        ownProfileFile_ = true;
        if (!file) {
            *error = "the image's profile cannot be written for the print core";
            return false;
        }
    } else {
        profileFile_ = color::standardProfilePath(color::StandardProfile::Srgb);
    }
    profileReference_ = cf::Value(profileFile_.string());
    return true;
}

// Image editor.

void HostShell::editorSamples(const std::uint16_t* samples, std::size_t count,
                              std::uint8_t* out) const {
    // The image editor's CMYK samples count from full ink down.
    const bool inverted = image_.channels == 4;
    if (image_.bits != 16) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = static_cast<std::uint8_t>(inverted ? kTop8 - samples[i] : samples[i]);
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t value = (samples[i] * kEditorTop16 + kTop16 / 2) / kTop16;
        if (inverted) {
            value = kEditorTop16 - value;
        }
        const auto editor = static_cast<std::uint16_t>(value);
        std::memcpy(out + 2 * i, &editor, 2);
    }
}

std::int32_t HostShell::advanceState(CommonInfoTable* table, std::int32_t state, void* reference) {
    HostShell& host = self(reference);
    double rect[4];  // the packed record's rectangle, read where its doubles are aligned
    std::memcpy(rect, table->print.rect, sizeof rect);
    if (state != kAdvanceToRequest || rect[0] < 0 || rect[1] < 0 || rect[2] <= 0 || rect[3] <= 0 ||
        rect[0] + rect[2] > host.image_.width || rect[1] + rect[3] > host.image_.height) {
        return kHostFailure;
    }
    const auto left = static_cast<std::uint32_t>(rect[0]);
    const auto top = static_cast<std::uint32_t>(rect[1]);
    const auto width = static_cast<std::uint32_t>(rect[2]);
    const auto height = static_cast<std::uint32_t>(rect[3]);
    const std::size_t bytes = host.image_.bits / 8;
    const std::size_t rowBytes =
        std::size_t{width} * static_cast<std::size_t>(host.image_.channels) * bytes;
    host.delivered_.resize(rowBytes * height);
    std::uint8_t* out = host.delivered_.data();
    // A row of the rectangle is one run of interleaved samples in the image.
    const std::size_t channels = static_cast<std::size_t>(host.image_.channels);
    const std::size_t rowSamples = std::size_t{width} * channels;
    for (std::uint32_t y = top; y < top + height; ++y) {
        const std::size_t first = (std::size_t{y} * host.image_.width + left) * channels;
        host.editorSamples(host.image_.samples.data() + first, rowSamples, out);
        out += rowBytes;
    }
    table->print.data = host.delivered_.data();
    table->print.rowBytes = static_cast<std::uint32_t>(rowBytes);
    host.deliveries_ += height;
    return 0;
}

std::int32_t HostShell::samples16To8(CommonInfoTable*, const void* source, void* destination,
                                     std::int32_t count, void*) {
    const auto* in = static_cast<const std::uint8_t*>(source);
    auto* out = static_cast<std::uint8_t*>(destination);
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint16_t value = 0;
        std::memcpy(&value, in + 2 * i, 2);
        out[i] = static_cast<std::uint8_t>(
            (std::min<std::uint32_t>(value, kEditorTop16) * kTop8 + kEditorTop16 / 2) /
            kEditorTop16);
    }
    return 0;
}

std::int32_t HostShell::samples8To16(CommonInfoTable*, const void* source, void* destination,
                                     std::int32_t count, void*) {
    const auto* in = static_cast<const std::uint8_t*>(source);
    auto* out = static_cast<std::uint8_t*>(destination);
    for (std::int32_t i = 0; i < count; ++i) {
        const auto value = static_cast<std::uint16_t>((in[i] * kEditorTop16 + kTop8 / 2) / kTop8);
        std::memcpy(out + 2 * i, &value, 2);
    }
    return 0;
}

// Photo application.

std::int32_t HostShell::imageCount(CommonInfoTable*, std::int32_t* count, void*) {
    *count = 1;
    return 0;
}

std::int32_t HostShell::describe(CommonInfoTable* table, std::int32_t index,
                                 HostImageDescription* description, void* reference) {
    const HostShell& host = self(reference);
    if (index != 0) {
        return kHostFailure;
    }
    *description = {static_cast<double>(host.image_.width), static_cast<double>(host.image_.height),
                    table->horizontalResolution, static_cast<std::int16_t>(host.image_.bits),
                    static_cast<std::int16_t>(host.image_.channels)};
    return 0;
}

std::int32_t HostShell::open(CommonInfoTable*, HostOpenImageRequest* request, void** image,
                             void* reference) {
    HostShell& host = self(reference);
    if (request->requestVersion != kRequestVersion || host.openImages_ != 0) {
        return kHostFailure;
    }
    host.bytesPerSample_ = request->sampleRequest == kRequest16Bit ? 2 : 1;
    request->width = static_cast<std::int32_t>(host.image_.width);
    request->height = static_cast<std::int32_t>(host.image_.height);
    request->bytesPerSample = host.bytesPerSample_;
    request->sharpness = static_cast<std::int32_t>(host.table_.files.moreSizes[5]);
    request->profileFile = &host.profileReference_;
    host.rectLeft_ = host.rectTop_ = 0;
    host.rectWidth_ = static_cast<std::int32_t>(host.image_.width);
    host.rectHeight_ = static_cast<std::int32_t>(host.image_.height);
    host.turned_ = false;
    ++host.openImages_;
    *image = &host;
    return 0;
}

std::int32_t HostShell::allocate(CommonInfoTable*, std::uint32_t size, void** buffer,
                                 void* reference) {
    HostShell& host = self(reference);
    *buffer = std::calloc(1, size);
    if (*buffer == nullptr) {
        return kHostFailure;
    }
    host.buffers_.push_back(*buffer);
    return 0;
}

std::int32_t HostShell::defineRect(CommonInfoTable*, void* image, std::int32_t left,
                                   std::int32_t top, std::int32_t width, std::int32_t height,
                                   void* reference) {
    HostShell& host = self(reference);
    if (image != &host || left < 0 || top < 0 || width <= 0 || height <= 0 ||
        std::int64_t{left} + width > host.image_.width ||
        std::int64_t{top} + height > host.image_.height) {
        return kHostFailure;
    }
    host.rectLeft_ = left;
    host.rectTop_ = top;
    host.rectWidth_ = width;
    host.rectHeight_ = height;
    return 0;
}

std::int32_t HostShell::turn(CommonInfoTable*, void* image, std::int32_t value, void* reference) {
    HostShell& host = self(reference);
    if (image != &host) {
        return kHostFailure;
    }
    host.turned_ = value == 1;
    return 0;
}

std::int32_t HostShell::freeBuffer(CommonInfoTable*, void* buffer, void* reference) {
    HostShell& host = self(reference);
    const auto found = std::find(host.buffers_.begin(), host.buffers_.end(), buffer);
    if (found == host.buffers_.end()) {
        return kHostFailure;
    }
    std::free(buffer);
    host.buffers_.erase(found);
    return 0;
}

std::int32_t HostShell::close(CommonInfoTable*, void* image, void* reference) {
    HostShell& host = self(reference);
    if (image != &host || host.openImages_ == 0) {
        return kHostFailure;
    }
    --host.openImages_;
    return 0;
}

std::int32_t HostShell::line(CommonInfoTable*, void* image, std::int32_t index, void* buffer,
                             std::int32_t* byteCount, void* reference) {
    HostShell& host = self(reference);
    const std::int32_t lines = host.turned_ ? host.rectWidth_ : host.rectHeight_;
    const std::int32_t pixels = host.turned_ ? host.rectHeight_ : host.rectWidth_;
    const std::int64_t bytes = std::int64_t{pixels} * kRgbChannels * host.bytesPerSample_;
    if (image != &host || host.openImages_ == 0 || index < 0 || index >= lines ||
        bytes > *byteCount) {
        return kHostFailure;
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    for (std::int32_t i = 0; i < pixels; ++i) {
        const std::int64_t x = host.rectLeft_ + (host.turned_ ? index : i);
        const std::int64_t y = host.rectTop_ + (host.turned_ ? i : index);
        const std::uint16_t* pixel = &host.rgb_[(static_cast<std::size_t>(y) * host.image_.width +
                                                 static_cast<std::size_t>(x)) *
                                                kRgbChannels];
        for (int c = 0; c < kRgbChannels; ++c) {
            if (host.bytesPerSample_ == 2) {
                std::memcpy(out, &pixel[c], 2);
                out += 2;
            } else {
                *out++ = static_cast<std::uint8_t>((pixel[c] * kTop8 + kTop16 / 2) / kTop16);
            }
        }
    }
    *byteCount = static_cast<std::int32_t>(bytes);
    ++host.deliveries_;
    return 0;
}

}  // namespace host
