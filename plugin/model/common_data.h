// The print dialog's settings model: every print setting of one opening of the dialog, the
// identity of the host and of the chosen printer, its open media database and print-mode table,
// the user's custom papers and the host's image. Every panel, the preview and every sub-dialog
// share one instance. Persistence, captions and the core job record build on it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cf/bundle.h"
#include "helpers/kmenu.h"
#include "helpers/pop_menu.h"
#include "history/print_jobs.h"
#include "model_clock.h"
#include "printmode/print_mode_table.h"
#include "rastercore/common_info_table.h"
#include "rastercore/core_common_info_tbl.h"
#include "setting_groups.h"
#include "settings/ui_save.h"

/// What the host hands over with its image for the previews; the geometry values are the
/// caller's and are passed through unchanged.
struct ExportImageData {
    std::optional<std::string> fileName;  ///< the export file name
    std::vector<std::uint8_t> bytes;      ///< the image bytes
    std::vector<std::int32_t> geometry;   ///< image geometry values, in the caller's order
    std::optional<std::string> secondName;
    void* hostObject = nullptr;  ///< the photo application's image object (not owned here)
    PlgRect selectBox;
};

/// A preview or part image: the bytes and the three values given with them.
struct ModelImageData {
    std::vector<std::uint8_t> bytes;
    std::int32_t values[3] = {};
};

class kCommonDataClass_ZORVEX_common_V600_PS {
  public:
    /// The plug-in bundle's identifier, by which the model finds its strings when none is given.
    static constexpr char kPlugInBundleIdentifier[] = "orvane.ZORVEX_common_V600_PS";

    kCommonDataClass_ZORVEX_common_V600_PS();
    ~kCommonDataClass_ZORVEX_common_V600_PS();
    kCommonDataClass_ZORVEX_common_V600_PS(const kCommonDataClass_ZORVEX_common_V600_PS&) = delete;
    kCommonDataClass_ZORVEX_common_V600_PS& operator=(
        const kCommonDataClass_ZORVEX_common_V600_PS&) = delete;

    // Lifecycle.
    void setDefaults();
    /// Frees what the model owns but the media database, which closeMdbDB closes.
    void terminate();

    // Where the model's texts and time come from.
    /// The plug-in bundle whose string table gives the labels (not owned); null: the loaded
    /// bundle of kPlugInBundleIdentifier.
    void setPlugInBundle(const cf::Bundle* bundle) { m_plugInBundle = bundle; }
    void setClock(ModelClock clock) { m_clock = std::move(clock); }

    // Host and printer identity.
    std::uint8_t getCallApplicationType() const { return m_callApplicationType; }
    void setCallApplicationType(std::uint8_t type) { m_callApplicationType = type; }
    bool getCallVPX() const { return m_callApplicationType == kHostPhotoApplication; }
    std::optional<std::string> getPlugInTitleName() const { return m_cfPlugInTitleName; }
    void setPlugInTitleName(const std::string& name) { m_cfPlugInTitleName = name; }
    std::optional<std::string> getPlugInVersion() const { return m_cfPlugInVersion; }
    void setPlugInVersion(const std::string& version) { m_cfPlugInVersion = version; }
    std::optional<std::string> getInterfaceName() const { return m_cfInterfaceName; }
    void setInterfaceName(const std::string& name) { m_cfInterfaceName = name; }
    std::uint16_t getExportImageMode() const { return m_imageMode; }
    void setExportImageMode(std::uint16_t mode) { m_imageMode = mode; }
    std::int32_t getVPXSharpness() const { return m_VPXSharpness; }
    void setVPXSharpness(std::int32_t sharpness) { m_VPXSharpness = sharpness; }
    std::int32_t getPrinterID() const { return m_printerID; }
    void setPrinterID(std::int32_t id) { m_printerID = id; }
    std::int32_t getConnectionTypeID() const { return m_connectionTypeID; }
    void setConnectionTypeID(std::int32_t id) { m_connectionTypeID = id; }
    std::optional<std::string> getConnectionTypeName() const { return m_cfConnectionType; }
    void setConnectionTypeName(const std::string& name) { m_cfConnectionType = name; }
    std::optional<std::string> getPrinterPopupName() const { return m_cfPopupName; }
    void setPrinterPopupName(const std::string& name) { m_cfPopupName = name; }
    std::optional<std::string> getPrinterShortName() const { return m_cfPrinterShortName; }
    void setPrinterShortName(const std::string& name) { m_cfPrinterShortName = name; }
    std::optional<std::string> getDBName() const { return m_cfDBName; }
    void setDBName(const std::string& name) { m_cfDBName = name; }
    std::uint8_t getAdobeCMMInstalled() const { return m_adobeCMMInstalled; }
    void setAdobeCMMInstalled(std::uint8_t installed) { m_adobeCMMInstalled = installed; }

