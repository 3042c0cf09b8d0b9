// The raster language's escape sequences.
#include "command/srl_builders.h"

#include <algorithm>
#include <iterator>

#include "command/command_writer_internal.h"

using command_detail::CommandWriter;

namespace {

constexpr std::int32_t kMaxConfigurableSpaceId = 5;
constexpr std::uint8_t kThreePlaneBlockBytes = 6;
constexpr std::uint8_t kFourPlaneBlockBytes = 10;
constexpr std::uint8_t kSixPlaneBlockBytes = 12;

std::int32_t dataCommand(CommandCursor* cursor, std::uint32_t* length, const char* prefix,
                         std::uint8_t terminator, const std::uint8_t* data,
                         std::uint32_t dataLength) {
    CommandWriter writer(cursor);
    writer.escape().text(prefix).number(dataLength).byte(terminator).bytes(data, dataLength);
    return writer.finish(length);
}

std::int32_t numberCommand(CommandCursor* cursor, std::uint32_t* length, const char* prefix,
                           std::int64_t value, std::uint8_t terminator) {
    CommandWriter writer(cursor);
    return writer.escape().text(prefix).number(value).byte(terminator).finish(length);
}

std::int32_t fixedCommand(CommandCursor* cursor, std::uint32_t* length, const char* body) {
    CommandWriter writer(cursor);
    return writer.escape().text(body).finish(length);
}

std::int32_t nothing(CommandCursor* cursor, std::uint32_t* length) {
    return CommandWriter(cursor).finish(length);
}

std::int32_t moveOne(CommandCursor* cursor, std::uint32_t* length, std::int32_t value,
                     std::int32_t relative, std::uint8_t axis) {
    if (relative == 0 && value < 0) {
        return nothing(cursor, length);
    }
    CommandWriter writer(cursor);
    writer.escape().text("*p").number(value, relative != 0).byte(axis);
    return writer.finish(length);
}

}  // namespace

std::int32_t SRL_CompMethod(CommandCursor* cursor, std::uint32_t* length, TARNCompType type) {
    return numberCommand(cursor, length, "*b", type, 'M');
}

std::int32_t SRL_ConfImageDat(CommandCursor* cursor, std::uint32_t* length,
                              const TARNColorSpace& space) {
    if (space.id > kMaxConfigurableSpaceId) {
        return nothing(cursor, length);
    }
    const auto id = static_cast<std::uint8_t>(space.id);
    const auto count = static_cast<std::uint8_t>(space.planeCount);
    const std::uint8_t* d = space.depth;
    std::uint8_t block[kSixPlaneBlockBytes] = {};
    std::uint8_t size = 0;
    switch (space.planeCount) {
        case 1:
        case 4: {
            const std::uint8_t bytes[] = {id, count, 0, 0, 0, 0, d[6], d[3], d[4], d[5]};
            std::copy(std::begin(bytes), std::end(bytes), block);
            size = kFourPlaneBlockBytes;
            break;
        }
        case 3: {
            const std::uint8_t bytes[] = {id, 3, 0, d[0], d[1], d[2]};
            std::copy(std::begin(bytes), std::end(bytes), block);
            size = kThreePlaneBlockBytes;
            break;
        }
        case 6:
        case 7: {
            const std::uint8_t bytes[] = {id,   count, d[9], 0,    0,    0,
                                          d[6], d[3],  d[4], d[5], d[7], d[8]};
            std::copy(std::begin(bytes), std::end(bytes), block);
            size = kSixPlaneBlockBytes;
            break;
        }
        default:
            return nothing(cursor, length);
    }
    return dataCommand(cursor, length, "*v", 'W', block, size);
}

std::int32_t SRL_EndRasGraph(CommandCursor* cursor, std::uint32_t* length) {
    return fixedCommand(cursor, length, "*rC");
}

std::int32_t SRL_EndRasGraph_Band(CommandCursor* cursor, std::uint32_t* length,
                                  std::int16_t value) {
    return numberCommand(cursor, length, "*r", value, 'C');
}

std::int32_t SRL_EnterTARNMode(CommandCursor* cursor, std::uint32_t* length) {
    return fixedCommand(cursor, length, "%0A");
}

std::int32_t SRL_H_SetGraphResolution(CommandCursor* cursor, std::uint32_t* length,
                                      std::uint16_t dpi) {
    return numberCommand(cursor, length, "$r", dpi, 'X');
}

std::int32_t SRL_MoveCAP_H(CommandCursor* cursor, std::uint32_t* length, std::int32_t x,
                           std::int32_t relative) {
    return moveOne(cursor, length, x, relative, 'X');
}

std::int32_t SRL_MoveCAP_HV(CommandCursor* cursor, std::uint32_t* length, std::int32_t x,
                            std::int32_t y, std::int32_t relative) {
    const bool isRelative = relative != 0;
    if (!isRelative && y < 0) {
        return nothing(cursor, length);
    }
    CommandWriter writer(cursor);
    writer.escape().text("*p").number(x, isRelative).byte('x').number(y, isRelative).byte('Y');
    return writer.finish(length);
}

std::int32_t SRL_MoveCAP_V(CommandCursor* cursor, std::uint32_t* length, std::int32_t y,
                           std::int32_t relative) {
    return moveOne(cursor, length, y, relative, 'Y');
}

std::int32_t SRL_NMotion(CommandCursor* cursor, std::uint32_t* length, std::int32_t mode) {
    return numberCommand(cursor, length, "&a", mode, 'N');
}

std::int32_t SRL_Rst(CommandCursor* cursor, std::uint32_t* length) {
    return fixedCommand(cursor, length, "E");
}

std::int32_t SRL_Rst2(CommandCursor* cursor, std::uint32_t* length) {
    return fixedCommand(cursor, length, "$E");
}

std::int32_t SRL_SetGraphResolution(CommandCursor* cursor, std::uint32_t* length,
                                    std::uint16_t dpi) {
    return numberCommand(cursor, length, "*t", dpi, 'R');
}

std::int32_t SRL_StartRas(CommandCursor* cursor, std::uint32_t* length, std::uint8_t mode) {
    return numberCommand(cursor, length, "*r", mode, 'A');
}

std::int32_t SRL_TRasDat_Plane(CommandCursor* cursor, std::uint32_t* length,
                               const std::uint8_t* data, std::uint32_t dataLength) {
    return dataCommand(cursor, length, "*b", 'V', data, dataLength);
}

std::int32_t SRL_TRasDat_RowBlock(CommandCursor* cursor, std::uint32_t* length,
                                  const std::uint8_t* data, std::uint32_t dataLength) {
    return dataCommand(cursor, length, "*b", 'W', data, dataLength);
}

std::int32_t SRL_TransferGeneralDat(CommandCursor* cursor, std::uint32_t* length,
                                    const std::uint8_t* data, std::uint32_t dataLength) {
    return dataCommand(cursor, length, "$b", 'W', data, dataLength);
}

std::int32_t SRL_UnivExit(CommandCursor* cursor, std::uint32_t* length) {
    return fixedCommand(cursor, length, "%-12345X");
}

std::int32_t SRL_V_SetGraphResolution(CommandCursor* cursor, std::uint32_t* length,
                                      std::uint16_t dpi) {
    return numberCommand(cursor, length, "$r", dpi, 'Y');
}

std::int32_t SRL_YOfset(CommandCursor* cursor, std::uint32_t* length, std::int32_t rows) {
    return numberCommand(cursor, length, "*b", rows, 'Y');
}
