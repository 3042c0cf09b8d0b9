// The writer side of the job-spooling framework: spooled jobs written into a temporary spool
// folder, read back by an independent Python reader, the opens that must leave nothing, the
// writer's lock on its job, a spool disk without room, and job lists that are no regular files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DovoCommonLib/ios_printer_address.h"
#include "IOSProxyKit/ios_agency.h"
#include "cf/property_list.h"
#include "spool_folder.h"
#include "support/bounded_call.h"
#include "support/file_size_limit.h"
#include "support/python_oracle.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "writer_process.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

/// One QDXA packet: header (magic, version, flags 0, operation, sequence 1, parameter length,
/// identifiers 0, result 0) and its parameters.
Bytes packet(std::uint16_t operation, const Bytes& parameters) {
    const auto length = static_cast<std::uint16_t>(parameters.size());
    Bytes bytes = {0xCD,
                   0xCA,
                   0x10,
                   0,
                   static_cast<std::uint8_t>(operation >> 8),
                   static_cast<std::uint8_t>(operation),
                   0,
                   1,
                   static_cast<std::uint8_t>(length >> 8),
                   static_cast<std::uint8_t>(length)};
    bytes.resize(20, 0);
    bytes.insert(bytes.end(), parameters.begin(), parameters.end());
    return bytes;
}

class SpoolFolder : public ::testing::Test {
  protected:
    SpoolFolder() {
        EXPECT_EQ(IOS_PrinterAddressCreate("WQS_LPR", "192.0.2.7", nullptr, nullptr, &address_),
                  kIOS_NoErr);
    }
    ~SpoolFolder() override { IOS_PrinterAddressDispose(address_); }

    std::filesystem::path root() const { return folder_.path() / "Spool"; }

    /// Opens a job, sends `data` in pieces of at most `piece` bytes and closes it.
    void* spool(const char* name, std::uint16_t copies, const char* comment, bool single,
                const Bytes& data, bool cancelled, std::size_t piece = 7) {
        void* job = nullptr;
        EXPECT_EQ(IOS_Agency_JobOpen(&job, address_, name, copies, comment, single ? 1 : 0), 0);
        for (std::size_t offset = 0; offset < data.size(); offset += piece) {
            auto length = static_cast<std::uint32_t>(std::min(piece, data.size() - offset));
            const std::uint32_t offered = length;
            EXPECT_EQ(IOS_Agency_JobSend(job, data.data() + offset, &length), 0);
            EXPECT_EQ(length, offered);
        }
        EXPECT_EQ(IOS_Agency_JobClose(job, cancelled ? 1 : 0), 0);
        return job;
    }

    /// What IOS_Agency_ReadJobWriter says of the writer of job `id`.
    std::uint32_t writerOf(std::uint32_t id) const {
        std::uint32_t writer = 99;
        EXPECT_EQ(IOS_Agency_ReadJobWriter(&writer, spool::jobFolder(root(), id).c_str()),
                  kIOSAgencyNoErr);
        return writer;
    }

    cf::Value jobInfo(std::uint32_t id) const {
        cf::Value info;
        EXPECT_EQ(
            cf::readPropertyListFile(spool::jobFolder(root(), id) / spool::kJobInfoFile, info),
            cf::PlistStatus::Ok);
        return info;
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable spoolRoot_{spool::kRootVariable,
                                           (folder_.path() / "Spool").c_str()};
    testsupport::ScopedVariable noJobSender_{"STRATOLINE_JOBSENDER", ""};
    void* address_ = nullptr;
};

TEST_F(SpoolFolder, JobsReadBackByAnIndependentReader) {
    const Bytes first = [] {
        Bytes data = packet(0x11, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0});
        const Bytes block = packet(0x1A, Bytes(300, 0x42));
        data.insert(data.end(), block.begin(), block.end());
        const Bytes end = packet(0x13, {0});
        data.insert(data.end(), end.begin(), end.end());
        return data;
    }();
    const Bytes second = packet(0x16, {});
    spool("photo.tif", 3, "caption", true, first, false);
    spool("Caf\xC3\xA9 print", 1, "", false, second, true, 100);

