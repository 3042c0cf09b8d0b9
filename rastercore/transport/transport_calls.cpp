// The job transport's production calls.
#include "transport/transport_calls.h"

#include <thread>

#include "DovoCommonLib/ios_library.h"
#include "DovoCommonLib/ios_printer_address.h"
#include "IOSProxyKit/ios_agency.h"

const TransportCalls& coreTransportCalls() {
    static const TransportCalls calls{
        .jobOpen = IOS_JobOpen,
        .jobSend = IOS_JobSend,
        .jobClose = IOS_JobClose,
        .adminOpen = IOS_AdminOpen,
        .adminGetInfo = IOS_AdminGetInfo,
        .adminControlInfo = IOS_AdminControlInfo,
        .adminClose = IOS_AdminClose,
        .printerAddressCreate = IOS_PrinterAddressCreate,
        .printerAddressDispose = IOS_PrinterAddressDispose,
        .setPrintMonitorPrinter = IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS,
        .agencyJobOpen = IOS_Agency_JobOpen,
        .agencyJobSend = IOS_Agency_JobSend,
        .agencyJobClose = IOS_Agency_JobClose,
        .pause = [](std::chrono::milliseconds wait) { std::this_thread::sleep_for(wait); },
    };
    return calls;
}

seam::Seam<TransportCalls>& transportCalls() {
    static seam::Seam<TransportCalls> seam(coreTransportCalls());
    return seam;
}
