// The settings model to and from a printer's settings record and its file "ui3.xml": every key
// through a save and a load, the rules that derive values while loading, and the load, default
// and save flows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "loaders/media_db_loader.h"
#include "model_codes.h"
#include "model_test_support.h"
#include "paper/paper_size.h"
#include "printmode/print_mode_query.h"
#include "settings/settings_folders.h"
#include "settings/ui_setting.h"
#include "support/python_oracle.h"

namespace {

namespace fs = std::filesystem;
using modeltest::Model;

// One key of the record: how to give it a value of its own and how to show what it holds.
struct KeyCase {
    std::string key;
    std::function<void(UISave&, std::int32_t)> set;
    std::function<std::string(const UISave&)> show;
};

std::string shown(const UISaveString& text) {
    return text ? "\"" + *text + "\"" : "none";
}

std::string shown(const UISaveCurve& curve, std::int32_t count) {
    std::string text;
    for (std::int32_t i = 0; i < std::clamp(count, 0, kUISaveCurveSlots); ++i) {
        text += std::to_string(curve[static_cast<std::size_t>(i)]) + " ";
    }
    return text;
}

std::vector<KeyCase> everyKey() {
    std::vector<KeyCase> cases;
#define KEY_INT32(name, missing)                                           \
    cases.push_back({#name, [](UISave& r, std::int32_t v) { r.name = v; }, \
                     [](const UISave& r) { return std::to_string(r.name); }});
#define KEY_INT16(name)                                                                        \
    cases.push_back({#name,                                                                    \
                     [](UISave& r, std::int32_t v) { r.name = static_cast<std::int16_t>(v); }, \
                     [](const UISave& r) { return std::to_string(r.name); }});
#define KEY_STRING(name)                                                                        \
    cases.push_back({#name,                                                                     \
                     [](UISave& r, std::int32_t v) { r.name = #name "-" + std::to_string(v); }, \
                     [](const UISave& r) { return shown(r.name); }});
#define KEY_CURVE(name, count)                       \
    cases.push_back({#name,                          \
                     [](UISave& r, std::int32_t v) { \
                         r.count = 2;                \
                         r.name[0] = v;              \
                         r.name[1] = 255 - v;        \
                     },                              \
                     [](const UISave& r) { return shown(r.name, r.count); }});
    UISAVE_FIELDS(KEY_INT32, KEY_INT16, KEY_STRING, KEY_CURVE)
#undef KEY_INT32
#undef KEY_INT16
#undef KEY_STRING
#undef KEY_CURVE
    return cases;
}

class SettingsRecord : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(env_.ready()); }

    std::unique_ptr<Model> model() const {
        return modeltest::modelFor(modeltest::kShippedModels[0], env_);
    }

    // A record the model keeps whole: its own colour profile, a custom paper and a medium.
    UISave baseRecord() const {
        UISave record;
        model()->convertToUISave(&record);
        record.ColorMode = 4;
        record.PaperSize = 30001;
        record.PaperSizeName = "Banner";
        record.PaperSizeWidth = 3000;
        record.PaperSizeHeight = 9000;
        record.MediaType = 101;
        record.MediaTypeName = "Plain";
        return record;
    }

    // A model of the printer without its media database (and so without the print-mode table,
    // which takes long to make), for the many saves and loads of the key test.
    std::unique_ptr<Model> bareModel() const {
        auto bare = std::make_unique<Model>();
        bare->setPrinterID(modeltest::kShippedModels[0].printerID);
        bare->setPrinterShortName(modeltest::kShippedModels[0].name);
        return bare;
    }

    // The record into a model, saved to "ui3.xml", loaded into a fresh model and read out.
    UISave throughTheFile(const UISave& record) const {
        {
            const auto saving = bareModel();
            saving->convertFromUISave(record);
            saving->saveUISettingFromCommonData();
        }
        const auto loading = bareModel();
        EXPECT_EQ(loading->loadUISettingToCommonData(), 0u);
        UISave out;
        loading->convertToUISave(&out);
        return out;
    }