    for (const auto& [id, data] : {std::pair{1, first}, std::pair{2, second}}) {
        std::ofstream(folder_ / ("expected" + std::to_string(id)), std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()),
                   static_cast<std::streamsize>(data.size()));
    }
    const std::string expected = R"({"jobList": [1, 2], "jobs": [
        {"id": 1, "JobName": "photo.tif", "Copies": 3, "Comment": "caption", "SingleJob": true,
         "JobFileState": 1, "printerName": "192.0.2.7", "printerURI": "lpd://192.0.2.7/",
         "packets": [[17, 13], [26, 300], [19, 1]], "dataFile": ")" +
                                 (folder_ / "expected1").string() + R"("},
        {"id": 2, "JobName": "Caf\u00e9 print", "Copies": 1, "Comment": "", "SingleJob": false,
         "JobFileState": 2, "printerName": "192.0.2.7", "printerURI": "lpd://192.0.2.7/",
         "packets": [[22, 0]], "dataFile": ")" +
                                 (folder_ / "expected2").string() + R"("}]})";
    std::ofstream(folder_ / "expected.json") << expected;
    EXPECT_EQ(testsupport::runPython(SPOOL_READER,
                                     {root().string(), (folder_ / "expected.json").string()}),
              0);
}

TEST_F(SpoolFolder, AJobBeingWrittenSaysSoAndNewIdsFollowEveryIdInUse) {
    std::filesystem::create_directories(spool::jobFolder(root(), 7));
    ASSERT_TRUE(spool::writeJobList(root(), {3}));
    void* job = nullptr;
    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), 0);
    EXPECT_EQ(spool::readJobList(root()), (std::vector<std::uint32_t>{3, 8}));
    EXPECT_EQ(jobInfo(8).find(spool::kJobFileStateKey)->integer(), spool::kJobBeingWritten);
    EXPECT_EQ(IOS_Agency_JobClose(job, 0), 0);
    EXPECT_EQ(jobInfo(8).find(spool::kJobFileStateKey)->integer(), spool::kJobComplete);

    // Past the largest id the numbering starts again at the lowest free one.
    ASSERT_TRUE(spool::writeJobList(root(), {UINT32_MAX, 1}));
    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), 0);
    EXPECT_EQ(spool::readJobList(root()), (std::vector<std::uint32_t>{UINT32_MAX, 1, 2}));
    EXPECT_EQ(IOS_Agency_JobClose(job, 1), 0);
}

TEST_F(SpoolFolder, TextsAreCutBackToWholeCharactersWithinTheSendersFields) {
    const std::string longName(300, 'n');
    spool(longName.c_str(), 1, "cut \xC3", false, {}, false);
    const cf::Value info = jobInfo(1);
    EXPECT_EQ(*info.find(spool::kJobNameKey)->string(), std::string(255, 'n'));
    EXPECT_EQ(*info.find(spool::kCommentKey)->string(), "cut ");
    spool(nullptr, 0, nullptr, false, {}, false);
    EXPECT_EQ(*jobInfo(2).find(spool::kJobNameKey)->string(), "");
}

