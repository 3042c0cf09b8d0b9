// The host stand-in's filling of the core job record from the model's defaults.
#include "job_record.h"

#include <algorithm>
#include <cstring>

#include "loaders/media_db_loader.h"
#include "loaders/model_atlas_loader.h"
#include "mediadb/media_db.h"
#include "paper/paper_size.h"
#include "paper/paper_source.h"
#include "printer/print_common.h"
#include "printer/printer_function.h"
#include "printmode/print_mode_query.h"
#include "printmode/print_mode_table.h"
#include "settings/ui_save.h"
#include "settings/ui_setting.h"

namespace host {

namespace {

constexpr std::int32_t kFixedValue = -300;
constexpr std::uint16_t kRollSources = 0x0F00;
constexpr std::uint16_t kSupportedSources = 1;
constexpr std::int32_t kPrintMode16 = 16;
constexpr std::uint8_t kConnectionLpr = 1;
constexpr std::size_t kShortNameMax = 15;
constexpr std::size_t kDatabaseNameMax = 15;
constexpr double kScalingPerPercent = 100.0;  // the settings keep the magnification × 100

// The dialog's choices as the core job record codes them.
std::int32_t colorModeCode(std::int32_t choice) {
    switch (choice) {
        case 2:
            return 3;  // monochrome photo
        case 3:
            return 2;  // no correction
        case 4:
            return 5;  // colour management with an output profile
        default:
            return 1;
    }
}

std::int32_t matchingCode(std::int32_t choice) {
    constexpr std::int32_t kCodes[] = {1, 5, 2, 3, 4};
    return choice >= 0 && choice <= 4 ? kCodes[choice] : 1;
}

std::int32_t expandMethodCode(std::int32_t choice) {
    return choice == 0 ? 1 : (choice == 2 ? 5 : 2);
}

std::int32_t calibrationCode(std::int32_t choice) {
    return choice == 1 ? 0 : (choice == 2 ? 1 : 3);
}

// The SSC setting: the level's code when the printer has SSC and the dialog turned it on.
std::int32_t sscCode(std::int32_t printerTypeID, const UISave& settings) {
    constexpr std::int32_t kSscOff = 2;
    constexpr std::int32_t kFirstLevelCode = 4;
    if (Check_SSC_Printer(printerTypeID) != 1 || settings.SSCCheck == 0 ||
        settings.SSCAdjustment < 1 || settings.SSCAdjustment > 3) {
        return kSscOff;
    }
    return kFirstLevelCode + settings.SSCAdjustment - 1;
}

// The model's first medium that a roll can carry, in database order.
std::optional<std::int16_t> firstRollMedium(std::uint8_t* database) {
    const std::int16_t count = Load_mdb3MediumCount(database);
    for (std::int16_t index = 0; index < count; ++index) {
        std::int16_t medium = 0;
        if (Load_mdb3MediumID(database, index, &medium) != 0 &&
            (Load_mdb3PaperSource(database, medium, kSupportedSources) & kRollSources) != 0) {
            return medium;
        }
    }
    return std::nullopt;
}

// The print mode of one input resolution and depth of a medium.
struct PrintModeChoice {
    std::int16_t resolutionCode;
    std::int16_t bitCode;
    std::int16_t printMode;
    std::int16_t method;
    std::int16_t resolution;
    std::int16_t halftone;
};

// The print mode for the medium: the chosen (else the default) resolution and depth with the
// default print mode when the medium has them; as the dialog does, an input resolution or depth
// the command line did not choose falls back to one the medium supports, the finer first.
std::optional<PrintModeChoice> choosePrintMode(std::uint8_t* database, PrintModeTbl table,
                                               std::int16_t mediumID, const JobChoices& choices,
                                               std::int16_t defaultPrintMode, const UISave& s) {
    constexpr std::int16_t kResolutionsFinestFirst[] = {2, 1};
    constexpr std::int16_t kBitsDeepestFirst[] = {2, 1, 0};
    std::vector<std::int16_t> resolutions{
        static_cast<std::int16_t>(choices.inputResolution.value_or(s.InputResolution))};
    if (!choices.inputResolution) {
        resolutions.insert(resolutions.end(), std::begin(kResolutionsFinestFirst),
                           std::end(kResolutionsFinestFirst));
    }
    std::vector<std::int16_t> bits{
        static_cast<std::int16_t>(choices.inputBit.value_or(s.InputBit))};
    if (!choices.inputBit) {
        bits.insert(bits.end(), std::begin(kBitsDeepestFirst), std::end(kBitsDeepestFirst));
    }
    for (const std::int16_t resolutionCode : resolutions) {
        for (const std::int16_t bitCode : bits) {
            PrintModeChoice c{resolutionCode, bitCode, defaultPrintMode, 0, 0, 0};
            if (GetPrintMethodResIDHT(database, table, mediumID, resolutionCode, bitCode,
                                      c.printMode, &c.method, &c.resolution, &c.halftone) ||
                GetDefaultPrintMode(table, mediumID, resolutionCode, bitCode, &c.printMode,
                                    &c.method, &c.resolution, &c.halftone)) {
                return c;
            }
        }
    }
    return std::nullopt;
}

template <std::size_t N>
void copyText(char (&field)[N], const std::string& text, std::size_t limit) {
    const std::size_t length = std::min({text.size(), limit, N - 1});
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

void fillCurves(CoreCommonInfoTbl& record, const UISave& s) {
    const std::int32_t* counts[] = {&s.Curves_RGB_PointNum, &s.Curves_R_PointNum,
                                    &s.Curves_G_PointNum, &s.Curves_B_PointNum,
                                    &s.Curves_Gray_PointNum};
    const UISaveCurve* xs[] = {&s.Curves_RGB_X, &s.Curves_R_X, &s.Curves_G_X, &s.Curves_B_X,
                               &s.Curves_Gray_X};
    const UISaveCurve* ys[] = {&s.Curves_RGB_Y, &s.Curves_R_Y, &s.Curves_G_Y, &s.Curves_B_Y,
                               &s.Curves_Gray_Y};
    for (int channel = 0; channel < kToneCurveChannels; ++channel) {
        const std::int32_t count = std::clamp(*counts[channel], 0, kToneCurvePoints);
        record.curvePointCount[channel] = count;
        for (int point = 0; point < count; ++point) {
            record.curveX[channel][point] = (*xs[channel])[static_cast<std::size_t>(point)];
            record.curveY[channel][point] = (*ys[channel])[static_cast<std::size_t>(point)];
        }
    }
}

}  // namespace

const cf::Value* JobRecord::keep(std::string text) {
    strings_.push_back(std::make_unique<cf::Value>(std::move(text)));
    return strings_.back().get();
}

JobRecord::~JobRecord() {
    CloseMediaDB(&mediaData_);
}

std::unique_ptr<JobRecord> JobRecord::fill(const JobChoices& choices, CommonInfoTable* host,
                                           std::string* error) {
    std::unique_ptr<JobRecord> job(new JobRecord);
    CoreCommonInfoTbl& r = job->record_;
    if (Load_GetEPrinterTypeID(choices.model.c_str(), &job->printerTypeID_) != 0) {
        *error = "the model-information bundle does not know the model " + choices.model;
        return nullptr;
    }
    const std::int32_t model = job->printerTypeID_;
    const UISavePtr settings(GetUIDefault(model));
    PrinterFunction* function = GetPrinterFunctionInfo(model);
    const std::string database =
        function != nullptr && function->MdbDBName ? *function->MdbDBName : std::string();
    TerminatePrinterFunctionInfo(function);
    cf::Value* commonArray = nullptr;
    Load_GetPrintCommonArray(model, &commonArray);
    const std::unique_ptr<cf::Value> common(commonArray);
    if (settings == nullptr || common == nullptr || database.empty() ||
        !OpenMediaDB(database.c_str(), &job->mediaData_)) {
        *error = "the model's default tables or its media database cannot be read";
        return nullptr;
    }
    const UISave& s = *settings;
    // The record is byte-packed and its model table lies at an odd offset; the table is filled
    // where its integers are aligned and copied in.
    alignas(std::int64_t) ModelAtlasTbl modelAtlas{};
    SetArrayToPrintCommon(&modelAtlas, common.get());
    std::memcpy(&r.modelAtlas, &modelAtlas, sizeof modelAtlas);

    // Job, colour and page settings.
    std::fill(std::begin(r.fixedValues), std::end(r.fixedValues), kFixedValue);
    const std::optional<std::int16_t> medium =
        choices.medium ? choices.medium : firstRollMedium(job->mediaData_);
    r.mediumID = medium.value_or(s.MediaType);
    r.colorMode = colorModeCode(choices.colorMode.value_or(s.ColorMode));
    r.proof = 1;
    r.matchingMethod = matchingCode(s.MatchingMethod);
    r.copies = choices.copies.value_or(s.Copies);
    r.noFrame = choices.borderless ? 1 : s.BorderlessPrinting;
    r.expansionReduction =
        choices.magnification || choices.fitType ? 1 : s.Enlarged_ReducedPrinting;
    r.fitType = choices.magnification ? 2 : choices.fitType.value_or(s.Enlarged_ReducedMethod);
    r.magnification = choices.magnification.value_or(s.ScalingValue / kScalingPerPercent);
    r.paperSizeID = s.PaperSize;
    r.printDirection = choices.turned ? 1 : s.Orientation;
    r.printLayout = choices.layout.value_or(s.Layout) + 1;
    r.printLayoutTop = s.FromTopMargin;
    r.printLayoutLeft = s.FromLeftMargin;
    r.paperSource = validatePaperSource(job->mediaData_, static_cast<std::int16_t>(r.mediumID),
                                        static_cast<std::uint16_t>(s.PaperSource));
    r.rollLayout = s.RoolPaperLayout == 1 ? 6 : 5;

    // Colour adjustment.
    r.cyanRed = s.Cyan;
    r.magentaGreen = s.Magenta;
    r.yellowBlue = s.Yellow;
    r.grayTone = s.GrayTone;
    r.gamma = s.Gamma;
    r.brightness = s.Brightness;
    r.contrast = s.Contrast;
    r.saturation = s.Saturation;
    r.grayGradation = s.Gradation;
    r.grayX = s.Point_X;
    r.grayY = s.Point_Y;
    r.grayBrightness = s.Mono_Brightness;
    r.grayContrast = s.Mono_Contrast;
    r.grayHighlight = s.Mono_Highlight;
    r.grayShadow = s.Mono_Shadow;
    r.whiteFog = s.Mono_WhiteFog;

    // Caption, media detail and environment.
    r.caption = choices.caption.empty() ? 0 : 1;
    r.infoPosition = s.InfomationPrintPosition;
    r.captionJobComment = choices.caption.empty() ? 0 : 1;
    r.captionText = choices.caption.empty() ? nullptr : job->keep(choices.caption);
    r.pageWaitTime = s.DryingTime_BetweenPages;
    r.bandWaitTime = s.DryingTime_BetweenScans;
    r.tipSpace = s.SafetyMargin_NearEndMargin;
    r.backendSpace = s.SafetyMargin_FarEndMargin;
    r.cutSpeed = s.CutSpeed;
    r.calibration = calibrationCode(s.CalibrationValue);
    r.mirror = choices.mirror ? 1 : s.Mirror;
    r.forceOneDirection = s.UnidirectionalPrinting;
    r.inkImpact = s.DotPlacement;
    r.blurPrevention = s.BlurPrevention;
    r.sscSetting = sscCode(model, s);
    r.paperThick = s.MediaThickness;
    r.paperSuction = s.VacuumStrength;
    r.conversionEngine = s.ConversionEngine;
    r.blackPointCompensation = s.ConversionEngine == 1 ? 0 : s.BlackPointCompensation;
    r.simulatePaperColor = s.SimulatePaperColor;
    r.sharpness = choices.sharpness.value_or(s.Sharpen);
    r.expandMethod = expandMethodCode(choices.expandMethod.value_or(s.ImageEnlargementMethod));
    r.backgroundPrint = choices.background ? 1 : s.Background;
    r.jobOutputMethod = s.OutputMethod;
    r.boxNumber = s.InboxNo;
    r.printAllDataReceived = s.PrintAfterReceptionIsComplete;
    r.rollPaperWidthID = s.RollPaperWidth;
    r.autoCut = s.AutomaticCutting;
    r.conservePaper = s.ConservePaper;
    r.monochromeMarker = r.colorMode == 3 ? 4 : 0;
    fillCurves(r, s);

    // Connection and printer names.
    r.connectionTypeID = kConnectionLpr;
    copyText(r.connectionTypeName, choices.connection, sizeof r.connectionTypeName - 1);
    copyText(r.printerPopUpName, choices.model + " " + choices.printerAddress, 255);
    const std::size_t nameLength = std::min(database.size(), kDatabaseNameMax);
    r.mediaDatabaseName[0] = static_cast<std::uint8_t>(nameLength);
    std::memcpy(r.mediaDatabaseName + 1, database.data(), nameLength);
    copyText(r.printerShortName, choices.model, kShortNameMax);
    r.inkSystem = s.InkSystem == 3 ? 2 : (s.InkSystem != 0 ? 1 : 0);

    // Host link, media and the print mode of the medium.
    r.commonInfo = host;
    r.sourceKind = host->sourceKind;
    r.mediaData = job->mediaData_;
    const PrintModeTbl table = MakePrintModeTable(job->mediaData_, model);
    const std::optional<PrintModeChoice> mode =
        choosePrintMode(job->mediaData_, table, static_cast<std::int16_t>(r.mediumID), choices,
                        static_cast<std::int16_t>(s.PrintMode), s);
    PrintModeTbl disposed = table;
    KMEM::k_DisposHandle(kPrintModeHandleKind, &disposed);
    if (!mode) {
        *error = "the medium " + std::to_string(r.mediumID) +
                 " has no print mode for this resolution and depth";
        return nullptr;
    }
    const auto mediumID = static_cast<std::int16_t>(r.mediumID);
    const auto [resolutionCode, bitCode, printMode, method, resolution, halftone] = *mode;
    r.inputResolution = resolutionCode;
    r.inputBit = bitCode;
    r.printMode = printMode;
    r.printMode16 = printMode == kPrintMode16 ? 1 : 0;
    r.method = method;
    r.resolution = resolution;
    r.halftone = halftone;
    DEF_QUALITY quality{static_cast<std::uint16_t>(method), static_cast<std::uint16_t>(resolution)};
    char profile[kMdbNameBytes] = {};
    std::uint32_t profileModel = 0;
    if (Load_mdb3OutputICC(job->mediaData_, mediumID, &quality, &profileModel, profile) != 0) {
        job->printerProfile_ = profile;
    }

    // Paper and roll.
    r.paperSizeID16 = static_cast<std::int16_t>(r.paperSizeID);
    std::int32_t paperWidth = 0;
    std::int32_t paperHeight = 0;
    Load_GetPaperSizeInfo(r.paperSizeID, &paperWidth, &paperHeight);
    r.paperWidth = paperWidth;
    r.paperHeight = paperHeight;
    r.rollWidthID = static_cast<std::int16_t>(r.rollPaperWidthID);
    r.rollWidth = GetQDXAMediaWidthValue(r.rollPaperWidthID);
    r.rollLength = GetQDXAMediaLengthValue(r.rollPaperWidthID);
    r.printerShortNameString = job->keep(choices.model);
    return job;
}

}  // namespace host
