// Print jobs on a network printer: whole jobs against the test printer, cancel, close and the
// registry's life cycle.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "interface/lib_context.h"
#include "interface/tests/interface_fixture.h"
#include "interface/tests/scripted_printer_status.h"
#include "printer/test_printer.h"

namespace {

using namespace interfacetest;
using namespace std::chrono_literals;

constexpr std::uint16_t kRawPort = 9100;

class NetworkJob : public InterfaceTest {
  protected:
    void SetUp() override { ASSERT_TRUE(printer_.start()) << printer_.error(); }

    std::string uri() const { return "lpd://" + printer_.address() + "/"; }

    // Sends every byte as the print core does: a block that was taken only in part is sent on.
    static std::uint32_t sendAll(void* job, const std::string& data) {
        constexpr int kMaxStalls = 20;
        std::size_t offset = 0;
        for (int stalls = 0; offset < data.size() && stalls < kMaxStalls;) {
            auto length = static_cast<std::uint32_t>(data.size() - offset);
            std::uint32_t subCode = 0;
            const std::uint32_t status =
                IOS_JobSend(job, data.data() + offset, &length, 0, &subCode);
            if (status != kIOS_NoErr) {
                return status;
            }
            stalls = length == 0 ? stalls + 1 : 0;
            offset += length;
        }
        return offset == data.size() ? kIOS_NoErr : kIOS_ErrBusy;
    }

    static testsupport::TestPrinterOptions withRawPort() {
        testsupport::TestPrinterOptions options;
        options.rawPort = kRawPort;
        return options;
    }

    testsupport::TestPrinter printer_{withRawPort()};
    ScriptedPrinterStatus status_;
};

TEST_F(NetworkJob, LprJobArrivesByteExact) {
    Address address("WQS_LPR", printer_.address());
    void* job = nullptr;
    std::uint32_t subCode = 77;
    ASSERT_EQ(IOS_JobOpen(&job, address.get(), nullptr, &subCode), kIOS_NoErr);
    EXPECT_EQ(subCode, 0u);
    EXPECT_EQ(status_.calls, (std::vector<std::string>{"open", "get", "close"}));
    ASSERT_NE(record(uri()), nullptr);
    EXPECT_EQ(record(uri())->attachCount, 1u);

    std::string sent;
    for (int block = 0; block < 5; ++block) {
        // Blocks of different sizes, the last one large enough to need several writes.
        std::string data(block == 4 ? 3 * 1024 * 1024 : 1000 + block * 77, '\0');
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<char>((i * 7 + block) % 251);
        }
        ASSERT_EQ(sendAll(job, data), kIOS_NoErr);
        sent += data;
    }
    ASSERT_EQ(IOS_JobClose(job, 0, &subCode), kIOS_NoErr);
    ASSERT_TRUE(printer_.waitForJobs(1, 10s));
    const auto jobs = printer_.jobs();
    EXPECT_EQ(jobs[0].kind, testsupport::PrinterJob::Kind::kLpr);
    EXPECT_TRUE(jobs[0].data == sent);
    // The last context closed: the registry is gone.
    EXPECT_FALSE(registryExists());
}

TEST_F(NetworkJob, JobOpen2SendsRawToAnotherPort) {
    Address address("WQS_LPR", printer_.address());
    void* job = nullptr;
    ASSERT_EQ(IOS_JobOpen2(&job, address.get(), nullptr, nullptr, kRawPort, 0x20), kIOS_NoErr);
    ASSERT_EQ(sendAll(job, "raw job data"), kIOS_NoErr);
    ASSERT_EQ(IOS_JobClose(job, 1, nullptr), kIOS_NoErr);
    ASSERT_TRUE(printer_.waitForJobs(1, 10s));
    EXPECT_EQ(printer_.jobs()[0].kind, testsupport::PrinterJob::Kind::kRaw);
    EXPECT_EQ(printer_.jobs()[0].data, "raw job data");
}

TEST_F(NetworkJob, SendAfterCancelIsRefusedAndCloseStillEndsTheJob) {
    Address address("WQS_LPR", printer_.address());
    void* job = nullptr;
    ASSERT_EQ(IOS_JobOpen(&job, address.get(), nullptr, nullptr), kIOS_NoErr);
    ASSERT_EQ(sendAll(job, "before"), kIOS_NoErr);
    EXPECT_EQ(IOS_JobCancel(&job), kIOS_NoErr);
    std::uint32_t length = 5;
    EXPECT_EQ(IOS_JobSend(job, "after", &length, 0, nullptr), kIOS_ErrJobAborted);
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    ASSERT_TRUE(printer_.waitForJobs(1, 10s));
    EXPECT_EQ(printer_.jobs()[0].data, "before");

    void* none = nullptr;
    EXPECT_EQ(IOS_JobCancel(&none), kIOS_ErrParam);
    EXPECT_EQ(IOS_JobCancel(nullptr), kIOS_ErrParam);
}

