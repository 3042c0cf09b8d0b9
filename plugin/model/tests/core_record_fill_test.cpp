// The core job record filled from the settings model: every shipped model's record read back by
// an independent reader of the record's layout (Python's struct) against the model's values and
// the model-information bundle's tables; the mapped codes; the strings the record owns; the
// names that do not fit; and a model without print-common values.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <vector>

#include "cf/property_list.h"
#include "model_codes.h"
#include "model_test_support.h"
#include "printer/printer_function.h"
#include "support/python_oracle.h"

namespace {

namespace fs = std::filesystem;
using modeltest::Model;

// The model's values as the record's reader needs them to work out what each field must hold.
cf::Value modelValues(const Model& m, const CommonInfoTable& host) {
    cf::Value values = cf::Value::emptyDictionary();
    const auto put = [&](const char* key, std::int32_t value) { values.set(key, value); };
    put("selectTab", m.selectTab());
    put("previewSelect", m.previewSelect());
    put("selRangePrint", m.selRangePrint());
    put("previewProof", m.previewProof());
    put("previewProofEnable", m.previewProofEnable());
    put("windowZoom", m.windowZoom());
    put("mediumID", m.mediumID());
    put("inputResolution", m.inputResolution());
    put("inputBit", m.inputBit());
    put("printMode", m.printMode());
    put("colorMode", m.colorMode());
    put("proof", m.proof());
    put("proofProfileModelID", m.proofProfileModelID());
    put("matchingMethod", m.matchingMethod());
    put("copies", m.copies());
    put("noFrame", m.noFrame());
    put("expansionReduction", m.expansionReduction());
    put("fitType", m.fitType());
    values.set("magnification", m.getMagnification());
    put("paperSizeID", m.paperSizeID());
    put("printDirection", m.printDirection());
    put("printLayout", m.printLayout());
    put("printLayoutTop", m.printLayoutTop());
    put("printLayoutLeft", m.printLayoutLeft());
    put("paperSource", m.paperSource());
    put("rollLayout", m.rollLayout());
    ColorAdjustValues c;
    m.getColorAdjustValues(&c);
    const std::int32_t colors[] = {c.cr,
                                   c.mg,
                                   c.yb,
                                   c.contrast,
                                   c.gray,
                                   c.saturation,
                                   c.brightness,
                                   c.gamma,
                                   c.grayX,
                                   c.grayY,
                                   c.grayBrightness,
                                   c.grayContrast,
                                   c.grayHighlight,
                                   c.grayShadow,
                                   c.grayPreset,
                                   c.grayGradation,
                                   c.whiteFog};
    cf::Value colorList = cf::Value::emptyArray();
    for (const std::int32_t value : colors) {
        colorList.append(value);
    }
    values.set("colorAdjustValues", colorList);
    put("caption", m.caption());
    put("infoPosition", m.infoPosition());
    put("number", m.number());
    put("imFileName", m.imFileName());
    put("dateTime", m.dateTime());
    put("colorSet", m.colorSet());
    put("printerName", m.printerName());
    put("jobComment", m.jobComment());
    put("pageWaitTime", m.pageWaitTime());
    put("bandWaitTime", m.bandWaitTime());
    put("tipSpace", m.tipSpace());
    put("backendSpace", m.backendSpace());
    put("cutspeed", m.cutspeed());
    put("calibration", m.calibration());
    put("mirror", m.mirror());
    put("forceOneDirection", m.forceOneDirection());
    put("inkImpact", m.inkImpact());
    put("grazeGurd", m.grazeGurd());
    put("sscCapable", Check_SSC_Printer(m.getPrinterID()));
    put("ssc", m.ssc());
    put("sscLevel", m.sscLevel());
    put("paperThick", m.paperThick());
    put("paperSuction", m.paperSuction());
    ICCOptionValues icc;
    m.getICCOptionAllValues(&icc);
    put("convertEngine", icc.convertEngine);
    put("blackCorect", icc.blackCorect);
    put("paperColor", icc.paperColor);
    put("sharpness", m.sharpness());
    put("expandMethod", m.expandMethod());
    put("backgroundPrint", m.backgroundPrint());
    put("printAfterEnd", m.printAfterEnd());
    put("jobOutputMethod", m.jobOutputMethod());
    put("boxNumber", m.boxNumber());
    put("printAlldataReceved", m.printAlldataReceved());
    put("defaultAlertDialog", m.defaultAlertDialog());
    put("rollPaperWidthID", m.rollPaperWidthID());
    put("autoCut", m.autoCut());
    RollOptionValues roll;
    m.getRollOptionAllValues(&roll);
    put("conservePaper", roll.conservePaper);
    ToneCurveValues curves;
    m.getToneCurveAllValues(&curves);
    cf::Value curveList = cf::Value::emptyArray();
    for (int channel = 0; channel < kModelCurveChannels; ++channel) {
        cf::Value points = cf::Value::emptyArray();
        for (int point = 0; point < curves.pointCount[channel]; ++point) {
            cf::Value pair = cf::Value::emptyArray();
            pair.append(curves.x[channel][point]);
            pair.append(curves.y[channel][point]);
            points.append(pair);
        }
        curveList.append(points);
    }
    values.set("curves", curveList);
    put("connectionTypeID", m.getConnectionTypeID());
    values.set("connectionTypeName", m.getConnectionTypeName().value_or(""));
    values.set("popupName", m.getPrinterPopupName().value_or(""));
    values.set("dbName", m.getDBName().value_or(""));
    values.set("shortName", m.getPrinterShortName().value_or(""));
    put("current_inksys", m.current_inksys());
    put("firstSelect", m.firstSelect());
    const auto rect = [](const PlgRect& r) {
        cf::Value list = cf::Value::emptyArray();
        for (const double v : {r.x, r.y, r.width, r.height}) {
            list.append(v);
        }
        return list;
    };
    values.set("clopRect", rect(m.clopRect()));
    values.set("imagePreviewRect", rect(m.imagePreviewRect()));
    put("method", m.method());
    put("resolution", m.resolution());
    put("ht", m.ht());
    std::int32_t width = 0;
    std::int32_t height = 0;
    m.getPaperSize(&width, &height);
    put("paperWidth", width);
    put("paperHeight", height);
    put("sourceKind", host.sourceKind);
    return values;
}

void writeBytes(const fs::path& path, const void* bytes, std::size_t size) {
    std::ofstream(path, std::ios::binary)
        .write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

std::string text(const cf::Value* string) {
    return string != nullptr && string->string() != nullptr ? *string->string() : "(null)";
}

class CoreRecordFill : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(env_.ready()); }

