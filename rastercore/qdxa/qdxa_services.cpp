// The core's own services of the packet module. The job transport and the media database are
// not built yet, so both refuse: no packet is reported as sent and no medium as found.
#include "qdxa/qdxa_services.h"

#include "rastercore/result_codes.h"

const QDXA_Services& coreQdxaServices() {
    static const QDXA_Services services{
        .jobSend =
            [](QDXA_Info*, std::span<const std::uint8_t> header,
               std::span<const std::uint8_t> payload, bool, std::uint32_t* untaken) {
                *untaken = static_cast<std::uint32_t>(header.size() + payload.size());
                return rastercore::kTransportFailure;
            },
        .getMedium = [](QDXA_Info*, PLGContext*) { return rastercore::kMediaDbNotOpened; },
    };
    return services;
}

seam::Seam<QDXA_Services>& qdxaServices() {
    static seam::Seam<QDXA_Services> seam(coreQdxaServices());
    return seam;
}
