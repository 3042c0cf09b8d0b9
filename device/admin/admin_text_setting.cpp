// Sending one text setting from a request ticket.
#include "admin/admin_text_setting.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "admin/admin_internal.h"
#include "core/core_strings.h"
#include "query/query_setters.h"

namespace admin {

TextSettingOutcome sendTextSetting(GlueSession* session, const TktLibTicket& request,
                                   const TextSetting& setting, std::uint32_t object,
                                   const std::uint32_t* accessValue) {
    TextSettingOutcome outcome;
    const std::string name = std::string(setting.textKey) + (setting.byData ? "ByData" : "");
    std::uint8_t pascal[kTextBufferSize] = {};
    if (setting.byData) {
        std::optional<cf::Value::Data> data;
        if ((outcome.ticketCode = readData(request, name, data)) != 0 || !data) {
            return outcome;
        }
        const std::size_t length = std::min<std::size_t>(data->size(), kMaxTextLength);
        pascal[0] = static_cast<std::uint8_t>(length);
        if (length != 0) {
            std::memcpy(pascal + 1, data->data(), length);
        }
    } else {
        std::optional<std::string> text;
        if ((outcome.ticketCode = readText(request, name, text)) != 0 || !text) {
            return outcome;
        }
        ConvertCStringToPascalString(text->c_str(), pascal, sizeof pascal);
    }
    std::optional<std::int32_t> code;
    if ((outcome.ticketCode = readInt(request, std::string(setting.textKey) + "Code", code)) != 0) {
        return outcome;
    }
    outcome.glueStatus = glue_qdxaSetStringAttribute(
        session, object, setting.attribute,
        static_cast<std::uint16_t>(code.value_or(kDefaultCharacterSet)), pascal, accessValue);
    return outcome;
}

}  // namespace admin
