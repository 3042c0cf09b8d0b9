// The paper trays through tickets against the test printer.
#include <gtest/gtest.h>

#include <cstring>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"

namespace admintest {
namespace {

using controltest::be32;
using gluetest::supportValue;
using querytest::counted;
using querytest::trayEntry;

class AdminTrays : public AdminPrinter {
  protected:
    void SetUp() override {
        AdminPrinter::SetUp();
        setAttribute(601, 111, supportValue({{2150, 1}, {2152, 1}, {2216, 1}, {2436, 1}}));
        setAttribute(601, 2150,
                     counted({trayEntry(1, "\xEF\xBB\xBFRoll", 5, {7, 8}, 6, 250),
                              trayEntry(2, "Cassette", 9, {3}, 10, 42)}));
        // Media state of tray 2: type 11, colour 12, size 0x0405, 297 x 420, orientation 15,
        // level 16.
        Bytes state(18);
        for (std::size_t index = 0; index < state.size(); ++index) {
            state[index] = std::uint8_t(index);
        }
        state[0] = 2;
        state[2] = 11;
        state[3] = 12;
        std::memcpy(state.data() + 6, be32({297, 420}).data(), 8);
        setAttribute(601, 2152, counted({state}));
        setAttribute(601, 2216, counted({{1, 1, 0xA2, 0x01, 0x02}}));
        setAttribute(601, 2436, counted({{2, 1, 0, 0, 0, 9, 0, 3, 0, 4, 1, 2, 3, 4, 5, 6, 7, 8}}));
    }
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
    std::vector<std::string> booleans(const std::string& name, const TktLibTicket* list) const {
        std::vector<std::string> values;
        const cf::Value* array = answer(name, list);
        if (array == nullptr || array->array() == nullptr) {
            return values;
        }
        for (const cf::Value& element : *array->array()) {
            values.push_back(element.string() != nullptr ? *element.string() : "<not text>");
        }
        return values;
    }
};

TEST_F(AdminTrays, EachRequestedFieldAnswersOneEntryPerTray) {
    openSession();
    askList("InputTrayList",
            {"TrayName", "TrayNumber", "TrayType", "TrayOrientation", "TrayAlias",
             "TrayMaxCountCapacity", "MediumType", "MediumColor", "MediumOrientation",
             "MediumSizeID", "MediumSizeWidth", "MediumSizeHeight", "MediumLinger", "IsMediumEx",
             "MediumCodeType", "MediumTypeEx", "TrayExtendedMediumTrayNumber",
             "TrayExtendedMediumDetectFlag", "TrayExtendedMediumMediumID"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = answer("InputTrayList");
    ASSERT_NE(list, nullptr);
    using Ints = std::vector<std::int32_t>;
    EXPECT_EQ(intAnswer("TrayCount", list), 2);
    EXPECT_EQ(textArray("TrayName", list), (std::vector<std::string>{"Roll", "Cassette"}));
    EXPECT_EQ(intArray("TrayNumber", list), (Ints{1, 2}));
    EXPECT_EQ(intArray("TrayType", list), (Ints{5, 9}));
    EXPECT_EQ(intArray("TrayOrientation", list), (Ints{6, 10}));
    EXPECT_EQ(intArray("TrayAlias", list), (Ints{7, 3}));
    EXPECT_EQ(intArray("TrayMaxCountCapacity", list), (Ints{250, 42}));
    // Tray 1 has no media state and keeps the defaults.
    EXPECT_EQ(intArray("MediumType", list), (Ints{0, 11}));
    EXPECT_EQ(intArray("MediumColor", list), (Ints{1, 12}));
    EXPECT_EQ(intArray("MediumOrientation", list), (Ints{255, 15}));
    EXPECT_EQ(intArray("MediumSizeID", list), (Ints{0, 0x0405}));
    EXPECT_EQ(intArray("MediumSizeWidth", list), (Ints{0, 297}));
    EXPECT_EQ(intArray("MediumSizeHeight", list), (Ints{0, 420}));
    EXPECT_EQ(intArray("MediumLinger", list), (Ints{0, 16}));
    EXPECT_EQ(booleans("IsMediumEx", list), (std::vector<std::string>{"true", "false"}));
    EXPECT_EQ(intArray("MediumCodeType", list), (Ints{0xA2, 0}));
    EXPECT_EQ(intArray("MediumTypeEx", list), (Ints{0x0102, 1}));
    EXPECT_EQ(intArray("TrayExtendedMediumTrayNumber", list), (Ints{0, 2}));
    EXPECT_EQ(intArray("TrayExtendedMediumDetectFlag", list), (Ints{0, 1}));

    const auto ids = textArray("TrayExtendedMediumMediumID", list);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], std::string(16, '\0'));
    std::uint32_t value = 0;
    std::uint16_t words[2] = {};
    ASSERT_EQ(ids[1].size(), 16u);
    std::memcpy(&value, ids[1].data(), 4);
    std::memcpy(words, ids[1].data() + 4, 4);
    EXPECT_EQ(value, 9u);
    EXPECT_EQ(words[0], 3);
    EXPECT_EQ(words[1], 4);
    EXPECT_EQ(ids[1].substr(8), std::string("\1\2\3\4\5\6\7\x08", 8));
}

TEST_F(AdminTrays, OnlyTheRequestedFieldsAndTheCountAreAnswered) {
    openSession();
    askList("InputTrayList", {"TrayNumber"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = answer("InputTrayList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(answeredKeys(list), (std::vector<std::string>{"TrayCount", "TrayNumber"}));
}

TEST_F(AdminTrays, APrinterWithoutTraysAnswersCountZero) {
    setAttribute(601, 111, supportValue({{2152, 1}}));
    openSession();
    askList("InputTrayList", {"TrayName"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = answer("InputTrayList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(intAnswer("TrayCount", list), 0);
    EXPECT_TRUE(textArray("TrayName", list).empty());
}

TEST_F(AdminTrays, AMergeFailingOutsideThePerRequestStatusesEndsTheRequest) {
    information.refusedAttributes = {2436};
    information.refusal = 12;
    openSession();
    askList("InputTrayList", {"TrayName"});
    ask("DeviceNumber");
    EXPECT_NE(get(), kCoreNoErr);
    EXPECT_FALSE(answer("InputTrayList"));
    EXPECT_FALSE(answer("DeviceNumber"));
}

}  // namespace
}  // namespace admintest
