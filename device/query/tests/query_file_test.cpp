// Stored files and file boxes against the test printer.
#include <gtest/gtest.h>

#include "glue/glue_error.h"
#include "query/query_file.h"
#include "query_printer.h"

namespace querytest {
namespace {

using gluetest::supportValue;
using qdxa_test::idList;
using qdxa_test::wireDate;

constexpr std::uint32_t kBox = 7;
constexpr std::uint32_t kFirstFile = 0x500;
constexpr std::uint32_t kFirstDocument = 0x900;

class Files : public QueryPrinter {
  protected:
    /// `count` files in box kBox, each with every attribute and one document.
    void addFiles(std::uint32_t count) {
        for (std::uint32_t index = 0; index < count; ++index) {
            const std::uint32_t file = kFirstFile + index;
            const std::uint32_t document = kFirstDocument + index;
            information.boxFiles[kBox].push_back(file);
            responder.objects[file] = {
                {4, codedString(106, "file " + std::to_string(index))},
                {279, codedString(106, "detail " + std::to_string(index))},
                {6, codedString(1, "owner")},
                {283, {5, 0, 0}},
                {275, u32Value(275)},
                {277, u32Value(277 + index)},
                {263, {0, 0, 1, 7, 0, 0, 0, 1}},
                {9, wireDate(2026, 6, 15, 1, 12, 0, 0)},
                {10909, wireDate(2025, 1, 2, 3, 4, 5, 6000)},
                {311, u32Value(311)},
                {2027, idList({document, document + 1000})},
            };
            responder.objects[document] = {
                {2029, {3, 0, 4, 0, 0, 0, 5, 0, 0, 0, 6}},
                {2214, {1, 0x12, 0x34}},
                {2158, {0, 8, 9}},
            };
        }
    }
    FileRecord file(std::uint32_t index) {
        FileRecord record{};
        EXPECT_EQ(glue_qdxaGetFileInfo(
                      session, list.handle, index, &record.fileId, record.name, &record.nameCode,
                      record.detailName, &record.detailNameCode, record.owner, &record.ownerCode,
                      &record.state, &record.value275, &record.value277, &record.value263,
                      &record.value263Flag, &record.date9, &record.documentKind,
                      &record.documentWord, &record.documentValues[0], &record.documentValues[1],
                      &record.documentMedium, &record.documentBytes[0], &record.documentBytes[1],
                      &record.date10909, &record.value311),
                  0);
        return record;
    }

