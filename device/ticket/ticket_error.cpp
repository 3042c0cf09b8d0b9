// Conversion of ticket library codes to library statuses.
#include "ticket/ticket_error.h"

#include "DovoCommonLib/ios_status.h"
#include "ticket/ticket_library.h"

std::uint32_t ConvertTktLibError(int tktLibError) {
    switch (tktLibError) {
        case kTktLibNoErr:
            return kIOS_NoErr;
        case kTktLibParamErr:
            return kIOS_ErrParam;
        case kTktLibMemErr:
            return kIOS_ErrMemory;
        case kTktLibNotFoundErr:
            return kIOS_ErrNotFound;
        default:
            return kIOS_ErrInternal;
    }
}
