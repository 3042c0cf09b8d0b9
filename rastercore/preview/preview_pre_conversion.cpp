// The pre-conversion of the host's preview pixels into RGB.
#include <cstring>
#include <memory>
#include <optional>

#include "color/color_sync.h"
#include "color/matching_profiles.h"
#include "preview/preview_chain.h"
#include "preview/preview_color_management.h"
#include "preview/preview_profiles.h"
#include "record/color_info.h"

namespace {

constexpr std::size_t kRgbBytes = 3;

using TransformHolder = std::unique_ptr<color::Transform>;

// The conversion mode: the colour mode with proof, else 2; monochrome always stays monochrome.
std::int32_t conversionMode(const CoreCommonInfoTbl& record) {
    if (record.colorMode == kColorModeMonochromePhoto) {
        return kColorModeMonochromePhoto;
    }
    return record.previewProof == kPreviewProofOn ? record.colorMode : kColorModeFixedRgb;
}

// The RGB profile the image goes into in colour modes 1 to 3 (null when it cannot be opened);
// nothing when colour mode 2 leaves the image as it is.
std::optional<ProfileRef> targetProfile(const PreviewJob& job, color::Layout image) {
    if (job.colorMode != kColorModeFixedRgb) {
        return CreatePrevSrcProfile(job);
    }
    switch (image) {
        case color::Layout::Grey:
            return installedSrgbProfile();
        case color::Layout::Cmyk:
            return openFixedProfile(kRecommendedAdobeRgbPath);
        default:
            return std::nullopt;
    }
}

// One transform from the embedded profile into the RGB profile of colour modes 1 to 3.
std::int32_t convertIntoRgb(const PreviewJob& job, const ProfileRef& embedded,
                            const ColorDataRec& data) {
    const color::Layout image = imageLayoutOf(job.imageMode());
    const std::optional<ProfileRef> target = targetProfile(job, image);
    if (!target) {
        return 0;
    }
    if (*target == nullptr) {
        return kPrevFailure;
    }
    const color::Intent intent = job.colorMode == kColorModeColor
                                     ? chosenIntent(job.record)
                                     : color::Intent::RelativeColorimetric;
    const ColorSyncProfile from{embedded};
    const ColorSyncProfile to{*target};
    color::Transform* made = nullptr;
    const std::int32_t result = Plg_TransformCreate(&made, &from, &to, intent, previewEngine(job));
    const TransformHolder transform(made);
    if (result != 0) {
        return result;
    }
    const ChainStep step = {transform.get(), color::Layout::Rgb};
    return matchChain({&step, 1}, data.source, image, data.destination, pixelsOf(data));
}

// The ICC preview with proof: the embedded profile into the installed output printer profile,
// through the proof printer profile when the record asks for one.
std::int32_t convertThroughPrint(const PreviewJob& job, const ProfileRef& embedded,
                                 const ColorDataRec& data) {
    PrevProfileSearch search;
    search.outputPath = outputProfilePath(job.record);
    searchInstalledPrinterProfile(search);
    if (search.output == nullptr) {
        return kPrevFailure;
    }
    const bool proof = job.proofProfileAsked();
    if (proof) {
        search.mode = PrevProfileSearch::kProof;
        search.proofPath = proofProfilePath(job.record);
        searchInstalledPrinterProfile(search);
        if (search.proof == nullptr) {
            return kPrevFailure;
        }
    }
    const ColorSyncProfile source{embedded};
    const ColorSyncProfile proofProfile{search.proof};
    const ColorSyncProfile output{search.output};
    const std::int32_t engine = job.record.conversionEngine;
    const std::int32_t proofFlag = proof ? kChainWithProof : kChainWithoutProof;
    color::Transform* made[3] = {};
    const std::int32_t result =
        engine == kEnginePreferred
            ? Plg_NCWConcatColorWorld_ADOBECMM(&made[0], &made[1], &source, &proofProfile, &output,
                                               nullptr, chosenIntent(job.record),
                                               paperProofIntent(job.record), proofFlag)
            : Plg_NCWConcatColorWorld_DEFAULTCMM(
                  &made[0], &made[1], &made[2], &source, &proofProfile, &output, nullptr,
                  chosenIntent(job.record), paperProofIntent(job.record), proofFlag);
    const TransformHolder first(made[0]), second(made[1]), third(made[2]);
    if (result != 0) {
        return result;
    }
    const color::Layout image = imageLayoutOf(job.imageMode());
    if (!proof || engine == kEnginePreferred) {
        const ChainStep step = {first.get(), color::Layout::Rgb};
        return matchChain({&step, 1}, data.source, image, data.destination, pixelsOf(data));
    }
    // Through the proof profile's space.
    const ChainStep steps[] = {{first.get(), color::naturalLayout(search.proofSpace)},
                               {second.get(), color::Layout::Rgb}};
    return matchChain(steps, data.source, image, data.destination, pixelsOf(data));
}

}  // namespace

std::int32_t PreviewProof_pre(const PreviewJob& job, const ColorDataRec& data) {
    if (isRgbImageMode(job.imageMode())) {
        std::memcpy(data.destination, data.source, pixelsOf(data) * kRgbBytes);
        return 0;
    }
    const ProfileRef embedded = embeddedProfile(job);
    if (embedded == nullptr || job.pattern()) {
        return 0;
    }
    const PreviewJob conversion{job.record, job.host, conversionMode(job.record)};
    if (conversion.colorMode >= kColorModeColor &&
        conversion.colorMode <= kColorModeMonochromePhoto) {
        return convertIntoRgb(conversion, embedded, data);
    }
    return convertThroughPrint(conversion, embedded, data);
}