    // Dialog state.
    std::uint16_t defaultUnit() const { return m_defaultUnit; }
    void setDefaultUnit(std::uint16_t unit) { m_defaultUnit = unit; }
    std::uint16_t unit() const { return m_unit; }
    void setUnit(std::uint16_t unit) { m_unit = unit; }
    std::int32_t selectTab() const { return m_selectTab; }
    void setSelectTab(std::int32_t tab) { m_selectTab = tab; }
    std::uint8_t notEndDialog() const { return m_notEndDialog; }
    void setNotEndDialog(std::uint8_t flag) { m_notEndDialog = flag; }
    std::uint8_t notICCv4Dialog() const { return m_notICCv4Dialog; }
    void setNotICCv4Dialog(std::uint8_t flag) { m_notICCv4Dialog = flag; }
    std::uint8_t windowZoom() const { return m_windowZoom; }
    void setWindowZoom(std::uint8_t zoom) { m_windowZoom = zoom; }
    PlgRect defaultWindowRect() const { return m_windowRect; }
    void setDefaultWindowRect(const PlgRect& rect) { m_windowRect = rect; }

    // Medium and print quality.
    std::int16_t mediumID() const { return m_mediumID; }
    void setMediumID(std::int16_t id) { m_mediumID = id; }
    std::optional<std::string> mediumName() const { return m_mediumName; }
    void setMediumName(const std::optional<std::string>& name) { m_mediumName = name; }
    std::int32_t optimize() const { return m_optimize; }
    void setOptimize(std::int32_t mode) { m_optimize = mode; }
    std::int16_t method() const { return m_method; }
    std::int16_t resolution() const { return m_resolution; }
    std::int16_t ht() const { return m_ht; }
    void setMethodResolutionHT(std::int16_t method, std::int16_t resolution, std::int16_t ht);
    std::uint16_t inputResolution() const { return m_inputResolution; }
    void setInputResolution(std::uint16_t choice) { m_inputResolution = choice; }
    std::uint16_t inputBit() const { return m_inputBit; }
    void setInputBit(std::uint16_t choice) { m_inputBit = choice; }
    std::int32_t printMode() const { return m_printMode; }
    /// Keeps the low 16 bits.
    void setPrintMode(std::int32_t mode);
    std::int32_t current_inksys() const { return m_current_inksys; }
    void setCurrent_inksys(std::int32_t inkSystem) { m_current_inksys = inkSystem; }
    std::uint8_t* getMediaData() const { return m_mediaData; }
    /// The identifier of the open database's first medium; 0 without a database.
    std::int16_t getDefaultMediumID() const;
    PrintModeTbl getPrintModeTblHdl() const { return m_hPrintModeTbl; }

    // Preview.
    std::int32_t previewSelect() const { return m_previewSelect; }
    void setPreviewSelect(std::int32_t kind) { m_previewSelect = kind; }
    std::uint8_t selRangePrint() const { return m_selRangePrint; }
    void setSelRangePrint(std::uint8_t flag) { m_selRangePrint = flag; }
    std::uint8_t previewProof() const { return m_previewProof; }
    void setPreviewProof(std::uint8_t flag) { m_previewProof = flag; }
    std::uint8_t previewProofEnable() const { return m_previewProofEnable; }
    void setPreviewProofEnable(std::uint8_t flag) { m_previewProofEnable = flag; }
    PlgRect imagePreviewRect() const { return m_originImageRect_imagePV; }
    void setImagePreviewRect(const PlgRect& rect) { m_originImageRect_imagePV = rect; }
    std::uint8_t clopFlag() const { return m_clopFlag; }
    void setClopFlag(std::uint8_t flag) { m_clopFlag = flag; }
    PlgRect clopRect() const { return m_clopRect; }
    void setClopRect(const PlgRect& rect) { m_clopRect = rect; }
    std::uint8_t firstSelect() const { return m_firstSelect; }
    void setFirstSelect(std::uint8_t flag) { m_firstSelect = flag; }
    std::uint8_t firstBPCValue() const { return m_firstBPCValue; }
    void setFirstBPCValue(std::uint8_t value) { m_firstBPCValue = value; }

