// The settings model to and from a printer's settings record (`UISave`), and the flows that
// load the printer's settings, fall back to the model's defaults and save them.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "common_data.h"
#include "helpers/kstat.h"
#include "hundredths.h"
#include "loaders/media_db_loader.h"
#include "loaders/model_atlas_loader.h"
#include "model_codes.h"
#include "paper/paper_size.h"
#include "printmode/print_mode_query.h"
#include "profiles/color_engine_settings.h"
#include "settings/settings_folders.h"
#include "settings/ui_setting.h"

namespace {

constexpr std::int32_t kColorModeProfile = 4;
constexpr std::int32_t kFirstCustomPaper = 30000;
constexpr std::int32_t kDefaultPaperSize = 2;
constexpr std::uint16_t kNoPaperSourceMode = 0;
constexpr std::int32_t kPaperSourceWithoutDatabase = 512;
constexpr double kScalingPerPercent = 100.0;
constexpr std::int32_t kNormalColorEngine = 1;
constexpr std::int32_t kHostColorEngine = 2;

struct FreeText {
    void operator()(char* text) const { std::free(text); }
};

std::uint8_t lowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}

std::int32_t clampedPointCount(std::int32_t count) {
    return std::clamp(count, 0, kModelCurvePoints);
}

// The curve fields of one channel of the record.
struct CurveKeys {
    std::int32_t UISave::*pointCount;
    std::int32_t UISave::*selectedPoint;
    UISaveCurve UISave::*x;
    UISaveCurve UISave::*y;
};

constexpr CurveKeys kCurveKeys[kModelCurveChannels] = {
    {&UISave::Curves_RGB_PointNum, &UISave::Curves_RGB_SelPoint, &UISave::Curves_RGB_X,
     &UISave::Curves_RGB_Y},
    {&UISave::Curves_R_PointNum, &UISave::Curves_R_SelPoint, &UISave::Curves_R_X,
     &UISave::Curves_R_Y},
    {&UISave::Curves_G_PointNum, &UISave::Curves_G_SelPoint, &UISave::Curves_G_X,
     &UISave::Curves_G_Y},
    {&UISave::Curves_B_PointNum, &UISave::Curves_B_SelPoint, &UISave::Curves_B_X,
     &UISave::Curves_B_Y},
    {&UISave::Curves_Gray_PointNum, &UISave::Curves_Gray_SelPoint, &UISave::Curves_Gray_X,
     &UISave::Curves_Gray_Y},
};

// The test-pattern fields of the record, for colour or for monochrome.
struct PatternKeys {
    std::int32_t UISave::*paperSource;
    std::int32_t UISave::*useSize;
    UISaveString UISave::*useSizeName;
    std::int32_t UISave::*values[13];  // "UseWSize" to "BackGroundColor", in key order
    std::int32_t UISave::*appliesAdjust;
};

constexpr PatternKeys kColorPatternKeys = {
    &UISave::PaperSource_Color,
    &UISave::UseSize_Color,
    &UISave::UseSizeName_Color,
    {&UISave::UseWSize_Color, &UISave::UseHSize_Color, &UISave::PaperSave_Color,
     &UISave::XAdjustItem_Color, &UISave::XCount_Color, &UISave::XAdjustInterval_Color,
     &UISave::YAdjustItem_Color, &UISave::YCount_Color, &UISave::YAdjustInterval_Color,
     &UISave::PatternRotate_Color, &UISave::PatternSize_Color, &UISave::PatternSpace_Color,
     &UISave::BackGroundColor_Color},
    &UISave::AppliesAdjust_Color,
};

constexpr PatternKeys kMonoPatternKeys = {
    &UISave::PaperSource_Mono,
    &UISave::UseSize_Mono,
    &UISave::UseSizeName_Mono,
    {&UISave::UseWSize_Mono, &UISave::UseHSize_Mono, &UISave::PaperSave_Mono,
     &UISave::XAdjustItem_Mono, &UISave::XCount_Mono, &UISave::XAdjustInterval_Mono,
     &UISave::YAdjustItem_Mono, &UISave::YCount_Mono, &UISave::YAdjustInterval_Mono,
     &UISave::PatternRotate_Mono, &UISave::PatternSize_Mono, &UISave::PatternSpace_Mono,
     &UISave::BackGroundColor_Mono},
    &UISave::AppliesAdjust_Mono,
};

