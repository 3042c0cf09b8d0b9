#include "loaders/model_atlas_loader.h"

#include <cstdio>

#include "helpers/module_bundle.h"
#include "loaders/framework_loader.h"
#include "loaders/interface_bundle_id.h"

namespace {

template <typename T>
void clear(T* out, T empty) {
    if (out != nullptr) {
        *out = empty;
    }
}

// The export `name` of the model-information bundle, or null: silently when there is no bundle,
// after printing `diagnostic` when the bundle lacks the export.
void* modelFunction(const char* name, const char* diagnostic) {
    cf::Bundle* bundle = GetModelAtlasBundle();
    if (bundle == nullptr) {
        return nullptr;
    }
    void* function = bundle->symbol(name);
    if (function == nullptr) {
        std::printf("%s procPtr = NULL \n", diagnostic);
        std::fflush(stdout);
    }
    return function;
}

template <typename Function, typename Result, typename... Arguments>
Result callModel(const char* name, const char* diagnostic, Result failure, Arguments... arguments) {
    auto* function = reinterpret_cast<Function*>(modelFunction(name, diagnostic));
    return function == nullptr ? failure : static_cast<Result>(function(arguments...));
}

}  // namespace

cf::Bundle* GetModelAtlasBundle() {
    const auto identifier = GetInterfaceBundleID();
    if (!identifier) {
        return nullptr;
    }
    const auto shell = loadedBundleFolder(*identifier);
    if (!shell) {
        return nullptr;
    }
    const auto atlas = shell->parent_path() / "ModelAtlas.bundle";
    return checkURL(&atlas) == 1 ? keptBundle(atlas) : nullptr;
}

#define MODEL_CALL(type, name, failure, ...) callModel<type>(name, name, failure, __VA_ARGS__)

std::int32_t Load_get_MediumName(std::uint8_t* db, std::int32_t region, std::int16_t kind,
                                 std::int16_t qdxaID2, char** name) {
    clear<char*>(name, nullptr);
    return MODEL_CALL(get_MediumName_t, "get_MediumName", 0, db, region, kind, qdxaID2, name);
}

std::uint8_t Load_GetPrinterSupportPaperSize(
    std::int32_t printerTypeID, std::int32_t* hBannerRollMax, std::int32_t* hRollMax,
    std::int32_t* hRollMin, std::int32_t* wRollMax, std::int32_t* wRollMin, std::int32_t* hCutMax,
    std::int32_t* hCutMin, std::int32_t* wCutMax, std::int32_t* wCutMin, std::int32_t* hCasetteMax,
    std::int32_t* hCasetteMin, std::int32_t* wCasetteMax, std::int32_t* wCasetteMin) {
    return MODEL_CALL(GetPrinterSupportPaperSize_t, "GetPrinterSupportPaperSize", std::uint8_t{0},
                      printerTypeID, hBannerRollMax, hRollMax, hRollMin, wRollMax, wRollMin,
                      hCutMax, hCutMin, wCutMax, wCutMin, hCasetteMax, hCasetteMin, wCasetteMax,
                      wCasetteMin);
}

std::uint8_t Load_GetPrinterSupportMarginSize(std::int32_t printerTypeID, std::int32_t* marginType,
                                              std::int32_t* top, std::int32_t* left,
                                              std::int32_t* bottom, std::int32_t* right,
                                              std::int32_t* manualTop, std::int32_t* manualLeft,
                                              std::int32_t* manualBottom,
                                              std::int32_t* manualRight) {
    return MODEL_CALL(GetPrinterSupportMarginSize_t, "GetPrinterSupportMarginSize", std::uint8_t{0},
                      printerTypeID, marginType, top, left, bottom, right, manualTop, manualLeft,
                      manualBottom, manualRight);
}

std::int32_t Load_GetPrinterFunctionInfoArray(std::int32_t printerTypeID, cf::Value** array) {
    clear<cf::Value*>(array, nullptr);
    return MODEL_CALL(ArrayOfModel_t, "GetPrinterFunctionInfoArray", 0, printerTypeID, array);
}

std::uint8_t Load_FullBleedSupportChk(std::int32_t printerTypeID, std::int32_t sizeID) {
    return MODEL_CALL(FlagOfSize_t, "FullBleedSupportChk", std::uint8_t{0}, printerTypeID, sizeID);
}