    // Colour management.
    std::int32_t colorMode() const { return m_colorMode; }
    void setColorMode(std::int32_t mode) { m_colorMode = mode; }
    std::int32_t outputProfileModelID() const { return m_outputProfileModelID; }
    void setOutputProfileModelID(std::int32_t id) { m_outputProfileModelID = id; }
    std::optional<std::string> outputProfileName() const { return m_outputProfileName; }
    void setOutputProfileName(const std::optional<std::string>& name) {
        m_outputProfileName = name;
    }
    std::optional<std::string> outputProfilePath() const { return m_outputProfilePath; }
    void setOutputProfilePath(const std::optional<std::string>& path) {
        m_outputProfilePath = path;
    }
    std::int32_t proofProfileModelID() const { return m_proofProfileModelID; }
    void setProofProfileModelID(std::int32_t id) { m_proofProfileModelID = id; }
    std::optional<std::string> proofProfileName() const { return m_proofProfileName; }
    void setProofProfileName(const std::optional<std::string>& name) { m_proofProfileName = name; }
    std::optional<std::string> proofProfilePath() const { return m_proofProfilePath; }
    void setProofProfilePath(const std::optional<std::string>& path) { m_proofProfilePath = path; }
    std::uint8_t proof() const { return m_proof; }
    void setProof(std::uint8_t flag) { m_proof = flag; }
    std::int16_t matchingMethod() const { return m_matchingMethod; }
    void setMatchingMethod(std::int16_t method) { m_matchingMethod = method; }

    // Page.
    std::uint8_t noFrame() const { return m_noFrame; }
    void setNoFrame(std::uint8_t flag) { m_noFrame = flag; }
    std::uint8_t expansionReduction() const { return m_expansionReduction; }
    void setExpansionReduction(std::uint8_t flag) { m_expansionReduction = flag; }
    std::int32_t fitType() const { return m_fitType; }
    void setFitType(std::int32_t type) { m_fitType = type; }
    double getMagnification() const { return m_magnification; }
    /// Stores the percentage truncated to hundredths.
    void setMagnification(double percent);
    std::int32_t paperSource() const { return m_paperSource; }
    void setPaperSource(std::int32_t source) { m_paperSource = source; }
    std::int32_t printDirection() const { return m_printDirection; }
    void setPrintDirection(std::int32_t direction) { m_printDirection = direction; }
    std::int32_t copies() const { return m_copies; }
    void setCopies(std::int32_t copies) { m_copies = copies; }
    std::int32_t printLayout() const { return m_printLayout; }
    void setPrintLayout(std::int32_t layout) { m_printLayout = layout; }
    std::int32_t printLayoutTop() const { return m_layout_Top; }
    void setPrintLayoutTop(std::int32_t top) { m_layout_Top = top; }
    std::int32_t printLayoutLeft() const { return m_layout_Left; }
    void setPrintLayoutLeft(std::int32_t left) { m_layout_Left = left; }
    std::int32_t rollLayout() const { return m_rollLayout; }
    void setRollLayout(std::int32_t layout) { m_rollLayout = layout; }
    std::int32_t paperSizeID() const { return m_paperSizeID; }
    void getPaperSize(std::int32_t* width, std::int32_t* height) const;
    std::optional<std::string> getPaperSizeName() const { return m_paperSizeName; }
    /// The paper: identifier, name (none clears it), width and height in 1/10 mm.
    void setOutputPaper(std::int32_t sizeID, const std::optional<std::string>& name,
                        std::int32_t width, std::int32_t height);
    /// The default layout positions (1/100 mm) from the printer's margins for the paper source;
    /// the top one leaves room for a caption above the image.
    void setDefaultTopPositionValue();
    void setDefaultLeftPositionValue();

