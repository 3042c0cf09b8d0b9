// The file boxes in get requests: the box count and one array per requested box field.
#include <array>

#include "admin/admin_get_groups.h"
#include "admin/admin_record_list.h"
#include "glue/glue_internal.h"
#include "query/query_file.h"

namespace admin {
namespace {

constexpr std::string_view kListKey = "FileBoxList";

using Field = RecordField<FileBoxRecord>;
using enum AnswerKind;

// The box list gives each box's number, handle, name with its character set, the byte that
// says whether its files may be printed, its file count, and the flag of a box whose file
// listing answered status 30.
constexpr Field kFields[] = {
    {"FileBoxNumber", Integer, [](const FileBoxRecord& b) { return std::int32_t(b.boxNumber); }},
    {"FileBoxHandle", Integer, [](const FileBoxRecord& b) { return std::int32_t(b.boxId); }},
    {"FileBoxName", Text, nullptr,
     [](const FileBoxRecord& b) { return printerText(b.boxName, sizeof b.boxName); }},
    {"FileBoxNameByData", Data, nullptr,
     [](const FileBoxRecord& b) { return pascalCharacters(b.boxName, sizeof b.boxName); }},
    {"FileBoxNameCode", Integer, [](const FileBoxRecord& b) { return std::int32_t(b.nameCode); }},
    {"FileBoxExecutePrint", Integer,
     [](const FileBoxRecord& b) { return std::int32_t(b.boxByte); }},
    {"FileBoxHasFiles", Integer, [](const FileBoxRecord& b) { return std::int32_t(b.fileCount); }},
    {"FileBoxHasPassword", Integer,
     [](const FileBoxRecord& b) { return std::int32_t(b.emptyFlag); }},
};

// Only these fields need the files of every box listed.
constexpr std::array<std::string_view, 2> kFileListingFields = {"FileBoxHasFiles",
                                                                "FileBoxHasPassword"};

}  // namespace

std::uint32_t getFileBoxList(GetRequest& get) {
    const TktLibTicket* asked = nullptr;
    if (const std::uint32_t code = nestedRequest(get.request, kListKey, asked);
        code != kCoreNoErr || asked == nullptr) {
        return code;
    }
    GlueHandle list(Wqs_Mem_NewHandle(1));
    if (!list) {
        return kCoreMemErr;
    }
    const std::uint8_t countFiles = hasAny(*asked, kFileListingFields) ? 1 : 0;
    std::uint32_t count = 0;
    if (const std::uint32_t code =
            glueCode(glue_qdxaGetFileBoxList(get.session, countFiles, list.get(), &count));
        code != kCoreNoErr) {
        return code;
    }
    std::vector<FileBoxRecord> boxes;
    for (std::uint32_t index = 0; index < count; ++index) {
        FileBoxRecord box{};
        if (const std::uint32_t code = glueCode(glue_qdxaGetFileBoxInfo(
                get.session, list.get(), index, &box.boxNumber, &box.boxId, box.boxName,
                &box.nameCode, &box.boxByte, &box.fileCount, &box.emptyFlag));
            code != kCoreNoErr) {
            return code;
        }
        boxes.push_back(box);
    }
    TktLibTicket answer = cf::Value::emptyDictionary();
    if (const std::uint32_t code = firstFailure(
            [&] {
                return setInt(answer, "FileBoxListCount", static_cast<std::int32_t>(boxes.size()));
            },
            [&] { return writeRecordFields<FileBoxRecord>(*asked, kFields, boxes, answer); });
        code != kCoreNoErr) {
        return code;
    }
    return setTicket(get.result, kListKey, answer);
}

}  // namespace admin
