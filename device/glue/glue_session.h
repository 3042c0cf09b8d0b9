// Protocol sessions: the printer-control conversation that administration requests run on.
//
// Every operation of the glue layer returns a 16-bit status widened to 32 bits with its sign:
// 0 for success (the printer's status 1 becomes 0), the glue codes of glue_error.h, or a
// protocol status of the packet codec passed on unchanged. A session is used by one thread at a
// time; nothing here locks.
#pragma once

#include <cstdint>
#include <memory>

#include "qdxa/qdxa_job_list.h"
#include "qdxa/qdxa_memory.h"
#include "qdxa/qdxa_session.h"

/// Endpoint address kinds by IO signature.
inline constexpr std::uint16_t kGlueEndpointNet = 2;    ///< "net:"
inline constexpr std::uint16_t kGlueEndpointNet6 = 20;  ///< "net6:"
inline constexpr std::uint16_t kGlueEndpointUSB = 15;   ///< "usb://"

/// The version byte that the opening echo must report.
inline constexpr std::uint8_t kGlueProtocolVersion = 0x10;

/// The cached model name: a length byte and at most 47 characters.
inline constexpr std::uint32_t kGlueModelNameSize = 48;

/// Calibration list layout: a 16-bit entry count at offset 0 and, from
/// kGlueCalibrationEntriesOffset, the entries, each owning eight memory handles.
inline constexpr std::uint32_t kGlueCalibrationEntryHandles = 8;
struct GlueCalibrationEntry {
    WqsMemHandle* handles[kGlueCalibrationEntryHandles] = {};
};
inline constexpr std::uint32_t kGlueCalibrationEntriesOffset = alignof(GlueCalibrationEntry);

/// One open printer: made by glue_qdxaOpen, freed by glue_qdxaClose.
struct GlueSession {
    GlueSession() = default;
    ~GlueSession();
    GlueSession(const GlueSession&) = delete;
    GlueSession& operator=(const GlueSession&) = delete;

    std::unique_ptr<QDXABindRecord> bindRecord;
    PacketSession* packetSession = nullptr;  ///< every request goes through it
    std::uint32_t userId1 = 0;               ///< header identifiers of every request
    std::uint32_t userId2 = 0;
    std::uint8_t protocolVersion = 0;         ///< as the opening echo reported it
    JobAttrListPtr jobList;                   ///< the decoded job list
    WqsMemHandle* calibrationList = nullptr;  ///< filled by the administration layer, owned
    WqsMemHandle* profileList = nullptr;      ///< filled by the administration layer, owned
    std::uint8_t printerState = 0;            ///< cached at open from attribute 282
    std::uint8_t stateReason = 0;
    std::uint8_t printable = 0;
    std::uint32_t statusDetailCode = 0;
    std::uint8_t modelName[kGlueModelNameSize] = {};  ///< cached at open from attribute 1056
    WqsMemHandle* extraBuffer = nullptr;              ///< optional, owned
    std::uint64_t jobAttributeSupport = 0;
    std::uint64_t jobOperationSupport = 0;
    std::uint64_t printerAttributeSupport = 0;
    std::uint64_t fileBoxAttributeSupport = 0;
    std::uint8_t supportCacheFlags = 0;
};

/// Opens a protocol session over `transport` (an I/O channel made from `address`, which begins
/// with its IO signature) with the version check, and caches the model name and printer state.
/// 0 and the session in *session; otherwise *session stays null and nothing stays allocated:
/// 15850 missing argument, 15851 no memory, -1 (all ones) for an address without a network or
/// USB signature (nothing is sent), 15831 wrong protocol version, 15832 no version-2 answer,
/// or the bind's or a request's status.
std::int32_t glue_qdxaOpen(const char* address, CaioChannel* transport, std::uint8_t channelKind,
                           GlueSession** session);

/// Without `buffer` or with *length 0: an echo without data, whose reply byte goes to *version
/// (when given). Otherwise the *length bytes of `buffer` are echoed; the buffer is cleared for
/// its length and receives the answer, cut to that length, and *length the bytes copied.
/// 0, 15850 without a session, or the request's status.
std::int32_t glue_qdxaEcho(GlueSession* session, std::uint8_t* buffer, std::uint16_t* length,
                           std::uint8_t* version);

/// Closes the session and clears the reference; 0 for a null session. A failed close returns
/// its status and leaves the session (without its packet session, which the codec freed) for
/// another close.
std::int32_t glue_qdxaClose(GlueSession** session, std::uint8_t abort);

/// Free the held job list, calibration list or profile list; 0, or 15850 without a session.
std::int32_t glue_qdxaDisposeJobListBuf(GlueSession* session);
std::int32_t glue_qdxaDispose_CalibrationListBuf(GlueSession* session);
std::int32_t glue_qdxaDispose_ProfileListBuf(GlueSession* session);

/// The IO signature that `address` begins with ("net:", "net6:", "mdns:", "usb://",
/// "notuse:"; the first that matches), or null.
const char* zGetIOSignatureFromHxpdUri(const char* address);

/// Copies the IO signature of `address` into a new string in *signature (freed with delete[]).
/// 0, or -1 (all ones) when the address is missing, has no signature or the copy fails.
std::int32_t HxpdUriToEndpointFamily(const char* address, char** signature);
