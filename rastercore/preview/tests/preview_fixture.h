// What the preview tests share: the installed test profiles, a display profile of their own, job
// and host records as the dialog fills them, preview pixels and the stage-by-stage transicc oracle.
#pragma once

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cf/value.h"
#include "color/installed_profiles.h"
#include "color/profile.h"
#include "color/standard_profiles.h"
#include "rastercore/raster_core.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace previewtest {

namespace fs = std::filesystem;

inline constexpr std::int32_t kFailure = 0x430142;

// Host image modes.
inline constexpr std::uint16_t kGrey = 1;
inline constexpr std::uint16_t kRgb = 3;
inline constexpr std::uint16_t kCmyk = 4;
inline constexpr std::uint16_t kGrey16 = 10;
inline constexpr std::uint16_t kRgb16 = 11;
inline constexpr std::uint16_t kCmyk16 = 13;

// Colour modes.
inline constexpr std::int32_t kColor = 1;
inline constexpr std::int32_t kFixedRgb = 2;
inline constexpr std::int32_t kMonochrome = 3;
inline constexpr std::int32_t kIcc = 5;

inline const fs::path kSrgb = color_test::kSrgb;
inline const fs::path kAdobeRgb = color_test::kRgb1998;
// The display of the tests is wider than sRGB, so that matching for it shows.
inline const fs::path kDisplay = "/usr/share/color/icc/colord/ProPhotoRGB.icc";

inline const std::vector<int> kGreyPixels = {0, 17, 64, 128, 200, 255};
// Greys that the printers of the tests reproduce: table transforms follow the exact conversion
// closely inside a printer's gamut, while in its deep shadows, where the conversion bends
// sharply, they may lie several steps off it.
inline const std::vector<int> kPrintableGreyPixels = {100, 128, 150, 170, 200, 235};
inline const std::vector<int> kCmykPixels = {0,  0,  0,   0,  255, 0,   0,   0, 0,  255, 0,  0,
                                             40, 90, 160, 20, 128, 128, 128, 0, 10, 200, 30, 60};
// Colours that the printers of the tests reproduce, away from the edges of their gamuts.
inline const std::vector<int> kRgbPixels = {128, 128, 128, 200, 170, 150, 90,  110, 140,
                                            180, 190, 120, 140, 90,  100, 100, 150, 110};

inline std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> bytesOf(const std::vector<int>& values) {
    return {values.begin(), values.end()};
}

inline int samplesOf(std::uint16_t imageMode) {
    switch (imageMode) {
        case kGrey:
        case kGrey16:
            return 1;
        case kCmyk:
        case kCmyk16:
            return 4;
        default:
            return 3;
    }
}

/// The installed profiles of the tests (a grey display profile, CMYK and RGB proof printers) in
/// a user data folder of their own, the display profile, and the driver's printer profiles.
class PreviewProfiles : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        data_ = new testsupport::TemporaryFolder;
        fs::create_directories(*data_ / "icc");
        color_test::writeGreyProfile(greyProfile(), "Grey 2.2");
        color_test::writeCmykPrinterProfile(cmykProof(), "CMYK proof printer");
        color_test::writeRgbPrinterProfile(rgbProof(), "RGB proof printer");
    }
    static void TearDownTestSuite() { delete data_; }

    static fs::path greyProfile() { return *data_ / "icc" / "grey.icc"; }
    static fs::path cmykProof() { return *data_ / "icc" / "cmyk-proof.icc"; }
    static fs::path rgbProof() { return *data_ / "icc" / "rgb-proof.icc"; }
    /// An RGB printer profile of the driver, as the installed-profile walk names it.
    static fs::path printer() { return color::driverProfileFolder() / "SL7K_GLOSSY.icc"; }

    testsupport::ScopedVariable dataHome_{"XDG_DATA_HOME", data_->path().c_str()};
    testsupport::ScopedVariable display_{"STRATOLINE_DISPLAY_PROFILE", kDisplay.c_str()};
    static testsupport::TemporaryFolder* data_;
};
inline testsupport::TemporaryFolder* PreviewProfiles::data_ = nullptr;

/// A job record and the host's record it points at, as the dialog fills them for a preview.
struct PreviewRecords {
    PreviewRecords() {
        record.commonInfo = &host;
        host.hostType = kHostTypeImageEditor;
        host.imageMode = kRgb;
        record.colorMode = kColor;
        record.conversionEngine = 1;
    }
    PreviewRecords(const PreviewRecords&) = delete;
    PreviewRecords& operator=(const PreviewRecords&) = delete;

    /// The image's embedded profile, handed over as its bytes.
    void embed(const fs::path& profile) {
        embedded = readFile(profile);
        host.profile.bytes = embedded.data();
        host.profile.byteCount = static_cast<std::uint32_t>(embedded.size());
    }
    void output(const fs::path& path) {
        outputPath = std::make_unique<cf::Value>(path.string());
        record.outputProfilePath = outputPath.get();
    }
    void proof(const fs::path& path) {
        proofPath = std::make_unique<cf::Value>(path.string());
        record.proofProfilePath = proofPath.get();
        record.proof = 1;
    }

    CommonInfoTable host{};
    CoreCommonInfoTbl record{};
    std::vector<std::uint8_t> embedded;
    std::unique_ptr<cf::Value> outputPath;
    std::unique_ptr<cf::Value> proofPath;
};

struct CurvePoint {
    std::int32_t x, y;
};