    Handle list;
    std::uint32_t count = 0;
    std::uint32_t flags = 0;
};

TEST_F(Files, EveryFileIsReadInBatchesOfAtMostTen) {
    addFiles(23);
    openSession();
    ASSERT_EQ(
        glue_qdxaGetFileList(session, kBox, 0, list.handle, &count, kFileMaskValue311, &flags), 0);
    ASSERT_EQ(count, 23u);
    EXPECT_EQ(list.handle->size, 8u + 23 * kFileRecordSize);
    for (const Bytes& request : requestsOf(qdxa::kOpGet2)) {
        EXPECT_LE(gluetest::get2NamesOf(request).objects.size(), 10u);
    }
    const FileRecord last = file(22);
    EXPECT_EQ(last.fileId, kFirstFile + 22);
    EXPECT_EQ(textOf(last.name), "file 22");
    EXPECT_EQ(last.nameCode, 106u);
    EXPECT_EQ(textOf(last.detailName), "detail 22");
    EXPECT_EQ(textOf(last.owner), "owner");
    EXPECT_EQ(last.state, 5);
    EXPECT_EQ(last.value277, 299u);
    EXPECT_EQ(last.value263, 0x107u);
    EXPECT_EQ(last.value263Flag, 1u);
    EXPECT_EQ(last.date9.year, 2026);
    EXPECT_EQ(last.date10909.hour, 4);  // no time-zone conversion
    EXPECT_EQ(last.date10909.second, 6);
    EXPECT_EQ(last.value311, 311u);
    EXPECT_EQ(last.documentKind, 3);
    EXPECT_EQ(last.documentWord, 4);
    EXPECT_EQ(last.documentValues[1], 6u);
    EXPECT_EQ(last.documentMedium, 0x1234);
    EXPECT_EQ(last.documentBytes[1], 9);
    EXPECT_EQ(flags, 0u);
}

TEST_F(Files, ARefusedAttributeStillFillsTheOtherFields) {
    addFiles(3);
    information.refusedAttributes = {279};
    openSession();
    ASSERT_EQ(glue_qdxaGetFileList(session, kBox, 0, list.handle, &count, 0, &flags), 0);
    ASSERT_EQ(count, 3u);
    const FileRecord first = file(0);
    EXPECT_EQ(first.detailName[0], 0);
    EXPECT_EQ(textOf(first.name), "file 0");
    EXPECT_EQ(textOf(first.owner), "owner");
    EXPECT_EQ(first.value311, 0u);  // not asked without the mask bit
    EXPECT_EQ(first.documentMedium, 0x1234);
}

TEST_F(Files, Value311ThatNoFileDeliversSetsTheFlag) {
    addFiles(2);
    openSession();
    ASSERT_EQ(
        glue_qdxaGetFileList(session, kBox, 0, list.handle, &count, kFileMaskValue311, &flags), 0);
    EXPECT_EQ(flags, 0u);
    // Each file refuses the attribute: the read succeeds without delivering any file.
    information.refusedAttributes = {311};
    flags = 0x10;
    ASSERT_EQ(
        glue_qdxaGetFileList(session, kBox, 0, list.handle, &count, kFileMaskValue311, &flags), 0);
    EXPECT_EQ(flags, 0x10u | kFileMaskValue311);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(file(1).value311, 0u);
}

TEST_F(Files, AnEmptyBoxAndAnIndexBeyondTheList) {
    openSession();
    ASSERT_EQ(glue_qdxaGetFileList(session, kBox, 0, list.handle, &count, 0, &flags), 0);
    EXPECT_EQ(count, 0u);
    FileRecord record{};
    EXPECT_EQ(glue_qdxaGetFileInfo(session, list.handle, 0, &record.fileId, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr),
              kGlueParamErr);
    information.emptyBoxes = {kBox};
    EXPECT_EQ(glue_qdxaGetFileList(session, kBox, 0, list.handle, &count, 0, &flags), 30);
}

class FileBoxes : public QueryPrinter {
  protected:
    void SetUp() override {
        QueryPrinter::SetUp();
        paged.classObjects[1002] = {9001, 9002};
        setAttribute(2002, 169, supportValue({{10911, 1}}));
        responder.objects[9001] = {
            {10617, u16Value(1)}, {10601, codedString(106, "Proofs")}, {10911, {4}}};
        responder.objects[9002] = {
            {10617, u16Value(2)}, {10601, codedString(106, "Empty")}, {10911, {0}}};
        information.boxFiles[9001] = {1, 2, 3};
        information.emptyBoxes = {9002};
    }
    FileBoxRecord box(std::uint32_t index) {
        FileBoxRecord record{};
        EXPECT_EQ(glue_qdxaGetFileBoxInfo(session, list.handle, index, &record.boxNumber,
                                          &record.boxId, record.boxName, &record.nameCode,
                                          &record.boxByte, &record.fileCount, &record.emptyFlag),
                  0);
        return record;
    }

    Handle list;
    std::uint32_t count = 0;
};

TEST_F(FileBoxes, BoxesWithTheirFilesAndTheEmptyFlag) {
    openSession();
    ASSERT_EQ(glue_qdxaGetFileBoxList(session, 1, list.handle, &count), 0);
    ASSERT_EQ(count, 2u);
    const FileBoxRecord proofs = box(0);
    EXPECT_EQ(proofs.boxId, 9001u);
    EXPECT_EQ(proofs.boxNumber, 1u);
    EXPECT_EQ(textOf(proofs.boxName), "Proofs");
    EXPECT_EQ(proofs.nameCode, 106u);
    EXPECT_EQ(proofs.boxByte, 4);
    EXPECT_EQ(proofs.fileCount, 3u);
    EXPECT_EQ(proofs.emptyFlag, 0u);
    const FileBoxRecord empty = box(1);
    EXPECT_EQ(empty.fileCount, 0u);
    EXPECT_EQ(empty.emptyFlag, 1u);
    EXPECT_EQ(textOf(empty.boxName), "Empty");
}

TEST_F(FileBoxes, WithoutCountingNoFileIsListed) {
    openSession();
    ASSERT_EQ(glue_qdxaGetFileBoxList(session, 0, list.handle, &count), 0);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(box(0).fileCount, 0u);
    EXPECT_EQ(requestsOf(qdxa::kOpListObjects2).size(), 1u);
}

TEST_F(FileBoxes, AFailedFileListingEndsWithItsStatus) {
    information.emptyResult = 8;
    openSession();
    EXPECT_EQ(glue_qdxaGetFileBoxList(session, 1, list.handle, &count), 8);
}

}  // namespace
}  // namespace querytest
