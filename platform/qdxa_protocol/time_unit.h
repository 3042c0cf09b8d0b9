// The time unit of the QDXA protocol and its transports: time limits and deadlines count
// hundredths of a second.
#pragma once

#include <sys/time.h>

#include <chrono>
#include <cstdint>
#include <ratio>

namespace qdxa {

using Hundredths = std::chrono::duration<std::int64_t, std::centi>;

/// `limit` as a timeval (whole seconds and the microseconds left).
inline timeval toTimeval(Hundredths limit) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit);
    timeval out{};
    out.tv_sec = static_cast<decltype(out.tv_sec)>(seconds.count());
    out.tv_usec = static_cast<decltype(out.tv_usec)>(
        std::chrono::duration_cast<std::chrono::microseconds>(limit - seconds).count());
    return out;
}

/// The whole hundredths from `start` to `now`.
inline Hundredths hundredthsBetween(const timeval& start, const timeval& now) {
    const auto elapsed = std::chrono::seconds(now.tv_sec - start.tv_sec) +
                         std::chrono::microseconds(now.tv_usec - start.tv_usec);
    return std::chrono::duration_cast<Hundredths>(elapsed);
}

}  // namespace qdxa
