// Builders of the raster language's escape sequences.
//
// Every builder writes one command at `*cursor` (ESC is 0x1B, numbers in decimal ASCII),
// advances the cursor past it, stores its length in `*length` and returns 0. The caller
// guarantees room. Data-carrying commands write their count and then the bytes; a count of 0 is
// the digit 0 with nothing after it.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"

/// Universal exit ESC%-12345X (9 bytes).
std::int32_t SRL_UnivExit(std::uint8_t** cursor, std::uint32_t* length);
/// ESC%0A: enter the raster language.
std::int32_t SRL_EnterTARNMode(std::uint8_t** cursor, std::uint32_t* length);
/// Reset ESC E (2 bytes).
std::int32_t SRL_Rst(std::uint8_t** cursor, std::uint32_t* length);
/// ESC$E (3 bytes).
std::int32_t SRL_Rst2(std::uint8_t** cursor, std::uint32_t* length);
/// ESC&a<mode>N.
std::int32_t SRL_NMotion(std::uint8_t** cursor, std::uint32_t* length, std::int32_t mode);
/// ESC*t<dpi>R.
std::int32_t SRL_SetGraphResolution(std::uint8_t** cursor, std::uint32_t* length,
                                    std::uint16_t dpi);
/// ESC$r<dpi>X.
std::int32_t SRL_H_SetGraphResolution(std::uint8_t** cursor, std::uint32_t* length,
                                      std::uint16_t dpi);
/// ESC$r<dpi>Y.
std::int32_t SRL_V_SetGraphResolution(std::uint8_t** cursor, std::uint32_t* length,
                                      std::uint16_t dpi);
/// Start raster ESC*r<mode>A.
std::int32_t SRL_StartRas(std::uint8_t** cursor, std::uint32_t* length, std::uint8_t mode);
/// End raster ESC*rC (4 bytes).
std::int32_t SRL_EndRasGraph(std::uint8_t** cursor, std::uint32_t* length);
/// End of band ESC*r<value>C.
std::int32_t SRL_EndRasGraph_Band(std::uint8_t** cursor, std::uint32_t* length, std::int16_t value);
/// Compression method ESC*b<type>M.
std::int32_t SRL_CompMethod(std::uint8_t** cursor, std::uint32_t* length, TARNCompType type);
/// Image configuration ESC*v<n>W and its n-byte block: 1 or 4 planes n = 10 (id, count, 0, 0, 0,
/// 0, slots 6, 3, 4, 5); 3 planes n = 6 (id, 3, 0, slots 0, 1, 2); 6 or 7 planes n = 12 (id,
/// count, slot 9, 0, 0, 0, slots 6, 3, 4, 5, 7, 8). An id above 5 or another plane count
/// writes nothing (length 0).
std::int32_t SRL_ConfImageDat(std::uint8_t** cursor, std::uint32_t* length,
                              const TARNColorSpace& space);
/// General data ESC$b<length>W and the bytes.
std::int32_t SRL_TransferGeneralDat(std::uint8_t** cursor, std::uint32_t* length,
                                    const std::uint8_t* data, std::uint32_t dataLength);
/// A plane that another plane of the same row follows: ESC*b<length>V and the bytes.
std::int32_t SRL_TRasDat_Plane(std::uint8_t** cursor, std::uint32_t* length,
                               const std::uint8_t* data, std::uint32_t dataLength);
/// The last plane of a row: ESC*b<length>W and the bytes.
std::int32_t SRL_TRasDat_RowBlock(std::uint8_t** cursor, std::uint32_t* length,
                                  const std::uint8_t* data, std::uint32_t dataLength);
/// Row skip ESC*b<rows>Y.
std::int32_t SRL_YOfset(std::uint8_t** cursor, std::uint32_t* length, std::int32_t rows);

/// Horizontal cursor move. Relative: ESC*p+<x>X (or ESC*p-<n>X for a negative x). Absolute:
/// ESC*p<x>X, nothing for a negative x.
std::int32_t SRL_MoveCAP_H(std::uint8_t** cursor, std::uint32_t* length, std::int32_t x,
                           std::int32_t relative);
/// Vertical cursor move, as `SRL_MoveCAP_H` with Y.
std::int32_t SRL_MoveCAP_V(std::uint8_t** cursor, std::uint32_t* length, std::int32_t y,
                           std::int32_t relative);
/// Combined move. Absolute: ESC*p<x>x<y>Y, nothing for a negative y. Relative: each value
/// signed, "+" before values of 0 and above (ESC*p+<x>x+<y>Y, ESC*p-<n>x-<m>Y).
std::int32_t SRL_MoveCAP_HV(std::uint8_t** cursor, std::uint32_t* length, std::int32_t x,
                            std::int32_t y, std::int32_t relative);
