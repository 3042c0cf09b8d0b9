// The medium values of a job from the media database.
#include "mediadb/medium_type.h"

#include <cstring>
#include <string_view>

#include "command/cmd_info.h"
#include "medab2/medab2.h"
#include "mediadb/media_framework.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"

namespace {

constexpr std::string_view kCustomPaper = "CUSTOM";
constexpr std::uint8_t kKindCustom = 3;
constexpr std::uint8_t kKindLongEdgeFirst = 2;
constexpr std::uint8_t kKindShortEdgeFirst = 1;
/// Where the resolution record holds the data-processing bits.
constexpr std::size_t kDataProcessBitsWord = 3;

bool isCustomPaper(const Cmd_Info& command) {
    const std::string_view name(command.paperName,
                                strnlen(command.paperName, sizeof command.paperName));
    return name.find(kCustomPaper) != std::string_view::npos;
}

QDXA_Medium mediumValue(const Cmd_Info& command) {
    if (isCustomPaper(command)) {
        return {kMediumValueId,
                kMediumValueMarker,
                kCustomPaperSizeCode,
                static_cast<std::uint32_t>(command.paperWidth),
                static_cast<std::uint32_t>(command.paperLength),
                kKindCustom};
    }
    return {kMediumValueId,
            kMediumValueMarker,
            static_cast<std::uint16_t>(command.paperSizeCode),
            0,
            0,
            command.paperOrientation == kOrientationLongEdge ? kKindLongEdgeFirst
                                                             : kKindShortEdgeFirst};
}

}  // namespace

std::int32_t PLG_Get_Medium_MediumTypeEx_ForMXXXR(QDXA_Info* info, PLGContext* context) {
    const MediaFramework framework;
    auto* qdxaId = framework.bind<decltype(mdb3QdxaID)>("mdb3QdxaID");
    if (qdxaId == nullptr) {
        return rastercore::kMediaDbNotOpened;
    }
    if (info == nullptr || context == nullptr || context->colorInfo == nullptr ||
        context->cmdInfo == nullptr) {
        return rastercore::kResultFailure;
    }
    DEF_QDXAID ids{};
    if (qdxaId(static_cast<std::uint8_t*>(context->mediaDatabase), context->colorInfo->mediumID,
               &ids) == 0) {
        return rastercore::kResultFailure;
    }
    info->medium = mediumValue(*context->cmdInfo);
    info->mediumTypeEx = {kMediumTypeExKind, ids.qdxaID2};
    return 1;
}

std::int32_t PLG_Get_DataProcessBits(PLGContext* context) {
    const MediaFramework framework;
    auto* resolutionRecord =
        framework.bind<decltype(mdb3SupportedResoParam)>("mdb3SupportedResoParam");
    if (resolutionRecord == nullptr || context == nullptr || context->colorInfo == nullptr) {
        return rastercore::kResultFailure;
    }
    const Color_Info& color = *context->colorInfo;
    DEF_RESOLUTION record{};
    if (resolutionRecord(static_cast<std::uint8_t*>(context->mediaDatabase), color.mediumID,
                         color.quality.printMethod, color.quality.resolutionID, &record) == 0) {
        return rastercore::kResultFailure;
    }
    return record.words[kDataProcessBitsWord];
}
