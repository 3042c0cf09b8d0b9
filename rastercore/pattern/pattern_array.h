// An array of plain records made zeroed by the core's allocator and released with it when the
// array goes out of scope; its allocation reports failure as a code instead of throwing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "rastercore/result_codes.h"
#include "util/memory.h"

template <typename T>
class CoreArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>,
                  "zeroed memory must be a valid record");

  public:
    CoreArray() = default;
    ~CoreArray() { release(); }
    CoreArray(const CoreArray&) = delete;
    CoreArray& operator=(const CoreArray&) = delete;
    CoreArray(CoreArray&& other) noexcept { swap(other); }
    CoreArray& operator=(CoreArray&& other) noexcept {
        if (this != &other) {
            release();
            swap(other);
        }
        return *this;
    }

    /// Replaces the array by `count` zeroed records; 0 or -1000.
    std::int32_t allocate(std::size_t count) {
        release();
        if (count == 0) {
            return rastercore::kResultOk;
        }
        if (Get_MemoryClear(count, sizeof(T), kUnusedKind, &data_) != rastercore::kResultOk) {
            return rastercore::kResultNoMemory;
        }
        count_ = count;
        return rastercore::kResultOk;
    }

    void release() {
        Dispose_MemoryClear(&data_, kUnusedKind);
        count_ = 0;
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return count_; }
    T& operator[](std::size_t index) { return data_[index]; }
    const T& operator[](std::size_t index) const { return data_[index]; }
    T* begin() { return data_; }
    T* end() { return data_ + count_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + count_; }

  private:
    void swap(CoreArray& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(count_, other.count_);
    }

    T* data_ = nullptr;
    std::size_t count_ = 0;
};
