// Filling the core job record from the settings model, and releasing the strings it holds.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <utility>

#include "cf/value.h"
#include "common_data.h"
#include "loaders/model_atlas_loader.h"
#include "model_codes.h"
#include "paper/paper_size.h"
#include "printer/print_common.h"
#include "printer/printer_function.h"

namespace {

constexpr std::int32_t kFixedValue = -300;
constexpr std::int32_t kColorModeMonochrome = 2;
constexpr std::int32_t kColorModeProfile = 4;
constexpr std::int16_t kMatchingMethodOne = 1;
constexpr std::int32_t kNormalColorEngine = 1;
constexpr std::int32_t kSscOff = 2;
constexpr std::int32_t kMonochromeCurveChannel = 4;
constexpr std::int32_t kPrintModeFinest = 16;
constexpr std::size_t kNameLimit = 255;       // bytes of the connection and pop-up names
constexpr std::size_t kShortFieldBytes = 16;  // database and short name fields
constexpr std::int32_t kProofWithoutProfile = 1;

using ValueMap = std::initializer_list<std::pair<std::int32_t, std::int32_t>>;

// The record's code of a dialog choice; a choice the record has no code for is written as 0.
std::int32_t mapped(std::int32_t choice, ValueMap map) {
    for (const auto& [from, to] : map) {
        if (from == choice) {
            return to;
        }
    }
    return 0;
}

// Releases the string a slot held and gives the slot's new string, one the record owns.
const cf::Value* replaced(const cf::Value* old, const std::optional<std::string>& text) {
    delete old;
    return text ? new cf::Value(*text) : nullptr;
}

void release(const cf::Value* string) {
    delete string;
}

// A UTF-8 C string of at most `limit` bytes; a longer text is not stored at all.
template <std::size_t N>
void storeCString(char (&field)[N], const std::optional<std::string>& text, std::size_t limit) {
    static_assert(N > 0);
    if (!text) {
        return;
    }
    std::memset(field, 0, N);
    if (text->size() <= std::min(limit, N - 1)) {
        std::memcpy(field, text->data(), text->size());
    }
}

// A length byte, then the text; a text longer than the field allows is not stored at all.
void storeLengthPrefixed(std::uint8_t (&field)[kShortFieldBytes],
                         const std::optional<std::string>& text) {
    if (!text) {
        return;
    }
    std::memset(field, 0, sizeof field);
    if (text->size() < kShortFieldBytes) {
        field[0] = static_cast<std::uint8_t>(text->size());
        std::memcpy(field + 1, text->data(), text->size());
    }
}

// Four doubles: x, y, width, height; the field may lie at any offset of the packed record.
void storeRect(void* field, const PlgRect& rect) {
    const double values[4] = {rect.x, rect.y, rect.width, rect.height};
    std::memcpy(field, values, sizeof values);
}

}  // namespace

