// The preview's colour management: the pre-conversion of the host's pixels into RGB, and the
// colour processing and display matching with the print simulated (proof on) or not (proof off).
//
// The inner steps answer 0, kPrevFailure, 309 from the colour module or the colour framework's
// error; the two entry functions report every failure as kPrevFailure, except for a test-pattern
// record (pattern flag set), which gets the inner code.
#pragma once

#include <cstdint>

#include "preview/preview_job.h"

/// Converts the host's preview pixels into RGB: RGB images are copied; others go from the
/// embedded profile into the RGB profile of the colour mode (grey into sRGB, CMYK into Adobe RGB
/// (1998) without proof), or through the output and proof printer profiles for an ICC preview
/// with proof. No embedded profile, or a test-pattern record: nothing is done, 0.
std::int32_t PreviewProof_pre(const PreviewJob& job, const ColorDataRec& data);

/// Colour processing and display matching without proof.
std::int32_t PreviewProof_OFF(const PreviewJob& job, const ColorDataRec& data,
                              const PtnProfileInfoTbl* profiles);

/// Colour processing and display matching through the print's profiles, in the job's colour
/// mode (`Prev_ColorManagement` runs grey and CMYK images in colour mode 2 unless the record's
/// colour mode is 1 or 2).
std::int32_t PreviewProof_ON(const PreviewJob& job, const ColorDataRec& data,
                             const PtnProfileInfoTbl* profiles);

/// `RasterCore_Prev_PreColorManagement`.
std::int32_t Prev_PreColorManagement(const CoreCommonInfoTbl* record, const ColorDataRec* data);

/// `RasterCore_Prev_ColorManagement`.
std::int32_t Prev_ColorManagement(const CoreCommonInfoTbl* record, const ColorDataRec* data,
                                  const PtnProfileInfoTbl* profiles);