char* Load_GetRollPaperSizeName(std::int32_t sizeID) {
    return MODEL_CALL(NameOfID_t, "GetRollPaperSizeName", static_cast<char*>(nullptr), sizeID);
}

std::uint8_t Load_GetSupportRollWidthIDArray(std::int32_t printerTypeID, cf::Value** array) {
    clear<cf::Value*>(array, nullptr);
    return MODEL_CALL(FlagArrayOfModel_t, "GetSupportRollWidthIDArray", std::uint8_t{0},
                      printerTypeID, array);
}

std::uint8_t Load_RollWidthSupportChk(std::int32_t printerTypeID, std::int32_t sizeID) {
    return MODEL_CALL(FlagOfSize_t, "RollWidthSupportChk", std::uint8_t{0}, printerTypeID, sizeID);
}

std::int32_t Load_GetDafaultRollWithQDXAID(std::int32_t printerTypeID) {
    return MODEL_CALL(GetDafaultRollWithQDXAID_t, "GetDafaultRollWithQDXAID", 0, printerTypeID);
}

void Load_GetPaperSourceNumber(std::int32_t printerTypeID, PaperSourceNumRec* record) {
    auto* function = reinterpret_cast<GetPaperSourceNumber_t*>(
        modelFunction("GetPaperSourceNumber", "GetPaperSourceNumber"));
    if (function != nullptr) {
        function(printerTypeID, record, kPaperSourceSlots);
    }
}

std::int32_t Load_GetEPrinterTypeID(const char* printerName, std::int32_t* printerTypeID) {
    clear(printerTypeID, 0);
    return MODEL_CALL(GetEPrinterTypeID_t, "GetEPrinterTypeID", 0, printerName, printerTypeID);
}

std::int32_t Load_GetSupportPrinterList(MenuDataArray menu) {
    return MODEL_CALL(GetSupportPrinterList_t, "GetSupportPrinterList", 0, menu);
}

char* Load_get_MediumName_FromMediumID(std::int16_t mediumID) {
    return MODEL_CALL(get_MediumName_FromMediumID_t, "get_MediumName_FromMediumID",
                      static_cast<char*>(nullptr), mediumID);
}

std::uint8_t Load_GetSupportPaperIDArray(std::int32_t printerTypeID, cf::Value** array) {
    clear<cf::Value*>(array, nullptr);
    return MODEL_CALL(FlagArrayOfModel_t, "GetSupportPaperIDArray", std::uint8_t{0}, printerTypeID,
                      array);
}

std::uint8_t Load_GetCasetteSupportPaperIDArray(std::int32_t printerTypeID, cf::Value** array) {
    clear<cf::Value*>(array, nullptr);
    return callModel<FlagArrayOfModel_t>("GetCasetteSupportPaperIDArray",
                                         "GetCasetteSupportPaperIDArray_ProcPtr", std::uint8_t{0},
                                         printerTypeID, array);
}

char* Load_GetPaperSizeName(std::int32_t paperSizeID) {
    return MODEL_CALL(NameOfID_t, "GetPaperSizeName", static_cast<char*>(nullptr), paperSizeID);
}

std::uint8_t Load_GetPaperSizeInfo(std::int32_t paperSizeID, std::int32_t* width,
                                   std::int32_t* height) {
    return MODEL_CALL(GetPaperSizeInfo_t, "GetPaperSizeInfo", std::uint8_t{0}, paperSizeID, width,
                      height);
}

std::int32_t Load_GetUIDefaultTableArray(std::int32_t printerTypeID, cf::Value** array) {
    clear<cf::Value*>(array, nullptr);
    return MODEL_CALL(ArrayOfModel_t, "GetUIDefaultTableArray", 0, printerTypeID, array);
}

std::int32_t Load_GetPrintCommonArray(std::int32_t printerTypeID, cf::Value** array) {
    clear<cf::Value*>(array, nullptr);
    return MODEL_CALL(ArrayOfModel_t, "GetPrintCommonArray", 0, printerTypeID, array);
}

char* Load_get_MediumName_FromMediumID2(std::uint8_t* db, std::int32_t region,
                                        std::int16_t mediumID) {
    return MODEL_CALL(get_MediumName_FromMediumID2_t, "get_MediumName_FromMediumID2",
                      static_cast<char*>(nullptr), db, region, mediumID);
}
