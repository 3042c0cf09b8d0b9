#include "preview/preview_transforms.h"

#include <utility>

#include "color/color_sync.h"
#include "record/color_info.h"

namespace {

// A profile as the colour module's builders take it; null for no profile.
class ProfileArgument {
  public:
    explicit ProfileArgument(ProfileRef profile) : held_{std::move(profile)} {}
    const ColorSyncProfile* get() const { return held_.profile != nullptr ? &held_ : nullptr; }

  private:
    ColorSyncProfile held_;
};

ProfileRef outputProfile(const PreviewJob& job, OutputLookup lookup) {
    if (lookup == OutputLookup::ByPath) {
        return color::Profile::openPath(outputProfilePath(job.record));
    }
    PrevProfileSearch search;
    search.mode = PrevProfileSearch::kOutput;
    search.outputPath = outputProfilePath(job.record);
    searchInstalledPrinterProfile(search);
    return search.output;
}

std::int32_t buildColorModeOne(const PreviewJob& job, const ProfileArgument& source,
                               const ProfileArgument& display, PreviewTransforms& out) {
    const ProfileArgument output(outputProfile(job, OutputLookup::ByPath));
    if (output.get() == nullptr) {
        return kPrevFailure;
    }
    return Plg_NCWConcatColorWorld_Auto(&out.T1, &out.T2, source.get(), output.get(), display.get(),
                                        chosenIntent(job.record), out.engine);
}

std::int32_t buildChain(const PreviewJob& job, const ProfileArgument& source,
                        const ProfileArgument& display, OutputLookup lookup,
                        PreviewTransforms& out) {
    const ProfileArgument output(outputProfile(job, lookup));
    if (output.get() == nullptr) {
        return kPrevFailure;
    }
    PrevProfileSearch search;
    if (job.proofProfileAsked()) {
        search.mode = PrevProfileSearch::kProof;
        search.proofPath = proofProfilePath(job.record);
        searchInstalledPrinterProfile(search);
        if (search.proof == nullptr) {
            return kPrevFailure;
        }
        out.proofSpace = search.proofSpace;
    }
    const ProfileArgument proof(search.proof);
    const std::int32_t proofFlag = job.proofProfileAsked() ? kChainWithProof : kChainWithoutProof;
    const color::Intent intent = chosenIntent(job.record);
    const std::int32_t proofIntent = paperProofIntent(job.record);
    if (out.engine == kEnginePreferred) {
        return Plg_NCWConcatColorWorld_ADOBECMM(&out.T1, &out.T2, source.get(), proof.get(),
                                                output.get(), display.get(), intent, proofIntent,
                                                proofFlag);
    }
    return Plg_NCWConcatColorWorld_DEFAULTCMM(&out.T1, &out.T2, &out.T3, source.get(), proof.get(),
                                              output.get(), display.get(), intent, proofIntent,
                                              proofFlag);
}

}  // namespace

std::int32_t buildDisplayTransform(const ProfileRef& source, const ProfileRef& display,
                                   PreviewTransforms& out) {
    const ProfileArgument from(source);
    const ProfileArgument to(display);
    return Plg_TransformCreate(&out.T0, from.get(), to.get(), color::Intent::RelativeColorimetric,
                               kEngineDefault);
}

bool startsInSourceSpace(const PreviewJob& job) {
    return job.colorMode == kColorModeMonochromePhoto && isRgbImageMode(job.imageMode());
}

std::int32_t buildSourceSpaceStart(const PreviewJob& job, const ProfileRef& source,
                                   PreviewTransforms& out) {
    const ProfileArgument from(embeddedProfile(job));
    const ProfileArgument to(source);
    return Plg_TransformCreate(&out.T1, from.get(), to.get(), color::Intent::Perceptual,
                               previewEngine(job));
}

std::int32_t buildProofTransforms(const PreviewJob& job, const ProfileRef& source,
                                  const ProfileRef& displayProfile, OutputLookup lookup,
                                  PreviewTransforms& out) {
    out.engine = previewEngine(job);
    if (job.colorMode == kColorModeFixedRgb || job.colorMode == kColorModeMonochromePhoto) {
        return buildDisplayTransform(source, displayProfile, out);
    }
    const ProfileArgument from(source);
    const ProfileArgument display(displayProfile);
    if (job.colorMode == kColorModeColor) {
        return buildColorModeOne(job, from, display, out);
    }
    return buildChain(job, from, display, lookup, out);
}

DisplayChain displayChain(const PreviewJob& job, bool proofOn, const PreviewTransforms& t) {
    constexpr color::Layout kRgb = color::Layout::Rgb;
    const bool fixedProfile =
        job.colorMode == kColorModeFixedRgb || job.colorMode == kColorModeMonochromePhoto;
    if (!proofOn || fixedProfile) {
        return {{{{t.T0, kRgb}}}, 1};
    }
    const bool throughProofSpace =
        job.colorMode != kColorModeColor && t.engine != kEnginePreferred && job.proofProfileAsked();
    if (!throughProofSpace) {
        return {{{{t.T1, kRgb}, {t.T2, kRgb}}}, 2};
    }
    return {{{{t.T1, color::naturalLayout(t.proofSpace)}, {t.T2, kRgb}, {t.T3, kRgb}}}, 3};
}

ChainStep sourceSpaceStep(const PreviewTransforms& t) {
    return {t.T1, color::Layout::Rgb};
}

bool prepareForSharing(const PreviewJob& job, bool proofOn, const PreviewTransforms& t) {
    const ChainStep start = sourceSpaceStep(t);
    return prepareChain(displayChain(job, proofOn, t).span(), color::Layout::Rgb) &&
           (proofOn || !startsInSourceSpace(job) || prepareChain({&start, 1}, color::Layout::Rgb));
}
