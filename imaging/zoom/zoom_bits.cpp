// 1-bit rows.
#include "imaging/zoom/zoom_bits.h"

namespace imaging {

namespace {

constexpr int kPixelsPerByte = 8;
constexpr std::uint8_t kFirstPixelBit = 0x80;
constexpr std::uint8_t kSetPixel = 0xFF;
constexpr std::uint8_t kSetThreshold = 128;

}  // namespace

void unpackBits(const std::uint8_t* row, int pixels, std::uint8_t* out) {
    for (int x = 0; x < pixels; ++x) {
        const std::uint8_t bit = kFirstPixelBit >> (x % kPixelsPerByte);
        out[x] = (row[x / kPixelsPerByte] & bit) != 0 ? kSetPixel : 0;
    }
}

void packBits(const std::uint8_t* values, int pixels, std::uint8_t* row) {
    for (int x = 0; x < pixels; ++x) {
        const int bit = x % kPixelsPerByte;
        if (bit == 0) {
            row[x / kPixelsPerByte] = 0;
        }
        if (values[x] >= kSetThreshold) {
            row[x / kPixelsPerByte] |= static_cast<std::uint8_t>(kFirstPixelBit >> bit);
        }
    }
}

}  // namespace imaging
