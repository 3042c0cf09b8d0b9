// Stored files and file boxes: the requests' bytes and how file-list replies update the
// caller's list, against the test printer.
#include <gtest/gtest.h>

#include "control/control_operations.h"
#include "control_printer.h"
#include "glue/glue_error.h"

namespace controltest {
namespace {

class ControlFiles : public ControlPrinterTest {};

TEST_F(ControlFiles, StoredFilePrintCarriesTheCopyCountAsAttribute2007) {
    openSession();
    ASSERT_EQ(glue_qdxaExecuteFile2_setCopy(session, 0x0A0B0C0D, 0x0102), 0);
    // Value, flag byte, one entry: the file id, one item: 2007, 2 bytes, the copies.
    const Bytes expected = {0,    0, 0, 0,    0,    0, 1, 0x0A, 0x0B, 0x0C,
                            0x0D, 0, 1, 0x07, 0xD7, 0, 2, 0x01, 0x02};
    EXPECT_EQ(gluetest::parameterOf(onlyRequest(qdxa::kOpExecuteFile2)), expected);
}

TEST_F(ControlFiles, DeleteAndReplaceSendIdsAndPasswordsInOrder) {
    openSession();
    std::uint32_t files[] = {5, 6};
    std::uint16_t count = 2;
    ASSERT_EQ(glue_qdxaDeleteFiles(session, &count, files, 0x77), 0);
    ASSERT_EQ(glue_qdxaReplaceFiles(session, &count, files, 900, 0x11, 0x22), 0);
    Bytes deleteExpected = {0, 2};
    const Bytes rest = be32({5, 6, 0x77});
    deleteExpected.insert(deleteExpected.end(), rest.begin(), rest.end());
    EXPECT_EQ(gluetest::parameterOf(onlyRequest(qdxa::kOpDeleteFiles)), deleteExpected);
    Bytes replaceExpected = {0, 2};
    const Bytes values = be32({5, 6, 0x11, 900, 0x22});
    replaceExpected.insert(replaceExpected.end(), values.begin(), values.end());
    EXPECT_EQ(gluetest::parameterOf(onlyRequest(qdxa::kOpReplaceFiles)), replaceExpected);
}

TEST_F(ControlFiles, AReplyListThatFitsReplacesTheCallersList) {
    openSession();
    control.fileListReply = std::vector<std::uint32_t>{70, 71};
    std::uint32_t files[] = {1, 2, 3};
    std::uint16_t count = 3;
    ASSERT_EQ(glue_qdxaDeleteFiles(session, &count, files, 0), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(files[0], 70u);
    EXPECT_EQ(files[1], 71u);
    EXPECT_EQ(files[2], 3u);
}

TEST_F(ControlFiles, AReplyListLongerThanTheCallersRoomLeavesTheListAsItWas) {
    openSession();
    control.fileListReply = std::vector<std::uint32_t>{70, 71, 72};
    // The caller's list sits between guards that must stay untouched.
    std::uint32_t storage[] = {0xEEEEEEEE, 1, 2, 0xEEEEEEEE};
    std::uint16_t count = 2;
    ASSERT_EQ(glue_qdxaDeleteFiles(session, &count, storage + 1, 0), 0);
    ASSERT_EQ(glue_qdxaReplaceFiles(session, &count, storage + 1, 4, 0, 0), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(storage[0], 0xEEEEEEEEu);
    EXPECT_EQ(storage[1], 1u);
    EXPECT_EQ(storage[2], 2u);
    EXPECT_EQ(storage[3], 0xEEEEEEEEu);
}

TEST_F(ControlFiles, ARefusedDeleteLeavesTheListAndReturnsTheStatus) {
    openSession();
    control.fileListReply = std::vector<std::uint32_t>{70};
    control.operationResults[qdxa::kOpDeleteFiles] = 30;
    std::uint32_t files[] = {1, 2};
    std::uint16_t count = 2;
    EXPECT_EQ(glue_qdxaDeleteFiles(session, &count, files, 0), 30);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(files[0], 1u);
    EXPECT_EQ(glue_qdxaDeleteFiles(session, nullptr, files, 0), kGlueParamErr);
    EXPECT_EQ(glue_qdxaReplaceFiles(nullptr, &count, files, 0, 0, 0), kGlueParamErr);
}

TEST_F(ControlFiles, PasswordChangeSendsTheBoxThePasswordsAndTheFlags) {
    openSession();
    ASSERT_EQ(glue_qdxaChangeFileBoxPassword(session, 900, 1, 2, 3, 15), 0);
    Bytes expected = be32({900, 1, 2, 3});
    expected.push_back(15);
    EXPECT_EQ(gluetest::parameterOf(onlyRequest(qdxa::kOpChangeFileBoxPassword)), expected);
}

}  // namespace
}  // namespace controltest
