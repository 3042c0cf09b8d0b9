#include "dialogs/progress_window.h"

#include <gtest/gtest.h>

#include <thread>

#include "cf/notification_center.h"
#include "scripted_port.h"

namespace {

using Progress = kProgress_ZORVEX_common_V600_PS;
using dialogs_test::ScriptedPort;
using dialogs_test::TableStrings;

constexpr const char* kWindow = Progress::kWindow;

struct ProgressFixture : ::testing::Test {
    TableStrings strings;
    ScriptedPort port;
    std::string text(const char* control) { return port.control(kWindow, control).text; }
};

using ProgressWindow = ProgressFixture;

TEST_F(ProgressWindow, KindsSetTitleAndStatus) {
    struct Case {
        std::int32_t kind;
        const char* title;
        const char* status;
    };
    for (const Case& c :
         {Case{1, "STEXT_PROGRESS_ROADIMAGE_CAP", "STEXT_PROGRESS_STATE_ROADIMAGE_TEXT"},
          Case{2, "", "STEXT_PROGRESS_STATE_PRINT_TEXT"},
          Case{3, "", "STEXT_PROGRESS_STATE_SPOOL_TEXT"},
          Case{4, "", "STEXT_PROGRESS_STATE_WAIT_TEXT"}, Case{7, "", ""}}) {
        SCOPED_TRACE(c.kind);
        ScriptedPort fresh;
        Progress progress(fresh, strings);
        progress.setupProgressWindow(c.kind, 1);
        EXPECT_EQ(fresh.windows[kWindow].title, c.title);
        EXPECT_EQ(fresh.control(kWindow, Progress::kStatusText).text, c.status);
        EXPECT_EQ(fresh.control(kWindow, Progress::kCancelButton).text, "STEXT_CANCEL_BUTTON");
        EXPECT_EQ(fresh.control(kWindow, Progress::kParText).text, "0%");
    }
}

TEST_F(ProgressWindow, StatusNumbersShowTheirTexts) {
    Progress progress(port, strings);
    const std::pair<int, const char*> cases[] = {
        {1, "STEXT_PROGRESS_STATE_WAIT_TEXT"},         {2, "STEXT_PROGRESS_STATE_PRINT_TEXT"},
        {3, "STEXT_PROGRESS_STATE_OFFLINE_TEXT"},      {4, "STEXT_PROGRESS_STATE_ANOTHERUSER_TEXT"},
        {5, "STEXT_PROGRESS_STATE_PRINTERERROR_TEXT"}, {6, "STEXT_PROGRESS_STATE_SPOOL_TEXT"},
        {0, "STEXT_PROGRESS_STATE_WAIT_TEXT"},         {99, "STEXT_PROGRESS_STATE_WAIT_TEXT"},
    };
    for (const auto& [number, key] : cases) {
        progress.setStatusMessage(number);
        EXPECT_EQ(text(Progress::kStatusText), key) << number;
    }
}

TEST_F(ProgressWindow, PercentIsRedrawnOnlyWhenItChanges) {
    Progress progress(port, strings);
    progress.setupProgressWindow(4, 1);
    port.control(kWindow, Progress::kParText).text = "untouched";
    progress.setProgressValue(0);
    EXPECT_EQ(text(Progress::kParText), "untouched");
    progress.setProgressValue(37);
    EXPECT_EQ(text(Progress::kParText), "37%");
    EXPECT_EQ(port.control(kWindow, Progress::kProgressBar).value, 37);
}

TEST_F(ProgressWindow, WorkerThreadCallsReachTheWindowOnTheMainThread) {
    Progress progress(port, strings);
    progress.setupProgressWindow(4, 1);
    std::thread worker([&] {
        for (int percent = 0; percent <= 100; ++percent) {
            progress.setProgressValue(percent);
            progress.setProgressValue(percent);  // the same whole percent again: coalesced
        }
        progress.setStatusMessage(rastercore::kProgressStatusOffline);
    });
    worker.join();
    EXPECT_EQ(port.offThreadCalls, 0);
    EXPECT_EQ(text(Progress::kParText), "0%");  // nothing has reached the window yet
    EXPECT_EQ(port.runPosted(), 101u);          // 1 … 100 and the status
    EXPECT_EQ(text(Progress::kParText), "100%");
    EXPECT_EQ(text(Progress::kStatusText), "STEXT_PROGRESS_STATE_OFFLINE_TEXT");
}

TEST_F(ProgressWindow, CallsQueuedForAGoneWindowAreDropped) {
    auto progress = std::make_unique<Progress>(port, strings);
    std::thread([&] { progress->setStatusMessage(3); }).join();
    progress.reset();
    port.runPosted();
    EXPECT_EQ(text(Progress::kStatusText), "");
}

TEST_F(ProgressWindow, ImageEditorCancelLatches) {
    Progress progress(port, strings);
    progress.setupProgressWindow(4, Progress::kHostImageEditor);
    progress.showProgressWindow();
    EXPECT_EQ(port.modalWindow(), kWindow);
    EXPECT_FALSE(progress.idleProgress());
    port.userDuringProcessEvents = [&] { port.click(kWindow, Progress::kCancelButton); };
    EXPECT_TRUE(progress.idleProgress());
    port.userDuringProcessEvents = nullptr;
    EXPECT_TRUE(progress.idleProgress());
    const auto waitsBefore = port.waits.size();
    EXPECT_TRUE(progress.idleProgressJobOpen());
    EXPECT_EQ(port.waits.size(), waitsBefore);  // answered without waiting for events
    progress.hideProgressWindow();
    EXPECT_FALSE(port.isVisible(kWindow));
    EXPECT_EQ(port.modalWindow(), "");
    EXPECT_FALSE(progress.idleProgress());  // no longer the modal window
}

TEST_F(ProgressWindow, JobOpenPollWaitsHalfASecondForEvents) {
    Progress progress(port, strings);
    progress.setupProgressWindow(4, Progress::kHostImageEditor);
    progress.showProgressWindow();
    EXPECT_FALSE(progress.idleProgressJobOpen());
    EXPECT_EQ(port.waits.back(), std::chrono::milliseconds(500));
    port.userDuringProcessEvents = [&] { port.click(kWindow, Progress::kCancelButton); };
    EXPECT_TRUE(progress.idleProgressJobOpen());
}

TEST_F(ProgressWindow, PhotoApplicationCancelPostsBeforeTheWindowStops) {
    Progress progress(port, strings);
    progress.setupProgressWindow(4, Progress::kHostPhotoApplication);
    std::vector<std::string> order;
    auto observer = cf::NotificationCenter::localCenter().addObserver(
        rastercore::kRasterCoreCancelNotification, nullptr,
        [&](const cf::Notification&) { order.push_back("cancel posted"); });
    port.userDuringModalRun = [&] {
        EXPECT_EQ(progress.checkShowProgressWindow(), 1);
        port.click(kWindow, Progress::kCancelButton);
        order.push_back(port.log.back());
    };
    progress.showProgressWindow_forVPX("");
    EXPECT_EQ(order, (std::vector<std::string>{"cancel posted", "stopModal PLProgress"}));
    EXPECT_EQ(progress.checkShowProgressWindow(), 0);
    EXPECT_EQ(port.cursors.back(), "");  // the arrow is back
}

TEST_F(ProgressWindow, PhotoApplicationCloseStopsTheRunOnlyOnce) {
    Progress progress(port, strings);
    progress.setupProgressWindow(1, Progress::kHostPhotoApplication);
    port.userDuringModalRun = [&] { progress.closeProgressWindow_forVPX(); };
    progress.showProgressWindow_forVPX("");
    progress.closeProgressWindow_forVPX();
    EXPECT_EQ(std::count(port.log.begin(), port.log.end(), "stopModal PLProgress"), 1);
}

TEST_F(ProgressWindow, ClockCursorTurnsThroughEightFrames) {
    Progress progress(port, strings);
    progress.setupProgressWindow(4, 1);
    ASSERT_EQ(port.timers.size(), 1u);
    const int timer = port.timers.begin()->first;
    for (int tick = 0; tick < 8; ++tick) {
        port.tick(timer);
    }
    const std::vector<std::string> expected{
        "clockCursor1.tiff", "clockCursor2.tiff", "clockCursor3.tiff",
        "clockCursor4.tiff", "clockCursor5.tiff", "clockCursor6.tiff",
        "clockCursor7.tiff", "clockCursor8.tiff", "clockCursor1.tiff"};
    EXPECT_EQ(port.cursors, expected);
    progress.stopCursorTimer();
    EXPECT_TRUE(port.timers.empty());
    EXPECT_EQ(port.cursors.back(), "");
}

TEST_F(ProgressWindow, WithoutItsLayoutEverythingActsOnNothing) {
    port.layouts.clear();
    Progress progress(port, strings);
    progress.setupProgressWindow(4, 1);
    progress.showProgressWindow();
    progress.setProgressValue(50);
    progress.setStatusMessage(2);
    EXPECT_FALSE(progress.idleProgress());
    EXPECT_FALSE(progress.idleProgressJobOpen());
    EXPECT_TRUE(port.windows.empty());
    EXPECT_TRUE(port.modal.empty());
}

}  // namespace
