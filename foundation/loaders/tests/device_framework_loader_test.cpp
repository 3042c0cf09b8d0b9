// The device framework's wrappers over the framework at the driver root, a copy that lacks
// IOS_TicketGetSInt32, and no framework: a ticket made through one call serves the next; a
// missing framework or function gives the missing status (or no version), prints nothing and
// leaves the outputs alone.
#include "loaders/device_framework_loader.h"

#include <gtest/gtest.h>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

using testsupport::ScopedVariable;

constexpr std::int32_t kStored = 7;
constexpr std::int32_t kUntouched = -1;
constexpr char kKey[] = "orvane.wqs.JobHandleCount";

// What one ticket's life through the wrappers gave.
struct TicketRun {
    std::uint32_t initialize = 0;
    bool versioned = false;
    std::uint32_t create = 0;
    bool ticket = false;
    std::uint32_t set = 0, get = 0;
    std::int32_t value = kUntouched;
    std::uint32_t dispose = 0;
    bool operator==(const TicketRun&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TicketRun& run) {
    return out << "{initialize " << run.initialize << ", versioned " << run.versioned << ", create "
               << run.create << ", ticket " << run.ticket << ", set " << run.set << ", get "
               << run.get << ", value " << run.value << ", dispose " << run.dispose << "}";
}

TicketRun runTicket() {
    TicketRun run;
    run.initialize = Load_IOS_Initialize();
    run.versioned = Load_IOS_GetVersion() != 0;
    void* ticket = nullptr;
    run.create = Load_IOS_TicketCreate(&ticket);
    run.ticket = ticket != nullptr;
    run.set = Load_IOS_TicketSetSInt32(ticket, kKey, kStored);
    run.get = Load_IOS_TicketGetSInt32(ticket, kKey, &run.value);
    run.dispose = Load_IOS_TicketDispose(ticket);
    Load_IOS_Terminate();
    return run;
}

constexpr std::uint32_t kOk = 0;
constexpr std::uint32_t kMissing = kDeviceFrameworkMissing;

TEST(DeviceFrameworkLoader, TicketsThroughEachInstallation) {
    const testsupport::TemporaryFolder empty;
    struct Case {
        const char* installation;
        std::string root;
        TicketRun expected;
    };
    const Case cases[] = {
        {"framework installed", DRIVER_ROOT, {kOk, true, kOk, true, kOk, kOk, kStored, kOk}},
        {"framework lacking IOS_TicketGetSInt32",
         DEVICE_LACKING_TICKET_GET_ROOT,
         {kOk, true, kOk, true, kOk, kMissing, kUntouched, kOk}},
        {"no framework",
         empty.path().string(),
         {kMissing, false, kMissing, false, kMissing, kMissing, kUntouched, kMissing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.installation);
        ScopedVariable root("STRATOLINE_ROOT", c.root.c_str());
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(runTicket(), c.expected);
        EXPECT_EQ(Load_IOS_ArrayGetCount(nullptr), 0);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    }
}

}  // namespace
