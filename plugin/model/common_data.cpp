// The settings model's defaults, lifecycle and the setters that derive or copy.
#include "common_data.h"

#include <cstdlib>
#include <memory>

#include "helpers/module_bundle.h"
#include "hundredths.h"
#include "loaders/model_atlas_loader.h"
#include "paper/paper_size.h"
#include "settings/custom_paper_file.h"

namespace {

// Defaults of a new dialog.
constexpr std::uint8_t kDefaultHost = 1;
constexpr std::uint16_t kDefaultUnit = 2;
constexpr std::int32_t kDefaultTab = 1;
constexpr std::int32_t kDefaultPreview = 2;  // the roll preview
constexpr std::int32_t kDefaultInkSystem = 2;
constexpr std::int32_t kDefaultOptimize = 4;
constexpr std::int16_t kDefaultHalftone = 1;
constexpr std::uint16_t kDefaultInputResolution = 1;  // 300 dpi
constexpr std::int32_t kDefaultPrintMode = 1;
constexpr double kDefaultMagnification = 100.0;
constexpr std::int32_t kDefaultPaperSource = 512;     // roll paper
constexpr std::int32_t kDefaultLayoutPosition = 300;  // 3 mm in 1/100 mm
constexpr std::int32_t kDefaultCopies = 1;
constexpr std::int32_t kDefaultPaperSize = 2;
constexpr std::int32_t kDefaultRollWidth = 106;
constexpr std::int32_t kDefaultColorMode = 1;
constexpr std::int32_t kDefaultGamma = 18;
constexpr std::int32_t kDefaultGrayPreset = 2;
constexpr std::int32_t kDefaultGradation = 2;
constexpr std::int32_t kIdentityPoints = 2;
constexpr std::int32_t kCurveTop = 255;
constexpr char kDefaultSaveDataName[] = "sample_test";
constexpr char kDefaultComment[] = "Default comment";

struct FreeText {
    void operator()(char* text) const { std::free(text); }
};

MediaDetailValues defaultMediaDetails() {
    MediaDetailValues values;
    values.tipSpace = 1;
    values.backendSpace = 1;
    values.pageWaitTime = 1;
    values.bandWaitTime = 1;
    values.cutspeed = 1;
    values.calibration = 0;
    values.paperThick = 1;
    values.paperSuction = 1;
    values.sscLevel = 1;
    return values;
}

EnvironmentValues defaultEnvironment() {
    EnvironmentValues values;
    values.expandMethod = 1;
    values.boxNumber = 1;
    values.saveDataName = kDefaultSaveDataName;
    return values;
}

ToneCurveValues identityCurves() {
    ToneCurveValues curves;
    for (int channel = 0; channel < kModelCurveChannels; ++channel) {
        curves.pointCount[channel] = kIdentityPoints;
        curves.x[channel][1] = kCurveTop;
        curves.y[channel][1] = kCurveTop;
    }
    return curves;
}

}  // namespace

kCommonDataClass_ZORVEX_common_V600_PS::kCommonDataClass_ZORVEX_common_V600_PS() {
    setDefaults();
}

kCommonDataClass_ZORVEX_common_V600_PS::~kCommonDataClass_ZORVEX_common_V600_PS() {
    terminate();
}

void kCommonDataClass_ZORVEX_common_V600_PS::setDefaults() {
    m_callApplicationType = kDefaultHost;
    m_colorAdjusts = {};
    m_patterns_color = {};
    m_patterns_mono = {};
    m_commonInfo.reset();
    m_jobs.reset();
    m_favorite.reset();
    m_VPXSharpness = 0;
    m_cfPlugInTitleName.reset();
    m_cfPlugInVersion.reset();
    m_cfInterfaceName.reset();
    m_cfPopupName.reset();
    m_cfConnectionType.reset();
    m_cfPrinterShortName.reset();
    m_cfDBName.reset();
    m_mediumName.reset();
    m_outputProfileName.reset();
    m_outputProfilePath.reset();
    m_proofProfileName.reset();
    m_proofProfilePath.reset();
    m_current_inksys = kDefaultInkSystem;
    m_optimize = kDefaultOptimize;
    m_defaultUnit = kDefaultUnit;
    m_unit = kDefaultUnit;
    m_selectTab = kDefaultTab;
    m_previewSelect = kDefaultPreview;
    m_windowZoom = 0;
    m_selRangePrint = 0;
    m_previewProof = 0;
    m_previewProofEnable = 0;
    m_clopFlag = 0;
    m_adobeCMMInstalled = 0;
    m_printerID = 0;
    m_mediumID = 0;
    setMethodResolutionHT(0, 0, kDefaultHalftone);
    // The colour mode is not yet set, so this leaves the profile alone.
    m_colorMode = 0;
    getMediaICCProfile();
    m_inputResolution = kDefaultInputResolution;
    m_inputBit = 0;
    m_printMode = kDefaultPrintMode;
    m_noFrame = 0;
    m_expansionReduction = 0;
    m_fitType = 0;
    m_magnification = kDefaultMagnification;
    m_paperSource = kDefaultPaperSource;
    m_printDirection = 0;
    m_printLayout = 0;
    m_layout_Top = kDefaultLayoutPosition;
    m_layout_Left = kDefaultLayoutPosition;
    m_rollLayout = 0;
    m_copies = kDefaultCopies;
    setPaperFromBundle(kDefaultPaperSize);
    m_mediaDetails = defaultMediaDetails();
    m_environments = defaultEnvironment();
    m_iccOptions = {2, 0, 0, 0};
    m_rollWidth = {kDefaultRollWidth, GetQDXAMediaWidthValue(kDefaultRollWidth)};
    m_rollOptions = {1, 0};
    m_colorMode = kDefaultColorMode;
    m_colorAdjusts.gamma = kDefaultGamma;
    m_colorAdjusts.grayPreset = kDefaultGrayPreset;
    m_colorAdjusts.grayGradation = kDefaultGradation;
    m_toneCurves = identityCurves();
    m_captions = {};
    m_captions.comment = kDefaultComment;
    m_centerMSG_NoDisplay = 0;
    m_patternWindowZoom = 0;
    m_imageData = {};
    m_previewImageData = {};
    m_partImageData = {};
}

