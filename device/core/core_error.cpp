// The conversion tables between the error families below the core and the core result codes.
#include "core/core_error.h"

#include "glue/glue_error.h"
#include "ticket/ticket_library.h"
#include "transport/caio.h"

namespace {

// The per-request protocol statuses that the administration path does not count as failures.
constexpr std::int32_t kLastPerRequestStatus = 33;
constexpr std::int32_t kProtocolStatus12 = 12;

// Transport failures that the core reports by their own code; glue and channel share them.
bool transportCode(std::int32_t status, std::uint32_t* core) {
    switch (status) {
        case caioStatusFromCode(kCaioCodeReset):
            *core = kCoreResetErr;
            return true;
        case caioStatusFromCode(kCaioCodeRefused):
            *core = kCoreRefusedErr;
            return true;
        case caioStatusFromCode(kCaioCodeNotReady):
            *core = kCoreBusyErr;
            return true;
        case caioStatusFromCode(kCaioCodeTimedOut):
            *core = kCoreTimedOutErr;
            return true;
        case caioStatusFromCode(kCaioCodeTryAgain):
            *core = kCoreTryAgainErr;
            return true;
        case caioStatusFromCode(kCaioCodeNotConnected):
            *core = kCorePrinterRefusedErr;
            return true;
        default:
            return false;
    }
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
    std::uint32_t core = kCoreUnknownErr;
    if (transportCode(glueError, &core)) {
        return core;
    }
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
            return kCoreUnknownErr;
    }
}

std::uint32_t LocalConvertCaioErrToCoreErr(std::int32_t caioError) {
    std::uint32_t core = kCoreUnknownErr;
    if (caioError == kCaioNoErr) {
        return kCoreNoErr;
    }
    transportCode(caioError, &core);
    return core;
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
