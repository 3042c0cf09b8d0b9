// Seed-row encoder.
#include "command/seed_row.h"

namespace {

constexpr std::uint32_t kMaxReplaced = 8;
constexpr std::uint32_t kShortOffsetLimit = 31;  // offsets from 31 on take extra bytes
constexpr std::uint32_t kOffsetByteStep = 255;
constexpr std::uint8_t kCountStep = 32;  // one more replaced byte in the top three bits

// The seed, read as if extended with zeros to the row's length, without copying it.
class Seed {
  public:
    Seed(const std::uint8_t* bytes, std::uint32_t length) : bytes_(bytes), length_(length) {}
    std::uint8_t operator[](std::uint32_t i) const { return i < length_ ? bytes_[i] : 0; }

  private:
    const std::uint8_t* bytes_;
    std::uint32_t length_;
};

std::uint32_t writeOffset(std::uint8_t* out, std::uint32_t offset) {
    if (offset < kShortOffsetLimit) {
        out[0] = static_cast<std::uint8_t>(offset);
        return 1;
    }
    std::uint32_t written = 0;
    out[written++] = kShortOffsetLimit;
    std::uint32_t rest = offset - kShortOffsetLimit;
    for (; rest >= kOffsetByteStep; rest -= kOffsetByteStep) {
        out[written++] = kOffsetByteStep;
    }
    out[written++] = static_cast<std::uint8_t>(rest);
    return written;
}

}  // namespace

std::uint32_t SeedRow2(const std::uint8_t* seed, std::uint32_t seedLength, const std::uint8_t* row,
                       std::uint32_t rowLength, std::uint8_t* out, std::uint32_t* outLength) {
    const Seed s(seed, seedLength);
    std::uint32_t end = rowLength;  // one past the last byte that differs
    while (end > 0 && row[end - 1] == s[end - 1]) {
        --end;
    }
    std::uint32_t written = 0;
    std::uint32_t pos = 0;
    while (pos < end) {
        const std::uint32_t start = pos;
        while (row[pos] == s[pos]) {
            ++pos;
        }
        std::uint32_t command = written;
        written += writeOffset(out + written, pos - start);
        std::uint32_t replaced = 0;
        while (pos < end && row[pos] != s[pos]) {
            if (replaced == kMaxReplaced) {
                command = written;
                out[written++] = 0;
                replaced = 0;
            }
            if (replaced != 0) {
                out[command] = static_cast<std::uint8_t>(out[command] + kCountStep);
            }
            out[written++] = row[pos++];
            ++replaced;
        }
    }
    *outLength = written;
    return written;
}