void kCommonDataClass_ZORVEX_common_V600_PS::terminate() {
    terminatePrintModeTblHdl();
    m_jobs.reset();
    m_favorite.reset();
    m_commonInfo.reset();
    m_imageData = {};
    m_previewImageData = {};
    m_partImageData = {};
    m_patterns_color.paperSizeName.reset();
    m_patterns_mono.paperSizeName.reset();
    m_cfPlugInTitleName.reset();
    m_cfPlugInVersion.reset();
    m_cfInterfaceName.reset();
    m_cfPopupName.reset();
    m_cfConnectionType.reset();
    m_cfPrinterShortName.reset();
    m_cfDBName.reset();
    m_mediumName.reset();
    m_outputProfileName.reset();
    m_outputProfilePath.reset();
    m_proofProfileName.reset();
    m_proofProfilePath.reset();
    m_paperSizeName.reset();
    m_environments.saveDataName.reset();
    m_captions.comment.reset();
    KMenu::DisposeMenuData(&m_customPaper_List);
    // The media database stays open for closeMdbDB; a model going away closes it all the same,
    // since nothing else holds it.
    if (m_mediaData != nullptr) {
        closeMdbDB();
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::setMethodResolutionHT(std::int16_t method,
                                                                   std::int16_t resolution,
                                                                   std::int16_t ht) {
    m_method = method;
    m_resolution = resolution;
    m_ht = ht;
}

void kCommonDataClass_ZORVEX_common_V600_PS::setPrintMode(std::int32_t mode) {
    m_printMode = static_cast<std::uint16_t>(mode);
}

void kCommonDataClass_ZORVEX_common_V600_PS::setMagnification(double percent) {
    m_magnification = truncatedToHundredths(percent);
}

void kCommonDataClass_ZORVEX_common_V600_PS::getPaperSize(std::int32_t* width,
                                                          std::int32_t* height) const {
    *width = m_paperWidth;
    *height = m_paperHeight;
}

void kCommonDataClass_ZORVEX_common_V600_PS::setOutputPaper(std::int32_t sizeID,
                                                            const std::optional<std::string>& name,
                                                            std::int32_t width,
                                                            std::int32_t height) {
    m_paperSizeID = sizeID;
    m_paperSizeName = name;
    m_paperWidth = width;
    m_paperHeight = height;
}

// The paper size of the model-information bundle, with its name and size; nothing changes when
// the bundle names no such size.
void kCommonDataClass_ZORVEX_common_V600_PS::setPaperFromBundle(std::int32_t sizeID) {
    const std::unique_ptr<char, FreeText> name(Load_GetPaperSizeName(sizeID));
    if (name == nullptr) {
        return;
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    Load_GetPaperSizeInfo(sizeID, &width, &height);
    setOutputPaper(sizeID, std::string(name.get()), width, height);
}

std::optional<std::string> kCommonDataClass_ZORVEX_common_V600_PS::getRollPaperWidthName() const {
    const std::unique_ptr<char, FreeText> name(Load_GetRollPaperSizeName(rollPaperWidthID()));
    if (name == nullptr) {
        return std::nullopt;
    }
    return std::string(name.get());
}

void kCommonDataClass_ZORVEX_common_V600_PS::setExportImageData(const CommonInfoTable* table,
                                                                ExportImageData data) {
    m_commonInfo = table == nullptr ? nullptr : std::make_unique<CommonInfoTable>(*table);
    m_imageData = std::move(data);
}

void kCommonDataClass_ZORVEX_common_V600_PS::createCustomPaper() {
    KMenu::DisposeMenuData(&m_customPaper_List);
    if (KMenu::NewMenuData(&m_customPaper_List) == 0) {
        LoadCustomPaperFile(m_customPaper_List);
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::saveAndCloseCustomPaper() {
    if (m_customPaper_List == nullptr) {
        return;
    }
    SaveCustomPaperFile(m_customPaper_List);
    KMenu::DisposeMenuData(&m_customPaper_List);
}

const cf::Bundle* kCommonDataClass_ZORVEX_common_V600_PS::plugInBundle() const {
    if (m_plugInBundle != nullptr) {
        return m_plugInBundle;
    }
    if (m_foundPlugInBundle == nullptr) {
        if (const auto folder = loadedBundleFolder(kPlugInBundleIdentifier)) {
            m_foundPlugInBundle = cf::Bundle::open(*folder);
        }
    }
    return m_foundPlugInBundle.get();
}
