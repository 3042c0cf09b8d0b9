// A model's paper-size limits and margins from the model-information bundle, with the values a
// model gets when the bundle does not answer, and the sizes of paper-size and roll-width ids.
// Limits are in hundredths of a millimetre; margins and paper sizes in tenths.
#pragma once

#include <cstdint>

/// The 13 size limits of a model: heights (h) and widths (w) of rolls, cut sheets (Cut) and the
/// cassette (Casette).
struct PaperSizeLimits {
    std::int32_t hBannerRollMax;
    std::int32_t hRollMax;
    std::int32_t hRollMin;
    std::int32_t wRollMax;
    std::int32_t wRollMin;
    std::int32_t hCutMax;
    std::int32_t hCutMin;
    std::int32_t wCutMax;
    std::int32_t wCutMin;
    std::int32_t hCasetteMax;
    std::int32_t hCasetteMin;
    std::int32_t wCasetteMax;
    std::int32_t wCasetteMin;
};

/// The model's limits; without an answer from the bundle, rolls 20320 to 1800000 high and 20320
/// to 152400 wide, cut sheets 20320 to 160000 high and 20320 to 152400 wide, no cassette. The
/// paper source is not used.
void GetSupportPaperSize(std::int32_t printerTypeID, std::int32_t paperSource,
                         PaperSizeLimits* limits);

/// The four limits of one paper source: the cassette (2), cut sheets (16, 128, 8192) or rolls
/// (256, 512, 1024, 2048). Any other source leaves the outputs as the caller set them.
void GetSupportSize(std::int32_t printerTypeID, std::uint16_t paperSource, std::uint32_t* maxHeight,
                    std::uint32_t* minHeight, std::uint32_t* maxWidth, std::uint32_t* minWidth);

/// The roll limits as the bundle gives them, without defaults: 1 when it answered, else 0 with
/// all four 0.
std::uint8_t GetSupportCustomPaperSize(std::int32_t printerTypeID, std::uint32_t* maxHeight,
                                       std::uint32_t* minHeight, std::uint32_t* maxWidth,
                                       std::uint32_t* minWidth);

/// The model's margin type and its margins for the source: the manual-feed set for 128 and 8192,
/// the normal set otherwise. Without an answer from the bundle: type 30, margins 30 on every
/// side but a bottom of 230 for 128 and 8192.
std::uint16_t GetPrinterMarginSize(std::int32_t printerTypeID, std::int32_t paperSource,
                                   std::uint32_t* top, std::uint32_t* left, std::uint32_t* bottom,
                                   std::uint32_t* right);

/// -30 on all four sides, for every model.
void GetBorderlessMarginSize(std::int32_t printerTypeID, std::int32_t* top, std::int32_t* left,
                             std::int32_t* bottom, std::int32_t* right);

/// Width and height of a paper-size or roll-width id from the bundle's paper-size table; 0 when
/// the id is not in it.
std::int32_t GetQDXAMediaWidthValue(std::int32_t paperSizeID);
std::int32_t GetQDXAMediaLengthValue(std::int32_t paperSizeID);
