// The record version of an old history file comes from its size, read before anything else: the
// version whose records fill the file exactly, else the largest whose records it holds whole.
#include "job_conversion.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(OldJobFile, RecordVersionFromTheFileSize) {
    constexpr std::int16_t kNone = 0;
    const std::tuple<std::uintmax_t, std::int16_t, std::int16_t> sizes[] = {
        {2 + 2 * 5634, 2, 200},
        {2 + 2 * 2052, 2, 102},
        {2 + 2 * 1280, 2, 100},
        {2 + 2 * 5634 + 1, 2, 200},
        {2 + 2 * 2052 + 3000, 2, 102},  // holds two version-102 records, not two of 200
        {2 + 2 * 1280 - 1, 2, kNone},
        {2 + 3 * 2052, 3, 102},
        {2, 0, 200},
        {500, 0, 200},
        {1, 0, kNone},
        {2 + 5634, -1, kNone},
        {2 + 2 * 1280, 32767, kNone},
    };
    for (const auto& [size, count, version] : sizes) {
        EXPECT_EQ(oldJobRecordVersion(size, count).value_or(kNone), version)
            << size << " bytes, " << count << " records";
    }
}

}  // namespace