    // A model of the printer with its defaults, then settings that every mapping has to carry.
    std::unique_ptr<Model> variedModel(const modeltest::ShippedModel& shipped) const {
        auto m = modeltest::modelFor(shipped, env_);
        EXPECT_EQ(m->loadUIDefaultToCommonData(), 0u);
        m->setSelectTab(3);
        m->setPreviewSelect(1);
        m->setPreviewProof(1);
        m->setPreviewProofEnable(1);
        m->setMatchingMethod(3);
        m->setColorMode(2);
        m->setProof(1);
        m->setCopies(4);
        m->setMagnification(87.5);
        m->setPrintLayout(2);
        m->setRollLayout(1);
        m->setCR(-5);
        m->setGamma(21);
        m->setGrayPreset(3);
        m->setWhiteFog(7);
        CaptionValues captions;
        captions.caption = 1;
        captions.infoPosition = 2;
        captions.number = 1;
        captions.dateTime = 1;
        captions.jobComment = 1;
        captions.comment = "Proof A";
        m->setCaptionAllValues(captions);
        m->setCalibration(2);
        m->setSsc(1);
        m->setSscLevel(2);
        m->setExpandMethod(2);
        m->setJobOutputMethod(2);
        m->setBoxNumber(12);
        m->setCurrent_inksys(3);
        m->setFirstSelect(1);
        m->setClopRect({1.5, 2.5, 300, 200});
        m->setImagePreviewRect({10, 20, 30, 40});
        ICCOptionValues icc{2, 1, 1, 0};
        m->setICCOptionAllValues(icc);
        ToneCurveValues curves;
        m->getToneCurveAllValues(&curves);
        curves.pointCount[2] = 3;
        curves.x[2][1] = 128;
        curves.y[2][1] = 150;
        curves.x[2][2] = 255;
        curves.y[2][2] = 255;
        m->setToneCurveAllValues(curves);
        return m;
    }

    modeltest::ModelEnvironment env_;
};

