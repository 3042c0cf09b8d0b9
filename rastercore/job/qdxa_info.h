// The packet record of a job: what the job transport and the packet writers share.
#pragma once

#include <cstdint>

struct PLGContext;

namespace rastercore {
class ProgressObject;
}

/// Allocated zeroed by the job set-up; starts with its pointer back to the job context.
struct QDXA_Info {
    PLGContext* context;
    void* jobHandle;       ///< the open job of the device library or spooler
    void* printerAddress;  ///< created in set-up, disposed in tear-down
    std::int32_t spool;    ///< non-zero: spool through the spooling framework
    std::uint16_t spoolCopies;
    char spoolDocumentName[33];            ///< at most 32 bytes
    char spoolComment[33];                 ///< at most 32 bytes
    char jobIdentifier[257];               ///< the client job number sent with the job
    std::uint8_t* cancelByte;              ///< the job record's cancel byte
    rastercore::ProgressObject* progress;  ///< host type 1 only
    double lastCancelPoll;                 ///< seconds
    std::uint8_t hostType;
};
