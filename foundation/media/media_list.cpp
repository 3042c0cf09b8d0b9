#include "media/media_list.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "helpers/kstr.h"
#include "helpers/mdb_locale.h"
#include "loaders/media_db_loader.h"
#include "loaders/model_atlas_loader.h"
#include "media/media_category.h"
#include "media/medium_name.h"
#include "mediadb/media_hints.h"

namespace {

constexpr std::int16_t kPlainPaperMedium = 256;  // the one medium of a model without a database
constexpr std::int32_t kPlainPaperQdxaID = 3;
constexpr std::int32_t kPlainPaperInkSystem = 1;
constexpr std::uint16_t kCustomPaperQdxaID = 50;  // standard, but named by the user
constexpr const char* kUnknownPaper = "UnKnown Paper : ";
constexpr std::int32_t kEnabled = 1;

bool listable(std::uint32_t hint, std::uint32_t optimizeHint, std::int32_t region) {
    if ((hint & kMediumHintHidden) != 0) {
        return false;
    }
    if ((optimizeHint & kOptimizeHintListable) != kOptimizeHintListable) {
        return false;
    }
    return (hint & kMediumHintJapanOnly) == 0 || region == kRegionJapan;
}

// The database's name of the medium, else the model-information bundle's, else none.
std::optional<std::string> displayName(std::uint8_t* db, std::int16_t mediumID, const char* locale,
                                       std::int32_t region) {
    if (auto name = MediumNameFromDatabase(db, mediumID, locale, region)) {
        return name;
    }
    char* bundleName = Load_get_MediumName_FromMediumID(mediumID);
    if (bundleName == nullptr) {
        return std::nullopt;
    }
    std::string name(bundleName);
    std::free(bundleName);
    return name;
}

std::int16_t listWithoutDatabase(MenuDataArray menu) {
    char* name = Load_get_MediumName_FromMediumID(kPlainPaperMedium);
    if (name != nullptr) {
        KMenu::AddMenuData(menu, name, kPlainPaperMedium, kPlainPaperQdxaID, kPlainPaperInkSystem,
                           kEnabled);
        std::free(name);
    }
    return 1;
}

}  // namespace

std::int16_t ConstructMediaList(std::uint8_t* mediaDatabase, const cf::Bundle* bundle,
                                std::int32_t region, std::int32_t onlyEnabled,
                                std::uint8_t markByHint, MenuDataArray menu) {
    if (bundle == nullptr || menu == nullptr) {
        return 0;
    }
    if (mediaDatabase == nullptr) {
        return listWithoutDatabase(menu);
    }
    char locale[kMdbLocaleBytes] = {};
    GetLocaleCharforMDB(bundle, locale);
    const std::int16_t media = Load_mdb3MediumCount(mediaDatabase);
    std::int16_t count = 0;
    for (std::int32_t index = 1; index <= media; ++index) {
        std::int16_t medium = 0;
        DEF_QDXAID ids{};
        std::uint32_t hint = 0, optimizeHint = 0;
        Load_mdb3MediumID(mediaDatabase, static_cast<std::int16_t>(index), &medium);
        Load_mdb3QdxaID(mediaDatabase, medium, &ids);
        Load_mdb3MediumHint(mediaDatabase, medium, &hint);
        Load_mdb3OptimizeModeHint(mediaDatabase, medium, &optimizeHint);
        if (!listable(hint, optimizeHint, region)) {
            continue;
        }
        const std::int32_t inkSystem = Load_mdb3GetInkSystem(mediaDatabase, medium);
        const std::string name = displayName(mediaDatabase, medium, locale, region)
                                     .value_or(kUnknownPaper + KStr::NumToCFString(medium));
        const std::int32_t enabled = markByHint != 0 ? ((hint & kMediumHintMarked) != 0) : 1;
        if (onlyEnabled != 1 || enabled == 1) {
            KMenu::AddMenuData(menu, name.c_str(), medium, ids.qdxaID1, inkSystem, enabled);
        }
        ++count;
    }
    return count;
}

std::uint8_t CheckSupportedMedia(std::uint8_t* mediaDatabase, const char* localeBytes,
                                 std::int32_t region, std::int16_t mediumID,
                                 const char* mediumName) {
    std::uint32_t hint = 0;
    if (Load_mdb3MediumHint(mediaDatabase, mediumID, &hint) == 0 ||
        (hint & kMediumHintHidden) != 0) {
        return 0;
    }
    const std::int16_t media = Load_mdb3MediumCount(mediaDatabase);
    for (std::int32_t index = 1; index <= media; ++index) {
        std::int16_t medium = 0;
        Load_mdb3MediumID(mediaDatabase, static_cast<std::int16_t>(index), &medium);
        if (medium != mediumID) {
            continue;
        }
        DEF_QDXAID ids{};
        Load_mdb3QdxaID(mediaDatabase, medium, &ids);
        const bool namedByID =
            checkQDXAIDMedia(ids.qdxaID1) == 1 && ids.qdxaID1 != kCustomPaperQdxaID;
        if (namedByID || mediumName == nullptr || *mediumName == '\0') {
            return 1;
        }
        const auto name = displayName(mediaDatabase, medium, localeBytes, region);
        return name && *name != mediumName ? 0 : 1;
    }
    return 0;
}
