// Search keys: their lists, their matching, and the discovery calls that need no search.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "DovoCommonLib/ios_discovery.h"
#include "DovoCommonLib/ios_printer_address.h"
#include "discovery/search_keys.h"

namespace {

TEST(SearchKeys, KeysMatchWhenOneToTwoHundredFiftyFiveCharactersOccurInTheName) {
    const std::string name = "Stratoline SL-7440 (192.0.2.7)";
    const struct {
        std::string key;
        bool matches;
    } cases[] = {
        {"SL-7440", true},
        {"Stratoline", true},
        {"S", true},
        {name, true},
        {"sl-7440", false},  // case-sensitive
        {"SL-5170", false},
        {"", false},
        {std::string(256, 'S'), false},
        {std::string(300, 'S'), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device::SearchKeyMatches(c.key, name), c.matches) << c.key.size() << " " << c.key;
    }
    // Length counts characters, not bytes: 255 two-byte characters are one key.
    std::string accented;
    for (int i = 0; i < 255; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_TRUE(device::SearchKeyMatches(accented, accented + " X"));
    EXPECT_FALSE(device::SearchKeyMatches(accented + "\xC3\xA9", accented + "\xC3\xA9"));

    EXPECT_TRUE(device::SearchKeysMatch({"SL-5170", "7440"}, name));
    EXPECT_FALSE(device::SearchKeysMatch({}, name));
}

TEST(SearchKeys, Utf8IsCheckedStrictly) {
    const struct {
        const char* text;
        std::optional<std::size_t> count;
    } cases[] = {
        {"", 0},
        {"Stratoline", 10},
        {"\xC3\xA9t\xC3\xA9", 3},
        {"\xF0\x9F\x96\xA8", 1},             // U+1F5A8
        {"\xC3", std::nullopt},              // cut sequence
        {"\xC0\xAF", std::nullopt},          // overlong "/"
        {"\xED\xA0\x80", std::nullopt},      // surrogate
        {"\xF4\x90\x80\x80", std::nullopt},  // above U+10FFFF
        {"\xFF", std::nullopt},
        {"a\x80", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device::Utf8CharacterCount(c.text), c.count) << c.text;
    }
}

TEST(SearchKeyList, AppendKeepsValidTextsAndRefusesTheRest) {
    void* list = nullptr;
    EXPECT_EQ(IOS_SearchKeyListCreate(nullptr), kIOS_ErrParam);
    ASSERT_EQ(IOS_SearchKeyListCreate(&list), kIOS_NoErr);
    EXPECT_EQ(IOS_SearchKeyListAppend(list, "SL-7440"), kIOS_NoErr);
    EXPECT_EQ(IOS_SearchKeyListAppend(list, "\xC3"), kIOS_ErrMemory);
    EXPECT_EQ(IOS_SearchKeyListAppend(list, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_SearchKeyListAppend(nullptr, "SL"), kIOS_ErrParam);
    EXPECT_EQ(static_cast<device::SearchKeyList*>(list)->keys, std::vector<std::string>{"SL-7440"});
    EXPECT_EQ(IOS_SearchKeyListDispose(list), kIOS_NoErr);
    EXPECT_EQ(IOS_SearchKeyListDispose(nullptr), kIOS_NoErr);
}

TEST(PrinterListCreate, ArgumentsAndKindsAreCheckedBeforeAnySearch) {
    void* keys = nullptr;
    ASSERT_EQ(IOS_SearchKeyListCreate(&keys), kIOS_NoErr);
    ASSERT_EQ(IOS_SearchKeyListAppend(keys, "Stratoline"), kIOS_NoErr);
    const IOS_LPRSearchContext context{};
    const struct {
        const char* iomName;
        const IOS_LPRSearchContext* context;
        bool out;
        std::uint32_t status;
    } cases[] = {
        {"WQS_LPRV6", &context, true, kIOS_ErrConnectionKind},
        {"AppleTalk", &context, true, kIOS_ErrConnectionKind},
        {"WQS_LPR", nullptr, true, kIOS_ErrParam},
        {nullptr, &context, true, kIOS_ErrParam},
        {"USB", &context, false, kIOS_ErrParam},
    };
    for (const auto& c : cases) {
        void* list = reinterpret_cast<void*>(1);
        EXPECT_EQ(IOS_PrinterListCreate(c.iomName, c.context, keys, c.out ? &list : nullptr),
                  c.status)
            << (c.iomName != nullptr ? c.iomName : "no name");
        if (c.out) {
            EXPECT_EQ(list, nullptr);
        }
    }
    IOS_SearchKeyListDispose(keys);
}

TEST(PrinterListCreate, USBAndBonjourWithoutKeysListNothingAtOnce) {
    void* emptyKeys = nullptr;
    ASSERT_EQ(IOS_SearchKeyListCreate(&emptyKeys), kIOS_NoErr);
    for (const char* kind : {"USB", "Rendezvous"}) {
        for (void* keys : {static_cast<void*>(nullptr), emptyKeys}) {
            void* list = nullptr;
            const auto start = std::chrono::steady_clock::now();
            ASSERT_EQ(IOS_PrinterListCreate(kind, nullptr, keys, &list), kIOS_NoErr) << kind;
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
            EXPECT_EQ(IOS_PrinterListGetCount(list), 0);
            IOS_PrinterListDispose(list);
        }
    }
    IOS_SearchKeyListDispose(emptyKeys);
}

}  // namespace
