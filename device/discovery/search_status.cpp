// The library statuses of the search codes.
#include "discovery/search_status.h"

#include "DovoCommonLib/ios_status.h"

std::uint32_t LocalSearchErrorCodeToLibErrorCode(std::int32_t code) {
    switch (code) {
        case kSearchNoErr:
            return kIOS_NoErr;
        case kSearchParamErr:
            return kIOS_ErrParam;
        case kSearchMemErr:
            return kIOS_ErrMemory;
        default:
            return kIOS_ErrInternal;
    }
}
