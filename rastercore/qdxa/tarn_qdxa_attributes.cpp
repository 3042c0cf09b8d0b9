// The job, binder and document attributes: each value, from the caller or the record, in its
// wire form behind its attribute or method id.
#include <algorithm>
#include <vector>

#include "qdxa/attribute_encoding.h"
#include "qdxa/packet_writer.h"
#include "qdxa/tarn_qdxa.h"
#include "qdxa/tarn_qdxa_internal.h"
#include "rastercore/result_codes.h"
#include "record/qdxa_info.h"

namespace {

using AttributeWriter = std::int32_t (*)(QDXA_Info*, std::uint8_t, std::uint32_t, std::uint32_t,
                                         const QDXA_Attribute&);
using MethodWriter = std::int32_t (*)(QDXA_Info*, std::uint8_t, std::uint32_t, std::uint32_t,
                                      const std::uint8_t*, std::uint32_t);

// Attribute ids.
constexpr std::uint16_t kAttrJobName = 4;
constexpr std::uint16_t kAttrJobOwner = 6;
constexpr std::uint16_t kAttrIdentifierOnClient = 8;
constexpr std::uint16_t kAttrSubmissionTime = 9;
constexpr std::uint16_t kAttrImpressions32 = 275;
constexpr std::uint16_t kAttrImpressions16 = 2004;
constexpr std::uint16_t kAttrOctets = 2006;
constexpr std::uint16_t kAttrCopies = 2007;
constexpr std::uint16_t kAttrDocumentFormat = 46;
constexpr std::uint16_t kAttrColorMode = 2104;
constexpr std::uint16_t kAttrMedium = 2029;
constexpr std::uint16_t kAttrPrintQuality = 2042;
constexpr std::uint16_t kAttrPanelMessage = 2140;
constexpr std::uint16_t kAttrInputTrayPriority = 2158;
constexpr std::uint16_t kAttrMediumTypeEx = 2214;
constexpr std::uint16_t kAttrCuttingType = 2217;
constexpr std::uint16_t kAttrDryingType = 2218;
constexpr std::uint16_t kAttrDryingTime = 2219;
constexpr std::uint16_t kAttrNup = 2229;
constexpr std::uint16_t kAttrOptimize = 2343;
constexpr std::uint16_t kAttrOnePassPrint = 2355;
constexpr std::uint16_t kAttrBorderlessPrint = 2409;
constexpr std::uint16_t kAttrRollWidth = 2410;

template <typename T>
std::vector<std::uint8_t> wireForm(const T& value) {
    std::vector<std::uint8_t> wire;
    bytes::ByteWriter out(wire);
    encodeValue(out, value);
    return wire;
}

// Sends one attribute through a set-job, set-binder or set-document writer.
template <typename T>
std::int32_t setAttribute(QDXA_Info* info, AttributeWriter writer, std::uint16_t id, const T* value,
                          T QDXA_Info::*field, std::uint8_t replyFlag, std::int16_t* status) {
    clearStatus(status);
    if (info == nullptr) {
        return rastercore::kPacketBadArgument;
    }
    const std::vector<std::uint8_t> wire = wireForm(value != nullptr ? *value : info->*field);
    return writer(info, replyFlag, kJobIdentifier, kJobIdentifier,
                  {id, wire.data(), static_cast<std::uint32_t>(wire.size())});
}

// Sends one value through an execute-method writer.
template <typename T>
std::int32_t executeMethod(QDXA_Info* info, MethodWriter writer, const T& value,
                           std::uint8_t replyFlag) {
    const std::vector<std::uint8_t> wire = wireForm(value);
    return writer(info, replyFlag, kJobIdentifier, kJobIdentifier, wire.data(),
                  static_cast<std::uint32_t>(wire.size()));
}

template <typename T>
std::int32_t executeMethod(QDXA_Info* info, MethodWriter writer, const T* value,
                           T QDXA_Info::*field, std::uint8_t replyFlag, std::int16_t* status) {
    clearStatus(status);
    if (info == nullptr) {
        return rastercore::kPacketBadArgument;
    }
    return executeMethod(info, writer, value != nullptr ? *value : info->*field, replyFlag);
}

}  // namespace

std::int32_t tarn_QDXA_SetJob_Name(QDXA_Info* info, const QDXA_TextValue* value,
                                   std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetJob, kAttrJobName, value, &QDXA_Info::jobName, replyFlag,
                        status);
}

std::int32_t tarn_QDXA_SetJob_Owner(QDXA_Info* info, const QDXA_TextValue* value,
                                    std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetJob, kAttrJobOwner, value, &QDXA_Info::owner, replyFlag,
                        status);
}

std::int32_t tarn_QDXA_SetJob_IdentifierOnClient(QDXA_Info* info, const QDXA_ShortText* value,
                                                 std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetJob, kAttrIdentifierOnClient, value,
                        &QDXA_Info::identifierOnClient, replyFlag, status);
}

std::int32_t tarn_QDXA_SetJob_SubnissionTimeOnClient(QDXA_Info* info, const QDXA_DateWords* value,
                                                     std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetJob, kAttrSubmissionTime, value, &QDXA_Info::submissionTime,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetJob_Impressions2(QDXA_Info* info, const std::uint32_t* value,
                                           std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetJob, kAttrImpressions32, value, &QDXA_Info::impressions,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetJob_Impressions(QDXA_Info* info, const std::uint32_t* value,
                                          std::uint8_t replyFlag, std::int16_t* status) {
    clearStatus(status);
    if (info == nullptr) {
        return rastercore::kPacketBadArgument;
    }
    const std::uint32_t count = value != nullptr ? *value : info->impressions;
    const auto narrow = static_cast<std::uint16_t>(std::min<std::uint32_t>(count, 0xFFFF));
    return setAttribute<std::uint16_t>(info, QDXA_SetJob, kAttrImpressions16, &narrow, nullptr,
                                       replyFlag, status);
}

std::int32_t tarn_QDXA_SetJob_Octets(QDXA_Info* info, const std::uint32_t* value,
                                     std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetJob, kAttrOctets, value, &QDXA_Info::octetCount, replyFlag,
                        status);
}

std::int32_t tarn_QDXA_SetJob_Copise(QDXA_Info* info, const std::uint16_t* value,
                                     std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetJob, kAttrCopies, value, &QDXA_Info::jobCopies, replyFlag,
                        status);
}

