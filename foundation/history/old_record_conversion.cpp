// One version-200 record turned into a history entry with its settings.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "helpers/text_encoding.h"
#include "history/old_records.h"
#include "profiles/profile_name.h"

namespace {

constexpr const char* kUtf8 = "UTF-8";
constexpr double kPercent = 100.0;
constexpr std::int32_t kProfileColorMode = 4;
constexpr std::int32_t kNoColorManagement = 1;
// The enlargement method that makes the record's own field count whatever the selector says.
constexpr std::int32_t kOwnEnlargementMethod = 5;

// Settings the converted record always gets.
constexpr std::int32_t kConvertedFromOldVersion = 1;
constexpr std::int32_t kConvertedGradation = 4;
constexpr std::int32_t kConvertedSelectTab = 1;

// A text field as UTF-8; none when empty or not convertible. The length byte counts for no
// more than the field holds.
template <std::size_t Capacity>
HistoryString fieldText(const PascalString<Capacity>& field, const char* encoding) {
    const auto length = std::min<std::size_t>(field.length, Capacity);
    if (length == 0) {
        return std::nullopt;
    }
    return text_encoding::convert(
        std::string_view(reinterpret_cast<const char*>(field.text), length), encoding, kUtf8);
}

// The file name between the last "[" and the last "]" of a profile text, without any folder.
std::optional<std::string> bracketedFileName(std::string_view text) {
    const std::size_t open = text.rfind('[');
    const std::size_t close = text.rfind(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return std::nullopt;
    }
    std::string_view name = text.substr(open + 1, close - open - 1);
    if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    return std::string(name);
}

struct InstalledProfile {
    std::string name;
    std::string path;
};

// The installed profile that a profile text names, when it has a display name and a path.
std::optional<InstalledProfile> namedProfile(const Str255& field, const char* encoding) {
    const HistoryString text = fieldText(field, encoding);
    const auto fileName = text ? bracketedFileName(*text) : std::nullopt;
    InstalledProfile found;
    if (!fileName ||
        GetProfileNameAndPathFromFileName(fileName->c_str(), &found.name, &found.path) != 1 ||
        found.name.empty() || found.path.empty()) {
        return std::nullopt;
    }
    return found;
}

// 100 x scale, truncated toward zero and kept within 32 bits.
std::int32_t scalingValue(double scale) {
    const double percent = std::trunc(scale * kPercent);
    if (std::isnan(percent)) {
        return 0;
    }
    constexpr auto kLow = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    constexpr auto kHigh = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::clamp(percent, kLow, kHigh));
}

bool selectsOldEnlargementField(std::int32_t selector) {
    constexpr std::pair<std::int32_t, std::int32_t> kRanges[] = {
        {200, 204}, {210, 212}, {220, 221}, {230, 232}};
    return std::ranges::any_of(kRanges, [selector](const auto& range) {
        return selector >= range.first && selector <= range.second;
    });
}

void convertProfiles(const RegistRec& rec, const char* encoding, UISave& ui) {
    ui.ColorMode = convColorMode(rec.colorMode);
    if (ui.ColorMode == kProfileColorMode) {
        ui.OutputProfile = rec.colorMode;
        if (const auto profile = namedProfile(rec.outputProfile, encoding)) {
            ui.OutputProfileName = profile->name;
            ui.OutputProfilePath = profile->path;
        } else {
            ui.ColorMode = kNoColorManagement;
        }
    }
    ui.Proof = rec.proof;
    ui.ProofProfile = rec.proofProfile;
    if (const auto profile = namedProfile(rec.proofProfileText, encoding)) {
        ui.ProofProfileName = profile->name;
        ui.ProofProfilePath = profile->path;
    } else {
        ui.Proof = 0;
    }
}

