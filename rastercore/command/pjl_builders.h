// Builders of Printer Job Language lines.
//
// Every builder writes one line at the cursor, advances the cursor past it, stores its length in
// `*length` and returns 0; a line that does not fit before the cursor's end is not written (length
// 0, cursor full, 12010). Texts are NUL-terminated.
#pragma once

#include <cstdint>

#include "command/command_cursor.h"

/// "@PJL\n@PJL RESET\n" (16 bytes).
std::int32_t PJL_Reset(CommandCursor* cursor, std::uint32_t* length);

/// "@PJL SET <name>=<value>\n".
std::int32_t PJL_Set_String(CommandCursor* cursor, std::uint32_t* length, const char* name,
                            const char* value);

/// "@PJL SET <name>=<value>\n" with the value in decimal, a negative one with its minus sign.
std::int32_t PJL_Set_SInt32(CommandCursor* cursor, std::uint32_t* length, const char* name,
                            std::int32_t value);

/// "@PJL OPCMT2 DISPLAY=\"<text>\"\n" (mode not 0) or "@PJL OPCMT0 ..." (mode 0). The text is
/// changed in place first: cut after 14 characters, and every byte outside 0x20-0x7E and
/// 0xA0-0xFE replaced by '?'.
std::int32_t PJL_CmdDisplay(CommandCursor* cursor, std::uint32_t* length, char* text,
                            std::uint8_t mode);
