// The core job record: the whole description of one print, preview or test-pattern job.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rastercore/common_info_table.h"

namespace cf {
class Value;
}

#pragma pack(push, 1)

/// The printer model's 46 print-common values, in the order of the model's keys.
struct ModelAtlasTbl {
    std::int32_t PrinterSize;
    std::int32_t SSC_Ink_RollWidth;
    std::int32_t OutputColorSpace;
    std::int32_t Tonara;
    std::int32_t Medab;
    std::int32_t OpenQDXA;
    std::int32_t HDD;
    std::int32_t JobPriority;
    std::int32_t JobStartProcessing;
    std::int32_t Unicode;
    std::int32_t PanelMessageMaxNum;
    std::int32_t Tray_Array_Priority;
    std::int32_t MarkerColorantDryingType;
    std::int32_t DPIType;
    std::int32_t MarginSize;
    std::int32_t CODEType;
    std::int32_t Message_check_2byte;
    std::int32_t MaxLineNum;
    std::int32_t MediaMaxMin;
    std::int32_t BlankBack_Thickness;
    std::int32_t Printing_Suction;
    std::int32_t Borderless_RollWidth;
    std::int32_t Tonara2Curve;
    std::int32_t JobStart2;
    std::int32_t Copies;
    std::int32_t GroupID;
    std::int32_t CuttingType_MarkerColorantDryingType;
    std::int32_t Optimize_Nup_OnePassPrint_DetailMediaInfo;
    std::int32_t BorderlessPrint_RollWidth;
    std::int32_t MediaCalibration;
    std::int32_t VGM;
    std::int32_t PathMode;
    std::int32_t Impressions;
    std::int32_t Graytone;
    std::int32_t TNR2_T_RGB_Y;
    std::int32_t IngammaTbl_bit;
    std::int32_t h_mono_photo;
    std::int32_t CreateTable;
    std::int32_t DetailMedia_Paper_Thickness_set;
    std::int32_t DetailMedia_Paper_Suction_set;
    std::int32_t Create_CSC1_AUTO_MONO;
    std::int32_t INKTYPE_ROLLWIDTH;
    std::int32_t SINGLE_SSC;
    std::int32_t PrintCentered;
    std::int32_t PrintMode;
    std::int32_t MonoCapColorProcessing;
};
static_assert(sizeof(ModelAtlasTbl) == 46 * 4);

/// Number of points a tone-curve channel can hold, and the channels of one set
/// (master RGB, red, green, blue, grey).
inline constexpr int kToneCurvePoints = 16;
inline constexpr int kToneCurveChannels = 5;

/// The core job record: 3125 bytes, no padding, little-endian. The caller allocates it zeroed,
/// fills it, passes it to the core and releases its strings. "string" fields point at `cf::Value`
/// strings that the record owns; "not owned" pointers belong to the caller.
struct CoreCommonInfoTbl {
    // Job, colour and page settings.
    std::int32_t fixedValues[4];  ///< each -300
    std::int32_t selectTab;       ///< selected setup tab, from 0
    std::int32_t previewSelect;   ///< 1 layout, 3 image, 4 roll preview
    std::int32_t selRangePrint;   ///< print only the selected range
    std::int32_t previewProof;
    std::int32_t windowZoom;
    std::int32_t mediumID;
    std::int32_t inputResolution;  ///< 1: 300 dpi, any other value 600 dpi
    std::int32_t inputBit;         ///< not 0: 16-bit working samples
    std::int32_t printMode;
    std::int32_t colorMode;
    const cf::Value* outputProfileName;  ///< string
    const cf::Value* outputProfilePath;  ///< string
    std::int32_t proof;
    const cf::Value* proofProfileName;  ///< string
    const cf::Value* proofProfilePath;  ///< string
    std::int32_t proofProfileModelID;
    std::int32_t matchingMethod;
    std::int32_t copies;
    std::int32_t noFrame;             ///< borderless printing
    std::int32_t expansionReduction;  ///< enlarged or reduced printing
    std::int32_t fitType;
    double magnification;  ///< percent
    std::int32_t paperSizeID;
    std::int32_t printDirection;
    std::int32_t printLayout;
    std::int32_t printLayoutTop;   ///< 1/100 mm
    std::int32_t printLayoutLeft;  ///< 1/100 mm
    std::int32_t paperSource;
    std::int32_t rollLayout;

