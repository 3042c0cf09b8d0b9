// The command generator's record and the colour-space descriptor it shares with the raster
// transfer.
//
// The job driver allocates `Cmd_Info` zeroed with `Get_MemoryClear`, fills the job values and
// hands it to `tarn_Cmd_Initialize`; `tarn_Cmd_Terminate` releases its buffers and the record.
// All fields are plain data, so the zeroed record is a valid empty one.
#pragma once

#include <cstdint>

struct PLGContext;

/// Number of sample-depth slots of a colour-space descriptor.
inline constexpr int kColorSpaceSlots = 10;
/// Most planes a colour space has (seven-plane spaces use slots 9, 6, 3, 7, 4, 8, 5).
inline constexpr int kMaxPlanes = 7;
/// Number of general data blocks (colour tables) sent in the job header.
inline constexpr int kGeneralDataBlocks = 8;

/// Layout of band data: colour-space id, plane count and the bits per sample of each slot
/// (0 = plane absent). Which slots a plane count uses is given by `planeSlots`.
struct TARNColorSpace {
    std::int32_t id;
    std::int32_t planeCount;
    std::uint8_t depth[kColorSpaceSlots];
};

/// Compression method of raster rows, as sent in ESC*b<n>M.
enum TARNCompType : std::int32_t {
    kCompNone = 0,
    kCompPackBits = 2,
    kCompSeedRow = 3,
};

/// Output sample depth codes of the job.
enum OutputDepth : std::int32_t {
    kDepth8 = 0,
    kDepth10 = 1,
    kDepth12 = 2,
};

/// The last row sent of one plane, the seed of seed-row compression.
struct SeedStore {
    std::uint32_t capacity;  ///< bytes allocated
    std::uint8_t* bytes;
    std::uint32_t length;  ///< bytes stored; 0 = empty, the next band starts with PackBits
};

/// One colour table of the job header; the bytes belong to the print colour module.
struct GeneralDataBlock {
    std::uint32_t length;  ///< 0 = not sent
    const std::uint8_t* data;
};

inline constexpr int kPaperNameMax = 63;
inline constexpr int kRollWidthMax = 31;
inline constexpr int kJobNameMax = 255;

/// Paper orientation values of the job.
inline constexpr std::int32_t kOrientationShortEdge = 1;
inline constexpr std::int32_t kOrientationLongEdge = 2;

/// Paper-source mask bits: roll sources and cut-sheet sources.
inline constexpr std::uint32_t kRollSourceMask = 0x0F00;
inline constexpr std::uint32_t kCutSheetSourceMask = 0xF0FF;

struct Cmd_Info {
    PLGContext* context;  ///< family, PJL variant and single-SSC switch come from its model values

    // Medium and PJL settings.
    std::int16_t paperSizeCode;
    char paperName[kPaperNameMax + 1];  ///< PAPER keyword; one containing "CUSTOM" is a user size
    std::int32_t paperWidth;            ///< PAPERWIDTH of a user size
    std::int32_t paperLength;           ///< PAPERLENGTH of a user size
    std::int32_t leftMargin;
    std::int32_t rightMargin;
    std::int32_t topMargin;
    std::int32_t bottomMargin;
    std::int32_t paperOrientation;        ///< 1 short edge first, 2 long edge first
    std::uint16_t graphicsResolution[2];  ///< horizontal, vertical dpi of the raster language
    std::uint16_t pjlResolution[2];       ///< HRESOLUTION, VRESOLUTION
    std::int32_t imageX;                  ///< cursor position of each image, printer dots
    std::int32_t imageY;                  ///< negative: no cursor move
    char rollWidth[kRollWidthMax + 1];    ///< ROLLWIDTH; empty = not sent
    std::uint32_t paperSourceMask;        ///< see kRollSourceMask, kCutSheetSourceMask
    std::int32_t drawMode;                ///< ESC&a<n>N; 0 adds resolution and band-end commands
    std::int32_t compression;         ///< job choice 1-5 on input; a TARNCompType after Initialize
    TARNColorSpace inputColorSpace;   ///< interleaved band data as it arrives, 8 or 16 bits
    TARNColorSpace outputColorSpace;  ///< planes sent to the printer; filled by Initialize
    std::int32_t outputDepth;         ///< an OutputDepth
    std::uint8_t banner;
    std::uint8_t savePaper;
    std::int32_t sscAdjustment;  ///< ADJUST_SSC, sent when not 0
    std::int32_t singleSSC;      ///< SINGLE_SSC, not sent when -1
    std::int32_t centering;      ///< CUTMEDIA_CENTER or ROLLMEDIA_CENTER
    std::int32_t inkType;        ///< INKTYPE
    std::int32_t calibration;    ///< not 0: the job asks for calibration

    // Job-start-2 values, read by the job packets.
    std::int32_t jobStart2Kind;
    std::int32_t jobStart2Count;
    std::int32_t jobStart2SubKind;
    char alternativeJobName[kJobNameMax + 1];

    // Band-loop values, not read by the generator.
    std::int32_t sharpenLevel;
    std::int32_t mirror;
    std::int32_t resampleFilter;  ///< zoom kind 1 to 5

    /// Pixels per band row that the buffers are sized for: the band line width (the wider of
    /// the image and the union of image and caption). Wider bands are refused.
    std::uint32_t imageWidth;
    std::uint32_t bandHeight;  ///< rows per band that the buffers are sized for

    GeneralDataBlock generalData[kGeneralDataBlocks];

    // Generator state.
    std::int32_t pageCounter;
    std::uint32_t conversionSize;
    std::uint8_t* conversionBuffer;  ///< the planar, bit-packed band
    std::uint32_t transferSize;
    std::uint8_t* transferBuffer;  ///< compressed rows on their way into the command buffer
    /// Most bytes the commands of one band, or of one raster restart, take; the command
    /// buffer needs this much room.
    std::uint32_t bandCommandSize;
    SeedStore seedStores[kMaxPlanes];
};

/// Empties every seed store, so the next band starts with a PackBits row. The band loop calls
/// it at the start of every image and after every cursor move that restarts the raster.
inline void emptySeedStores(Cmd_Info& info) {
    for (SeedStore& store : info.seedStores) {
        store.length = 0;
    }
}
