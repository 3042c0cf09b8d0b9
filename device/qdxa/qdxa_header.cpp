// Checking a received QDXA packet header.
#include "qdxa/qdxa_header.h"

bool z_CheckQDXAHeader(const std::uint8_t* packet, std::size_t length,
                       const std::uint16_t* expectedSequence, std::uint16_t* sequence,
                       std::uint16_t* parameterLength) {
    if (packet == nullptr || length < qdxa::kHeaderSize) {
        return false;
    }
    const auto fields = qdxa::readHeader({packet, length});
    if (sequence != nullptr) {
        *sequence = fields->sequence;
    }
    if (parameterLength != nullptr) {
        *parameterLength = fields->parameterLength;
    }
    if (packet[0] != qdxa::kMagic0 || packet[1] != qdxa::kMagic1) {
        return false;
    }
    return expectedSequence == nullptr || *expectedSequence == fields->sequence;
}