TEST_F(CoreRecordFill, EachShippedModelFillsTheRecordAsItsLayoutSays) {
    for (const auto& shipped : modeltest::kShippedModels) {
        SCOPED_TRACE(shipped.name);
        const auto m = variedModel(shipped);
        CommonInfoTable host{};
        host.sourceKind = 3;
        auto record = std::make_unique<CoreCommonInfoTbl>();
        ASSERT_EQ(m->setCoreCommonTable(record.get(), &host), 0u);

        // What a byte dump cannot show: the pointers and the strings the record owns.
        // Copied out first: the packed record's pointers lie at odd offsets.
        CommonInfoTable* const linked = record->commonInfo;
        void* const mediaData = record->mediaData;
        EXPECT_EQ(linked, &host);
        EXPECT_EQ(mediaData, m->getMediaData());
        EXPECT_EQ(text(record->printerShortNameString), shipped.name);
        EXPECT_EQ(text(record->paperSizeName), m->getPaperSizeName().value_or("(null)"));
        EXPECT_EQ(text(record->rollWidthName), m->getRollPaperWidthName().value_or("(null)"));
        EXPECT_EQ(text(record->captionComment), "Proof A");
        EXPECT_EQ(text(record->saveDataName), "sample_test");
        EXPECT_EQ(text(record->captionText), "20240305-001  2024/3/5 14:07  Proof A  ");

        const std::string folder = (env_.folder() / shipped.name).string();
        fs::create_directories(folder);
        writeBytes(fs::path(folder) / "record.bin", record.get(), sizeof *record);
        ASSERT_EQ(cf::writePropertyListFile(fs::path(folder) / "model.plist", modelValues(*m, host),
                                            cf::PropertyListFormat::Xml),
                  cf::PlistStatus::Ok);
        const std::string tables = std::string(SHIPPED_MODEL_TABLES) + "/" + shipped.name;
        EXPECT_EQ(
            testsupport::runPython(MODEL_ORACLE, {"record", folder, SHIPPED_MODEL_TABLES, tables}),
            0);
        m->terminateCoreCommonTable(record.get());
    }
}

TEST_F(CoreRecordFill, MappedFieldsWriteZeroForValuesWithoutACode) {
    const auto m = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    CommonInfoTable host{};
    struct Mapping {
        const char* field;
        std::function<void(Model&, std::int32_t)> set;
        std::function<std::int32_t(const CoreCommonInfoTbl&)> get;
        std::vector<std::pair<std::int32_t, std::int32_t>> codes;  // value -> code
    };
    const Mapping mappings[] = {
        {"previewSelect",
         [](Model& x, std::int32_t v) { x.setPreviewSelect(v); },
         [](const CoreCommonInfoTbl& r) { return r.previewSelect; },
         {{0, 1}, {1, 3}, {2, 4}, {3, 0}, {-1, 0}}},
        {"colorMode",
         [](Model& x, std::int32_t v) { x.setColorMode(v); },
         [](const CoreCommonInfoTbl& r) { return r.colorMode; },
         {{1, 1}, {2, 3}, {3, 2}, {4, 5}, {0, 0}, {5, 0}}},
        {"matchingMethod",
         [](Model& x, std::int32_t v) { x.setMatchingMethod(static_cast<std::int16_t>(v)); },
         [](const CoreCommonInfoTbl& r) { return r.matchingMethod; },
         {{0, 1}, {1, 5}, {2, 2}, {3, 3}, {4, 4}, {5, 0}}},
        {"printLayout",
         [](Model& x, std::int32_t v) { x.setPrintLayout(v); },
         [](const CoreCommonInfoTbl& r) { return r.printLayout; },
         {{0, 1}, {1, 2}, {2, 3}, {3, 0}}},
        {"rollLayout",
         [](Model& x, std::int32_t v) { x.setRollLayout(v); },
         [](const CoreCommonInfoTbl& r) { return r.rollLayout; },
         {{0, 5}, {1, 6}, {2, 0}}},
        {"calibration",
         [](Model& x, std::int32_t v) { x.setCalibration(v); },
         [](const CoreCommonInfoTbl& r) { return r.calibration; },
         {{0, 3}, {1, 0}, {2, 1}, {3, 0}}},
        {"expandMethod",
         [](Model& x, std::int32_t v) { x.setExpandMethod(v); },
         [](const CoreCommonInfoTbl& r) { return r.expandMethod; },
         {{0, 1}, {1, 2}, {2, 5}, {3, 0}}},
        {"jobOutputMethod",
         [](Model& x, std::int32_t v) { x.setJobOutputMethod(v); },
         [](const CoreCommonInfoTbl& r) { return r.jobOutputMethod; },
         {{0, 0}, {1, 1}, {2, 2}, {3, 0}}},
        {"inkSystem",
         [](Model& x, std::int32_t v) { x.setCurrent_inksys(v); },
         [](const CoreCommonInfoTbl& r) { return r.inkSystem; },
         {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 0}}},
        {"sscSetting, capable and on",
         [](Model& x, std::int32_t v) {
             x.setSsc(1);
             x.setSscLevel(v);
         },
         [](const CoreCommonInfoTbl& r) { return r.sscSetting; },
         {{1, 4}, {2, 5}, {3, 6}, {0, 0}, {4, 0}}},
        {"sscSetting, off",
         [](Model& x, std::int32_t v) {
             x.setSsc(0);
             x.setSscLevel(v);
         },
         [](const CoreCommonInfoTbl& r) { return r.sscSetting; },
         {{2, 2}, {0, 2}}},
    };
    ASSERT_EQ(Check_SSC_Printer(m->getPrinterID()), 1);  // SL-7440 has SSC
    for (const Mapping& mapping : mappings) {
        for (const auto& [value, code] : mapping.codes) {
            SCOPED_TRACE(testing::Message() << mapping.field << " " << value);
            // A record that a previous fill left with a code.
            CoreCommonInfoTbl record{};
            mapping.set(*m, mapping.codes.front().first);
            m->setCoreCommonTable(&record, &host);
            mapping.set(*m, value);
            m->setCoreCommonTable(&record, &host);
            EXPECT_EQ(mapping.get(record), code);
            m->terminateCoreCommonTable(&record);
        }
    }

    // Without the SSC capability the setting is off whatever the model says.
    const auto noSsc = modeltest::modelFor(modeltest::kShippedModels[1], env_);
    ASSERT_EQ(Check_SSC_Printer(noSsc->getPrinterID()), 0);
    noSsc->setSsc(1);
    noSsc->setSscLevel(2);
    CoreCommonInfoTbl record{};
    noSsc->setCoreCommonTable(&record, &host);
    EXPECT_EQ(record.sscSetting, 2);
    noSsc->terminateCoreCommonTable(&record);
}