std::int32_t tarn_QDXA_SetBinder_Copies(QDXA_Info* info, const std::uint16_t* value,
                                        std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetBinder, kAttrCopies, value, &QDXA_Info::binderCopies,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_Copise(QDXA_Info* info, const std::uint16_t* value,
                                          std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrCopies, value, &QDXA_Info::documentCopies,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_DocumentFormat(QDXA_Info* info, const QDXA_DocumentFormat* value,
                                                  std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrDocumentFormat, value,
                        &QDXA_Info::documentFormat, replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_ColorMode(QDXA_Info* info, const std::uint8_t* value,
                                             std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrColorMode, value, &QDXA_Info::colorMode,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_Medium(QDXA_Info* info, const QDXA_Medium* value,
                                          std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrMedium, value, &QDXA_Info::medium, replyFlag,
                        status);
}

std::int32_t tarn_QDXA_SetDocument_PrintQuality(QDXA_Info* info, const std::uint8_t* value,
                                                std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrPrintQuality, value, &QDXA_Info::printQuality,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_PanelMessage(QDXA_Info* info, const QDXA_TextValue* value,
                                                std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrPanelMessage, value, &QDXA_Info::panelMessage,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_InputTrayPriorityArray(QDXA_Info* info,
                                                          const QDXA_TrayArray* value,
                                                          std::uint8_t replyFlag,
                                                          std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrInputTrayPriority, value,
                        &QDXA_Info::trayArray, replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_MediumTypeEx(QDXA_Info* info, const QDXA_MediumTypeEx* value,
                                                std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrMediumTypeEx, value, &QDXA_Info::mediumTypeEx,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_CuttingType(QDXA_Info* info, const std::uint8_t* value,
                                               std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrCuttingType, value, &QDXA_Info::cuttingType,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_MarkerColorantDryingType(QDXA_Info* info,
                                                            const std::uint8_t* value,
                                                            std::uint8_t replyFlag,
                                                            std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrDryingType, value, &QDXA_Info::inkDryingType,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_MarkerColorantDryingTime(QDXA_Info* info,
                                                            const std::uint32_t* value,
                                                            std::uint8_t replyFlag,
                                                            std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrDryingTime, value, &QDXA_Info::dryingTime,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_Nup(QDXA_Info* info, const std::uint8_t* value,
                                       std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrNup, value, &QDXA_Info::nUp, replyFlag,
                        status);
}

std::int32_t tarn_QDXA_SetDocument_Optimize(QDXA_Info* info, const std::uint8_t* value,
                                            std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrOptimize, value, &QDXA_Info::optimize,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_OnePassPrint(QDXA_Info* info, const std::uint8_t* value,
                                                std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrOnePassPrint, value, &QDXA_Info::onePassPrint,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_BorderlessPrint(QDXA_Info* info, const std::uint8_t* value,
                                                   std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrBorderlessPrint, value,
                        &QDXA_Info::borderlessPrint, replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_RollWidth(QDXA_Info* info, const std::uint16_t* value,
                                             std::uint8_t replyFlag, std::int16_t* status) {
    return setAttribute(info, QDXA_SetDocument, kAttrRollWidth, value, &QDXA_Info::rollWidth,
                        replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_Detail_Media_Info(QDXA_Info* info, const QDXA_DetailMedia* value,
                                                     std::uint8_t replyFlag, std::int16_t* status) {
    return executeMethod(info, QDXA_SetExcuteMethod, value, &QDXA_Info::detailMedia, replyFlag,
                         status);
}

std::int32_t tarn_QDXA_SetDocument_Detail_Media_Calibration(QDXA_Info* info,
                                                            const std::uint8_t* value,
                                                            std::uint8_t replyFlag,
                                                            std::int16_t* status) {
    return executeMethod(info, QDXA_SetExcuteMethod_Calibration, value, &QDXA_Info::calibration,
                         replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_PathMode(QDXA_Info* info, const std::uint8_t* value,
                                            std::uint8_t replyFlag, std::int16_t* status) {
    return executeMethod(info, QDXA_SetExcuteMethod_PathMode, value, &QDXA_Info::pathMode,
                         replyFlag, status);
}

std::int32_t tarn_QDXA_SetDocument_Detail_Media_CreatorID(QDXA_Info* info,
                                                          const std::uint32_t* value,
                                                          std::uint8_t replyFlag,
                                                          std::int16_t* status) {
    clearStatus(status);
    if (info == nullptr) {
        return rastercore::kPacketBadArgument;
    }
    return executeMethod(info, QDXA_SetExecuteMethod_CreatorID,
                         value != nullptr ? *value : kCreatorId, replyFlag);
}

std::int32_t tarn_QDXA_SetDocument_GroupID(QDXA_Info* info, const std::uint16_t* value,
                                           std::uint8_t replyFlag, std::int16_t* status) {
    return executeMethod(info, QDXA_SetExcuteMethod_GroupID, value, &QDXA_Info::groupId, replyFlag,
                         status);
}
