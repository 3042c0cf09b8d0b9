// The printer's status for the job functions.
#include "interface/lib_printer_status.h"

#include <memory>

#include "DovoCommonLib/ios_library.h"
#include "interface/lib_connector.h"
#include "interface/lib_queue.h"
#include "ticket/ticket_error.h"

namespace {

// Detail codes that the printer reports while online and while offline.
constexpr std::int32_t kOnlineDetailFirst = 10001;
constexpr std::uint32_t kOnlineDetailLast = 0xFFFFFF;
constexpr std::uint32_t kOfflineDetailFirst = 0x2000000;

struct TicketDisposer {
    void operator()(TktLibTicket* ticket) const { TktLibDisposeTicket(ticket); }
};
using TicketPtr = std::unique_ptr<TktLibTicket, TicketDisposer>;

TicketPtr createTicket(int& status) {
    TktLibTicket* ticket = nullptr;
    status = TktLibCreateTicket(&ticket);
    return TicketPtr(ticket);
}

// Runs the get request on the printer: queued for a USB printer, on a session of its own for a
// network printer.
std::uint32_t getInfo(CLibDeviceInfo& device, CLibPrinterAddress& address, TktLibTicket& request,
                      TktLibTicket& response) {
    if (device.shouldUseQueue()) {
        const LibQueueLayer& queue = libQueueSeam().current();
        double identifier = 0;
        const std::uint32_t status =
            queue.enqueue(kLibQueueGet, &device, &request, &response, &identifier);
        return status != kIOS_NoErr ? status
                                    : queue.waitForTaskComplete(&device, &response, identifier);
    }
    CoreContext* session = nullptr;
    std::uint32_t status = LibConnectorAdminOpen(&session, &address);
    if (status != kIOS_NoErr) {
        return status;
    }
    status = LibConnectorAdminGetInfo(session, &request, &response);
    LibConnectorAdminClose(session);
    return status;
}

// A detail code of an offline printer, or the sub-code that stands for "no detail".
std::uint32_t offlineSubCode(std::int32_t detail, std::uint32_t withoutDetail) {
    const auto code = static_cast<std::uint32_t>(detail);
    return code >= kOfflineDetailFirst ? code : withoutDetail;
}

std::uint32_t onlineRefusalSubCode(std::int32_t detail) {
    return detail >= kOnlineDetailFirst && static_cast<std::uint32_t>(detail) <= kOnlineDetailLast
               ? static_cast<std::uint32_t>(detail)
               : kIOS_SubCodeRefused;
}

}  // namespace

std::uint32_t LocalGetPrinterStatus(CLibDeviceInfo* device, CLibPrinterAddress* address,
                                    bool* online, std::int32_t* detail) {
    if (device == nullptr || address == nullptr) {
        return kIOS_ErrParam;
    }
    if (online == nullptr && detail == nullptr) {
        return kIOS_NoErr;
    }
    if (online != nullptr) {
        *online = false;
    }
    if (detail != nullptr) {
        *detail = 0;
    }
    int ticketStatus = kTktLibNoErr;
    TicketPtr request = createTicket(ticketStatus);
    if (ticketStatus != kTktLibNoErr) {
        return ConvertTktLibError(ticketStatus);
    }
    TicketPtr response = createTicket(ticketStatus);
    if (ticketStatus == kTktLibNoErr) {
        ticketStatus = TktLibSetAttribute(request.get(), kPrinterOnlineKey, kTktLibTypeBoolean);
    }
    if (ticketStatus == kTktLibNoErr) {
        ticketStatus = TktLibSetAttribute(request.get(), kPrinterDetailCodeKey, kTktLibTypeSInt32);
    }
    if (ticketStatus != kTktLibNoErr) {
        return ConvertTktLibError(ticketStatus);
    }
    if (const std::uint32_t status = getInfo(*device, *address, *request, *response);
        status != kIOS_NoErr) {
        return status;
    }
    std::uint32_t onlineNumber = 0;
    if (online != nullptr &&
        TktLibGetBoolean(response.get(), kPrinterOnlineKey, &onlineNumber) == kTktLibNoErr) {
        *online = onlineNumber == kTktLibBooleanTrue;
    }
    std::int32_t detailCode = 0;
    if (detail != nullptr &&
        TktLibGetSInt32(response.get(), kPrinterDetailCodeKey, &detailCode) == kTktLibNoErr) {
        *detail = detailCode;
    }
    return kIOS_NoErr;
}

std::uint32_t LocalShouldJobOpenConsideringOffline(CLibDeviceInfo* device,
                                                   CLibPrinterAddress* address,
                                                   const TktLibTicket* options,
                                                   std::uint32_t* subCode) {
    if (address == nullptr) {
        return kIOS_ErrParam;
    }
    std::uint32_t result = kIOS_NoErr;
    std::uint32_t code = kIOS_SubCodeNone;
    std::uint32_t ignoreOffline = kTktLibBooleanFalse;
    const bool ignored =
        options != nullptr &&
        TktLibGetBoolean(options, kIgnoreOffLineKey, &ignoreOffline) == kTktLibNoErr &&
        ignoreOffline == kTktLibBooleanTrue;
    if (!ignored) {
        bool online = false;
        result = LocalGetPrinterStatus(device, address, &online, nullptr);
        if (result == kIOS_NoErr && !online) {
            result = kIOS_ErrOffline;
            code = kIOS_SubCodeOffline;
        }
    }
    if (subCode != nullptr) {
        *subCode = code;
    }
    return result;
}

std::uint32_t LocalRefusalWithSubCode(LibSubCodePoint point, CLibDeviceInfo* device,
                                      CLibPrinterAddress* address, std::uint32_t* subCode) {
    bool online = true;
    std::int32_t detail = 0;
    const bool known = LocalGetPrinterStatus(device, address, &online, &detail) == kIOS_NoErr;
    std::uint32_t result = kIOS_ErrOffline;
    std::uint32_t code = kIOS_SubCodeNone;
    if (known) {
        switch (point) {
            case LibSubCodePoint::kJobOpen:
                code = online ? onlineRefusalSubCode(detail)
                              : offlineSubCode(detail, kIOS_SubCodeRefused);
                break;
            case LibSubCodePoint::kJobSend:
                result = online ? kIOS_NoErr : kIOS_ErrOffline;
                code = online ? kIOS_SubCodeNone : offlineSubCode(detail, kIOS_SubCodeOffline);
                break;
            case LibSubCodePoint::kJobClose:
                code = online ? kIOS_SubCodeNone : offlineSubCode(detail, kIOS_SubCodeOffline);
                break;
        }
    }
    if (subCode != nullptr) {
        *subCode = code;
    }
    return result;
}