    // Colour adjustment.
    std::int32_t cyanRed;
    std::int32_t magentaGreen;
    std::int32_t yellowBlue;
    std::int32_t grayTone;
    std::int32_t gamma;
    std::int32_t brightness;
    std::int32_t contrast;
    std::int32_t saturation;
    std::int32_t grayGradation;
    std::int32_t grayPreset;
    std::int32_t grayX;
    std::int32_t grayY;
    std::int32_t grayBrightness;
    std::int32_t grayContrast;
    std::int32_t grayHighlight;
    std::int32_t grayShadow;
    std::int32_t whiteFog;

    // Caption, media detail and environment.
    std::int32_t caption;
    std::int32_t infoPosition;
    std::int32_t captionNumber;
    std::int32_t captionFileName;
    std::int32_t captionDateTime;
    std::int32_t captionColorSet;
    std::int32_t captionPrinterName;
    std::int32_t captionJobComment;
    const cf::Value* captionComment;  ///< string
    std::int32_t pageWaitTime;
    std::int32_t bandWaitTime;
    std::int32_t tipSpace;
    std::int32_t backendSpace;
    std::int32_t cutSpeed;
    std::int32_t calibration;
    std::int32_t mirror;
    std::int32_t forceOneDirection;
    std::int32_t inkImpact;
    std::int32_t blurPrevention;
    std::int32_t sscSetting;
    std::int32_t paperThick;
    std::int32_t paperSuction;
    std::int32_t conversionEngine;  ///< 1 normal colour engine, 2 the host's
    std::int32_t blackPointCompensation;
    std::int32_t simulatePaperColor;
    std::int32_t fixedZero;
    std::int32_t sharpness;
    std::int32_t expandMethod;
    std::int32_t backgroundPrint;
    std::int32_t printAfterEnd;
    std::int32_t jobOutputMethod;  ///< 0 print, 1 print and delete, 2 store in a box
    std::int32_t boxNumber;
    const cf::Value* saveDataName;  ///< string
    std::int32_t printAllDataReceived;
    std::int32_t defaultAlertDialog;
    std::int32_t rollPaperWidthID;
    std::int32_t autoCut;
    std::int32_t conservePaper;

    // Tone curves: two sets of five channels of up to 16 points each (0 to 255 on both axes).
    std::int32_t monochromeMarker;
    std::int32_t curvePointCount[kToneCurveChannels];
    std::int32_t curveX[kToneCurveChannels][kToneCurvePoints];
    std::int32_t curveY[kToneCurveChannels][kToneCurvePoints];
    std::int32_t curve2PointCount[kToneCurveChannels];
    std::int16_t useCurve2;  ///< 1: use the second set
    std::int32_t curve2X[kToneCurveChannels][kToneCurvePoints];
    std::int32_t curve2Y[kToneCurveChannels][kToneCurvePoints];

    // Connection and printer names.
    std::uint8_t connectionTypeID;
    char connectionTypeName[256];        ///< UTF-8, NUL-terminated
    char printerPopUpName[512];          ///< UTF-8, NUL-terminated
    std::uint8_t mediaDatabaseName[16];  ///< length-prefixed, UTF-8
    char printerShortName[16];           ///< UTF-8, NUL-terminated
    std::int32_t inkSystem;

