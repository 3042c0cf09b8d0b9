#include "helpers/kcom.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

namespace {
constexpr std::uint64_t kMicrosecondsPerSecond = 1000000;
constexpr std::uint64_t kTicksPerSecond = 60;
}  // namespace

std::uint32_t KCom::microsecondsOf(std::uint32_t ticks) {
    const std::uint64_t micros = ticks * kMicrosecondsPerSecond / kTicksPerSecond;
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(micros, std::numeric_limits<std::uint32_t>::max()));
}

void KCom::Wait(std::uint32_t ticks) {
    std::this_thread::sleep_for(std::chrono::microseconds(microsecondsOf(ticks)));
}
