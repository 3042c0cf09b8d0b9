// Seed-row encoder.
//
// The row is first compared with its seed into a bit mask, one bit per byte, set where the byte
// differs: 16 bytes per step with SSE2, 8 per step otherwise. Each 64-bit word of the mask then
// gives the first bytes of its pieces (runs of changed bytes cut every 8) by a few shifts and
// ands, and the commands are read off those bits. The loop over the pieces carries nothing but
// the output position and the bits still to visit, so consecutive commands do not wait for each
// other and no branch depends on the data byte by byte. The mask covers a window of the row at a
// time, so that nothing is allocated whatever the row's length.
#include "command/seed_row.h"

#include <bit>
#include <cassert>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t kMaxReplaced = 8;
constexpr std::uint32_t kShortOffsetLimit = 31;  // offsets from 31 on take extra bytes
constexpr std::uint32_t kOffsetByteStep = 255;
constexpr std::uint32_t kCountShift = 5;  // replaced count minus 1 in the top three bits

constexpr std::uint32_t kBitsPerByte = 8;
constexpr std::uint32_t kWordBytes = 8;
constexpr std::uint32_t kWordBits = 64;
constexpr std::uint32_t kWindowBytes = 4096;  // row bytes whose pieces a mask gives; a multiple
                                              // of 64
// The mask also covers the 64 bytes after its window, for the length of a piece starting near
// the window's end.
constexpr std::uint32_t kLookaheadBytes = kWordBits;
constexpr std::uint32_t kMaskBytes = (kWindowBytes + kLookaheadBytes) / kBitsPerByte;

std::uint64_t loadWord(const std::uint8_t* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    return word;
}

// Bit j set where byte j of the little-endian word `x` is not zero. Adding 0x7F to the low seven
// bits of a byte carries into its top bit exactly when they are not all zero; or-ing the byte
// itself adds its own top bit. The multiply then gathers the eight top bits into the top byte,
// each partial product landing on a distinct bit, so nothing carries.
std::uint32_t nonZeroBytes(std::uint64_t x) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kTop = 0x8080808080808080ULL;
    constexpr std::uint64_t kGather = 0x0102040810204080ULL;
    constexpr std::uint32_t kTopByteShift = 56;
    const std::uint64_t top = (((x & kLow7) + kLow7) | x) & kTop;
    return static_cast<std::uint32_t>(((top >> (kBitsPerByte - 1)) * kGather) >> kTopByteShift);
}

// Which bytes of a window of the row differ from the seed (read as extended with zeros).
class DifferenceMask {
  public:
    DifferenceMask(const std::uint8_t* seed, std::uint32_t seedLength, const std::uint8_t* row,
                   std::uint32_t rowLength)
        : seed_(seed), seedLength_(seedLength), row_(row), rowLength_(rowLength) {}

    // Compares the window from row byte `base` on, a multiple of `kWindowBytes`.
    void fill(std::uint32_t base) {
        const std::uint32_t count = rowLength_ - base < kWindowBytes + kLookaheadBytes
                                        ? rowLength_ - base
                                        : kWindowBytes + kLookaheadBytes;
        const std::uint32_t seedEnd = seedLength_ < base           ? 0
                                      : seedLength_ - base < count ? seedLength_ - base
                                                                   : count;
        const std::uint8_t* row = row_ + base;
        const std::uint8_t* seed = seed_ + (seedEnd != 0 ? base : 0);
        std::uint32_t i = 0;
#if defined(__SSE2__)
        constexpr std::uint32_t kStep = 16;
        for (; i + kStep <= seedEnd; i += kStep) {
            const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(seed + i));
            const auto equal = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(r, s)));
            const auto differ = static_cast<std::uint16_t>(~equal);
            std::memcpy(bits_ + i / kBitsPerByte, &differ, sizeof differ);
        }
#endif
        for (; i + kWordBytes <= seedEnd; i += kWordBytes) {
            bits_[i / kBitsPerByte] =
                static_cast<std::uint8_t>(nonZeroBytes(loadWord(row + i) ^ loadWord(seed + i)));
        }
        if (i < seedEnd && i + kWordBytes <= count) {
            // The word where the seed ends, against the seed's last bytes and zeros.
            std::uint8_t seedTail[kWordBytes] = {};
            std::memcpy(seedTail, seed + i, seedEnd - i);
            bits_[i / kBitsPerByte] =
                static_cast<std::uint8_t>(nonZeroBytes(loadWord(row + i) ^ loadWord(seedTail)));
            i += kWordBytes;
        }
        for (; i + kWordBytes <= count; i += kWordBytes) {
            bits_[i / kBitsPerByte] = static_cast<std::uint8_t>(nonZeroBytes(loadWord(row + i)));
        }
        // The last partial word byte by byte, and zeros up to the end of the mask, so that bits
        // past the row read as unchanged bytes.
        std::memset(bits_ + i / kBitsPerByte, 0, sizeof bits_ - i / kBitsPerByte);
        for (; i < count; ++i) {
            const std::uint8_t seedByte = i < seedEnd ? seed[i] : 0;
            if (row[i] != seedByte) {
                bits_[i / kBitsPerByte] |= static_cast<std::uint8_t>(1u << (i % kBitsPerByte));
            }
        }
    }

    // Word `index` of the window: bit i for row byte base + 64 × index + i.
    std::uint64_t word(std::uint32_t index) const {
        return loadWord(bits_ + index * kWordBytes);
    }

    // The mask bits from window byte `at` (below `kWindowBytes`) on, bit 0 for `at`; at least
    // 57 of them, and bits past the row are 0.
    std::uint64_t bitsFrom(std::uint32_t at) const {
        return loadWord(bits_ + at / kBitsPerByte) >> (at % kBitsPerByte);
    }

  private:
    const std::uint8_t* seed_;
    std::uint32_t seedLength_;
    const std::uint8_t* row_;
    std::uint32_t rowLength_;
    std::uint8_t bits_[kMaskBytes + kWordBytes] = {};  // a word of zeros past the lookahead
};

