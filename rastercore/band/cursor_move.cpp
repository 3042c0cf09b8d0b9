// The raster restart around a cursor move.
#include "band/cursor_move.h"

#include "command/cmd_info.h"
#include "command/raster_modes.h"
#include "command/srl_builders.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"

std::int32_t QDXA_Move_CapHV(QDXA_Info* packet, Cmd_Info* info, std::uint8_t* buffer,
                             std::int32_t x, std::int32_t y, std::int32_t relative) {
    if (packet == nullptr || info == nullptr || buffer == nullptr) {
        return rastercore::kCommandBadArgument;
    }
    const bool withResolution = info->drawMode == kDrawModeWithResolution;
    std::uint8_t* at = buffer;
    std::uint32_t written = 0;
    SRL_EndRasGraph(&at, &written);
    if (withResolution) {
        SRL_EndRasGraph_Band(&at, &written, kBandEndValue);
    }
    SRL_MoveCAP_HV(&at, &written, x, y, relative);
    SRL_SetGraphResolution(&at, &written, info->graphicsResolution[0]);
    if (withResolution) {
        SRL_H_SetGraphResolution(&at, &written, info->graphicsResolution[0]);
        SRL_V_SetGraphResolution(&at, &written, info->graphicsResolution[1]);
    }
    SRL_ConfImageDat(&at, &written, info->outputColorSpace);
    SRL_StartRas(&at, &written, kRasterStartMode);
    return tarn_QDXA_SendData(packet, buffer, static_cast<std::uint32_t>(at - buffer), 0, nullptr);
}
