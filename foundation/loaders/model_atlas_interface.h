// The exports of the model-information bundle, as the plug-in binds them. Strings are returned
// as UTF-8 text from malloc (the caller frees them); arrays as new property-list values (the
// caller deletes them).
#pragma once

#include <cstdint>

#include "cf/value.h"
#include "helpers/kmenu.h"

inline constexpr int kPaperSourceSlots = 10;

/// The model's paper sources in menu order.
struct PaperSourceNumRec {
    std::uint32_t count;
    std::int16_t codes[kPaperSourceSlots];
};

extern "C" {
using get_MediumName_t = std::int32_t(std::uint8_t* db, std::int32_t region, std::int16_t kind,
                                      std::int16_t qdxaID2, char** name);
using GetPrinterSupportPaperSize_t = std::uint8_t(
    std::int32_t printerTypeID, std::int32_t* hBannerRollMax, std::int32_t* hRollMax,
    std::int32_t* hRollMin, std::int32_t* wRollMax, std::int32_t* wRollMin, std::int32_t* hCutMax,
    std::int32_t* hCutMin, std::int32_t* wCutMax, std::int32_t* wCutMin, std::int32_t* hCasetteMax,
    std::int32_t* hCasetteMin, std::int32_t* wCasetteMax, std::int32_t* wCasetteMin);
using GetPrinterSupportMarginSize_t = std::uint8_t(
    std::int32_t printerTypeID, std::int32_t* marginType, std::int32_t* top, std::int32_t* left,
    std::int32_t* bottom, std::int32_t* right, std::int32_t* manualTop, std::int32_t* manualLeft,
    std::int32_t* manualBottom, std::int32_t* manualRight);
using ArrayOfModel_t = std::int32_t(std::int32_t printerTypeID, cf::Value** array);
using FlagArrayOfModel_t = std::uint8_t(std::int32_t printerTypeID, cf::Value** array);
using FlagOfSize_t = std::uint8_t(std::int32_t printerTypeID, std::int32_t sizeID);
using NameOfID_t = char*(std::int32_t id);
using GetDafaultRollWithQDXAID_t = std::int32_t(std::int32_t printerTypeID);
/// Writes at most `capacity` codes (never more than the record holds) and a count clipped to them.
using GetPaperSourceNumber_t = void(std::int32_t printerTypeID, PaperSourceNumRec* record,
                                    std::uint32_t capacity);
using GetEPrinterTypeID_t = std::int32_t(const char* printerName, std::int32_t* printerTypeID);
using GetSupportPrinterList_t = std::int32_t(MenuDataArray menu);
using get_MediumName_FromMediumID_t = char*(std::int16_t mediumID);
using GetPaperSizeInfo_t = std::uint8_t(std::int32_t paperSizeID, std::int32_t* width,
                                        std::int32_t* height);
using get_MediumName_FromMediumID2_t = char*(std::uint8_t* db, std::int32_t region,
                                             std::int16_t mediumID);
}
