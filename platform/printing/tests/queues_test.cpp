// The queue list and the queues' PPDs come from a private CUPS scheduler.
#include "printing/queues.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include "cups_server/cups_server.h"
#include "printing/ppd.h"
#include "support/scoped_variable.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAttributes = fs::path(PRINTING_TEST_DATA_DIR) / "attributes.ppd";

class Queues : public testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::CupsServer::installed()) {
            GTEST_SKIP() << testsupport::CupsServer::kCupsd
                         << " is not installed (Debian package cups-daemon)";
        }
        server_ = std::make_unique<testsupport::CupsServer>(std::vector<testsupport::CupsQueue>{
            {"beta", "lpd://%5bfe80::1%5d/queue", kAttributes},
            {"alpha", "tarnbe://Printer%20Name/?usb&serial=7", kAttributes},
            {"raw", "socket://127.0.0.1:9", std::nullopt},
        });
        ASSERT_TRUE(server_->running()) << server_->failure();
    }

    testsupport::TemporaryFolder temporary_;
    testsupport::ScopedVariable tmpdir_{"TMPDIR", temporary_.path().c_str()};
    testsupport::ScopedVariable home_{"HOME", temporary_.path().c_str()};
    std::unique_ptr<testsupport::CupsServer> server_;
};

TEST_F(Queues, ListsEveryQueueWithItsDeviceUri) {
    const std::vector<printing::Queue> queues = printing::localQueues();
    ASSERT_EQ(queues.size(), 3U);
    EXPECT_EQ(queues[0].name, "alpha");
    EXPECT_EQ(queues[0].deviceUri, "tarnbe://Printer%20Name/?usb&serial=7");
    EXPECT_EQ(queues[1].name, "beta");
    EXPECT_EQ(queues[1].deviceUri, "lpd://%5bfe80::1%5d/queue");
    EXPECT_EQ(queues[2].name, "raw");
    for (const auto& queue : queues) {
        EXPECT_FALSE(queue.remote) << queue.name;
    }
}

TEST_F(Queues, FetchesAQueuesPpdAndLeavesNoCopyBehind) {
    const auto ppd = printing::Ppd::ofQueue("alpha");
    ASSERT_NE(ppd, nullptr);
    EXPECT_EQ(ppd->attribute("VQNote"), "first");
    EXPECT_EQ(printing::Ppd::ofQueue("raw"), nullptr);
    EXPECT_EQ(printing::Ppd::ofQueue("absent"), nullptr);
    for (const auto& entry : fs::directory_iterator(temporary_.path())) {
        EXPECT_TRUE(entry.is_directory()) << "left behind: " << entry.path();
    }
}

TEST(QueuesWithoutServer, AnUnreachableServerGivesNoQueuesAndNoPpd) {
    testsupport::TemporaryFolder folder;
    testsupport::ScopedVariable home("HOME", folder.path().c_str());
    cupsSetServer((folder / "no-server.sock").c_str());
    EXPECT_TRUE(printing::localQueues().empty());
    EXPECT_EQ(printing::Ppd::ofQueue("alpha"), nullptr);
    cupsSetServer(nullptr);
}

}  // namespace
