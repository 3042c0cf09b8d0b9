// The order of a job's packets.
#include "qdxa/job_packet_order.h"

#include <vector>

#include "qdxa/attribute_values.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultOk;
using Step = std::int32_t (*)(QDXA_Info*);

constexpr std::int32_t kModelYes = 1;
constexpr std::uint8_t kNoReply = 0;
constexpr std::uint8_t kEndKindNormal = 0;

// Cutting-type model values.
constexpr std::int32_t kCuttingAlways = 1;
constexpr std::int32_t kCuttingOnRoll = 2;
constexpr std::int32_t kCuttingUnsupported = 3;
// Detail-media model values.
constexpr std::int32_t kDetailFull = 1;
constexpr std::int32_t kDetailOnly = 2;
// Path-mode bytes sent under the path-mode model values 2 and 1.
constexpr std::uint8_t kPathModeFine = 8;
constexpr std::uint8_t kPathModeSixteen = 1;
// Impressions model values.
constexpr std::int32_t kImpressions32 = 2;
constexpr std::int32_t kImpressions16 = 1;

// One packet of the glue with the record's own value, no reply and no status.
template <auto Send>
std::int32_t send(QDXA_Info* info) {
    return Send(info, nullptr, kNoReply, nullptr);
}

std::int32_t unsupported(QDXA_Info*) {
    return kResultFailure;
}

bool pathModeSent(const ModelAtlasTbl& model, std::uint8_t pathMode) {
    return ((model.PrintMode == 1 || model.PrintMode == 2) && pathMode != 0) ||
           (model.PathMode == 2 && pathMode == kPathModeFine) ||
           (model.PathMode == 1 && pathMode == kPathModeSixteen);
}

void planJobStart(const ModelAtlasTbl& model, std::vector<Step>& plan) {
    if (model.JobStart2 == kModelYes) {
        plan.push_back(send<tarn_QDXA_JobStart2>);
        if (model.Copies == kModelYes) {
            plan.push_back(send<tarn_QDXA_SetJob_Copise>);
        }
        plan.push_back(send<tarn_QDXA_SetDocument_Detail_Media_CreatorID>);
        if (model.GroupID == kModelYes) {
            plan.push_back(send<tarn_QDXA_SetDocument_GroupID>);
        }
        return;
    }
    plan.insert(plan.end(), {send<tarn_QDXA_JobStart>, send<tarn_QDXA_SetJob_IdentifierOnClient>,
                             send<tarn_QDXA_SetJob_Name>, send<tarn_QDXA_SetJob_Owner>,
                             send<tarn_QDXA_SetJob_SubnissionTimeOnClient>});
}

// Optimise, n-up, one-pass and the rest of the detail-media group, as the model asks.
void planDetailMedia(const ModelAtlasTbl& model, const QDXA_Info& info, std::vector<Step>& plan) {
    const std::int32_t group = model.Optimize_Nup_OnePassPrint_DetailMediaInfo;
    if (group == kDetailOnly) {
        plan.push_back(send<tarn_QDXA_SetDocument_Detail_Media_Info>);
        return;
    }
    if (group != kDetailFull) {
        return;
    }
    plan.insert(plan.end(), {send<tarn_QDXA_SetDocument_Optimize>, send<tarn_QDXA_SetDocument_Nup>,
                             send<tarn_QDXA_SetDocument_OnePassPrint>});
    if (model.BorderlessPrint_RollWidth == kModelYes) {
        plan.insert(plan.end(), {send<tarn_QDXA_SetDocument_BorderlessPrint>,
                                 send<tarn_QDXA_SetDocument_RollWidth>});
    }
    plan.push_back(send<tarn_QDXA_SetDocument_Detail_Media_Info>);
    if (model.MediaCalibration == kModelYes && info.calibration != kCalibrationOff) {
        plan.push_back(send<tarn_QDXA_SetDocument_Detail_Media_Calibration>);
    }
    if (pathModeSent(model, info.pathMode)) {
        plan.push_back(send<tarn_QDXA_SetDocument_PathMode>);
    }
}

std::vector<Step> jobStartPlan(const QDXA_Info& info) {
    const ModelAtlasTbl& model = info.context->modelTable;
    std::vector<Step> plan;
    planJobStart(model, plan);
    plan.insert(plan.end(), {send<tarn_QDXA_BinderStart>, send<tarn_QDXA_SetBinder_Copies>,
                             send<tarn_QDXA_DocumentStart>});
    if (info.panelMessage.length != 0) {
        plan.push_back(send<tarn_QDXA_SetDocument_PanelMessage>);
    }
    plan.insert(plan.end(),
                {send<tarn_QDXA_SetDocument_DocumentFormat>, send<tarn_QDXA_SetDocument_Copise>,
                 send<tarn_QDXA_SetDocument_PrintQuality>});
    const std::int32_t cutting = model.CuttingType_MarkerColorantDryingType;
    if (cutting == kCuttingUnsupported) {
        plan.push_back(unsupported);
        return plan;
    }
    if (cutting == kCuttingAlways ||
        (cutting == kCuttingOnRoll && (info.paperSource & kRollPaperSourceMask) != 0)) {
        plan.push_back(send<tarn_QDXA_SetDocument_CuttingType>);
    }
    plan.insert(plan.end(),
                {send<tarn_QDXA_SetDocument_InputTrayPriorityArray>,
                 send<tarn_QDXA_SetDocument_Medium>, send<tarn_QDXA_SetDocument_MediumTypeEx>});
    planDetailMedia(model, info, plan);
    return plan;
}

}  // namespace

std::int32_t tarn_QDXA_SendJobStartPackets(QDXA_Info* info) {
    if (info == nullptr || info->context == nullptr) {
        return kResultFailure;
    }
    for (const Step step : jobStartPlan(*info)) {
        const std::int32_t result = step(info);
        if (result != kResultOk) {
            return rastercore::stepResult(result);
        }
    }
    return kResultOk;
}

std::int32_t tarn_QDXA_SendJobEndPackets(QDXA_Info* info, std::uint32_t impressions) {
    if (info == nullptr || info->context == nullptr) {
        return kResultFailure;
    }
    send<tarn_QDXA_DocumentEnd>(info);
    send<tarn_QDXA_BinderEnd>(info);
    info->impressions = impressions;
    const std::int32_t model = info->context->modelTable.Impressions;
    if (model == kImpressions32) {
        std::int32_t result = send<tarn_QDXA_SetJob_Impressions2>(info);
        if (result == kResultOk) {
            result = send<tarn_QDXA_SetJob_Octets>(info);
        }
        if (result != kResultOk) {
            return rastercore::stepResult(result);
        }
    }
    if (model == kImpressions16) {
        send<tarn_QDXA_SetJob_Impressions>(info);
    }
    info->jobEnded = 1;
    return tarn_QDXA_JobEnd(info, kEndKindNormal, kNoReply, nullptr);
}