    // Media detail.
    void getMadiaDetailAllValues(MediaDetailValues* values) const { *values = m_mediaDetails; }
    void setMadiaDetailAllValues(const MediaDetailValues& values) { m_mediaDetails = values; }
    std::int32_t tipSpace() const { return m_mediaDetails.tipSpace; }
    void setTipspace(std::int32_t value) { m_mediaDetails.tipSpace = value; }
    std::int32_t backendSpace() const { return m_mediaDetails.backendSpace; }
    void setBackendspace(std::int32_t value) { m_mediaDetails.backendSpace = value; }
    std::int32_t pageWaitTime() const { return m_mediaDetails.pageWaitTime; }
    void setPageWaitTime(std::int32_t value) { m_mediaDetails.pageWaitTime = value; }
    std::int32_t bandWaitTime() const { return m_mediaDetails.bandWaitTime; }
    void setBandWaitTime(std::int32_t value) { m_mediaDetails.bandWaitTime = value; }
    std::int32_t cutspeed() const { return m_mediaDetails.cutspeed; }
    void setCutspeed(std::int32_t value) { m_mediaDetails.cutspeed = value; }
    std::int32_t calibration() const { return m_mediaDetails.calibration; }
    void setCalibration(std::int32_t value) { m_mediaDetails.calibration = value; }
    std::int32_t paperThick() const { return m_mediaDetails.paperThick; }
    void setPaperThick(std::int32_t value) { m_mediaDetails.paperThick = value; }
    std::int32_t paperSuction() const { return m_mediaDetails.paperSuction; }
    void setPaperSuction(std::int32_t value) { m_mediaDetails.paperSuction = value; }
    std::uint8_t mirror() const { return m_mediaDetails.mirror; }
    void setMirror(std::uint8_t value) { m_mediaDetails.mirror = value; }
    std::uint8_t forceOneDirection() const { return m_mediaDetails.forceOneDirection; }
    void setForceOneDirection(std::uint8_t value) { m_mediaDetails.forceOneDirection = value; }
    std::uint8_t inkImpact() const { return m_mediaDetails.inkImpact; }
    void setInkImpact(std::uint8_t value) { m_mediaDetails.inkImpact = value; }
    std::uint8_t grazeGurd() const { return m_mediaDetails.grazeGurd; }
    void setGrazeGurd(std::uint8_t value) { m_mediaDetails.grazeGurd = value; }
    std::uint8_t ssc() const { return m_mediaDetails.ssc; }
    void setSsc(std::uint8_t value) { m_mediaDetails.ssc = value; }
    std::int32_t sscLevel() const { return m_mediaDetails.sscLevel; }
    void setSscLevel(std::int32_t value) { m_mediaDetails.sscLevel = value; }
    /// 1 when the medium allows mirror printing and mirroring is off; a medium that does not
    /// allow it switches mirroring off.
    std::int32_t checkMirrorAlert();

    // Environment.
    void getEnvironmentAllValues(EnvironmentValues* values) const { *values = m_environments; }
    void setEnvironmentAllValues(const EnvironmentValues& values) { m_environments = values; }
    std::int32_t sharpness() const { return m_environments.sharpness; }
    void setSharpness(std::int32_t value) { m_environments.sharpness = value; }
    std::int32_t expandMethod() const { return m_environments.expandMethod; }
    void setExpandMethod(std::int32_t value) { m_environments.expandMethod = value; }
    std::uint8_t backgroundPrint() const { return m_environments.backgroundPrint; }
    void setBackgroundPrint(std::uint8_t value) { m_environments.backgroundPrint = value; }
    std::uint8_t printAfterEnd() const { return m_environments.printAfterEnd; }
    void setPrintAfterEnd(std::uint8_t value) { m_environments.printAfterEnd = value; }
    std::int32_t jobOutputMethod() const { return m_environments.jobOutputMethod; }
    void setJobOutputMethod(std::int32_t value) { m_environments.jobOutputMethod = value; }
    std::int32_t boxNumber() const { return m_environments.boxNumber; }
    void setBoxNumber(std::int32_t value) { m_environments.boxNumber = value; }
    std::optional<std::string> saveDataName() const { return m_environments.saveDataName; }
    /// Stores the name when it converts to the user's encoding; one longer than 32 bytes goes
    /// through the system encoding first. An empty or unconvertible name leaves none.
    void setSaveDataName(const std::optional<std::string>& name);
    std::uint8_t printAlldataReceved() const { return m_environments.printAlldataReceved; }
    void setPrintAlldataReceved(std::uint8_t value) { m_environments.printAlldataReceved = value; }
    std::uint8_t defaultAlertDialog() const { return m_environments.defaultAlertDialog; }
    void setDefaultAlertDialog(std::uint8_t value) { m_environments.defaultAlertDialog = value; }

