// The reader side of the job-spooling framework: the spool folders and what a job's "JobInfo"
// says, for jobs the writer made and for "JobInfo" files it did not make.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "DovoCommonLib/ios_printer_address.h"
#include "IOSProxyKit/ios_agency.h"
#include "cf/property_list.h"
#include "spool_folder.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

class SpoolReader : public ::testing::Test {
  protected:
    SpoolReader() {
        EXPECT_EQ(IOS_PrinterAddressCreate("WQS_LPR", "192.0.2.7", nullptr, nullptr, &address_),
                  kIOS_NoErr);
    }
    ~SpoolReader() override { IOS_PrinterAddressDispose(address_); }

    std::filesystem::path root() const { return folder_.path() / "deep/Spool"; }

    std::string jobInfo(std::uint32_t id) const {
        return (spool::jobFolder(root(), id) / spool::kJobInfoFile).string();
    }

    /// A "JobInfo" of its own: the dictionary `info` as an XML property list.
    std::string writeInfo(const cf::Value& info) const {
        const auto path = folder_.path() / "JobInfo";
        EXPECT_EQ(cf::writePropertyListFile(path, info, cf::PropertyListFormat::Xml),
                  cf::PlistStatus::Ok);
        return path.string();
    }

    cf::Value goodInfo() const {
        cf::Value info = cf::Value::emptyDictionary();
        info.set(spool::kJobNameKey, "name");
        info.set(spool::kCopiesKey, std::int64_t{2});
        info.set(spool::kCommentKey, "comment");
        info.set(spool::kSingleJobKey, true);
        info.set(spool::kJobFileStateKey, std::int64_t{1});
        return info;
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable spoolRoot_{spool::kRootVariable, root().c_str()};
    testsupport::ScopedVariable noJobSender_{"STRATOLINE_JOBSENDER", ""};
    void* address_ = nullptr;
};

TEST_F(SpoolReader, FoldersOfTheRootAndOfEachJob) {
    char folder[kIOSAgencyPathBufferSize];
    std::memset(folder, 'x', sizeof(folder));
    ASSERT_EQ(IOS_Agency_GetRootSpoolFolder(folder), kIOSAgencyNoErr);
    EXPECT_EQ(std::string(folder), root().string());
    EXPECT_EQ(folder[sizeof(folder) - 1], '\0');
    struct stat made {};
    ASSERT_EQ(::stat(root().c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0700u);

    EXPECT_EQ(IOS_Agency_GetSpoolFolder(1, folder), kIOSAgencyErrNoJob);
    void* job = nullptr;
    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "photo", 3, "note", 1), kIOSAgencyNoErr);
    ASSERT_EQ(IOS_Agency_GetSpoolFolder(1, folder), kIOSAgencyNoErr);
    EXPECT_EQ(std::string(folder), spool::jobFolder(root(), 1).string());
    EXPECT_EQ(IOS_Agency_GetRootSpoolFolder(nullptr), kIOSAgencyErrParam);
    EXPECT_EQ(IOS_Agency_GetSpoolFolder(1, nullptr), kIOSAgencyErrParam);
    ASSERT_EQ(IOS_Agency_JobClose(job, 0), kIOSAgencyNoErr);
}

TEST_F(SpoolReader, WhatTheWriterRecordedReadsBack) {
    void* job = nullptr;
    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "photo", 3, "note", 1), kIOSAgencyNoErr);
    std::uint32_t state = 99;
    ASSERT_EQ(IOS_Agency_ReadJobFileState(&state, jobInfo(1).c_str()), kIOSAgencyNoErr);
    EXPECT_EQ(state, kIOSAgencyJobBeingWritten);
    ASSERT_EQ(IOS_Agency_JobClose(job, 0), kIOSAgencyNoErr);
    ASSERT_EQ(IOS_Agency_ReadJobFileState(&state, jobInfo(1).c_str()), kIOSAgencyNoErr);
    EXPECT_EQ(state, kIOSAgencyJobComplete);

    char name[kIOSAgencyTextBufferSize];
    char comment[kIOSAgencyTextBufferSize];
    std::memset(name, 'x', sizeof(name));
    std::memset(comment, 'x', sizeof(comment));
    std::uint32_t copies = 0;
    ASSERT_EQ(IOS_Agency_ReadJobInfoFromFile(name, &copies, comment, jobInfo(1).c_str()),
              kIOSAgencyNoErr);
    EXPECT_EQ(std::string(name), "photo");
    EXPECT_EQ(std::string(comment), "note");
    EXPECT_EQ(copies, 3u);
    EXPECT_EQ(std::string(name + 6, sizeof(name) - 6), std::string(sizeof(name) - 6, '\0'));
    std::uint32_t single = 0;
    ASSERT_EQ(IOS_Agency_ReadSingleJob(&single, jobInfo(1).c_str()), kIOSAgencyNoErr);
    EXPECT_EQ(single, 1u);
}