// Where the pieces of a mask word start, given how the word before ended. Bit i is set where
// byte i starts a run of changed bytes, or lies 8, 16, ... bytes after such a start with every
// byte between changed.
class PieceStarts {
  public:
    std::uint64_t of(std::uint64_t changed) {
        const std::uint64_t continued = runOpen_ ? 1 : 0;
        std::uint64_t starts = changed & ~((changed << 1) | continued);
        if (runOpen_) {
            // The open run's next piece starts at `nextStart_` if the run lasts until there.
            const std::uint64_t through = (std::uint64_t{2} << nextStart_) - 1;
            if ((changed & through) == through) {
                starts |= std::uint64_t{1} << nextStart_;
            }
        }
        // through8: bit i where bytes i - 8 to i all changed; through16, through32 likewise.
        // Each step adds the starts 8, 16 and 32 bytes further into a still unbroken run, which
        // reaches every start up to 56 bytes on, all a word holds.
        const std::uint64_t through1 = changed & (changed << 1);
        const std::uint64_t through3 = through1 & (through1 << 2);
        const std::uint64_t through7 = through3 & (through3 << 4);
        const std::uint64_t through8 = through7 & (through7 << 1);
        const std::uint64_t through16 = through8 & (through8 << kMaxReplaced);
        const std::uint64_t through32 = through16 & (through16 << (2 * kMaxReplaced));
        starts |= (starts << kMaxReplaced) & through8;
        starts |= (starts << (2 * kMaxReplaced)) & through16;
        starts |= (starts << (4 * kMaxReplaced)) & through32;
        runOpen_ = (changed >> (kWordBits - 1)) != 0;
        if (runOpen_) {
            // The word's last piece starts within its last 8 bytes.
            const auto last = static_cast<std::uint32_t>(kWordBits - 1 - std::countl_zero(starts));
            nextStart_ = last + kMaxReplaced - kWordBits;
        }
        return starts;
    }

  private:
    bool runOpen_ = false;         // the word before ended with a changed byte
    std::uint32_t nextStart_ = 0;  // then where the run's next piece starts in this word
};

std::uint32_t writeCommand(std::uint8_t* out, std::uint32_t offset, std::uint32_t replaced) {
    const auto count = static_cast<std::uint8_t>((replaced - 1) << kCountShift);
    if (offset < kShortOffsetLimit) {
        out[0] = static_cast<std::uint8_t>(count | offset);
        return 1;
    }
    std::uint32_t written = 0;
    out[written++] = static_cast<std::uint8_t>(count | kShortOffsetLimit);
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
    DifferenceMask mask(seed, seedLength, row, rowLength);
    PieceStarts pieces;
    std::uint32_t written = 0;
    std::uint32_t coded = 0;  // one past the last replaced byte so far
    for (std::uint32_t base = 0; base < rowLength; base += kWindowBytes) {
        mask.fill(base);
        const std::uint32_t bytes =
            rowLength - base < kWindowBytes ? rowLength - base : kWindowBytes;
        for (std::uint32_t w = 0; w * kWordBits < bytes; ++w) {
            for (std::uint64_t starts = pieces.of(mask.word(w)); starts != 0;
                 starts &= starts - 1) {
                const std::uint32_t at =
                    w * kWordBits + static_cast<std::uint32_t>(std::countr_zero(starts));
                const std::uint32_t pos = base + at;
                // Up to 8 replaced bytes: the set bits from `at`, stopped by a clear bit or bit 8.
                const auto replaced = static_cast<std::uint32_t>(
                    std::countr_one(mask.bitsFrom(at) & ((1u << kMaxReplaced) - 1)));
                written += writeCommand(out + written, pos - coded, replaced);
                // Copying a whole word, whatever the count, saves a branch per command. The bytes
                // past the replaced ones are overwritten by the next command or lie past the coded
                // length, and within the room: every earlier command took at least as many row
                // bytes as it wrote, but one more after each run of 8, so `written` is at most
                // pos + pos / 8 + 2, at least 9 short of the room for a row of pos + 8 bytes or
                // more.
                if (pos + kMaxReplaced <= rowLength) {
                    assert(written + kMaxReplaced <= seedRowMaxOutput(rowLength));
                    std::memcpy(out + written, row + pos, kMaxReplaced);
                } else {
                    std::memcpy(out + written, row + pos, replaced);
                }
                written += replaced;
                coded = pos + replaced;
            }
        }
    }
    *outLength = written;
    return written;
}
