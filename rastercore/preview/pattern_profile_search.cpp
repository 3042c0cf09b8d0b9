#include "preview/pattern_profile_search.h"

#include "color/color_sync.h"
#include "color/display_profile.h"
#include "preview/preview_profiles.h"
#include "preview/preview_transforms.h"
#include "record/color_info.h"

namespace {

// The colour mode the search runs in with proof: images that are not RGB by their own mode run
// in colour mode 2, unless the colour mode is 1 or 2.
std::int32_t searchMode(const CoreCommonInfoTbl& record, const CommonInfoTable& host) {
    const bool keep = record.colorMode == kColorModeColor || record.colorMode == kColorModeFixedRgb;
    const bool proofOn = record.previewProof == kPreviewProofOn;
    return proofOn && !isRgbImageMode(host.imageMode) && !keep ? kColorModeFixedRgb
                                                               : record.colorMode;
}

std::int32_t makeTransforms(const PreviewJob& job, PreviewTransforms& made,
                            color::Signature& colorSpace) {
    colorSpace = color::kSpaceRgb;
    const ProfileRef source = CreatePrevSrcProfile(job);
    if (source == nullptr) {
        return kPrevFailure;
    }
    const bool proofOn = job.record.previewProof == kPreviewProofOn;
    if (!proofOn && GetProfileColorSpace(source.get()) == color::kSpaceCmyk) {
        colorSpace = color::kSpaceCmyk;
    }
    // The cells match their 3-byte RGB pixels in place.
    if (GetProfileColorSpace(source.get()) != color::kSpaceRgb) {
        return kPrevFailure;
    }
    const ProfileRef display = color::openMainDisplayProfile();
    if (!proofOn) {
        const std::int32_t result = buildDisplayTransform(source, display, made);
        return result != 0 || !startsInSourceSpace(job) ? result
                                                        : buildSourceSpaceStart(job, source, made);
    }
    const std::int32_t result =
        buildProofTransforms(job, source, display, OutputLookup::Installed, made);
    colorSpace = made.proofSpace;
    return result;
}

}  // namespace

std::int32_t PatternProfileSearch_Open(const CoreCommonInfoTbl* record,
                                       PtnProfileInfoTbl* profiles) {
    if (record == nullptr || record->commonInfo == nullptr || profiles == nullptr) {
        return kPrevFailure;
    }
    const CommonInfoTable& host = *record->commonInfo;
    profiles->engine = previewEngine(PreviewJob{*record, host, record->colorMode});
    const PreviewJob job{*record, host, searchMode(*record, host)};
    PreviewTransforms made;
    color::Signature colorSpace = 0;
    std::int32_t result = makeTransforms(job, made, colorSpace);
    if (!prepareForSharing(job, record->previewProof == kPreviewProofOn, made)) {
        result = kPrevFailure;
    }
    // What was made goes to the table, also after a failure: Close releases it.
    profiles->sourceProfile = nullptr;
    profiles->displayProfile = nullptr;
    profiles->T0 = made.T0;
    profiles->T1 = made.T1;
    profiles->T2 = made.T2;
    profiles->T3 = made.T3;
    profiles->colorSpace = colorSpace;
    made.owned = false;
    return result == 0 ? 0 : kPrevFailure;
}

std::int32_t PatternProfileSearch_Close(PtnProfileInfoTbl* profiles) {
    if (profiles == nullptr) {
        return 0;
    }
    for (color::Transform* transform : {profiles->T0, profiles->T1, profiles->T2, profiles->T3}) {
        releaseTransform(&transform);
    }
    profiles->T0 = nullptr;
    profiles->T1 = nullptr;
    profiles->T2 = nullptr;
    profiles->T3 = nullptr;
    return 0;
}
