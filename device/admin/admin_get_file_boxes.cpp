// The file boxes in get requests: the box count and one array per requested box field.
#include <array>

#include "admin/admin_get_groups.h"
#include "admin/admin_record_list.h"
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
    return answerRecordList<FileBoxRecord>(
        get, kListKey, "FileBoxListCount", kFields,
        [&](const TktLibTicket& asked, WqsMemHandle* list, std::vector<FileBoxRecord>& boxes) {
            const std::uint8_t countFiles = hasAny(asked, kFileListingFields) ? 1 : 0;
            std::uint32_t count = 0;
            if (const std::uint32_t code =
                    glueCode(glue_qdxaGetFileBoxList(get.session, countFiles, list, &count));
                code != kCoreNoErr) {
                return code;
            }
            for (std::uint32_t index = 0; index < count; ++index) {
                FileBoxRecord box{};
                if (const std::uint32_t code = glueCode(glue_qdxaGetFileBoxInfo(
                        get.session, list, index, &box.boxNumber, &box.boxId, box.boxName,
                        &box.nameCode, &box.boxByte, &box.fileCount, &box.emptyFlag));
                    code != kCoreNoErr) {
                    return code;
                }
                boxes.push_back(box);
            }
            return kCoreNoErr;
        });
}

}  // namespace admin
