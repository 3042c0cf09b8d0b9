// Nested list answers built from records the printer reported: the nested request under a list
// key, and one answer array per requested field with one entry per record.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "admin/admin_get_groups.h"
#include "admin/admin_internal.h"
#include "core/core_error.h"
#include "glue/glue_internal.h"
#include "ticket/ticket_library.h"

namespace admin {

/// How a field's array is answered.
enum class AnswerKind {
    Integer,  ///< 32-bit integers
    Boolean,  ///< booleans, non-zero for true
    Text,     ///< byte-data strings ending in NUL
    Data,     ///< byte data as it stands
};

/// One field of a record list: its key, its answer kind, and how a record's value is taken
/// (`number` for integers and booleans, `bytes` for texts and data).
template <typename Record>
struct RecordField {
    std::string_view key;
    AnswerKind kind;
    std::int32_t (*number)(const Record&) = nullptr;
    std::string (*bytes)(const Record&) = nullptr;
};

/// The nested request under `listKey`; `nested` stays null and 0 is returned when it is absent.
inline std::uint32_t nestedRequest(const TktLibTicket& request, std::string_view listKey,
                                   const TktLibTicket*& nested) {
    nested = nullptr;
    const int error = TktLibGetTicket(&request, key(listKey).c_str(), &nested);
    return error == kTktLibNoErr ? kCoreNoErr : ConvertTktLibErrToCoreErr(error);
}

/// Writes into `answer` the array of every field that `asked` holds, one entry per record.
template <typename Record>
std::uint32_t writeRecordFields(const TktLibTicket& asked,
                                std::span<const RecordField<Record>> fields,
                                const std::vector<Record>& records, TktLibTicket& answer) {
    for (const RecordField<Record>& field : fields) {
        if (!has(asked, field.key)) {
            continue;
        }
        std::vector<std::int32_t> numbers;
        std::vector<std::string> texts;
        for (const Record& record : records) {
            if (field.number != nullptr) {
                numbers.push_back(field.number(record));
            } else {
                texts.push_back(field.bytes(record));
            }
        }
        std::uint32_t code = kCoreNoErr;
        switch (field.kind) {
            case AnswerKind::Integer:
                code = setIntArray(answer, field.key, numbers);
                break;
            case AnswerKind::Boolean: {
                std::vector<std::uint32_t> flags;
                for (std::int32_t number : numbers) {
                    flags.push_back(number != 0 ? kTktLibBooleanTrue : kTktLibBooleanFalse);
                }
                code = setBooleanArray(answer, field.key, flags);
                break;
            }
            case AnswerKind::Text:
                code = setTextArray(answer, field.key, texts);
                break;
            case AnswerKind::Data:
                code = setDataArray(answer, field.key, texts);
                break;
        }
        if (code != kCoreNoErr) {
            return code;
        }
    }
    return kCoreNoErr;
}

/// When the request holds the nested request `listKey`: `read(asked, list, records)` fills the
/// records through a fresh list handle and returns a core code; the answer under `listKey`
/// holds the record count under `countKey` and the arrays of the requested fields.
template <typename Record, typename Read>
std::uint32_t answerRecordList(GetRequest& get, std::string_view listKey, std::string_view countKey,
                               std::span<const RecordField<Record>> fields, Read read) {
    const TktLibTicket* asked = nullptr;
    if (const std::uint32_t code = nestedRequest(get.request, listKey, asked);
        code != kCoreNoErr || asked == nullptr) {
        return code;
    }
    device::GlueHandle list(Wqs_Mem_NewHandle(1));
    if (!list) {
        return kCoreMemErr;
    }
    std::vector<Record> records;
    if (const std::uint32_t code = read(*asked, list.get(), records); code != kCoreNoErr) {
        return code;
    }
    TktLibTicket answer = cf::Value::emptyDictionary();
    if (const std::uint32_t code = firstFailure(
            [&] { return setInt(answer, countKey, static_cast<std::int32_t>(records.size())); },
            [&] { return writeRecordFields<Record>(*asked, fields, records, answer); });
        code != kCoreNoErr) {
        return code;
    }
    return setTicket(get.result, listKey, answer);
}

}  // namespace admin
