// Get groups of ink: the remaining level of each colour, waste ink and tank capacities.
#include <cstring>

#include "admin/admin_get_groups.h"
#include "core/core_error.h"
#include "glue/glue_internal.h"
#include "query/query_marker.h"
#include "query/query_method.h"

namespace admin {
namespace {

/// A colour's key, the level slot it is read from and the report bit that says it exists.
struct MarkerColour {
    std::string_view key;
    std::size_t level;
    std::uint8_t reportBit;
};
constexpr MarkerColour kMarkerColours[] = {
    {"BlackMarkerLinger", 0, 1},         {"MattBlackMarkerLinger", 1, 64},
    {"CyanMarkerLinger", 2, 2},          {"MagentaMarkerLinger", 3, 4},
    {"YellowMarkerLinger", 4, 8},        {"LightCyanMarkerLinger", 5, 16},
    {"LightMagentaMarkerLinger", 6, 32},
};
constexpr std::string_view kAllLevelsKey = "AllMarkerLingerList";
// Flag byte 0 reports the colours; bit 128 of byte 3 reports the list of every colour.
constexpr std::size_t kColourReportByte = 0;
constexpr std::size_t kListReportByte = 3;
constexpr std::uint8_t kListReportBit = 128;
// The pair list holds a colorant code and its level per entry.
constexpr std::uint32_t kPairValues = 2;

bool asksForMarkers(const GetRequest& get) {
    for (const MarkerColour& colour : kMarkerColours) {
        if (has(get.request, colour.key)) {
            return true;
        }
    }
    return has(get.request, kAllLevelsKey);
}

std::uint32_t answerAllLevels(GetRequest& get, const MarkerColorantInfo& info) {
    if (!has(get.request, kAllLevelsKey) || (info.flags[kListReportByte] & kListReportBit) == 0) {
        return kCoreNoErr;
    }
    std::vector<std::int32_t> levels;
    const std::uint32_t stored = info.pairs->size / (kPairValues * sizeof(std::uint32_t));
    for (std::uint32_t entry = 0; entry < std::min<std::uint32_t>(info.pairCount, stored);
         ++entry) {
        std::uint32_t level = 0;
        std::memcpy(&level, info.pairs->data + (entry * kPairValues + 1) * sizeof level,
                    sizeof level);
        levels.push_back(static_cast<std::int32_t>(level));
    }
    return setIntArray(get.result, kAllLevelsKey, levels);
}

}  // namespace

std::uint32_t getMarkerLevels(GetRequest& get) {
    if (!asksForMarkers(get)) {
        return kCoreNoErr;
    }
    device::GlueHandle pairs(Wqs_Mem_NewHandle(1));
    if (!pairs) {
        return kCoreMemErr;
    }
    MarkerColorantInfo info;
    info.pairs = pairs.get();
    if (const std::uint32_t code = glueCode(glue_qdxaGetMarkerColorantInfo(get.session, &info));
        code != kCoreNoErr) {
        return code;
    }
    for (const MarkerColour& colour : kMarkerColours) {
        if (!has(get.request, colour.key) ||
            (info.flags[kColourReportByte] & colour.reportBit) == 0) {
            continue;
        }
        if (const std::uint32_t code = setInt(get.result, colour.key, info.levels[colour.level]);
            code != kCoreNoErr) {
            return code;
        }
    }
    return answerAllLevels(get, info);
}

std::uint32_t getWasteInk(GetRequest& get) {
    return answerValue<std::uint32_t>(
        get, "WasteInkLinger", [](GlueSession* session, std::uint32_t* wasteInk) {
            std::uint8_t flags[kMarkerFlagBytes] = {};
            return glue_qdxaGetMarkerSupplyCounterInfo(session, wasteInk, flags);
        });
}

std::uint32_t getInkTankMaxAmount(GetRequest& get) {
    return answerValueList(get, "InkTankMaxAmount", glue_qdxaGetInktankMaxAmount);
}

}  // namespace admin
