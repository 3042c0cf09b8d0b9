// Splits a fuzz input into fields: fixed-size numbers first, then the bytes that remain.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace testsupport {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

    /// The next sizeof(T) bytes in the machine's byte order, zero-filled past the end.
    template <typename T>
    requires std::is_trivially_copyable_v<T> T take() {
        T value{};
        const std::size_t count = std::min(sizeof(T), bytes_.size());
        std::memcpy(&value, bytes_.data(), count);
        bytes_ = bytes_.subspan(count);
        return value;
    }

    /// The bytes not taken yet.
    std::span<const std::uint8_t> rest() const { return bytes_; }

  private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace testsupport
