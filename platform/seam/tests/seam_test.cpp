#include "seam/seam.h"

#include <gtest/gtest.h>

namespace {

struct Operations {
    int (*answer)();
};

const Operations kProduction{[] { return 1; }};
const Operations kFirst{[] { return 2; }};
const Operations kSecond{[] { return 3; }};

TEST(Seam, OverridesNestAndEachPutsBackWhatItReplaced) {
    seam::Seam<Operations> operations(kProduction);
    EXPECT_EQ(operations.current().answer(), 1);
    {
        seam::ScopedOverride outer(operations, kFirst);
        EXPECT_EQ(operations.current().answer(), 2);
        {
            seam::ScopedOverride inner(operations, kSecond);
            EXPECT_EQ(operations.current().answer(), 3);
            EXPECT_EQ(operations.production().answer(), 1);
        }
        EXPECT_EQ(operations.current().answer(), 2);
    }
    EXPECT_EQ(operations.current().answer(), 1);
}

}  // namespace
