// PackBits encoder.
#include "compress/packbits.h"

#include <cstring>

#include "rastercore/result_codes.h"

namespace {

// Builds the groups of one piece in fixed buffers, so a piece is either coded whole or not at
// all. A piece (at most 127 bytes) is shorter than the longest run or literal group (128), so no
// group ever has to be split.
class PieceEncoder {
  public:
    void literalByte(std::uint8_t byte) { literals_[literalCount_++] = byte; }

    void flushLiterals() {
        if (literalCount_ == 0) {
            return;
        }
        out_[written_++] = static_cast<std::uint8_t>(literalCount_ - 1);
        std::memcpy(out_ + written_, literals_, literalCount_);
        written_ += literalCount_;
        literalCount_ = 0;
    }

    void run(std::uint8_t byte, int count) {
        out_[written_++] = static_cast<std::uint8_t>(1 - count);
        out_[written_++] = byte;
    }

    const std::uint8_t* bytes() const { return out_; }
    int size() const { return written_; }

  private:
    std::uint8_t out_[kPackBitsMaxOutput];
    std::uint8_t literals_[kPackBitsMaxPiece];
    int literalCount_ = 0;
    int written_ = 0;
};

}  // namespace

std::int32_t RLE_Compression_PackBits(const std::uint8_t** source, std::uint8_t** destination,
                                      std::int16_t length) {
    if (source == nullptr || destination == nullptr || *source == nullptr ||
        *destination == nullptr || length < 1 || length > kPackBitsMaxPiece) {
        return rastercore::kCommandBadArgument;
    }
    const std::uint8_t* in = *source;
    PieceEncoder encoder;
    std::uint8_t current = in[0];
    int repeat = 1;
    for (int i = 1; i < length; ++i) {
        const std::uint8_t next = in[i];
        if (next == current) {
            encoder.flushLiterals();
            ++repeat;
        } else if (repeat >= 2) {
            encoder.run(current, repeat);
            current = next;
            repeat = 1;
        } else {
            encoder.literalByte(current);
            current = next;
        }
    }
    if (repeat >= 2) {
        encoder.flushLiterals();
        encoder.run(current, repeat);
    } else {
        encoder.literalByte(current);
        encoder.flushLiterals();
    }

    std::memset(*destination, 0, static_cast<std::size_t>(length));
    std::memcpy(*destination, encoder.bytes(), static_cast<std::size_t>(encoder.size()));
    *source += length;
    *destination += encoder.size();
    return rastercore::kResultOk;
}