// Texts longer than a field are cut before the UTF-8 character that does not fit whole.
TEST_F(SpoolReader, LongTextsAreCutToWholeCharacters) {
    std::string long2;
    for (int i = 0; i < 200; ++i) {
        long2 += "\xC3\xA9";
    }
    cf::Value info = goodInfo();
    info.set(spool::kJobNameKey, long2);
    info.set(spool::kCommentKey, "x" + long2);
    const std::string path = writeInfo(info);
    char name[kIOSAgencyTextBufferSize];
    char comment[kIOSAgencyTextBufferSize];
    std::uint32_t copies = 0;
    ASSERT_EQ(IOS_Agency_ReadJobInfoFromFile(name, &copies, comment, path.c_str()),
              kIOSAgencyNoErr);
    EXPECT_EQ(std::string(name), long2.substr(0, 254));
    EXPECT_EQ(name[254], '\0');
    EXPECT_EQ(std::string(comment), "x" + long2.substr(0, 254));
}

TEST_F(SpoolReader, JobInfoThatIsNotWhatTheWriterMakesIsRefused) {
    // Which of the three reads refuses the file.
    enum Refused { kInfo = 1, kState = 2, kSingle = 4, kAll = 7 };
    struct Case {
        const char* what;
        std::function<void(cf::Value&)> change;
        int refused;
    };
    const Case cases[] = {
        {"no name", [](cf::Value& info) { info.erase(spool::kJobNameKey); }, kInfo},
        {"copies negative", [](cf::Value& info) { info.set(spool::kCopiesKey, std::int64_t{-1}); },
         kInfo},
        {"copies too large",
         [](cf::Value& info) { info.set(spool::kCopiesKey, std::int64_t{1} << 33); }, kInfo},
        {"comment a number", [](cf::Value& info) { info.set(spool::kCommentKey, std::int64_t{1}); },
         kInfo},
        {"no state", [](cf::Value& info) { info.erase(spool::kJobFileStateKey); }, kState},
        {"single a string", [](cf::Value& info) { info.set(spool::kSingleJobKey, "yes"); },
         kSingle},
        {"no dictionary", [](cf::Value& info) { info = cf::Value(std::int64_t{1}); }, kAll},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cf::Value info = goodInfo();
        c.change(info);
        const std::string path = writeInfo(info);
        char name[kIOSAgencyTextBufferSize];
        char comment[kIOSAgencyTextBufferSize];
        std::uint32_t number = 0;
        const int32_t read = IOS_Agency_ReadJobInfoFromFile(name, &number, comment, path.c_str());
        const int32_t state = IOS_Agency_ReadJobFileState(&number, path.c_str());
        const int32_t single = IOS_Agency_ReadSingleJob(&number, path.c_str());
        EXPECT_EQ(read, (c.refused & kInfo) != 0 ? kIOSAgencyErrIO : kIOSAgencyNoErr);
        EXPECT_EQ(state, (c.refused & kState) != 0 ? kIOSAgencyErrIO : kIOSAgencyNoErr);
        EXPECT_EQ(single, (c.refused & kSingle) != 0 ? kIOSAgencyErrIO : kIOSAgencyNoErr);
    }
    const auto missing = (folder_.path() / "missing").string();
    std::uint32_t state = 0;
    EXPECT_EQ(IOS_Agency_ReadJobFileState(&state, missing.c_str()), kIOSAgencyErrIO);
    EXPECT_EQ(IOS_Agency_ReadJobFileState(nullptr, missing.c_str()), kIOSAgencyErrParam);

    // A file far larger than any job information is not read at all.
    std::ofstream(folder_.path() / "huge") << std::string(1 << 20, ' ');
    EXPECT_EQ(IOS_Agency_ReadJobFileState(&state, (folder_.path() / "huge").c_str()),
              kIOSAgencyErrIO);
}

}  // namespace
