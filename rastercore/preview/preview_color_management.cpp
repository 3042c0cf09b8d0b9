// Colour processing and display matching of preview pixels, and the two entry functions.
#include "preview/preview_color_management.h"

#include "color/display_profile.h"
#include "preview/preview_color_process.h"
#include "preview/preview_profiles.h"
#include "preview/preview_transforms.h"
#include "record/color_info.h"

namespace {

// In-place matching reads the destination's 3-byte RGB pixels: only an RGB source profile fits.
bool fitsRgbPixels(const ProfileRef& source) {
    return GetProfileColorSpace(source.get()) == color::kSpaceRgb;
}

// The monochrome photo of an RGB image starts from the image's colours in the source profile's
// space: converted into the destination, which the processing then works on in place. The
// caller's source stays as it is.
std::int32_t startInSourceSpace(const PreviewTransforms& t, const ColorDataRec& data,
                                ColorDataRec& work) {
    const ChainStep step = sourceSpaceStep(t);
    if (matchChain({&step, 1}, data.source, color::Layout::Rgb, data.destination, pixelsOf(data)) !=
        0) {
        return kPrevFailure;
    }
    work.source = data.destination;
    return 0;
}

std::int32_t matchForDisplay(const PreviewJob& job, bool proofOn, const PreviewTransforms& t,
                             const ColorDataRec& data) {
    return matchChain(displayChain(job, proofOn, t).span(), data.destination, color::Layout::Rgb,
                      data.destination, pixelsOf(data));
}

// The colour mode proof-on previews run in: grey and CMYK images in colour mode 2, unless the
// colour mode is 1 or 2.
std::int32_t proofOnMode(const CoreCommonInfoTbl& record, const CommonInfoTable& host) {
    const bool keep = record.colorMode == kColorModeColor || record.colorMode == kColorModeFixedRgb;
    return isChangeRGB(host.imageMode) && !keep ? kColorModeFixedRgb : record.colorMode;
}

std::int32_t reported(const CoreCommonInfoTbl& record, std::int32_t result) {
    return result == 0 || record.patternPrint != 0 ? result : kPrevFailure;
}

}  // namespace

std::int32_t PreviewProof_OFF(const PreviewJob& job, const ColorDataRec& data,
                              const PtnProfileInfoTbl* profiles) {
    PreviewTransforms t;
    if (job.pattern()) {
        t.borrow(*profiles);
    } else {
        const ProfileRef source = CreatePrevSrcProfile(job);
        if (!fitsRgbPixels(source)) {
            return kPrevFailure;
        }
        const ProfileRef display = color::openMainDisplayProfile();
        if (display == nullptr) {
            return 0;
        }
        std::int32_t result = buildDisplayTransform(source, display, t);
        if (result == 0 && startsInSourceSpace(job)) {
            result = buildSourceSpaceStart(job, source, t);
        }
        if (result != 0) {
            return kPrevFailure;
        }
    }
    ColorDataRec work = data;
    if (startsInSourceSpace(job)) {
        if (const std::int32_t result = startInSourceSpace(t, data, work); result != 0) {
            return result;
        }
    }
    if (const std::int32_t result = previewColorProcess(job, work); result != 0) {
        return result;
    }
    return matchForDisplay(job, false, t, data);
}

std::int32_t PreviewProof_ON(const PreviewJob& job, const ColorDataRec& data,
                             const PtnProfileInfoTbl* profiles) {
    PreviewTransforms t;
    if (job.pattern()) {
        t.borrow(*profiles);
    } else {
        const ProfileRef source = CreatePrevSrcProfile(job);
        if (!fitsRgbPixels(source)) {
            return kPrevFailure;
        }
        const std::int32_t result = buildProofTransforms(
            job, source, color::openMainDisplayProfile(), OutputLookup::ByPath, t);
        if (result != 0) {
            return result;
        }
    }
    if (const std::int32_t result = previewColorProcess(job, data); result != 0) {
        return result;
    }
    return matchForDisplay(job, true, t, data);
}

std::int32_t Prev_PreColorManagement(const CoreCommonInfoTbl* record, const ColorDataRec* data) {
    if (record == nullptr || record->commonInfo == nullptr || data == nullptr ||
        !usableData(*data)) {
        return kPrevFailure;
    }
    const PreviewJob job{*record, *record->commonInfo, record->colorMode};
    return reported(*record, PreviewProof_pre(job, *data));
}

std::int32_t Prev_ColorManagement(const CoreCommonInfoTbl* record, const ColorDataRec* data,
                                  const PtnProfileInfoTbl* profiles) {
    if (record == nullptr || record->commonInfo == nullptr || data == nullptr) {
        return kPrevFailure;
    }
    const bool proofOn = record->previewProof == kPreviewProofOn;
    if (!proofOn && record->previewProof != kPreviewProofOff) {
        return 0;
    }
    if (!usableData(*data) || (record->patternPrint != 0 && profiles == nullptr)) {
        return kPrevFailure;
    }
    const CommonInfoTable& host = *record->commonInfo;
    if (proofOn) {
        const PreviewJob job{*record, host, proofOnMode(*record, host)};
        return reported(*record, PreviewProof_ON(job, *data, profiles));
    }
    const PreviewJob job{*record, host, record->colorMode};
    return reported(*record, PreviewProof_OFF(job, *data, profiles));
}
