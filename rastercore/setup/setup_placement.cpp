// The caption, the placement of the image and the page commands that follow from them.
#include <algorithm>
#include <cstring>
#include <string>

#include "caption/caption_geometry.h"
#include "cf/value.h"
#include "command/cmd_info.h"
#include "geometry/page_geometry.h"
#include "geometry/placement.h"
#include "geometry/start_position.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"
#include "strings/text_codec.h"

namespace setup {

namespace {

using namespace rastercore;

constexpr std::int32_t kInputResolution300 = 1;
constexpr std::uint16_t kCaptionResolution300 = 300;
constexpr std::uint16_t kCaptionResolution600 = 600;
constexpr double kCaptionBitmapResolution = 200;
// The caption's font: a 9-point text at 200 dpi.
constexpr std::int16_t kCaptionPoints = 9;
constexpr std::int16_t kCaptionDpi = 200;
constexpr std::int16_t kPointsPerInch = 72;
constexpr std::size_t kSpoolCommentMax = 32;
constexpr std::int32_t kFirstUserPaperSizeId = 30000;
constexpr std::uint32_t kRollSources = 0x0F00;
constexpr std::uint8_t kFitRollWidth = 1;

}  // namespace

std::int32_t setCaption(PLGContext& context, const CoreCommonInfoTbl& table) {
    if (context.patternPrint != 0 || !captionRequested(table, context.borderless != 0)) {
        context.captionRect = {};
        return kResultOk;
    }
    const std::string& text = *table.captionText->string();
    context.captionFlag = 1;
    copyCut(context.captionText, sizeof context.captionText, text, kCaptionTextMax);
    context.captionLength = static_cast<std::uint16_t>(std::strlen(context.captionText));
    context.captionKind = static_cast<std::int16_t>(table.infoPosition);
    if (context.backgroundPrint != 0) {
        QDXA_Info& packet = *context.qdxaInfo;
        copyCut(packet.spoolComment, sizeof packet.spoolComment, text, kSpoolCommentMax);
    }
    context.captionResolution = table.inputResolution == kInputResolution300
                                    ? kCaptionResolution300
                                    : kCaptionResolution600;
    context.captionScale = context.captionResolution / kCaptionBitmapResolution;
    return PLG_Get_CaptionWiAndHi(&context, kCaptionPoints, kCaptionDpi, kPointsPerInch);
}

std::int32_t placeImage(PLGContext& context, CoreCommonInfoTbl& table) {
    const std::int32_t result =
        PLG_Get_Management_Rec(&table, &context, &context.sourceWidth, &context.sourceHeight,
                               &context.scale[0], &context.scale[1]);
    if (result != kResultOk || context.patternPrint == 0) {
        return result;
    }
    // A test-pattern sheet prints the cropped part of the image where its layout puts it.
    context.sourceRect[0] = table.cropRange[1];
    context.sourceRect[1] = table.cropRange[0];
    context.sourceRect[2] = table.cropRange[3];
    context.sourceRect[3] = table.cropRange[2];
    context.imageRect = context.patternImageRect;
    return kResultOk;
}

void setPageCommands(PLGContext& context, const CoreCommonInfoTbl& table) {
    Cmd_Info& command = *context.cmdInfo;
    if (context.captionFlag != 0) {
        PLG_Get_Caption_Rec(&context, &context.captionRect);
    }
    PLG_Get_Start_Position(&context, &command.imageX, &command.imageY);

    const bool roll = (static_cast<std::uint32_t>(table.paperSource) & kRollSources) != 0;
    const bool rollFitted =
        roll && context.expansionReduction != 0 && context.fitType == kFitRollWidth;
    if ((context.patternPrint != 0 && context.patternPaperLengthChanged != 0) || rollFitted) {
        PLG_Get_PaperSize(&context, &command, kPaperIdCustom);
    } else if (table.paperSizeID < kFirstUserPaperSizeId) {
        PLG_Get_PaperSize(&context, &command, table.paperSizeID);
    } else {
        PLG_Get_UserPaperSize(&context, &command, context.paperWidth, context.paperHeight);
    }

    const TARNRect& image = context.imageRect;
    const TARNRect& caption = context.captionRect;
    const bool captioned = context.captionFlag != 0;
    const std::int32_t top = captioned ? std::min(image.top, caption.top) : image.top;
    const std::int32_t bottom = captioned ? std::max(image.bottom, caption.bottom) : image.bottom;
    context.lineCount = std::max(bottom - top, 0);
    context.imageLineWidth = static_cast<std::uint32_t>(std::max(image.right - image.left, 0));
    const std::int32_t unionWidth =
        captioned ? std::max(image.right, caption.right) - std::min(image.left, caption.left) : 0;
    context.bandLineWidth =
        std::max(context.imageLineWidth, static_cast<std::uint32_t>(std::max(unionWidth, 0)));
    command.imageWidth = std::max<std::uint32_t>(context.bandLineWidth, 1);
}

}  // namespace setup
