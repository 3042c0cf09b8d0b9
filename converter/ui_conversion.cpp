#include "ui_conversion.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "bytes/byte_order.h"
#include "cf/regular_file.h"
#include "history/old_record_values.h"
#include "legacy_text.h"
#include "profiles/profile_menu.h"
#include "settings/settings_folders.h"
#include "settings/ui_setting.h"

namespace {

using OldRecord = std::array<std::uint8_t, kOldUIRecordSize>;
using Int32Field = std::int32_t UISave::*;
using Int16Field = std::int16_t UISave::*;
using StringField = UISaveString UISave::*;
using CurveField = UISaveCurve UISave::*;

// Bytes of a length-prefixed string field of the old record.
constexpr std::size_t kOldStringField = 256;

// Offsets of the old record that need more than a copy.
constexpr std::size_t kOldSelectTab = 8;
constexpr std::size_t kOldPreview = 12;
constexpr std::size_t kOldMaximizeDialogBox = 28;
constexpr std::size_t kOldColorMode = 300;
constexpr std::size_t kOldOutputProfileText = 304;
constexpr std::size_t kOldMatchingMethod = 560;
constexpr std::size_t kOldProof = 592;
constexpr std::size_t kOldProofProfile = 596;
constexpr std::size_t kOldScale = 840;
constexpr std::size_t kOldLayout = 856;
constexpr std::size_t kOldRollPaperLayout = 872;
constexpr std::size_t kOldCommentDetails = 2648;
constexpr std::size_t kOldCalibrationValue = 3736;
constexpr std::size_t kOldSSC = 3744;
constexpr std::size_t kOldDotPlacement = 3748;
constexpr std::size_t kOldImageEnlargementMethod = 4008;
constexpr std::size_t kOldOutputMethod = 4016;
constexpr std::size_t kOldNameOfDataToBeSaved = 4028;
constexpr std::size_t kOldNotEndDialog = 4288;
constexpr std::size_t kOldInkSystem = 4540;
constexpr std::size_t kOldProofProfileText = 4544;
constexpr std::size_t kOldConversionEngine = 4800;
// The fields from here to the end of the record are 32-bit values the earlier record lacks.
constexpr std::array<std::size_t, 3> kOldEngineSettings = {4804, 4808, 4812};

// The converted colour mode that matches through an output profile.
constexpr std::int32_t kColorModeICC = 4;
// The colour mode that a converted setting falls back to when its profile is missing.
constexpr std::int32_t kColorModeFallback = 1;
// The scale is stored as a factor; the setting is in percent.
constexpr double kScalePercent = 100.0;

struct CopiedField {
    std::size_t offset;
    Int32Field field;
};

// Fields copied unchanged.
constexpr CopiedField kCopied[] = {
    {20, &UISave::PerformPrrof},
    {564, &UISave::Copies},
    {568, &UISave::ClosePluginAfterPrinting},
    {588, &UISave::PrintMode},
    {kOldProof, &UISave::Proof},
    {kOldProofProfile, &UISave::ProofProfile},
    {828, &UISave::BorderlessPrinting},
    {832, &UISave::Enlarged_ReducedPrinting},
    {832, &UISave::Enlarged_ReducedPrinting_VPX},
    {836, &UISave::Enlarged_ReducedMethod},
    {836, &UISave::Enlarged_ReducedMethod_VPX},
    {848, &UISave::PaperSize},
    {852, &UISave::Orientation},
    {860, &UISave::FromTopMargin},
    {864, &UISave::FromLeftMargin},
    {868, &UISave::PaperSource},
    {1128, &UISave::Cyan},
    {1132, &UISave::Magenta},
    {1136, &UISave::Yellow},
    {1140, &UISave::Brightness},
    {1144, &UISave::Contrast},
    {1148, &UISave::Saturation},
    {1152, &UISave::GrayTone},
    {1412, &UISave::ColorBalance},
    {1416, &UISave::Point_X},
    {1420, &UISave::Point_Y},
    {1424, &UISave::Mono_Brightness},
    {1428, &UISave::Mono_Contrast},
    {1432, &UISave::Mono_Highlight},
    {1436, &UISave::Mono_Shadow},
    {1696, &UISave::Curves_SelChannel},
    {2616, &UISave::PrintInformation},
    {2620, &UISave::InfomationPrintPosition},
    {2624, &UISave::PrintHistoryNumber},
    {2628, &UISave::FileName},
    {2632, &UISave::PrintedAt},
    {2636, &UISave::ColorAdjustmentValue},
    {2640, &UISave::PrinterName},
    {2644, &UISave::CommentChk},
    {3428, &UISave::RollPaperWidth},
    {3432, &UISave::AutomaticCutting},
    {3436, &UISave::ConservePaper},
    {3696, &UISave::DryingTime_BetweenPages},
    {3700, &UISave::DryingTime_BetweenScans},
    {3704, &UISave::SafetyMargin_NearEndMargin},
    {3708, &UISave::SafetyMargin_FarEndMargin},
    {3712, &UISave::MediaThickness},
    {3720, &UISave::VacuumStrength},
    {3724, &UISave::CutSpeed},
    {3728, &UISave::BlurPrevention},
    {3732, &UISave::Mirror},
    {3740, &UISave::UnidirectionalPrinting},
    {4004, &UISave::Sharpen},
    {4012, &UISave::Background},
    {4020, &UISave::InboxNo},
    {4024, &UISave::PrintAfterReceptionIsComplete},
    {kOldConversionEngine, &UISave::ConversionEngine},
    {4804, &UISave::BlackPointCompensation},
    {4808, &UISave::SimulatePaperColor},
};

struct LowHalfField {
    std::size_t offset;
    Int16Field field;
};

// Fields kept as the low 16 bits of the old value.
constexpr LowHalfField kLowHalves[] = {
    {284, &UISave::MediaType},
    {288, &UISave::InputResolution},
    {292, &UISave::InputBit},
};

struct MappedField {
    std::size_t offset;
    Int32Field field;
    std::int32_t (*map)(std::int32_t);
};

// Fields translated from old codes.
constexpr MappedField kMapped[] = {
    {kOldSelectTab, &UISave::SelectTab, convSelectTab},
    {kOldPreview, &UISave::Preview, convPreview},
    {kOldLayout, &UISave::Layout, convLayout},
    {kOldRollPaperLayout, &UISave::RoolPaperLayout, convRoolPaperLayout},
    {kOldCalibrationValue, &UISave::CalibrationValue, convCalibrationValue},
    {kOldDotPlacement, &UISave::DotPlacement, convInkImpact},
    {kOldImageEnlargementMethod, &UISave::ImageEnlargementMethod, convImageEnlargementMethod},
    {kOldOutputMethod, &UISave::OutputMethod, convOutputMethod},
    {kOldInkSystem, &UISave::InkSystem, convInkSystem},
};

struct OldCurve {
    std::size_t countOffset;
    std::size_t xOffset;
    std::size_t yOffset;
    Int32Field count;
    CurveField x;
    CurveField y;
};

constexpr OldCurve kCurves[] = {
    {1700, 1720, 2040, &UISave::Curves_RGB_PointNum, &UISave::Curves_RGB_X, &UISave::Curves_RGB_Y},
    {1704, 1784, 2104, &UISave::Curves_R_PointNum, &UISave::Curves_R_X, &UISave::Curves_R_Y},
    {1708, 1848, 2168, &UISave::Curves_G_PointNum, &UISave::Curves_G_X, &UISave::Curves_G_Y},
    {1712, 1912, 2232, &UISave::Curves_B_PointNum, &UISave::Curves_B_X, &UISave::Curves_B_Y},
    {1716, 1976, 2296, &UISave::Curves_Gray_PointNum, &UISave::Curves_Gray_X,
     &UISave::Curves_Gray_Y},
};

std::int32_t int32At(const OldRecord& old, std::size_t offset) {
    return static_cast<std::int32_t>(bytes::loadBE32(old.data() + offset));
}

std::optional<std::string> stringAt(const OldRecord& old, std::size_t offset) {
    return converter::lengthPrefixedString(std::span(old).subspan(offset, kOldStringField));
}

// The old record in the later layout. The earlier record gets fixed values for the fields it
// lacks and for the proof, dot-placement and dialog fields it held with other meanings.
OldRecord laterLayout(std::span<const std::uint8_t> file) {
    OldRecord old{};
    if (file.size() >= kOldUIRecordSize) {
        std::copy_n(file.begin(), kOldUIRecordSize, old.begin());
        return old;
    }
    std::copy_n(file.begin(), kOldUIEarlierRecordSize, old.begin());
    for (const std::size_t offset :
         {kOldProof, kOldProofProfile, kOldDotPlacement, kOldNotEndDialog, kOldEngineSettings[0],
          kOldEngineSettings[1], kOldEngineSettings[2]}) {
        bytes::storeBE32(old.data() + offset, 0);
    }
    bytes::storeBE32(old.data() + kOldConversionEngine, 1);
    return old;
}

// The scale factor in whole percent, truncated; 0 when that is no 32-bit number.
std::int32_t scalingPercent(const OldRecord& old) {
    const double percent =
        std::bit_cast<double>(bytes::loadBE(old.data() + kOldScale, sizeof(double))) *
        kScalePercent;
    constexpr double kLimit = 0x1p31;
    if (!std::isfinite(percent) || percent <= -kLimit - 1 || percent >= kLimit) {
        return 0;
    }
    return static_cast<std::int32_t>(percent);
}

// Copies the name and path of the profile that the old text at `offset` names; false when it
// names none or the profile is not installed.
bool lookUpProfile(const OldRecord& old, std::size_t offset, ProfileLookup lookup,
                   UISaveString* name, UISaveString* path) {
    const auto text = stringAt(old, offset);
    const std::string fileName = text ? oldProfileFileName(*text) : std::string();
    std::string foundName;
    std::string foundPath;
    if (fileName.empty() || lookup(fileName.c_str(), &foundName, &foundPath) != 1 ||
        foundName.empty() || foundPath.empty()) {
        return false;
    }
    *name = std::move(foundName);
    *path = std::move(foundPath);
    return true;
}

void convertColor(const OldRecord& old, ProfileLookup lookup, UISave* record) {
    const std::int32_t oldMode = int32At(old, kOldColorMode);
    record->ColorMode = convColorMode(oldMode);
    if (record->ColorMode == kColorModeICC) {
        record->OutputProfile = oldMode;
        // A setting that matches through a profile no longer installed would fail the first
        // print: colour management falls back to the driver's.
        if (!lookUpProfile(old, kOldOutputProfileText, lookup, &record->OutputProfileName,
                           &record->OutputProfilePath)) {
            record->ColorMode = kColorModeFallback;
        }
    }
    if (!lookUpProfile(old, kOldProofProfileText, lookup, &record->ProofProfileName,
                       &record->ProofProfilePath)) {
        record->Proof = 0;
    }
    record->MatchingMethod =
        static_cast<std::int16_t>(convMatchingMethod(int32At(old, kOldMatchingMethod)));
}

// Copies each curve's points in use; a point count is kept within the curve's slots.
void convertCurves(const OldRecord& old, UISave* record) {
    for (const auto& curve : kCurves) {
        const std::int32_t count =
            std::clamp(int32At(old, curve.countOffset), 0, kUISaveCurveSlots);
        record->*curve.count = count;
        for (std::int32_t k = 0; k < count; ++k) {
            const auto step = static_cast<std::size_t>(k) * sizeof(std::int32_t);
            (record->*curve.x)[static_cast<std::size_t>(k)] = int32At(old, curve.xOffset + step);
            (record->*curve.y)[static_cast<std::size_t>(k)] = int32At(old, curve.yOffset + step);
        }
    }
}

// Every setting starts with the value a missing key gives, which is the value of each setting
// the old versions did not have, the test-pattern settings among them; the gamma is 0, not the
// missing key's value.
void startFromMissingValues(UISave* record) {
    const cf::Value none = cf::Value::emptyDictionary();
    getSaveData(&none, record);
    record->ConvertOldVersion = 1;
    record->Gamma = 0;
}

}  // namespace

