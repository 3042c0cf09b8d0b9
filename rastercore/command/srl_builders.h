// Builders of the raster language's escape sequences.
//
// Every builder writes one command at the cursor (ESC is 0x1B, numbers in decimal ASCII),
// advances the cursor past it, stores its length in `*length` and returns 0. A command that does
// not fit before the cursor's end is not written: the length is 0, the cursor full and the result
// 12010. Data-carrying commands write their count and then the bytes; a count of 0 is the digit 0
// with nothing after it.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"
#include "command/command_cursor.h"

/// Universal exit ESC%-12345X (9 bytes).
std::int32_t SRL_UnivExit(CommandCursor* cursor, std::uint32_t* length);
/// ESC%0A: enter the raster language.
std::int32_t SRL_EnterTARNMode(CommandCursor* cursor, std::uint32_t* length);
/// Reset ESC E (2 bytes).
std::int32_t SRL_Rst(CommandCursor* cursor, std::uint32_t* length);
/// ESC$E (3 bytes).
std::int32_t SRL_Rst2(CommandCursor* cursor, std::uint32_t* length);
/// ESC&a<mode>N.
std::int32_t SRL_NMotion(CommandCursor* cursor, std::uint32_t* length, std::int32_t mode);
/// ESC*t<dpi>R.
std::int32_t SRL_SetGraphResolution(CommandCursor* cursor, std::uint32_t* length,
                                    std::uint16_t dpi);
/// ESC$r<dpi>X.
std::int32_t SRL_H_SetGraphResolution(CommandCursor* cursor, std::uint32_t* length,
                                      std::uint16_t dpi);
/// ESC$r<dpi>Y.
std::int32_t SRL_V_SetGraphResolution(CommandCursor* cursor, std::uint32_t* length,
                                      std::uint16_t dpi);
/// Start raster ESC*r<mode>A.
std::int32_t SRL_StartRas(CommandCursor* cursor, std::uint32_t* length, std::uint8_t mode);
/// End raster ESC*rC (4 bytes).
std::int32_t SRL_EndRasGraph(CommandCursor* cursor, std::uint32_t* length);
/// End of band ESC*r<value>C.
std::int32_t SRL_EndRasGraph_Band(CommandCursor* cursor, std::uint32_t* length, std::int16_t value);
/// Compression method ESC*b<type>M.
std::int32_t SRL_CompMethod(CommandCursor* cursor, std::uint32_t* length, TARNCompType type);
/// Image configuration ESC*v<n>W and its n-byte block: 1 or 4 planes n = 10 (id, count, 0, 0, 0,
/// 0, slots 6, 3, 4, 5); 3 planes n = 6 (id, 3, 0, slots 0, 1, 2); 6 or 7 planes n = 12 (id,
/// count, slot 9, 0, 0, 0, slots 6, 3, 4, 5, 7, 8). An id above 5 or another plane count
/// writes nothing (length 0).
std::int32_t SRL_ConfImageDat(CommandCursor* cursor, std::uint32_t* length,
                              const TARNColorSpace& space);
/// General data ESC$b<length>W and the bytes.
std::int32_t SRL_TransferGeneralDat(CommandCursor* cursor, std::uint32_t* length,
                                    const std::uint8_t* data, std::uint32_t dataLength);
/// A plane that another plane of the same row follows: ESC*b<length>V and the bytes.
std::int32_t SRL_TRasDat_Plane(CommandCursor* cursor, std::uint32_t* length,
                               const std::uint8_t* data, std::uint32_t dataLength);
/// The last plane of a row: ESC*b<length>W and the bytes.
std::int32_t SRL_TRasDat_RowBlock(CommandCursor* cursor, std::uint32_t* length,
                                  const std::uint8_t* data, std::uint32_t dataLength);
/// Row skip ESC*b<rows>Y.
std::int32_t SRL_YOfset(CommandCursor* cursor, std::uint32_t* length, std::int32_t rows);

/// Horizontal cursor move. Relative: ESC*p+<x>X (or ESC*p-<n>X for a negative x). Absolute:
/// ESC*p<x>X, nothing for a negative x.
std::int32_t SRL_MoveCAP_H(CommandCursor* cursor, std::uint32_t* length, std::int32_t x,
                           std::int32_t relative);
/// Vertical cursor move, as `SRL_MoveCAP_H` with Y.
std::int32_t SRL_MoveCAP_V(CommandCursor* cursor, std::uint32_t* length, std::int32_t y,
                           std::int32_t relative);
/// Combined move. Absolute: ESC*p<x>x<y>Y, nothing for a negative y. Relative: each value
/// signed, "+" before values of 0 and above (ESC*p+<x>x+<y>Y, ESC*p-<n>x-<m>Y).
std::int32_t SRL_MoveCAP_HV(CommandCursor* cursor, std::uint32_t* length, std::int32_t x,
                            std::int32_t y, std::int32_t relative);