    fs::path settingsFile(const char* product) const {
        return env_.preferences() / product / modeltest::kShippedModels[0].name / "ui3.xml";
    }

    modeltest::ModelEnvironment env_;
};

TEST_F(SettingsRecord, EveryKeyComesBackThroughTheFileOrAsSpecified) {
    // What a key that the model does not keep comes back as: not written keys as the record's
    // zero, keys not read back as the value the loading model had.
    const std::map<std::string, std::string> notKept = {
        {"UISaveVersion", "0"},
        {"ConvertOldVersion", "0"},
        {"Enlarged_ReducedPrinting_VPX", "0"},
        {"Enlarged_ReducedMethod_VPX", "0"},
        {"Curves_SelChannel", "0"},
        {"Curves_RGB_SelPoint", "0"},
        {"Curves_R_SelPoint", "0"},
        {"Curves_G_SelPoint", "0"},
        {"Curves_B_SelPoint", "0"},
        {"Curves_Gray_SelPoint", "0"},
        {"NameOfDataToBeSaved", "\"sample_test\""},
        {"Gamma", "18"},
    };
    const UISave base = baseRecord();
    std::int32_t value = 2;
    for (const KeyCase& c : everyKey()) {
        SCOPED_TRACE(c.key);
        UISave record = base;
        // A value of its own for each key; a paper of its own must be a custom one, and a
        // curve holds at most 16 points.
        std::int32_t own = value;
        if (c.key == "PaperSize") {
            own = 30000 + value;
        } else if (c.key.ends_with("_PointNum")) {
            own = 3 + value % 10;
        }
        c.set(record, own);
        ++value;
        const UISave out = throughTheFile(record);
        const auto special = notKept.find(c.key);
        EXPECT_EQ(c.show(out), special != notKept.end() ? special->second : c.show(record));
    }
}

TEST_F(SettingsRecord, TheFileIsReadableByAnIndependentReader) {
    UISave record = baseRecord();
    record.ScalingValue = 9999;
    record.CommentDetails = "Proof for the client";
    record.Curves_G_PointNum = 3;
    record.Curves_G_X = {0, 100, 255};
    record.Curves_G_Y = {0, 140, 255};
    throughTheFile(record);
    EXPECT_EQ(testsupport::runPython(MODEL_ORACLE,
                                     {"settings", settingsFile(kProductFolderStratoline).string()}),
              0);
}

TEST_F(SettingsRecord, MagnificationIsSavedInWholeHundredths) {
    const auto m = model();
    UISave record = baseRecord();
    record.ScalingValue = 12345;
    m->convertFromUISave(record);
    EXPECT_DOUBLE_EQ(m->getMagnification(), 123.45);
    m->setMagnification(99.999);
    m->convertToUISave(&record);
    EXPECT_EQ(record.ScalingValue, 9999);
    m->setMagnification(16.4);
    m->convertToUISave(&record);
    EXPECT_EQ(record.ScalingValue, 1640);
}

TEST_F(SettingsRecord, ThePaperComesFromTheBundleOrTheCustomPapers) {
    const auto m = model();
    UISave record = baseRecord();
    struct Case {
        std::int32_t paperSize;
        bool withName;
        std::int32_t expectedID;
        std::optional<std::string> expectedName;
        std::int32_t expectedWidth;
    };
    m->createCustomPaper();
    KMenu::AddMenuData(m->getCustomPaper(), "Listed", 30005, 4000, 5000, 1);
    const Case cases[] = {
        {0, false, 2, "A4", 2100},              // none: paper size 2
        {2, true, 2, "A4", 2100},               // the bundle's name and size win
        {30002, true, 30002, "Banner", 3000},   // custom with its name
        {30005, false, 30005, "Listed", 4000},  // custom from the user's list
        {30009, false, 30005, "Listed", 4000},  // neither: the paper stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paperSize);
        record.PaperSize = c.paperSize;
        record.PaperSizeName = c.withName ? std::optional<std::string>("Banner") : std::nullopt;
        m->convertFromUISavePageSetup(record);
        EXPECT_EQ(m->paperSizeID(), c.expectedID);
        EXPECT_EQ(m->getPaperSizeName(), c.expectedName);
        std::int32_t width = 0;
        std::int32_t height = 0;
        m->getPaperSize(&width, &height);
        EXPECT_EQ(width, c.expectedWidth);
    }
}

