// Cancelling a job on the printer: the printer's job list is searched for the jobs that carry
// this job's client job number, and each is cancelled through an administration control.
#include <cstring>
#include <initializer_list>
#include <memory>

#include "DovoCommonLib/ios_status.h"
#include "DovoCommonLib/ios_ticket.h"
#include "rastercore/result_codes.h"
#include "record/qdxa_info.h"
#include "transport/job_transport.h"
#include "transport/transport_calls.h"

namespace {

constexpr const char* kJobListClass = "orvane.wqs.JobList";
constexpr const char* kJobHandleCountKey = "orvane.wqs.JobHandleCount";
constexpr const char* kJobHandleKey = "orvane.wqs.JobHandle";
constexpr const char* kJobNumberOnClientKey = "orvane.wqs.JobNumberOnClient";
constexpr const char* kCancelJobKey = "orvane.wqs.CancelJob";
constexpr const char* kControlResultsKey = "orvane.wqs.ReultListOfControl";
constexpr std::uint32_t kTypeInteger = 2;
constexpr std::uint32_t kTypeIntegerArray = 0x102;
constexpr std::uint32_t kTypeStringArray = 0x101;
/// Bytes of a client job number as the printer's job list gives it, terminator included.
constexpr std::uint32_t kClientNumberBytes = 256;

struct TicketRelease {
    void operator()(void* ticket) const { IOS_TicketDispose(ticket); }
};
struct ArrayRelease {
    void operator()(void* array) const { IOS_ArrayDispose(array); }
};
using Ticket = std::unique_ptr<void, TicketRelease>;
using Array = std::unique_ptr<void, ArrayRelease>;

std::uint32_t makeTicket(Ticket& ticket) {
    void* made = nullptr;
    const std::uint32_t status = IOS_TicketCreate(&made);
    ticket.reset(made);
    return status;
}

/// A request ticket and the ticket the printer's answer fills.
struct Exchange {
    Ticket request;
    Ticket answer;
};

std::uint32_t makeExchange(Exchange& exchange) {
    const std::uint32_t status = makeTicket(exchange.request);
    return status == kIOS_NoErr ? makeTicket(exchange.answer) : status;
}

struct JobListAttribute {
    const char* key;
    std::uint32_t type;
};

/// Asks the printer's job list for `attributes`; the answer is in `exchange.answer`.
std::uint32_t askJobList(void* admin, std::initializer_list<JobListAttribute> attributes,
                         Exchange& exchange) {
    std::uint32_t status = makeExchange(exchange);
    for (const JobListAttribute& attribute : attributes) {
        if (status == kIOS_NoErr) {
            status = IOS_TicketSet2ClassAttribute(exchange.request.get(), kJobListClass,
                                                  attribute.key, attribute.type);
        }
    }
    if (status == kIOS_NoErr) {
        status = transportCalls().current().adminGetInfo(admin, exchange.request.get(),
                                                         exchange.answer.get());
    }
    return status;
}

/// The printer's job list: its length, job handles and client job numbers.
struct JobList {
    std::int32_t count = 0;
    Array handles;
    Array clientNumbers;
};

std::uint32_t askJobCount(void* admin, JobList& list) {
    Exchange exchange;
    std::uint32_t status = askJobList(admin, {{kJobHandleCountKey, kTypeInteger}}, exchange);
    if (status == kIOS_NoErr) {
        status = IOS_TicketGet2ClassSInt32(exchange.answer.get(), kJobListClass, kJobHandleCountKey,
                                           &list.count);
    }
    return status;
}

std::uint32_t askJobArrays(void* admin, JobList& list) {
    Exchange exchange;
    std::uint32_t status = askJobList(
        admin, {{kJobHandleKey, kTypeIntegerArray}, {kJobNumberOnClientKey, kTypeStringArray}},
        exchange);
    void* array = nullptr;
    if (status == kIOS_NoErr) {
        status =
            IOS_TicketGet2ClassArray(exchange.answer.get(), kJobListClass, kJobHandleKey, &array);
        list.handles.reset(array);
    }
    if (status == kIOS_NoErr) {
        array = nullptr;
        status = IOS_TicketGet2ClassArray(exchange.answer.get(), kJobListClass,
                                          kJobNumberOnClientKey, &array);
        list.clientNumbers.reset(array);
    }
    return status;
}

/// Cancels the printer's job `handle`; the printer's result of the control, or a failure.
std::uint32_t cancelPrinterJob(void* admin, std::int32_t handle) {
    Exchange exchange;
    std::uint32_t status = makeExchange(exchange);
    if (status == kIOS_NoErr) {
        status = IOS_TicketSetSInt32(exchange.request.get(), kCancelJobKey, handle);
    }
    if (status == kIOS_NoErr) {
        status = transportCalls().current().adminControlInfo(admin, exchange.request.get(),
                                                             exchange.answer.get());
    }
    void* array = nullptr;
    if (status == kIOS_NoErr) {
        status = IOS_TicketGetArray(exchange.answer.get(), kControlResultsKey, &array);
    }
    const Array results(array);
    std::int32_t result = 0;
    if (status == kIOS_NoErr) {
        status = IOS_ArrayGetSInt32(results.get(), 0, &result);
    }
    return status != kIOS_NoErr ? status : static_cast<std::uint32_t>(result);
}

std::uint32_t cancelMatchingJobs(void* admin, const char* identifier) {
    JobList list;
    std::uint32_t status = askJobCount(admin, list);
    if (status != kIOS_NoErr || list.count <= 0) {
        return status;
    }
    if ((status = askJobArrays(admin, list)) != kIOS_NoErr) {
        return status;
    }
    for (std::int32_t index = 0; index < list.count; ++index) {
        char number[kClientNumberBytes] = {};
        status = IOS_ArrayGetCString(list.clientNumbers.get(), index, number, sizeof number);
        if (status != kIOS_NoErr) {
            return status;
        }
        if (std::strncmp(number, identifier, sizeof number) != 0) {
            continue;
        }
        std::int32_t handle = 0;
        if ((status = IOS_ArrayGetSInt32(list.handles.get(), index, &handle)) != kIOS_NoErr ||
            (status = cancelPrinterJob(admin, handle)) != kIOS_NoErr) {
            return status;
        }
    }
    return kIOS_NoErr;
}

std::uint32_t cancelOnPrinter(const QDXA_Info& info) {
    if (info.printerAddress == nullptr) {
        return rastercore::kTransportNoAddress;
    }
    const TransportCalls& calls = transportCalls().current();
    void* admin = nullptr;
    std::uint32_t status = calls.adminOpen(&admin, info.printerAddress);
    if (status != kIOS_NoErr) {
        return status;
    }
    char identifier[sizeof info.jobIdentifier] = {};
    std::memcpy(identifier, info.jobIdentifier, sizeof identifier - 1);
    status = cancelMatchingJobs(admin, identifier);
    calls.adminClose(admin);
    return status;
}

}  // namespace

void PLG_IOS_JobCancel(QDXA_Info* info, bool* closeAsCancelled) {
    const bool failed = info == nullptr || info->spool != 0 || cancelOnPrinter(*info) != 0;
    if (closeAsCancelled != nullptr) {
        *closeAsCancelled = failed;
    }
}
