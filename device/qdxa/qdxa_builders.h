// Request builders: each writes header and parameter into the session's send handle, takes the
// session's sequence counter and returns the packet length (20 plus the parameter length).
//
// A request that would not fit the 512-byte send handle is not built: the builder returns 0 and
// leaves the counter alone. Identifiers may be null (zeros are sent).
#pragma once

#include <cstdint>

#include "qdxa/qdxa_records.h"
#include "qdxa/qdxa_session.h"

std::uint32_t make_echo(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXAEchoRequest* request);
std::uint32_t make_reserve(PacketSession* session, const QDXAIdentifiers* ids,
                           const QDXAReserveRequest* request);
std::uint32_t make_unreserve(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAUnreserveRequest* request);
std::uint32_t make_Delete(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAObjectRequest* request);
std::uint32_t make_CancelJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAObjectRequest* request);
std::uint32_t make_PauseJob(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAObjectRequest* request);
std::uint32_t make_ResumeJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAObjectRequest* request);
std::uint32_t make_PromoteJob(PacketSession* session, const QDXAIdentifiers* ids,
                              const QDXAPromoteJobRequest* request);
std::uint32_t make_ExecuteMethod(PacketSession* session, const QDXAIdentifiers* ids,
                                 const QDXAExecuteMethodRequest* request);
std::uint32_t make_get2(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXAGet2Request* request);
std::uint32_t make_set2(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXASet2Request* request);
std::uint32_t make_getListElement(PacketSession* session, const QDXAIdentifiers* ids,
                                  const QDXAGetListElementRequest* request);
std::uint32_t make_listObject2(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAListObjects2Request* request);
std::uint32_t make_listex(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAListExRequest* request);
std::uint32_t make_ExecuteFile2(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAExecuteFile2Request* request);
std::uint32_t make_DeleteFiles(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXADeleteFilesRequest* request);
std::uint32_t make_ReplaceFiles(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAReplaceFilesRequest* request);
std::uint32_t make_ChangeFileBoxPassword(PacketSession* session, const QDXAIdentifiers* ids,
                                         const QDXAChangeFileBoxPasswordRequest* request);
std::uint32_t make_AcquireResource(PacketSession* session, const QDXAIdentifiers* ids,
                                   std::uint32_t resourceId);
