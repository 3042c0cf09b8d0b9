// One preview call: what it reads of the job record and the host's record, the colour mode it runs
// in, and the transforms it matches with.
//
// The record is never written: a call that runs in another colour mode than the record's keeps
// that mode here. Failures inside the preview are `kPrevFailure` or the codes of the colour module
// (309) and of the colour framework.
#pragma once

#include <cstddef>
#include <cstdint>

#include "color/profile.h"
#include "color/transform.h"
#include "preview/image_modes.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/preview_color.h"
#include "rastercore/result_codes.h"

/// The preview's failure: the caller shows the image without colour management.
inline constexpr std::int32_t kPrevFailure =
    static_cast<std::int32_t>(rastercore::kPlgColorManagement);

/// Preview proof values of the record.
inline constexpr std::int32_t kPreviewProofOff = 0;
inline constexpr std::int32_t kPreviewProofOn = 1;
/// The proof flag of the colour module's chain builders.
inline constexpr std::int32_t kChainWithProof = 1;
inline constexpr std::int32_t kChainWithoutProof = 0;

struct PreviewJob {
    const CoreCommonInfoTbl& record;
    const CommonInfoTable& host;
    std::int32_t colorMode;  ///< the colour mode this call runs in

    std::int32_t imageMode() const { return host.imageMode; }
    bool pattern() const { return record.patternPrint != 0; }
    bool proofProfileAsked() const;  ///< the record's proof flag is 1
};

/// The intent of the record's matching method: 2 saturation, 3 relative colorimetric,
/// 4 absolute colorimetric, any other perceptual.
color::Intent chosenIntent(const CoreCommonInfoTbl& record);

/// The colour engine of the job's colour mode: in modes 1 to 3 the preferred engine when it is
/// installed, else the system's (1); in other modes the record's choice.
std::int32_t previewEngine(const PreviewJob& job);

/// The proof intent code of the colour module's chain builders: 1 (absolute colorimetric)
/// when the record simulates the paper colour, else 0 (relative).
std::int32_t paperProofIntent(const CoreCommonInfoTbl& record);

/// Whether the data record can be worked on: both buffers given and a destination that holds
/// width x height RGB pixels.
bool usableData(const ColorDataRec& data);

/// Width x height.
std::size_t pixelsOf(const ColorDataRec& data);

/// The transforms of one call: owned when the call made them, borrowed from the caller's pattern
/// table otherwise.
struct PreviewTransforms {
    PreviewTransforms() = default;
    ~PreviewTransforms();
    PreviewTransforms(const PreviewTransforms&) = delete;
    PreviewTransforms& operator=(const PreviewTransforms&) = delete;

    /// Takes the transforms, engine and colour space of an opened pattern table, which keeps
    /// them.
    void borrow(const PtnProfileInfoTbl& table);

    color::Transform* T0 = nullptr;
    color::Transform* T1 = nullptr;
    color::Transform* T2 = nullptr;
    color::Transform* T3 = nullptr;
    std::int32_t engine = 1;
    color::Signature proofSpace = 0;  ///< the proof profile's space, 0 without one
    bool owned = true;
};
