// Wrappers that bind each export of the model-information bundle by name at the moment of the
// call. The bundle is found beside the host-side shell named by the identifier file; no bundle
// gives the failure value silently, a missing export prints "<name> procPtr = NULL \n" first.
#pragma once

#include "cf/bundle.h"
#include "loaders/model_atlas_interface.h"

/// The model-information bundle beside the host-side shell; it stays loaded for the process.
cf::Bundle* GetModelAtlasBundle();

std::int32_t Load_get_MediumName(std::uint8_t* db, std::int32_t region, std::int16_t kind,
                                 std::int16_t qdxaID2, char** name);
std::uint8_t Load_GetPrinterSupportPaperSize(
    std::int32_t printerTypeID, std::int32_t* hBannerRollMax, std::int32_t* hRollMax,
    std::int32_t* hRollMin, std::int32_t* wRollMax, std::int32_t* wRollMin, std::int32_t* hCutMax,
    std::int32_t* hCutMin, std::int32_t* wCutMax, std::int32_t* wCutMin, std::int32_t* hCasetteMax,
    std::int32_t* hCasetteMin, std::int32_t* wCasetteMax, std::int32_t* wCasetteMin);
std::uint8_t Load_GetPrinterSupportMarginSize(std::int32_t printerTypeID, std::int32_t* marginType,
                                              std::int32_t* top, std::int32_t* left,
                                              std::int32_t* bottom, std::int32_t* right,
                                              std::int32_t* manualTop, std::int32_t* manualLeft,
                                              std::int32_t* manualBottom,
                                              std::int32_t* manualRight);
std::int32_t Load_GetPrinterFunctionInfoArray(std::int32_t printerTypeID, cf::Value** array);
std::uint8_t Load_FullBleedSupportChk(std::int32_t printerTypeID, std::int32_t sizeID);
char* Load_GetRollPaperSizeName(std::int32_t sizeID);
std::uint8_t Load_GetSupportRollWidthIDArray(std::int32_t printerTypeID, cf::Value** array);
std::uint8_t Load_RollWidthSupportChk(std::int32_t printerTypeID, std::int32_t sizeID);
std::int32_t Load_GetDafaultRollWithQDXAID(std::int32_t printerTypeID);
void Load_GetPaperSourceNumber(std::int32_t printerTypeID, PaperSourceNumRec* record);
std::int32_t Load_GetEPrinterTypeID(const char* printerName, std::int32_t* printerTypeID);
std::int32_t Load_GetSupportPrinterList(MenuDataArray menu);
char* Load_get_MediumName_FromMediumID(std::int16_t mediumID);
std::uint8_t Load_GetSupportPaperIDArray(std::int32_t printerTypeID, cf::Value** array);
std::uint8_t Load_GetCasetteSupportPaperIDArray(std::int32_t printerTypeID, cf::Value** array);
char* Load_GetPaperSizeName(std::int32_t paperSizeID);
std::uint8_t Load_GetPaperSizeInfo(std::int32_t paperSizeID, std::int32_t* width,
                                   std::int32_t* height);
std::int32_t Load_GetUIDefaultTableArray(std::int32_t printerTypeID, cf::Value** array);
std::int32_t Load_GetPrintCommonArray(std::int32_t printerTypeID, cf::Value** array);
char* Load_get_MediumName_FromMediumID2(std::uint8_t* db, std::int32_t region,
                                        std::int16_t mediumID);
