// The settings model's media database, the output profile of the medium, the proof preview
// check, the medium check, the print-mode table and the settings derived from the printer.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "common_data.h"
#include "helpers/kstat.h"
#include "helpers/kstr.h"
#include "helpers/mdb_locale.h"
#include "helpers/text_encoding.h"
#include "loaders/media_db_loader.h"
#include "loaders/model_atlas_loader.h"
#include "media/media_list.h"
#include "mediadb/media_db.h"
#include "paper/paper_size.h"
#include "printer/printer_function.h"
#include "profile_optimize.h"
#include "profiles/profile_check.h"
#include "profiles/profile_name.h"

namespace {

constexpr std::uint16_t kInkFilterMode = 2;
constexpr std::uint32_t kOptimizeFilterAll = 4;
constexpr std::int16_t kFirstMedium = 1;  // media are counted from 1
constexpr std::size_t kDatabaseNameLimit = 255;
constexpr char kFallbackProfile[] = "QELSRGBA.ICC";
constexpr std::int32_t kColorModeAuto = 1;
constexpr std::int32_t kColorModeNoCorrection = 3;
constexpr std::int32_t kColorModeProfile = 4;
constexpr std::int16_t kMatchingMethodOne = 1;
constexpr std::uint32_t kMirrorAllowedHint = 0x40;
constexpr std::int32_t kMarginToPosition = 10;  // 1/10 mm to 1/100 mm
constexpr std::int32_t kCaptionRoom = 100;      // 10 mm in 1/10 mm
constexpr std::int32_t kFitToSize = 2;
constexpr std::int32_t kCaptionAbove = 1;
constexpr int kSaveDataNameBytes = 32;
constexpr std::size_t kSystemNameBuffer = 512;

struct FreeText {
    void operator()(char* text) const { std::free(text); }
};

// The database name as the framework takes it: UTF-8 of at most 255 bytes.
std::string databaseName(const std::string& name) {
    return name.substr(0, std::min(name.size(), kDatabaseNameLimit));
}

}  // namespace

void kCommonDataClass_ZORVEX_common_V600_PS::openMdbDB(const std::optional<std::string>& name) {
    if (!name) {
        return;
    }
    closeMdbDB();
    OpenMediaDB2(databaseName(*name).c_str(), &m_mediaData,
                 static_cast<std::uint32_t>(m_current_inksys), kInkFilterMode);
    optimizeFilter(kOptimizeFilterAll);
}

