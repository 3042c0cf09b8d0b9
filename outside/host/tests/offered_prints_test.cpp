// Every choice the plug-in offers prints: for each shipped model, every medium of its media
// database that the media menu lists, at every input resolution and depth the model offers for
// it, the host stand-in's job record goes through the print core to the test printer over LPR,
// with a quality the medium's quality menu lists, and the job decodes into the image. The layout
// options place the image where the usage text says.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "helpers/kmenu.h"
#include "helpers/kstat.h"
#include "host_options.h"
#include "host_print.h"
#include "host_progress.h"
#include "host_shell.h"
#include "job_record.h"
#include "media/media_list.h"
#include "model_test_support.h"
#include "printed_gradient.h"
#include "printer/test_printer.h"
#include "printmode/print_mode_menu.h"
#include "printmode/print_mode_query.h"
#include "qdxa_printer_hook.h"
#include "qdxa_responder.h"
#include "rastercore/result_codes.h"
#include "stream_decoder/page_image.h"

namespace {

constexpr std::chrono::seconds kJobArrival{30};
constexpr std::uint32_t kImageWidth = 64;
constexpr std::uint32_t kImageHeight = 48;
constexpr std::uint32_t kEdge = 4;
// Opened under no ink system, a database shows the media of every ink system.
constexpr std::int32_t kEveryInkSystem = 0;
constexpr std::int16_t kResolutionCodes[] = {1, 2};  // 300 and 600 ppi
constexpr std::uint32_t kPpiOfResolutionCode[] = {0, 300, 600};
constexpr std::int16_t kBitCodes[] = {0, 1, 2};  // 8-bit output, 10 and 12 bits
constexpr std::int32_t kMediaMenuOnlyEnabled = 1;
constexpr std::uint8_t kMediaMenuUnmarked = 0;
constexpr std::int32_t kCornerLayoutCode = 1;
constexpr std::int32_t kCentreLayoutCode = 2;

// The first values of a menu data array that `fill` fills.
template <typename Fill>
std::vector<std::int32_t> menuValues(Fill fill) {
    MenuDataArray menu = nullptr;
    KMenu::NewMenuData(&menu);
    fill(menu);
    std::vector<std::int32_t> values;
    const auto count = static_cast<std::int32_t>(menu->array()->size());
    for (std::int32_t index = 1; index <= count; ++index) {
        std::int32_t value = 0;
        KMenu::GetMenuData(menu, nullptr, &value, nullptr, nullptr, nullptr, index);
        values.push_back(value);
    }
    KMenu::DisposeMenuData(&menu);
    return values;
}

// One choice of the dialog: a model, a medium of its media menu, an input resolution and depth.
struct Offer {
    const char* model;
    std::int16_t medium;
    std::int16_t resolutionCode;
    std::int16_t bitCode;
    std::vector<std::int32_t> qualities;  ///< the print modes of the medium's quality menu
};

std::string describe(const Offer& offer) {
    return std::string(offer.model) + " medium " + std::to_string(offer.medium) + " at " +
           std::to_string(kPpiOfResolutionCode[offer.resolutionCode]) + " ppi, bit code " +
           std::to_string(offer.bitCode);
}

// What the dialog offers for the shipped model: the media its media menu lists (the database
// open under every ink system, as a printer of either ink shows one part of them), and for each
// the input resolutions and depths that the resolution and depth radios enable.
std::vector<Offer> offersOf(const modeltest::ShippedModel& shipped,
                            const modeltest::ModelEnvironment& env) {
    const auto model = modeltest::modelFor(shipped, env, kEveryInkSystem);
    std::uint8_t* media = model->getMediaData();
    const std::vector<std::int32_t> listed = menuValues([&](MenuDataArray menu) {
        ConstructMediaList(media, env.strings(), kStat::Get_RegionCode(), kMediaMenuOnlyEnabled,
                           kMediaMenuUnmarked, menu);
    });
    std::vector<Offer> offers;
    for (const std::int32_t value : listed) {
        const auto medium = static_cast<std::int16_t>(value);
        for (const std::int16_t resolutionCode : kResolutionCodes) {
            if (CheckSupportResolution(media, medium, 0, resolutionCode) != 1) {
                continue;
            }
            for (const std::int16_t bitCode : kBitCodes) {
                if (CheckSupportBit(media, shipped.printerID, medium, 0, resolutionCode, bitCode) !=
                    1) {
                    continue;
                }
                offers.push_back({shipped.name, medium, resolutionCode, bitCode,
                                  menuValues([&](MenuDataArray menu) {
                                      ConstructPrintModeList(media, env.strings(),
                                                             shipped.printerID, medium, 0,
                                                             resolutionCode, bitCode,
                                                             model->getPrintModeTblHdl(), menu);
                                  })});
            }
        }
    }
    return offers;
}

class OfferedPrints : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(env_.ready());
        qdxa_test::setPrinterState(responder_, qdxa_test::PrinterState::Idle);
        testsupport::TestPrinterOptions options;
        options.responder = hook_.controlResponder();
        printer_ = std::make_unique<testsupport::TestPrinter>(options);
        if (!printer_->start()) {
            GTEST_SKIP() << "the test printer cannot listen: " << printer_->error();
        }
    }

    // The job record of `choices` as the host stand-in fills it for the test printer, over a
    // fresh host shell of the gradient; null (with the failure reported) when it cannot be filled.
    std::unique_ptr<host::JobRecord> fill(host::JobChoices choices, const std::string& label) {
        choices.printerAddress = printer_->address();
        std::string error;
        shell_ = host::HostShell::create(modeltest::gradientImage(kImageWidth, kImageHeight),
                                         host::HostType::ImageEditor, "gradient", &error);
        EXPECT_NE(shell_, nullptr) << error;
        if (shell_ == nullptr) {
            return nullptr;
        }
        auto job = host::JobRecord::fill(choices, shell_->table(), &error);
        EXPECT_NE(job, nullptr) << label << ": " << error;
        return job;
    }

    // `job` printed as the host stand-in prints it, and the page the printer received, decoded;
    // an empty page (with the failure reported) when it did not print.
    streamdecoder::PageImage print(host::JobRecord& job, const std::string& label) {
        std::ostringstream terminal;
        host::ProgressDisplay display(terminal, std::nullopt, true);
        const std::uint32_t result =
            host::runPrint(host::HostType::ImageEditor, *job.record(), display);
        EXPECT_EQ(result, rastercore::kPlgSuccess) << label << ": " << host::resultMessage(result);
        if (result != rastercore::kPlgSuccess || !printer_->waitForJobs(++jobs_, kJobArrival)) {
            ADD_FAILURE() << label << ": the printer received no job";
            return {};
        }
        const std::vector<testsupport::PrinterJob> jobs = printer_->jobs();
        const std::vector<std::uint8_t> bytes(jobs.back().data.begin(), jobs.back().data.end());
        std::string decodeError;
        stream_ = modeltest::decodedJob(bytes, &decodeError);
        EXPECT_TRUE(stream_.ok) << label << ": " << decodeError;
        streamdecoder::PageImage page = streamdecoder::composePage(stream_);
        EXPECT_FALSE(page.rgb.empty()) << label << ": the job holds no raster";
        return page;
    }

    modeltest::ModelEnvironment env_;
    testsupport::ScopedVariable caches_{"STRATOLINE_CACHES", env_.folder().c_str()};
    testsupport::ScopedVariable desktop_{"STRATOLINE_DESKTOP", env_.folder().c_str()};
    testsupport::ScopedVariable spool_{"STRATOLINE_SPOOL", env_.folder().c_str()};
    testsupport::ScopedVariable shm_{"STRATOLINE_DOVO_SHM_PREFIX",
                                     ("OfferedPrints." + std::to_string(::getpid())).c_str()};
    qdxa_test::Responder responder_;
    qdxa_test::PrinterHook hook_{responder_};
    std::unique_ptr<testsupport::TestPrinter> printer_;
    std::unique_ptr<host::HostShell> shell_;
    streamdecoder::DecodedStream stream_;
    std::size_t jobs_ = 0;
};

