// The commands that close and open a raster image.
#include "command/image_sequence.h"

#include "command/raster_modes.h"
#include "command/srl_builders.h"

void writeImageEnd(const Cmd_Info& info, CommandCursor* cursor) {
    std::uint32_t written = 0;
    SRL_EndRasGraph(cursor, &written);
    if (info.drawMode == kDrawModeWithResolution) {
        SRL_EndRasGraph_Band(cursor, &written, kBandEndValue);
    }
}

void writeImageBegin(const Cmd_Info& info, CommandCursor* cursor, std::int32_t x, std::int32_t y,
                     std::int32_t relative) {
    std::uint32_t written = 0;
    SRL_MoveCAP_HV(cursor, &written, x, y, relative);
    SRL_SetGraphResolution(cursor, &written, info.graphicsResolution[0]);
    if (info.drawMode == kDrawModeWithResolution) {
        SRL_H_SetGraphResolution(cursor, &written, info.graphicsResolution[0]);
        SRL_V_SetGraphResolution(cursor, &written, info.graphicsResolution[1]);
    }
    SRL_ConfImageDat(cursor, &written, info.outputColorSpace);
    SRL_StartRas(cursor, &written, kRasterStartMode);
}