    // Test-pattern block.
    std::int32_t patternPaperSource;
    std::int32_t patternPaperSizeID;
    std::int32_t patternPaperWidth;   ///< 1/10 mm
    std::int32_t patternPaperLength;  ///< 1/10 mm
    std::int32_t patternConservePaper;
    std::int32_t patternXItem;
    std::int32_t patternXCount;
    std::int32_t patternXInterval;
    std::int32_t patternYItem;  ///< 16: no Y axis
    std::int32_t patternYCount;
    std::int32_t patternYInterval;
    std::int32_t patternRotation;  ///< 0 none, 1 each cell turned, 2 the whole layout
    std::int32_t patternFullSize;
    std::int32_t patternSpacing;
    std::int32_t patternBackgroundColor;  ///< 0 white, 1 black, 2 grey
    std::int32_t patternCenterX;
    std::int32_t patternCenterY;
    std::uint8_t patternUseSelection;
    std::int32_t patternSelectionWidth;
    std::int32_t patternSelectionHeight;
    const cf::Value* patternXTitle;         ///< string
    const cf::Value* patternYTitle;         ///< string
    const cf::Value* patternUnused2604;     ///< never written
    const cf::Value* patternMediumLine;     ///< string
    const cf::Value* patternPrintModeLine;  ///< string
    const cf::Value* patternProfileLine;    ///< string
    const cf::Value* patternOutOfRange;     ///< string
    const cf::Value* patternColorItems[7];  ///< strings: cyan to saturation
    const cf::Value* patternGrayItems[8];   ///< strings: gradation to white fog

    // Host link, crop and media.
    CommonInfoTable* commonInfo;   ///< the host's record, not owned
    std::uint8_t firstSelect;      ///< crop active
    std::uint32_t cropRange[4];    ///< left, top, right, bottom; written by the core
    double clopRect[4];            ///< x, y, width, height
    double imagePreviewRect[4];    ///< x, y, width, height
    std::uint8_t printMode16;      ///< 1 when the print mode is 16
    void* mediaData;               ///< the settings model's open media database, not owned
    const cf::Value* captionText;  ///< string
    std::int32_t sourceKind;
    std::int32_t method;
    std::int32_t resolution;
    std::int32_t halftone;
    const cf::Value* printerShortNameString;  ///< string
    std::int16_t paperSizeID16;
    const cf::Value* paperSizeName;  ///< string
    std::int32_t paperWidth;         ///< 1/10 mm
    std::int32_t paperHeight;        ///< 1/10 mm
    std::uint8_t unused2912[4];
    std::int16_t rollWidthID;
    const cf::Value* rollWidthName;  ///< string
    std::int32_t rollWidth;          ///< 1/10 mm
    std::int32_t rollLength;         ///< 1/10 mm
    std::uint8_t unused2934[4];
    ModelAtlasTbl modelAtlas;

    // Written by the core during a job.
    std::uint8_t cancelRequest;      ///< 1: the user cancelled (see the core's cancel channel)
    std::uint8_t patternPrint;       ///< 1: test-pattern job
    std::uint8_t patternCalcResult;  ///< result of the pattern layout calculation
};

#pragma pack(pop)

static_assert(sizeof(CoreCommonInfoTbl) == 3125);

