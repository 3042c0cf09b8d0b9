#include "loaders/media_db_loader.h"

#include <cstring>

#include "loaders/framework_loader.h"

namespace {

// Binds `name` in the media database framework for this one call; 0 when either is missing.
template <typename Function, typename... Arguments>
auto callMediaDatabase(const char* name, Arguments... arguments)
    -> decltype(std::declval<Function*>()(arguments...)) {
    using Result = decltype(std::declval<Function*>()(arguments...));
    const auto bundle = GetFrameworkBundle(mediaDatabaseFrameworkPath());
    if (bundle == nullptr) {
        return Result{0};
    }
    auto* function = reinterpret_cast<Function*>(GetProcPtr(bundle.get(), name));
    return function == nullptr ? Result{0} : function(arguments...);
}

template <typename T>
void clear(T* out) {
    if (out != nullptr) {
        std::memset(static_cast<void*>(out), 0, sizeof(T));
    }
}

void clearName(char* name) {
    if (name != nullptr) {
        name[0] = '\0';
    }
}

}  // namespace

#define MDB_CALL(function, ...) callMediaDatabase<decltype(function)>(#function, __VA_ARGS__)

std::int16_t Load_mdb3FilterInkSystem(std::uint8_t* db, std::uint32_t inkSystem,
                                      std::uint16_t value) {
    return MDB_CALL(mdb3FilterInkSystem, db, inkSystem, value);
}

std::int16_t Load_mdb3FilterMediumHint(std::uint8_t* db, std::uint32_t hintMask,
                                       std::uint16_t mode) {
    return MDB_CALL(mdb3FilterMediumHint, db, hintMask, mode);
}

std::int32_t Load_mdb3GetMediaData(const char* path, std::uint8_t* buffer) {
    return MDB_CALL(mdb3GetMediaData, path, buffer);
}

std::int16_t Load_mdb3FilterOptimizeMode(std::uint8_t* db, std::int16_t medium,
                                         std::uint32_t mode) {
    return MDB_CALL(mdb3FilterOptimizeMode, db, medium, mode);
}

std::int16_t Load_mdb3DBFilterOptimizeMode(std::uint8_t* db, std::uint32_t mode) {
    return MDB_CALL(mdb3DBFilterOptimizeMode, db, mode);
}

std::int16_t Load_mdb3SupportedInkSystem(std::uint8_t* db, std::uint32_t* inkSystems) {
    clear(inkSystems);
    return MDB_CALL(mdb3SupportedInkSystem, db, inkSystems);
}

std::int16_t Load_mdb3MediumCount(std::uint8_t* db) {
    return MDB_CALL(mdb3MediumCount, db);
}

std::int16_t Load_mdb3MediumID(std::uint8_t* db, std::int16_t index, std::int16_t* medium) {
    clear(medium);
    return MDB_CALL(mdb3MediumID, db, index, medium);
}

std::int16_t Load_mdb3MediumHint(std::uint8_t* db, std::int16_t medium, std::uint32_t* hint) {
    clear(hint);
    return MDB_CALL(mdb3MediumHint, db, medium, hint);
}

std::int16_t Load_mdb3QdxaID(std::uint8_t* db, std::int16_t medium, DEF_QDXAID* ids) {
    clear(ids);
    return MDB_CALL(mdb3QdxaID, db, medium, ids);
}

std::int16_t Load_mdb3OptimizeModeHint(std::uint8_t* db, std::int16_t medium, std::uint32_t* hint) {
    clear(hint);
    return MDB_CALL(mdb3OptimizeModeHint, db, medium, hint);
}

std::int32_t Load_mdb3GetInkSystem(std::uint8_t* db, std::int16_t medium) {
    return MDB_CALL(mdb3GetInkSystem, db, medium);
}

std::int16_t Load_mdb3MediumString(std::uint8_t* db, std::int16_t medium, const char* locale,
                                   char* name) {
    clearName(name);
    return MDB_CALL(mdb3MediumString, db, medium, locale, name);
}

std::uint16_t Load_mdb3SupportedPrintMethod(std::uint8_t* db, std::int16_t medium) {
    return MDB_CALL(mdb3SupportedPrintMethod, db, medium);
}

std::uint16_t Load_mdb3SupportedResolution(std::uint8_t* db, std::int16_t medium,
                                           std::int16_t method) {
    return MDB_CALL(mdb3SupportedResolution, db, medium, method);
}

std::uint16_t Load_mdb3SupportedResoParam(std::uint8_t* db, std::int16_t medium,
                                          std::int16_t method, std::int16_t resolution,
                                          DEF_RESOLUTION* record) {
    clear(record);
    return MDB_CALL(mdb3SupportedResoParam, db, medium, method, resolution, record);
}

std::uint16_t Load_mdb3SupportedHalfTone(std::uint8_t* db, std::int16_t medium, std::int16_t method,
                                         std::int16_t resolution) {
    return MDB_CALL(mdb3SupportedHalfTone, db, medium, method, resolution);
}

std::uint16_t Load_mdb3ResolutionHint(std::uint8_t* db, std::int16_t medium, std::int16_t method,
                                      std::int16_t resolution, std::uint16_t* hint) {
    clear(hint);
    return MDB_CALL(mdb3ResolutionHint, db, medium, method, resolution, hint);
}

std::int16_t Load_mdb3OptimizeModeDefParam(std::uint8_t* db, std::int16_t medium,
                                           std::uint32_t mode, DEF_QUALITY* quality) {
    clear(quality);
    return MDB_CALL(mdb3OptimizeModeDefParam, db, medium, mode, quality);
}

std::uint16_t Load_mdb3PaperSource(std::uint8_t* db, std::int16_t medium, std::uint16_t mode) {
    return MDB_CALL(mdb3PaperSource, db, medium, mode);
}

std::int16_t Load_mdb3GetHeaderPart(std::uint8_t* db, DEF_HEADERPART* header) {
    clear(header);
    return MDB_CALL(mdb3GetHeaderPart, db, header);
}

std::int32_t Load_mdb3OutputICC(std::uint8_t* db, std::int16_t medium, const DEF_QUALITY* quality,
                                std::uint32_t* modelID, char* fileName) {
    clear(modelID);
    clearName(fileName);
    return MDB_CALL(mdb3OutputICC, db, medium, quality, modelID, fileName);
}
