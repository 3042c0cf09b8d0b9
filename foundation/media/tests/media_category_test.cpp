// Media categories by QDXA media id, their title keys, and the standard QDXA media ids.
#include "media/media_category.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MediaCategory, EveryPairPlacesItsIDAndOtherIDsHaveNone) {
    const std::pair<std::uint16_t, std::uint16_t> pairs[] = {
        {3, 1},   {36, 2}, {37, 2}, {39, 3}, {38, 3},  {104, 4},   {116, 4}, {52, 5},
        {45, 6},  {13, 7}, {40, 7}, {44, 7}, {4, 7},   {8, 8},     {25, 9},  {50, 10},
        {14, 11}, {1, 0},  {0, 0},  {5, 0},  {255, 0}, {65535, 0},
    };
    for (const auto& [id, category] : pairs) EXPECT_EQ(GetMediaCategoryID(id), category) << id;
}

TEST(MediaCategory, TitlesAreTheSameForEverySeriesAndNoneOutsideOneToEleven) {
    const char* const titles[] = {
        "STEXT_CAT_STATIONARY_KEY",    "STEXT_CAT_COATED_KEY",   "STEXT_CAT_PHOTO_KEY",
        "STEXT_CAT_PROOF_KEY",         "STEXT_CAT_ART_KEY",      "STEXT_CAT_CLOTH_KEY",
        "STEXT_CAT_SIGNATURE_CAD_KEY", "STEXT_CAT_POPBOARD_KEY", "STEXT_CAT_OTHERS_KEY",
        "STEXT_CAT_CUSTOM_KEY",        "STEXT_CAT_SPECIAL_KEY"};
    for (const std::uint16_t series : {0, 1, 2, 3, 9}) {
        EXPECT_EQ(GetCategorySize(series), 11);
        for (std::uint16_t category = 1; category <= 11; ++category)
            EXPECT_STREQ(GetCategoryKeyStr(category, series), titles[category - 1]);
        EXPECT_EQ(GetCategoryKeyStr(0, series), nullptr);
        EXPECT_EQ(GetCategoryKeyStr(12, series), nullptr);
    }
}

TEST(MediaCategory, StandardQdxaIDsAtTheEdgesOfTheirRanges) {
    const std::pair<std::uint16_t, std::uint8_t> cases[] = {
        {0, 0},  {1, 1},  {4, 1},   {5, 0},   {6, 1},   {29, 1},  {30, 0},
        {32, 0}, {33, 1}, {50, 1},  {57, 1},  {58, 0},  {66, 0},  {67, 1},
        {93, 1}, {94, 0}, {253, 0}, {254, 1}, {255, 1}, {256, 0}, {65535, 0},
    };
    for (const auto& [id, standard] : cases) EXPECT_EQ(checkQDXAIDMedia(id), standard) << id;
}

}  // namespace
