// A channel double for the codec's tests: requests written to it go to the scripted printer
// model and its replies come back through reads; a stepped clock lets the 10-second deadline
// pass without waiting.
#pragma once

#include <sys/time.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "qdxa/qdxa_channel.h"
#include "qdxa_responder.h"

namespace qdxa_test {

/// A clock that moves only when told to.
class SteppedClock {
  public:
    static void now(timeval* out) { *out = current_; }
    static void advanceHundredths(std::int64_t hundredths) {
        const std::int64_t micro = current_.tv_usec + hundredths * 10000;
        current_.tv_sec += micro / 1000000;
        current_.tv_usec = micro % 1000000;
    }
    static void reset() { current_ = {1000, 0}; }

  private:
    static inline timeval current_{1000, 0};
};

/// The channel double. The codec only hands a channel back to the channel operations, so the
/// double stands in for one behind the opaque channel type: `channel()` is the object itself.
class ScriptedChannel {
  public:
    explicit ScriptedChannel(Responder* responder = nullptr) : responder_(responder) {}

    CaioChannel* channel() { return reinterpret_cast<CaioChannel*>(this); }
    static ScriptedChannel* of(CaioChannel* channel) {
        return reinterpret_cast<ScriptedChannel*>(channel);
    }

    /// Statuses that the next reads report instead of reading (4156 advances the clock by the
    /// read's wait of 3 s).
    std::deque<std::int32_t> readStatuses;
    std::deque<std::int32_t> writeStatuses;
    /// Stream behaviour: a read that finds nothing reports success and leaves the count.
    bool streamTimeouts = false;
    /// Largest read delivery, to exercise partial reads.
    std::size_t readChunk = 1 << 20;
    std::int32_t openStatus = 0;
    std::int32_t closeStatus = 0;

    std::vector<std::vector<std::uint8_t>> packetsWritten;
    std::vector<std::int32_t> openedModes;
    std::vector<std::int32_t> closedModes;
    std::deque<std::uint8_t> pending;  ///< reply bytes not yet read

    void queueReply(const std::vector<std::uint8_t>& packet) {
        pending.insert(pending.end(), packet.begin(), packet.end());
    }

    static const QDXAChannelOps& ops();

  private:
    std::int32_t read(std::uint8_t* buffer, std::uint64_t* count);
    std::int32_t write(const std::uint8_t* buffer, std::uint64_t* count);

    Responder* responder_;
    std::vector<std::uint8_t> partial_;
};

/// Puts the scripted channel operations and the stepped clock in place for one test.
class ChannelScope {
  public:
    ChannelScope() { SteppedClock::reset(); }

  private:
    seam::ScopedOverride<QDXAChannelOps> override_{qdxaChannelSeam(), ScriptedChannel::ops()};
};

}  // namespace qdxa_test