// The 13 saved values of the pattern settings, in the order of their keys.
void patternValues(PatternUISettings& s, std::int32_t* (&values)[13]) {
    std::int32_t* fields[13] = {reinterpret_cast<std::int32_t*>(&s.paperWSize),
                                reinterpret_cast<std::int32_t*>(&s.paperHSize),
                                &s.paperSave,
                                &s.xAdjustItem,
                                &s.xCount,
                                &s.xAdjustInterval,
                                &s.yAdjustItem,
                                &s.yCount,
                                &s.yAdjustInterval,
                                &s.patternRotate,
                                &s.patternSize,
                                &s.patternSpace,
                                &s.backGroundColor};
    std::copy(std::begin(fields), std::end(fields), std::begin(values));
}

void patternToRecord(PatternUISettings settings, const PatternKeys& keys, UISave* record) {
    record->*keys.paperSource = settings.paperSource;
    record->*keys.useSize = settings.useWidth;
    record->*keys.useSizeName = settings.paperSizeName;
    std::int32_t* values[13];
    patternValues(settings, values);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        record->*keys.values[i] = *values[i];
    }
    record->*keys.appliesAdjust = settings.appliesAdjust;
}

void patternFromRecord(const UISave& record, const PatternKeys& keys, PatternUISettings* settings) {
    settings->paperSource = record.*keys.paperSource;
    settings->useWidth = record.*keys.useSize;
    settings->paperSizeName = record.*keys.useSizeName;
    std::int32_t* values[13];
    patternValues(*settings, values);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        *values[i] = record.*keys.values[i];
    }
    settings->appliesAdjust = record.*keys.appliesAdjust;
}

// The roll width ID at a position counted from 1 in the printer's supported roll widths.
std::optional<std::int32_t> supportedRollWidthAt(std::int32_t printerID, std::int32_t position) {
    cf::Value* array = nullptr;
    Load_GetSupportRollWidthIDArray(printerID, &array);
    const std::unique_ptr<cf::Value> owned(array);
    if (owned == nullptr || owned->array() == nullptr || position < 1 ||
        static_cast<std::size_t>(position) > owned->array()->size()) {
        return std::nullopt;
    }
    const auto id = (*owned->array())[static_cast<std::size_t>(position - 1)].integer();
    return id ? std::optional<std::int32_t>(static_cast<std::int32_t>(*id)) : std::nullopt;
}

}  // namespace

