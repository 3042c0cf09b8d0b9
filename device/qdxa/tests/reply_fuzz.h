// Feeds one reply, as raw bytes, to every parser of the codec and to the job list decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qdxa_test {

/// Runs every parser on `data` taken as the last reply of a session (its sequence number made
/// to match when `matchSequence`, else expected to be 1) and the job list decoder on the same
/// bytes. Returns the result of each codec parser, in the order they ran (empty when the receive
/// handle could not be made).
std::vector<std::int32_t> feedReplyToEveryParser(const std::uint8_t* data, std::size_t size,
                                                 bool matchSequence);

}  // namespace qdxa_test