TEST_F(SpoolFolder, FailedOpensLeaveNothingBehind) {
    void* job = &job;
    EXPECT_EQ(IOS_Agency_JobOpen(nullptr, address_, "a", 1, "b", 0), kIOSAgencyErrParam);
    EXPECT_EQ(IOS_Agency_JobOpen(&job, nullptr, "a", 1, "b", 0), kIOSAgencyErrParam);
    EXPECT_EQ(job, nullptr);
    EXPECT_FALSE(std::filesystem::exists(root() / spool::kJobListFile));

    // A root that is a file cannot hold jobs.
    std::ofstream(root().string()) << "not a folder";
    job = &job;
    EXPECT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), kIOSAgencyErrIO);
    EXPECT_EQ(job, nullptr);

    // An address that cannot be written: the job's folder goes again.
    std::filesystem::remove(root());
    void* unwritable = nullptr;
    ASSERT_EQ(IOS_PrinterAddressCreate("Rendezvous", "Studio", "_pdl-datastream._tcp.", "local.",
                                       &unwritable),
              kIOS_NoErr);
    const std::uint32_t written =
        IOS_WritePrinterAddressToFile(unwritable, (folder_.path() / "probe").c_str());
    if (written != kIOS_NoErr) {
        EXPECT_EQ(IOS_Agency_JobOpen(&job, unwritable, "a", 1, "b", 0), kIOSAgencyErrIO);
        EXPECT_FALSE(std::filesystem::exists(spool::jobFolder(root(), 1)));
        EXPECT_TRUE(spool::readJobList(root()).empty());
    }
    IOS_PrinterAddressDispose(unwritable);
}

TEST_F(SpoolFolder, SendsRefuseMissingArguments) {
    void* job = nullptr;
    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), 0);
    std::uint32_t length = 4;
    EXPECT_EQ(IOS_Agency_JobSend(job, nullptr, &length), kIOSAgencyErrParam);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(IOS_Agency_JobSend(job, "data", nullptr), kIOSAgencyErrParam);
    EXPECT_EQ(IOS_Agency_JobSend(nullptr, "data", &length), kIOSAgencyErrParam);
    EXPECT_EQ(IOS_Agency_JobClose(nullptr, 0), kIOSAgencyErrParam);
    EXPECT_EQ(IOS_Agency_JobClose(job, 0), 0);
}

// The writer holds its job's lock while it writes, and removes it with the job's final state; a
// writer that dies, or cannot record that state, leaves it unlocked behind: its writer is gone.
TEST_F(SpoolFolder, TheWriterLocksItsJobUntilTheJobsStateIsFinal) {
    void* job = nullptr;
    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), 0);
    EXPECT_EQ(writerOf(1), kIOSAgencyWriterWriting);
    EXPECT_EQ(IOS_Agency_JobClose(job, 0), 0);
    EXPECT_EQ(writerOf(1), kIOSAgencyWriterUnknown);
    EXPECT_FALSE(std::filesystem::exists(spool::jobFolder(root(), 1) / spool::kJobWriterLockFile));

    spooltest::WriterProcess dies(address_, packet(0x1A, Bytes(100, 1)));
    ASSERT_EQ(dies.id(), 2u);
    EXPECT_EQ(writerOf(2), kIOSAgencyWriterWriting);
    dies.kill();
    EXPECT_EQ(writerOf(2), kIOSAgencyWriterGone);
    EXPECT_EQ(jobInfo(2).find(spool::kJobFileStateKey)->integer(), spool::kJobBeingWritten);

    // No room to record the end: the job still says it is being written, and its writer is gone.
    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), 0);
    {
        const testsupport::FileSizeLimit full(1);
        EXPECT_EQ(IOS_Agency_JobClose(job, 0), kIOSAgencyErrDiskFull);
    }
    EXPECT_EQ(writerOf(3), kIOSAgencyWriterGone);
    EXPECT_EQ(jobInfo(3).find(spool::kJobFileStateKey)->integer(), spool::kJobBeingWritten);

    std::uint32_t writer = 0;
    EXPECT_EQ(IOS_Agency_ReadJobWriter(nullptr, root().c_str()), kIOSAgencyErrParam);
    EXPECT_EQ(IOS_Agency_ReadJobWriter(&writer, nullptr), kIOSAgencyErrParam);
    EXPECT_EQ(IOS_Agency_ReadJobWriter(&writer, (root() / "none").c_str()), kIOSAgencyNoErr);
    EXPECT_EQ(writer, kIOSAgencyWriterUnknown);
}

