// What the packet module reaches outside itself: the job transport, which takes every packet,
// and the media database, which names the job's medium.
#pragma once

#include <cstdint>

struct PLGContext;
struct QDXA_Info;

/// The packet record's link to the job transport and the media database. A record without its
/// own services uses the core's (`coreQdxaServices`); tests put recording doubles in its place.
class QDXA_Services {
  public:
    virtual ~QDXA_Services() = default;

    /// Hands `*length` bytes of one packet to the job transport; `last` marks the job's final
    /// packet. On return `*length` holds the bytes the transport did not take. Returns 0, 1100
    /// (the user cancelled) or the transport's failure code. The core's own answers 14000 for
    /// every packet until the job transport is built.
    virtual std::int32_t jobSend(QDXA_Info* info, const std::uint8_t* data, std::uint32_t* length,
                                 bool last);

    /// Fills the record's medium and medium type from the media database
    /// (`PLG_Get_Medium_MediumTypeEx_ForMXXXR`). Returns 1, -1 when the database has no answer or
    /// 13010 when the media-database framework cannot be opened, which is the core's own answer
    /// until the media database is built.
    virtual std::int32_t getMedium(QDXA_Info* info, PLGContext* context);
};

/// The services of a record: its own, else the core's.
QDXA_Services& qdxaServices(const QDXA_Info* info);
