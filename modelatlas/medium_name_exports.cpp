// Exports that name media: from the media database in the user's language when it has the name,
// else from the bundle's medium-name tables.
#include <optional>
#include <string>

#include "exports.h"
#include "helpers/mdb_locale.h"
#include "loaders/media_db_loader.h"
#include "media/medium_name.h"
#include "model_tables.h"

using namespace modelatlas;

namespace {

constexpr std::int16_t kKindPrinterSetting = 1;
constexpr std::int16_t kKindUnknown = -2;
constexpr std::uint32_t kLow16 = 0xFFFF;

// The medium's name in the database, for the locale of the bundle, converted from the
// database's Windows bytes into UTF-8 text; none when the database has no name for it.
std::optional<std::string> databaseName(const cf::Bundle* bundle, std::uint8_t* db,
                                        std::int16_t medium, std::int32_t region) {
    char locale[kMdbLocaleBytes] = {};
    GetLocaleCharforMDB(bundle, locale);
    return MediumNameFromDatabase(db, medium, locale, region);
}

// A copy of the "MediumString" of the first row of a root table whose integer `key` matches.
template <typename Match>
char* tableName(const char* tableName, const char* key, Match match) {
    const auto bundle = ownBundle();
    const auto table = bundle == nullptr ? std::nullopt : rootTable(*bundle, tableName);
    const cf::Value* row = table ? findRowWhere(*table, key, match) : nullptr;
    const std::string* name = row == nullptr ? nullptr : rowString(*row, "MediumString");
    return name == nullptr ? nullptr : newText(*name);
}

char* qdxa1Name(std::int16_t id) {
    return tableName("Qdxa1MediumName", "QdxaID1",
                     [id](std::int32_t value) { return value == id; });
}

char* qdxa2Name(std::int16_t id) {
    return tableName("Qdxa2MediumName", "QdxaID2",
                     [id](std::int32_t value) { return value == id; });
}

// The medium of the database whose second QDXA id is `qdxaID2`, when one is shown.
std::optional<std::int16_t> mediumWithQdxaID2(std::uint8_t* db, std::int16_t qdxaID2) {
    const std::int16_t count = Load_mdb3MediumCount(db);
    for (std::int32_t index = 1; index <= count; ++index) {
        std::int16_t medium = 0;
        DEF_QDXAID ids{};
        Load_mdb3MediumID(db, static_cast<std::int16_t>(index), &medium);
        Load_mdb3QdxaID(db, medium, &ids);
        if (ids.qdxaID2 == static_cast<std::uint16_t>(qdxaID2))
            return medium;
    }
    return std::nullopt;
}

}  // namespace

std::int32_t get_MediumName(std::uint8_t* db, std::int32_t region, std::int16_t kind,
                            std::int16_t qdxaID2, char** name) {
    if (name == nullptr)
        return kParameterError;
    if (kind == kKindPrinterSetting || kind == kKindUnknown) {
        if (char* found = qdxa1Name(kind))
            *name = found;
        return 0;
    }
    if (db == nullptr)
        return kParameterError;
    if (const auto medium = mediumWithQdxaID2(db, qdxaID2)) {
        const auto bundle = ownBundle();
        if (const auto text = databaseName(bundle.get(), db, *medium, region)) {
            *name = newText(*text);
            return 0;
        }
    }
    *name = qdxa2Name(qdxaID2);
    return 0;
}

char* get_MediumName_FromMediumID(std::int16_t mediumID) {
    const auto wanted = static_cast<std::uint32_t>(static_cast<std::uint16_t>(mediumID));
    return tableName("MediumName", "MediumID", [wanted](std::int32_t value) {
        return (static_cast<std::uint32_t>(value) & kLow16) == wanted;
    });
}

char* get_MediumName_FromMediumID2(std::uint8_t* db, std::int32_t region, std::int16_t mediumID) {
    if (db == nullptr)
        return get_MediumName_FromMediumID(mediumID);
    const auto bundle = ownBundle();
    if (const auto text = databaseName(bundle.get(), db, mediumID, region))
        return newText(*text);
    return get_MediumName_FromMediumID(mediumID);
}
