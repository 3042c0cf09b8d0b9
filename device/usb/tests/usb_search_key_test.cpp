// Search keys, device ids and the texts of string descriptors.
#include <gtest/gtest.h>

#include "usb/usb_descriptor_text.h"
#include "usb/usb_search_key.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(UsbSearchKey, PercentEscapesDecodeAndMalformedOnesStay) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"Orvane/Stratoline%20X9?serial=00A1", "Orvane/Stratoline X9?serial=00A1"},
        {"%4f%52%56", "ORV"},
        {"a%2", "a%2"},
        {"a%zz", "a%zz"},
        {"%", "%"},
        {"100%25", "100%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device::UsbPercentDecode(c.in), c.out) << c.in;
    }
}

TEST(UsbSearchKey, ValuesRunFromTheKeyToTheNextDelimiter) {
    EXPECT_EQ(zCreateValueFromSearchKey("MFG:Orvane;MDL:X9;", "MDL:", ";"), "X9");
    EXPECT_EQ(zCreateValueFromSearchKey("MFG:Orvane;MDL:X9", "MDL:", ";"), "X9");
    EXPECT_EQ(zCreateValueFromSearchKey("a/b?serial=7;8", "serial=", std::nullopt), "7;8");
    EXPECT_EQ(zCreateValueFromSearchKey("plain", std::nullopt, std::nullopt), "plain");
    EXPECT_EQ(zCreateValueFromSearchKey("MFG:Orvane;", "MDL:", ";"), std::nullopt);
    EXPECT_TRUE(zCompareValue(nullptr, "x", std::nullopt, "MDL:X9;", "MDL:"));
    EXPECT_TRUE(zCompareValue("k=X9", "k=", std::nullopt, "MDL:X9;", "MDL:"));
    EXPECT_FALSE(zCompareValue("k=X8", "k=", std::nullopt, "MDL:X9;", "MDL:"));
    EXPECT_FALSE(zCompareValue("k=X9", "k=", std::nullopt, "MFG:X9;", "MDL:"));
}

TEST(UsbSearchKey, MatchesManufacturerModelAndSerialOrLocation) {
    const std::string id = "MANUFACTURER:Orvane;MFG:Other;MDL:Stratoline X9;SERN:00A1;";
    const struct {
        const char* key;
        bool match;
    } cases[] = {
        {"Orvane/Stratoline X9?serial=00A1", true},
        {"Other/Stratoline X9?serial=00A1", false},  // the long key wins over MFG
        {"Orvane/Stratoline X9?serial=00A2", false},
        {"Orvane/Stratoline X9?serial=0", true},
        {"Orvane/Stratoline X9?serial=", true},
        {"Orvane/Stratoline X9?location=14200000", true},
        {"Orvane/Stratoline X?serial=00A1", false},
        {"Orvane/Stratoline X9", false},
        {"OrvaneStratoline X9?serial=00A1", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device::UsbDeviceIdMatchesSearchKey(id, c.key), c.match) << c.key;
    }
}

TEST(UsbSearchKey, MissingFieldsAreFoundAndAppended) {
    device::UsbMissingIdFields missing = device::UsbMissingDeviceIdFields("MFG:Orvane;CMD:QDXA");
    EXPECT_FALSE(missing.manufacturer);
    EXPECT_TRUE(missing.model);
    EXPECT_TRUE(missing.serialNumber);
    std::string id = "MFG:Orvane;CMD:QDXA";
    device::UsbAppendDeviceIdField(id, "MDL:", "X9");
    device::UsbAppendDeviceIdField(id, "SERN:", "7");
    EXPECT_EQ(id, "MFG:Orvane;CMD:QDXA;MDL:X9;SERN:7;");
    EXPECT_FALSE(device::UsbMissingDeviceIdFields(id).any());
}

TEST(UsbDeviceIdAnswer, IsBoundedByTheBytesReceivedAndEndsAtANul) {
    const auto answer = [](std::uint16_t head, const std::string& text) {
        Bytes bytes{static_cast<std::uint8_t>(head >> 8), static_cast<std::uint8_t>(head)};
        bytes.insert(bytes.end(), text.begin(), text.end());
        return bytes;
    };
    EXPECT_EQ(device::UsbDeviceIdFromAnswer(answer(12, "MFG:A;MDL:B;")), "MFG:A;MDL:B;");
    // A head that claims more than arrived, and no terminator: only what arrived counts.
    EXPECT_EQ(device::UsbDeviceIdFromAnswer(answer(0xFFFF, "MFG:A;")), "MFG:A;");
    EXPECT_EQ(device::UsbDeviceIdFromAnswer(answer(4, std::string("MFG:A;\0garbage", 14))),
              "MFG:A;");
    EXPECT_EQ(device::UsbDeviceIdFromAnswer(Bytes{0x00}), "");
    EXPECT_EQ(device::UsbDeviceIdFromAnswer(Bytes{}), "");
    // More than was asked for is never read.
    const Bytes large = answer(3000, std::string(2000, 'x'));
    EXPECT_EQ(device::UsbDeviceIdFromAnswer(large).size(), device::kUsbDeviceIdRequestSize - 2);
}

TEST(UsbStringDescriptor, DecodesUtf16WithinItsOwnLengthAndTheBytesReceived) {
    const struct {
        const char* what;
        Bytes descriptor;
        std::string text;
    } cases[] = {
        {"ascii", {8, 3, 'X', 0, '9', 0, '!', 0}, "X9!"},
        {"length byte shorter than received", {4, 3, 'A', 0, 'B', 0}, "A"},
        {"length byte longer than received", {200, 3, 'A', 0}, "A"},
        {"odd length", {5, 3, 'A', 0, 'B'}, "A"},
        {"below two", {1, 3, 'A', 0}, ""},
        {"empty", {}, ""},
        {"non-ascii", {6, 3, 0xE9, 0x00, 0xAC, 0x20}, "\xC3\xA9\xE2\x82\xAC"},
        {"surrogate pair", {6, 3, 0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
        {"lone surrogate", {4, 3, 0x3D, 0xD8}, "\xEF\xBF\xBD"},
        {"nul ends", {8, 3, 'A', 0, 0, 0, 'B', 0}, "A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device::UsbStringFromDescriptor(c.descriptor), c.text) << c.what;
    }
}

}  // namespace
