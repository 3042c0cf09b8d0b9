// The application object with its events delivered in-process: a test sends events as other
// processes would, and runs the processing loop cycle by cycle.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/app_main.h"
#include "events/event_dispatcher.h"
#include "protocol/job_sender_events.h"
#include "sender_fixture.h"

namespace sendertest {

class AppHarness {
  public:
    AppHarness() : app_(std::make_unique<jobsender::CAppMain>(dispatcher_, services)) {}

    TestServices services;

    jobsender::CAppMain& app() { return *app_; }
    jobsender::CJobList& jobs() { return app_->jobList(); }

    events::Event send(const events::Event& event) { return dispatcher_.dispatch(event); }

    /// The job list reply.
    jobsender::JobListReply list() {
        const auto reply = jobsender::readJobList(send(jobsender::getInfoEvent()));
        EXPECT_TRUE(reply);
        return reply.value_or(jobsender::JobListReply{});
    }

    /// Runs one cycle; the pause it asks for before the next.
    std::chrono::milliseconds cycle() { return app_->JobProcessing(); }

    /// Runs cycles until `done` holds, at most `limit` of them; false when it never held.
    bool runUntil(const std::function<bool()>& done, int limit = 1000) {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return true;
            }
            cycle();
        }
        return done();
    }

    /// Runs cycles until the queue and the trash are empty.
    bool runToEmpty(int limit = 1000) {
        return runUntil([this] { return !jobs().IsNecessityWait(); }, limit);
    }

    /// Ends the application object (as the program does when it terminates).
    void destroy() { app_.reset(); }

  private:
    events::EventDispatcher dispatcher_;
    std::unique_ptr<jobsender::CAppMain> app_;
};

}  // namespace sendertest
