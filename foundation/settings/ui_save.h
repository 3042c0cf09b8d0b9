// The record of every print-dialog setting of one printer (`UISave`) and its dictionary form, the
// form it takes in "ui3.xml", in history and favourites entries, in favourite files and in the
// model's default table.
//
// The record's fields, their keys, widths and the values of missing keys are one list,
// UISAVE_FIELDS: the record below, and the reader, the writer and the copier, are all made from
// it, so none of them can miss or misspell a key. The keys are file-format names and keep their
// spelling ("RoolPaperLayout", "InfomationPrintPosition", "PerformPrrof").
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cf/value.h"

/// Slots of a tone curve's X or Y field; a curve's point count says how many are in use.
inline constexpr int kUISaveCurveSlots = 16;
/// "UISaveVersion" as every writer stores it.
inline constexpr std::int32_t kUISaveVersion = 101;

using UISaveCurve = std::array<std::int32_t, kUISaveCurveSlots>;
using UISaveString = std::optional<std::string>;

// The fields in record order: INT32(key, value when missing), INT16(key), STRING(key) and
// CURVE(key, the field holding its point count).
// clang-format off
#define UISAVE_FIELDS(INT32, INT16, STRING, CURVE) \
    INT32(UISaveVersion, 0) \
    INT32(ConvertOldVersion, 0) \
    INT16(MediaType) \
    STRING(MediaTypeName) \
    INT16(InputResolution) \
    INT16(InputBit) \
    INT32(ColorMode, 0) \
    INT32(PrintMode, 0) \
    INT32(OutputProfile, 0) \
    STRING(OutputProfileName) \
    STRING(OutputProfilePath) \
    INT32(Proof, 0) \
    INT32(ProofProfile, 0) \
    STRING(ProofProfileName) \
    STRING(ProofProfilePath) \
    INT16(MatchingMethod) \
    INT32(Copies, 0) \
    INT32(DryingTime_BetweenPages, 0) \
    INT32(DryingTime_BetweenScans, 0) \
    INT32(SafetyMargin_NearEndMargin, 0) \
    INT32(SafetyMargin_FarEndMargin, 0) \
    INT32(CutSpeed, 0) \
    INT32(CalibrationValue, 0) \
    INT32(Mirror, 0) \
    INT32(UnidirectionalPrinting, 0) \
    INT32(DotPlacement, 0) \
    INT32(MediaThickness, 0) \
    INT32(VacuumStrength, 0) \
    INT32(SSCCheck, 0) \
    INT32(SSCAdjustment, 0) \
    INT32(BlurPrevention, 0) \
    INT32(ConversionEngine, 0) \
    INT32(BlackPointCompensation, 0) \
    INT32(SimulatePaperColor, 0) \
    INT32(Sharpen, 0) \
    INT32(ImageEnlargementMethod, 0) \
    INT32(Background, 0) \
    INT32(ClosePluginAfterPrinting, 0) \
    INT32(AlertDialogAllDefault, 0) \
    INT32(OutputMethod, 0) \
    INT32(InboxNo, 0) \
    STRING(NameOfDataToBeSaved) \
    INT32(PrintAfterReceptionIsComplete, 0) \
    INT32(BorderlessPrinting, 0) \
    INT32(Enlarged_ReducedPrinting, 0) \
    INT32(Enlarged_ReducedMethod, 0) \
    INT32(Enlarged_ReducedPrinting_VPX, 0) \
    INT32(Enlarged_ReducedMethod_VPX, 0) \
    INT32(ScalingValue, 0) \
    INT32(PaperSize, 0) \
    STRING(PaperSizeName) \
    INT32(PaperSizeWidth, 0) \
    INT32(PaperSizeHeight, 0) \
    INT32(Orientation, 0) \
    INT32(Layout, 0) \
    INT32(FromTopMargin, 0) \
    INT32(FromLeftMargin, 0) \
    INT32(RoolPaperLayout, 0) \
    INT32(PaperSource, 0) \
    INT32(RollPaperWidth, 0) \
    INT32(AutomaticCutting, 0) \
    INT32(ConservePaper, 0) \
    INT32(Cyan, 0) \
    INT32(Magenta, 0) \
    INT32(Yellow, 0) \
    INT32(GrayTone, 0) \
    INT32(Brightness, 0) \
    INT32(Contrast, 0) \
    INT32(Saturation, 0) \
    INT32(Gamma, 22) \
    INT32(Gradation, 4) \
    INT32(ColorBalance, 0) \
    INT32(Point_X, 0) \
    INT32(Point_Y, 0) \
    INT32(Mono_Brightness, 0) \
    INT32(Mono_Contrast, 0) \
    INT32(Mono_Highlight, 0) \
    INT32(Mono_Shadow, 0) \
    INT32(Mono_WhiteFog, 0) \
    INT32(Curves_SelChannel, 0) \
    INT32(Curves_RGB_PointNum, 0) \
    INT32(Curves_RGB_SelPoint, 0) \
    CURVE(Curves_RGB_X, Curves_RGB_PointNum) \
    CURVE(Curves_RGB_Y, Curves_RGB_PointNum) \
    INT32(Curves_R_PointNum, 0) \
    INT32(Curves_R_SelPoint, 0) \
    CURVE(Curves_R_X, Curves_R_PointNum) \
    CURVE(Curves_R_Y, Curves_R_PointNum) \
    INT32(Curves_G_PointNum, 0) \
    INT32(Curves_G_SelPoint, 0) \
    CURVE(Curves_G_X, Curves_G_PointNum) \
    CURVE(Curves_G_Y, Curves_G_PointNum) \
    INT32(Curves_B_PointNum, 0) \
    INT32(Curves_B_SelPoint, 0) \
    CURVE(Curves_B_X, Curves_B_PointNum) \
    CURVE(Curves_B_Y, Curves_B_PointNum) \
    INT32(Curves_Gray_PointNum, 0) \
    INT32(Curves_Gray_SelPoint, 0) \
    CURVE(Curves_Gray_X, Curves_Gray_PointNum) \
    CURVE(Curves_Gray_Y, Curves_Gray_PointNum) \
    INT32(PrintInformation, 0) \
    INT32(InfomationPrintPosition, 0) \
    INT32(PrintHistoryNumber, 0) \
    INT32(FileName, 0) \
    INT32(PrintedAt, 0) \
    INT32(ColorAdjustmentValue, 0) \
    INT32(PrinterName, 0) \
    INT32(CommentChk, 0) \
    STRING(CommentDetails) \
    INT32(MaximizeDialogBox, 0) \
    INT32(PerformPrrof, 0) \
    INT32(Preview, 0) \
    INT32(SelectTab, 0) \
    INT32(InkSystem, 0) \
    INT32(NotEndDialog, 0) \
    INT32(ICCV4NoDisplay, 0) \
    INT32(PaperSource_Color, 0) \
    INT32(UseSize_Color, 0) \
    STRING(UseSizeName_Color) \
    INT32(UseWSize_Color, 0) \
    INT32(UseHSize_Color, 0) \
    INT32(PaperSave_Color, 1) \
    INT32(XAdjustItem_Color, 1) \
    INT32(XCount_Color, 5) \
    INT32(XAdjustInterval_Color, 5) \
    INT32(YAdjustItem_Color, 16) \
    INT32(YCount_Color, 5) \
    INT32(YAdjustInterval_Color, 5) \
    INT32(PatternRotate_Color, 0) \
    INT32(PatternSize_Color, 0) \
    INT32(PatternSpace_Color, 0) \
    INT32(BackGroundColor_Color, 1) \
    INT32(AppliesAdjust_Color, 0) \
    INT32(PaperSource_Mono, 0) \
    INT32(UseSize_Mono, 0) \
    STRING(UseSizeName_Mono) \
    INT32(UseWSize_Mono, 0) \
    INT32(UseHSize_Mono, 0) \
    INT32(PaperSave_Mono, 1) \
    INT32(XAdjustItem_Mono, 8) \
    INT32(XCount_Mono, 5) \
    INT32(XAdjustInterval_Mono, 5) \
    INT32(YAdjustItem_Mono, 16) \
    INT32(YCount_Mono, 5) \
    INT32(YAdjustInterval_Mono, 5) \
    INT32(PatternRotate_Mono, 0) \
    INT32(PatternSize_Mono, 0) \
    INT32(PatternSpace_Mono, 0) \
    INT32(BackGroundColor_Mono, 1) \
    INT32(AppliesAdjust_Mono, 0) \
    INT32(MaxSizePatternDialog, 0) \
    INT32(NotPatternCenterDLG, 0)
