// The core's own services of the packet module: every packet goes to the job transport, header
// first, and the medium comes from the job's media database.
#include "qdxa/qdxa_services.h"

#include "mediadb/medium_type.h"
#include "rastercore/result_codes.h"
#include "transport/job_transport.h"

namespace {

std::int32_t sendPacket(QDXA_Info* info, std::span<const std::uint8_t> header,
                        std::span<const std::uint8_t> payload, bool last, std::uint32_t* untaken) {
    auto headerLeft = static_cast<std::uint32_t>(header.size());
    auto payloadLeft = static_cast<std::uint32_t>(payload.size());
    std::int32_t result =
        PLG_IOS_JobSend(info, header.data(), &headerLeft, last && payload.empty());
    if (result == rastercore::kResultOk && headerLeft == 0 && payloadLeft > 0) {
        result = PLG_IOS_JobSend(info, payload.data(), &payloadLeft, last);
    }
    *untaken = headerLeft + payloadLeft;
    return result;
}

}  // namespace

const QDXA_Services& coreQdxaServices() {
    static const QDXA_Services services{
        .jobSend = sendPacket,
        .getMedium = PLG_Get_Medium_MediumTypeEx_ForMXXXR,
    };
    return services;
}

seam::Seam<QDXA_Services>& qdxaServices() {
    static seam::Seam<QDXA_Services> seam(coreQdxaServices());
    return seam;
}
