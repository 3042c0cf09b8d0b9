// Setting printer values: a string attribute through Set2, and the media and pre-information
// methods of the printer and the pre-information object.
//
// The method setters send their input and do not read the answer. A status that the printer
// reports per request (checkQDXAError) counts as done and gives 0; 15850 without a session;
// 15851 when the answer buffer cannot be allocated (nothing is sent).
#pragma once

#include <cstdint>

#include "glue/glue_session.h"

/// Method ids of the setters.
inline constexpr std::uint16_t kMethodSetMediaListNumber = 16400;
inline constexpr std::uint16_t kMethodSetFixCustomMedia = 16420;
inline constexpr std::uint16_t kMethodCustomMediaInfo = 16421;
inline constexpr std::uint16_t kMethodSetAppointMediaTypeEx = 16422;
inline constexpr std::uint16_t kMethodSetMediaType = 16423;
inline constexpr std::uint16_t kMethodSetPreInfo = 16394;

/// The number of values that pre-information carries, and its input size.
inline constexpr std::uint32_t kPreInfoValueCount = 12;
inline constexpr std::uint32_t kPreInfoInputSize = 55;

/// Sets a string attribute: the 16-bit character-set code, then the length-prefixed string.
/// With `accessValue` the request's access field carries it. 0, 15850 without session or
/// string, or the printer's status.
std::int32_t glue_qdxaSetStringAttribute(GlueSession* session, std::uint32_t object,
                                         std::uint16_t attribute, std::uint16_t code,
                                         const std::uint8_t* string,
                                         const std::uint32_t* accessValue);

std::int32_t glue_qdxaSetMediaListNumber(GlueSession* session, std::uint8_t listNumber);
std::int32_t glue_qdxaSetAppointMediaTypeEx(GlueSession* session, std::uint16_t mediaType);
std::int32_t glue_qdxaSetFixCustomMedia(GlueSession* session, std::uint16_t mediaId);
/// Sets one custom-media item (1 head height, 2 adsorption power, 3 roll-paper cut,
/// 4 borderless printing, 6 ink drying time).
std::int32_t glue_qdxaSetWVTCustomMediaInfo(GlueSession* session, std::uint16_t mediaId,
                                            std::uint8_t item, std::uint8_t value);
std::int32_t glue_qdxaSetMediaType(GlueSession* session, std::uint8_t mediaType,
                                   std::uint8_t trayAlias);

/// Sends the pre-information: only a count of 12 sends anything (any other count gives 0 at
/// once). The values are narrowed to their fields of the 55-byte input. The printer's status
/// 11 gives 15850; 15850 also without a session or values.
std::int32_t glue_qdxaSetPreInfo(GlueSession* session, std::uint32_t count,
                                 const std::uint32_t* values);
