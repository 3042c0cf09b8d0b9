// The host stand-in's job record: the settings model fills it for each shipped model with the
// command line's choices applied, and the default medium is the first roll medium among all of a
// database's media.
#include "job_record.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cf/value.h"
#include "host_shell.h"
#include "loaders/media_db_loader.h"
#include "media_db_root.h"
#include "mediadb/media_db.h"
#include "model_test_support.h"

namespace {

using host::JobChoices;
using host::JobRecord;

constexpr std::int32_t kMonochromePhotoChoice = 2;
constexpr std::int32_t kMonochromePhotoCode = 3;
constexpr std::int32_t kMonochromeCurveChannel = 4;
constexpr std::int32_t kCentreLayoutCode = 2;
constexpr std::int32_t kFitToSize = 2;
constexpr std::uint16_t kInkFilterMode = 2;

host::Image smallImage() {
    host::Image image;
    image.width = 8;
    image.height = 4;
    image.channels = 3;
    image.bits = 8;
    image.resolutionX = 300;
    image.resolutionY = 300;
    image.samples.assign(std::size_t{8} * 4 * 3, 128);
    return image;
}

std::string text(const cf::Value* value) {
    return value != nullptr && value->string() != nullptr ? *value->string() : std::string();
}

class HostJobRecord : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(env_.ready());
        std::string error;
        shell_ =
            host::HostShell::create(smallImage(), host::HostType::ImageEditor, "small.png", &error);
        ASSERT_NE(shell_, nullptr) << error;
    }

    std::unique_ptr<JobRecord> fill(const JobChoices& choices, std::string* error) {
        return JobRecord::fill(choices, shell_->table(), error);
    }

    modeltest::ModelEnvironment env_;
    std::unique_ptr<host::HostShell> shell_;
};

// Each shipped model's defaults give a printable record: the first roll medium (which the
// model's database shows under the photo ink system) at a quality its print-mode table has, the
// medium's printer profile, and the model's media database and host record linked in.
TEST_F(HostJobRecord, TheModelFillsAPrintableRecordForEachShippedModel) {
    struct Case {
        const char* model;
        std::int16_t medium;
        const char* profile;
    };
    const Case cases[] = {
        {"SL-7440", 101, "SL7K_PLAIN.icc"},
        {"SL-2400", 101, "SL7K_PLAIN.icc"},
        {"SL-5170", 201, "SL5K_POP.icc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        JobChoices choices;
        choices.model = c.model;
        choices.printerAddress = "127.0.0.5";
        std::string error;
        const auto job = fill(choices, &error);
        ASSERT_NE(job, nullptr) << error;
        CoreCommonInfoTbl& r = *job->record();
        EXPECT_EQ(job->mediumID(), c.medium);
        EXPECT_EQ(+r.mediumID, c.medium);
        EXPECT_EQ(job->printerProfile(), c.profile);
        EXPECT_NE(+r.method, 0);
        EXPECT_NE(+r.resolution, 0);
        // The record is byte-packed: its pointers are read by value.
        const void* mediaData = r.mediaData;
        const CommonInfoTable* commonInfo = r.commonInfo;
        EXPECT_NE(mediaData, nullptr);
        EXPECT_EQ(commonInfo, shell_->table());
        EXPECT_EQ(std::string(r.printerPopUpName), std::string(c.model) + " 127.0.0.5");
        EXPECT_EQ(text(r.printerShortNameString), c.model);
        EXPECT_EQ(+r.patternPrint, 0);
    }
}

// The command line's choices reach the record through the model's setters and codes.
TEST_F(HostJobRecord, TheCommandLineChoicesReachTheRecord) {
    JobChoices choices;
    choices.medium = 102;
    choices.copies = 3;
    choices.magnification = 150.25;
    choices.layout = 1;
    choices.colorMode = kMonochromePhotoChoice;
    choices.mirror = true;
    choices.turned = true;
    choices.background = true;
    choices.inputResolution = 1;
    choices.caption = "Proof for the client";
    std::string error;
    const auto job = fill(choices, &error);
    ASSERT_NE(job, nullptr) << error;
    CoreCommonInfoTbl& r = *job->record();
    EXPECT_EQ(+r.mediumID, 102);
    EXPECT_EQ(+r.inputResolution, 1);
    EXPECT_EQ(+r.copies, 3);
    EXPECT_EQ(+r.expansionReduction, 1);
    EXPECT_EQ(+r.fitType, kFitToSize);
    EXPECT_DOUBLE_EQ(+r.magnification, 150.25);
    EXPECT_EQ(+r.printLayout, kCentreLayoutCode);
    EXPECT_EQ(+r.colorMode, kMonochromePhotoCode);
    EXPECT_EQ(+r.monochromeMarker, kMonochromeCurveChannel);
    EXPECT_EQ(+r.mirror, 1);
    EXPECT_EQ(+r.printDirection, 1);
    EXPECT_EQ(+r.backgroundPrint, 1);
    EXPECT_EQ(+r.caption, 1);
    EXPECT_EQ(text(r.captionText), "Proof for the client  ") << "the text alone";
}

TEST_F(HostJobRecord, RefusesAnUnknownModelOrAMediumWithoutPrintMode) {
    struct Case {
        const char* model;
        std::int16_t medium;
        const char* reason;
    };
    const Case cases[] = {
        {"SL-0000", 101, "does not know the model"},
        {"SL-7440", 999, "has no print mode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        JobChoices choices;
        choices.model = c.model;
        choices.medium = c.medium;
        std::string error;
        EXPECT_EQ(fill(choices, &error), nullptr);
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

// Media are counted from 1: a database whose only roll medium is its last one (here its only
// one) still has it found.
TEST(FirstRollMedium, LooksAtEveryMediumOfTheDatabase) {
    struct Case {
        const char* database;
        std::uint32_t inkSystem;
        std::optional<std::int16_t> medium;
    };
    const Case cases[] = {
        {"MDB_OLD29.mdb", 0, 1},              // one medium, on a roll
        {"MDB_SL7000.mdb", 1, 101},           // the first medium is a roll medium
        {"MDB_SL7000.mdb", 2, 104},           // ink system 2 shows two media, both on rolls
        {"MDB_SL5000.mdb", 2, std::nullopt},  // its one medium of ink system 2 takes no roll
    };
    mediadbtest::MediaDbRoot root;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.database) + " ink " + std::to_string(c.inkSystem));
        std::uint8_t* data = nullptr;
        ASSERT_TRUE(OpenMediaDB2(c.database, &data, c.inkSystem, kInkFilterMode));
        EXPECT_EQ(host::firstRollMedium(data), c.medium);
        CloseMediaDB(&data);
    }
}

}  // namespace
