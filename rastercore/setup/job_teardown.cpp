// The tear-down of a job context, whatever the set-up and the job got to.
#include <cstdlib>

#include "cf/value.h"
#include "color/color_adjust_entry.h"
#include "color/color_tables.h"
#include "color/tarn_color.h"
#include "color/tone_curve_tables.h"
#include "command/tarn_cmd.h"
#include "geometry/pattern_coordinates.h"
#include "mediadb/media_database.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/job_setup.h"
#include "setup/setup_steps_internal.h"
#include "transport/printer_address.h"
#include "util/memory.h"

namespace {

void releaseBuffers(PLGContext& context) {
    for (std::uint8_t** buffer :
         {&context.rgbRow, &context.sharpenWindow, &context.bandLine, &context.colorCopy,
          &context.colorOutputLine, &context.commandBuffer, &context.captionMergeLine,
          &context.captionBitmap, &context.captionColorLine, &context.fetchedLine}) {
        Dispose_MemoryClear(buffer, kUnusedKind);
    }
    context.rgbRowSize = context.bandLineSize = context.colorCopySize = 0;
    context.colorOutputLineSize = context.commandBufferSize = context.captionBitmapSize = 0;
}

// The colour record and what the set-up hung off it: the colour module frees the framework
// objects of the entries before the entries themselves go.
void releaseColorRecord(PLGContext& context) {
    Color_Info* color = context.colorInfo;
    if (color == nullptr) {
        return;
    }
    ColorAdjustEntry* entries = color->adjustEntries;
    if (context.cmdInfo != nullptr) {
        tarn_Color_ReleseTable(context.cmdInfo->generalData);
    }
    PLG_Release_Tonara2Curve(&context);
    tarn_Color_Terminate(color);
    context.colorInfo = nullptr;
    Dispose_MemoryClear(&entries, kUnusedKind);
    delete context.hostProfileUrl;
    delete context.workingProfileUrl;
    context.hostProfileUrl = context.workingProfileUrl = nullptr;
}

}  // namespace

std::int32_t PLG_Terminate(PLGContext* context) {
    if (context == nullptr) {
        return rastercore::kResultOk;
    }
    if (context->qdxaInfo != nullptr) {
        PLG_Dispose_PrinterAddress(context->qdxaInfo->printerAddress);
        context->qdxaInfo->printerAddress = nullptr;
    }
    if (context->mediaDatabaseOpened != 0) {
        CloseMediaDB(context->mediaDatabase);
    }
    context->mediaDatabase = nullptr;
    context->mediaDatabaseOpened = 0;
    const std::int32_t result = setup::closePhotoApplicationImage(*context);
    std::free(context->hostImage);
    context->hostImage = nullptr;
    releaseBuffers(*context);
    setup::releasePatternCaptionAreas(*context);
    if (context->patternPrint != 0) {
        Print_PatternTermination(context);
    }
    releaseColorRecord(*context);
    if (context->cmdInfo != nullptr) {
        tarn_Cmd_Terminate(context->cmdInfo);
        context->cmdInfo = nullptr;
    }
    if (context->qdxaInfo != nullptr) {
        tarn_QDXA_Terminate(context->qdxaInfo);
    }
    Dispose_MemoryClear(&context, kUnusedKind);
    return result;
}
