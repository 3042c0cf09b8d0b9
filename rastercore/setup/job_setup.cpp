// The job set-up: its steps in order.
#include "setup/job_setup.h"

#include "command/cmd_info.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/setup_steps_internal.h"

namespace {

using namespace rastercore;

constexpr std::int32_t kPrinterClassLargeFormat = 1;
constexpr std::int32_t kPrinterClassUnsupported = 2;

// Steps 1 to 17: everything up to the colour record.
std::int32_t setUpJob(PLGContext& context, CoreCommonInfoTbl& table) {
    std::int32_t result = setup::allocateRecords(context, table);
    if (result != kResultOk) {
        return result;
    }
    setup::applyPatternSettings(context, table);
    if ((result = setup::allocateAdjustEntries(context, table)) != kResultOk ||
        (result = setup::makeHostImageRecord(context, table)) != kResultOk) {
        return result;
    }
    PLG_SetModelAtlasTbl(&context);
    if (context.patternPrint != 0 && (result = setup::takePatternCoordinates(context)) != 0) {
        return result;
    }
    if ((result = setup::openMediaDatabase(context, table)) != kResultOk) {
        return result;
    }
    setup::limitInputDepth(context, table);
    if ((result = setup::setLayout(context, table)) != kResultOk) {
        return result;
    }
    setup::setPaper(context, table);
    if ((result = setup::setCaption(context, table)) != kResultOk ||
        (result = setup::placeImage(context, table)) != kResultOk ||
        (result = setup::openPhotoApplicationImage(context, table)) != kResultOk) {
        return result;
    }
    setup::setPageCommands(context, table);
    setup::setJobAttributes(context, table);
    return setup::setColorRecord(context, table);
}

// Steps 18 to 23: the printer class, its command options, the buffers and the printer address.
std::int32_t finishSetUp(PLGContext& context, const CoreCommonInfoTbl& table) {
    const std::int32_t printerClass = context.modelTable.PrinterSize;
    if (printerClass == kPrinterClassUnsupported) {
        return kFamilyNotSupported;
    }
    if (printerClass == kPrinterClassLargeFormat) {
        setup::setCommandOptions(context, table);
    }
    std::int32_t result = setup::allocateRowBuffers(context, table);
    if (result == kResultOk && context.patternPrint != 0) {
        result = setup::allocatePatternCaptionBitmaps(context);
    }
    return result != kResultOk ? result : setup::makePrinterAddress(context, table);
}

}  // namespace

std::int32_t PLG_Initialize(void*, CoreCommonInfoTbl** table, PLGContext* context) {
    if (table == nullptr || *table == nullptr || context == nullptr) {
        return kResultFailure;
    }
    const std::int32_t result = setUpJob(*context, **table);
    return result != kResultOk ? result : finishSetUp(*context, **table);
}

std::int32_t PLG_SetModelAtlasTbl(PLGContext* context) {
    if (context == nullptr) {
        return kResultFailure;
    }
    std::int32_t result = kResultFailure;
    if (context->jobRecord != nullptr) {
        context->modelTable = context->jobRecord->modelAtlas;
        result = kResultOk;
    }
    if (context->qdxaInfo != nullptr) {
        context->qdxaInfo->context = context;
    }
    if (context->cmdInfo != nullptr) {
        context->cmdInfo->context = context;
    }
    if (context->colorInfo != nullptr) {
        context->colorInfo->context = context;
    }
    return result;
}
