// The raster restart around a cursor move.
#include "band/cursor_move.h"

#include "command/image_sequence.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"

std::int32_t QDXA_Move_CapHV(QDXA_Info* packet, Cmd_Info* info, std::uint8_t* buffer,
                             std::int32_t x, std::int32_t y, std::int32_t relative) {
    if (packet == nullptr || info == nullptr || buffer == nullptr) {
        return rastercore::kCommandBadArgument;
    }
    std::uint8_t* at = buffer;
    writeImageEnd(*info, &at);
    writeImageBegin(*info, &at, x, y, relative);
    return tarn_QDXA_SendData(packet, buffer, static_cast<std::uint32_t>(at - buffer), 0, nullptr);
}
