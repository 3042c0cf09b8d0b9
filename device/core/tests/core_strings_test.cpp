// Length-prefixed strings and value arrays on their way into tickets.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "core/core_strings.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PascalStrings, ReadOnlyWhatArrived) {
    EXPECT_EQ(CreateCStringFromPascalString(Bytes{3, 'a', 'b', 'c', 'z'}), "abc");
    EXPECT_EQ(CreateCStringFromPascalString(Bytes{0}), "");
    EXPECT_EQ(CreateCStringFromPascalString(Bytes{2, 'a', 0}), std::string("a\0", 2));
    // The length byte claims more than arrived.
    EXPECT_EQ(CreateCStringFromPascalString(Bytes{5, 'a', 'b', 'c'}), std::nullopt);
    EXPECT_EQ(CreateCStringFromPascalString(Bytes{}), std::nullopt);
}

TEST(PascalStrings, Utf8TextLosesItsByteOrderMark) {
    EXPECT_EQ(CreateCStringFromUTF8PascalString(Bytes{6, 0xEF, 0xBB, 0xBF, 'a', 'b', 'c'}), "abc");
    EXPECT_EQ(CreateCStringFromUTF8PascalString(Bytes{3, 0xEF, 0xBB, 0xBF}), "");
    EXPECT_EQ(CreateCStringFromUTF8PascalString(Bytes{2, 0xEF, 0xBB}), std::nullopt);
    EXPECT_EQ(CreateCStringFromUTF8PascalString(Bytes{6, 0xEF, 0xBB, 0xBF}), std::nullopt);
}

TEST(PascalStrings, WriteOnlyWhatFits) {
    const std::string longest(255, 'x');
    std::array<std::uint8_t, 257> buffer{};
    buffer.fill(0xAA);
    EXPECT_FALSE(ConvertCStringToPascalString(longest.c_str(), buffer.data(), 255));
    EXPECT_FALSE(ConvertCStringToPascalString(std::string(256, 'y').c_str(), buffer.data(), 257));
    EXPECT_FALSE(ConvertCStringToPascalString(nullptr, buffer.data(), 257));
    EXPECT_FALSE(ConvertCStringToPascalString("a", nullptr, 257));
    EXPECT_FALSE(ConvertCStringToPascalString("", buffer.data(), 0));
    for (std::uint8_t byte : buffer) {
        ASSERT_EQ(byte, 0xAA) << "a refused text changed the buffer";
    }
    EXPECT_TRUE(ConvertCStringToPascalString(longest.c_str(), buffer.data(), 256));
    EXPECT_EQ(buffer[0], 255);
    EXPECT_EQ(std::memcmp(buffer.data() + 1, longest.data(), 255), 0);
    EXPECT_EQ(buffer[256], 0xAA);
    EXPECT_TRUE(ConvertCStringToPascalString("", buffer.data(), 1));
    EXPECT_EQ(buffer[0], 0);
}

TEST(ValueArrays, NumbersAreSigned32BitValues) {
    const std::int32_t values[] = {1, -2, INT32_MAX, INT32_MIN};
    const auto array = CreateNumberArray(values, 4);
    ASSERT_TRUE(array && array->isArray());
    ASSERT_EQ(array->array()->size(), 4u);
    for (std::size_t index = 0; index < 4; ++index) {
        EXPECT_TRUE((*array->array())[index].isInt32());
        EXPECT_EQ((*array->array())[index].integer(), values[index]);
    }
    EXPECT_EQ(CreateNumberArray(nullptr, 4), std::nullopt);
    EXPECT_EQ(CreateNumberArray(values, 0), cf::Value::emptyArray());
    EXPECT_EQ(CreateNumberArray(values, -3), cf::Value::emptyArray());
}

TEST(ValueArrays, BooleansAreTicketStrings) {
    const std::uint32_t values[] = {1, 0, 0x80000001u, 7, 0x80000000u};
    const auto array = CreateBooleanArray(values, 5);
    ASSERT_TRUE(array);
    EXPECT_EQ(*array,
              cf::Value(cf::Value::Array{"true", "false", "FAILURE", "UNKNOWN", "UNKNOWN"}));
    EXPECT_EQ(CreateBooleanArray(nullptr, 1), std::nullopt);
    EXPECT_EQ(CreateBooleanArray(values, 0), cf::Value::emptyArray());
}

}  // namespace