TEST_F(SettingsRecord, APaperSourceOfZeroIsTheMediumsOwn) {
    UISave record = baseRecord();
    record.PaperSource = 0;
    const auto m = model();
    m->setMediumID(111);  // a medium of the roll only (source 512)
    m->convertFromUISavePageSetup(record);
    EXPECT_EQ(m->paperSource(), Load_mdb3PaperSource(m->getMediaData(), 111, 0));
    m->closeMdbDB();
    m->setPaperSource(16);
    m->convertFromUISavePageSetup(record);
    EXPECT_EQ(m->paperSource(), 512);
}

TEST_F(SettingsRecord, OldRecordsCountTheRollWidthInTheSupportedList) {
    // SL-7440: widths 122, 103, 106, 107, 110, 118, 119; default 119.
    struct Case {
        std::int32_t convertOld;
        std::int32_t rollPaperWidth;
        std::int32_t expectedID;
    };
    const Case cases[] = {
        {1, 3, 106}, {1, 1, 122}, {1, 0, 119}, {1, 8, 119}, {0, 110, 110}, {0, 0, 119},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.convertOld << "/" << c.rollPaperWidth);
        const auto m = model();
        UISave record = baseRecord();
        record.ConvertOldVersion = c.convertOld;
        record.RollPaperWidth = c.rollPaperWidth;
        m->convertFromUISave(record);
        EXPECT_EQ(m->rollPaperWidthID(), c.expectedID);
        EXPECT_EQ(m->rollPaperWidth(), GetQDXAMediaWidthValue(c.expectedID));
    }
}

TEST_F(SettingsRecord, TheMediumOfARecordWithoutOneIsTheDatabasesFirst) {
    const auto m = model();
    UISave record = baseRecord();
    record.MediaType = 0;
    record.MediaTypeName = "Ignored";
    m->convertFromUISave(record);
    EXPECT_EQ(m->mediumID(), m->getDefaultMediumID());
    ASSERT_TRUE(m->mediumName().has_value());
    EXPECT_NE(m->mediumName(), "Ignored");

    // A medium without a name gets that medium's own name, not the default medium's.
    record.MediaType = 105;
    record.MediaTypeName.reset();
    m->convertFromUISave(record);
    EXPECT_EQ(m->mediumID(), 105);
    ASSERT_TRUE(m->mediumName().has_value());
    const auto nameOf = [&](std::int16_t medium) {
        record.MediaType = medium;
        m->convertFromUISave(record);
        return m->mediumName();
    };
    EXPECT_NE(nameOf(105), nameOf(m->getDefaultMediumID()));
}

TEST_F(SettingsRecord, TheQualityOfTheRecordSetsMethodResolutionAndHalftone) {
    const auto m = model();
    UISave record = baseRecord();
    record.MediaType = 102;
    record.InputResolution = 1;
    record.InputBit = 0;
    record.PrintMode = 0x10000 | 2;  // only the low 16 bits count
    std::int16_t method = 0, resolution = 0, halftone = 0;
    ASSERT_TRUE(GetPrintMethodResIDHT(m->getMediaData(), m->getPrintModeTblHdl(), 102, 1, 0, 2,
                                      &method, &resolution, &halftone));
    m->setMethodResolutionHT(0, 0, 0);
    m->convertFromUISave(record);
    EXPECT_EQ(m->printMode(), 2);
    EXPECT_EQ(m->method(), method);
    EXPECT_EQ(m->resolution(), resolution);
    EXPECT_EQ(m->ht(), halftone);
}

