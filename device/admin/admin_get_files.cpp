// The stored files of a file box: one array per requested field, one entry per file.
#include <array>
#include <functional>

#include "admin/admin_get_groups.h"
#include "core/core_error.h"
#include "glue/glue_internal.h"
#include "query/query_file.h"
#include "query/query_records.h"

namespace admin {
namespace {

constexpr std::string_view kListKey = "FileList";

/// One requested field: its key, how a file's value is taken, and a key answered beside it.
struct NumberField {
    std::string_view key;
    std::int32_t (*value)(const FileRecord&);
};
struct TextField {
    std::string_view key;
    std::string (*value)(const FileRecord&);
    bool rawBytes;  ///< byte data in place of a text
};

template <std::size_t N>
std::string pascalOf(const std::uint8_t (&pascal)[N]) {
    return printerTextOrUnknown(pascal, N);
}
template <std::size_t N>
std::string charactersOf(const std::uint8_t (&pascal)[N]) {
    return pascalCharacters(pascal, N);
}
std::string dateOf(const QDXADateTime& date) {
    return std::string(reinterpret_cast<const char*>(&date), sizeof date);
}

// A requested field answers its own key; the size, the size id and the name also answer the
// keys beside them.
constexpr std::pair<std::string_view, NumberField> kNumbers[] = {
    {"JobHandle", {"JobHandle", [](const FileRecord& f) { return std::int32_t(f.fileId); }}},
    {"JobName", {"JobNameCode", [](const FileRecord& f) { return std::int32_t(f.nameCode); }}},
    {"JobNameCode", {"JobNameCode", [](const FileRecord& f) { return std::int32_t(f.nameCode); }}},
    {"JobDetailName",
     {"JobDetailNameCode", [](const FileRecord& f) { return std::int32_t(f.detailNameCode); }}},
    {"JobDetailNameCode",
     {"JobDetailNameCode", [](const FileRecord& f) { return std::int32_t(f.detailNameCode); }}},
    {"JobOwner", {"JobOwnerCode", [](const FileRecord& f) { return std::int32_t(f.ownerCode); }}},
    {"JobOwnerCode",
     {"JobOwnerCode", [](const FileRecord& f) { return std::int32_t(f.ownerCode); }}},
    {"JobStatus", {"JobStatus", [](const FileRecord& f) { return std::int32_t(f.state); }}},
    {"ImpressionCount",
     {"ImpressionCount", [](const FileRecord& f) { return std::int32_t(f.value275); }}},
    {"CompleteImpressionCount",
     {"CompleteImpressionCount", [](const FileRecord& f) { return std::int32_t(f.value277); }}},
    {"JobDataSize", {"JobDataSize", [](const FileRecord& f) { return std::int32_t(f.value263); }}},
    {"JobDataSize",
     {"JobDataSizeUnit", [](const FileRecord& f) { return std::int32_t(f.value263Flag); }}},
    {"EstimateTimeToJobCompletion",
     {"EstimateTimeToJobCompletion", [](const FileRecord& f) { return std::int32_t(f.value311); }}},
    {"MediumType",
     {"MediumType", [](const FileRecord& f) { return std::int32_t(f.documentKind); }}},
    {"MediumSizeID",
     {"MediumSizeID", [](const FileRecord& f) { return std::int32_t(f.documentWord); }}},
    {"MediumSizeID",
     {"MediumSizeWidth", [](const FileRecord& f) { return std::int32_t(f.documentValues[0]); }}},
    {"MediumSizeID",
     {"MediumSizeHeight", [](const FileRecord& f) { return std::int32_t(f.documentValues[1]); }}},
    {"MediumTypeEx",
     {"MediumTypeEx", [](const FileRecord& f) { return std::int32_t(f.documentMedium); }}},
    {"DocumentTrayAlias",
     {"DocumentTrayAlias", [](const FileRecord& f) { return std::int32_t(f.documentBytes[0]); }}},
    {"DocumentTrayNumber",
     {"DocumentTrayNumber", [](const FileRecord& f) { return std::int32_t(f.documentBytes[1]); }}},
};
constexpr TextField kTexts[] = {
    {"JobName", [](const FileRecord& f) { return pascalOf(f.name); }, false},
    {"JobNameByData", [](const FileRecord& f) { return charactersOf(f.name); }, true},
    {"JobDetailName", [](const FileRecord& f) { return pascalOf(f.detailName); }, false},
    {"JobDetailNameByData", [](const FileRecord& f) { return charactersOf(f.detailName); }, true},
    {"JobOwner", [](const FileRecord& f) { return pascalOf(f.owner); }, false},
    {"JobOwnerByData", [](const FileRecord& f) { return charactersOf(f.owner); }, true},
    {"JobTimeData", [](const FileRecord& f) { return dateOf(f.date9); }, true},
    {"FileStoredTimeData", [](const FileRecord& f) { return dateOf(f.date10909); }, true},
};

std::uint32_t firstElement(const std::optional<std::vector<std::int32_t>>& values) {
    return values && !values->empty() ? static_cast<std::uint32_t>(values->front()) : 0;
}

/// The fields of every file of the list.
std::vector<FileRecord> fileRecords(GlueSession* session, const WqsMemHandle* list,
                                    std::uint32_t count) {
    std::vector<FileRecord> files;
    for (std::uint32_t index = 0; index < count; ++index) {
        FileRecord f{};
        const std::int32_t status = glue_qdxaGetFileInfo(
            session, list, index, &f.fileId, f.name, &f.nameCode, f.detailName, &f.detailNameCode,
            f.owner, &f.ownerCode, &f.state, &f.value275, &f.value277, &f.value263, &f.value263Flag,
            &f.date9, &f.documentKind, &f.documentWord, &f.documentValues[0], &f.documentValues[1],
            &f.documentMedium, &f.documentBytes[0], &f.documentBytes[1], &f.date10909, &f.value311);
        if (status != 0) {
            break;
        }
        files.push_back(f);
    }
    return files;
}

std::uint32_t writeFields(const TktLibTicket& asked, const std::vector<FileRecord>& files,
                          TktLibTicket& answer) {
    for (const auto& [requestKey, field] : kNumbers) {
        if (!has(asked, requestKey)) {
            continue;
        }
        std::vector<std::int32_t> values;
        for (const FileRecord& file : files) {
            values.push_back(field.value(file));
        }
        if (const std::uint32_t code = setIntArray(answer, field.key, values); code != 0) {
            return code;
        }
    }
    for (const TextField& field : kTexts) {
        if (!has(asked, field.key)) {
            continue;
        }
        std::vector<std::string> values;
        for (const FileRecord& file : files) {
            values.push_back(field.value(file));
        }
        const std::uint32_t code = field.rawBytes ? setDataArray(answer, field.key, values)
                                                  : setTextArray(answer, field.key, values);
        if (code != 0) {
            return code;
        }
    }
    return kCoreNoErr;
}

}  // namespace

std::uint32_t getFileList(GetRequest& get) {
    const TktLibTicket* asked = nullptr;
    if (const int error = TktLibGetTicket(&get.request, key(kListKey).c_str(), &asked);
        error != kTktLibNoErr || asked == nullptr) {
        return ConvertTktLibErrToCoreErr(error);
    }
    std::optional<std::vector<std::int32_t>> boxes;
    std::optional<std::vector<std::int32_t>> passwords;
    if (const std::uint32_t code =
            firstFailure([&] { return readIntArray(get.request, "FileBoxHandle", boxes); },
                         [&] { return readIntArray(get.request, "FileBoxPassword", passwords); });
        code != kCoreNoErr || !boxes) {
        return code;
    }
    if (boxes->empty()) {
        return kCoreTicketErr;
    }
    device::GlueHandle list(Wqs_Mem_NewHandle(1));
    if (!list) {
        return kCoreMemErr;
    }
    const std::uint32_t box = firstElement(boxes);
    const std::uint32_t mask = has(*asked, "EstimateTimeToJobCompletion") ? kFileMaskValue311 : 0;
    std::uint32_t count = 0;
    std::uint32_t flags = 0;
    const std::int32_t status = glue_qdxaGetFileList(get.session, box, firstElement(passwords),
                                                     list.get(), &count, mask, &flags);
    if (status == kStatusBoxEmpty) {
        return kCoreFileListStatus30Err;
    }
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const std::vector<FileRecord> files = fileRecords(get.session, list.get(), count);
    TktLibTicket answer = cf::Value::emptyDictionary();
    if (const std::uint32_t code = firstFailure(
            [&] {
                return setInt(answer, "JobHandleCount", static_cast<std::int32_t>(files.size()));
            },
            [&] { return setInt(answer, "FileBoxHandle", static_cast<std::int32_t>(box)); },
            [&] { return writeFields(*asked, files, answer); });
        code != kCoreNoErr) {
        return code;
    }
    return setTicket(get.result, kListKey, answer);
}

}  // namespace admin
