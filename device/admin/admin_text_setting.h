// Text settings of the set and control requests: a text or "ByData" key sent as a
// length-prefixed string attribute with its character-set code.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "glue/glue_session.h"
#include "ticket/ticket_library.h"

namespace admin {

/// One text attribute and the request keys that set it.
struct TextSetting {
    std::string_view textKey;  ///< e.g. "ManagerName"; its code key adds "Code"
    bool byData;               ///< the key is textKey + "ByData" and holds byte data
    std::uint16_t attribute;
};

/// What sending one present text setting gave.
struct TextSettingOutcome {
    std::uint32_t ticketCode = 0;            ///< a ticket failure while reading the inputs
    std::optional<std::int32_t> glueStatus;  ///< the setting's status, when it was sent
};

/// Sends `setting` on `object` when its key is present in `request`: the text (at most 255
/// bytes) or the byte data cut to 255 bytes, with the code key's value or 3.
TextSettingOutcome sendTextSetting(GlueSession* session, const TktLibTicket& request,
                                   const TextSetting& setting, std::uint32_t object,
                                   const std::uint32_t* accessValue);

}  // namespace admin