void kCommonDataClass_ZORVEX_common_V600_PS::optimizeFilter(std::uint32_t mode) {
    if (m_mediaData != nullptr) {
        Load_mdb3DBFilterOptimizeMode(m_mediaData, mode);
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::closeMdbDB() {
    if (m_mediaData != nullptr) {
        CloseMediaDB(&m_mediaData);
    }
}

std::int16_t kCommonDataClass_ZORVEX_common_V600_PS::getDefaultMediumID() const {
    if (m_mediaData == nullptr) {
        return 0;
    }
    std::int16_t medium = 0;
    Load_mdb3MediumID(m_mediaData, kFirstMedium, &medium);
    return medium;
}

bool kCommonDataClass_ZORVEX_common_V600_PS::getMediaICCProfile() {
    if (m_colorMode != kColorModeAuto && m_colorMode != kColorModeNoCorrection) {
        return false;
    }
    const DEF_QUALITY quality{static_cast<std::uint16_t>(m_method),
                              static_cast<std::uint16_t>(m_resolution)};
    char fileName[kOutputProfileNameSize] = {};
    std::int32_t profileModelID = 0;
    std::uint8_t* copy = nullptr;
    if (!m_cfDBName ||
        !OpenMediaDB2(databaseName(*m_cfDBName).c_str(), &copy,
                      static_cast<std::uint32_t>(m_current_inksys), kInkFilterMode)) {
        std::strcpy(fileName, kFallbackProfile);
    } else {
        Load_mdb3DBFilterOptimizeMode(copy, kOptimizeFilterAll);
        std::uint16_t hint = 0;
        Load_mdb3ResolutionHint(copy, m_mediumID, m_method, m_resolution, &hint);
        const std::int32_t mode = profileOptimizeMode(
            GetOptimizeLevelFlag(m_printerID), Check_VGM_Printer(m_printerID) == 1, m_printMode,
            hint, m_mediaDetails.inkImpact, m_optimize);
        Load_mdb3FilterOptimizeMode(copy, m_mediumID, static_cast<std::uint32_t>(mode));
        std::uint32_t model = 0;
        profileModelID = Load_mdb3OutputICC(copy, m_mediumID, &quality, &model, fileName);
        CloseMediaDB(&copy);
    }
    ConvOutputProfName(fileName);
    m_outputProfileModelID = profileModelID;
    std::string name;
    std::string path;
    if (GetProfileNameAndPathFromFileName(fileName, &name, &path) == 0) {
        return false;
    }
    m_outputProfileName = name;
    m_outputProfilePath = path;
    return true;
}

bool kCommonDataClass_ZORVEX_common_V600_PS::validatePreviewProof() {
    bool possible = false;
    bool missing = true;
    if (m_colorMode == kColorModeAuto || m_colorMode == kColorModeNoCorrection) {
        const bool found = getMediaICCProfile();
        if (found && m_outputProfilePath) {
            possible = OutPutProfileCheckForPreviewProof(m_outputProfilePath->c_str()) == 1;
            missing = false;
        } else {
            missing = found;
        }
        if (m_colorMode == kColorModeAuto && m_matchingMethod == kMatchingMethodOne) {
            possible = false;
            missing = true;
        }
    } else if (m_colorMode == kColorModeProfile) {
        if (m_outputProfilePath) {
            possible = ProfileExistsCheck(m_outputProfilePath->c_str()) == 1;
            missing = !possible;
        } else {
            missing = false;
        }
    }
    m_previewProofEnable = possible ? 1 : 0;
    return missing;
}

void kCommonDataClass_ZORVEX_common_V600_PS::validateMedia(const cf::Bundle* bundle,
                                                           std::int16_t mediumID,
                                                           const std::optional<std::string>& name) {
    char locale[kMdbLocaleBytes] = {};
    GetLocaleCharforMDB(bundle, locale);
    const int region = kStat::Get_RegionCode();
    if (mediumID != 0 && CheckSupportedMedia(m_mediaData, locale, region, mediumID,
                                             name ? name->c_str() : nullptr) == 1) {
        m_mediumID = mediumID;
        m_mediumName = name;
        return;
    }
    m_mediumID = getDefaultMediumID();
    const std::unique_ptr<char, FreeText> found(
        Load_get_MediumName_FromMediumID2(m_mediaData, region, m_mediumID));
    m_mediumName = found == nullptr ? std::nullopt : std::optional<std::string>(found.get());
}

bool kCommonDataClass_ZORVEX_common_V600_PS::createPrintModeTbl() {
    terminatePrintModeTblHdl();
    if (m_mediaData == nullptr) {
        return false;
    }
    m_hPrintModeTbl = MakePrintModeTable(m_mediaData, m_printerID);
    return m_hPrintModeTbl != nullptr;
}

void kCommonDataClass_ZORVEX_common_V600_PS::terminatePrintModeTblHdl() {
    if (m_hPrintModeTbl != nullptr) {
        KMEM::k_DisposHandle(kPrintModeHandleKind, &m_hPrintModeTbl);
        m_hPrintModeTbl = nullptr;
    }
}

void kCommonDataClass_ZORVEX_common_V600_PS::setDefaultTopPositionValue() {
    std::uint32_t top = 0;
    std::uint32_t left = 0;
    std::uint32_t bottom = 0;
    std::uint32_t right = 0;
    GetPrinterMarginSize(m_printerID, m_paperSource, &top, &left, &bottom, &right);
    auto margin = static_cast<std::int32_t>(top);
    const bool captionAbove = m_noFrame == 0 &&
                              (m_expansionReduction == 0 || m_fitType == kFitToSize) &&
                              m_captions.caption != 0 && m_captions.infoPosition == kCaptionAbove &&
                              !makeCaptionStrings().empty();
    if (captionAbove) {
        margin += kCaptionRoom;
    }
    m_layout_Top = margin * kMarginToPosition;
}

void kCommonDataClass_ZORVEX_common_V600_PS::setDefaultLeftPositionValue() {
    std::uint32_t top = 0;
    std::uint32_t left = 0;
    std::uint32_t bottom = 0;
    std::uint32_t right = 0;
    GetPrinterMarginSize(m_printerID, m_paperSource, &top, &left, &bottom, &right);
    m_layout_Left = static_cast<std::int32_t>(left) * kMarginToPosition;
}

std::int32_t kCommonDataClass_ZORVEX_common_V600_PS::checkMirrorAlert() {
    std::uint32_t hint = 0;
    Load_mdb3MediumHint(m_mediaData, m_mediumID, &hint);
    if ((hint & kMirrorAllowedHint) == 0) {
        m_mediaDetails.mirror = 0;
        return 0;
    }
    return m_mediaDetails.mirror == 0 ? 1 : 0;
}

void kCommonDataClass_ZORVEX_common_V600_PS::setSaveDataName(
    const std::optional<std::string>& name) {
    m_environments.saveDataName.reset();
    if (!name) {
        return;
    }
    const int check =
        KStr::CharBytesCheck(*name, text_encoding::systemEncoding(), kSaveDataNameBytes);
    if (check == KStr::kCharBytesNotConvertible) {
        return;
    }
    if (check == KStr::kCharBytesTooLong) {
        // Through a C string of the system encoding, as the name reaches the printer.
        std::optional<std::string> bytes = text_encoding::toSystem(*name);
        if (!bytes) {
            return;
        }
        bytes->resize(std::min(bytes->size(), kSystemNameBuffer - 1));
        m_environments.saveDataName = text_encoding::fromSystem(*bytes);
        return;
    }
    m_environments.saveDataName = *name;
}
