#include "media/media_category.h"

#include <array>

namespace {

struct CategoryTitle {
    std::uint16_t category;
    const char* key;
};

// Every printer series titles the categories alike.
constexpr std::array<CategoryTitle, kMediaCategoryCount> kCategoryTitles{{
    {1, "STEXT_CAT_STATIONARY_KEY"},
    {2, "STEXT_CAT_COATED_KEY"},
    {3, "STEXT_CAT_PHOTO_KEY"},
    {4, "STEXT_CAT_PROOF_KEY"},
    {5, "STEXT_CAT_ART_KEY"},
    {6, "STEXT_CAT_CLOTH_KEY"},
    {7, "STEXT_CAT_SIGNATURE_CAD_KEY"},
    {8, "STEXT_CAT_POPBOARD_KEY"},
    {9, "STEXT_CAT_OTHERS_KEY"},
    {10, "STEXT_CAT_CUSTOM_KEY"},
    {11, "STEXT_CAT_SPECIAL_KEY"},
}};

struct MEDIA_CATEGORY {
    std::uint16_t category;
    std::uint16_t qdxaMediaID;
};

constexpr std::array<MEDIA_CATEGORY, 17> kMediaCategories{{
    {1, 3},
    {2, 36},
    {2, 37},
    {3, 39},
    {3, 38},
    {4, 104},
    {4, 116},
    {5, 52},
    {6, 45},
    {7, 13},
    {7, 40},
    {7, 44},
    {7, 4},
    {8, 8},
    {9, 25},
    {10, 50},
    {11, 14},
}};

struct IDRange {
    std::uint16_t first, last;
};

constexpr std::array<IDRange, 5> kStandardQdxaIDs{
    {{1, 4}, {6, 29}, {33, 57}, {67, 93}, {254, 255}}};

}  // namespace

std::uint16_t GetMediaCategoryID(std::uint16_t qdxaMediaID) {
    for (const auto& pair : kMediaCategories) {
        if (pair.qdxaMediaID == qdxaMediaID)
            return pair.category;
    }
    return 0;
}

std::uint16_t GetCategorySize(std::uint16_t /*series*/) {
    return kMediaCategoryCount;
}

const char* GetCategoryKeyStr(std::uint16_t category, std::uint16_t /*series*/) {
    for (const auto& row : kCategoryTitles) {
        if (row.category == category)
            return row.key;
    }
    return nullptr;
}

std::uint8_t checkQDXAIDMedia(std::uint16_t qdxaMediaID) {
    for (const auto& range : kStandardQdxaIDs) {
        if (qdxaMediaID >= range.first && qdxaMediaID <= range.last)
            return 1;
    }
    return 0;
}
