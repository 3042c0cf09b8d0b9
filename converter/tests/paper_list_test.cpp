// The accessors of the old paper and custom id lists, over lists that make_old_files.py wrote with
// Python's struct: which records each kind admits, positions and ids, and that no accessor reads
// past the bytes it is given, whatever the count claims.
#include "paper_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "bytes/byte_order.h"
#include "user_paper_conversion.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes fixture(const char* name) {
    std::ifstream file(std::filesystem::path(CONVERTER_DATA) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::int16_t idOf(const std::optional<PaperIDRec>& record) {
    return static_cast<std::int16_t>(bytes::loadBE16(record->paperID));
}

std::int32_t widthOf(const std::optional<PaperIDRec>& record) {
    return static_cast<std::int32_t>(bytes::loadBE32(record->width));
}

// user_flags.pref: ids 10, 20, 30, 40, 20 (widths 100 to 500) with flags 0x102, 0x2, 0x100, 0, 0.
constexpr std::int16_t kOtherKind = 7;  // a kind no accessor knows: it admits every record

TEST(PaperList, EachKindAdmitsItsRecordsInFileOrder) {
    const Bytes list = fixture("user_flags.pref");
    struct Case {
        std::int16_t kind;
        std::vector<std::int32_t> widths;  // of the admitted records, in order
    };
    const Case cases[] = {
        {kPaperKindAll, {100, 200, 300, 400, 500}},
        {kPaperKindFlag1, {100, 200}},
        {kPaperKindWithoutFlag8, {200, 400, 500}},
        {kOtherKind, {100, 200, 300, 400, 500}},
    };
    for (const Case& c : cases) {
        const auto count = static_cast<std::size_t>(PaperID_GetCount(list, c.kind));
        ASSERT_EQ(count, c.widths.size()) << "kind " << c.kind;
        for (std::size_t i = 0; i < count; ++i) {
            const auto position = static_cast<std::int16_t>(i + 1);
            const auto record = PaperID_Get(list, position, c.kind);
            ASSERT_TRUE(record.has_value()) << "kind " << c.kind << " position " << position;
            EXPECT_EQ(widthOf(record), c.widths[i])
                << "kind " << c.kind << " position " << position;
        }
        for (const std::int16_t outside :
             {std::int16_t{-1}, std::int16_t{0}, static_cast<std::int16_t>(count + 1)}) {
            EXPECT_EQ(PaperID_Get(list, outside, c.kind), std::nullopt)
                << "kind " << c.kind << " position " << outside;
        }
    }
}

TEST(PaperList, RecordsAndPositionsById) {
    const Bytes list = fixture("user_flags.pref");
    EXPECT_EQ(widthOf(PaperID_IDGet(list, 20)), 200) << "the first record with the id";
    EXPECT_EQ(widthOf(PaperID_IDGet(list, 30)), 300);
    EXPECT_EQ(PaperID_IDGet(list, 99), std::nullopt);

    struct Case {
        std::int16_t id;
        std::int16_t kind;
        std::int16_t position;  // 0: not among the records the kind admits
    };
    const Case cases[] = {
        {10, kPaperKindAll, 1},          {20, kPaperKindAll, 2},
        {30, kPaperKindAll, 3},          {40, kPaperKindAll, 4},
        {10, kPaperKindFlag1, 1},        {20, kPaperKindFlag1, 2},
        {40, kPaperKindFlag1, 0},        {20, kPaperKindWithoutFlag8, 1},
        {40, kPaperKindWithoutFlag8, 2}, {10, kPaperKindWithoutFlag8, 0},
        {30, kPaperKindWithoutFlag8, 0}, {99, kPaperKindAll, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaperID_GetIndex(list, c.id, c.kind), c.position)
            << "id " << c.id << " kind " << c.kind;
        if (c.position != 0) {
            EXPECT_EQ(idOf(PaperID_Get(list, c.position, c.kind)), c.id)
                << "the position leads back to the id";
        }
    }
}

// The program reads the old list through the accessors: the papers it converts are the records
// of kind 0, in order.
TEST(PaperList, AgreesWithTheProgramsReading) {
    const Bytes list = fixture("user.pref");
    const auto papers = readOldPaperList(list);
    ASSERT_TRUE(papers.has_value());
    ASSERT_EQ(papers->size(), static_cast<std::size_t>(PaperID_GetCount(list, kPaperKindAll)));
    for (std::size_t i = 0; i < papers->size(); ++i) {
        const auto record = PaperID_Get(list, static_cast<std::int16_t>(i + 1), kPaperKindAll);
        EXPECT_EQ((*papers)[i].paperID, idOf(record));
        EXPECT_EQ((*papers)[i].width, widthOf(record));
    }
    // user.pref's flags are 0, 0x100 and 2.
    EXPECT_EQ(PaperID_GetCount(list, kPaperKindWithoutFlag8), 2);
    EXPECT_EQ(PaperID_GetCount(list, kPaperKindFlag1), 1);
}

// A count beyond the records lists only the whole records there are; a negative count lists
// none. Every cut of a list is read without a byte past its end (the sanitizers watch).
TEST(PaperList, OnlyTheWholeRecordsOfTheBytesAreListed) {
    EXPECT_EQ(PaperID_GetCount(fixture("user_count4.pref"), kPaperKindAll), 3);
    EXPECT_EQ(PaperID_Get(fixture("user_count4.pref"), 4, kPaperKindAll), std::nullopt);

    Bytes negative = fixture("user.pref");
    negative[0] = 0xFF;
    negative[1] = 0xFF;
    EXPECT_EQ(PaperID_GetCount(negative, kPaperKindAll), 0);
    EXPECT_EQ(PaperID_IDGet(negative, 1001), std::nullopt);

    const Bytes whole = fixture("user_flags.pref");
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        const auto cut = std::make_unique<std::uint8_t[]>(size);  // exactly `size` bytes
        std::copy_n(whole.begin(), size, cut.get());
        const OldList list(cut.get(), size);
        const std::size_t records =
            size < kOldListCountSize ? 0 : (size - kOldListCountSize) / sizeof(PaperIDRec);
        EXPECT_EQ(PaperID_GetCount(list, kPaperKindAll), static_cast<std::int16_t>(records))
            << size;
        for (const std::int16_t kind : {kPaperKindAll, kPaperKindFlag1, kPaperKindWithoutFlag8}) {
            for (std::int16_t position = 1; position <= 6; ++position) {
                PaperID_Get(list, position, kind);
            }
            PaperID_GetIndex(list, 20, kind);
        }
        EXPECT_EQ(PaperID_IDGet(list, 40).has_value(), records >= 4) << size;
    }
}

