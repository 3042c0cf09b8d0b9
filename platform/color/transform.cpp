// Transforms on lcms2: one engine transform per pair of row layouts, made when first needed.
#include "color/transform.h"

#include <lcms2.h>

#include <bit>
#include <type_traits>

#include "color/lattice.h"

namespace color {
namespace {

// 16-bit samples are little-endian whatever the machine's order.
constexpr cmsUInt32Number kLittleEndian16 =
    std::endian::native == std::endian::big ? ENDIAN16_SH(1) : 0;

cmsUInt32Number engineFormat(Layout layout, Depth depth) {
    const cmsUInt32Number bytes = depth == Depth::Eight ? 1 : 2;
    const cmsUInt32Number order = depth == Depth::Sixteen ? kLittleEndian16 : 0;
    switch (layout) {
        case Layout::Grey:
            return COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | BYTES_SH(bytes) | order;
        case Layout::Rgb:
            return COLORSPACE_SH(PT_RGB) | CHANNELS_SH(3) | BYTES_SH(bytes) | order;
        case Layout::Cmyk:
            return COLORSPACE_SH(PT_CMYK) | CHANNELS_SH(4) | BYTES_SH(bytes) | order;
        case Layout::AlphaRgb:
            return COLORSPACE_SH(PT_RGB) | EXTRA_SH(1) | CHANNELS_SH(3) | BYTES_SH(bytes) |
                   SWAPFIRST_SH(1) | order;
    }
    return 0;
}

cmsUInt32Number engineIntent(Intent intent) {
    switch (intent) {
        case Intent::Perceptual:
            return INTENT_PERCEPTUAL;
        case Intent::RelativeColorimetric:
            return INTENT_RELATIVE_COLORIMETRIC;
        case Intent::Saturation:
            return INTENT_SATURATION;
        case Intent::AbsoluteColorimetric:
            return INTENT_ABSOLUTE_COLORIMETRIC;
    }
    return INTENT_PERCEPTUAL;
}

// Every conversion goes through one sampled table with the whole chain folded in (the engine's
// shortcut for 8-bit matrix profiles loses up to two steps near black). White is left as the
// profiles make it. Up to three inputs the table is sampled finely enough to stay within one
// 8-bit step of the exact chain; four-input tables would grow too large at that density.
constexpr cmsUInt32Number kPrecision =
    cmsFLAGS_FORCE_CLUT | cmsFLAGS_HIGHRESPRECALC | cmsFLAGS_NOWHITEONWHITEFIXUP;
constexpr std::size_t kFineGridMostInputs = 3;
constexpr cmsUInt32Number kFineGridPoints = 65;

// The lattice reads 16-bit rows as 16-bit numbers; rows at odd addresses go to the engine.
bool samplesAligned(const void* row) {
    return reinterpret_cast<std::uintptr_t>(row) % alignof(std::uint16_t) == 0;
}

bool hasAlpha(Layout layout) {
    return layout == Layout::AlphaRgb;
}

std::size_t slotOf(RowForm source, RowForm destination) {
    const std::size_t layouts = static_cast<std::size_t>(source.layout) * kLayoutCount +
                                static_cast<std::size_t>(destination.layout);
    const std::size_t depths = static_cast<std::size_t>(source.depth) * kDepthCount +
                               static_cast<std::size_t>(destination.depth);
    return layouts * kDepthCount * kDepthCount + depths;
}

bool isRgb(RowForm form) {
    return form.layout == Layout::Rgb;
}

// The lattice reads 16-bit rows as 16-bit numbers; rows at odd addresses or strides go to the
// engine.
bool latticeCanRead(const void* row, RowForm form, std::size_t stride) {
    return form.depth == Depth::Eight || (samplesAligned(row) && stride % 2 == 0);
}

}  // namespace

std::size_t samplesPerPixel(Layout layout) {
    switch (layout) {
        case Layout::Grey:
            return 1;
        case Layout::Rgb:
            return 3;
        case Layout::Cmyk:
        case Layout::AlphaRgb:
            return 4;
    }
    return 0;
}

std::size_t bytesPerPixel(Layout layout, Depth depth) {
    return samplesPerPixel(layout) * (depth == Depth::Eight ? 1 : 2);
}

Layout naturalLayout(Signature colorSpace) {
    if (colorSpace == kSpaceGrey) {
        return Layout::Grey;
    }
    return colorSpace == kSpaceCmyk ? Layout::Cmyk : Layout::Rgb;
}

Transform::Transform(std::shared_ptr<const Profile> source, std::shared_ptr<const Profile> proof,
                     std::shared_ptr<const Profile> destination, Intent intent, Intent proofIntent)
    : source_(std::move(source)),
      proof_(std::move(proof)),
      destination_(std::move(destination)),
      intent_(intent),
      proofIntent_(proofIntent) {}

Transform::~Transform() {
    for (void* engine : engine_) {
        if (engine != nullptr) {
            cmsDeleteTransform(engine);
        }
    }
}

std::unique_ptr<Transform> Transform::create(std::shared_ptr<const Profile> source,
                                             std::shared_ptr<const Profile> destination,
                                             Intent intent) {
    return createProofing(std::move(source), nullptr, std::move(destination), intent, intent);
}

std::unique_ptr<Transform> Transform::createProofing(std::shared_ptr<const Profile> source,
                                                     std::shared_ptr<const Profile> proof,
                                                     std::shared_ptr<const Profile> destination,
                                                     Intent intent, Intent proofIntent) {
    if (source == nullptr || destination == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Transform> transform(new Transform(
        std::move(source), std::move(proof), std::move(destination), intent, proofIntent));
    // Linking the profiles in their own layouts shows at once whether the engine can join them.
    // The 16-bit transform is the one an RGB lattice is sampled from.
    const Layout from = naturalLayout(transform->source_->colorSpace());
    const Layout to = naturalLayout(transform->destination_->colorSpace());
    if (transform->engineTransform({from, Depth::Sixteen}, {to, Depth::Sixteen}) == nullptr) {
        return nullptr;
    }
    return transform;
}

void* Transform::engineTransform(RowForm source, RowForm destination) {
    const std::size_t slot = slotOf(source, destination);
    if (engine_[slot] != nullptr || refused_[slot]) {
        return engine_[slot];
    }
    const cmsUInt32Number input = engineFormat(source.layout, source.depth);
    const cmsUInt32Number output = engineFormat(destination.layout, destination.depth);
    cmsUInt32Number flags = kPrecision;
    if (samplesPerPixel(source.layout) <= kFineGridMostInputs) {
        flags |= cmsFLAGS_GRIDPOINTS(kFineGridPoints);
    }
    if (hasAlpha(source.layout) && hasAlpha(destination.layout)) {
        flags |= cmsFLAGS_COPY_ALPHA;
    }
    if (proof_ == nullptr) {
        engine_[slot] = cmsCreateTransform(source_->handle(), input, destination_->handle(), output,
                                           engineIntent(intent_), flags);
    } else {
        engine_[slot] = cmsCreateProofingTransform(
            source_->handle(), input, destination_->handle(), output, proof_->handle(),
            engineIntent(intent_), engineIntent(proofIntent_), flags | cmsFLAGS_SOFTPROOFING);
    }
    refused_[slot] = engine_[slot] == nullptr;
    return engine_[slot];
}

bool Transform::sampleLattice(std::span<std::uint16_t> words) {
    void* engine = engineTransform({Layout::Rgb, Depth::Sixteen}, {Layout::Rgb, Depth::Sixteen});
    return engine != nullptr &&
           color::sampleLattice(
               words, [engine](const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
                   cmsDoTransform(engine, in, out, static_cast<cmsUInt32Number>(pixels));
                   return true;
               });
}

const std::uint16_t* Transform::lattice() {
    if (lattice_.empty()) {
        std::vector<std::uint16_t> words(kLatticeWords);
        if (!sampleLattice(words)) {
            return nullptr;
        }
        lattice_ = std::move(words);
    }
    return lattice_.data();
}

void Transform::releaseRgbLattice() {
    std::vector<std::uint16_t>().swap(lattice_);
    const std::size_t slot = slotOf({Layout::Rgb, Depth::Sixteen}, {Layout::Rgb, Depth::Sixteen});
    if (engine_[slot] != nullptr) {
        cmsDeleteTransform(engine_[slot]);
        engine_[slot] = nullptr;
    }
}

bool Transform::prepare(RowForm source, RowForm destination) {
    if (isRgb(source) && isRgb(destination)) {
        return lattice() != nullptr;
    }
    return engineTransform(source, destination) != nullptr;
}

bool Transform::convert(const void* source, RowForm sourceForm, void* destination,
                        RowForm destinationForm, std::size_t pixels, std::size_t rows,
                        std::size_t sourceStride, std::size_t destinationStride) {
    if (source == nullptr || destination == nullptr) {
        return false;
    }
    if (isRgb(sourceForm) && isRgb(destinationForm) &&
        latticeCanRead(source, sourceForm, sourceStride) &&
        latticeCanRead(destination, destinationForm, destinationStride)) {
        return convertThroughLattice(source, sourceForm.depth, destination, destinationForm.depth,
                                     pixels, rows, sourceStride, destinationStride);
    }
    void* engine = engineTransform(sourceForm, destinationForm);
    if (engine == nullptr) {
        return false;
    }
    if (pixels == 0 || rows == 0) {
        return true;
    }
    if (sourceStride == 0) {
        sourceStride = pixels * bytesPerPixel(sourceForm.layout, sourceForm.depth);
    }
    if (destinationStride == 0) {
        destinationStride = pixels * bytesPerPixel(destinationForm.layout, destinationForm.depth);
    }
    cmsDoTransformLineStride(engine, source, destination, static_cast<cmsUInt32Number>(pixels),
                             static_cast<cmsUInt32Number>(rows),
                             static_cast<cmsUInt32Number>(sourceStride),
                             static_cast<cmsUInt32Number>(destinationStride), 0, 0);
    return true;
}

bool Transform::convertThroughLattice(const void* source, Depth sourceDepth, void* destination,
                                      Depth destinationDepth, std::size_t pixels, std::size_t rows,
                                      std::size_t sourceStride, std::size_t destinationStride) {
    const std::uint16_t* words = lattice();
    if (words == nullptr) {
        return false;
    }
    const auto* in = static_cast<const std::uint8_t*>(source);
    auto* out = static_cast<std::uint8_t*>(destination);
    const auto wide = [](auto* row) {
        using Byte = std::remove_pointer_t<decltype(row)>;
        using Word = std::conditional_t<std::is_const_v<Byte>, const std::uint16_t, std::uint16_t>;
        return reinterpret_cast<Word*>(row);
    };
    for (std::size_t row = 0; row < rows; ++row) {
        if (sourceDepth == Depth::Eight && destinationDepth == Depth::Eight) {
            applyLattice(words, in, out, pixels);
        } else if (sourceDepth == Depth::Eight) {
            applyLattice(words, in, wide(out), pixels);
        } else if (destinationDepth == Depth::Eight) {
            applyLattice(words, wide(in), out, pixels);
        } else {
            applyLattice(words, wide(in), wide(out), pixels);
        }
        in += sourceStride != 0 ? sourceStride : pixels * bytesPerPixel(Layout::Rgb, sourceDepth);
        out += destinationStride != 0 ? destinationStride
                                      : pixels * bytesPerPixel(Layout::Rgb, destinationDepth);
    }
    return true;
}

}  // namespace color
