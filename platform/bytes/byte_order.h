// Byte-order helpers: the one place where wire and file integers are converted.
//
// Integers are read and written byte by byte, never through casts of unaligned data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bytes {

inline void storeBE16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value >> 8);
    out[1] = static_cast<std::uint8_t>(value);
}

inline void storeBE32(std::uint8_t* out, std::uint32_t value) {
    storeBE16(out, static_cast<std::uint16_t>(value >> 16));
    storeBE16(out + 2, static_cast<std::uint16_t>(value));
}

inline void storeLE16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void storeLE32(std::uint8_t* out, std::uint32_t value) {
    storeLE16(out, static_cast<std::uint16_t>(value));
    storeLE16(out + 2, static_cast<std::uint16_t>(value >> 16));
}

inline std::uint16_t loadBE16(const std::uint8_t* in) {
    return static_cast<std::uint16_t>((in[0] << 8) | in[1]);
}

inline std::uint32_t loadBE32(const std::uint8_t* in) {
    return (static_cast<std::uint32_t>(loadBE16(in)) << 16) | loadBE16(in + 2);
}

inline std::uint16_t loadLE16(const std::uint8_t* in) {
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

inline std::uint32_t loadLE32(const std::uint8_t* in) {
    return loadLE16(in) | (static_cast<std::uint32_t>(loadLE16(in + 2)) << 16);
}

/// A big-endian unsigned integer of `size` bytes (at most 8).
inline std::uint64_t loadBE(const std::uint8_t* in, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value = (value << 8) | in[i];
    }
    return value;
}

/// Reads integers and byte runs from a span without ever stepping past its end: each read gives
/// nothing (and consumes nothing) when too few bytes remain.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t remaining() const { return data_.size() - position_; }
    std::size_t position() const { return position_; }

    std::optional<std::uint8_t> u8() {
        if (remaining() < 1) {
            return std::nullopt;
        }
        return data_[position_++];
    }
    std::optional<std::uint16_t> u16be() { return read<std::uint16_t>(2, loadBE16); }
    std::optional<std::uint32_t> u32be() { return read<std::uint32_t>(4, loadBE32); }
    std::optional<std::uint16_t> u16le() { return read<std::uint16_t>(2, loadLE16); }
    std::optional<std::uint32_t> u32le() { return read<std::uint32_t>(4, loadLE32); }

    /// The next `count` bytes, or nothing when fewer remain.
    std::optional<std::span<const std::uint8_t>> take(std::size_t count) {
        if (count > remaining()) {
            return std::nullopt;
        }
        auto run = data_.subspan(position_, count);
        position_ += count;
        return run;
    }

    bool skip(std::size_t count) { return take(count).has_value(); }

  private:
    template <typename T>
    std::optional<T> read(std::size_t size, T (*load)(const std::uint8_t*)) {
        if (size > remaining()) {
            return std::nullopt;
        }
        T value = load(data_.data() + position_);
        position_ += size;
        return value;
    }

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
};

/// Appends integers and byte runs to a growing buffer.
class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t value) { out_.push_back(value); }
    void u16be(std::uint16_t value) {
        append(2, [&](std::uint8_t* p) { storeBE16(p, value); });
    }
    void u32be(std::uint32_t value) {
        append(4, [&](std::uint8_t* p) { storeBE32(p, value); });
    }
    void u16le(std::uint16_t value) {
        append(2, [&](std::uint8_t* p) { storeLE16(p, value); });
    }
    void u32le(std::uint32_t value) {
        append(4, [&](std::uint8_t* p) { storeLE32(p, value); });
    }
    void bytes(std::span<const std::uint8_t> run) {
        out_.insert(out_.end(), run.begin(), run.end());
    }

  private:
    template <typename Store>
    void append(std::size_t size, Store store) {
        out_.resize(out_.size() + size);
        store(out_.data() + out_.size() - size);
    }

    std::vector<std::uint8_t>& out_;
};

}  // namespace bytes
