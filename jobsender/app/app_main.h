// The job sender's application object: it installs the event handlers, keeps the job list and
// the sender, runs one cycle of the processing loop at a time, keeps the stopped state in
// "ApplicationState" in the root spool folder, and asks to terminate when it has had nothing to
// do for a while.
//
// Everything runs on the program's one thread: events are handled between cycles, never during
// one. The handlers answer with no error whatever happened inside.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "app/app_services.h"
#include "events/event_dispatcher.h"
#include "job/job_list.h"
#include "send/job_send_qdxa.h"

namespace jobsender {

/// Idle time before the program quits, and while the print plug-in's dialog is open (its marker
/// file ".PlugInState" is in the temporary folder).
inline constexpr double kIdleQuitSeconds = 10;
inline constexpr double kIdleQuitWithDialogSeconds = 180;
inline constexpr const char* kPlugInStateFile = ".PlugInState";
/// Time between two time-out scans of the queue.
inline constexpr double kTimeOutScanSeconds = 60;
/// Pause before the next cycle when there is no job, or the last step was put off.
inline constexpr std::chrono::milliseconds kIdleCycle{100};
inline constexpr const char* kApplicationStateFile = "ApplicationState";

class CAppMain {
  public:
    /// Installs the handlers in `dispatcher` (a failing one ends the installation), makes the job
    /// list and the sender, loads the job list and the application state.
    CAppMain(events::EventDispatcher& dispatcher, AppServices& services);
    /// Destroys the sender (an open device job is closed as cancelled), then the job list.
    virtual ~CAppMain();
    CAppMain(const CAppMain&) = delete;
    CAppMain& operator=(const CAppMain&) = delete;

    /// One cycle of the processing loop; the time until the next.
    std::chrono::milliseconds JobProcessing();
    /// True when the application may terminate: the queue is empty, or the user confirmed.
    bool shouldQuit();

    CJobList& jobList() { return *jobList_; }
    CJobSend& sender() { return *sender_; }

  private:
    static std::int32_t OpenApplication(const events::Event&, events::Event&, void*);
    static std::int32_t Quit(const events::Event&, events::Event&, void*);
    static std::int32_t NewJob(const events::Event&, events::Event&, void*);
    static std::int32_t JobEnd(const events::Event&, events::Event&, void*);
    static std::int32_t Stop(const events::Event&, events::Event&, void*);
    static std::int32_t Restart(const events::Event&, events::Event&, void*);
    static std::int32_t Delete(const events::Event&, events::Event&, void*);
    static std::int32_t GetInfo(const events::Event&, events::Event&, void*);

    void installHandlers(events::EventDispatcher& dispatcher);
    void handleOpenApplication(const events::Event& event);
    void handleNewJob(const events::Event& event);
    void handleJobEnd(const events::Event& event);
    void handleDelete(const events::Event& event);
    void replyJobInformation(events::Event& reply);
    void checkIdleQuit();
    /// The end of a job's writing: the job is complete, or else thrown away (its device job, when
    /// it is being sent, closed as cancelled).
    void endJobWriting(CLocalJob& job, bool cancelled);
    /// Ends the writing of a job whose writer is gone, as its "JobInfo" says: complete, or else
    /// cancelled, so that what a writer that died left is never sent as a job and never holds
    /// the queue.
    void endWritingWhenWriterGone(CLocalJob& job);
    /// endWritingWhenWriterGone for every job being written.
    void endAbandonedWritings();

    bool SaveApplicationState();
    void LoadApplicationState();

    AppServices& services_;
    std::unique_ptr<CJobList> jobList_;
    CJobSend* sender_ = nullptr;
    double lastActive_ = 0;
    double lastTimeOutScan_ = 0;
    std::unique_ptr<CJobSendQDXA> qdxaSender_;
};

}  // namespace jobsender
