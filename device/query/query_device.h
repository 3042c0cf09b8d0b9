// Printer information read from one attribute of the device, job-service, printer or file-box
// service object: state and status codes, model, firmware, strings, units, plex and sizes.
//
// Every query reads one attribute through glue_qdxaListAttributesOpen and decodes its value
// with bounded reads: a reply that ends early leaves the outputs it does not reach at their
// defaults. Results: 0; 15850 without a session or a required output; 15851 when the reply
// handle cannot be made; else the read's status, unless a query says otherwise.
#pragma once

#include <cstdint>

#include "glue/glue_component.h"
#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"

/// Attributes of the device object (101).
inline constexpr std::uint16_t kAttrAccountResources = 132;
inline constexpr std::uint16_t kAttrDeviceNumber = 1071;
inline constexpr std::uint16_t kAttrFirmwareVersions = 1050;
inline constexpr std::uint16_t kAttrOptionalUnits = 1016;
/// Attributes of the job-service object (501).
inline constexpr std::uint16_t kAttrPlex = 2058;

/// The model name and the state (glue_qdxaGetComponentModel, glue_qdxaGetComponentState2) are
/// in glue/glue_component.h; the session reads them when it opens.

/// Every listed status detail code, as host-order 32-bit values in `handle`, and their number.
/// Nothing is stored without a handle. 0 when the reply handle cannot be made.
std::int32_t glue_qdxaGetComponentStatus2CodeList(GlueSession* session, WqsMemHandle* handle,
                                                  std::uint16_t* count);

/// The device number string (256 bytes).
std::int32_t glue_qdxaGetDeviceNumber(GlueSession* session, std::uint8_t* number);
/// A string attribute of any object: its 16-bit character-set code and the string (256 bytes).
std::int32_t glue_qdxaGetStringAttribute(GlueSession* session, std::uint32_t object,
                                         std::uint16_t attribute, std::uint16_t* code,
                                         std::uint8_t* string);
/// The account resource values as host-order 32-bit values in `handle`, and their number.
/// 0 when the reply handle cannot be made.
std::int32_t glue_qdxaGetAccountResourceCount(GlueSession* session, WqsMemHandle* handle,
                                              std::uint16_t* count);
/// Whether the printer prints one-sided (a pair (1, 1)) and two-sided (a pair (2, 1) or
/// (4, 1)); both 0 by default.
std::int32_t glue_qdxaGetPlexSupport(GlueSession* session, std::uint8_t* oneSided,
                                     std::uint8_t* twoSided);

/// The main firmware version, from the first kind-4 entry: its number (default 3), string (33
/// bytes, default empty) and three numbers; `hasKind7` is set when a kind-7 entry exists.
std::int32_t glue_qdxaGetFirmMainVersion(GlueSession* session, std::uint16_t* number,
                                         std::uint8_t* string, std::uint16_t* numbers,
                                         std::uint8_t* hasKind7);

/// The unit byte of the first spectrophotometer unit (kind 11), default 2. A per-request
/// protocol status gives 0 and the default.
std::int32_t glue_qdxaGetSpectrophotometer(GlueSession* session, std::uint8_t* unit);

/// The optional units: hard disk (flag set when its state is 4; its state), memory (flag set
/// for a non-zero size; the size), font unit (its name without a leading "VELQ:") and card unit
/// (its name). Names are 33 bytes. A per-request protocol status gives 0.
std::int32_t glue_qdxaGetOptionalUnitsSupport(GlueSession* session, std::uint8_t* hardDiskFlag,
                                              std::uint8_t* hardDiskState, std::uint8_t* memoryFlag,
                                              std::uint32_t* memorySize, std::uint8_t* fontFlag,
                                              std::uint8_t* fontName, std::uint8_t* cardUnitFlag,
                                              std::uint8_t* cardUnitName);

/// A size attribute of the file-box service: its 32-bit value and the byte after it.
std::int32_t glue_qdxaGetFileBoxSize(GlueSession* session, std::uint16_t attribute,
                                     std::uint32_t* size, std::uint8_t* byte);