TEST_F(CoreRecordFill, ProofAndPreviewProofFollowTheColourModeAndMatching) {
    const auto m = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    CommonInfoTable host{};
    struct Case {
        std::int32_t colorMode;
        std::uint8_t proof;
        std::int16_t matching;
        std::uint8_t enable;
        std::int32_t expectedProof;
        std::int32_t expectedPreviewProof;
        std::int32_t expectedMarker;
    };
    const Case cases[] = {
        {4, 0, 0, 1, 0, 1, 0}, {4, 1, 1, 1, 1, 0, 0}, {1, 0, 0, 1, 1, 1, 0},
        {2, 0, 0, 0, 1, 0, 4}, {3, 0, 2, 1, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "colour mode " << c.colorMode << " matching " << c.matching);
        m->setColorMode(c.colorMode);
        m->setProof(c.proof);
        m->setMatchingMethod(c.matching);
        m->setPreviewProof(1);
        m->setPreviewProofEnable(c.enable);
        CoreCommonInfoTbl record{};
        ASSERT_EQ(m->setCoreCommonTable(&record, &host), 0u);
        EXPECT_EQ(record.proof, c.expectedProof);
        EXPECT_EQ(record.previewProof, c.expectedPreviewProof);
        EXPECT_EQ(record.monochromeMarker, c.expectedMarker);
        m->terminateCoreCommonTable(&record);
    }
}

TEST_F(CoreRecordFill, RefillingReplacesTheStringsAndTerminateReleasesEachOnce) {
    const auto m = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    CommonInfoTable host{};
    auto record = std::make_unique<CoreCommonInfoTbl>();
    m->setOutputProfileName(std::string("First profile"));
    m->setProofProfilePath(std::string("/first/proof.icc"));
    ASSERT_EQ(m->setCoreCommonTable(record.get(), &host), 0u);
    EXPECT_EQ(text(record->outputProfileName), "First profile");

    m->setOutputProfileName(std::string("Second profile"));
    m->setProofProfilePath(std::nullopt);
    m->setCaptionComment(std::string("Second comment"));
    ASSERT_EQ(m->setCoreCommonTable(record.get(), &host), 0u);
    EXPECT_EQ(text(record->outputProfileName), "Second profile");
    const cf::Value* const proofPath = record->proofProfilePath;
    EXPECT_EQ(proofPath, nullptr);  // none gives a null slot
    EXPECT_EQ(text(record->captionComment), "Second comment");

    m->terminateCoreCommonTable(record.get());
    // The ten string slots, at their offsets in the record.
    const std::size_t stringSlots[] = {56, 64, 76, 84, 252, 352, 2862, 2886, 2896, 2918};
    for (const std::size_t offset : stringSlots) {
        const cf::Value* value = nullptr;
        std::memcpy(&value, reinterpret_cast<const std::uint8_t*>(record.get()) + offset,
                    sizeof value);
        EXPECT_EQ(value, nullptr) << offset;
    }
    // A second release finds nothing left to release (the sanitizers would see a double free).
    m->terminateCoreCommonTable(record.get());
    m->terminateCoreCommonTable(nullptr);
    // The media database and the host record are not the record's to free.
    EXPECT_NE(m->getMediaData(), nullptr);
}

