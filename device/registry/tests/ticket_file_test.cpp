#include "registry/ticket_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "registry/registry_error.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kKey = "orvane.wqs.Probe";
constexpr std::int32_t kProbe = 4711;
constexpr std::uintmax_t kHugeFile = 64 * 1024 * 1024;

device::OwnedTicket probeTicket() {
    TktLibTicket* ticket = nullptr;
    TktLibCreateTicket(&ticket);
    TktLibSetSInt32(ticket, kKey, kProbe);
    return device::OwnedTicket(ticket);
}

std::int32_t probe(const device::OwnedTicket& ticket) {
    std::int32_t value = -1;
    TktLibGetSInt32(ticket.get(), kKey, &value);
    return value;
}

// The folders are shared by every user: a link planted at the temporary name would otherwise
// make the writer create or truncate the file it points at.
TEST(TicketFile, WriteReplacesALinkPlantedAtItsTemporaryNameWithoutFollowingIt) {
    testsupport::TemporaryFolder folder;
    const fs::path victim = folder / "victim";
    fs::create_directory(folder / "tickets");
    const fs::path tickets = folder / "tickets";
    const std::string name = "InputTicket_1.000000.plist";
    fs::create_symlink(victim, device::TemporaryTicketPath(tickets / name));

    ASSERT_EQ(device::WriteTicketFile(tickets, name, probeTicket().get()), kCLibDeviceInfoNoErr);
    EXPECT_FALSE(fs::exists(fs::symlink_status(victim))) << "written through the planted link";
    EXPECT_FALSE(fs::exists(fs::symlink_status(device::TemporaryTicketPath(tickets / name))));
    struct stat status {};
    ASSERT_EQ(::lstat((tickets / name).c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0666u) << "every user's processes read and remove it";

    device::OwnedTicket read;
    bool missing = true;
    ASSERT_EQ(device::ReadTicketFile(tickets, name, read, missing), kCLibDeviceInfoNoErr);
    EXPECT_FALSE(missing);
    EXPECT_EQ(probe(read), kProbe);
}

// Names come from the shared registry block, which every user may write: only a plain file of the
// folder itself is read, a pipe does not hold the reader, and a name leading out of the folder
// counts as a lost ticket. A file far larger than any ticket is not read whole.
TEST(TicketFile, ReadRefusesAnythingButAPlainFileOfTheFolder) {
    testsupport::TemporaryFolder folder;
    const fs::path tickets = folder / "tickets";
    fs::create_directory(tickets);
    ASSERT_EQ(device::WriteTicketFile(folder.path(), "outside.plist", probeTicket().get()),
              kCLibDeviceInfoNoErr);
    fs::create_symlink(folder / "outside.plist", tickets / "link.plist");
    ASSERT_EQ(::mkfifo((tickets / "pipe.plist").c_str(), 0666), 0);
    fs::create_directory(tickets / "folder.plist");
    std::ofstream(tickets / "huge.plist").close();
    fs::resize_file(tickets / "huge.plist", kHugeFile);  // sparse: no disk space taken

    const struct {
        const char* name;
        bool missing;
    } kCases[] = {
        {"link.plist", false},
        {"pipe.plist", false},
        {"folder.plist", false},
        {"huge.plist", false},
        {"../outside.plist", true},
        {"gone.plist", true},
        {"", true},
        {"..", true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        device::OwnedTicket read;
        bool missing = !c.missing;
        EXPECT_NE(device::ReadTicketFile(tickets, c.name, read, missing), kCLibDeviceInfoNoErr);
        EXPECT_EQ(read, nullptr);
        EXPECT_EQ(missing, c.missing);
    }
}

TEST(TicketFile, RemoveTakesOnlyFilesOfTheFolder) {
    testsupport::TemporaryFolder folder;
    const fs::path tickets = folder / "tickets";
    fs::create_directory(tickets);
    ASSERT_EQ(device::WriteTicketFile(folder.path(), "victim.plist", probeTicket().get()),
              kCLibDeviceInfoNoErr);
    ASSERT_EQ(device::WriteTicketFile(tickets, "own.plist", probeTicket().get()),
              kCLibDeviceInfoNoErr);
    for (const char* name : {"../victim.plist", "..", ".", ""}) {
        device::RemoveTicketFile(tickets, name);
    }
    device::RemoveTicketFile(std::nullopt, "own.plist");
    EXPECT_TRUE(fs::exists(folder / "victim.plist"));
    EXPECT_TRUE(fs::exists(tickets));
    EXPECT_TRUE(fs::exists(tickets / "own.plist"));
    device::RemoveTicketFile(tickets, "own.plist");
    EXPECT_FALSE(fs::exists(tickets / "own.plist"));
}

}  // namespace