std::uint32_t kCommonDataClass_ZORVEX_common_V600_PS::setCoreCommonTable(CoreCommonInfoTbl* record,
                                                                         CommonInfoTable* host) {
    if (host == nullptr) {
        // A record without its host cannot be printed; say so instead of reporting success.
        return kPlgFileNotFound;
    }
    if (record == nullptr) {
        return kPlgRecordOutOfMemory;
    }
    CoreCommonInfoTbl& r = *record;

    // Job, colour and page settings.
    for (std::size_t i = 0; i < std::size(r.fixedValues); ++i) {
        r.fixedValues[i] = kFixedValue;
    }
    r.selectTab = m_selectTab - 1;
    r.previewSelect = mapped(m_previewSelect, {{0, 1}, {1, 3}, {2, 4}});
    r.selRangePrint = m_selRangePrint;
    r.previewProof =
        m_matchingMethod != kMatchingMethodOne && m_previewProofEnable != 0 ? m_previewProof : 0;
    r.windowZoom = m_windowZoom;
    r.mediumID = m_mediumID;
    r.inputResolution = m_inputResolution;
    r.inputBit = m_inputBit;
    r.printMode = m_printMode;
    r.colorMode = mapped(m_colorMode, {{1, 1}, {2, 3}, {3, 2}, {4, 5}});
    r.outputProfileName = replaced(r.outputProfileName, m_outputProfileName);
    r.outputProfilePath = replaced(r.outputProfilePath, m_outputProfilePath);
    r.proof = m_colorMode == kColorModeProfile ? m_proof : kProofWithoutProfile;
    r.proofProfileName = replaced(r.proofProfileName, m_proofProfileName);
    r.proofProfilePath = replaced(r.proofProfilePath, m_proofProfilePath);
    r.proofProfileModelID = m_proofProfileModelID;
    r.matchingMethod = mapped(m_matchingMethod, {{0, 1}, {1, 5}, {2, 2}, {3, 3}, {4, 4}});
    r.copies = m_copies;
    r.noFrame = m_noFrame;
    r.expansionReduction = m_expansionReduction;
    r.fitType = m_fitType;
    r.magnification = m_magnification;
    r.paperSizeID = m_paperSizeID;
    r.printDirection = m_printDirection;
    r.printLayout = mapped(m_printLayout, {{0, 1}, {1, 2}, {2, 3}});
    r.printLayoutTop = m_layout_Top;
    r.printLayoutLeft = m_layout_Left;
    r.paperSource = m_paperSource;
    r.rollLayout = mapped(m_rollLayout, {{0, 5}, {1, 6}});

    // Colour adjustment.
    const ColorAdjustValues& c = m_colorAdjusts;
    r.cyanRed = c.cr;
    r.magentaGreen = c.mg;
    r.yellowBlue = c.yb;
    r.grayTone = c.gray;
    r.brightness = c.brightness;
    r.gamma = c.gamma;
    r.contrast = c.contrast;
    r.saturation = c.saturation;
    r.grayGradation = c.grayGradation;
    r.grayPreset = c.grayPreset;
    r.grayX = c.grayX;
    r.grayY = c.grayY;
    r.grayBrightness = c.grayBrightness;
    r.grayContrast = c.grayContrast;
    r.grayHighlight = c.grayHighlight;
    r.grayShadow = c.grayShadow;
    r.whiteFog = c.whiteFog;

    // Caption flags and comment.
    r.caption = m_captions.caption;
    r.infoPosition = m_captions.infoPosition;
    r.captionNumber = m_captions.number;
    r.captionFileName = m_captions.imFileName;
    r.captionDateTime = m_captions.dateTime;
    r.captionColorSet = m_captions.colorSet;
    r.captionPrinterName = m_captions.printerName;
    r.captionJobComment = m_captions.jobComment;
    r.captionComment = replaced(r.captionComment, m_captions.comment);

    // Media detail.
    const MediaDetailValues& d = m_mediaDetails;
    r.pageWaitTime = d.pageWaitTime;
    r.bandWaitTime = d.bandWaitTime;
    r.tipSpace = d.tipSpace;
    r.backendSpace = d.backendSpace;
    r.cutSpeed = d.cutspeed;
    r.calibration = mapped(d.calibration, {{0, 3}, {1, 0}, {2, 1}});
    r.mirror = d.mirror;
    r.forceOneDirection = d.forceOneDirection;
    r.inkImpact = d.inkImpact;
    r.blurPrevention = d.grazeGurd;
    r.sscSetting = Check_SSC_Printer(m_printerID) == 1 && d.ssc != 0
                       ? mapped(d.sscLevel, {{1, 4}, {2, 5}, {3, 6}})
                       : kSscOff;
    r.paperThick = d.paperThick;
    r.paperSuction = d.paperSuction;

    // Colour-matching options.
    r.conversionEngine = m_iccOptions.convertEngine;
    r.blackPointCompensation =
        m_iccOptions.convertEngine == kNormalColorEngine ? 0 : m_iccOptions.blackCorect;
    r.simulatePaperColor = m_iccOptions.paperColor;
    r.fixedZero = 0;

    // Environment and roll.
    const EnvironmentValues& e = m_environments;
    r.sharpness = e.sharpness;
    r.expandMethod = mapped(e.expandMethod, {{0, 1}, {1, 2}, {2, 5}});
    r.backgroundPrint = e.backgroundPrint;
    r.printAfterEnd = e.printAfterEnd;
    r.jobOutputMethod = mapped(e.jobOutputMethod, {{0, 0}, {1, 1}, {2, 2}});
    r.boxNumber = e.boxNumber;
    r.saveDataName = replaced(r.saveDataName, e.saveDataName);
    r.printAllDataReceived = e.printAlldataReceved;
    r.defaultAlertDialog = e.defaultAlertDialog;
    r.rollPaperWidthID = m_rollWidth.rollPaperWidthID;
    r.autoCut = m_rollOptions.autoCut;
    r.conservePaper = m_rollOptions.conservePaper;

    // Tone curves; a point count from a settings file is kept within the slots.
    r.monochromeMarker = m_colorMode == kColorModeMonochrome ? kMonochromeCurveChannel : 0;
    for (int channel = 0; channel < kModelCurveChannels; ++channel) {
        const std::int32_t count =
            std::clamp(m_toneCurves.pointCount[channel], 0, kModelCurvePoints);
        r.curvePointCount[channel] = count;
        for (int point = 0; point < count; ++point) {
            r.curveX[channel][point] = m_toneCurves.x[channel][point];
            r.curveY[channel][point] = m_toneCurves.y[channel][point];
        }
    }
    r.useCurve2 = 0;

    // Connection and printer names.
    r.connectionTypeID = static_cast<std::uint8_t>(m_connectionTypeID);
    storeCString(r.connectionTypeName, m_cfConnectionType, kNameLimit);
    storeCString(r.printerPopUpName, m_cfPopupName, kNameLimit);
    storeLengthPrefixed(r.mediaDatabaseName, m_cfDBName);
    storeCString(r.printerShortName, m_cfPrinterShortName, kShortFieldBytes - 1);
    r.inkSystem = mapped(m_current_inksys, {{1, 1}, {2, 1}, {3, 2}});

    // Host link, crop and media.
    r.commonInfo = host;
    r.firstSelect = m_firstSelect;
    storeRect(&r.clopRect, m_clopRect);
    storeRect(&r.imagePreviewRect, m_originImageRect_imagePV);
    r.printMode16 = m_printMode == kPrintModeFinest ? 1 : 0;
    r.mediaData = m_mediaData;
    r.captionText = replaced(r.captionText, makeCaptionStrings());
    r.sourceKind = host->sourceKind;
    r.method = m_method;
    r.resolution = m_resolution;
    r.halftone = m_ht;
    r.printerShortNameString = replaced(r.printerShortNameString, m_cfPrinterShortName);
    r.paperSizeID16 = static_cast<std::int16_t>(m_paperSizeID);
    r.paperSizeName = replaced(r.paperSizeName, m_paperSizeName);
    r.paperWidth = m_paperWidth;
    r.paperHeight = m_paperHeight;
    r.rollWidthID = static_cast<std::int16_t>(m_rollWidth.rollPaperWidthID);
    r.rollWidthName = replaced(r.rollWidthName, getRollPaperWidthName());
    r.rollWidth = GetQDXAMediaWidthValue(m_rollWidth.rollPaperWidthID);
    r.rollLength = GetQDXAMediaLengthValue(m_rollWidth.rollPaperWidthID);

    // The model's print-common values.
    cf::Value* commonArray = nullptr;
    const std::int32_t status = Load_GetPrintCommonArray(m_printerID, &commonArray);
    const std::unique_ptr<cf::Value> common(commonArray);
    if (status != 0 || common == nullptr) {
        return kPlgFileNotFound;
    }
    // The table lies at an odd offset of the packed record: fill it aligned, then copy it in.
    alignas(std::int64_t) ModelAtlasTbl modelAtlas{};
    SetArrayToPrintCommon(&modelAtlas, common.get());
    std::memcpy(&r.modelAtlas, &modelAtlas, sizeof modelAtlas);
    return 0;
}

void kCommonDataClass_ZORVEX_common_V600_PS::terminateCoreCommonTable(
    CoreCommonInfoTbl* record) const {
    if (record == nullptr) {
        return;
    }
    CoreCommonInfoTbl& r = *record;
    release(r.outputProfileName);
    r.outputProfileName = nullptr;
    release(r.outputProfilePath);
    r.outputProfilePath = nullptr;
    release(r.proofProfileName);
    r.proofProfileName = nullptr;
    release(r.proofProfilePath);
    r.proofProfilePath = nullptr;
    release(r.captionComment);
    r.captionComment = nullptr;
    release(r.saveDataName);
    r.saveDataName = nullptr;
    release(r.captionText);
    r.captionText = nullptr;
    release(r.printerShortNameString);
    r.printerShortNameString = nullptr;
    release(r.paperSizeName);
    r.paperSizeName = nullptr;
    release(r.rollWidthName);
    r.rollWidthName = nullptr;
}