TEST_F(CoreRecordFill, NamesThatDoNotFitLeaveTheirFieldEmpty) {
    const auto m = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    CommonInfoTable host{};
    struct Case {
        std::string connection;
        std::string popUp;
        std::string database;
        std::string shortName;
        bool fits;
    };
    const Case cases[] = {
        {std::string(255, 'c'), std::string(255, 'p'), std::string(15, 'd'), std::string(15, 's'),
         true},
        {std::string(256, 'c'), std::string(256, 'p'), std::string(16, 'd'), std::string(16, 's'),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fits ? "fits" : "too long");
        m->setConnectionTypeName(c.connection);
        m->setPrinterPopupName(c.popUp);
        m->setDBName(c.database);
        m->setPrinterShortName(c.shortName);
        auto record = std::make_unique<CoreCommonInfoTbl>();
        std::memset(record->printerPopUpName, 'x', sizeof record->printerPopUpName);
        ASSERT_EQ(m->setCoreCommonTable(record.get(), &host), 0u);
        EXPECT_EQ(std::string(record->connectionTypeName), c.fits ? c.connection : "");
        EXPECT_EQ(std::string(record->printerPopUpName), c.fits ? c.popUp : "");
        EXPECT_EQ(record->mediaDatabaseName[0], c.fits ? 15 : 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->mediaDatabaseName + 1),
                              record->mediaDatabaseName[0]),
                  c.fits ? c.database : "");
        EXPECT_EQ(std::string(record->printerShortName, strnlen(record->printerShortName, 16)),
                  c.fits ? c.shortName : "");
        m->terminateCoreCommonTable(record.get());
    }
}

TEST_F(CoreRecordFill, CurvePointCountsStayWithinTheSlots) {
    const auto m = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    ToneCurveValues curves;
    m->getToneCurveAllValues(&curves);
    curves.pointCount[0] = 17;
    curves.pointCount[4] = -1;
    m->setToneCurveAllValues(curves);
    CommonInfoTable host{};
    auto record = std::make_unique<CoreCommonInfoTbl>();
    ASSERT_EQ(m->setCoreCommonTable(record.get(), &host), 0u);
    EXPECT_EQ(record->curvePointCount[0], 16);
    EXPECT_EQ(record->curvePointCount[4], 0);
    EXPECT_EQ(record->curve2PointCount[0], 0);  // the second set is never filled
    m->terminateCoreCommonTable(record.get());
}

TEST_F(CoreRecordFill, MissingRecordsAndPrintCommonValuesAreReported) {
    const auto m = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    CommonInfoTable host{};
    CoreCommonInfoTbl record{};
    EXPECT_EQ(m->setCoreCommonTable(nullptr, &host), kPlgRecordOutOfMemory);
    // Without the host's record nothing can be printed: a failure, and nothing written.
    EXPECT_EQ(m->setCoreCommonTable(&record, nullptr), kPlgFileNotFound);
    EXPECT_EQ(record.fixedValues[0], 0);

    // A printer the bundle has no print-common values for: everything else is filled.
    m->setPrinterID(4242);
    EXPECT_EQ(m->setCoreCommonTable(&record, &host), kPlgFileNotFound);
    EXPECT_EQ(record.fixedValues[0], -300);
    EXPECT_EQ(text(record.printerShortNameString), "SL-7440");
    const ModelAtlasTbl zero{};
    EXPECT_EQ(std::memcmp(&record.modelAtlas, &zero, sizeof zero), 0);
    m->terminateCoreCommonTable(&record);

    // A model whose print-common table file is missing.
    testsupport::ModelAtlasHost fixture(ATLAS_FIXTURE_SHELL);
    ASSERT_TRUE(fixture.ready());
    constexpr std::int32_t kModelWithoutFiles = 13;
    m->setPrinterID(kModelWithoutFiles);
    EXPECT_EQ(m->setCoreCommonTable(&record, &host), kPlgFileNotFound);
    EXPECT_EQ(std::memcmp(&record.modelAtlas, &zero, sizeof zero), 0);
    m->terminateCoreCommonTable(&record);
}

}  // namespace
