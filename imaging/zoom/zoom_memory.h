// Row and table memory of the resampling filters: plain allocation that reports failure as a code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace imaging {

/// Allocates `size` bytes (not cleared) into `*pointer`; 0, or 1 when the memory is not there.
std::uint32_t FG_Zoom_MemAlloc(void** pointer, std::size_t size);

/// Frees `*pointer` when it is not null and sets it to null.
void FG_Zoom_MemFree(void** pointer);

/// One owned array of `T` taken with FG_Zoom_MemAlloc and given back on release or destruction.
template <class T>
class ZoomBuffer {
  public:
    ZoomBuffer() = default;
    ~ZoomBuffer() { release(); }
    ZoomBuffer(const ZoomBuffer&) = delete;
    ZoomBuffer& operator=(const ZoomBuffer&) = delete;

    /// Replaces the contents with `count` uninitialised elements; 0, or 1 when out of memory.
    std::uint32_t allocate(std::size_t count) {
        release();
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            return 1;
        }
        void* memory = nullptr;
        const std::uint32_t result = FG_Zoom_MemAlloc(&memory, count * sizeof(T));
        data_ = static_cast<T*>(memory);
        return result;
    }

    void release() {
        void* memory = data_;
        FG_Zoom_MemFree(&memory);
        data_ = nullptr;
    }

    T* get() const { return data_; }
    T& operator[](std::size_t index) const { return data_[index]; }

  private:
    T* data_ = nullptr;
};

}  // namespace imaging