    // Colour-matching options.
    void getICCOptionAllValues(ICCOptionValues* values) const { *values = m_iccOptions; }
    void setICCOptionAllValues(const ICCOptionValues& values) { m_iccOptions = values; }
    std::int32_t convertEngine() const { return m_iccOptions.convertEngine; }
    void setConvertEngine(std::int32_t engine) { m_iccOptions.convertEngine = engine; }
    std::uint8_t blackCorect() const { return m_iccOptions.blackCorect; }
    void setBlackCorect(std::uint8_t value) { m_iccOptions.blackCorect = value; }

    // Roll.
    void getRollPaperWidth(RollWidthValues* values) const { *values = m_rollWidth; }
    void setRollPaperWidth(const RollWidthValues& values) { m_rollWidth = values; }
    std::int32_t rollPaperWidthID() const { return m_rollWidth.rollPaperWidthID; }
    std::int32_t rollPaperWidth() const { return m_rollWidth.rollPaperWidth; }
    /// The model-information bundle's name of the roll width.
    std::optional<std::string> getRollPaperWidthName() const;
    void getRollOptionAllValues(RollOptionValues* values) const { *values = m_rollOptions; }
    void setRollOptionAllValues(const RollOptionValues& values) { m_rollOptions = values; }
    std::int32_t autoCut() const { return m_rollOptions.autoCut; }
    void setAutoCut(std::int32_t value) { m_rollOptions.autoCut = value; }

    // Colour adjustment.
    void getColorAdjustValues(ColorAdjustValues* values) const { *values = m_colorAdjusts; }
    void setColorAdjustValues(const ColorAdjustValues& values) { m_colorAdjusts = values; }
    std::int32_t getCR() const { return m_colorAdjusts.cr; }
    void setCR(std::int32_t v) { m_colorAdjusts.cr = v; }
    std::int32_t getMG() const { return m_colorAdjusts.mg; }
    void setMG(std::int32_t v) { m_colorAdjusts.mg = v; }
    std::int32_t getYB() const { return m_colorAdjusts.yb; }
    void setYB(std::int32_t v) { m_colorAdjusts.yb = v; }
    std::int32_t getContrast() const { return m_colorAdjusts.contrast; }
    void setContrast(std::int32_t v) { m_colorAdjusts.contrast = v; }
    std::int32_t getGray() const { return m_colorAdjusts.gray; }
    void setGray(std::int32_t v) { m_colorAdjusts.gray = v; }
    std::int32_t getSaturation() const { return m_colorAdjusts.saturation; }
    void setSaturation(std::int32_t v) { m_colorAdjusts.saturation = v; }
    std::int32_t getBrightness() const { return m_colorAdjusts.brightness; }
    void setBrightness(std::int32_t v) { m_colorAdjusts.brightness = v; }
    std::int32_t getGamma() const { return m_colorAdjusts.gamma; }
    void setGamma(std::int32_t v) { m_colorAdjusts.gamma = v; }
    std::int32_t getGrayX() const { return m_colorAdjusts.grayX; }
    void setGrayX(std::int32_t v) { m_colorAdjusts.grayX = v; }
    std::int32_t getGrayY() const { return m_colorAdjusts.grayY; }
    void setGrayY(std::int32_t v) { m_colorAdjusts.grayY = v; }
    std::int32_t getGrayBrightness() const { return m_colorAdjusts.grayBrightness; }
    void setGrayBrightness(std::int32_t v) { m_colorAdjusts.grayBrightness = v; }
    std::int32_t getGrayContrast() const { return m_colorAdjusts.grayContrast; }
    void setGrayContrast(std::int32_t v) { m_colorAdjusts.grayContrast = v; }
    std::int32_t getGrayHighlight() const { return m_colorAdjusts.grayHighlight; }
    void setGrayHighlight(std::int32_t v) { m_colorAdjusts.grayHighlight = v; }
    std::int32_t getGrayShadow() const { return m_colorAdjusts.grayShadow; }
    void setGrayShadow(std::int32_t v) { m_colorAdjusts.grayShadow = v; }
    std::int32_t getGrayPreset() const { return m_colorAdjusts.grayPreset; }
    void setGrayPreset(std::int32_t v) { m_colorAdjusts.grayPreset = v; }
    std::int32_t getGrayGradation() const { return m_colorAdjusts.grayGradation; }
    void setGrayGradation(std::int32_t v) { m_colorAdjusts.grayGradation = v; }
    std::int32_t getWhiteFog() const { return m_colorAdjusts.whiteFog; }
    void setWhiteFog(std::int32_t v) { m_colorAdjusts.whiteFog = v; }