void convertCurves(const RegistRec& rec, UISave& ui) {
    struct Curve {
        std::int32_t UISave::*pointCount;
        UISaveCurve UISave::*x;
        UISaveCurve UISave::*y;
    };
    constexpr Curve kCurves[kRegistCurves] = {
        {&UISave::Curves_RGB_PointNum, &UISave::Curves_RGB_X, &UISave::Curves_RGB_Y},
        {&UISave::Curves_R_PointNum, &UISave::Curves_R_X, &UISave::Curves_R_Y},
        {&UISave::Curves_G_PointNum, &UISave::Curves_G_X, &UISave::Curves_G_Y},
        {&UISave::Curves_B_PointNum, &UISave::Curves_B_X, &UISave::Curves_B_Y},
        {&UISave::Curves_Gray_PointNum, &UISave::Curves_Gray_X, &UISave::Curves_Gray_Y},
    };
    static_assert(kRegistCurveSlots == kUISaveCurveSlots);
    ui.Curves_SelChannel = rec.curvesSelChannel;
    for (int c = 0; c < kRegistCurves; ++c) {
        const std::int32_t claimed = rec.curvePointCounts[c];
        const std::int32_t points = std::clamp(claimed, 0, kRegistCurveSlots);
        ui.*kCurves[c].pointCount = points;
        for (int i = 0; i < points; ++i) {
            (ui.*kCurves[c].x)[i] = rec.curveX[c][i];
            (ui.*kCurves[c].y)[i] = rec.curveY[c][i];
        }
    }
}

void convertPrintSettings(const RegistRec& rec, const char* encoding, UISave& ui) {
    ui.MediaType = rec.mediaType;
    ui.MediaTypeName = fieldText(rec.mediaTypeName, encoding);
    ui.MatchingMethod = static_cast<std::int16_t>(convMatchingMethod(rec.matchingMethod));
    ui.InputResolution = rec.inputResolution;
    ui.InputBit = rec.inputBit;
    ui.Copies = rec.copies;
    ui.ClosePluginAfterPrinting = rec.closePluginAfterPrinting;
    ui.PrintMode = rec.printMode;
    ui.BorderlessPrinting = rec.borderlessPrinting;
    ui.Enlarged_ReducedPrinting = ui.Enlarged_ReducedPrinting_VPX = rec.enlargedReducedPrinting;
    ui.Enlarged_ReducedMethod = ui.Enlarged_ReducedMethod_VPX = rec.enlargedReducedMethod;
    ui.ScalingValue = scalingValue(rec.scale);
    ui.PaperSize = rec.paperSize;
    ui.PaperSizeName = fieldText(rec.paperSizeName, encoding);
    ui.PaperSizeWidth = rec.paperSizeWidth;
    ui.PaperSizeHeight = rec.paperSizeHeight;
    ui.Orientation = rec.orientation;
    ui.Layout = convLayout(rec.layout);
    ui.FromTopMargin = rec.fromTopMargin;
    ui.FromLeftMargin = rec.fromLeftMargin;
    ui.PaperSource = rec.paperSource;
    ui.RoolPaperLayout = convRoolPaperLayout(rec.rollPaperLayout);
    ui.RollPaperWidth = rec.rollPaperWidth;
    ui.AutomaticCutting = rec.automaticCutting;
    ui.ConservePaper = rec.conservePaper;
}

void convertColorSettings(const RegistRec& rec, UISave& ui) {
    ui.Cyan = rec.cyan;
    ui.Magenta = rec.magenta;
    ui.Yellow = rec.yellow;
    ui.Brightness = rec.brightness;
    ui.Contrast = rec.contrast;
    ui.Saturation = rec.saturation;
    ui.GrayTone = rec.grayTone;
    ui.ColorBalance = rec.colorBalance;
    ui.Point_X = rec.pointX;
    ui.Point_Y = rec.pointY;
    ui.Mono_Brightness = rec.monoBrightness;
    ui.Mono_Contrast = rec.monoContrast;
    ui.Mono_Highlight = rec.monoHighlight;
    ui.Mono_Shadow = rec.monoShadow;
    convertCurves(rec, ui);
}