TEST_F(SettingsRecord, CurvePointCountsFromAFileStayWithinTheSlots) {
    const auto m = model();
    UISave record = baseRecord();
    record.Curves_B_PointNum = 40;
    record.Curves_R_PointNum = -3;
    m->convertFromUISave(record);
    ToneCurveValues curves;
    m->getToneCurveAllValues(&curves);
    EXPECT_EQ(curves.pointCount[3], 16);
    EXPECT_EQ(curves.pointCount[1], 0);
    // A model given too many points saves no more than the slots hold.
    curves.pointCount[2] = 99;
    m->setToneCurveAllValues(curves);
    m->convertToUISave(&record);
    EXPECT_EQ(record.Curves_G_PointNum, 16);
}

TEST_F(SettingsRecord, NoSettingsFileGivesTheModelsDefaults) {
    const auto m = model();
    ASSERT_EQ(m->loadUISettingToCommonData(), 0u);
    const UISavePtr defaults(GetUIDefault(modeltest::kShippedModels[0].printerID));
    ASSERT_NE(defaults, nullptr);
    EXPECT_EQ(m->mediumID(), defaults->MediaType);
    EXPECT_EQ(m->rollPaperWidthID(), defaults->RollPaperWidth);
    EXPECT_EQ(m->paperSizeID(), defaults->PaperSize);
    EXPECT_EQ(m->convertEngine(), 1);  // no host colour engine here
    EXPECT_EQ(m->blackCorect(), 0);
    EXPECT_EQ(m->getGamma(), 18);  // the gamma is never read from a record
}

TEST_F(SettingsRecord, ThePhotoApplicationsDefaultsTakeItsEnlargementAndTheHostEngine) {
    const UISavePtr defaults(GetUIDefault(modeltest::kShippedModels[0].printerID));
    ASSERT_NE(defaults, nullptr);
    const auto m = model();
    m->setCallApplicationType(2);
    m->setAdobeCMMInstalled(1);
    // The host engine's preference file says no black-point compensation.
    fs::create_directories(env_.preferences());
    std::ofstream(env_.preferences() / "com.adobe.AdobeCMM.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
           "<key>BlackPointCompensation</key><false/></dict></plist>";
    ASSERT_EQ(m->loadUIDefaultToCommonData(), 0u);
    EXPECT_EQ(m->expansionReduction(), defaults->Enlarged_ReducedPrinting_VPX);
    EXPECT_EQ(m->fitType(), defaults->Enlarged_ReducedMethod_VPX);
    EXPECT_EQ(m->convertEngine(), 2);
    EXPECT_EQ(m->blackCorect(), 0);

    std::ofstream(env_.preferences() / "com.adobe.AdobeCMM.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
           "<key>BlackPointCompensation</key><true/></dict></plist>";
    ASSERT_EQ(m->loadUIDefaultToCommonData(), 0u);
    EXPECT_EQ(m->blackCorect(), 1);
}

TEST_F(SettingsRecord, EachHostKeepsItsOwnFile) {
    const auto editor = model();
    editor->setCopies(3);
    editor->saveUISettingFromCommonData();
    const auto photo = model();
    photo->setCallApplicationType(2);
    photo->setCopies(5);
    photo->saveUISettingFromCommonData();
    EXPECT_TRUE(fs::exists(settingsFile(kProductFolderStratoline)));
    EXPECT_TRUE(fs::exists(settingsFile(kProductFolderVPX)));

    const auto loaded = model();
    loaded->setCallApplicationType(2);
    ASSERT_EQ(loaded->loadUISettingToCommonData(), 0u);
    EXPECT_EQ(loaded->copies(), 5);
}

TEST_F(SettingsRecord, APrinterWithoutDefaultsKeepsTheModelsOwnValues) {
    Model m;
    m.setPrinterID(4242);
    m.setPrinterShortName("SL-Unknown");
    m.setCopies(7);
    EXPECT_EQ(m.loadUISettingToCommonData(), kPlgFileNotFound);
    EXPECT_EQ(m.loadUIDefaultToCommonData(), kPlgFileNotFound);
    EXPECT_EQ(m.copies(), 7);
}

TEST_F(SettingsRecord, ACommentOfNoneClearsTheModelsComment) {
    const auto m = model();
    UISave record = baseRecord();
    record.CommentDetails.reset();
    m->convertFromUISave(record);
    EXPECT_EQ(m->captionComment(), std::nullopt);
}

}  // namespace
