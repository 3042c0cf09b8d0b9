// Waiting in ticks of 1/60 s.
#pragma once

#include <cstdint>

class KCom {
  public:
    static void Wait(std::uint32_t ticks);
    /// The microseconds that Wait sleeps: ticks * 1000000 / 60, capped at 4294967295.
    static std::uint32_t microsecondsOf(std::uint32_t ticks);
};
