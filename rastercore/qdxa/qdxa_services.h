// What the packet module reaches outside itself: the job transport, which takes every packet,
// and the media database, which names the job's medium.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "seam/seam.h"

struct PLGContext;
struct QDXA_Info;

/// The packet module's link to the job transport and the media database. Production uses the
/// core's own (`coreQdxaServices`); tests put recording doubles in place through the seam.
struct QDXA_Services {
    /// Hands one packet to the job transport: `header` (the packet header and its fixed
    /// parameters), then `payload`, with no copy between; `last` marks the job's final packet.
    /// Stores in `*untaken` the bytes of the packet the transport did not take. Returns 0, 1100
    /// (the user cancelled) or the transport's failure code.
    std::function<std::int32_t(QDXA_Info* info, std::span<const std::uint8_t> header,
                               std::span<const std::uint8_t> payload, bool last,
                               std::uint32_t* untaken)>
        jobSend;

    /// Fills the record's medium and medium type from the media database
    /// (`PLG_Get_Medium_MediumTypeEx_ForMXXXR`). Returns 1, -1 when the database has no answer or
    /// 13010 when the media-database framework cannot be opened.
    std::function<std::int32_t(QDXA_Info* info, PLGContext* context)> getMedium;
};

/// The core's own services.
const QDXA_Services& coreQdxaServices();

/// The services the packet module calls through.
seam::Seam<QDXA_Services>& qdxaServices();
