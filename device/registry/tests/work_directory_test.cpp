// The work directory: where it lives, how its folders are made, and ticket file names.
#include "registry/work_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <fstream>

#include "DovoCommonLib/ios_status.h"
#include "registry/lib_device_info.h"
#include "registry/lib_lock.h"
#include "registry/tests/registry_test_support.h"

namespace {

using namespace registrytest;

TEST(TicketFileName, TenDecimalsAndTheTicketExtension) {
    EXPECT_EQ(device::TicketFileName(device::TicketFileKind::Input, 787000000.5),
              "InputTicket_787000000.5000000000.ticket");
    EXPECT_EQ(device::TicketFileName(device::TicketFileKind::Output, 787000000.5),
              "OutputTicket_787000000.5000000000.ticket");
    EXPECT_EQ(device::TicketFileName(device::TicketFileKind::Output, 0.125),
              "OutputTicket_0.1250000000.ticket");
    // A host that sets a locale with a decimal comma changes nothing.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(device::TicketFileName(device::TicketFileKind::Input, 1.5),
                  "InputTicket_1.5000000000.ticket");
        std::setlocale(LC_NUMERIC, "C");
    }
}

TEST(WorkDirectory, GroupNamesAndBaseFolders) {
    PrivateWorkDirectory work;
    EXPECT_EQ(LibGroupName(false), "IJDovoLib");
    EXPECT_EQ(LibGroupName(true), "K7Q2WZR4MT.IJ.DovoLib");
    EXPECT_EQ(device::WorkDirectoryBase("IJDovoLib", false),
              work.path() / "caches/Orvane/TARN/IJDovoLib");
    EXPECT_EQ(device::WorkDirectoryBase("K7Q2WZR4MT.IJ.DovoLib", true),
              work.path() / "home/.local/share/group-containers/K7Q2WZR4MT.IJ.DovoLib");
    EXPECT_EQ(
        device::WorkDirectoryFolderPath(work.group(), false, device::WorkFolder::RequestTicket),
        work.base() / "RequestTicket");
}

TEST(WorkDirectory, FoldersAreMadeForEveryUserAndTheMaskIsRestored) {
    PrivateWorkDirectory work;
    const mode_t previous = ::umask(077);
    const auto request =
        CLibDeviceInfo::ticketDirectoryURLForRequestWithGroupName(work.group(), false);
    const auto response =
        CLibDeviceInfo::ticketDirectoryURLForResponseWithGroupName(work.group(), true);
    EXPECT_EQ(::umask(previous), 077u);
    ASSERT_TRUE(request);
    ASSERT_TRUE(response);
    EXPECT_EQ(*request, work.base() / "RequestTicket");
    for (const auto& folder :
         {*request, request->parent_path(), request->parent_path().parent_path(), *response}) {
        struct stat status {};
        ASSERT_EQ(::stat(folder.c_str(), &status), 0) << folder;
        EXPECT_EQ(status.st_mode & 0777, 0777u) << folder;
    }
    EXPECT_FALSE(device::WorkDirectoryFolder("", false, device::WorkFolder::RequestTicket));
}

TEST(WorkDirectory, FolderBlockedByAFileIsNotMade) {
    PrivateWorkDirectory work;
    std::filesystem::create_directories(work.base());
    std::ofstream(work.base() / "ResponseTicket") << "in the way";
    EXPECT_FALSE(CLibDeviceInfo::ticketDirectoryURLForResponseWithGroupName(work.group(), false));
}

// Every user may replace the shared folders by links; a link leads nowhere the library writes.
TEST(WorkDirectory, FoldersReplacedByLinksAreRefused) {
    struct Case {
        const char* what;
        device::WorkFolder folder;
        bool linkTheBase;  // else the folder itself is the link
    };
    const Case cases[] = {
        {"lock folder", device::WorkFolder::DistributedLock, false},
        {"request folder", device::WorkFolder::RequestTicket, false},
        {"response folder", device::WorkFolder::ResponseTicket, false},
        {"base under the lock folder", device::WorkFolder::DistributedLock, true},
        {"base under the request folder", device::WorkFolder::RequestTicket, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrivateWorkDirectory work;
        const auto elsewhere = work.path() / "elsewhere";
        std::filesystem::create_directories(elsewhere);
        const auto link = c.linkTheBase
                              ? work.base()
                              : device::WorkDirectoryFolderPath(work.group(), false, c.folder);
        std::filesystem::create_directories(link.parent_path());
        std::filesystem::create_directory_symlink(elsewhere, link);

        EXPECT_FALSE(device::WorkDirectoryFolder(work.group(), false, c.folder));
        if (c.folder == device::WorkFolder::DistributedLock) {
            EXPECT_EQ(CLibLock::initWithName("Test.lock", work.group(), 0, false), nullptr);
        }
        EXPECT_TRUE(std::filesystem::is_empty(elsewhere)) << "nothing is made through the link";
    }
}

TEST(WorkDirectory, ClearTicketFilesRemovesBothTicketFoldersOnly) {
    PrivateWorkDirectory work;
    const auto request =
        device::WorkDirectoryFolder(work.group(), false, device::WorkFolder::RequestTicket);
    const auto response =
        device::WorkDirectoryFolder(work.group(), false, device::WorkFolder::ResponseTicket);
    const auto locks =
        device::WorkDirectoryFolder(work.group(), false, device::WorkFolder::DistributedLock);
    ASSERT_TRUE(request && response && locks);
    std::ofstream(*request / device::TicketFileName(device::TicketFileKind::Input, 1.0))
        << "ticket";
    std::ofstream(*locks / "SharedInfo.lock") << "";
    CLibDeviceInfo::clearTicketFilesWithGroupName(work.group(), false);
    EXPECT_FALSE(std::filesystem::exists(*request));
    EXPECT_FALSE(std::filesystem::exists(*response));
    EXPECT_TRUE(std::filesystem::exists(*locks / "SharedInfo.lock"));
}

TEST(WorkDirectory, PrepareReplacesAFileAndReportsWhatCannotBeMade) {
    PrivateWorkDirectory work;
    std::filesystem::create_directories(work.base().parent_path());
    std::ofstream(work.base()) << "a file where the folder belongs";
    EXPECT_EQ(device::WorkDirectoryPrepare(work.group(), false), kIOS_NoErr);
    EXPECT_TRUE(std::filesystem::is_directory(work.base()));
    EXPECT_EQ(device::WorkDirectoryPrepare(work.group(), false), kIOS_NoErr)
        << "an existing folder";

    // The caches folder itself is a file: nothing can be made below it.
    std::ofstream(work.path() / "blocked") << "";
    ::setenv("STRATOLINE_CACHES", (work.path() / "blocked").c_str(), 1);
    EXPECT_EQ(device::WorkDirectoryPrepare(work.group(), false), kIOS_ErrWorkDirectory);
}

}  // namespace
