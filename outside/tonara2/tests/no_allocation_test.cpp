// Converting rows allocates nothing: every object, at both depths, in place and between rows.
#include <gtest/gtest.h>

#include <vector>

#include "support/allocation_counter.h"
#include "tonara2_test_support.h"

namespace {

TEST(Tonara2Rows, ConvertingRowsAllocatesNothing) {
    for (const std::uint32_t hint : {tonara2test::kHint8, tonara2test::kHint16}) {
        auto preproc = tonara2test::makePreproc(hint, {5, -3, 2}, 10, 5, -5, 3);
        auto monochrome = tonara2test::makeMonochrome(hint, {.toneX = 20, .whiteFog = 10});
        auto csc1 = tonara2test::makeCsc1(tonara2test::csc1Part(0, 1, "SL5K_MATTE.icc"), hint);
        ASSERT_NE(preproc.get(), nullptr);
        ASSERT_NE(monochrome.get(), nullptr);
        ASSERT_NE(csc1.get(), nullptr);
        std::vector<std::uint16_t> row(3 * 1000, 12345), other(row.size());
        testsupport::AllocationCounter counter;
        for (int pass = 0; pass < 3; ++pass) {
            tnr2_xform_preproc(preproc.get(), row.data(), 0, 1000, other.data());
            tnr2_xform_csc1(csc1.get(), other.data(), 0, 1000, other.data());
            tnr2_xform_monochrome(monochrome.get(), other.data(), 1000, row.data());
        }
        EXPECT_EQ(counter.count(), 0) << "hint " << hint;
    }
}

}  // namespace