// clang-format on

/// One printer's dialog settings. A fresh record holds zeros and no strings; strings belong to
/// the record.
struct UISave {
#define UISAVE_DECLARE_INT32(key, missing) std::int32_t key = 0;
#define UISAVE_DECLARE_INT16(key) std::int16_t key = 0;
#define UISAVE_DECLARE_STRING(key) UISaveString key;
#define UISAVE_DECLARE_CURVE(key, pointCount) UISaveCurve key{};
    UISAVE_FIELDS(UISAVE_DECLARE_INT32, UISAVE_DECLARE_INT16, UISAVE_DECLARE_STRING,
                  UISAVE_DECLARE_CURVE)
#undef UISAVE_DECLARE_INT32
#undef UISAVE_DECLARE_INT16
#undef UISAVE_DECLARE_STRING
#undef UISAVE_DECLARE_CURVE

    bool operator==(const UISave&) const = default;
};

/// A new zeroed record, or null when memory runs out. Free it with TerminateUISave.
UISave* CreateUISave();

/// Makes `destination` (a fresh record: its strings are replaced, not released) a copy of
/// `source`, with copies of its strings. Nothing when either is null.
void CopyUISaves(const UISave* source, UISave* destination);

/// Frees the record and its strings; null does nothing.
void TerminateUISave(UISave* record);

/// Releases a record through TerminateUISave.
struct UISaveRelease {
    void operator()(UISave* record) const { TerminateUISave(record); }
};
using UISavePtr = std::unique_ptr<UISave, UISaveRelease>;

/// Reads every key of `dict` into `record`. A number key that is missing, not a number or out of
/// its field's range gives its value when missing; a missing string key gives none; a curve key
/// holding an array fills its slots in order (at most 16, non-numbers as 0) and a missing one
/// leaves the field. Each point count is then clamped to 0..16 and to the points of its curve
/// arrays that the dictionary holds. Nothing when `record` is null.
void getSaveData(const cf::Value* dict, UISave* record);

/// Writes every field of `record` into the dictionary `dict`: "UISaveVersion" as 101, numbers by
/// field width, strings only when present, each curve as an array of its points in use. Nothing
/// when `dict` is null or not a dictionary, or `record` is null.
void addSaveDict(const UISave* record, cf::Value* dict);
