// The tray list against the test printer: trays with their kinds, merged media states, media
// names from the PDL environment and the medium library.
#include <gtest/gtest.h>

#include "glue/glue_error.h"
#include "query/query_tray.h"
#include "query_printer.h"

namespace querytest {
namespace {

using gluetest::supportValue;

/// The PDL environment's answer to a media-name request: a first string at byte 3, two bytes,
/// then the name.
Bytes mediaNameAnswer(const std::string& name) {
    Bytes answer{0, 0, 0};
    const Bytes key = pascal("KEY");
    answer.insert(answer.end(), key.begin(), key.end());
    answer.insert(answer.end(), {0, 0});
    const Bytes text = pascal(name);
    answer.insert(answer.end(), text.begin(), text.end());
    return answer;
}

Bytes mediaNameInput(const std::string& key) {
    Bytes input{1, 0x00, 0xFF};
    const Bytes text = pascal(key);
    input.insert(input.end(), text.begin(), text.end());
    return input;
}

class Trays : public QueryPrinter {
  protected:
    TrayRecord tray(std::uint32_t index) {
        TrayRecord record{};
        record.recordSize = kTrayRecordSize;
        EXPECT_EQ(glue_qdxaGetInputTrayInfo(session, list.handle, index, &record), 0);
        return record;
    }

