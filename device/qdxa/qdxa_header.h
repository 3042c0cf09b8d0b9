// The operation codes of the printer-control protocol and the check of a received header.
//
// The header itself, shared with the print core, is in DovoCommonLib/qdxa_packet_header.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DovoCommonLib/qdxa_packet_header.h"

/// Operation codes.
inline constexpr std::uint16_t kQDXAOpEcho = 0x0001;
inline constexpr std::uint16_t kQDXAOpReserve = 0x0002;
inline constexpr std::uint16_t kQDXAOpDelete = 0x000B;
inline constexpr std::uint16_t kQDXAOpExecuteMethod = 0x001D;
inline constexpr std::uint16_t kQDXAOpCancelJob = 0x001F;
inline constexpr std::uint16_t kQDXAOpPauseJob = 0x0020;
inline constexpr std::uint16_t kQDXAOpResumeJob = 0x0021;
inline constexpr std::uint16_t kQDXAOpPromoteJob = 0x0022;
inline constexpr std::uint16_t kQDXAOpAcquireResource = 0x0031;
inline constexpr std::uint16_t kQDXAOpListEx = 0x0038;
inline constexpr std::uint16_t kQDXAOpUnreserve = 0x003F;
inline constexpr std::uint16_t kQDXAOpChangeFileBoxPassword = 0x0047;
inline constexpr std::uint16_t kQDXAOpDeleteFiles = 0x005F;
inline constexpr std::uint16_t kQDXAOpReplaceFiles = 0x0061;
inline constexpr std::uint16_t kQDXAOpGet2 = 0x0066;
inline constexpr std::uint16_t kQDXAOpGetListElement = 0x0067;
inline constexpr std::uint16_t kQDXAOpSet2 = 0x0069;
inline constexpr std::uint16_t kQDXAOpExecuteFile2 = 0x0070;
inline constexpr std::uint16_t kQDXAOpListObjects2 = 0x0072;

/// True when `length` is at least 20, the magic is 0xCD 0xCA and, when `expectedSequence` is
/// given, the sequence matches. Stores the sequence and parameter length where asked (also when
/// the sequence does not match).
bool z_CheckQDXAHeader(const std::uint8_t* packet, std::size_t length,
                       const std::uint16_t* expectedSequence, std::uint16_t* sequence,
                       std::uint16_t* parameterLength);
