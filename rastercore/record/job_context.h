// The job context: everything the core knows about one running job.
//
// The job driver allocates it zeroed with `Get_MemoryClear`; the set-up fills it from the job
// record and the host information record; the tear-down releases every buffer it points to, the
// three module records and then the context itself. All fields are plain data, so the zeroed
// allocation is a valid empty context.
#pragma once

#include <cstdint>

#include "rastercore/core_common_info_tbl.h"
#include "record/host_image_record.h"
#include "record/qdxa_info.h"
#include "record/tarn_rect.h"

struct Cmd_Info;
struct Color_Info;
struct PatternCaptionAreas;
struct PatternPrintInfo;

namespace cf {
class Value;
}

namespace rastercore {
class ProgressObject;
}

/// Longest caption text the context keeps, in bytes.
inline constexpr int kCaptionTextMax = 510;
/// Option bytes sent with the printer commands; 0xFF means not sent.
inline constexpr int kOptionByteCount = 13;

struct PLGContext {
    ModelAtlasTbl modelTable;  ///< copy of the job's per-model values
    QDXA_Info* qdxaInfo;       ///< packet record
    Color_Info* colorInfo;     ///< colour record
    Cmd_Info* cmdInfo;         ///< command record

    // Output geometry.
    double outputResolution[2];  ///< horizontal, vertical working dpi: 300 or 600
    std::int32_t bitsPerPixel;   ///< working pixel size: 48 for 16-bit samples, else 24
    std::int32_t paperWidth;     ///< 1/10 mm
    std::int32_t paperHeight;
    std::int32_t paperWidthDots;
    std::int32_t paperHeightDots;
    TARNRect imageRect;         ///< placement on the page, working pixels
    std::uint32_t sourceWidth;  ///< host pixels of the printed part
    std::uint32_t sourceHeight;
    double scale[2];               ///< dots per source pixel, horizontal and vertical
    std::int32_t lineCount;        ///< lines of the band loop
    double sourceRect[4];          ///< top, left, bottom, right, host pixels
    std::uint32_t imageLineWidth;  ///< image right - left
    std::uint32_t bandLineWidth;   ///< the wider of the image and the caption union
    std::uint16_t copies;          ///< 1 when printed in the background
    std::uint16_t currentCopy;

    // Layout.
    std::uint8_t borderless;
    std::uint8_t rotate;  ///< printed turned: rows become columns
    std::uint8_t expansionReduction;
    std::uint8_t fitType;
    std::uint8_t pageLayoutKind;
    std::uint16_t magnification;  ///< whole percent
    std::int32_t layoutLeft;      ///< 1/10 mm
    std::int32_t layoutTop;
    std::int32_t backgroundPrint;

    // Caption.
    std::uint8_t captionFlag;
    char captionText[kCaptionTextMax + 1];
    std::uint16_t captionLength;
    std::uint16_t captionResolution;  ///< 300 or 600
    double captionScale;              ///< resolution / 200
    std::int16_t captionKind;
    TARNRect captionRect;
    std::int32_t captionWidth;  ///< dots
    std::int32_t captionHeight;
    std::uint8_t* captionMergeLine;
    std::int32_t captionMergeWidth;
    std::uint8_t* captionBitmap;      ///< caption width × height pixels, top row first
    std::uint32_t captionBitmapSize;  ///< bytes
    std::uint8_t* captionColorLine;   ///< one caption row after colour processing
    std::int32_t textBitmapWidth;     ///< the rendered text at 200 dpi, pixels
    std::int32_t textBitmapHeight;
    std::int16_t captionFontSize;  ///< pixels at 200 dpi

    // Media and host link.
    void* mediaDatabase;
    std::uint8_t mediaDatabaseOpened;  ///< the set-up opened it: the tear-down closes it
    std::int32_t hostTypeFlag;         ///< 1 for the photo application
    HostImageRecord* hostImage;
    void* hostImageHandle;             ///< photo application only
    std::uint8_t* hostTransferBuffer;  ///< the photo application's, freed through its callback
    std::uint32_t hostTransferSize;
    cf::Value* hostProfileUrl;     ///< string: the photo application's image profile, owned
    cf::Value* workingProfileUrl;  ///< string: the photo application's working space, owned
    std::int32_t hostFetchMode;    ///< 1: lines come through the line callback
    const void* colorSpaceSuite;   ///< image editor only

    // Row buffers.
    std::uint8_t depthCode;             ///< working depth code 1 to 4
    std::uint8_t* rgbRow;               ///< the converted host line: 3 or 6 bytes per source pixel
    std::uint32_t rgbRowSize;           ///< bytes
    std::uint8_t* sharpenWindow;        ///< three working rows
    std::uint8_t* bandLine;             ///< one working line, image line width wide
    std::uint32_t bandLineSize;         ///< bytes
    std::uint8_t* colorCopy;            ///< one working line, band line width wide
    std::uint32_t colorCopySize;        ///< bytes
    std::uint8_t colorOnCopy;           ///< scale above 1: colour-process from the copy
    std::uint8_t* colorOutputLine;      ///< one working line, band line width wide
    std::uint32_t colorOutputLineSize;  ///< bytes
    /// The commands of one band or one raster restart; the band loop refuses a buffer smaller
    /// than the generator's `bandCommandSize`.
    std::uint8_t* commandBuffer;
    std::uint32_t commandBufferSize;  ///< bytes
    std::uint8_t* fetchedLine;

    std::uint8_t optionBytes[kOptionByteCount];
    std::int32_t sourceKind;  ///< the job record's source kind

    // Pattern print.
    std::uint8_t patternPrint;
    std::uint8_t patternFullSize;
    std::int32_t patternCaptionWidth;
    PatternPrintInfo* patternTables;           ///< the sheet's layout, for printing
    PatternCaptionAreas* patternCaptionAreas;  ///< the sheet's text areas
    TARNRect patternImageRect;                 ///< the sheet on the medium, from its layout
    std::uint8_t patternPaperLengthChanged;    ///< the layout made the sheet longer or shorter

    // Job link.
    CoreCommonInfoTbl* jobRecord;          ///< the caller's record; only the cancel byte is written
    rastercore::ProgressObject* progress;  ///< host type 1 only
};