// A job that finds no room on the spool disk (here: the file-size limit that a full disk acts
// like) says so, instead of failing as any other write.
TEST_F(SpoolFolder, NoRoomForTheJobIsToldApart) {
    void* job = nullptr;
    {
        const testsupport::FileSizeLimit full(10);
        EXPECT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), kIOSAgencyErrDiskFull);
    }
    EXPECT_EQ(job, nullptr);
    EXPECT_FALSE(std::filesystem::exists(spool::jobFolder(root(), 1)));
    EXPECT_TRUE(spool::readJobList(root()).empty());

    ASSERT_EQ(IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0), 0);
    const Bytes data(300, 7);
    auto length = static_cast<std::uint32_t>(data.size());
    {
        const testsupport::FileSizeLimit full(200);
        EXPECT_EQ(IOS_Agency_JobSend(job, data.data(), &length), kIOSAgencyErrDiskFull);
    }
    EXPECT_EQ(length, 200u);  // what found room
    EXPECT_EQ(IOS_Agency_JobClose(job, 1), 0);
    EXPECT_EQ(jobInfo(1).find(spool::kJobFileStateKey)->integer(), spool::kJobCancelled);
}

// A "JobList" that is a pipe, an endless device or too long to be a list is read as no list,
// without a wait; a new job replaces it with a list of its own.
TEST_F(SpoolFolder, AJobListThatIsNoRegularFileIsReadAsNone) {
    constexpr std::chrono::seconds kLimit{5};
    const auto jobList = root() / spool::kJobListFile;
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"pipe", [&] { ASSERT_EQ(::mkfifo(jobList.c_str(), 0600), 0); }},
        {"link to an endless device",
         [&] { std::filesystem::create_symlink("/dev/zero", jobList); }},
        {"too long",
         [&] {
             std::ofstream(jobList).put('\0');
             std::filesystem::resize_file(jobList, (spool::kMaxJobListIds + 1) * 4);
         }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(root());
        ASSERT_TRUE(spool::makeRootFolder(root()));
        make();
        EXPECT_EQ(
            testsupport::runBounded([&] { return spool::readJobList(root()).empty(); }, kLimit),
            testsupport::BoundedOutcome::kTrue);
        EXPECT_EQ(testsupport::runBounded(
                      [&] {
                          void* job = nullptr;
                          return IOS_Agency_JobOpen(&job, address_, "a", 1, "b", 0) == 0 &&
                                 IOS_Agency_JobClose(job, 0) == 0;
                      },
                      kLimit),
                  testsupport::BoundedOutcome::kTrue);
        const bool replaced =
            std::filesystem::is_regular_file(std::filesystem::symlink_status(jobList));
        EXPECT_TRUE(replaced);
        if (replaced) {
            EXPECT_EQ(spool::readJobList(root()), std::vector<std::uint32_t>{1});
        }
    }
}

TEST(JobList, WholeWordsOnlyAndBackAgain) {
    const Bytes nine = {0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFE, 9};
    const std::vector<std::uint32_t> ids = spool::parseJobList(nine);
    EXPECT_EQ(ids, (std::vector<std::uint32_t>{1, 0xFFFFFFFE}));
    EXPECT_EQ(spool::encodeJobList(ids), Bytes(nine.begin(), nine.begin() + 8));
    EXPECT_TRUE(spool::parseJobList({}).empty());
}

TEST(JobList, FolderNamesThatAreJobIds) {
    EXPECT_EQ(spool::jobIdOfFolderName("17"), 17u);
    EXPECT_EQ(spool::jobIdOfFolderName("4294967295"), 4294967295u);
    for (const char* name : {"", "0", "017", "4294967296", "12a", "JobList", "-1", "99999999999"}) {
        EXPECT_FALSE(spool::jobIdOfFolderName(name)) << name;
    }
}

}  // namespace