void convertPrinterSettings(const RegistRec& rec, const char* encoding, UISave& ui) {
    ui.DryingTime_BetweenPages = rec.dryingTimeBetweenPages;
    ui.DryingTime_BetweenScans = rec.dryingTimeBetweenScans;
    ui.SafetyMargin_NearEndMargin = rec.safetyMarginNearEnd;
    ui.SafetyMargin_FarEndMargin = rec.safetyMarginFarEnd;
    ui.MediaThickness = rec.mediaThickness;
    ui.VacuumStrength = rec.vacuumStrength;
    ui.CutSpeed = rec.cutSpeed;
    ui.BlurPrevention = rec.blurPrevention;
    ui.Mirror = rec.mirror;
    ui.CalibrationValue = convCalibrationValue(rec.calibrationValue);
    ui.UnidirectionalPrinting = rec.unidirectionalPrinting;
    const SSCValues ssc = convSSC(rec.ssc);
    ui.SSCCheck = ssc.check;
    ui.SSCAdjustment = ssc.adjustment;
    ui.DotPlacement = convInkImpact(rec.inkImpact);
    ui.Sharpen = rec.sharpen;
    ui.Background = rec.background;
    ui.OutputMethod = convOutputMethod(rec.outputMethod);
    ui.InboxNo = rec.inboxNo;
    ui.PrintAfterReceptionIsComplete = rec.printAfterReception;
    ui.NameOfDataToBeSaved = fieldText(rec.nameOfDataToBeSaved, encoding);
    const bool oldField = selectsOldEnlargementField(rec.enlargementSelector) &&
                          rec.enlargementMethod != kOwnEnlargementMethod;
    ui.ImageEnlargementMethod =
        convImageEnlargementMethod(oldField ? rec.oldEnlargementMethod : rec.enlargementMethod);
    ui.InkSystem = convInkSystem(rec.inkSystem);
    ui.ConversionEngine = rec.conversionEngine == 0 ? 1 : rec.conversionEngine;
    ui.BlackPointCompensation = rec.blackPointCompensation;
    ui.SimulatePaperColor = rec.simulatePaperColor;
}

// The settings that old records do not hold: the values of missing keys (which give the
// test-pattern settings theirs), with the dialog's choices for a converted set.
UISave convertedBase() {
    UISave ui;
    const cf::Value none = cf::Value::emptyDictionary();
    getSaveData(&none, &ui);
    ui.Gamma = 0;
    ui.ConvertOldVersion = kConvertedFromOldVersion;
    ui.Gradation = kConvertedGradation;
    for (std::int32_t UISave::*shown :
         {&UISave::InfomationPrintPosition, &UISave::PrintHistoryNumber, &UISave::FileName,
          &UISave::PrintedAt, &UISave::ColorAdjustmentValue, &UISave::PrinterName,
          &UISave::CommentChk}) {
        ui.*shown = 1;
    }
    ui.SelectTab = kConvertedSelectTab;
    return ui;
}

}  // namespace

void change_SetDataListFromRegistRec(SetDataList* entry, const RegistRec* record,
                                     std::int32_t* printerID, const char* legacyEncoding) {
    if (entry == nullptr || record == nullptr) {
        return;
    }
    const char* encoding = legacyEncoding != nullptr ? legacyEncoding : kLegacyTextEncoding;
    const RegistRec& rec = *record;
    if (printerID != nullptr) {
        *printerID = changePrinterID(rec.printerType);
    }
    entry->NameString = fieldText(rec.name, encoding);
    entry->FileNameString = fieldText(rec.fileName, encoding);
    entry->DateString = fieldText(rec.date, encoding);
    entry->ColorSetString = fieldText(rec.colorSet, encoding);
    entry->PrinterNameString = fieldText(rec.printerName, encoding);
    entry->CommentString = fieldText(rec.comment, encoding);
    entry->listNumber = rec.listNumber;
    entry->DateCount = rec.dateCount;
    entry->DefaultFlg = (rec.flags & kRegistFlagDefault) != 0 ? 1 : 0;
    entry->PrintFinish = (rec.flags & kRegistFlagFailed) == 0 ? 1 : 0;

    UISave ui = convertedBase();
    convertPrintSettings(rec, encoding, ui);
    if (entry->DefaultFlg == 1) {
        ui.MediaType = 0;
        ui.MediaTypeName.reset();
    }
    convertProfiles(rec, encoding, ui);
    convertColorSettings(rec, ui);
    convertPrinterSettings(rec, encoding, ui);
    entry->settings = std::move(ui);
}
