// Get groups of the device's extended lists: printed texts as string arrays, media and sensor
// records as byte data.
#include <algorithm>

#include "admin/admin_get_groups.h"
#include "bytes/byte_order.h"
#include "core/core_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"

namespace admin {
namespace {

// Element types of an extended list's reply.
constexpr std::uint16_t kElementRecord = 24;
constexpr std::uint16_t kElementStrings = 25;
constexpr std::uint32_t kPascalCapacity = 256;

enum class ListAnswer {
    Strings,         ///< string array, only for element type 25
    AnyStrings,      ///< string array whatever the element type
    Record,          ///< byte data, only for element type 24
    OptionalRecord,  ///< the same; a failing list skips the key
};

struct ExtendedList {
    const std::uint8_t* bytes;
    std::uint32_t size;
    std::uint16_t elementType;
    std::uint16_t elementCount;
};

/// The elements as texts: each a length-prefixed string, without a byte-order mark.
std::vector<std::string> listTexts(const ExtendedList& list) {
    bytes::ByteReader reader(std::span(list.bytes, list.size));
    std::vector<std::string> texts;
    for (std::uint16_t index = 0; index < list.elementCount; ++index) {
        const auto length = reader.u8();
        if (!length) {
            break;
        }
        const auto characters = reader.take(*length);
        if (!characters) {
            break;
        }
        std::uint8_t pascal[kPascalCapacity] = {*length};
        std::copy(characters->begin(), characters->end(), pascal + 1);
        texts.push_back(printerText(pascal, sizeof pascal));
    }
    return texts;
}

std::uint32_t answerList(GetRequest& get, std::string_view name, std::uint16_t listKind,
                         ListAnswer kind) {
    if (!has(get.request, name)) {
        return kCoreNoErr;
    }
    device::GlueHandle handle(Wqs_Mem_NewHandle(1));
    if (!handle) {
        return kCoreMemErr;
    }
    std::uint32_t size = 0;
    ExtendedList list{};
    const std::int32_t status =
        glue_qdxaListEx_ushort(get.session, kGlueObjectDevice, listKind, &list.elementType,
                               handle.get(), &size, &list.elementCount);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return kind == ListAnswer::OptionalRecord ? kCoreNoErr : code;
    }
    list.bytes = handle->data;
    list.size = std::min(size, handle->size);
    switch (kind) {
        case ListAnswer::Strings:
        case ListAnswer::AnyStrings:
            if (kind == ListAnswer::Strings && list.elementType != kElementStrings) {
                return kCoreNoErr;
            }
            return setTextArray(get.result, name, listTexts(list));
        case ListAnswer::Record:
        case ListAnswer::OptionalRecord:
            if (list.elementType != kElementRecord) {
                return kCoreNoErr;
            }
            return setData(get.result, name, std::span(list.bytes, list.size));
    }
    return kCoreNoErr;
}

}  // namespace

std::uint32_t getStatusPrintStrings(GetRequest& get) {
    return answerList(get, "StatusPrintStrings", 1, ListAnswer::Strings);
}
std::uint32_t getJobLogStrings(GetRequest& get) {
    return answerList(get, "JobLogStrings", 5, ListAnswer::Strings);
}
std::uint32_t getServicePrintStrings(GetRequest& get) {
    return answerList(get, "ServicePrintStrings", 9, ListAnswer::Strings);
}
std::uint32_t getStatusPrintStringsUser(GetRequest& get) {
    return answerList(get, "StatusPrintStringsUser", 11, ListAnswer::Strings);
}
std::uint32_t getMediaEditorInfo(GetRequest& get) {
    return answerList(get, "MediaEditorInfo", 6, ListAnswer::OptionalRecord);
}
std::uint32_t getMediaEditorHeadInfo(GetRequest& get) {
    return answerList(get, "MediaEditorHeadInfo", 10, ListAnswer::OptionalRecord);
}
std::uint32_t getMediaEditorInfo2(GetRequest& get) {
    return answerList(get, "MediaEditorInfo2", 12, ListAnswer::OptionalRecord);
}
std::uint32_t getMitMediaInfo(GetRequest& get) {
    return answerList(get, "MitMediaInfo", 13, ListAnswer::OptionalRecord);
}
std::uint32_t getMultiSensorInfo(GetRequest& get) {
    return answerList(get, "MultiSensorInfo", 14, ListAnswer::Record);
}
std::uint32_t getSpectrophotometerSensor(GetRequest& get) {
    return answerList(get, "WVTSpectrophotometerSensor", 15, ListAnswer::AnyStrings);
}
std::uint32_t getStatusPrintStringsNoJoblog(GetRequest& get) {
    return answerList(get, "StatusPrintStringsNoJoblog", 17, ListAnswer::AnyStrings);
}
std::uint32_t getStatusPrintStringsUserNoJoblog(GetRequest& get) {
    return answerList(get, "StatusPrintStringsUserNoJoblog", 18, ListAnswer::AnyStrings);
}
std::uint32_t getJobLogStringsNoJoblog(GetRequest& get) {
    return answerList(get, "JobLogStringsNoJoblog", 19, ListAnswer::AnyStrings);
}

}  // namespace admin
