// Reply parsers: each reads the last reply in the session's receive handle (checked against
// the sequence number of the request just built) into its reply record.
//
// The result is 1, 4 or 29 when the reply carries data, else the reply's own result or the
// codec's 2, 6 or 12. Parsers read only within the bytes received and within the parameter:
// a reply that ends early ends the decoding there, with the fields read so far.
#pragma once

#include <cstdint>

#include "qdxa/qdxa_records.h"
#include "qdxa/qdxa_session.h"

std::int32_t get_echo(PacketSession* session, QDXAEchoReply* reply);
std::int32_t get_reserve(PacketSession* session, QDXAReserveReply* reply);
std::int32_t get_unreserve(PacketSession* session, QDXAUnreserveReply* reply);
std::int32_t get_Delete(PacketSession* session, QDXAObjectReply* reply);
std::int32_t get_CancelJob(PacketSession* session, QDXAObjectReply* reply);
std::int32_t get_PauseJob(PacketSession* session, QDXAObjectReply* reply);
std::int32_t get_ResumeJob(PacketSession* session, QDXAObjectReply* reply);
std::int32_t get_PromoteJob(PacketSession* session, QDXAPromoteJobReply* reply);
std::int32_t get_ExecuteMethod(PacketSession* session, QDXAExecuteMethodReply* reply);
std::int32_t get_get2(PacketSession* session, QDXAGet2Reply* reply);
std::int32_t get_set2(PacketSession* session, QDXASet2Reply* reply);
std::int32_t get_getListElement(PacketSession* session, QDXAGetListElementReply* reply);
std::int32_t get_listObject2(PacketSession* session, QDXAListObjects2Reply* reply);
std::int32_t get_listex(PacketSession* session, QDXAListExReply* reply);
std::int32_t get_ExecuteFile2(PacketSession* session, QDXAExecuteFile2Reply* reply);
std::int32_t get_DeleteFiles(PacketSession* session, QDXAFileListReply* reply);
std::int32_t get_ReplaceFiles(PacketSession* session, QDXAFileListReply* reply);
std::int32_t get_ChangeFileBoxPassword(PacketSession* session,
                                       QDXAChangeFileBoxPasswordReply* reply);
/// Returns 29 in place of 1 when the reply announces further packets.
std::int32_t get_AcquireResource(PacketSession* session, QDXAAcquireResourceReply* reply);
