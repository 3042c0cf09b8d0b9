// The packet operations: build a request, exchange it over the control channel and parse the
// reply. Each returns the parser's result (1, or 4 or 29 where the operation allows them), a
// protocol or codec result, a transport status of the exchange, -1 when the request does not
// fit the send handle, or 15850 without session or reply record.
#pragma once

#include <cstdint>

#include "qdxa/qdxa_records.h"
#include "qdxa/qdxa_session.h"

std::int32_t QDXA_Echo(PacketSession* session, const QDXAIdentifiers* ids,
                       const QDXAEchoRequest* request, QDXAEchoReply* reply);
std::int32_t QDXA_Reserve(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAReserveRequest* request, QDXAReserveReply* reply);
std::int32_t QDXA_Unreserve(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAUnreserveRequest* request, QDXAUnreserveReply* reply);
std::int32_t QDXA_Delete(PacketSession* session, const QDXAIdentifiers* ids,
                         const QDXAObjectRequest* request, QDXAObjectReply* reply);
std::int32_t QDXA_CancelJob(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAObjectRequest* request, QDXAObjectReply* reply);
std::int32_t QDXA_PauseJob(PacketSession* session, const QDXAIdentifiers* ids,
                           const QDXAObjectRequest* request, QDXAObjectReply* reply);
std::int32_t QDXA_ResumeJob(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAObjectRequest* request, QDXAObjectReply* reply);
std::int32_t QDXA_PromoteJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAPromoteJobRequest* request, QDXAPromoteJobReply* reply);
std::int32_t QDXA_ExecuteMethod(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAExecuteMethodRequest* request,
                                QDXAExecuteMethodReply* reply);
std::int32_t QDXA_ListEx(PacketSession* session, const QDXAIdentifiers* ids,
                         const QDXAListExRequest* request, QDXAListExReply* reply);
std::int32_t QDXA_ChangeFileBoxPassword(PacketSession* session, const QDXAIdentifiers* ids,
                                        const QDXAChangeFileBoxPasswordRequest* request,
                                        QDXAChangeFileBoxPasswordReply* reply);
std::int32_t QDXA_DeleteFiles(PacketSession* session, const QDXAIdentifiers* ids,
                              const QDXADeleteFilesRequest* request, QDXAFileListReply* reply);
std::int32_t QDXA_ReplaceFiles(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAReplaceFilesRequest* request, QDXAFileListReply* reply);
std::int32_t QDXA_Get2(PacketSession* session, const QDXAIdentifiers* ids,
                       const QDXAGet2Request* request, QDXAGet2Reply* reply);
std::int32_t QDXA_GetListElement(PacketSession* session, const QDXAIdentifiers* ids,
                                 const QDXAGetListElementRequest* request,
                                 QDXAGetListElementReply* reply);
std::int32_t QDXA_Set2(PacketSession* session, const QDXAIdentifiers* ids,
                       const QDXASet2Request* request, QDXASet2Reply* reply);
std::int32_t QDXA_ExecuteFile2(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAExecuteFile2Request* request,
                               QDXAExecuteFile2Reply* reply);
std::int32_t QDXA_ListObjects2(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAListObjects2Request* request,
                               QDXAListObjects2Reply* reply);

/// The resource acquisition over the binary channel. With a non-zero `resourceId` the request
/// is sent and its sequence number stored in *sequence; with 0 nothing is sent and the next
/// packet with the sequence number in *sequence is collected. 29 means: call again with 0 and
/// append the copy. -1 without `sequence`.
std::int32_t QDXA_AcquireResource(PacketSession* session, const QDXAIdentifiers* ids,
                                  std::uint32_t resourceId, QDXAAcquireResourceReply* reply,
                                  std::uint16_t* sequence);
