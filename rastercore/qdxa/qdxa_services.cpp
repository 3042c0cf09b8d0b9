// The core's own services of the packet module. The job transport and the media database are
// not built yet, so both refuse: no packet is reported as sent and no medium as found.
#include "qdxa/qdxa_services.h"

#include "rastercore/result_codes.h"
#include "record/qdxa_info.h"

std::int32_t QDXA_Services::jobSend(QDXA_Info*, const std::uint8_t*, std::uint32_t*, bool) {
    return rastercore::kTransportFailure;
}

std::int32_t QDXA_Services::getMedium(QDXA_Info*, PLGContext*) {
    return rastercore::kMediaDbNotOpened;
}

QDXA_Services& qdxaServices(const QDXA_Info* info) {
    static QDXA_Services core;
    return info->services != nullptr ? *info->services : core;
}
