// The job driver.
#include "job/main_process.h"

#include <optional>

#include "cf/notification_center.h"
#include "rastercore/result_codes.h"
#include "record/cancel_byte.h"
#include "record/job_context.h"
#include "record/progress_channel.h"
#include "record/result_table.h"
#include "util/memory.h"

namespace {

using namespace rastercore;

constexpr std::int32_t kPrinterClassLargeFormat = 1;
constexpr std::int32_t kPrinterClassUnsupported = 2;

// The working line of `pixels` pixels at `bitsPerPixel`, in bytes.
std::size_t lineBytes(std::int32_t bitsPerPixel, std::uint32_t pixels) {
    return (static_cast<std::size_t>(bitsPerPixel) * pixels + 7) / 8;
}

std::int32_t allocateBandBuffers(PLGContext* context) {
    if (context->scale[0] > 1.0) {
        context->colorOnCopy = 1;
    }
    const std::size_t bandLine = lineBytes(context->bitsPerPixel, context->imageLineWidth);
    const std::size_t colorCopy = lineBytes(context->bitsPerPixel, context->bandLineWidth);
    if (Get_MemoryClear(1, bandLine, kUnusedKind, &context->bandLine) != 0 ||
        Get_MemoryClear(1, colorCopy, kUnusedKind, &context->colorCopy) != 0) {
        return kResultNoMemory;
    }
    context->bandLineSize = static_cast<std::uint32_t>(bandLine);
    context->colorCopySize = static_cast<std::uint32_t>(colorCopy);
    return kResultOk;
}

std::int32_t acquireColorSpaceSuite(PLGContext* context) {
    HostBasicSuite* suite =
        context->hostImage != nullptr ? context->hostImage->basicSuite : nullptr;
    if (suite == nullptr || suite->acquireSuite == nullptr) {
        return kResultOk;
    }
    return suite->acquireSuite(kColorSpaceSuiteName, kColorSpaceSuiteVersion,
                               &context->colorSpaceSuite) == 0
               ? kResultOk
               : kResultFailure;
}

// The image pages: the test-pattern sheet or the band loop, by printer class.
std::int32_t printPages(const JobSteps& steps, PLGContext* context,
                        const CoreCommonInfoTbl* table) {
    const std::int32_t printerClass = context->modelTable.PrinterSize;
    if (printerClass == kPrinterClassUnsupported) {
        return kResultFailure;
    }
    if (printerClass != kPrinterClassLargeFormat) {
        return kResultOk;
    }
    if (table->patternPrint != 0) {
        const std::int32_t captions = steps.patternCreateCaption(context);
        return captions != kResultOk ? captions : steps.patternPrintLoop(context);
    }
    return steps.bandLoop(context);
}

// From job start to job end, on an opened job.
std::int32_t runOpenedJob(const JobSteps& steps, PLGContext* context, CoreCommonInfoTbl* table,
                          std::uint8_t hostType) {
    if (hostType != kHostTypePhotoApplication && acquireColorSpaceSuite(context) != kResultOk) {
        return kResultFailure;
    }
    std::int32_t result = stepResult(steps.startJob(context));
    if (result != kResultOk) {
        return result;
    }
    if (table->patternPrint == 0 && (result = allocateBandBuffers(context)) != kResultOk) {
        return result;
    }
    if ((result = printPages(steps, context, table)) != kResultOk) {
        return result;
    }
    --context->currentCopy;
    return stepResult(steps.endJob(context));
}

// Cancels a failed or cancelled job on the printer, then closes it. Such a job is always closed
// as cancelled: the printer may not list it yet, and a normal close would print its partial data.
void finishOpenedJob(const JobSteps& steps, PLGContext* context, std::int32_t result) {
    bool closeAsCancelled = false;
    if (result != kResultOk) {
        steps.jobCancel(context->qdxaInfo, &closeAsCancelled);
        closeAsCancelled = true;
    }
    steps.jobClose(context->qdxaInfo, closeAsCancelled);
}

// Everything after the set-up, up to the removal of the cancel observer.
std::int32_t runSetUpJob(const JobSteps& steps, PLGContext* context, CoreCommonInfoTbl* table,
                         void* progress) {
    const std::uint8_t hostType = hostTypeOf(table);
    std::optional<cf::NotificationCenter::Observer> cancelObserver;
    if (hostType == kHostTypeImageEditor) {
        context->progress = static_cast<ProgressObject*>(progress);
        if (context->qdxaInfo != nullptr) {
            context->qdxaInfo->progress = context->progress;
        }
        if (context->progress != nullptr && context->progress->idleProgress()) {
            return kResultCancelled;
        }
    } else if (hostType == kHostTypePhotoApplication) {
        std::uint8_t* cancelByte = &table->cancelRequest;
        cancelObserver = cf::NotificationCenter::localCenter().addObserver(
            kRasterCoreCancelNotification, nullptr,
            [cancelByte](const cf::Notification& notification) {
                printCancelCallback(cancelByte, notification);
            });
        if (cancelRequested(cancelByte)) {
            return kResultCancelled;
        }
    }

    std::int32_t result = steps.jobOpen(context->qdxaInfo);
    if (result == kResultOk) {
        result = runOpenedJob(steps, context, table, hostType);
        finishOpenedJob(steps, context, result);
    }
    return result;  // the observer goes with `cancelObserver`
}

}  // namespace

std::uint32_t PLG_CCC_Main_Process(void* reserved, CoreCommonInfoTbl* table, void* progress) {
    const JobSteps& steps = jobSteps().current();
    if (table == nullptr) {
        return kPlgNoJobRecord;
    }
    PLGContext* context = nullptr;
    if (Get_MemoryClear(1, sizeof(PLGContext), kUnusedKind, &context) != 0) {
        return pluginErrorFromResult(kResultNoMemory);
    }
    std::int32_t result = steps.initialize(reserved, &table, context);
    if (result == kResultOk) {
        result = runSetUpJob(steps, context, table, progress);
    }
    steps.terminate(context);
    return pluginErrorFromResult(result);
}
