// The transforms a preview matches with, made from the call's profiles through the colour
// module's builders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "preview/preview_chain.h"
#include "preview/preview_job.h"
#include "preview/preview_profiles.h"

/// Where the chain of colour modes other than 1 to 3 finds the output profile: opened from the
/// record's path, or only the installed RGB printer profile at that path.
enum class OutputLookup : std::uint8_t { ByPath, Installed };

/// T0 := source to the display, relative colorimetric, on the system engine. 0; the slot stays
/// empty when either profile is missing or the two cannot be linked.
std::int32_t buildDisplayTransform(const ProfileRef& source, const ProfileRef& display,
                                   PreviewTransforms& out);

/// Whether a preview without proof starts from the image's colours in the source profile's
/// space: the monochrome photo of an image that is RGB by its mode.
bool startsInSourceSpace(const PreviewJob& job);

/// T1 := the image's embedded profile to the source profile, perceptual, for that start. 0; the
/// slot stays empty without an embedded profile.
std::int32_t buildSourceSpaceStart(const PreviewJob& job, const ProfileRef& source,
                                   PreviewTransforms& out);

/// The transforms of a proof preview in the call's colour mode, and their engine and proof space:
/// - colour modes 2 and 3: T0 as `buildDisplayTransform` (the monochrome result is in the
///   source profile's space too, so it is matched for the display like colour mode 2);
/// - colour mode 1: T1 := source to the output profile (the chosen intent), T2 := output to the
///   display (relative colorimetric);
/// - other colour modes, with the proof profile when the record asks for it: on the preferred
///   engine T1 := source to output as printed on the proof device, T2 := output to display; on
///   the system engine T1 := source to proof, T2 := proof to output (absolute colorimetric when
///   the paper colour is simulated), T3 := output to display, or without proof T1 := source to
///   output, T2 := output to display.
/// 0; kPrevFailure when the output profile, or the proof profile asked for, cannot be found; the
/// builders' error. Slots of transforms the engine cannot make stay empty.
std::int32_t buildProofTransforms(const PreviewJob& job, const ProfileRef& source,
                                  const ProfileRef& display, OutputLookup lookup,
                                  PreviewTransforms& out);

/// The steps that match processed pixels for the display, in place: with proof, T0 in colour
/// modes 2 and 3; T1 then T2 in colour mode 1, on the preferred engine or without a proof
/// profile; T1 into the proof profile's space, T2 and T3 otherwise. Without proof, T0.
struct DisplayChain {
    std::array<ChainStep, 3> steps;
    std::size_t count;

    std::span<const ChainStep> span() const { return {steps.data(), count}; }
};
DisplayChain displayChain(const PreviewJob& job, bool proofOn, const PreviewTransforms& t);

/// The step that brings an RGB image into the source profile's space first (T1).
ChainStep sourceSpaceStep(const PreviewTransforms& t);

/// Makes the transforms ready for what the job's cells run through them, so that matching
/// afterwards only reads them and threads may share them. False when one cannot be made ready.
bool prepareForSharing(const PreviewJob& job, bool proofOn, const PreviewTransforms& t);
