// The file boxes of the printer and the number of files in each.
#include <algorithm>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_file.h"
#include "query/query_internal.h"
#include "query/query_support.h"

namespace {

using Boxes = std::vector<FileBoxRecord>;

constexpr std::uint8_t kMaxShortString = 32;
constexpr std::uint16_t kAttrBoxNumber = 10617;
constexpr std::uint16_t kAttrBoxName = 10601;
constexpr std::uint16_t kAttrBoxByte = 10911;

void z_GetFileBox_ForGet2(std::span<const std::uint8_t> data, std::uint16_t objects, Boxes& boxes) {
    device::queryForEachGet2Attribute(
        data, objects,
        [&](std::uint32_t id, std::uint16_t attribute, std::span<const std::uint8_t> value) {
            const auto box =
                std::find_if(boxes.begin(), boxes.end(),
                             [&](const FileBoxRecord& record) { return record.boxId == id; });
            if (box == boxes.end()) {
                return;
            }
            bytes::ByteReader reader(value);
            if (attribute == kAttrBoxNumber) {
                box->boxNumber = reader.u16be().value_or(0);
            } else if (attribute == kAttrBoxName) {
                const auto code = reader.u16be();
                if (code) {
                    box->nameCode = *code;
                    device::queryReadString(reader, box->boxName, kMaxShortString);
                }
            } else if (attribute == kAttrBoxByte) {
                box->boxByte = reader.u8().value_or(0);
            }
        });
}

// One Get2 of every box for `attribute`; *delivered receives the reply's object count.
std::int32_t readBoxAttribute(GlueSession& session, const std::vector<std::uint32_t>& ids,
                              std::uint16_t attribute, Boxes& boxes, std::uint16_t& delivered) {
    device::Get2Reply reply;
    const std::int32_t status =
        reply.read(session, ids, static_cast<std::uint16_t>(ids.size()), std::span(&attribute, 1));
    if (status == kGlueNoErr) {
        z_GetFileBox_ForGet2(reply.bytes(), reply.objects(), boxes);
    }
    delivered = reply.objects();
    return status;
}

// The number of files of each box; a box that answers "empty" has none and its flag set.
std::int32_t countFilesOfBoxes(GlueSession& session, Boxes& boxes) {
    for (FileBoxRecord& box : boxes) {
        std::vector<std::uint32_t> files;
        const std::int32_t status = device::queryListObjects(
            session, kGlueClassJob, kSelectorFilesOfBox, box.boxId, 0, files);
        if (status == kStatusBoxEmpty) {
            box.fileCount = 0;
            box.emptyFlag = 1;
        } else if (status != kGlueNoErr) {
            return status;
        } else {
            box.fileCount = static_cast<std::uint32_t>(files.size());
        }
    }
    return kGlueNoErr;
}

}  // namespace

std::int32_t glue_qdxaGetFileBoxList(GlueSession* session, std::uint8_t countFiles,
                                     WqsMemHandle* boxList, std::uint32_t* count) {
    if (session == nullptr || boxList == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    std::vector<std::uint32_t> ids;
    std::int32_t status = device::queryListObjects(*session, kGlueClassFileBox, kSelectorFileBoxes,
                                                   kParentFileBoxes, 0, ids);
    if (status != kGlueNoErr) {
        device::queryStoreList(boxList, nullptr, 0, kFileBoxRecordSize, sizeof(std::uint32_t));
        return status;
    }
    Boxes boxes(ids.size(), FileBoxRecord{});
    for (std::size_t index = 0; index < ids.size(); ++index) {
        boxes[index].boxId = ids[index];
    }
    std::uint16_t delivered = 0;
    if (!ids.empty()) {
        // The number read is optional; the box byte only where the printer has it.
        std::uint16_t optional = 0;
        readBoxAttribute(*session, ids, kAttrBoxNumber, boxes, optional);
        status = readBoxAttribute(*session, ids, kAttrBoxName, boxes, delivered);
        if (glue_qdxaSupportFileBoxAttribute(session, kSupportFileBoxAttr10911) &&
            readBoxAttribute(*session, ids, kAttrBoxByte, boxes, optional) == kGlueNoErr) {
            delivered = optional;
        }
        if (countFiles != 0) {
            const std::int32_t counted = countFilesOfBoxes(*session, boxes);
            if (counted != kGlueNoErr) {
                status = counted;
            }
        }
    }
    // The list counts the boxes that the last attribute read answered, never more than listed.
    const auto boxCount =
        std::min<std::uint32_t>(delivered, static_cast<std::uint32_t>(boxes.size()));
    const std::int32_t stored = device::queryStoreList(boxList, boxes.data(), boxCount,
                                                       kFileBoxRecordSize, sizeof(std::uint32_t));
    if (stored != kGlueNoErr) {
        return stored;
    }
    *count = boxCount;
    return status;
}

std::int32_t glue_qdxaGetFileBoxInfo(GlueSession* session, const WqsMemHandle* boxList,
                                     std::uint32_t index, std::uint32_t* boxNumber,
                                     std::uint32_t* boxId, std::uint8_t* name,
                                     std::uint32_t* nameCode, std::uint8_t* boxByte,
                                     std::uint32_t* fileCount, std::uint32_t* emptyFlag) {
    FileBoxRecord box;
    if (session == nullptr || !device::queryLoadListRecord(boxList, index, kFileBoxRecordSize,
                                                           sizeof(std::uint32_t), &box)) {
        return kGlueParamErr;
    }
    const auto put = [](auto* out, const auto& value) {
        if (out != nullptr) {
            *out = value;
        }
    };
    put(boxNumber, box.boxNumber);
    put(boxId, box.boxId);
    if (name != nullptr) {
        std::copy_n(box.boxName, 1u + box.boxName[0], name);
    }
    put(nameCode, box.nameCode);
    put(boxByte, box.boxByte);
    put(fileCount, box.fileCount);
    put(emptyFlag, box.emptyFlag);
    return kGlueNoErr;
}
