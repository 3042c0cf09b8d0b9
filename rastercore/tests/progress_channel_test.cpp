// The progress and cancel channel by host type.
#include "record/progress_channel.h"

#include <gtest/gtest.h>

#include <vector>

#include "cf/notification_center.h"
#include "cf/value.h"
#include "record/job_context.h"

namespace {

using namespace rastercore;

class RecordingProgress : public ProgressObject {
  public:
    bool idleProgress() override {
        calls.push_back("idle");
        return cancel;
    }
    bool idleProgressJobOpen() override {
        calls.push_back("idleJobOpen");
        return cancel;
    }
    void setProgressValue(int percent) override { values.push_back(percent); }
    void setStatusMessage(int message) override { messages.push_back(message); }

    bool cancel = false;
    std::vector<std::string> calls;
    std::vector<int> values;
    std::vector<int> messages;
};

// A job context linked to a job record of `hostType`.
struct Job {
    CommonInfoTable host{};
    CoreCommonInfoTbl table{};
    PLGContext context{};
    RecordingProgress progress;
    explicit Job(std::uint8_t hostType) {
        host.hostType = hostType;
        table.commonInfo = &host;
        context.jobRecord = &table;
        context.progress = &progress;
    }
};

TEST(ProgressChannel, ImageEditorGetsEachNewPercentOnce) {
    Job job(1);
    std::int16_t last = 0;
    for (const std::int16_t percent : {0, 9, 9, 18, 18, 18, 100}) {
        progressSetValue(&job.context, percent, &last);
    }
    EXPECT_EQ(job.progress.values, (std::vector<int>{9, 18, 100}));
    EXPECT_EQ(last, 100);
    sendStatusMessage(1, &job.progress, kProgressStatusOffline);
    EXPECT_EQ(job.progress.messages, (std::vector<int>{3}));
}

TEST(ProgressChannel, PhotoApplicationPostsADoubleAndA32BitStatus) {
    Job job(2);
    std::vector<cf::Value> values;
    std::vector<cf::Value> statuses;
    auto& center = cf::NotificationCenter::localCenter();
    auto valueObserver = center.addObserver(
        kChangeProgressValueNotification, nullptr, [&](const cf::Notification& n) {
            values.push_back(*static_cast<const cf::Value*>(n.object));
        });
    auto statusObserver = center.addObserver(
        kChangeProgressStringNotification, nullptr, [&](const cf::Notification& n) {
            statuses.push_back(*static_cast<const cf::Value*>(n.object));
        });
    std::int16_t last = 0;
    for (const std::int16_t percent : {0, 50, 50, 100}) {
        progressSetValue(&job.context, percent, &last);
    }
    sendStatusMessage(2, nullptr, kProgressStatusSpooling);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_TRUE(values[0].isReal());
    EXPECT_EQ(values[0].real(), 50.0);
    EXPECT_EQ(values[1].real(), 100.0);
    ASSERT_EQ(statuses.size(), 1u);
    EXPECT_TRUE(statuses[0].isInt32());
    EXPECT_EQ(statuses[0].integer(), 6);
    EXPECT_TRUE(job.progress.values.empty());
}

TEST(ProgressChannel, CancelPollByHostType) {
    Job editor(1);
    editor.progress.cancel = true;
    EXPECT_TRUE(checkProgressCancel(&editor.context));
    EXPECT_TRUE(pollCancel(1, &editor.progress, nullptr, CancelPoll::JobOpen));
    EXPECT_EQ(editor.progress.calls, (std::vector<std::string>{"idle", "idleJobOpen"}));

    Job photo(2);
    photo.progress.cancel = true;  // never asked for the photo application
    EXPECT_FALSE(checkProgressCancel(&photo.context));
    printCancelCallback(&photo.table.cancelRequest, cf::Notification{});
    EXPECT_EQ(photo.table.cancelRequest, 1);
    EXPECT_TRUE(checkProgressCancel(&photo.context));
    EXPECT_TRUE(photo.progress.calls.empty());

    Job other(0);
    other.progress.cancel = true;
    other.table.cancelRequest = 1;
    EXPECT_FALSE(checkProgressCancel(&other.context));
    std::int16_t last = 0;
    progressSetValue(&other.context, 40, &last);
    EXPECT_TRUE(other.progress.values.empty());
    EXPECT_EQ(last, 40);
}

}  // namespace
