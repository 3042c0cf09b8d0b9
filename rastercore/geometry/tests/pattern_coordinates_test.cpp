// The test-pattern coordinates: layout, store, release, and the failure when there is no layout.
#include "geometry/pattern_coordinates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/job_context.h"

namespace {

TEST(PatternCoordinates, StoresTheLayoutAndReleasesIt) {
    for (const std::int32_t stored : {0, 12020}) {
        PLGContext context{};
        std::vector<std::string> calls;
        auto* const layout = reinterpret_cast<PatternInfo*>(&calls);  // any non-null token
        const PatternLayoutServices services{
            .calc =
                [&](PLGContext* c, bool preview, std::int32_t*) {
                    EXPECT_EQ(c, &context);
                    calls.push_back(preview ? "calc preview" : "calc print");
                    return layout;
                },
            .store =
                [&](PatternInfo* info, PLGContext* c) {
                    EXPECT_EQ(info, layout);
                    EXPECT_EQ(c, &context);
                    calls.push_back("store");
                    return stored;
                },
            .release =
                [&](PatternInfo* info) {
                    EXPECT_EQ(info, layout);
                    calls.push_back("release");
                },
        };
        EXPECT_EQ(getPatternCoordinates(&context, services), stored);
        EXPECT_EQ(calls, (std::vector<std::string>{"calc print", "store", "release"}));
    }
}

TEST(PatternCoordinates, NoLayoutIsAFailure) {
    PLGContext context{};
    EXPECT_EQ(PLG_Get_PatternCoordinate_Rec(&context), -1);
}

}  // namespace
