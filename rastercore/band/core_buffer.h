// A work buffer of the band loop, made zeroed by the core's allocator and released with it when
// the buffer goes out of scope, on every exit of the loop.
#pragma once

#include <cstddef>
#include <cstdint>

#include "util/memory.h"

class CoreBuffer {
  public:
    CoreBuffer() = default;
    ~CoreBuffer() { release(); }
    CoreBuffer(const CoreBuffer&) = delete;
    CoreBuffer& operator=(const CoreBuffer&) = delete;

    /// Replaces the buffer by `bytes` zeroed bytes; 0 or the allocator's code (12020).
    std::int32_t allocate(std::size_t bytes) {
        release();
        const std::int32_t result = Get_MemoryClear(1, bytes == 0 ? 1 : bytes, kUnusedKind, &data_);
        size_ = data_ != nullptr ? bytes : 0;
        return result;
    }

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

    /// Hands the buffer over to the caller, who releases it with `Dispose_MemoryClear`.
    std::uint8_t* take() {
        std::uint8_t* taken = data_;
        data_ = nullptr;
        size_ = 0;
        return taken;
    }

  private:
    void release() {
        Dispose_MemoryClear(&data_, kUnusedKind);
        size_ = 0;
    }

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};
