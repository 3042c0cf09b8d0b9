// The steps of one print job that the job driver calls, gathered in one table so the driver's
// order and result handling stand on their own and tests can put recording doubles in place.
#pragma once

#include <cstdint>
#include <functional>

#include "seam/seam.h"

struct CoreCommonInfoTbl;
struct PLGContext;
struct QDXA_Info;

struct JobSteps {
    /// Fills the zeroed context from the job record; 0 or a failure code.
    std::function<std::int32_t(void* reserved, CoreCommonInfoTbl** table, PLGContext* context)>
        initialize;
    /// Opens the job on the printer or the spooler; 0, 1100 or -1200.
    std::function<std::int32_t(QDXA_Info* packet)> jobOpen;
    /// Sends the job, binder and document packets and the job header; 0, 1100 or a failure.
    std::function<std::int32_t(PLGContext* context)> startJob;
    /// Prints every copy of the image page; 0, 1100 or a failure.
    std::function<std::int32_t(PLGContext* context)> bandLoop;
    /// Renders the captions of a test-pattern sheet; 0 or a failure.
    std::function<std::int32_t(PLGContext* context)> patternCreateCaption;
    /// Prints the test-pattern sheet; 0, 1100 or a failure.
    std::function<std::int32_t(PLGContext* context)> patternPrintLoop;
    /// Sends the job's closing commands and packets; 0, 1100 or a failure.
    std::function<std::int32_t(PLGContext* context)> endJob;
    /// Cancels the job on the printer; sets `*closeAsCancelled` when the close must cancel.
    std::function<void(QDXA_Info* packet, bool* closeAsCancelled)> jobCancel;
    /// Closes the job, as cancelled when the flag is set.
    std::function<void(QDXA_Info* packet, bool closeAsCancelled)> jobClose;
    /// Releases everything the context owns, then the context itself; 0 or -1400.
    std::function<std::int32_t(PLGContext* context)> terminate;
};

/// The steps the core runs.
const JobSteps& coreJobSteps();

/// The steps the job driver calls through.
seam::Seam<JobSteps>& jobSteps();