// Every field at its fixed offset.
static_assert(offsetof(ModelAtlasTbl, PrinterSize) == 0);
static_assert(offsetof(ModelAtlasTbl, SSC_Ink_RollWidth) == 4);
static_assert(offsetof(ModelAtlasTbl, OutputColorSpace) == 8);
static_assert(offsetof(ModelAtlasTbl, Tonara) == 12);
static_assert(offsetof(ModelAtlasTbl, Medab) == 16);
static_assert(offsetof(ModelAtlasTbl, OpenQDXA) == 20);
static_assert(offsetof(ModelAtlasTbl, HDD) == 24);
static_assert(offsetof(ModelAtlasTbl, JobPriority) == 28);
static_assert(offsetof(ModelAtlasTbl, JobStartProcessing) == 32);
static_assert(offsetof(ModelAtlasTbl, Unicode) == 36);
static_assert(offsetof(ModelAtlasTbl, PanelMessageMaxNum) == 40);
static_assert(offsetof(ModelAtlasTbl, Tray_Array_Priority) == 44);
static_assert(offsetof(ModelAtlasTbl, MarkerColorantDryingType) == 48);
static_assert(offsetof(ModelAtlasTbl, DPIType) == 52);
static_assert(offsetof(ModelAtlasTbl, MarginSize) == 56);
static_assert(offsetof(ModelAtlasTbl, CODEType) == 60);
static_assert(offsetof(ModelAtlasTbl, Message_check_2byte) == 64);
static_assert(offsetof(ModelAtlasTbl, MaxLineNum) == 68);
static_assert(offsetof(ModelAtlasTbl, MediaMaxMin) == 72);
static_assert(offsetof(ModelAtlasTbl, BlankBack_Thickness) == 76);
static_assert(offsetof(ModelAtlasTbl, Printing_Suction) == 80);
static_assert(offsetof(ModelAtlasTbl, Borderless_RollWidth) == 84);
static_assert(offsetof(ModelAtlasTbl, Tonara2Curve) == 88);
static_assert(offsetof(ModelAtlasTbl, JobStart2) == 92);
static_assert(offsetof(ModelAtlasTbl, Copies) == 96);
static_assert(offsetof(ModelAtlasTbl, GroupID) == 100);
static_assert(offsetof(ModelAtlasTbl, CuttingType_MarkerColorantDryingType) == 104);
static_assert(offsetof(ModelAtlasTbl, Optimize_Nup_OnePassPrint_DetailMediaInfo) == 108);
static_assert(offsetof(ModelAtlasTbl, BorderlessPrint_RollWidth) == 112);
static_assert(offsetof(ModelAtlasTbl, MediaCalibration) == 116);
static_assert(offsetof(ModelAtlasTbl, VGM) == 120);
static_assert(offsetof(ModelAtlasTbl, PathMode) == 124);
static_assert(offsetof(ModelAtlasTbl, Impressions) == 128);
static_assert(offsetof(ModelAtlasTbl, Graytone) == 132);
static_assert(offsetof(ModelAtlasTbl, TNR2_T_RGB_Y) == 136);
static_assert(offsetof(ModelAtlasTbl, IngammaTbl_bit) == 140);
static_assert(offsetof(ModelAtlasTbl, h_mono_photo) == 144);
static_assert(offsetof(ModelAtlasTbl, CreateTable) == 148);
static_assert(offsetof(ModelAtlasTbl, DetailMedia_Paper_Thickness_set) == 152);
static_assert(offsetof(ModelAtlasTbl, DetailMedia_Paper_Suction_set) == 156);
static_assert(offsetof(ModelAtlasTbl, Create_CSC1_AUTO_MONO) == 160);
static_assert(offsetof(ModelAtlasTbl, INKTYPE_ROLLWIDTH) == 164);
static_assert(offsetof(ModelAtlasTbl, SINGLE_SSC) == 168);
static_assert(offsetof(ModelAtlasTbl, PrintCentered) == 172);
static_assert(offsetof(ModelAtlasTbl, PrintMode) == 176);
static_assert(offsetof(ModelAtlasTbl, MonoCapColorProcessing) == 180);
static_assert(offsetof(CoreCommonInfoTbl, fixedValues) == 0);
static_assert(offsetof(CoreCommonInfoTbl, selectTab) == 16);
static_assert(offsetof(CoreCommonInfoTbl, previewSelect) == 20);
static_assert(offsetof(CoreCommonInfoTbl, selRangePrint) == 24);
static_assert(offsetof(CoreCommonInfoTbl, previewProof) == 28);
static_assert(offsetof(CoreCommonInfoTbl, windowZoom) == 32);
static_assert(offsetof(CoreCommonInfoTbl, mediumID) == 36);
static_assert(offsetof(CoreCommonInfoTbl, inputResolution) == 40);
static_assert(offsetof(CoreCommonInfoTbl, inputBit) == 44);
static_assert(offsetof(CoreCommonInfoTbl, printMode) == 48);
static_assert(offsetof(CoreCommonInfoTbl, colorMode) == 52);
static_assert(offsetof(CoreCommonInfoTbl, outputProfileName) == 56);
static_assert(offsetof(CoreCommonInfoTbl, outputProfilePath) == 64);
static_assert(offsetof(CoreCommonInfoTbl, proof) == 72);
static_assert(offsetof(CoreCommonInfoTbl, proofProfileName) == 76);
static_assert(offsetof(CoreCommonInfoTbl, proofProfilePath) == 84);
static_assert(offsetof(CoreCommonInfoTbl, proofProfileModelID) == 92);
static_assert(offsetof(CoreCommonInfoTbl, matchingMethod) == 96);
static_assert(offsetof(CoreCommonInfoTbl, copies) == 100);
static_assert(offsetof(CoreCommonInfoTbl, noFrame) == 104);
static_assert(offsetof(CoreCommonInfoTbl, expansionReduction) == 108);
static_assert(offsetof(CoreCommonInfoTbl, fitType) == 112);
static_assert(offsetof(CoreCommonInfoTbl, magnification) == 116);
static_assert(offsetof(CoreCommonInfoTbl, paperSizeID) == 124);
static_assert(offsetof(CoreCommonInfoTbl, printDirection) == 128);
static_assert(offsetof(CoreCommonInfoTbl, printLayout) == 132);
static_assert(offsetof(CoreCommonInfoTbl, printLayoutTop) == 136);
static_assert(offsetof(CoreCommonInfoTbl, printLayoutLeft) == 140);
static_assert(offsetof(CoreCommonInfoTbl, paperSource) == 144);
static_assert(offsetof(CoreCommonInfoTbl, rollLayout) == 148);
static_assert(offsetof(CoreCommonInfoTbl, cyanRed) == 152);
static_assert(offsetof(CoreCommonInfoTbl, magentaGreen) == 156);
static_assert(offsetof(CoreCommonInfoTbl, yellowBlue) == 160);
static_assert(offsetof(CoreCommonInfoTbl, grayTone) == 164);
static_assert(offsetof(CoreCommonInfoTbl, gamma) == 168);
static_assert(offsetof(CoreCommonInfoTbl, brightness) == 172);
static_assert(offsetof(CoreCommonInfoTbl, contrast) == 176);
static_assert(offsetof(CoreCommonInfoTbl, saturation) == 180);
static_assert(offsetof(CoreCommonInfoTbl, grayGradation) == 184);
static_assert(offsetof(CoreCommonInfoTbl, grayPreset) == 188);
static_assert(offsetof(CoreCommonInfoTbl, grayX) == 192);
static_assert(offsetof(CoreCommonInfoTbl, grayY) == 196);
static_assert(offsetof(CoreCommonInfoTbl, grayBrightness) == 200);
static_assert(offsetof(CoreCommonInfoTbl, grayContrast) == 204);
static_assert(offsetof(CoreCommonInfoTbl, grayHighlight) == 208);
static_assert(offsetof(CoreCommonInfoTbl, grayShadow) == 212);
static_assert(offsetof(CoreCommonInfoTbl, whiteFog) == 216);
static_assert(offsetof(CoreCommonInfoTbl, caption) == 220);
static_assert(offsetof(CoreCommonInfoTbl, infoPosition) == 224);
static_assert(offsetof(CoreCommonInfoTbl, captionNumber) == 228);
static_assert(offsetof(CoreCommonInfoTbl, captionFileName) == 232);
static_assert(offsetof(CoreCommonInfoTbl, captionDateTime) == 236);
static_assert(offsetof(CoreCommonInfoTbl, captionColorSet) == 240);
static_assert(offsetof(CoreCommonInfoTbl, captionPrinterName) == 244);
static_assert(offsetof(CoreCommonInfoTbl, captionJobComment) == 248);
static_assert(offsetof(CoreCommonInfoTbl, captionComment) == 252);
static_assert(offsetof(CoreCommonInfoTbl, pageWaitTime) == 260);
static_assert(offsetof(CoreCommonInfoTbl, bandWaitTime) == 264);
static_assert(offsetof(CoreCommonInfoTbl, tipSpace) == 268);
static_assert(offsetof(CoreCommonInfoTbl, backendSpace) == 272);
static_assert(offsetof(CoreCommonInfoTbl, cutSpeed) == 276);
static_assert(offsetof(CoreCommonInfoTbl, calibration) == 280);
static_assert(offsetof(CoreCommonInfoTbl, mirror) == 284);
static_assert(offsetof(CoreCommonInfoTbl, forceOneDirection) == 288);
static_assert(offsetof(CoreCommonInfoTbl, inkImpact) == 292);
static_assert(offsetof(CoreCommonInfoTbl, blurPrevention) == 296);
static_assert(offsetof(CoreCommonInfoTbl, sscSetting) == 300);
static_assert(offsetof(CoreCommonInfoTbl, paperThick) == 304);
static_assert(offsetof(CoreCommonInfoTbl, paperSuction) == 308);
static_assert(offsetof(CoreCommonInfoTbl, conversionEngine) == 312);
static_assert(offsetof(CoreCommonInfoTbl, blackPointCompensation) == 316);
static_assert(offsetof(CoreCommonInfoTbl, simulatePaperColor) == 320);
static_assert(offsetof(CoreCommonInfoTbl, fixedZero) == 324);
static_assert(offsetof(CoreCommonInfoTbl, sharpness) == 328);
static_assert(offsetof(CoreCommonInfoTbl, expandMethod) == 332);
static_assert(offsetof(CoreCommonInfoTbl, backgroundPrint) == 336);
static_assert(offsetof(CoreCommonInfoTbl, printAfterEnd) == 340);
static_assert(offsetof(CoreCommonInfoTbl, jobOutputMethod) == 344);
static_assert(offsetof(CoreCommonInfoTbl, boxNumber) == 348);
static_assert(offsetof(CoreCommonInfoTbl, saveDataName) == 352);
static_assert(offsetof(CoreCommonInfoTbl, printAllDataReceived) == 360);
static_assert(offsetof(CoreCommonInfoTbl, defaultAlertDialog) == 364);
static_assert(offsetof(CoreCommonInfoTbl, rollPaperWidthID) == 368);
static_assert(offsetof(CoreCommonInfoTbl, autoCut) == 372);
static_assert(offsetof(CoreCommonInfoTbl, conservePaper) == 376);
static_assert(offsetof(CoreCommonInfoTbl, monochromeMarker) == 380);
static_assert(offsetof(CoreCommonInfoTbl, curvePointCount) == 384);
static_assert(offsetof(CoreCommonInfoTbl, curveX) == 404);
static_assert(offsetof(CoreCommonInfoTbl, curveX[1][0]) == 468);
static_assert(offsetof(CoreCommonInfoTbl, curveY) == 724);
static_assert(offsetof(CoreCommonInfoTbl, curve2PointCount) == 1044);
static_assert(offsetof(CoreCommonInfoTbl, useCurve2) == 1064);
static_assert(offsetof(CoreCommonInfoTbl, curve2X) == 1066);
static_assert(offsetof(CoreCommonInfoTbl, curve2Y) == 1386);
static_assert(offsetof(CoreCommonInfoTbl, connectionTypeID) == 1706);
static_assert(offsetof(CoreCommonInfoTbl, connectionTypeName) == 1707);
static_assert(offsetof(CoreCommonInfoTbl, printerPopUpName) == 1963);
static_assert(offsetof(CoreCommonInfoTbl, mediaDatabaseName) == 2475);
static_assert(offsetof(CoreCommonInfoTbl, printerShortName) == 2491);
static_assert(offsetof(CoreCommonInfoTbl, inkSystem) == 2507);
static_assert(offsetof(CoreCommonInfoTbl, patternPaperSource) == 2511);
static_assert(offsetof(CoreCommonInfoTbl, patternPaperSizeID) == 2515);
static_assert(offsetof(CoreCommonInfoTbl, patternPaperWidth) == 2519);
static_assert(offsetof(CoreCommonInfoTbl, patternPaperLength) == 2523);
static_assert(offsetof(CoreCommonInfoTbl, patternConservePaper) == 2527);
static_assert(offsetof(CoreCommonInfoTbl, patternXItem) == 2531);
static_assert(offsetof(CoreCommonInfoTbl, patternXCount) == 2535);
static_assert(offsetof(CoreCommonInfoTbl, patternXInterval) == 2539);
static_assert(offsetof(CoreCommonInfoTbl, patternYItem) == 2543);
static_assert(offsetof(CoreCommonInfoTbl, patternYCount) == 2547);
static_assert(offsetof(CoreCommonInfoTbl, patternYInterval) == 2551);
static_assert(offsetof(CoreCommonInfoTbl, patternRotation) == 2555);
static_assert(offsetof(CoreCommonInfoTbl, patternFullSize) == 2559);
static_assert(offsetof(CoreCommonInfoTbl, patternSpacing) == 2563);
static_assert(offsetof(CoreCommonInfoTbl, patternBackgroundColor) == 2567);
static_assert(offsetof(CoreCommonInfoTbl, patternCenterX) == 2571);
static_assert(offsetof(CoreCommonInfoTbl, patternCenterY) == 2575);
static_assert(offsetof(CoreCommonInfoTbl, patternUseSelection) == 2579);
static_assert(offsetof(CoreCommonInfoTbl, patternSelectionWidth) == 2580);
static_assert(offsetof(CoreCommonInfoTbl, patternSelectionHeight) == 2584);
static_assert(offsetof(CoreCommonInfoTbl, patternXTitle) == 2588);
static_assert(offsetof(CoreCommonInfoTbl, patternYTitle) == 2596);
static_assert(offsetof(CoreCommonInfoTbl, patternUnused2604) == 2604);
static_assert(offsetof(CoreCommonInfoTbl, patternMediumLine) == 2612);
static_assert(offsetof(CoreCommonInfoTbl, patternPrintModeLine) == 2620);
static_assert(offsetof(CoreCommonInfoTbl, patternProfileLine) == 2628);
static_assert(offsetof(CoreCommonInfoTbl, patternOutOfRange) == 2636);
static_assert(offsetof(CoreCommonInfoTbl, patternColorItems[0]) == 2644);
static_assert(offsetof(CoreCommonInfoTbl, patternColorItems[6]) == 2692);
static_assert(offsetof(CoreCommonInfoTbl, patternGrayItems[0]) == 2700);
static_assert(offsetof(CoreCommonInfoTbl, patternGrayItems[7]) == 2756);
static_assert(offsetof(CoreCommonInfoTbl, commonInfo) == 2764);
static_assert(offsetof(CoreCommonInfoTbl, firstSelect) == 2772);
static_assert(offsetof(CoreCommonInfoTbl, cropRange) == 2773);
static_assert(offsetof(CoreCommonInfoTbl, clopRect) == 2789);
static_assert(offsetof(CoreCommonInfoTbl, imagePreviewRect) == 2821);
static_assert(offsetof(CoreCommonInfoTbl, printMode16) == 2853);
static_assert(offsetof(CoreCommonInfoTbl, mediaData) == 2854);
static_assert(offsetof(CoreCommonInfoTbl, captionText) == 2862);
static_assert(offsetof(CoreCommonInfoTbl, sourceKind) == 2870);
static_assert(offsetof(CoreCommonInfoTbl, method) == 2874);
static_assert(offsetof(CoreCommonInfoTbl, resolution) == 2878);
static_assert(offsetof(CoreCommonInfoTbl, halftone) == 2882);
static_assert(offsetof(CoreCommonInfoTbl, printerShortNameString) == 2886);
static_assert(offsetof(CoreCommonInfoTbl, paperSizeID16) == 2894);
static_assert(offsetof(CoreCommonInfoTbl, paperSizeName) == 2896);
static_assert(offsetof(CoreCommonInfoTbl, paperWidth) == 2904);
static_assert(offsetof(CoreCommonInfoTbl, paperHeight) == 2908);
static_assert(offsetof(CoreCommonInfoTbl, unused2912) == 2912);
static_assert(offsetof(CoreCommonInfoTbl, rollWidthID) == 2916);
static_assert(offsetof(CoreCommonInfoTbl, rollWidthName) == 2918);
static_assert(offsetof(CoreCommonInfoTbl, rollWidth) == 2926);
static_assert(offsetof(CoreCommonInfoTbl, rollLength) == 2930);
static_assert(offsetof(CoreCommonInfoTbl, unused2934) == 2934);
static_assert(offsetof(CoreCommonInfoTbl, modelAtlas) == 2938);
static_assert(offsetof(CoreCommonInfoTbl, modelAtlas.PrinterSize) == 2938);
static_assert(offsetof(CoreCommonInfoTbl, modelAtlas.HDD) == 2938 + 24);
static_assert(offsetof(CoreCommonInfoTbl, modelAtlas.MaxLineNum) == 2938 + 68);
static_assert(offsetof(CoreCommonInfoTbl, modelAtlas.MonoCapColorProcessing) == 2938 + 180);
static_assert(offsetof(CoreCommonInfoTbl, cancelRequest) == 3122);
static_assert(offsetof(CoreCommonInfoTbl, patternPrint) == 3123);
static_assert(offsetof(CoreCommonInfoTbl, patternCalcResult) == 3124);
