// The packet record's life: every attribute value derived before the first packet, and the
// record released at the end of the job.
#include "qdxa/attribute_values.h"
#include "qdxa/qdxa_services.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using rastercore::kResultOk;

constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kMediaDatabaseKind = 2;  // the media database the core reads
constexpr std::int32_t kPrinterClassLargeFormat = 1;
constexpr std::int32_t kMediumFound = 1;
constexpr std::int32_t kMonochromePhotoMode = 3;  // the job record's colour mode
constexpr std::int32_t kCuttingByModel = 1;
constexpr std::uint8_t kNup = 2;

std::uint8_t printQuality(std::int32_t printMethod) {
    switch (printMethod) {
        case 1:
            return 1;
        case 4:
            return 3;
        default:
            return 2;
    }
}

bool isMonochromePhoto(const PLGContext* context) {
    return context->jobRecord != nullptr && context->jobRecord->colorMode == kMonochromePhotoMode;
}

// Optimised printing: the media database's mode for models that take the print mode from it;
// else 3 when the model knows optimised printing and the job asks for it, else 2.
std::uint8_t optimize(const ModelAtlasTbl& model, const QDXA_Info* info) {
    constexpr std::uint8_t kOptimizeOn = 3;
    constexpr std::uint8_t kOptimizeOff = 2;
    if (model.PrintMode == 1 || model.PrintMode == 2) {
        return info->optimizeMode;
    }
    return model.VGM == kModelYes && info->optimizeFlag != 0 ? kOptimizeOn : kOptimizeOff;
}

void deriveFixedValues(const PLGContext* context, QDXA_Info* info) {
    const ModelAtlasTbl& model = context->modelTable;
    info->impressions = 0;
    info->octetCount = 0;
    info->jobEnded = 0;
    info->documentFormat = {kDocumentFormatRaster, {}, {}};
    info->binderCopies = 1;
    info->documentCopies = 1;
    info->jobCopies = model.HDD == kModelYes ? info->copies : 1;
    info->printQuality = printQuality(info->printMethod);
    info->colorMode = isMonochromePhoto(context) ? 2 : 1;
    info->nUp = kNup;
    info->optimize = optimize(model, info);
}

void deriveTexts(QDXA_Info* info) {
    PLG_Get_JobID(info, info->jobIdentifier);
    PLG_Get_JobName(info, info->jobNameText);
    PLG_Get_JobOwner(info, info->ownerText);
    PLG_Get_SubnissionTimeOnClient(info);
    PLG_Get_PanelMessage(info, info->panelMessageText);
}

void deriveMediaValues(PLGContext* context, QDXA_Info* info) {
    const ModelAtlasTbl& model = context->modelTable;
    PLG_Get_InputTrayPriorityArray(info, info->paperSource);
    if (model.PrinterSize != kPrinterClassLargeFormat) {
        return;
    }
    const bool roll = (info->paperSource & kRollPaperSourceMask) != 0;
    if (roll || model.CuttingType_MarkerColorantDryingType == kCuttingByModel) {
        PLG_Get_CuttingType(info, info->cuttingChoice);
    }
    PLG_Get_Detail_Media(info, context);
}

}  // namespace

std::int32_t tarn_QDXA_Initialize(PLGContext* context, QDXA_Info* info) {
    if (context == nullptr || info == nullptr) {
        return rastercore::kPacketBadArgument;
    }
    if (context->modelTable.Medab != kMediaDatabaseKind) {
        return rastercore::kNoMediaDatabase;
    }
    info->context = context;
    deriveFixedValues(context, info);
    deriveTexts(info);
    deriveMediaValues(context, info);
    if (context->modelTable.OpenQDXA == kModelYes) {
        PLG_Get_JobStart2(info, context);
    }
    // A job must not announce a medium the media database did not name.
    const std::int32_t medium = qdxaServices().current().getMedium(info, context);
    return medium == kMediumFound ? kResultOk : medium;
}

std::int32_t tarn_QDXA_Terminate(QDXA_Info* info) {
    if (info == nullptr) {
        return rastercore::kPacketBadArgument;
    }
    if (info->context != nullptr && info->context->qdxaInfo == info) {
        info->context->qdxaInfo = nullptr;
    }
    Dispose_MemoryClear(&info, kUnusedKind);
    return kResultOk;
}
