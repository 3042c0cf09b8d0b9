// Cutting named parts out of the media database's real tables, with the size-then-fill calls,
// and refusing tables whose stated length does not hold their parts.
#include <gtest/gtest.h>

#include <vector>

#include "medab2/medab2.h"
#include "tonara2/tonara2.h"

namespace {

std::vector<std::uint8_t> loadDatabase() {
    const std::string path = std::string(TONARA2_DATABASE_DIR) + "/MDB_SL7000.mdb";
    const std::int32_t size = mdb3GetMediaData(path.c_str(), nullptr);
    std::vector<std::uint8_t> image(size > 0 ? static_cast<std::size_t>(size) : 0);
    if (size <= 0 || mdb3GetMediaData(path.c_str(), image.data()) != size)
        image.clear();
    return image;
}

std::vector<std::uint8_t> tableOf(std::uint8_t* db) {
    const DEF_QUALITY quality{1, 1};
    const std::uint32_t size = mdb3TableOutputGamma(db, 101, &quality, nullptr);
    std::vector<std::uint8_t> table(size);
    mdb3TableOutputGamma(db, 101, &quality, table.data());
    return table;
}

TEST(TableLog, CutsNamedPartsBySizeThenFill) {
    std::vector<std::uint8_t> image = loadDatabase();
    ASSERT_FALSE(image.empty());
    const std::vector<std::uint8_t> table = tableOf(image.data());
    ASSERT_FALSE(table.empty());
    for (const char* name : {"x_std", "x_mono_photo"}) {
        const std::uint32_t size = tnr2_log(table.data(), nullptr, name);
        ASSERT_EQ(size, 2u + 2 * 256) << name;
        std::vector<std::uint8_t> part(size);
        ASSERT_EQ(tnr2_log(table.data(), part.data(), name), size);
        EXPECT_EQ(part[0] | part[1] << 8, 256) << name;
        EXPECT_EQ(part[size - 2] | part[size - 1] << 8, 65535) << name;
    }
    EXPECT_EQ(tnr2_log(table.data(), nullptr, "x_none"), 0u);
    EXPECT_EQ(tnr2_log(table.data(), nullptr, nullptr), 0u);
    EXPECT_EQ(tnr2_log(nullptr, nullptr, "x_std"), 0u);
}

TEST(TableLog, RefusesTablesWhoseLengthDoesNotHoldTheirParts) {
    std::vector<std::uint8_t> image = loadDatabase();
    ASSERT_FALSE(image.empty());
    std::vector<std::uint8_t> table = tableOf(image.data());
    ASSERT_GT(table.size(), 64u);
    // The stated length cut short: the parts lie beyond it.
    std::vector<std::uint8_t> shortened = table;
    shortened[4] = 40;
    shortened[5] = shortened[6] = shortened[7] = 0;
    EXPECT_EQ(tnr2_log(shortened.data(), nullptr, "x_std"), 0u);
    // A part reaching past the table's end.
    std::vector<std::uint8_t> overreaching = table;
    overreaching[12 + 16 + 4] = 0xFF;
    overreaching[12 + 16 + 5] = 0xFF;
    EXPECT_EQ(tnr2_log(overreaching.data(), nullptr, "x_std"), 0u);
    // Not a table of parts at all.
    std::vector<std::uint8_t> other = table;
    other[0] = 'X';
    EXPECT_EQ(tnr2_log(other.data(), nullptr, "x_std"), 0u);
}

}  // namespace