std::string oldProfileFileName(const std::string& text) {
    const auto open = text.rfind('[');
    const auto close = text.rfind(']');
    if (open == std::string::npos || close == std::string::npos || close <= open + 1) {
        return {};
    }
    const std::string reference = text.substr(open + 1, close - open - 1);
    const auto slash = reference.rfind('/');
    return slash == std::string::npos ? reference : reference.substr(slash + 1);
}

bool fillUISaveFromOldRecord(std::span<const std::uint8_t> file, UISave* record,
                             ProfileLookup lookup) {
    if (file.size() < kOldUIEarlierRecordSize || record == nullptr) {
        return false;
    }
    const OldRecord old = laterLayout(file);
    startFromMissingValues(record);
    for (const auto& [offset, field] : kCopied) {
        record->*field = int32At(old, offset);
    }
    for (const auto& [offset, field] : kLowHalves) {
        record->*field = static_cast<std::int16_t>(int32At(old, offset));
    }
    for (const auto& [offset, field, map] : kMapped) {
        record->*field = map(int32At(old, offset));
    }
    const SSCValues ssc = convSSC(int32At(old, kOldSSC));
    record->SSCCheck = ssc.check;
    record->SSCAdjustment = ssc.adjustment;
    record->MaximizeDialogBox = int32At(old, kOldMaximizeDialogBox) != 0 ? 1 : 0;
    record->NotEndDialog = int32At(old, kOldNotEndDialog) != 0 ? 1 : 0;
    record->ScalingValue = scalingPercent(old);
    record->NameOfDataToBeSaved = stringAt(old, kOldNameOfDataToBeSaved);
    record->CommentDetails = stringAt(old, kOldCommentDetails);
    convertColor(old, lookup, record);
    convertCurves(old, record);
    return true;
}

bool convUI(const char* printerName, const PrinterFolder& printerFolder,
            const char* productFolder) {
    if (!printerFolder || !mustConvert(*printerFolder, kUISettingFileName, kOldUIFileName)) {
        return false;
    }
    const auto path = *printerFolder / kOldUIFileName;
    auto file = cf::readRegularFileStart(path, kOldUIRecordSize);
    if (!file) {
        file = cf::readRegularFileStart(path, kOldUIEarlierRecordSize);
    }
    const UISavePtr record(file ? CreateUISave() : nullptr);
    if (!record ||
        !fillUISaveFromOldRecord(*file, record.get(), GetProfileNameAndPathFromFileName_AllSerch)) {
        return false;
    }
    SaveUISetting(printerName, record.get(), productFolder);
    return true;
}
