// The job's QDXA packets: job, binder and document start and end, their attributes and the print
// data, each taken from the packet record and handed to the packet writers.
//
// Shared rules: every operation takes the packet record, an optional value that replaces the
// record's own value when given, the reply flag (bit 0 asks the printer for a reply, which is
// never read) and a status out that is cleared when given. Each returns 0 once its packet was
// handed to the job transport, 11010 for a missing record, 1100 when the user cancelled, or the
// packet writer's or the transport's failure code. The identifiers of every packet are 0.
#pragma once

#include <cstdint>

#include "record/qdxa_info.h"

struct PLGContext;

/// Document format of the core's print data, sent with both of its texts empty.
inline constexpr std::uint8_t kDocumentFormatRaster = 123;
/// Creator id of the core, sent with the creator-id method.
inline constexpr std::uint32_t kCreatorId = 0x0401A768;

/// Derives every attribute value of the record from the context's model values and the texts
/// and choices the job set-up prepared, and asks the media database for the medium. Returns 0,
/// 11010 for a missing argument, 10000 when the model's media-database value is not 2, or the
/// media database's failure (-1, 13010).
std::int32_t tarn_QDXA_Initialize(PLGContext* context, QDXA_Info* info);

/// Releases the record and its packet buffer (clearing the context's pointer to it); 0, or 11010
/// for a missing record.
std::int32_t tarn_QDXA_Terminate(QDXA_Info* info);

// Packets without a value of their own; `value` is not read.
std::int32_t tarn_QDXA_JobStart(QDXA_Info* info, const void* value, std::uint8_t replyFlag,
                                std::int16_t* status);
/// Job start 2 with the attribute list of the record's job-start-2 values.
std::int32_t tarn_QDXA_JobStart2(QDXA_Info* info, const void* value, std::uint8_t replyFlag,
                                 std::int16_t* status);
std::int32_t tarn_QDXA_BinderStart(QDXA_Info* info, const void* value, std::uint8_t replyFlag,
                                   std::int16_t* status);
std::int32_t tarn_QDXA_BinderEnd(QDXA_Info* info, const void* value, std::uint8_t replyFlag,
                                 std::int16_t* status);
std::int32_t tarn_QDXA_DocumentStart(QDXA_Info* info, const void* value, std::uint8_t replyFlag,
                                     std::int16_t* status);
std::int32_t tarn_QDXA_DocumentEnd(QDXA_Info* info, const void* value, std::uint8_t replyFlag,
                                   std::int16_t* status);

/// The job-end packet, whose one parameter byte is `endKind` (the core passes 0).
std::int32_t tarn_QDXA_JobEnd(QDXA_Info* info, std::uint8_t endKind, std::uint8_t replyFlag,
                              std::int16_t* status);

/// Sends `length` bytes (at least 1) as data packets of at most 65515 bytes, all but the last
/// marked as continued; the first failure stops the sending and is returned.
std::int32_t tarn_QDXA_SendData(QDXA_Info* info, const std::uint8_t* data, std::uint32_t length,
                                std::uint8_t replyFlag, std::int16_t* status);

// Job attributes.
std::int32_t tarn_QDXA_SetJob_Name(QDXA_Info* info, const QDXA_TextValue* value,
                                   std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetJob_Owner(QDXA_Info* info, const QDXA_TextValue* value,
                                    std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetJob_IdentifierOnClient(QDXA_Info* info, const QDXA_ShortText* value,
                                                 std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetJob_SubnissionTimeOnClient(QDXA_Info* info, const QDXA_DateWords* value,
                                                     std::uint8_t replyFlag, std::int16_t* status);
/// Impressions as 32 bits (attribute 275).
std::int32_t tarn_QDXA_SetJob_Impressions2(QDXA_Info* info, const std::uint32_t* value,
                                           std::uint8_t replyFlag, std::int16_t* status);
/// Impressions as 16 bits (attribute 2004); a count above 65535 is sent as 65535.
std::int32_t tarn_QDXA_SetJob_Impressions(QDXA_Info* info, const std::uint32_t* value,
                                          std::uint8_t replyFlag, std::int16_t* status);
/// The job's size in octets: the record's running count of data-packet bytes.
std::int32_t tarn_QDXA_SetJob_Octets(QDXA_Info* info, const std::uint32_t* value,
                                     std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetJob_Copise(QDXA_Info* info, const std::uint16_t* value,
                                     std::uint8_t replyFlag, std::int16_t* status);

// Binder attributes.
std::int32_t tarn_QDXA_SetBinder_Copies(QDXA_Info* info, const std::uint16_t* value,
                                        std::uint8_t replyFlag, std::int16_t* status);

// Document attributes.
std::int32_t tarn_QDXA_SetDocument_Copise(QDXA_Info* info, const std::uint16_t* value,
                                          std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_DocumentFormat(QDXA_Info* info, const QDXA_DocumentFormat* value,
                                                  std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_ColorMode(QDXA_Info* info, const std::uint8_t* value,
                                             std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_Medium(QDXA_Info* info, const QDXA_Medium* value,
                                          std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_PrintQuality(QDXA_Info* info, const std::uint8_t* value,
                                                std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_PanelMessage(QDXA_Info* info, const QDXA_TextValue* value,
                                                std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_InputTrayPriorityArray(QDXA_Info* info,
                                                          const QDXA_TrayArray* value,
                                                          std::uint8_t replyFlag,
                                                          std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_MediumTypeEx(QDXA_Info* info, const QDXA_MediumTypeEx* value,
                                                std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_CuttingType(QDXA_Info* info, const std::uint8_t* value,
                                               std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_MarkerColorantDryingType(QDXA_Info* info,
                                                            const std::uint8_t* value,
                                                            std::uint8_t replyFlag,
                                                            std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_MarkerColorantDryingTime(QDXA_Info* info,
                                                            const std::uint32_t* value,
                                                            std::uint8_t replyFlag,
                                                            std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_Nup(QDXA_Info* info, const std::uint8_t* value,
                                       std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_Optimize(QDXA_Info* info, const std::uint8_t* value,
                                            std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_OnePassPrint(QDXA_Info* info, const std::uint8_t* value,
                                                std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_BorderlessPrint(QDXA_Info* info, const std::uint8_t* value,
                                                   std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_RollWidth(QDXA_Info* info, const std::uint16_t* value,
                                             std::uint8_t replyFlag, std::int16_t* status);

// Document attributes sent as method executions.
std::int32_t tarn_QDXA_SetDocument_Detail_Media_Info(QDXA_Info* info, const QDXA_DetailMedia* value,
                                                     std::uint8_t replyFlag, std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_Detail_Media_Calibration(QDXA_Info* info,
                                                            const std::uint8_t* value,
                                                            std::uint8_t replyFlag,
                                                            std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_PathMode(QDXA_Info* info, const std::uint8_t* value,
                                            std::uint8_t replyFlag, std::int16_t* status);
/// The creator id; without a value, kCreatorId.
std::int32_t tarn_QDXA_SetDocument_Detail_Media_CreatorID(QDXA_Info* info,
                                                          const std::uint32_t* value,
                                                          std::uint8_t replyFlag,
                                                          std::int16_t* status);
std::int32_t tarn_QDXA_SetDocument_GroupID(QDXA_Info* info, const std::uint16_t* value,
                                           std::uint8_t replyFlag, std::int16_t* status);