    // Tone curves.
    void getToneCurveAllValues(ToneCurveValues* values) const { *values = m_toneCurves; }
    void setToneCurveAllValues(const ToneCurveValues& values) { m_toneCurves = values; }
    void setChannel(std::int32_t channel) { m_toneCurves.channel = channel; }

    // Test pattern.
    void getPatternUISettingsColor(PatternUISettings* settings) const {
        *settings = m_patterns_color;
    }
    void setPatternUISettingsColor(const PatternUISettings& settings) {
        m_patterns_color = settings;
    }
    void getPatternUISettingsMono(PatternUISettings* settings) const {
        *settings = m_patterns_mono;
    }
    void setPatternUISettingsMono(const PatternUISettings& settings) { m_patterns_mono = settings; }
    std::uint8_t patternWindowZoom() const { return m_patternWindowZoom; }
    void setPatternWindowZoom(std::uint8_t zoom) { m_patternWindowZoom = zoom; }
    std::uint8_t centerMSGNoDisplay() const { return m_centerMSG_NoDisplay; }
    void setCenterMSGNoDisplay(std::uint8_t flag) { m_centerMSG_NoDisplay = flag; }

    // Captions.
    void getCaptionAllValues(CaptionValues* values) const { *values = m_captions; }
    void setCaptionAllValues(const CaptionValues& values) { m_captions = values; }
    std::uint8_t caption() const { return m_captions.caption; }
    void setCaption(std::uint8_t v) { m_captions.caption = v; }
    std::int32_t infoPosition() const { return m_captions.infoPosition; }
    void setInfoPosition(std::int32_t v) { m_captions.infoPosition = v; }
    std::uint8_t number() const { return m_captions.number; }
    void setNumber(std::uint8_t v) { m_captions.number = v; }
    std::uint8_t imFileName() const { return m_captions.imFileName; }
    void setImFileName(std::uint8_t v) { m_captions.imFileName = v; }
    std::uint8_t dateTime() const { return m_captions.dateTime; }
    void setDateTime(std::uint8_t v) { m_captions.dateTime = v; }
    std::uint8_t colorSet() const { return m_captions.colorSet; }
    void setColorSet(std::uint8_t v) { m_captions.colorSet = v; }
    std::uint8_t printerName() const { return m_captions.printerName; }
    void setPrinterName(std::uint8_t v) { m_captions.printerName = v; }
    std::uint8_t jobComment() const { return m_captions.jobComment; }
    void setJobComment(std::uint8_t v) { m_captions.jobComment = v; }
    std::optional<std::string> captionComment() const { return m_captions.comment; }
    /// Stores a copy; none clears the comment.
    void setCaptionComment(const std::optional<std::string>& comment) {
        m_captions.comment = comment;
    }

    // Host image and preview data.
    const CommonInfoTable* getCommonInfoTable() const { return m_commonInfo.get(); }
    const ExportImageData& getExportImageData() const { return m_imageData; }
    std::optional<std::string> getExportFileName() const { return m_imageData.fileName; }
    /// Keeps a copy of the host record and the image data.
    void setExportImageData(const CommonInfoTable* table, ExportImageData data);
    void setSelectBox(const PlgRect& box) { m_imageData.selectBox = box; }
    const ModelImageData& getPreviewImageData() const { return m_previewImageData; }
    void setPreviewImageData(ModelImageData data) { m_previewImageData = std::move(data); }
    const ModelImageData& getPartImageData() const { return m_partImageData; }
    void setPartImageData(ModelImageData data) { m_partImageData = std::move(data); }

    // Custom papers.
    MenuDataArray getCustomPaper() const { return m_customPaper_List; }
    /// A new list filled from the user's custom-paper file.
    void createCustomPaper();
    /// Writes the list back and disposes of it.
    void saveAndCloseCustomPaper();

