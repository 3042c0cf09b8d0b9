#include "preview/preview_job.h"

#include "color/color_sync.h"
#include "record/color_info.h"

namespace {

constexpr std::int32_t kProofFlagOn = 1;
constexpr std::int32_t kPaperSimulationOn = 1;
constexpr std::int32_t kProofIntentAbsolute = 1;
constexpr std::int32_t kProofIntentRelative = 0;
constexpr std::size_t kRgbBytes = 3;

}  // namespace

bool PreviewJob::proofProfileAsked() const {
    return record.proof == kProofFlagOn;
}

color::Intent chosenIntent(const CoreCommonInfoTbl& record) {
    switch (record.matchingMethod) {
        case 2:
            return color::Intent::Saturation;
        case 3:
            return color::Intent::RelativeColorimetric;
        case 4:
            return color::Intent::AbsoluteColorimetric;
        default:
            return color::Intent::Perceptual;
    }
}

std::int32_t previewEngine(const PreviewJob& job) {
    if (job.colorMode >= kColorModeColor && job.colorMode <= kColorModeMonochromePhoto) {
        return rastercore::isAdobeCMMInstalled() ? kEnginePreferred : kEngineDefault;
    }
    return job.record.conversionEngine;
}

std::int32_t paperProofIntent(const CoreCommonInfoTbl& record) {
    return record.simulatePaperColor == kPaperSimulationOn ? kProofIntentAbsolute
                                                           : kProofIntentRelative;
}

bool usableData(const ColorDataRec& data) {
    return data.source != nullptr && data.destination != nullptr &&
           data.destinationSize / kRgbBytes >= pixelsOf(data);
}

std::size_t pixelsOf(const ColorDataRec& data) {
    return std::size_t{data.width} * data.height;
}

PreviewTransforms::~PreviewTransforms() {
    if (owned) {
        releaseTransform(&T0);
        releaseTransform(&T1);
        releaseTransform(&T2);
        releaseTransform(&T3);
    }
}

void PreviewTransforms::borrow(const PtnProfileInfoTbl& table) {
    T0 = table.T0;
    T1 = table.T1;
    T2 = table.T2;
    T3 = table.T3;
    engine = table.engine;
    proofSpace = table.colorSpace;
    owned = false;
}
