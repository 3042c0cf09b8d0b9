// The check of a received QDXA packet header.
//
// The header itself and the operation codes are the shared protocol words of qdxa_protocol/.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"

/// True when `length` is at least 20, the magic is 0xCD 0xCA and, when `expectedSequence` is
/// given, the sequence matches. Stores the sequence and parameter length where asked (also when
/// the sequence does not match).
bool z_CheckQDXAHeader(const std::uint8_t* packet, std::size_t length,
                       const std::uint16_t* expectedSequence, std::uint16_t* sequence,
                       std::uint16_t* parameterLength);