    // Media database and the profile of the medium.
    /// Opens the named database filtered by the ink system, closing any open one, then applies
    /// optimise filter 4. Nothing for no name.
    void openMdbDB(const std::optional<std::string>& name);
    void optimizeFilter(std::uint32_t mode);
    void closeMdbDB();
    /// Chooses the output profile of the medium and quality (colour modes 1 and 3); true when
    /// its file is installed.
    bool getMediaICCProfile();
    /// Decides whether the proof preview is possible; true when the output profile is missing.
    bool validatePreviewProof();
    /// Keeps a medium the database supports, else takes the database's default medium and its
    /// name in the user's region.
    void validateMedia(const cf::Bundle* bundle, std::int16_t mediumID,
                       const std::optional<std::string>& name);
    bool createPrintModeTbl();
    void terminatePrintModeTblHdl();

    // Persistent settings.
    void convertToUISave(UISave* record) const;
    void convertFromUISave(const UISave& record);
    void convertFromUISaveBasicSetup(const UISave& record);
    void convertFromUISavePageSetup(const UISave& record);
    void convertFromUISaveColorSetup(const UISave& record);
    void convertFromUISavePatternPrintDialog(const UISave& record);
    /// The printer's saved settings, else the model's defaults: 0, or kPlgFileNotFound.
    std::uint32_t loadUISettingToCommonData();
    void saveUISettingFromCommonData() const;
    /// The model's defaults from the model-information bundle: 0, or kPlgFileNotFound.
    std::uint32_t loadUIDefaultToCommonData();

    // Print history and favourites.
    /// The printer's history from its file, none without one.
    void createPrintHistoryData();
    /// Adds the entry of the job just printed at the front; the oldest beyond 200 goes.
    void addPrintHistoryData(std::uint8_t pattern, std::int32_t finished);
    const PrintJobs* getPrintHistoryData() const { return m_jobs.get(); }
    const PrintJobs* getFavoriteData() const { return m_favorite.get(); }
    /// The model keeps a copy of the list and releases the given one; none is ignored.
    void setPrintHistoryData(PrintJobsPtr list);
    void setFavoriteData(PrintJobsPtr list);
    /// The printer's favourites from its file, else one entry of the model's defaults.
    void createFavoriteData();
    /// Moves the favourite at `from` to `to` (both from 0); the entries that moved are numbered
    /// after their new places.
    void swapFavoriteData(std::int32_t from, std::int32_t to);
    void saveJobHistoryAndFavoriteFromCommonData() const;

    // Job numbers, dates and the caption text.
    /// Year, month, day, hour and minute of now.
    void getDate(std::int32_t date[5]) const;
    std::string getDateStrings() const;
    std::int32_t getJobNumberCount() const;
    std::string getJobNumberStrings(std::int32_t number) const;
    std::string getColorAdjustStrings() const;
    std::string makeCaptionStrings() const;

    // The core job record.
    /// Fills the caller's zeroed record for a print or the preview: 0, kPlgRecordOutOfMemory
    /// for no record, kPlgFileNotFound for no host record or no print-common values.
    std::uint32_t setCoreCommonTable(CoreCommonInfoTbl* record, CommonInfoTable* host);
    /// Releases the record's strings, each once, and clears their slots.
    void terminateCoreCommonTable(CoreCommonInfoTbl* record) const;

  private:
    static constexpr std::uint8_t kHostPhotoApplication = 2;

    const cf::Bundle* plugInBundle() const;
    std::string menuLabel(std::int32_t value, const PopMenuTbl* table,
                          std::int64_t tableBytes) const;
    const char* productFolder() const;
    void applyDefaultRecordOverrides(UISave* record) const;
    void setPaperFromBundle(std::int32_t sizeID);
    void convertFromUISaveMediaDetail(const UISave& record);
    void convertFromUISaveEnvironment(const UISave& record);
    void convertFromUISaveRollWidth(const UISave& record);
    void convertFromUISaveToneCurves(const UISave& record);
    void convertFromUISaveCaptionsAndDialog(const UISave& record);

    const cf::Bundle* m_plugInBundle = nullptr;
    mutable std::unique_ptr<cf::Bundle> m_foundPlugInBundle;
    ModelClock m_clock = systemLocalDate;

