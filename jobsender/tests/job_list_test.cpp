// The job list and its jobs: loading and saving "JobList", the queue and the trash, states and
// progress, reading the growing data file, the time-out of abandoned jobs, and the removal of
// spool folders, to the trash when they are locked.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "cf/property_list.h"
#include "job/folder_trash.h"
#include "job/job_list.h"
#include "sender_fixture.h"
#include "support/bounded_call.h"
#include "support/file_size_limit.h"

namespace {

using namespace sendertest;
using jobsender::CJobList;
using jobsender::CLocalJob;

double wallClock() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::vector<std::uint32_t> queuedIds(const CJobList& list) {
    std::vector<std::uint32_t> ids;
    list.ForEachQueuedJob([&](CLocalJob& job) { ids.push_back(job.GetJobID()); });
    return ids;
}

Bytes jobListBytes(const std::vector<std::uint32_t>& ids) {
    return spool::encodeJobList(ids);
}

/// Sets the modification time of a file to `secondsAgo` before now.
void age(const std::filesystem::path& file, int secondsAgo) {
    std::filesystem::last_write_time(
        file, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
}

class JobList : public ::testing::Test {
  protected:
    std::filesystem::path jobListFile() const { return environment_.spoolRoot() / "JobList"; }

    SenderEnvironment environment_;
    PrinterAddress printer_;
};

TEST_F(JobList, ATrailingPartOfAWordIsIgnoredAndTheListSavedWhole) {
    spoolJob(printer_, stream({1}));
    spoolJob(printer_, stream({1}));
    Bytes nine = jobListBytes({1, 2});
    nine.push_back(0);
    writeFile(jobListFile(), nine);
    CJobList list;
    EXPECT_TRUE(list.LoadJobList(wallClock()));
    EXPECT_EQ(queuedIds(list), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(fileBytes(jobListFile()), jobListBytes({1, 2}));
}

// One job that cannot be loaded costs only its own id: a job whose folder is gone is dropped, a
// repeated id is read once, a job whose information is unreadable stays (broken, so that it
// stops the queue rather than being sent), and every id after them is loaded.
TEST_F(JobList, LoadingSkipsOnlyWhatCannotBeLoaded) {
    const std::uint32_t complete = spoolJob(printer_, stream({4}));
    const std::uint32_t unreadable = spoolJob(printer_, stream({4}));
    SpooledJob cancelled(printer_);
    cancelled.close(true);
    SpooledJob written(printer_);
    writeFile(spool::jobFolder(environment_.spoolRoot(), unreadable) / "JobInfo", {'<', 'x'});
    writeFile(jobListFile(),
              jobListBytes({complete, 99, unreadable, complete, cancelled.id(), written.id()}));

    CJobList list;
    ASSERT_TRUE(list.LoadJobList(wallClock()));
    EXPECT_EQ(queuedIds(list), (std::vector<std::uint32_t>{complete, unreadable, written.id()}));
    EXPECT_EQ(fileBytes(jobListFile()), jobListBytes({complete, unreadable, written.id()}));
    EXPECT_EQ(list.GetObjectFromID(complete)->GetState(), jobsender::kStateWaiting);
    EXPECT_EQ(list.GetObjectFromID(unreadable)->GetState(), jobsender::kStateError);
    EXPECT_EQ(list.GetObjectFromID(written.id())->GetState(), jobsender::kStateWritten);

    // The cancelled job waits in the trash and goes with its folder in the first clean-up.
    ASSERT_NE(list.GetObjectFromID(cancelled.id()), nullptr);
    list.UpdateTrashJob(wallClock());
    EXPECT_EQ(list.GetObjectFromID(cancelled.id()), nullptr);
    EXPECT_FALSE(std::filesystem::exists(cancelled.folder()));
    EXPECT_TRUE(std::filesystem::exists(written.folder()));
}

TEST_F(JobList, NothingToLoadWithoutAJobList) {
    CJobList list;
    EXPECT_FALSE(list.LoadJobList(wallClock()));
    EXPECT_FALSE(std::filesystem::exists(jobListFile()));
}

/// Puts at `path` something that is no regular file of a sane size to read.
struct UnreadableFile {
    const char* what;
    std::function<void(const std::filesystem::path& path)> make;
};

const UnreadableFile kUnreadableFiles[] = {
    {"pipe", [](const auto& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
    {"link to an endless device",
     [](const auto& path) { std::filesystem::create_symlink("/dev/zero", path); }},
};

constexpr std::chrono::seconds kNoWait{5};

// A "JobList" that is no regular file of a sane size is no list: nothing is loaded, it is left as
// it is, and the program is never held by it.
TEST_F(JobList, AJobListThatIsNoRegularFileIsNone) {
    std::vector<UnreadableFile> cases(std::begin(kUnreadableFiles), std::end(kUnreadableFiles));
    cases.push_back({"longer than any list", [](const auto& path) {
                         writeFile(path, jobListBytes({1}));
                         std::filesystem::resize_file(path, (jobsender::kMaxLoadedJobs + 1) * 4);
                     }});
    spoolJob(printer_, stream({1}));
    for (const UnreadableFile& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(jobListFile());
        c.make(jobListFile());
        const auto kind = std::filesystem::symlink_status(jobListFile()).type();
        EXPECT_EQ(testsupport::runBounded(
                      [] {
                          CJobList list;
                          return !list.LoadJobList(wallClock()) && queuedIds(list).empty();
                      },
                      kNoWait),
                  testsupport::BoundedOutcome::kTrue);
        EXPECT_EQ(std::filesystem::symlink_status(jobListFile()).type(), kind);
    }
}

// A "JobData" that is no regular file cannot be read, and never holds the reader.
TEST_F(JobList, AJobDataThatIsNoRegularFileIsUnreadable) {
    for (const UnreadableFile& c : kUnreadableFiles) {
        SCOPED_TRACE(c.what);
        const std::uint32_t id = spoolJob(printer_, stream({1}));
        const auto data = spool::jobFolder(environment_.spoolRoot(), id) / "JobData";
        std::filesystem::remove(data);
        c.make(data);
        EXPECT_EQ(testsupport::runBounded(
                      [id] {
                          CLocalJob job(id);
                          std::uint8_t buffer[20] = {};
                          std::uint32_t length = sizeof buffer;
                          return !job.ReadData(buffer, &length);
                      },
                      kNoWait),
                  testsupport::BoundedOutcome::kTrue);
    }
}

TEST_F(JobList, AJobWrittenTooLongAgoIsBroken) {
    for (const auto& [minutes, state] :
         {std::pair{31, jobsender::kStateError}, std::pair{29, jobsender::kStateWritten}}) {
        SCOPED_TRACE(minutes);
        const SenderEnvironment environment;
        SpooledJob job(printer_);
        age(job.folder() / "JobData", minutes * 60);
        CJobList list;
        ASSERT_TRUE(list.LoadJobList(wallClock()));
        EXPECT_EQ(list.GetObjectFromID(job.id())->GetState(), state);
    }
}

TEST_F(JobList, TheQueueAndTheTrash) {
    for (std::uint32_t id = 1; id <= 3; ++id) {
        spoolJob(printer_, stream({1}));
    }
    CJobList list;
    for (std::uint32_t id = 1; id <= 3; ++id) {
        EXPECT_TRUE(list.AddNewJob(id, 0));
    }
    EXPECT_FALSE(list.AddNewJob(2, 1));  // an id is queued once
    list.DeleteJob(3);                   // the tail
    list.DeleteJob(1);                   // the head
    EXPECT_TRUE(list.AddNewJob(4, 0));
    EXPECT_EQ(queuedIds(list), (std::vector<std::uint32_t>{2, 4}));
    EXPECT_EQ(list.GetSendJob()->GetJobID(), 2u);

    // A job in the trash is still found by id, but deleting it again does nothing.
    EXPECT_EQ(list.GetObjectFromID(3)->GetJobID(), 3u);
    list.DeleteJob(3);
    EXPECT_EQ(queuedIds(list), (std::vector<std::uint32_t>{2, 4}));
    EXPECT_FALSE(list.AddNewJob(3, 1));

    // A trash job being written or sent stays until it is neither.
    list.GetObjectFromID(3)->SetIsJobMake(1);
    list.GetObjectFromID(1)->SetIsJobSend(1);
    list.UpdateTrashJob(wallClock());
    EXPECT_NE(list.GetObjectFromID(3), nullptr);
    EXPECT_NE(list.GetObjectFromID(1), nullptr);
    list.GetObjectFromID(3)->SetIsJobMake(0);
    list.GetObjectFromID(1)->SetIsJobSend(0);
    list.UpdateTrashJob(wallClock());
    EXPECT_EQ(list.GetObjectFromID(3), nullptr);
    EXPECT_EQ(list.GetObjectFromID(1), nullptr);
    list.DeleteJob(2);
    list.DeleteJob(4);
    list.UpdateTrashJob(wallClock());
    EXPECT_FALSE(list.IsNecessityWait());
}

// A failed write leaves the list saved before: the file is replaced, never removed first.
TEST_F(JobList, AFailedSaveKeepsTheEarlierList) {
    spoolJob(printer_, stream({1}));
    spoolJob(printer_, stream({1}));
    writeFile(jobListFile(), jobListBytes({1}));
    CJobList list;
    list.AddNewJob(1, 0);
    list.AddNewJob(2, 0);
    {
        const testsupport::FileSizeLimit limit(4);
        EXPECT_FALSE(list.SaveJobList());
    }
    EXPECT_EQ(fileBytes(jobListFile()), jobListBytes({1}));
    EXPECT_TRUE(list.SaveJobList());
    EXPECT_EQ(fileBytes(jobListFile()), jobListBytes({1, 2}));
}

struct ProgressCase {
    const char* what;
    std::size_t fileBytes;
    std::uint16_t copies;
    std::uint8_t making;
    std::int64_t sent;
    std::uint32_t output;
    std::int32_t progress;
};

TEST_F(JobList, ProgressOverAllCopiesStaysWithin0To100) {
    const ProgressCase cases[] = {
        {"being written", 1000, 3, 1, 500, 0, -1},
        {"second of three copies half sent", 1000, 3, 0, 500, 1, 50},
        {"all of the last copy read", 1000, 3, 0, 1000, 2, 100},
        {"one copy, nothing sent", 1000, 1, 0, 0, 0, 0},
        {"an empty file", 0, 2, 0, 0, 1, 0},
        {"no copies", 1000, 0, 0, 500, 0, 0},
        {"more read than measured", 1000, 3, 0, 2000, 2, 100},
    };
    for (const ProgressCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes data(c.fileBytes, 0);
        CLocalJob job(spoolJob(printer_, data, c.copies));
        ASSERT_TRUE(job.CalculationFileSize());
        job.SetIsJobMake(c.making);
        job.SetSendSize(c.sent);
        job.SetOutputNum(c.output);
        EXPECT_EQ(job.GetProgress(), c.progress);
    }
}

TEST_F(JobList, StatesFollowTheJobsFlags) {
    CLocalJob job(spoolJob(printer_, stream({1})));
    const struct {
        std::uint8_t make, send;
        std::int32_t status;
        std::uint8_t fileState;
        std::uint32_t state;
    } cases[] = {
        {1, 0, 0, 0, 0},    {0, 0, 0, 0, 1},   {1, 1, 0, 0, 2},      {0, 1, 0, 0, 3},
        {1, 1, 1001, 0, 4}, {0, 0, 0, 128, 5}, {1, 1, 1001, 128, 5},
    };
    for (const auto& c : cases) {
        job.SetIsJobMake(c.make);
        job.SetIsJobSend(c.send);
        job.SetStatusCode(c.status);
        job.SetJobFileState(c.fileState);
        EXPECT_EQ(job.GetState(), c.state) << int(c.make) << int(c.send) << c.status;
    }
}

// A read asks for exactly its length: while fewer bytes are there it reads nothing and the
// position stays, so the next read starts where this one would have.
TEST_F(JobList, ReadsTakeAllTheirBytesOrNone) {
    SpooledJob written(printer_);
    written.append(Bytes(12, 7));
    CLocalJob job(written.id());
    std::uint8_t buffer[20] = {};
    std::uint32_t length = 20;
    EXPECT_TRUE(job.ReadData(buffer, &length));
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(job.GetSendSize(), 0);
    written.append(Bytes(8, 9));
    length = 20;
    EXPECT_TRUE(job.ReadData(buffer, &length));
    EXPECT_EQ(length, 20u);
    EXPECT_EQ(job.GetSendSize(), 20);
    EXPECT_EQ(buffer[19], 9);
    EXPECT_FALSE(job.ReadData(nullptr, &length));
    EXPECT_FALSE(job.ReadData(buffer, nullptr));
}

// A file that gives fewer bytes than its size promises (a kernel attribute file reports a page
// and holds a few bytes): the read takes nothing and the position does not pass unread bytes.
TEST_F(JobList, AShortReadTakesNothing) {
    const std::filesystem::path attribute = "/sys/devices/system/cpu/online";
    std::error_code error;
    if (std::filesystem::file_size(attribute, error) < 64 || error) {
        GTEST_SKIP() << "no kernel attribute file that promises more than it holds";
    }
    SpooledJob written(printer_);
    const auto data = written.folder() / "JobData";
    std::filesystem::remove(data);
    std::filesystem::create_symlink(attribute, data);
    CLocalJob job(written.id());
    std::uint8_t buffer[20] = {};
    std::uint32_t length = 20;
    EXPECT_TRUE(job.ReadData(buffer, &length));
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(job.GetSendSize(), 0);
}

// Texts too long for their 256-byte fields are cut before the character that would not fit,
// and zero-terminated.
TEST_F(JobList, LongTextsAreCutToWholeCharacters) {
    std::string name;
    for (int i = 0; i < 150; ++i) {
        name += "\xC3\xA9";  // é, two bytes
    }
    const std::uint32_t id = spoolJob(printer_, {}, 1, false, "short", "comment");
    const auto folder = spool::jobFolder(environment_.spoolRoot(), id);
    cf::Value info;
    ASSERT_EQ(cf::readPropertyListFile(folder / "JobInfo", info), cf::PlistStatus::Ok);
    info.set("JobName", name);
    ASSERT_EQ(cf::writePropertyListFile(folder / "JobInfo", info, cf::PropertyListFormat::Xml),
              cf::PlistStatus::Ok);
    const auto addressFile = folder / "printerAddress";
    cf::Value address;
    ASSERT_EQ(cf::readPropertyListFile(addressFile, address), cf::PlistStatus::Ok);
    address.set("MODEL:", "P" + name);
    ASSERT_EQ(cf::writePropertyListFile(addressFile, address, cf::PropertyListFormat::Xml),
              cf::PlistStatus::Ok);
    CLocalJob job(id);
    EXPECT_EQ(std::string(job.GetJobName()), name.substr(0, 254));
    EXPECT_EQ(std::string(job.GetPrinterName()), "P" + name.substr(0, 254));
    EXPECT_EQ(std::string(job.GetComment()), "comment");
}

/// Makes `folder` refuse the removal of what it holds: immutable for root (who may remove
/// anything else), without write permission for other users. False when that cannot be done.
bool lockFolder(const std::filesystem::path& folder, bool locked) {
    if (::geteuid() != 0) {
        std::error_code error;
        std::filesystem::permissions(
            folder,
            locked ? std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec
                   : std::filesystem::perms::owner_all,
            error);
        return !error;
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = locked ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return done;
}

class Trash : public JobList {
  protected:
    /// A spool folder that cannot be removed: it holds a locked folder.
    std::uint32_t lockedJob() {
        const std::uint32_t id = spoolJob(printer_, stream({1}));
        const auto locked = spool::jobFolder(environment_.spoolRoot(), id) / "locked";
        std::filesystem::create_directory(locked);
        writeFile(locked / "kept", {1});
        if (!lockFolder(locked, true)) {
            ADD_FAILURE() << "cannot lock a folder here";
        }
        return id;
    }
    ~Trash() override {
        // Let the temporary folder go, wherever the locked folders went.
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(environment_.folder().path())) {
            if (entry.is_directory() && entry.path().filename() == "locked") {
                lockFolder(entry.path(), false);
            }
        }
    }
};

TEST_F(Trash, ALockedSpoolFolderGoesToTheTrash) {
    const std::uint32_t id = lockedJob();
    CJobList list;
    ASSERT_TRUE(list.AddNewJob(id, 0));
    list.DeleteJob(id);
    list.UpdateTrashJob(wallClock());
    EXPECT_FALSE(list.IsNecessityWait());
    EXPECT_FALSE(std::filesystem::exists(spool::jobFolder(environment_.spoolRoot(), id)));
    EXPECT_TRUE(std::filesystem::exists(environment_.trash() / std::to_string(id) / "locked"));
}

/// A trash that does not answer until released, then moves the folder away.
class HangingTrash {
  public:
    explicit HangingTrash(std::filesystem::path away) : away_(std::move(away)) {
        calls_.trash = [this](const std::filesystem::path& folder) {
            std::unique_lock lock(mutex_);
            ++moves;
            released_.wait(lock, [this] { return open_; });
            std::error_code error;
            std::filesystem::rename(folder, away_ / folder.filename(), error);
            return !error;
        };
        calls_.wait = std::chrono::milliseconds(20);
    }
    ~HangingTrash() { release(); }
    void release() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        released_.notify_all();
    }
    std::atomic<int> moves{0};

  private:
    std::filesystem::path away_;
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
    jobsender::TrashCalls calls_;
    seam::ScopedOverride<jobsender::TrashCalls> override_{jobsender::trashCalls(), calls_};
};

// A move to the trash that does not end within its wait has failed: the job stays in the trash
// and its folder's removal is tried again later, a bounded number of times.
TEST_F(Trash, AMoveThatDoesNotEndInTimeIsTriedAgainLater) {
    std::filesystem::create_directory(environment_.folder() / "away");
    HangingTrash trash(environment_.folder() / "away");
    const std::uint32_t id = lockedJob();
    CJobList list;
    ASSERT_TRUE(list.AddNewJob(id, 0));
    list.DeleteJob(id);
    const double now = wallClock();
    list.UpdateTrashJob(now);
    EXPECT_NE(list.GetObjectFromID(id), nullptr);
    list.UpdateTrashJob(now + jobsender::kRemovalRetrySeconds / 2);  // not yet due
    list.UpdateTrashJob(now + jobsender::kRemovalRetrySeconds + 1);  // the first move still runs
    EXPECT_NE(list.GetObjectFromID(id), nullptr);
    trash.release();
    for (int i = 0;
         i < 200 && std::filesystem::exists(spool::jobFolder(environment_.spoolRoot(), id)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    list.UpdateTrashJob(now + 2 * jobsender::kRemovalRetrySeconds + 2);
    EXPECT_EQ(list.GetObjectFromID(id), nullptr);
    EXPECT_EQ(trash.moves, 1);
}

TEST_F(Trash, AFolderThatNeverGoesIsGivenUpAfterItsAttempts) {
    jobsender::TrashCalls failing{.trash = [](const std::filesystem::path&) { return false; },
                                  .wait = std::chrono::milliseconds(1000)};
    const seam::ScopedOverride<jobsender::TrashCalls> override(jobsender::trashCalls(), failing);
    const std::uint32_t id = lockedJob();
    CJobList list;
    ASSERT_TRUE(list.AddNewJob(id, 0));
    list.DeleteJob(id);
    double now = wallClock();
    for (int attempt = 1; attempt < jobsender::kRemovalAttempts; ++attempt) {
        list.UpdateTrashJob(now);
        EXPECT_NE(list.GetObjectFromID(id), nullptr) << attempt;
        now += jobsender::kRemovalRetrySeconds;
    }
    list.UpdateTrashJob(now);
    EXPECT_FALSE(list.IsNecessityWait());
}

}  // namespace
