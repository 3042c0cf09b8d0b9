// The raster restart around a cursor move.
#include "band/cursor_move.h"

#include "command/image_sequence.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"

std::int32_t QDXA_Move_CapHV(QDXA_Info* packet, Cmd_Info* info, std::uint8_t* buffer,
                             std::uint32_t capacity, std::int32_t x, std::int32_t y,
                             std::int32_t relative) {
    if (packet == nullptr || info == nullptr || buffer == nullptr) {
        return rastercore::kCommandBadArgument;
    }
    CommandCursor at(buffer, capacity);
    writeImageEnd(*info, &at);
    writeImageBegin(*info, &at, x, y, relative);
    if (at.full) {
        return rastercore::kCommandBadArgument;
    }
    return tarn_QDXA_SendData(packet, buffer, static_cast<std::uint32_t>(at.at - buffer), 0,
                              nullptr);
}
