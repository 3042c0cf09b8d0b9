// The event handlers of the application object and the job information reply.
#include <algorithm>

#include "app/app_main.h"
#include "protocol/job_sender_events.h"

namespace jobsender {
namespace {

using events::Event;

CAppMain* appOf(void* reference) {
    return static_cast<CAppMain*>(reference);
}

std::optional<std::span<const std::uint8_t>> directObject(const Event& event,
                                                          events::FourCharCode type) {
    return event.parameter(events::kKeyDirectObject, type);
}

}  // namespace

void CAppMain::installHandlers(events::EventDispatcher& dispatcher) {
    struct Installation {
        events::FourCharCode eventClass;
        events::FourCharCode eventId;
        events::EventHandler handler;
    };
    const Installation handlers[] = {
        {events::kClassCore, kEventOpenApplication, OpenApplication},
        {events::kClassCore, kEventQuit, Quit},
        {kClassJobSender, kEventNewJob, NewJob},
        {kClassJobSender, kEventJobEnd, JobEnd},
        {kClassJobSender, kEventStop, Stop},
        {kClassJobSender, kEventRestart, Restart},
        {kClassJobSender, kEventDelete, Delete},
        {kClassJobSender, kEventGetInfo, GetInfo},
    };
    for (const Installation& installation : handlers) {
        if (!dispatcher.installHandler(installation.eventClass, installation.eventId,
                                       installation.handler, this)) {
            break;
        }
    }
}

std::int32_t CAppMain::OpenApplication(const Event& event, Event&, void* reference) {
    if (reference != nullptr) {
        appOf(reference)->handleOpenApplication(event);
    }
    return 0;
}

std::int32_t CAppMain::Quit(const Event&, Event&, void* reference) {
    if (reference != nullptr) {
        appOf(reference)->services_.requestTermination();
    }
    return 0;
}

std::int32_t CAppMain::NewJob(const Event& event, Event&, void* reference) {
    if (reference != nullptr) {
        appOf(reference)->handleNewJob(event);
    }
    return 0;
}

std::int32_t CAppMain::JobEnd(const Event& event, Event&, void* reference) {
    if (reference != nullptr) {
        appOf(reference)->handleJobEnd(event);
    }
    return 0;
}

std::int32_t CAppMain::Stop(const Event&, Event&, void* reference) {
    if (reference != nullptr) {
        CAppMain& app = *appOf(reference);
        app.sender_->StopCurrentJob();
        app.SaveApplicationState();
    }
    return 0;
}

std::int32_t CAppMain::Restart(const Event&, Event&, void* reference) {
    if (reference != nullptr) {
        CAppMain& app = *appOf(reference);
        app.sender_->RestertJob();
        app.SaveApplicationState();
    }
    return 0;
}

std::int32_t CAppMain::Delete(const Event& event, Event&, void* reference) {
    if (reference != nullptr) {
        appOf(reference)->handleDelete(event);
    }
    return 0;
}

std::int32_t CAppMain::GetInfo(const Event&, Event& reply, void* reference) {
    if (reference != nullptr) {
        appOf(reference)->replyJobInformation(reply);
    }
    return 0;
}

// Bit 0 stops the queue; else bit 1 restarts it.
void CAppMain::handleOpenApplication(const Event& event) {
    const auto value = directObject(event, events::kTypeLong);
    const auto flags = value ? readLong(*value) : std::nullopt;
    if (!flags) {
        return;
    }
    if ((*flags & kLaunchStopQueue) != 0) {
        sender_->StopCurrentJob();
    } else if ((*flags & kLaunchRestartQueue) != 0) {
        sender_->RestertJob();
    } else {
        return;
    }
    SaveApplicationState();
}

// A job already known (a job sender started by the writer finds the new job in "JobList"
// before the writer's announcement arrives) is not added twice.
void CAppMain::handleNewJob(const Event& event) {
    const auto value = directObject(event, kTypeNewJob);
    const auto id = value ? readJobId(*value) : std::nullopt;
    if (id && jobList_->AddNewJob(*id, 1)) {
        jobList_->SaveJobList();
    }
}

void CAppMain::handleJobEnd(const Event& event) {
    const auto value = directObject(event, kTypeJobEnd);
    const auto end = value ? readJobEnd(*value) : std::nullopt;
    CLocalJob* job = end ? jobList_->GetObjectFromID(end->first) : nullptr;
    if (job != nullptr) {
        endJobWriting(*job, end->second);
    }
}

// The job being sent is only stopped; a second delete, once the sender released it, removes it.
void CAppMain::handleDelete(const Event& event) {
    const auto value = directObject(event, kTypeDeleteJob);
    const auto id = value ? readJobId(*value) : std::nullopt;
    CLocalJob* job = id ? jobList_->GetObjectFromID(*id) : nullptr;
    if (job == nullptr) {
        return;
    }
    if (job->GetIsJobSend() == 1) {
        sender_->StopCurrentJob();
        SaveApplicationState();
    } else {
        jobList_->DeleteJob(*id);
        jobList_->SaveJobList();
    }
}

// The first jobs of the queue, head (the job being sent) first. Polling the list keeps the
// program running.
void CAppMain::replyJobInformation(Event& reply) {
    JobListReply list;
    list.stopped = sender_->GetStopFlag() == 1;
    jobList_->ForEachQueuedJob([&](CLocalJob& job) {
        if (list.jobs.size() == kMaxJobRecords) {
            return;
        }
        list.jobs.push_back(
            {.jobID = job.GetJobID(),
             .jobName = std::string(fieldText(job.GetJobName(), kTextFieldBytes)),
             .printerName = std::string(fieldText(job.GetPrinterName(), kTextFieldBytes)),
             .copies = job.GetCopies(),
             .comment = std::string(fieldText(job.GetComment(), kTextFieldBytes)),
             .state = job.GetState(),
             .progress = job.GetProgress()});
    });
    putJobList(reply, list);
    lastActive_ = services_.now();
}

}  // namespace jobsender
