// The packet writers: each turns one job-level request into one QDXA packet and hands it to the
// job transport.
//
// Every packet starts with the 20-byte header: magic CD CA, version 0x10, the flags byte, the
// operation code, sequence number 1, the parameter length, the two 32-bit identifiers and a zero
// result; every integer big-endian. The flags byte is 0, or 4 when `replyFlag` has bit 0 set; no
// reply is read. A data packet followed by more data of the same block carries 2 instead.
//
// Every writer returns 0 once the transport took the packet, 1100 when the user cancelled, 11010
// for a missing record or value, an empty value or one too long for the parameter length, or the
// transport's failure code. Nothing is allocated or copied: the transport receives the header
// (with the fixed parameters) and the caller's value as two spans. Only the job-end
// packet is sent with the transport's last flag set.
#pragma once

#include <cstdint>

struct QDXA_Info;

/// Most data bytes one data packet carries, so that header, data kind and data fill at most
/// 64 KiB.
inline constexpr std::uint32_t kQdxaMaxDataPiece = 65515;
/// Data kind of print data.
inline constexpr std::uint8_t kQdxaDataKindPrint = 1;
/// Continuation marker of a data piece that more data of the same block follows.
inline constexpr std::uint8_t kQdxaContinued = 0x02;

/// Execute-method ids of the document attributes that travel as method executions.
inline constexpr std::uint16_t kMethodDetailMedia = 0x4006;
inline constexpr std::uint16_t kMethodCalibration = 0x400B;
inline constexpr std::uint16_t kMethodCreatorId = 0x4011;
inline constexpr std::uint16_t kMethodPathMode = 0x4014;
inline constexpr std::uint16_t kMethodGroupId = 0x4018;

/// One attribute of a set-job, set-binder or set-document packet.
struct QDXA_Attribute {
    std::uint16_t id;
    const std::uint8_t* value;  ///< wire form
    std::uint32_t length;       ///< bytes, 1 to 65533
};

/// One piece of a data block.
struct QDXA_DataPiece {
    std::uint8_t dataKind;      ///< the core sends kQdxaDataKindPrint
    std::uint8_t continuation;  ///< kQdxaContinued when more data of the block follows
    const std::uint8_t* data;
    std::uint32_t length;  ///< in: bytes; out: the bytes sent, at most kQdxaMaxDataPiece
};

/// Job start (0x11): parameters uint32, uint8, uint32, uint32; the core sends 0, 1, 0, 0.
std::int32_t QDXA_JobStart(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                           std::uint32_t secondId, std::uint32_t first, std::uint8_t second,
                           std::uint32_t third, std::uint32_t fourth);

/// Job start 2 (0x6B): the attribute count, then the attribute list ({uint16 id; uint16 length;
/// value} each) of `length` bytes.
std::int32_t QDXA_JobStart2(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                            std::uint32_t secondId, std::uint16_t attributeCount,
                            const std::uint8_t* list, std::uint32_t length);

/// Job end (0x13): one end-kind byte; sent with the transport's last flag.
std::int32_t QDXA_JobEnd(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                         std::uint32_t secondId, std::uint8_t endKind);

/// Binder start (0x14) with its uint32 binder id, and binder end (0x16) without parameters.
std::int32_t QDXA_BinderStart(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                              std::uint32_t secondId, std::uint32_t binderId);
std::int32_t QDXA_BinderEnd(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                            std::uint32_t secondId);

/// Document start (0x17) with its uint32 document id, and document end (0x19).
std::int32_t QDXA_DocumentStart(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                                std::uint32_t secondId, std::uint32_t documentId);
std::int32_t QDXA_DocumentEnd(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                              std::uint32_t secondId);

/// Set job (0x12), set binder (0x15), set document (0x18): the uint16 attribute id, then the
/// value.
std::int32_t QDXA_SetJob(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                         std::uint32_t secondId, const QDXA_Attribute& attribute);
std::int32_t QDXA_SetBinder(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                            std::uint32_t secondId, const QDXA_Attribute& attribute);
std::int32_t QDXA_SetDocument(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                              std::uint32_t secondId, const QDXA_Attribute& attribute);

/// Execute method (0x1D): uint32 object 0, the uint16 method id, then the value of `length` bytes
/// (1 to 65529). One writer per method the core executes.
std::int32_t QDXA_SetExcuteMethod(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                                  std::uint32_t secondId, const std::uint8_t* value,
                                  std::uint32_t length);
std::int32_t QDXA_SetExcuteMethod_Calibration(QDXA_Info* info, std::uint8_t replyFlag,
                                              std::uint32_t firstId, std::uint32_t secondId,
                                              const std::uint8_t* value, std::uint32_t length);
std::int32_t QDXA_SetExecuteMethod_CreatorID(QDXA_Info* info, std::uint8_t replyFlag,
                                             std::uint32_t firstId, std::uint32_t secondId,
                                             const std::uint8_t* value, std::uint32_t length);
std::int32_t QDXA_SetExcuteMethod_GroupID(QDXA_Info* info, std::uint8_t replyFlag,
                                          std::uint32_t firstId, std::uint32_t secondId,
                                          const std::uint8_t* value, std::uint32_t length);
std::int32_t QDXA_SetExcuteMethod_PathMode(QDXA_Info* info, std::uint8_t replyFlag,
                                           std::uint32_t firstId, std::uint32_t secondId,
                                           const std::uint8_t* value, std::uint32_t length);

/// Data (0x1A): the data kind byte, then at most kQdxaMaxDataPiece bytes of the piece; a longer
/// piece is cut and its length written back. The flags byte is 2 for a continued piece, else 4
/// when a reply is asked, else 0. The bytes of the packet that the transport took are added to
/// the record's octet count.
std::int32_t QDXA_Send(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                       std::uint32_t secondId, QDXA_DataPiece* piece);

/// Attribute query (0x04): uint32 object id, uint16 attribute id.
std::int32_t QDXA_Get(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                      std::uint32_t secondId, std::uint32_t objectId, std::uint16_t attributeId);