/// Writes one tone curve of the first or the second set. The record is packed (the second set's
/// rows start at odd offsets), so the curve goes in as bytes, as the dialog's filler writes it.
inline void setCurve(CoreCommonInfoTbl& record, bool second, int row,
                     const std::vector<CurvePoint>& points) {
    std::int32_t x[kToneCurvePoints] = {}, y[kToneCurvePoints] = {};
    for (std::size_t i = 0; i < points.size() && i < kToneCurvePoints; ++i) {
        x[i] = points[i].x;
        y[i] = points[i].y;
    }
    const auto count = static_cast<std::int32_t>(points.size());
    auto* base = reinterpret_cast<unsigned char*>(&record);
    const auto at = [&](std::size_t first, std::size_t second2, std::size_t bytes) {
        return base + (second ? second2 : first) + static_cast<std::size_t>(row) * bytes;
    };
    std::memcpy(at(offsetof(CoreCommonInfoTbl, curvePointCount),
                   offsetof(CoreCommonInfoTbl, curve2PointCount), sizeof count),
                &count, sizeof count);
    std::memcpy(
        at(offsetof(CoreCommonInfoTbl, curveX), offsetof(CoreCommonInfoTbl, curve2X), sizeof x), x,
        sizeof x);
    std::memcpy(
        at(offsetof(CoreCommonInfoTbl, curveY), offsetof(CoreCommonInfoTbl, curve2Y), sizeof y), y,
        sizeof y);
}

/// Copies of the two records on a page that cannot be written: any write to them ends the test
/// program.
class ReadOnlyRecords {
  public:
    explicit ReadOnlyRecords(const PreviewRecords& records) {
        size_ = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        static_assert(sizeof(CoreCommonInfoTbl) + sizeof(CommonInfoTable) < 4096);
        page_ = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        auto* record = static_cast<CoreCommonInfoTbl*>(page_);
        auto* host = reinterpret_cast<CommonInfoTable*>(static_cast<char*>(page_) +
                                                        sizeof(CoreCommonInfoTbl));
        std::memcpy(static_cast<void*>(record), &records.record, sizeof *record);
        std::memcpy(static_cast<void*>(host), &records.host, sizeof *host);
        record->commonInfo = host;
        ::mprotect(page_, size_, PROT_READ);
        record_ = record;
    }
    ~ReadOnlyRecords() { ::munmap(page_, size_); }
    ReadOnlyRecords(const ReadOnlyRecords&) = delete;
    ReadOnlyRecords& operator=(const ReadOnlyRecords&) = delete;

    const CoreCommonInfoTbl* record() const { return record_; }

  private:
    void* page_ = nullptr;
    std::size_t size_ = 0;
    const CoreCommonInfoTbl* record_ = nullptr;
};

/// One call's pixels: the source and a destination of width x 1 RGB pixels.
struct Pixels {
    Pixels(std::vector<std::uint8_t> in, int samples)
        : source(std::move(in)), destination(source.size() / samples * 3, 0) {
        data.source = source.data();
        data.destination = destination.data();
        data.width = static_cast<std::uint32_t>(source.size() / samples);
        data.height = 1;
        data.destinationSize = static_cast<std::uint32_t>(destination.size());
    }
    std::vector<std::uint8_t> source;
    std::vector<std::uint8_t> destination;
    ColorDataRec data{};
};

/// One stage of a chain: the profiles, the intents (0 perceptual, 1 relative, 2 saturation,
/// 3 absolute) and an optional proof profile of a proofing stage.
struct Stage {
    fs::path from;
    fs::path to;
    int intent = 1;
    std::optional<fs::path> proof = std::nullopt;
    int proofIntent = 1;
};

inline int samplesOfProfile(const fs::path& path) {
    const std::shared_ptr<color::Profile> profile = color::Profile::openPath(path);
    const color::Signature space = profile != nullptr ? profile->colorSpace() : 0;
    return space == color::kSpaceCmyk ? 4 : (space == color::kSpaceGrey ? 1 : 3);
}

/// transicc through the stages in turn, with the samples between stages as they come (the
/// preview keeps 16 bits there), rounded to 8 bits at the end; empty when a stage fails.
inline std::vector<int> chainOracle(const std::vector<Stage>& stages,
                                    const std::vector<int>& input) {
    std::vector<double> samples(input.begin(), input.end());
    for (const Stage& stage : stages) {
        const int in = samplesOfProfile(stage.from);
        const int out = samplesOfProfile(stage.to);
        std::vector<double> results = color_test::transiccResults(
            {stage.from, stage.to, stage.intent, stage.proof, stage.proofIntent}, samples, in, out);
        if (results.size() != samples.size() / in * out) {
            return {};
        }
        // Samples stay inside their range between steps, as 16-bit ones do.
        for (double& value : results) {
            value = std::clamp(value, 0.0, 255.0);
        }
        samples = std::move(results);
    }
    std::vector<int> rounded;
    for (const double value : samples) {
        rounded.push_back(static_cast<int>(std::lround(value)));
    }
    return rounded;
}

/// Every sample within `tolerance` of the oracle's.
inline void expectNear(const std::vector<std::uint8_t>& actual, const std::vector<int>& expected,
                       int tolerance, const std::string& label) {
    ASSERT_EQ(actual.size(), expected.size()) << label;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << label << ", sample " << i;
    }
}

}  // namespace previewtest
