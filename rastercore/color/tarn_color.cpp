#include "color/tarn_color.h"

#include <algorithm>

#include "color/color_codes.h"
#include "color/color_frameworks.h"
#include "color/color_path_lattice.h"
#include "color/color_sync.h"
#include "color/framework_objects.h"
#include "color/mxxxr_color_processing.h"
#include "command/cmd_info.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

constexpr std::int32_t kColorProcessingKind = 2;  // model value 4: the framework processes colour
constexpr std::int32_t kFamilyProcessing = 3;     // model value 3: the MXXXR family's rows
constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kOutputSpaceId = 18;
constexpr std::int32_t kRgbPlanes = 3;
constexpr std::int32_t kGreyPlanes = 1;
constexpr int kGreySlot = 6;
constexpr std::uint8_t kBits8 = 8;
constexpr std::uint8_t kBits16 = 16;

// Output description kinds (model value 2).
enum OutputKind : std::int32_t {
    kOutputKind1 = 1,
    kOutputThreePlanes = 2,
    kOutputKind3 = 3,
    kOutputGreyOrThree = 4,
};

bool matchingNeeded(const Color_Info& info) {
    const std::int16_t mode = info.imageMode;
    const bool greyOrCmyk = mode == 1 || mode == 4 || mode == 10 || mode == 13;
    return info.matching != 0 || greyOrCmyk || info.colorMode == kColorModeMonochromePhoto;
}

// Colour mode 1, and monochrome when the model does not leave the conversion out. A grey-plane
// monochrome row holds one sample a pixel, which an RGB conversion must not read.
bool csc1Needed(const Color_Info& info) {
    const ModelAtlasTbl& model = info.context->modelTable;
    if (info.colorMode == kColorModeColor) {
        return true;
    }
    return info.colorMode == kColorModeMonochromePhoto &&
           model.Create_CSC1_AUTO_MONO != kModelYes &&
           !(info.preprocNeeded != 0 && model.TNR2_T_RGB_Y == kModelYes);
}

}  // namespace

std::int32_t tarn_Color_Initialize_ForMXXXR(Color_Info* info, std::uint8_t* mediaDatabase) {
    if (info == nullptr || info->context == nullptr) {
        return colorcode::kBadArgument;
    }
    info->mediaDatabase = mediaDatabase;
    if (const std::int32_t result = bindColorFrameworks(*info); result != 0) {
        return result;
    }
    if (info->context->modelTable.Medab != kColorProcessingKind) {
        return 0;
    }
    info->preprocNeeded = preprocessingNeeded(*info) ? 1 : 0;
    if (info->preprocNeeded != 0) {
        if (const std::int32_t result = createPreprocObjects(*info); result != 0) {
            return result;
        }
    }
    if (csc1Needed(*info)) {
        if (const std::int32_t result = createCsc1Object(*info); result != 0) {
            return result;
        }
    }
    if (matchingNeeded(*info)) {
        if (const std::int32_t result = OpenColorSync(info); result != 0) {
            return result;
        }
    }
    // The rows of a folded job go through its lattice alone.
    if (foldColorPath(*info)) {
        releaseMatchingLattices(*info);
    }
    return 0;
}

std::int32_t tarn_Color_GetInfo_OutputColorSpece(Color_Info* info, TARNColorSpace* space) {
    if (info == nullptr || space == nullptr || info->context == nullptr) {
        return colorcode::kBadArgument;
    }
    const ModelAtlasTbl& model = info->context->modelTable;
    const std::uint8_t bits = info->outputDepth == kOutput8Bit ? kBits8 : kBits16;
    switch (model.OutputColorSpace) {
        case kOutputKind1:
        case kOutputKind3:
            return rastercore::kResultFailure;
        case kOutputGreyOrThree:
            if (info->colorMode == kColorModeMonochromePhoto && model.TNR2_T_RGB_Y == kModelYes) {
                *space = {kOutputSpaceId, kGreyPlanes, {}};
                space->depth[kGreySlot] = bits;
                return 0;
            }
            [[fallthrough]];
        case kOutputThreePlanes:
            *space = {kOutputSpaceId, kRgbPlanes, {}};
            std::fill_n(space->depth, kRgbPlanes, bits);
            return 0;
        default:
            return 0;
    }
}

std::int32_t tarn_Color_ColorProcessing(Color_Info* info, std::uint8_t* source, TARNRect* rect,
                                        std::uint8_t* destination) {
    if (info == nullptr || info->context == nullptr) {
        return rastercore::kResultFailure;
    }
    switch (info->context->modelTable.Tonara) {
        case 1:
        case 2:
            return rastercore::kResultFailure;
        case kFamilyProcessing:
            return tarn_MXXXR_Color_ColorProcessing(info, source, rect, destination);
        default:
            return 0;
    }
}

std::int32_t tarn_Color_ColorProcessing_For_Caption(Color_Info* info, std::uint8_t* source,
                                                    TARNRect* rect, std::uint8_t* destination) {
    if (info == nullptr || info->context == nullptr) {
        return rastercore::kResultFailure;
    }
    switch (info->context->modelTable.Tonara) {
        case 1:
        case 2:
            return rastercore::kResultFailure;
        case kFamilyProcessing:
            return tarn_MXXXR_Color_ColorProcessing_For_Caption(info, source, rect, destination);
        default:
            return 0;
    }
}

void tarn_Color_Terminate_ForMXXXR(Color_Info* info) {
    if (info != nullptr) {
        releaseColorPathLattice(*info);
        freeFrameworkObjects(*info);
    }
}

std::int32_t tarn_Color_Terminate(Color_Info* info) {
    if (info == nullptr) {
        return 0;
    }
    tarn_Color_Terminate_ForMXXXR(info);
    releaseColorFrameworks(*info);
    CloseColorSync(info);
    if (info->context != nullptr && info->context->colorInfo == info) {
        info->context->colorInfo = nullptr;
    }
    Dispose_MemoryClear(&info, kUnusedKind);
    return 0;
}
