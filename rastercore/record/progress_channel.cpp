// The progress and cancel channel between a running job and its caller.
#include "record/progress_channel.h"

#include "cf/notification_center.h"
#include "cf/value.h"
#include "rastercore/common_info_table.h"
#include "rastercore/core_common_info_tbl.h"
#include "record/cancel_byte.h"
#include "record/job_context.h"

std::uint8_t hostTypeOf(const CoreCommonInfoTbl* table) {
    return table != nullptr && table->commonInfo != nullptr ? table->commonInfo->hostType : 0;
}

bool pollCancel(std::uint8_t hostType, rastercore::ProgressObject* progress,
                const std::uint8_t* cancelByte, CancelPoll mode) {
    if (hostType == kHostTypePhotoApplication) {
        return cancelByte != nullptr && cancelRequested(cancelByte);
    }
    if (hostType == kHostTypeImageEditor && progress != nullptr) {
        return mode == CancelPoll::JobOpen ? progress->idleProgressJobOpen()
                                           : progress->idleProgress();
    }
    return false;
}

void sendProgressValue(std::uint8_t hostType, rastercore::ProgressObject* progress,
                       std::int16_t percent) {
    if (hostType == kHostTypePhotoApplication) {
        const cf::Value number(static_cast<double>(percent));
        cf::NotificationCenter::localCenter().post(rastercore::kChangeProgressValueNotification,
                                                   &number);
    } else if (hostType == kHostTypeImageEditor && progress != nullptr) {
        progress->setProgressValue(percent);
    }
}

void sendStatusMessage(std::uint8_t hostType, rastercore::ProgressObject* progress,
                       rastercore::ProgressStatus status) {
    if (hostType == kHostTypePhotoApplication) {
        const cf::Value number(static_cast<std::int32_t>(status));
        cf::NotificationCenter::localCenter().post(rastercore::kChangeProgressStringNotification,
                                                   &number);
    } else if (hostType == kHostTypeImageEditor && progress != nullptr) {
        progress->setStatusMessage(status);
    }
}

bool checkProgressCancel(PLGContext* context) {
    CoreCommonInfoTbl* table = context->jobRecord;
    return pollCancel(hostTypeOf(table), context->progress,
                      table != nullptr ? &table->cancelRequest : nullptr, CancelPoll::Normal);
}

void progressSetValue(PLGContext* context, std::int16_t percent, std::int16_t* lastPercent) {
    if (percent == *lastPercent) {
        return;
    }
    sendProgressValue(hostTypeOf(context->jobRecord), context->progress, percent);
    *lastPercent = percent;
}

void printCancelCallback(std::uint8_t* observer, const cf::Notification&) {
    requestCancel(observer);
}