TEST_F(OfferedPrints, EveryMediumResolutionAndDepthOfEveryShippedModelPrints) {
    std::size_t offered = 0;
    for (const auto& shipped : modeltest::kShippedModels) {
        const std::vector<Offer> offers = offersOf(shipped, env_);
        EXPECT_FALSE(offers.empty()) << shipped.name;
        for (const Offer& offer : offers) {
            ++offered;
            const std::string label = describe(offer);
            EXPECT_FALSE(offer.qualities.empty()) << label << ": no quality to choose";
            host::JobChoices choices;
            choices.model = offer.model;
            choices.medium = offer.medium;
            choices.inputResolution = offer.resolutionCode;
            choices.inputBit = offer.bitCode;
            const std::unique_ptr<host::JobRecord> job = fill(choices, label);
            if (job == nullptr) {
                continue;
            }
            // The choice reaches the core as made, at a quality the menu lists.
            const CoreCommonInfoTbl& record = *job->record();
            EXPECT_EQ(+record.mediumID, offer.medium) << label;
            EXPECT_EQ(+record.inputResolution, offer.resolutionCode) << label;
            EXPECT_EQ(+record.inputBit, offer.bitCode) << label;
            const bool listed = std::find(offer.qualities.begin(), offer.qualities.end(),
                                          +record.printMode) != offer.qualities.end();
            EXPECT_TRUE(listed) << label << ": print mode " << +record.printMode;
            const streamdecoder::PageImage page = print(*job, label);
            if (page.rgb.empty()) {
                continue;
            }
            // The image at 100 % at the working resolution, its red rising from left to right.
            const std::uint32_t scale =
                kPpiOfResolutionCode[offer.resolutionCode] / modeltest::kGradientPpi;
            EXPECT_EQ(page.width, kImageWidth * scale) << label;
            EXPECT_EQ(page.height, kImageHeight * scale) << label;
            EXPECT_LT(modeltest::middleRed(page, kEdge),
                      modeltest::middleRed(page, page.width - 1 - kEdge))
                << label;
        }
    }
    // Each model offers several media, and some of them 16-bit input or 600 ppi.
    EXPECT_GT(offered, 3 * std::size(modeltest::kShippedModels));
}

