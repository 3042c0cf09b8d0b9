// The record the settings model fills is one the print core prints: an image of the host
// stand-in printed with each shipped model's defaults to the test printer over LPR.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <string>

#include "host_shell.h"
#include "model_test_support.h"
#include "printed_gradient.h"
#include "printer/test_printer.h"
#include "qdxa_printer_hook.h"
#include "qdxa_responder.h"
#include "rastercore/raster_core.h"
#include "support/quiet_progress.h"

namespace {

constexpr std::chrono::seconds kJobArrival{30};
constexpr std::int32_t kConnectionLpr = 1;
constexpr std::uint32_t kImageWidth = 96;
constexpr std::uint32_t kImageHeight = 64;
constexpr std::uint32_t kEdge = 4;

// The first entry of the print-mode table for the database's first medium.
std::optional<PrintModeEntry> firstQuality(const modeltest::Model& model) {
    const PrintModeTbl table = model.getPrintModeTblHdl();
    for (std::int16_t index = 0; index < PrintModeEntryCount(table); ++index) {
        const std::optional<PrintModeEntry> entry = PrintModeEntryAt(table, index);
        if (entry && entry->mediumID == model.getDefaultMediumID() && entry->printMode != 0) {
            return entry;
        }
    }
    return std::nullopt;
}

class ModelPrint : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(env_.ready());
        qdxa_test::setPrinterState(responder_, qdxa_test::PrinterState::Idle);
    }
    modeltest::ModelEnvironment env_;
    testsupport::ScopedVariable caches_{"STRATOLINE_CACHES", env_.folder().c_str()};
    testsupport::ScopedVariable desktop_{"STRATOLINE_DESKTOP", env_.folder().c_str()};
    testsupport::ScopedVariable spool_{"STRATOLINE_SPOOL", env_.folder().c_str()};
    testsupport::ScopedVariable shm_{"STRATOLINE_DOVO_SHM_PREFIX",
                                     ("PluginModel." + std::to_string(::getpid())).c_str()};
    qdxa_test::Responder responder_;
};

TEST_F(ModelPrint, TheCorePrintsTheRecordOfEachShippedModel) {
    for (const auto& shipped : modeltest::kShippedModels) {
        SCOPED_TRACE(shipped.name);
        qdxa_test::PrinterHook hook(responder_);
        testsupport::TestPrinterOptions options;
        options.responder = hook.controlResponder();
        testsupport::TestPrinter printer(options);
        if (!printer.start()) {
            GTEST_SKIP() << "the test printer cannot listen: " << printer.error();
        }
        std::string error;
        const auto shell =
            host::HostShell::create(modeltest::gradientImage(kImageWidth, kImageHeight),
                                    host::HostType::ImageEditor, "gradient", &error);
        ASSERT_NE(shell, nullptr) << error;

        const auto model = modeltest::modelFor(shipped, env_);
        ASSERT_EQ(model->loadUIDefaultToCommonData(), 0u);
        model->setConnectionTypeID(kConnectionLpr);
        model->setConnectionTypeName("WQS_LPR");
        model->setPrinterPopupName(std::string(shipped.name) + " " + printer.address());
        // The shipped defaults name media and qualities of the real databases; the test
        // databases' first medium at its first quality stands in, as the setup panel would
        // choose it, and the model derives method, resolution and halftone from it.
        const std::optional<PrintModeEntry> quality = firstQuality(*model);
        ASSERT_TRUE(quality.has_value());
        UISave chosen;
        model->convertToUISave(&chosen);
        chosen.MediaType = quality->mediumID;
        chosen.InputResolution = quality->resolutionCode;
        chosen.InputBit = quality->bitCode;
        chosen.PrintMode = quality->printMode;
        model->convertFromUISaveBasicSetup(chosen);
        ASSERT_EQ(model->method(), quality->printMethod);

        auto record = std::make_unique<CoreCommonInfoTbl>();
        ASSERT_EQ(model->setCoreCommonTable(record.get(), shell->table()), 0u);
        record->patternPrint = 0;
        testsupport::QuietProgress progress;
        EXPECT_EQ(RasterCore_Process(record.get(), &progress), 0u);
        model->terminateCoreCommonTable(record.get());

        ASSERT_TRUE(printer.waitForJobs(1, kJobArrival));
        const auto jobs = printer.jobs();
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_GT(shell->deliveries(), 0u);

        // The printer received the image at its own size (300 pixels per inch, printed at
        // 100 % at 300 dpi), its red rising from left to right as in the image.
        const std::vector<std::uint8_t> bytes(jobs[0].data.begin(), jobs[0].data.end());
        std::string decodeError;
        const streamdecoder::DecodedStream stream = modeltest::decodedJob(bytes, &decodeError);
        ASSERT_TRUE(stream.ok) << decodeError;
        const streamdecoder::PageImage page = streamdecoder::composePage(stream);
        ASSERT_EQ(page.width, kImageWidth);
        ASSERT_EQ(page.height, kImageHeight);
        EXPECT_LT(modeltest::middleRed(page, kEdge),
                  modeltest::middleRed(page, kImageWidth - 1 - kEdge));
    }
}

}  // namespace
