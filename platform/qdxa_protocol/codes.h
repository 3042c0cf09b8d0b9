// Operation codes, printer results and channel kinds of the QDXA printer-control protocol.
#pragma once

#include <cstdint>

namespace qdxa {

/// Operation codes of the control requests.
inline constexpr std::uint16_t kOpEcho = 0x0001;
inline constexpr std::uint16_t kOpReserve = 0x0002;
inline constexpr std::uint16_t kOpDelete = 0x000B;
inline constexpr std::uint16_t kOpExecuteMethod = 0x001D;
inline constexpr std::uint16_t kOpCancelJob = 0x001F;
inline constexpr std::uint16_t kOpPauseJob = 0x0020;
inline constexpr std::uint16_t kOpResumeJob = 0x0021;
inline constexpr std::uint16_t kOpPromoteJob = 0x0022;
inline constexpr std::uint16_t kOpAcquireResource = 0x0031;
inline constexpr std::uint16_t kOpListEx = 0x0038;
inline constexpr std::uint16_t kOpUnreserve = 0x003F;
inline constexpr std::uint16_t kOpChangeFileBoxPassword = 0x0047;
inline constexpr std::uint16_t kOpDeleteFiles = 0x005F;
inline constexpr std::uint16_t kOpReplaceFiles = 0x0061;
inline constexpr std::uint16_t kOpGet2 = 0x0066;
inline constexpr std::uint16_t kOpGetListElement = 0x0067;
inline constexpr std::uint16_t kOpSet2 = 0x0069;
inline constexpr std::uint16_t kOpExecuteFile2 = 0x0070;
inline constexpr std::uint16_t kOpListObjects2 = 0x0072;

/// Operation codes of the packets of a print job.
inline constexpr std::uint16_t kOpGet = 0x0004;
inline constexpr std::uint16_t kOpJobStart = 0x0011;
inline constexpr std::uint16_t kOpSetJob = 0x0012;
inline constexpr std::uint16_t kOpJobEnd = 0x0013;
inline constexpr std::uint16_t kOpBinderStart = 0x0014;
inline constexpr std::uint16_t kOpSetBinder = 0x0015;
inline constexpr std::uint16_t kOpBinderEnd = 0x0016;
inline constexpr std::uint16_t kOpDocumentStart = 0x0017;
inline constexpr std::uint16_t kOpSetDocument = 0x0018;
inline constexpr std::uint16_t kOpDocumentEnd = 0x0019;
inline constexpr std::uint16_t kOpSendData = 0x001A;
inline constexpr std::uint16_t kOpJobStart2 = 0x006B;

/// Results a printer reports in a reply header.
inline constexpr std::uint16_t kResultSuccess = 1;            ///< the reply carries data
inline constexpr std::uint16_t kResultSuccessAlso = 4;        ///< success (lists: more may follow)
inline constexpr std::uint16_t kResultBatchTooLarge = 5;      ///< a smaller batch may pass
inline constexpr std::uint16_t kResultUnknownObject = 8;      ///< no object with that id
inline constexpr std::uint16_t kResultObjectRefused = 11;     ///< the object may not be read
inline constexpr std::uint16_t kResultMoreToFetch = 29;       ///< success; ask again for the rest
inline constexpr std::uint16_t kResultAttributeRefused = 33;  ///< the attribute may not be read
inline constexpr std::uint16_t kResultBatchRefused = 34;      ///< a smaller batch may pass

/// Kinds of channel a session is bound to.
inline constexpr std::uint8_t kChannelKindControl = 2;  ///< control requests and replies
inline constexpr std::uint8_t kChannelKindBinary = 3;   ///< print data

}  // namespace qdxa
