// Feeds one reply, as raw bytes, to every parser of the codec and to the job list decoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qdxa_test {

/// Runs every parser on `data` taken as the last reply of a session (its sequence number made
/// to match when `matchSequence`) and the job list decoder on the same bytes.
void feedReplyToEveryParser(const std::uint8_t* data, std::size_t size, bool matchSequence);

}  // namespace qdxa_test
