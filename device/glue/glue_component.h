// Printer information that the session caches when it opens: the model name and the state.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"

/// Attributes read at open.
inline constexpr std::uint16_t kGlueAttrModelName = 1056;    ///< of object 101
inline constexpr std::uint16_t kGlueAttrPrinterState = 282;  ///< of object 601

/// Reads the model name (attribute 1056 of the device object: a 16-bit character-set code,
/// then a length-prefixed string) into `model`, a length-prefixed string of up to 255
/// characters (256 bytes). 0 or the read's status; 15850 without session or output; 15851 when
/// the reply handle cannot be made. The output is empty when the printer gave no model.
std::int32_t glue_qdxaGetComponentModel(GlueSession* session, std::uint8_t* model);

/// Reads the printer state (attribute 282 of the printer object). Defaults state 1, reason 0,
/// printable 1, detail 0, set before anything else. The detail is the listed status code equal
/// to the current code, else the largest listed code below 0x4FFFFFF; the code 0x01060100 is
/// never taken. 0 or the read's status; 15850 without a session; 15851 when the reply handle
/// cannot be made.
std::int32_t glue_qdxaGetComponentState2(GlueSession* session, std::uint8_t* state,
                                         std::uint8_t* reason, std::uint8_t* printable,
                                         std::uint32_t* detail);
