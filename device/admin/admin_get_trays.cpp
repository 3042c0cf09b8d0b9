// The paper trays in get requests: the tray count and one array per requested tray field.
#include <cstring>

#include "admin/admin_get_groups.h"
#include "admin/admin_record_list.h"
#include "query/query_tray.h"

namespace admin {
namespace {

constexpr std::string_view kListKey = "InputTrayList";

/// The extended medium id of a tray: its value, its two words and its eight bytes, as held.
constexpr std::size_t kMediumIdSize = 16;
static_assert(offsetof(TrayRecord, extendedMediumBytes) + sizeof(TrayRecord::extendedMediumBytes) -
                  offsetof(TrayRecord, extendedMediumValue) ==
              kMediumIdSize);

std::string mediumId(const TrayRecord& tray) {
    return std::string(reinterpret_cast<const char*>(&tray.extendedMediumValue), kMediumIdSize);
}

using Field = RecordField<TrayRecord>;
using enum AnswerKind;

// The tray attribute gives name, number, type, orientation, alias (the first tray kind) and
// capacity; the media state gives the medium's type, colour, orientation, size and level; the
// extended state whether the medium is an extended one, its code type and its type; the
// extended medium the tray number, the detect flag and the medium id.
constexpr Field kFields[] = {
    {"TrayName", Text, nullptr,
     [](const TrayRecord& t) { return printerText(t.trayName, sizeof t.trayName); }},
    {"TrayNumber", Integer, [](const TrayRecord& t) { return std::int32_t(t.trayId); }},
    {"TrayType", Integer, [](const TrayRecord& t) { return std::int32_t(t.trayValueA); }},
    {"TrayOrientation", Integer, [](const TrayRecord& t) { return std::int32_t(t.trayValueB); }},
    {"TrayAlias", Integer, [](const TrayRecord& t) { return std::int32_t(t.trayKinds[0]); }},
    {"TrayMaxCountCapacity", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.trayValueC); }},
    {"MediumType", Integer, [](const TrayRecord& t) { return std::int32_t(t.mediaStateBytes[0]); }},
    {"MediumColor", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.mediaStateBytes[1]); }},
    {"MediumOrientation", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.mediaStateBytes[2]); }},
    {"MediumSizeID", Integer, [](const TrayRecord& t) { return std::int32_t(t.mediaStateWord); }},
    {"MediumSizeWidth", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.mediaValues[0]); }},
    {"MediumSizeHeight", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.mediaValues[1]); }},
    {"MediumLinger", Integer, [](const TrayRecord& t) { return std::int32_t(t.mediaStateFlag); }},
    {"IsMediumEx", Boolean,
     [](const TrayRecord& t) { return std::int32_t(t.extendedStateBytes[0]); }},
    {"MediumCodeType", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.extendedStateBytes[1]); }},
    {"MediumTypeEx", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.extendedStateWord); }},
    {"TrayExtendedMediumTrayNumber", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.extendedMediumId); }},
    {"TrayExtendedMediumDetectFlag", Integer,
     [](const TrayRecord& t) { return std::int32_t(t.extendedMediumFlag); }},
    {"TrayExtendedMediumMediumID", Data, nullptr, mediumId},
};

}  // namespace

std::uint32_t getInputTrayList(GetRequest& get) {
    return answerRecordList<TrayRecord>(
        get, kListKey, "TrayCount", kFields,
        [&](const TktLibTicket&, WqsMemHandle* list, std::vector<TrayRecord>& trays) {
            std::uint32_t count = 0;
            if (const std::uint32_t code =
                    glueCode(glue_qdxaGetInputTrayList(get.session, list, &count));
                code != kCoreNoErr) {
                return code;
            }
            for (std::uint32_t index = 0; index < count; ++index) {
                TrayRecord tray{};
                tray.recordSize = kTrayRecordSize;
                if (const std::uint32_t code =
                        glueCode(glue_qdxaGetInputTrayInfo(get.session, list, index, &tray));
                    code != kCoreNoErr) {
                    return code;
                }
                trays.push_back(tray);
            }
            return kCoreNoErr;
        });
}

}  // namespace admin
