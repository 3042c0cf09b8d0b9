// Medium names from the media database: Windows Western bytes to the system's bytes.
#pragma once

#include <array>
#include <cstdint>

struct AsciiExPair {
    std::uint8_t windows;
    std::uint8_t mac;
};

/// One pair per byte 0x80 to 0xFF: the Windows-1252 byte and the Mac OS Roman byte of the same
/// character (bytes without one stay as they are).
extern const std::array<AsciiExPair, 128> table_asciiex;

inline constexpr int kNameBufferBytes = 256;

/// Converts a zero-terminated name in its 256-byte buffer in place: under a Korean or simplified
/// Chinese system the UTF-8 bytes become the system's; for region 14 nothing changes; otherwise
/// each Windows byte becomes its Mac OS Roman byte. The result is always terminated in the buffer.
void ConvertCharCodeWinToMac(char* nameBytes, int region);
