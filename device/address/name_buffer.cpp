// Copying names into callers' buffers.
#include "address/name_buffer.h"

#include <cstring>

namespace {

constexpr unsigned char kUTF8ContinuationMask = 0xC0;
constexpr unsigned char kUTF8Continuation = 0x80;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & kUTF8ContinuationMask) == kUTF8Continuation;
}

}  // namespace

namespace device {

void CopyNameToBuffer(std::string_view name, char* buffer, std::size_t size) {
    std::size_t length = name.size();
    if (length >= size) {
        // Cut before the character whose bytes would not all fit.
        length = size - 1;
        while (length > 0 && isContinuationByte(name[length])) {
            --length;
        }
    }
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
}

}  // namespace device
