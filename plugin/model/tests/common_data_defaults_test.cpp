// The settings model's defaults, the setters that derive what they store, the default layout
// positions, the save-data name, the medium check and the lifecycle of what the model owns.
#include <gtest/gtest.h>

#include <string>

#include "hundredths.h"
#include "loaders/media_db_loader.h"
#include "model_test_support.h"
#include "paper/paper_size.h"

namespace {

using modeltest::Model;

class ModelDefaults : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(env_.ready()); }
    modeltest::ModelEnvironment env_;
};

void expectIdentityCurves(const ToneCurveValues& curves) {
    EXPECT_EQ(curves.channel, 0);
    for (int channel = 0; channel < kModelCurveChannels; ++channel) {
        SCOPED_TRACE(channel);
        EXPECT_EQ(curves.pointCount[channel], 2);
        EXPECT_EQ(curves.x[channel][0], 0);
        EXPECT_EQ(curves.y[channel][0], 0);
        EXPECT_EQ(curves.x[channel][1], 255);
        EXPECT_EQ(curves.y[channel][1], 255);
        EXPECT_EQ(curves.selectedPoint[channel], 0);
    }
}

TEST_F(ModelDefaults, EveryShippedModelStartsFromTheSameDefaults) {
    for (const auto& shipped : modeltest::kShippedModels) {
        SCOPED_TRACE(shipped.name);
        const auto model = modeltest::modelFor(shipped, env_);
        ASSERT_NE(model->getMediaData(), nullptr);
        EXPECT_EQ(model->getCallApplicationType(), 1);
        EXPECT_FALSE(model->getCallVPX());
        EXPECT_EQ(model->unit(), 2);
        EXPECT_EQ(model->defaultUnit(), 2);
        EXPECT_EQ(model->selectTab(), 1);
        EXPECT_EQ(model->previewSelect(), 2);
        EXPECT_EQ(Model().current_inksys(), 2);
        EXPECT_EQ(model->optimize(), 4);
        EXPECT_EQ(model->paperSource(), 512);
        EXPECT_EQ(model->printLayoutTop(), 300);
        EXPECT_EQ(model->printLayoutLeft(), 300);
        EXPECT_EQ(model->printMode(), 1);
        EXPECT_EQ(model->inputResolution(), 1);
        EXPECT_EQ(model->ht(), 1);
        EXPECT_EQ(model->colorMode(), 1);
        EXPECT_EQ(model->getMagnification(), 100.0);
        EXPECT_EQ(model->copies(), 1);
        // The roll width and the paper come from the model-information bundle's tables.
        EXPECT_EQ(model->rollPaperWidthID(), 106);
        EXPECT_EQ(model->rollPaperWidth(), 6096);
        EXPECT_EQ(model->getRollPaperWidthName(), "24 in (610 mm)");
        EXPECT_EQ(model->paperSizeID(), 2);
        EXPECT_EQ(model->getPaperSizeName(), "A4");
        std::int32_t width = 0;
        std::int32_t height = 0;
        model->getPaperSize(&width, &height);
        EXPECT_EQ(width, 2100);
        EXPECT_EQ(height, 2970);

        ColorAdjustValues colors;
        model->getColorAdjustValues(&colors);
        ColorAdjustValues expected;
        expected.gamma = 18;
        expected.grayPreset = 2;
        expected.grayGradation = 2;
        EXPECT_EQ(colors, expected);
        EXPECT_EQ(model->saveDataName(), "sample_test");
        EXPECT_EQ(model->captionComment(), "Default comment");
        EnvironmentValues environment;
        model->getEnvironmentAllValues(&environment);
        EXPECT_EQ(environment.expandMethod, 1);
        EXPECT_EQ(environment.boxNumber, 1);
        MediaDetailValues detail;
        model->getMadiaDetailAllValues(&detail);
        EXPECT_EQ(detail, (MediaDetailValues{1, 1, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 1}));
        ICCOptionValues icc;
        model->getICCOptionAllValues(&icc);
        EXPECT_EQ(icc, (ICCOptionValues{2, 0, 0, 0}));
        RollOptionValues roll;
        model->getRollOptionAllValues(&roll);
        EXPECT_EQ(roll, (RollOptionValues{1, 0}));
        ToneCurveValues curves;
        model->getToneCurveAllValues(&curves);
        expectIdentityCurves(curves);
        PatternUISettings pattern;
        model->getPatternUISettingsColor(&pattern);
        EXPECT_EQ(pattern, PatternUISettings{});
    }
}