void kCommonDataClass_ZORVEX_common_V600_PS::convertToUISave(UISave* record) const {
    *record = UISave{};
    UISave& r = *record;
    r.MediaType = m_mediumID;
    r.MediaTypeName = m_mediumName;

    r.DryingTime_BetweenPages = m_mediaDetails.pageWaitTime;
    r.DryingTime_BetweenScans = m_mediaDetails.bandWaitTime;
    r.SafetyMargin_NearEndMargin = m_mediaDetails.tipSpace;
    r.SafetyMargin_FarEndMargin = m_mediaDetails.backendSpace;
    r.CutSpeed = m_mediaDetails.cutspeed;
    r.CalibrationValue = m_mediaDetails.calibration;
    r.Mirror = m_mediaDetails.mirror;
    r.UnidirectionalPrinting = m_mediaDetails.forceOneDirection;
    r.DotPlacement = m_mediaDetails.inkImpact;
    r.MediaThickness = m_mediaDetails.paperThick;
    r.VacuumStrength = m_mediaDetails.paperSuction;
    r.SSCCheck = m_mediaDetails.ssc;
    r.SSCAdjustment = m_mediaDetails.sscLevel;
    r.BlurPrevention = m_mediaDetails.grazeGurd;

    r.InputResolution = static_cast<std::int16_t>(m_inputResolution);
    r.InputBit = static_cast<std::int16_t>(m_inputBit);
    r.PrintMode = m_printMode;
    r.ColorMode = m_colorMode;
    r.OutputProfile = m_outputProfileModelID;
    r.OutputProfileName = m_outputProfileName;
    r.OutputProfilePath = m_outputProfilePath;
    r.Proof = m_proof;
    r.ProofProfile = m_proofProfileModelID;
    r.ProofProfileName = m_proofProfileName;
    r.ProofProfilePath = m_proofProfilePath;
    r.MatchingMethod = m_matchingMethod;
    r.Copies = m_copies;

    r.ConversionEngine = m_iccOptions.convertEngine;
    r.BlackPointCompensation = m_iccOptions.blackCorect;
    r.SimulatePaperColor = m_iccOptions.paperColor;

    r.Sharpen = m_environments.sharpness;
    r.ImageEnlargementMethod = m_environments.expandMethod;
    r.Background = m_environments.backgroundPrint;
    r.ClosePluginAfterPrinting = m_environments.printAfterEnd;
    r.OutputMethod = m_environments.jobOutputMethod;
    r.InboxNo = m_environments.boxNumber;
    r.NameOfDataToBeSaved = m_environments.saveDataName;
    r.PrintAfterReceptionIsComplete = m_environments.printAlldataReceved;
    r.AlertDialogAllDefault = m_environments.defaultAlertDialog;

    r.BorderlessPrinting = m_noFrame;
    r.Enlarged_ReducedPrinting = m_expansionReduction;
    r.Enlarged_ReducedMethod = m_fitType;
    r.ScalingValue = wholeHundredths(m_magnification);
    r.PaperSize = m_paperSizeID;
    r.PaperSizeWidth = m_paperWidth;
    r.PaperSizeHeight = m_paperHeight;
    r.PaperSizeName = m_paperSizeName;
    r.Orientation = m_printDirection;
    r.Layout = m_printLayout;
    r.FromTopMargin = m_layout_Top;
    r.FromLeftMargin = m_layout_Left;
    r.RoolPaperLayout = m_rollLayout;
    r.PaperSource = m_paperSource;
    r.RollPaperWidth = m_rollWidth.rollPaperWidthID;
    r.AutomaticCutting = m_rollOptions.autoCut;
    r.ConservePaper = m_rollOptions.conservePaper;

    const ColorAdjustValues& c = m_colorAdjusts;
    r.Cyan = c.cr;
    r.Magenta = c.mg;
    r.Yellow = c.yb;
    r.GrayTone = c.gray;
    r.Brightness = c.brightness;
    r.Contrast = c.contrast;
    r.Saturation = c.saturation;
    r.Gamma = c.gamma;
    r.Gradation = c.grayGradation;
    r.ColorBalance = c.grayPreset;
    r.Point_X = c.grayX;
    r.Point_Y = c.grayY;
    r.Mono_Brightness = c.grayBrightness;
    r.Mono_Contrast = c.grayContrast;
    r.Mono_Highlight = c.grayHighlight;
    r.Mono_Shadow = c.grayShadow;
    r.Mono_WhiteFog = c.whiteFog;

    for (int channel = 0; channel < kModelCurveChannels; ++channel) {
        const CurveKeys& keys = kCurveKeys[channel];
        const std::int32_t count = clampedPointCount(m_toneCurves.pointCount[channel]);
        r.*keys.pointCount = count;
        for (int point = 0; point < count; ++point) {
            (r.*keys.x)[static_cast<std::size_t>(point)] = m_toneCurves.x[channel][point];
            (r.*keys.y)[static_cast<std::size_t>(point)] = m_toneCurves.y[channel][point];
        }
    }

    r.PrintInformation = m_captions.caption;
    r.InfomationPrintPosition = m_captions.infoPosition;
    r.PrintHistoryNumber = m_captions.number;
    r.FileName = m_captions.imFileName;
    r.PrintedAt = m_captions.dateTime;
    r.ColorAdjustmentValue = m_captions.colorSet;
    r.PrinterName = m_captions.printerName;
    r.CommentChk = m_captions.jobComment;
    r.CommentDetails = m_captions.comment;

    r.MaximizeDialogBox = m_windowZoom;
    r.PerformPrrof = m_previewProof;
    r.Preview = m_previewSelect;
    r.SelectTab = m_selectTab;
    r.InkSystem = m_current_inksys;
    r.NotEndDialog = m_notEndDialog;
    r.ICCV4NoDisplay = m_notICCv4Dialog;

    patternToRecord(m_patterns_color, kColorPatternKeys, record);
    patternToRecord(m_patterns_mono, kMonoPatternKeys, record);
    r.MaxSizePatternDialog = m_patternWindowZoom;
    r.NotPatternCenterDLG = m_centerMSG_NoDisplay;
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISave(const UISave& record) {
    convertFromUISaveBasicSetup(record);
    convertFromUISaveMediaDetail(record);
    m_iccOptions = {record.ConversionEngine, lowByte(record.BlackPointCompensation),
                    lowByte(record.SimulatePaperColor), 0};
    convertFromUISaveEnvironment(record);
    convertFromUISavePageSetup(record);
    convertFromUISaveRollWidth(record);
    convertFromUISaveColorSetup(record);
    convertFromUISaveToneCurves(record);
    convertFromUISaveCaptionsAndDialog(record);
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISaveBasicSetup(const UISave& record) {
    const int region = kStat::Get_RegionCode();
    if (record.MediaType != 0) {
        m_mediumID = record.MediaType;
        if (record.MediaTypeName) {
            m_mediumName = record.MediaTypeName;
        } else {
            // The name of the record's own medium, so that the name matches the medium shown.
            const std::unique_ptr<char, FreeText> name(
                Load_get_MediumName_FromMediumID2(m_mediaData, region, m_mediumID));
            m_mediumName = name == nullptr ? std::nullopt : std::optional<std::string>(name.get());
        }
    } else {
        m_mediumID = getDefaultMediumID();
        const std::unique_ptr<char, FreeText> name(
            Load_get_MediumName_FromMediumID2(m_mediaData, region, m_mediumID));
        m_mediumName = name == nullptr ? std::nullopt : std::optional<std::string>(name.get());
    }
    m_inputResolution = static_cast<std::uint16_t>(record.InputResolution);
    m_inputBit = static_cast<std::uint16_t>(record.InputBit);
    setPrintMode(record.PrintMode);
    m_colorMode = record.ColorMode;

    if (m_hPrintModeTbl == nullptr) {
        createPrintModeTbl();
    }
    if (m_hPrintModeTbl != nullptr) {
        std::int16_t method = 0;
        std::int16_t resolution = 0;
        std::int16_t halftone = 0;
        if (GetPrintMethodResIDHT(
                m_mediaData, m_hPrintModeTbl, m_mediumID,
                static_cast<std::int16_t>(m_inputResolution), static_cast<std::int16_t>(m_inputBit),
                static_cast<std::int16_t>(m_printMode), &method, &resolution, &halftone)) {
            setMethodResolutionHT(method, resolution, halftone);
        }
    }

    if (m_colorMode == kColorModeProfile) {
        m_outputProfileModelID = record.OutputProfile;
        if (record.OutputProfileName) {
            m_outputProfileName = record.OutputProfileName;
        }
        if (record.OutputProfilePath) {
            m_outputProfilePath = record.OutputProfilePath;
        }
    } else {
        getMediaICCProfile();
    }

    validatePreviewProof();
    m_proof = lowByte(record.Proof);
    m_proofProfileModelID = record.ProofProfile;
    if (record.ProofProfileName) {
        m_proofProfileName = record.ProofProfileName;
    }
    if (record.ProofProfilePath) {
        m_proofProfilePath = record.ProofProfilePath;
    }
    m_matchingMethod = record.MatchingMethod;
    m_copies = record.Copies;
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISaveMediaDetail(const UISave& record) {
    MediaDetailValues& d = m_mediaDetails;
    d.pageWaitTime = record.DryingTime_BetweenPages;
    d.bandWaitTime = record.DryingTime_BetweenScans;
    d.tipSpace = record.SafetyMargin_NearEndMargin;
    d.backendSpace = record.SafetyMargin_FarEndMargin;
    d.cutspeed = record.CutSpeed;
    d.calibration = record.CalibrationValue;
    d.forceOneDirection = lowByte(record.UnidirectionalPrinting);
    d.inkImpact = lowByte(record.DotPlacement);
    d.paperThick = record.MediaThickness;
    d.paperSuction = record.VacuumStrength;
    d.ssc = lowByte(record.SSCCheck);
    d.sscLevel = record.SSCAdjustment;
    d.grazeGurd = lowByte(record.BlurPrevention);
    d.mirror = lowByte(record.Mirror);
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISaveEnvironment(const UISave& record) {
    EnvironmentValues& e = m_environments;
    e.sharpness = record.Sharpen;
    e.expandMethod = record.ImageEnlargementMethod;
    e.backgroundPrint = lowByte(record.Background);
    e.printAfterEnd = lowByte(record.ClosePluginAfterPrinting);
    e.jobOutputMethod = record.OutputMethod;
    e.boxNumber = record.InboxNo;
    e.printAlldataReceved = lowByte(record.PrintAfterReceptionIsComplete);
    e.defaultAlertDialog = lowByte(record.AlertDialogAllDefault);
    // The save-data name is not read back: the model keeps its own.
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISavePageSetup(const UISave& record) {
    m_noFrame = lowByte(record.BorderlessPrinting);
    m_expansionReduction = lowByte(record.Enlarged_ReducedPrinting);
    m_fitType = record.Enlarged_ReducedMethod;
    m_magnification = record.ScalingValue / kScalingPerPercent;

    if (record.PaperSize == 0) {
        setPaperFromBundle(kDefaultPaperSize);
    } else if (record.PaperSize < kFirstCustomPaper) {
        setPaperFromBundle(record.PaperSize);
    } else if (record.PaperSizeName) {
        setOutputPaper(record.PaperSize, record.PaperSizeName, record.PaperSizeWidth,
                       record.PaperSizeHeight);
    } else if (m_customPaper_List != nullptr && m_customPaper_List->array() != nullptr) {
        const auto rows = static_cast<std::int32_t>(m_customPaper_List->array()->size());
        for (std::int32_t index = 1; index <= rows; ++index) {
            const char* name = nullptr;
            std::int32_t id = 0;
            std::int32_t width = 0;
            std::int32_t height = 0;
            bool enabled = false;
            if (KMenu::GetMenuData(m_customPaper_List, &name, &id, &width, &height, &enabled,
                                   index) == 0 &&
                id == record.PaperSize) {
                setOutputPaper(id,
                               name == nullptr ? std::nullopt : std::optional<std::string>(name),
                               width, height);
                break;
            }
        }
    }

    m_printDirection = record.Orientation;
    m_printLayout = record.Layout;
    m_layout_Top = record.FromTopMargin;
    m_layout_Left = record.FromLeftMargin;
    m_rollLayout = record.RoolPaperLayout;
    if (record.PaperSource != 0) {
        m_paperSource = record.PaperSource;
    } else if (m_mediaData != nullptr) {
        m_paperSource = Load_mdb3PaperSource(m_mediaData, m_mediumID, kNoPaperSourceMode);
    } else {
        m_paperSource = kPaperSourceWithoutDatabase;
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISaveRollWidth(const UISave& record) {
    std::optional<std::int32_t> id;
    if (record.ConvertOldVersion != 0) {
        id = supportedRollWidthAt(m_printerID, record.RollPaperWidth);
    } else if (record.RollPaperWidth != 0) {
        id = record.RollPaperWidth;
    }
    const std::int32_t widthID = id.value_or(Load_GetDafaultRollWithQDXAID(m_printerID));
    m_rollWidth = {widthID, GetQDXAMediaWidthValue(widthID)};
    m_rollOptions = {record.AutomaticCutting, lowByte(record.ConservePaper)};
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISaveColorSetup(const UISave& record) {
    ColorAdjustValues& c = m_colorAdjusts;
    c.cr = record.Cyan;
    c.mg = record.Magenta;
    c.yb = record.Yellow;
    c.gray = record.GrayTone;
    c.brightness = record.Brightness;
    c.contrast = record.Contrast;
    c.saturation = record.Saturation;
    c.grayX = record.Point_X;
    c.grayY = record.Point_Y;
    c.grayBrightness = record.Mono_Brightness;
    c.grayContrast = record.Mono_Contrast;
    c.grayHighlight = record.Mono_Highlight;
    c.grayShadow = record.Mono_Shadow;
    c.grayPreset = record.ColorBalance;
    c.grayGradation = record.Gradation;
    c.whiteFog = record.Mono_WhiteFog;
    // The gamma is not read back: the model keeps its own.
    convertFromUISavePatternPrintDialog(record);
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISavePatternPrintDialog(
    const UISave& record) {
    patternFromRecord(record, kColorPatternKeys, &m_patterns_color);
    patternFromRecord(record, kMonoPatternKeys, &m_patterns_mono);
    m_centerMSG_NoDisplay = lowByte(record.NotPatternCenterDLG);
    m_patternWindowZoom = lowByte(record.MaxSizePatternDialog);
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISaveToneCurves(const UISave& record) {
    m_toneCurves.channel = record.Curves_SelChannel;
    for (int channel = 0; channel < kModelCurveChannels; ++channel) {
        const CurveKeys& keys = kCurveKeys[channel];
        const std::int32_t count = clampedPointCount(record.*keys.pointCount);
        m_toneCurves.pointCount[channel] = count;
        m_toneCurves.selectedPoint[channel] = record.*keys.selectedPoint;
        for (int point = 0; point < count; ++point) {
            m_toneCurves.x[channel][point] = (record.*keys.x)[static_cast<std::size_t>(point)];
            m_toneCurves.y[channel][point] = (record.*keys.y)[static_cast<std::size_t>(point)];
        }
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::convertFromUISaveCaptionsAndDialog(
    const UISave& record) {
    m_captions.caption = lowByte(record.PrintInformation);
    m_captions.infoPosition = record.InfomationPrintPosition;
    m_captions.number = lowByte(record.PrintHistoryNumber);
    m_captions.imFileName = lowByte(record.FileName);
    m_captions.dateTime = lowByte(record.PrintedAt);
    m_captions.colorSet = lowByte(record.ColorAdjustmentValue);
    m_captions.printerName = lowByte(record.PrinterName);
    m_captions.jobComment = lowByte(record.CommentChk);
    m_captions.comment = record.CommentDetails;
    m_windowZoom = lowByte(record.MaximizeDialogBox);
    m_previewProof = lowByte(record.PerformPrrof);
    m_previewSelect = record.Preview;
    m_selectTab = record.SelectTab;
    m_current_inksys = record.InkSystem;
    m_notEndDialog = lowByte(record.NotEndDialog);
    m_notICCv4Dialog = lowByte(record.ICCV4NoDisplay);
}

const char* kCommonDataClass_ZORVEX_common_V600_PS::productFolder() const {
    return getCallVPX() ? kProductFolderVPX : kProductFolderStratoline;
}

std::uint32_t kCommonDataClass_ZORVEX_common_V600_PS::loadUISettingToCommonData() {
    const UISavePtr record(m_cfPrinterShortName
                               ? LoadUISetting(getCallVPX() ? 1 : 0, m_cfPrinterShortName->c_str())
                               : nullptr);
    if (record == nullptr) {
        return loadUIDefaultToCommonData();
    }
    convertFromUISave(*record);
    return 0;
}

// What a default record of the model takes from the host: the photo application's enlargement
// settings and the colour engine it can offer.
void kCommonDataClass_ZORVEX_common_V600_PS::applyDefaultRecordOverrides(UISave* record) const {
    if (getCallVPX()) {
        record->Enlarged_ReducedPrinting = record->Enlarged_ReducedPrinting_VPX;
        record->Enlarged_ReducedMethod = record->Enlarged_ReducedMethod_VPX;
    }
    if (m_adobeCMMInstalled == 1) {
        record->ConversionEngine = kHostColorEngine;
        record->BlackPointCompensation = Check_BPCValueFromPlist(false, true) ? 1 : 0;
    } else {
        record->ConversionEngine = kNormalColorEngine;
        record->BlackPointCompensation = 0;
    }
}

std::uint32_t kCommonDataClass_ZORVEX_common_V600_PS::loadUIDefaultToCommonData() {
    const UISavePtr record(GetUIDefault(m_printerID));
    if (record == nullptr) {
        return kPlgFileNotFound;
    }
    applyDefaultRecordOverrides(record.get());
    convertFromUISave(*record);
    return 0;
}

void kCommonDataClass_ZORVEX_common_V600_PS::saveUISettingFromCommonData() const {
    const UISavePtr record(CreateUISave());
    if (record == nullptr || !m_cfPrinterShortName) {
        return;
    }
    convertToUISave(record.get());
    SaveUISetting(m_cfPrinterShortName->c_str(), record.get(), productFolder());
}
