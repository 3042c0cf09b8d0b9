// Cancelling a job on the printer through the real device library: the printer model lists its
// jobs with their client job numbers over the loopback network and records the cancels.
#include <gtest/gtest.h>

#include <cstring>

#include "model_printer.h"
#include "qdxa_protocol/codes.h"
#include "scripted_transport.h"
#include "transport/job_transport.h"
#include "transport/printer_address.h"

namespace {

using namespace transporttest;

class PrinterCancel : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(model_.printer->start()) << model_.printer->error();
        ASSERT_EQ(PLG_Get_PrinterAddress("WQS_LPR", model_.printer->address().c_str(), nullptr,
                                         &address_),
                  0);
        info_.printerAddress = address_;
    }
    void TearDown() override { PLG_Dispose_PrinterAddress(address_); }

    void listJobs(const std::vector<std::pair<std::uint32_t, std::string>>& jobs) {
        for (const auto& [handle, number] : jobs) {
            model_.responder.jobs.push_back(
                {handle, {{qdxa_test::kClientJobAttribute, qdxa_test::clientJobBlock(number)}}});
        }
    }

    /// Cancels this job on the printer; the close-as-cancelled flag, which starts as `before`.
    bool cancel(const char* identifier, bool before) {
        std::strcpy(info_.jobIdentifier, identifier);
        bool closeAsCancelled = before;
        PLG_IOS_JobCancel(&info_, &closeAsCancelled);
        return closeAsCancelled;
    }

    /// The jobs the printer was asked to cancel.
    std::vector<std::uint32_t> cancelRequests() const {
        return qdxa_test::cancelRequests(model_.responder.requests);
    }

    DeviceEnvironment environment_;
    ModelPrinter model_;
    void* address_ = nullptr;
    QDXA_Info info_{};
};

TEST_F(PrinterCancel, CancelsExactlyTheJobWithThisClientJobNumber) {
    listJobs({{11, "a"}, {12, "me"}, {13, "b"}});
    EXPECT_FALSE(cancel("me", true));
    EXPECT_EQ(cancelRequests(), std::vector<std::uint32_t>{12});
    EXPECT_EQ(model_.responder.jobs.size(), 2u);
}

TEST_F(PrinterCancel, NoMatchingJobCancelsNothingAndClosesNormally) {
    listJobs({{11, "a"}, {13, "b"}});
    EXPECT_FALSE(cancel("me", true));
    model_.responder.jobs.clear();
    EXPECT_FALSE(cancel("me", true));
    EXPECT_TRUE(cancelRequests().empty());
}

TEST_F(PrinterCancel, ACancelThePrinterRefusesClosesAsCancelled) {
    listJobs({{12, "me"}});
    model_.responder.filters.push_back([](std::uint16_t operation, std::span<const std::uint8_t>,
                                          std::uint16_t& result, qdxa_test::Bytes&) {
        if (operation == qdxa::kOpCancelJob) {
            result = qdxa::kResultUnknownObject;
        }
    });
    EXPECT_TRUE(cancel("me", false));
    EXPECT_EQ(cancelRequests(), std::vector<std::uint32_t>{12});
}

TEST(PrinterCancelWithoutPrinter, SpooledJobsNoAddressAndFailedOpensCloseAsCancelled) {
    ScriptedTransport transport;  // its administration open fails
    RecordingProgress progress;
    QDXA_Info spooled = transportRecord(progress, true);
    QDXA_Info direct = transportRecord(progress);
    QDXA_Info noAddress = transportRecord(progress);
    noAddress.printerAddress = nullptr;
    for (QDXA_Info* info : {&spooled, &noAddress}) {
        bool closeAsCancelled = false;
        PLG_IOS_JobCancel(info, &closeAsCancelled);
        EXPECT_TRUE(closeAsCancelled);
    }
    EXPECT_TRUE(transport.log.empty());  // no administration request for either
    bool closeAsCancelled = false;
    PLG_IOS_JobCancel(&direct, &closeAsCancelled);
    EXPECT_TRUE(closeAsCancelled);
    EXPECT_EQ(transport.log, std::vector<std::string>{"adminOpen"});
}

}  // namespace
