// The generator of printer family 1, behind the `tarn_Cmd_` front. Arguments are checked by
// the front; the results and effects are those documented there.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"
#include "record/tarn_rect.h"

std::int32_t M1XX_Initialize(Cmd_Info& info);
std::int32_t M1XX_BeginJob(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                           std::uint32_t* length);
std::int32_t M1XX_BeginPage(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                            std::uint32_t* length);
std::int32_t M1XX_BeginImage(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                             std::uint32_t* length);
std::int32_t M1XX_ImageBand(Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                            std::uint32_t* length, const std::uint8_t* band, const TARNRect& rect);
std::int32_t M1XX_EndImage(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                           std::uint32_t* length);
std::int32_t M1XX_EndPage(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                          std::uint32_t* length);
std::int32_t M1XX_EndJob(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                         std::uint32_t* length);
void M1XX_Terminate(Cmd_Info& info);

/// The compression method of a job's compression choice: {1: 2, 2: 3, 3: 2, 4: 2, 5: 0},
/// anything else 0.
TARNCompType compressionForChoice(std::int32_t choice);
