// Where the next printer command goes in a command buffer, and where that buffer ends.
#pragma once

#include <cstdint>

/// The builders write at `at` and never at or past `end`. A command that does not fit in what
/// is left is not written: the cursor stays where it was and becomes full, so that every later
/// command written through it fails too and a stream never has a command missing in its middle.
struct CommandCursor {
    std::uint8_t* at;
    std::uint8_t* end;  ///< one past the buffer's last byte
    bool full = false;  ///< a command did not fit

    CommandCursor(std::uint8_t* buffer, std::uint32_t capacity)
        : at(buffer), end(buffer + capacity) {}
};