TEST_F(ModelDefaults, WithoutTheBundleThePaperAndRollWidthStayEmpty) {
    testsupport::ScopedVariable noShell("TMPDIR", env_.folder().c_str());  // no identifier file
    Model model;
    EXPECT_EQ(model.paperSizeID(), 0);
    EXPECT_EQ(model.getPaperSizeName(), std::nullopt);
    EXPECT_EQ(model.rollPaperWidthID(), 106);
    EXPECT_EQ(model.rollPaperWidth(), 0);
    EXPECT_EQ(model.getDefaultMediumID(), 0);  // and no database either
    EXPECT_FALSE(model.createPrintModeTbl());
}

TEST(ModelSetters, MagnificationKeepsWholeHundredths) {
    struct Case {
        double given;
        double stored;
        std::int32_t saved;  // × 100, as the settings file keeps it
    };
    const Case cases[] = {
        {123.456, 123.45, 12345}, {99.999, 99.99, 9999}, {16.4, 16.4, 1640},
        {0.29, 0.29, 29},         {100.0, 100.0, 10000}, {57.0, 57.0, 5700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        Model model;
        model.setMagnification(c.given);
        EXPECT_DOUBLE_EQ(model.getMagnification(), c.stored);
        EXPECT_EQ(wholeHundredths(model.getMagnification()), c.saved);
        EXPECT_EQ(wholeHundredths(c.given), c.saved);
    }
}

TEST(ModelSetters, PrintModeKeepsTheLowSixteenBits) {
    Model model;
    model.setPrintMode(0x10010);
    EXPECT_EQ(model.printMode(), 16);
    model.setPrintMode(0xFFFF);
    EXPECT_EQ(model.printMode(), 0xFFFF);
}

TEST(ModelSetters, SaveDataNameMustConvertAndMayBeLong) {
    Model model;
    const std::string forty(40, 'n');
    model.setSaveDataName(forty);
    EXPECT_EQ(model.saveDataName(), forty);
    model.setSaveDataName(std::string());
    EXPECT_EQ(model.saveDataName(), std::nullopt);
    model.setSaveDataName("Print 1");
    EXPECT_EQ(model.saveDataName(), "Print 1");
    model.setSaveDataName(std::nullopt);
    EXPECT_EQ(model.saveDataName(), std::nullopt);
}

TEST(ModelSetters, OutputPaperAndCaptionCommentCopyOrClear) {
    Model model;
    model.setOutputPaper(30002, "Poster", 5000, 7000);
    EXPECT_EQ(model.paperSizeID(), 30002);
    EXPECT_EQ(model.getPaperSizeName(), "Poster");
    model.setOutputPaper(30003, std::nullopt, 1, 2);
    EXPECT_EQ(model.getPaperSizeName(), std::nullopt);
    model.setCaptionComment(std::nullopt);
    CaptionValues captions;
    model.getCaptionAllValues(&captions);
    EXPECT_EQ(captions.comment, std::nullopt);
}

// The caption rule of the default top position: the margin of the paper source (3 mm on the
// SL-5170), plus 10 mm when a caption will be printed above the image.
TEST_F(ModelDefaults, DefaultTopPositionLeavesRoomForACaptionAbove) {
    const modeltest::ShippedModel& shipped = modeltest::kShippedModels[2];
    const auto model = modeltest::modelFor(shipped, env_);
    std::uint32_t top = 0, left = 0, bottom = 0, right = 0;
    GetPrinterMarginSize(model->getPrinterID(), model->paperSource(), &top, &left, &bottom, &right);
    ASSERT_EQ(top, 30u);
    model->setCaption(1);
    model->setInfoPosition(1);
    model->setJobComment(1);  // "Default comment"
    model->setDefaultTopPositionValue();
    EXPECT_EQ(model->printLayoutTop(), 1300);

    struct Variation {
        const char* what;
        void (*apply)(Model&);
    };
    const Variation emptyCaption[] = {
        {"no item has text", [](Model& m) { m.setCaptionComment(std::string()); }},
        {"caption off", [](Model& m) { m.setCaption(0); }},
        {"caption below", [](Model& m) { m.setInfoPosition(2); }},
        {"borderless", [](Model& m) { m.setNoFrame(1); }},
        {"enlarged to fit",
         [](Model& m) {
             m.setExpansionReduction(1);
             m.setFitType(1);
         }},
    };
    for (const Variation& v : emptyCaption) {
        SCOPED_TRACE(v.what);
        const auto varied = modeltest::modelFor(shipped, env_);
        varied->setCaption(1);
        varied->setInfoPosition(1);
        varied->setJobComment(1);
        v.apply(*varied);
        varied->setDefaultTopPositionValue();
        EXPECT_EQ(varied->printLayoutTop(), 300);
    }
    // Enlarged to a size of its own still leaves the room.
    model->setExpansionReduction(1);
    model->setFitType(2);
    model->setDefaultTopPositionValue();
    EXPECT_EQ(model->printLayoutTop(), 1300);
    model->setDefaultLeftPositionValue();
    EXPECT_EQ(model->printLayoutLeft(), static_cast<std::int32_t>(left) * 10);
}

TEST_F(ModelDefaults, MediumCheckKeepsASupportedMediumElseTakesTheDatabaseDefault) {
    const auto model = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    const std::int16_t first = model->getDefaultMediumID();
    ASSERT_NE(first, 0);
    std::int16_t second = 0;
    ASSERT_NE(Load_mdb3MediumID(model->getMediaData(), 2, &second), 0);

    model->validateMedia(env_.strings(), second, std::nullopt);
    EXPECT_EQ(model->mediumID(), second);
    model->validateMedia(env_.strings(), 0, std::string("Anything"));
    EXPECT_EQ(model->mediumID(), first);
    ASSERT_TRUE(model->mediumName().has_value());
    EXPECT_FALSE(model->mediumName()->empty());
    model->validateMedia(env_.strings(), 32000, std::nullopt);  // not in the database
    EXPECT_EQ(model->mediumID(), first);
}

TEST_F(ModelDefaults, MirrorFollowsWhatTheMediumAllows) {
    const auto model = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    std::optional<std::int16_t> allowing;
    std::optional<std::int16_t> refusing;
    for (std::int16_t index = 1; index <= Load_mdb3MediumCount(model->getMediaData()); ++index) {
        std::int16_t medium = 0;
        std::uint32_t hint = 0;
        Load_mdb3MediumID(model->getMediaData(), index, &medium);
        Load_mdb3MediumHint(model->getMediaData(), medium, &hint);
        ((hint & 0x40) != 0 ? allowing : refusing) = medium;
    }
    ASSERT_TRUE(allowing && refusing) << "the database needs media of both kinds";
    model->setMediumID(*allowing);
    model->setMirror(0);
    EXPECT_EQ(model->checkMirrorAlert(), 1);
    model->setMirror(1);
    EXPECT_EQ(model->checkMirrorAlert(), 0);
    EXPECT_EQ(model->mirror(), 1);
    model->setMediumID(*refusing);
    EXPECT_EQ(model->checkMirrorAlert(), 0);
    EXPECT_EQ(model->mirror(), 0);
}

TEST_F(ModelDefaults, ThePrintModeTableIsMadeAnewAndTheDatabaseReplaced) {
    const auto model = modeltest::modelFor(modeltest::kShippedModels[2], env_);
    ASSERT_NE(model->getPrintModeTblHdl(), nullptr);
    EXPECT_GT(PrintModeEntryCount(model->getPrintModeTblHdl()), 0);
    EXPECT_TRUE(model->createPrintModeTbl());
    model->openMdbDB(std::string("MDB_SL7000.mdb"));
    EXPECT_NE(model->getMediaData(), nullptr);
    model->openMdbDB(std::nullopt);  // no name: the open database stays
    EXPECT_NE(model->getMediaData(), nullptr);
    model->closeMdbDB();
    EXPECT_EQ(model->getMediaData(), nullptr);
    EXPECT_FALSE(model->createPrintModeTbl());
    EXPECT_EQ(model->getPrintModeTblHdl(), nullptr);
}

TEST_F(ModelDefaults, CustomPapersComeFromAndGoBackToTheUsersFile) {
    Model model;
    model.createCustomPaper();
    ASSERT_NE(model.getCustomPaper(), nullptr);
    KMenu::AddMenuData(model.getCustomPaper(), "Poster", 30001, 5000, 7000, 1);
    model.saveAndCloseCustomPaper();
    EXPECT_EQ(model.getCustomPaper(), nullptr);

    Model again;
    again.createCustomPaper();
    const char* name = nullptr;
    std::int32_t id = 0, width = 0, height = 0;
    bool enabled = false;
    ASSERT_EQ(KMenu::GetMenuData(again.getCustomPaper(), &name, &id, &width, &height, &enabled, 1),
              0);
    EXPECT_STREQ(name, "Poster");
    EXPECT_EQ(id, 30001);
    EXPECT_EQ(width, 5000);
    EXPECT_EQ(height, 7000);
}

}  // namespace
