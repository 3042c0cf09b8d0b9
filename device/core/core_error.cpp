// The conversion tables between the error families below the core and the core result codes.
#include "core/core_error.h"

#include "glue/glue_error.h"
#include "ticket/ticket_library.h"
#include "transport/caio.h"

namespace {

// The per-request protocol statuses that the administration path does not count as failures.
constexpr std::int32_t kLastPerRequestStatus = 33;
constexpr std::int32_t kProtocolStatus12 = 12;

struct TransportCore {
    std::int32_t status;
    std::uint32_t core;
};

// Transport failures that the core reports by their own code; glue and channel share them.
constexpr TransportCore kTransportCodes[] = {
    {caioStatusFromCode(kCaioCodeReset), kCoreResetErr},
    {caioStatusFromCode(kCaioCodeRefused), kCoreRefusedErr},
    {caioStatusFromCode(kCaioCodeNotReady), kCoreBusyErr},
    {caioStatusFromCode(kCaioCodeTimedOut), kCoreTimedOutErr},
    {caioStatusFromCode(kCaioCodeTryAgain), kCoreTryAgainErr},
    {caioStatusFromCode(kCaioCodeNotConnected), kCorePrinterRefusedErr},
};

// The core code of a transport failure, else kCoreUnknownErr.
std::uint32_t transportCore(std::int32_t status) {
    for (const TransportCore& entry : kTransportCodes) {
        if (entry.status == status) {
            return entry.core;
        }
    }
    return kCoreUnknownErr;
}

}  // namespace

std::uint32_t ConvertTktLibErrToCoreErr(int tktLibError) {
    switch (tktLibError) {
        case kTktLibNoErr:
        case kTktLibNotFoundErr:
            return kCoreNoErr;
        case kTktLibMemErr:
            return kCoreMemErr;
        default:
            return kCoreTicketErr;
    }
}

std::uint32_t ConvertGlueErrToCoreErr(std::int32_t glueError) {
    switch (glueError) {
        case kGlueNoErr:
            return kCoreNoErr;
        case kGlueMemErr:
            return kCoreMemErr;
        case kGlueVersionErr:
            return kCoreNoSessionErr;
        case kGlueNoVersion2Err:
            return kCoreNoVersion2Err;
        case kGlueStatus12Err:
            return kCoreStatus12Err;
        case kGlueParamErr:
            return kCoreGlueParamErr;
        default:
            return transportCore(glueError);
    }
}

std::uint32_t LocalConvertCaioErrToCoreErr(std::int32_t caioError) {
    return caioError == kCaioNoErr ? kCoreNoErr : transportCore(caioError);
}

std::int32_t CheckQDXAErr(std::int32_t status) {
    const auto low = static_cast<std::int16_t>(static_cast<std::uint16_t>(status & 0xFFFF));
    if (low == kProtocolStatus12) {
        return kGlueStatus12Err;
    }
    if (low >= 0 && low <= kLastPerRequestStatus) {
        return kGlueNoErr;
    }
    return low;
}

std::int32_t ConvertGlueErrToControlErr(std::int32_t glueError) {
    if (glueError == kGlueFailure) {
        return kCoreControlUnknownErr;
    }
    if (glueError == caioStatusFromCode(kCaioCodeNotConnected)) {
        return kCoreControlRefusedErr;
    }
    return glueError;
}