// The layout options put the image where the usage text says: centred on the page by default and
// with --centre, in the top-left corner of the printable area with --corner, in its top-right
// corner when the image is turned as well.
TEST_F(OfferedPrints, TheLayoutOptionsPlaceTheImage) {
    enum class Place { kCentre, kTopLeft, kTopRight };
    struct Case {
        std::vector<const char*> options;
        Place place;
    };
    const Case cases[] = {
        {{}, Place::kCentre},
        {{"--centre"}, Place::kCentre},
        {{"--corner"}, Place::kTopLeft},
        {{"--centre", "--corner"}, Place::kTopLeft},  // the last layout option counts
        {{"--corner", "--turn"}, Place::kTopRight},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("stratoline-host")};
        std::string label;
        for (const char* option : c.options) {
            argv.push_back(const_cast<char*>(option));
            label += std::string(option) + " ";
        }
        argv.push_back(const_cast<char*>("gradient.png"));
        SCOPED_TRACE(label);
        std::string error;
        const std::optional<host::HostOptions> options =
            host::parseOptions(static_cast<int>(argv.size()), argv.data(), &error);
        ASSERT_TRUE(options.has_value()) << error;
        const std::unique_ptr<host::JobRecord> job = fill(options->job, label);
        ASSERT_NE(job, nullptr);
        ASSERT_FALSE(print(*job, label).rgb.empty());
        ASSERT_FALSE(stream_.rasters.empty());
        const streamdecoder::Raster& first = stream_.rasters.front();
        switch (c.place) {
            case Place::kCentre:
                EXPECT_EQ(+job->record()->printLayout, kCentreLayoutCode);
                EXPECT_GT(first.x, 0);
                EXPECT_GT(first.y, 0);
                break;
            case Place::kTopLeft:
                EXPECT_EQ(+job->record()->printLayout, kCornerLayoutCode);
                EXPECT_EQ(first.x, 0);
                EXPECT_EQ(first.y, 0);
                break;
            case Place::kTopRight:
                EXPECT_EQ(+job->record()->printLayout, kCornerLayoutCode);
                EXPECT_GT(first.x, 0);
                EXPECT_EQ(first.y, 0);
                break;
        }
    }
}

}  // namespace