TEST(CustomIDList, EntriesByPosition) {
    const Bytes list = fixture("custom_ids.pref");
    ASSERT_EQ(CustomID_GetCount(list), 3);
    // Each entry: an id (>h), a value (>i) and a 10-byte label.
    const std::array<std::pair<std::int16_t, std::int32_t>, 3> entries = {
        {{7, 70000}, {-3, -30}, {12, 0x7FFFFFFF}}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto entry = CustomID_Get(list, static_cast<std::int16_t>(i + 1));
        ASSERT_TRUE(entry.has_value()) << i + 1;
        EXPECT_EQ(static_cast<std::int16_t>(bytes::loadBE16(entry->data())), entries[i].first);
        EXPECT_EQ(static_cast<std::int32_t>(bytes::loadBE32(entry->data() + 2)), entries[i].second);
    }
    for (const std::int16_t outside : {std::int16_t{-1}, std::int16_t{0}, std::int16_t{4}}) {
        EXPECT_EQ(CustomID_Get(list, outside), std::nullopt) << outside;
    }
}

TEST(CustomIDList, OnlyTheWholeEntriesOfTheBytesAreListed) {
    EXPECT_EQ(CustomID_GetCount(fixture("custom_ids_negative.pref")), 0);
    EXPECT_EQ(CustomID_Get(fixture("custom_ids_negative.pref"), 1), std::nullopt);
    const Bytes claimsFive = fixture("custom_ids_count5.pref");
    EXPECT_EQ(CustomID_GetCount(claimsFive), 3) << "half a fourth entry is no entry";
    EXPECT_EQ(CustomID_Get(claimsFive, 4), std::nullopt);

    const Bytes whole = fixture("custom_ids.pref");
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        const auto cut = std::make_unique<std::uint8_t[]>(size);
        std::copy_n(whole.begin(), size, cut.get());
        const OldList list(cut.get(), size);
        const std::size_t entries =
            size < kOldListCountSize ? 0 : (size - kOldListCountSize) / kCustomIDEntrySize;
        EXPECT_EQ(CustomID_GetCount(list), static_cast<std::int16_t>(entries)) << size;
        EXPECT_EQ(CustomID_Get(list, 3).has_value(), entries == 3) << size;
    }
}

}  // namespace