TEST_F(NetworkJob, JobAndAdministrationShareOneRecord) {
    Address address("WQS_LPR", printer_.address());
    void* job = nullptr;
    void* admin = nullptr;
    ASSERT_EQ(IOS_JobOpen(&job, address.get(), nullptr, nullptr), kIOS_NoErr);
    ASSERT_EQ(IOS_AdminOpen(&admin, address.get()), kIOS_NoErr);
    EXPECT_EQ(record(uri())->attachCount, 2u);
    EXPECT_EQ(LibProcessState().openCount, 2u);
    ASSERT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    EXPECT_EQ(record(uri())->attachCount, 1u);
    EXPECT_TRUE(registryExists());
    ASSERT_EQ(IOS_AdminClose(admin), kIOS_NoErr);
    EXPECT_FALSE(registryExists());
}

TEST_F(NetworkJob, ArgumentsAndContextKinds) {
    Address address("WQS_LPR", printer_.address());
    void* job = reinterpret_cast<void*>(1);
    EXPECT_EQ(IOS_JobOpen(nullptr, address.get(), nullptr, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_JobOpen(&job, nullptr, nullptr, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_JobOpen2(&job, nullptr, nullptr, nullptr, 515, 16), kIOS_ErrParam);

    // A Bonjour printer whose name does not resolve has no device URI.
    void* bonjour = nullptr;
    ASSERT_EQ(IOS_PrinterAddressCreate("Rendezvous", "Studio", "_pdl-datastream._tcp.", "local.",
                                       &bonjour),
              kIOS_NoErr);
    Address unresolved(bonjour);
    EXPECT_EQ(IOS_JobOpen(&job, unresolved.get(), nullptr, nullptr), kIOS_ErrNoDeviceURI);
    EXPECT_EQ(job, nullptr);
    EXPECT_EQ(IOS_AdminOpen(&job, unresolved.get()), kIOS_ErrNoDeviceURI);

    void* admin = nullptr;
    ASSERT_EQ(IOS_AdminOpen(&admin, address.get()), kIOS_NoErr);
    std::uint32_t length = 1;
    EXPECT_EQ(IOS_JobSend(admin, "x", &length, 0, nullptr), kIOS_ErrContextType);
    EXPECT_EQ(IOS_JobClose(admin, 0, nullptr), kIOS_ErrContextType);
    EXPECT_EQ(IOS_JobSend(nullptr, "x", &length, 0, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_JobSend(admin, nullptr, &length, 0, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_JobSend(admin, "x", nullptr, 0, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_JobClose(nullptr, 0, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_AdminClose(admin), kIOS_NoErr);

    ASSERT_EQ(IOS_JobOpen(&job, address.get(), nullptr, nullptr), kIOS_NoErr);
    Ticket request;
    Ticket response;
    EXPECT_EQ(IOS_AdminGetInfo(job, request.get(), response.get()), kIOS_ErrContextType);
    EXPECT_EQ(IOS_AdminControlInfo(job, request.get(), response.get()), kIOS_ErrContextType);
    EXPECT_EQ(IOS_AdminClose(job), kIOS_ErrContextType);
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
}

}  // namespace

namespace {

using namespace interfacetest;
using namespace std::chrono_literals;

// The library's own administration layer, whose status requests the test printer does not
// answer: only a job that skips the status check opens.
class NetworkJobUnchecked : public InterfaceTest {
  protected:
    void SetUp() override { ASSERT_TRUE(printer_.start()) << printer_.error(); }
    testsupport::TestPrinter printer_;
};

TEST_F(NetworkJobUnchecked, IgnoreOffLineOpensWithoutAStatusAnswer) {
    Address address("WQS_LPR", printer_.address());
    void* job = nullptr;
    EXPECT_NE(IOS_JobOpen(&job, address.get(), nullptr, nullptr), kIOS_NoErr);
    EXPECT_EQ(job, nullptr);

    Ticket options;
    ASSERT_EQ(IOS_TicketSetBoolean(options.get(), "orvane.wqs.IgnoreOffLine", 1), kIOS_NoErr);
    ASSERT_EQ(IOS_JobOpen(&job, address.get(), options.get(), nullptr), kIOS_NoErr);
    std::uint32_t length = 9;
    ASSERT_EQ(IOS_JobSend(job, "unchecked", &length, 0, nullptr), kIOS_NoErr);
    EXPECT_EQ(length, 9u);
    ASSERT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    ASSERT_TRUE(printer_.waitForJobs(1, 10s));
    EXPECT_EQ(printer_.jobs().size(), 1u);
    EXPECT_EQ(printer_.jobs()[0].data, "unchecked");
}

}  // namespace