    // Host and printer identity.
    std::uint8_t m_callApplicationType = 1;
    std::optional<std::string> m_cfPlugInTitleName;
    std::optional<std::string> m_cfPlugInVersion;
    std::optional<std::string> m_cfInterfaceName;
    std::uint16_t m_imageMode = 0;
    std::int32_t m_VPXSharpness = 0;
    std::optional<std::string> m_cfPopupName;
    std::optional<std::string> m_cfConnectionType;
    std::optional<std::string> m_cfPrinterShortName;
    std::optional<std::string> m_cfDBName;
    std::int32_t m_connectionTypeID = 0;
    std::int32_t m_printerID = 0;
    std::uint8_t m_adobeCMMInstalled = 0;

    // Dialog state.
    std::uint16_t m_defaultUnit = 0;
    std::uint16_t m_unit = 0;
    std::int32_t m_selectTab = 0;
    std::uint8_t m_notEndDialog = 0;
    std::uint8_t m_notICCv4Dialog = 0;
    std::uint8_t m_windowZoom = 0;
    PlgRect m_windowRect;
    std::int32_t m_previewSelect = 0;
    std::uint8_t m_selRangePrint = 0;
    std::uint8_t m_previewProof = 0;
    std::uint8_t m_previewProofEnable = 0;
    PlgRect m_originImageRect_imagePV;
    std::uint8_t m_clopFlag = 0;
    PlgRect m_clopRect;
    std::uint8_t m_firstSelect = 0;
    std::uint8_t m_firstBPCValue = 0;

    // Medium and print quality.
    PrintModeTbl m_hPrintModeTbl = nullptr;
    std::uint8_t* m_mediaData = nullptr;
    std::int32_t m_current_inksys = 0;
    std::int16_t m_mediumID = 0;
    std::optional<std::string> m_mediumName;
    std::int32_t m_optimize = 0;
    std::int32_t m_printMode = 0;
    std::int16_t m_method = 0;
    std::int16_t m_resolution = 0;
    std::int16_t m_ht = 0;
    std::uint16_t m_inputResolution = 0;
    std::uint16_t m_inputBit = 0;

    // Colour management.
    std::int32_t m_colorMode = 0;
    std::int32_t m_outputProfileModelID = 0;
    std::int32_t m_proofProfileModelID = 0;
    std::optional<std::string> m_outputProfileName;
    std::optional<std::string> m_outputProfilePath;
    std::optional<std::string> m_proofProfileName;
    std::optional<std::string> m_proofProfilePath;
    std::uint8_t m_proof = 0;
    std::int16_t m_matchingMethod = 0;

    // Page.
    std::uint8_t m_noFrame = 0;
    std::uint8_t m_expansionReduction = 0;
    std::int32_t m_fitType = 0;
    double m_magnification = 0;
    std::int32_t m_paperSource = 0;
    std::int32_t m_printDirection = 0;
    std::int32_t m_printLayout = 0;
    std::int32_t m_layout_Top = 0;
    std::int32_t m_layout_Left = 0;
    std::int32_t m_rollLayout = 0;
    std::int32_t m_copies = 0;
    std::int32_t m_paperSizeID = 0;
    std::optional<std::string> m_paperSizeName;
    std::int32_t m_paperWidth = 0;
    std::int32_t m_paperHeight = 0;
    MenuDataArray m_customPaper_List = nullptr;

    // Grouped records.
    MediaDetailValues m_mediaDetails;
    EnvironmentValues m_environments;
    ICCOptionValues m_iccOptions;
    RollWidthValues m_rollWidth;
    RollOptionValues m_rollOptions;
    ColorAdjustValues m_colorAdjusts;
    ToneCurveValues m_toneCurves;
    CaptionValues m_captions;
    PatternUISettings m_patterns_color;
    PatternUISettings m_patterns_mono;
    std::uint8_t m_centerMSG_NoDisplay = 0;
    std::uint8_t m_patternWindowZoom = 0;

    // Host image and preview data.
    std::unique_ptr<CommonInfoTable> m_commonInfo;
    ExportImageData m_imageData;
    ModelImageData m_previewImageData;
    ModelImageData m_partImageData;
    PrintJobsPtr m_jobs;
    PrintJobsPtr m_favorite;
};
