// Printer Job Language lines.
#include "command/pjl_builders.h"

#include <cstring>

#include "command/command_writer_internal.h"

using command_detail::CommandWriter;

namespace {

// The printer's operator panel shows at most 14 characters.
constexpr std::size_t kDisplayChars = 14;

bool displayable(unsigned char c) {
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFE);
}

CommandWriter& setPrefix(CommandWriter& writer, const char* name) {
    return writer.text("@PJL SET ").text(name).byte('=');
}

}  // namespace

std::int32_t PJL_CmdDisplay(CommandCursor* cursor, std::uint32_t* length, char* text,
                            std::uint8_t mode) {
    if (std::strlen(text) > kDisplayChars) {
        text[kDisplayChars] = '\0';
    }
    for (char* c = text; *c != '\0'; ++c) {
        if (!displayable(static_cast<unsigned char>(*c))) {
            *c = '?';
        }
    }
    CommandWriter writer(cursor);
    writer.text(mode != 0 ? "@PJL OPCMT2 DISPLAY=\"" : "@PJL OPCMT0 DISPLAY=\"");
    return writer.text(text).text("\"\n").finish(length);
}

std::int32_t PJL_Reset(CommandCursor* cursor, std::uint32_t* length) {
    return CommandWriter(cursor).text("@PJL\n@PJL RESET\n").finish(length);
}

std::int32_t PJL_Set_SInt32(CommandCursor* cursor, std::uint32_t* length, const char* name,
                            std::int32_t value) {
    CommandWriter writer(cursor);
    return setPrefix(writer, name).number(value).byte('\n').finish(length);
}

std::int32_t PJL_Set_String(CommandCursor* cursor, std::uint32_t* length, const char* name,
                            const char* value) {
    CommandWriter writer(cursor);
    return setPrefix(writer, name).text(value).byte('\n').finish(length);
}
