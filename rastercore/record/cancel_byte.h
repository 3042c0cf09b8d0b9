// The job record's cancel byte: written by the cancel notification's callback on the interface
// thread and polled by the job's thread, so both go through atomic accesses.
#pragma once

#include <atomic>
#include <cstdint>

/// The value of the cancel byte that asks for cancel.
inline constexpr std::uint8_t kCancelRequested = 1;

/// Marks the cancel byte as cancelled.
inline void requestCancel(std::uint8_t* cancelByte) {
    std::atomic_ref<std::uint8_t>(*cancelByte).store(kCancelRequested, std::memory_order_release);
}

/// True when the cancel byte asks for cancel.
inline bool cancelRequested(const std::uint8_t* cancelByte) {
    // atomic_ref needs a modifiable object; the load does not change it.
    return std::atomic_ref<std::uint8_t>(*const_cast<std::uint8_t*>(cancelByte))
               .load(std::memory_order_acquire) == kCancelRequested;
}
