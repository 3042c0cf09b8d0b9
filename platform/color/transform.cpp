// Transforms on lcms2: one engine transform per pair of row layouts, made when first needed.
#include "color/transform.h"

#include <lcms2.h>

#include <bit>

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

bool hasAlpha(Layout layout) {
    return layout == Layout::AlphaRgb;
}

std::size_t slotOf(Layout sourceLayout, Layout destinationLayout, Depth depth) {
    return (static_cast<std::size_t>(sourceLayout) * kLayoutCount +
            static_cast<std::size_t>(destinationLayout)) *
               kDepthCount +
           static_cast<std::size_t>(depth);
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
    const Layout from = naturalLayout(transform->source_->colorSpace());
    const Layout to = naturalLayout(transform->destination_->colorSpace());
    if (transform->engineTransform(from, to, Depth::Eight) == nullptr) {
        return nullptr;
    }
    return transform;
}

void* Transform::engineTransform(Layout sourceLayout, Layout destinationLayout, Depth depth) {
    const std::size_t slot = slotOf(sourceLayout, destinationLayout, depth);
    if (engine_[slot] != nullptr || refused_[slot]) {
        return engine_[slot];
    }
    const cmsUInt32Number input = engineFormat(sourceLayout, depth);
    const cmsUInt32Number output = engineFormat(destinationLayout, depth);
    cmsUInt32Number flags = kPrecision;
    if (samplesPerPixel(sourceLayout) <= kFineGridMostInputs) {
        flags |= cmsFLAGS_GRIDPOINTS(kFineGridPoints);
    }
    if (hasAlpha(sourceLayout) && hasAlpha(destinationLayout)) {
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

bool Transform::convert(const void* source, Layout sourceLayout, void* destination,
                        Layout destinationLayout, Depth depth, std::size_t pixels, std::size_t rows,
                        std::size_t sourceStride, std::size_t destinationStride) {
    if (source == nullptr || destination == nullptr) {
        return false;
    }
    void* engine = engineTransform(sourceLayout, destinationLayout, depth);
    if (engine == nullptr) {
        return false;
    }
    if (pixels == 0 || rows == 0) {
        return true;
    }
    if (sourceStride == 0) {
        sourceStride = pixels * bytesPerPixel(sourceLayout, depth);
    }
    if (destinationStride == 0) {
        destinationStride = pixels * bytesPerPixel(destinationLayout, depth);
    }
    cmsDoTransformLineStride(engine, source, destination, static_cast<cmsUInt32Number>(pixels),
                             static_cast<cmsUInt32Number>(rows),
                             static_cast<cmsUInt32Number>(sourceStride),
                             static_cast<cmsUInt32Number>(destinationStride), 0, 0);
    return true;
}

}  // namespace color