    Handle list;
    std::uint32_t count = 99;
};

TEST_F(Trays, AllFourAttributesMergeIntoTheTrayRecords) {
    setAttribute(601, 111, supportValue({{2150, 1}, {2152, 1}, {2216, 1}, {2436, 1}, {2356, 1}}));
    Bytes manyKinds(12);
    for (std::size_t index = 0; index < manyKinds.size(); ++index) {
        manyKinds[index] = std::uint8_t(20 + index);
    }
    setAttribute(601, 2150,
                 counted({trayEntry(1, "Roll", 5, {7, 8}, 6, 0x01020304),
                          trayEntry(2, "Cassette", 9, manyKinds, 10, 42)}));
    Bytes state(18);
    for (std::size_t index = 0; index < state.size(); ++index) {
        state[index] = std::uint8_t(index);
    }
    state[0] = 2;
    setAttribute(601, 2152, counted({state}));
    setAttribute(601, 2216, counted({{1, 0xA1, 0xA2, 0x01, 0x02}}));
    setAttribute(601, 2436, counted({{2, 1, 0, 0, 0, 9, 0, 3, 0, 4, 1, 2, 3, 4, 5, 6, 7, 8}}));
    Bytes library{2, 0, 0, 0, 5, 0, 6};
    const Bytes libraryName = pascal("Photo Gloss");
    library.insert(library.end(), libraryName.begin(), libraryName.end());
    library.insert(library.end(), {2, 0xAA, 0xBB});
    setAttribute(601, 2356, library);
    information.methodAnswersByInput[{144, mediaNameInput("TRAY-NAME")}] =
        mediaNameAnswer("Canvas");
    information.methodAnswersByInput[{144, mediaNameInput("CASSETTE2-NAME")}] =
        mediaNameAnswer("A very long medium name that does not fit the field");
    openSession();

    ASSERT_EQ(glue_qdxaGetInputTrayList(session, list.handle, &count), 0);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(list.handle->size, 8u + 2 * kTrayRecordSize);

    const TrayRecord roll = tray(0);
    EXPECT_EQ(textOf(roll.trayName), "Roll");
    EXPECT_EQ(roll.trayValueA, 5);
    EXPECT_EQ(roll.trayKinds[0], 7);
    EXPECT_EQ(roll.trayKinds[1], 8);
    EXPECT_EQ(roll.trayKinds[2], 101);  // kinds the tray does not list keep their default
    EXPECT_EQ(roll.trayValueB, 6);
    EXPECT_EQ(roll.trayValueC, 0x01020304u);
    EXPECT_EQ(Bytes(roll.mediaStateBytes, roll.mediaStateBytes + 4), (Bytes{0, 1, 255, 0}));
    EXPECT_EQ(roll.extendedStateBytes[1], 0xA2);
    EXPECT_EQ(roll.extendedStateWord, 0x0102);
    EXPECT_EQ(textOf(roll.mediaName), "Canvas");
    EXPECT_EQ(roll.libraryName[0], 0);

    const TrayRecord cassette = tray(1);
    EXPECT_EQ(textOf(cassette.trayName), "Cassette");
    EXPECT_EQ(cassette.trayKinds[9], 29);  // ten of twelve kinds kept
    EXPECT_EQ(cassette.trayValueB, 10);    // and the fields after them still decoded
    EXPECT_EQ(cassette.trayValueC, 42u);
    EXPECT_EQ(Bytes(cassette.mediaStateBytes, cassette.mediaStateBytes + 4), (Bytes{2, 3, 15, 0}));
    EXPECT_EQ(cassette.mediaStateWord, 0x0405);
    EXPECT_EQ(cassette.mediaValues[1], 0x0A0B0C0Du);
    EXPECT_EQ(cassette.mediaStateFlag, 16);
    EXPECT_EQ(cassette.extendedStateWord, 1);  // no extended state for this tray
    EXPECT_EQ(cassette.extendedMediumFlag, 1);
    EXPECT_EQ(cassette.extendedMediumValue, 9u);
    EXPECT_EQ(cassette.extendedMediumWords[1], 4);
    EXPECT_EQ(cassette.extendedMediumBytes[7], 8);
    EXPECT_EQ(cassette.mediaName[0], 33);  // cut to the field
    EXPECT_EQ(cassette.libraryValue, 5u);
    EXPECT_EQ(cassette.libraryWord, 6);
    EXPECT_EQ(textOf(cassette.libraryName), "Photo Gloss");

    const auto names = methodRequests(144);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(bytes::loadBE32(names[0].data() + qdxa::kHeaderSize), 7340803u);
    EXPECT_EQ(methodInputOf(names[0]), mediaNameInput("TRAY-NAME"));
    EXPECT_EQ(methodInputOf(names[1]), mediaNameInput("CASSETTE2-NAME"));
}

TEST_F(Trays, APrinterWithoutTraysGivesCountZero) {
    setAttribute(601, 111, supportValue({{2152, 1}}));
    setAttribute(601, 2150, counted({trayEntry(1, "Roll", 5, {7}, 6, 0)}));
    openSession();
    ASSERT_EQ(glue_qdxaGetInputTrayList(session, list.handle, &count), 0);
    EXPECT_EQ(count, 0u);
    for (const Bytes& request : requestsOf(qdxa::kOpGet2)) {
        EXPECT_EQ(gluetest::get2NamesOf(request).attributes, std::vector<std::uint16_t>{111});
    }
    TrayRecord record{};
    record.recordSize = kTrayRecordSize;
    EXPECT_EQ(glue_qdxaGetInputTrayInfo(session, list.handle, 0, &record), kGlueParamErr);
}

TEST_F(Trays, TheRecordSizeAndTheIndexAreChecked) {
    setAttribute(601, 111, supportValue({{2150, 1}}));
    setAttribute(601, 2150, counted({trayEntry(3, "Manual", 1, {}, 2, 0)}));
    openSession();
    ASSERT_EQ(glue_qdxaGetInputTrayList(session, list.handle, &count), 0);
    ASSERT_EQ(count, 1u);
    TrayRecord record{};
    record.recordSize = 391;
    EXPECT_EQ(glue_qdxaGetInputTrayInfo(session, list.handle, 0, &record), kGlueParamErr);
    record.recordSize = kTrayRecordSize;
    EXPECT_EQ(glue_qdxaGetInputTrayInfo(session, list.handle, 1, &record), kGlueParamErr);
    ASSERT_EQ(glue_qdxaGetInputTrayInfo(session, list.handle, 0, &record), 0);
    EXPECT_EQ(record.trayId, 3);
    EXPECT_EQ(methodInputOf(methodRequests(144).at(0)), mediaNameInput("CASSETTE3-NAME"));
}

TEST_F(Trays, TheSecondMediumLibraryIsReadElementByElementWithTwoByteItems) {
    setAttribute(601, 111, supportValue({{2150, 1}, {2356, 1}, {2396, 1}}));
    setAttribute(
        601, 2150,
        counted({trayEntry(1, "Roll", 5, {7}, 6, 0), trayEntry(2, "Sheet", 5, {1}, 6, 0)}));
    const auto libraryEntry = [](std::uint8_t tray, std::uint32_t value, const std::string& name) {
        Bytes entry{tray};
        bytes::ByteWriter out(entry);
        out.u32be(value);
        out.u16be(7);
        out.bytes(pascal(name));
        out.bytes(Bytes{2, 0xAA, 0xBB, 0xCC, 0xDD});
        return entry;
    };
    paged.listElements[{601, 2396}] = {libraryEntry(2, 20, "Matte"), libraryEntry(1, 10, "Luster")};
    openSession();
    ASSERT_EQ(glue_qdxaGetInputTrayList(session, list.handle, &count), 0);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(textOf(tray(0).libraryName), "Luster");
    EXPECT_EQ(tray(0).libraryValue, 10u);
    EXPECT_EQ(textOf(tray(1).libraryName), "Matte");
    EXPECT_EQ(tray(1).libraryWord, 7);
    EXPECT_FALSE(requestsOf(qdxa::kOpGetListElement).empty());
}

TEST_F(Trays, ARefusedMergeIsTheResultAndTheTraysStay) {
    setAttribute(601, 111, supportValue({{2150, 1}, {2436, 1}}));
    setAttribute(601, 2150, counted({trayEntry(1, "Roll", 5, {7}, 6, 0)}));
    information.refusedAttributes = {2436};
    openSession();
    EXPECT_EQ(glue_qdxaGetInputTrayList(session, list.handle, &count), 33);
    EXPECT_EQ(count, 1u);
}

}  // namespace
}  // namespace querytest
