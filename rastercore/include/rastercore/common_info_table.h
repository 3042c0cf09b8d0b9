// The host information record: the byte layout the host shell fills and the plug-in and core read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cf {
class Value;
}

struct CommonInfoTable;

/// Host callbacks. Every callback returns a 32-bit status, 0 for success; the record itself comes
/// first and the host reference (`hostReference`) is passed back unchanged.
/// The photo application's line callback: record, host image handle, line index, line buffer,
/// in/out byte count, host reference.
using HostLineProc = std::int32_t (*)(CommonInfoTable* table, void* imageHandle, std::int32_t line,
                                      void* buffer, std::int32_t* byteCount, void* hostReference);
/// The image editor's advance-state callback: record, the value 2, host reference; -128 asks for
/// one retry.
using HostAdvanceStateProc = std::int32_t (*)(CommonInfoTable* table, std::int32_t state,
                                              void* hostReference);
/// The image editor's sample conversions (slots 246 and 254): record, `count` samples in machine
/// byte order, their converted form, host reference. Slot 246 turns 16-bit samples (0 to 32768)
/// into 8-bit ones, slot 254 8-bit samples into 16-bit ones.
using HostSampleConvertProc = std::int32_t (*)(CommonInfoTable* table, const void* source,
                                               void* destination, std::int32_t count,
                                               void* hostReference);
/// The dialog's before/after callbacks: record, host reference, record.
using HostDialogProc = std::int32_t (*)(CommonInfoTable* table, void* hostReference,
                                        CommonInfoTable* again);
/// The preview reading callback: record, row counter the host advances, host reference, record.
using HostPreviewReadProc = std::int32_t (*)(CommonInfoTable* table, std::uint64_t* rowCounter,
                                             void* hostReference, CommonInfoTable* again);
/// A slot whose arguments belong to the code that calls it; cast to its real type before calling.
using HostProc = void (*)();

#pragma pack(push, 1)

/// Embedded source profile of the image.
struct ProfileTable {
    const void* bytes;  ///< profile bytes, or null
    std::uint32_t byteCount;
    const cf::Value* fileUrl;  ///< string: the profile file's URL, or null
};
static_assert(sizeof(ProfileTable) == 20);

/// An image block handed over by the host: the preview image or the band being printed.
struct HostImageBlock {
    void* data;              ///< pixels, or null when the host gave none
    std::uint64_t size;      ///< size value of the data
    std::uint32_t rowBytes;  ///< bytes per delivered row (print block)
    double width;            ///< pixels
    double height;           ///< pixels
    double rect[4];          ///< left, top, width, height of the requested area
};
static_assert(sizeof(HostImageBlock) == 68);

/// Host file references and sizes (the host shell's own values, apart from the few named).
struct HostFileBlock {
    std::uint8_t fileReference[80];
    std::uint32_t sizes[8];      ///< [0] image width, [1] image height used for placement
    std::uint32_t moreSizes[8];  ///< [5] sharpness handed over by the photo application
    std::uint8_t secondFileReference[80];
};
static_assert(sizeof(HostFileBlock) == 224);

/// The record the host shell fills: 741 bytes, no padding, little-endian. Object fields point at
/// `cf::Value` objects that the host shell owns and keeps alive for the whole call.
struct CommonInfoTable {
    std::uint16_t imageMode;  ///< 1 grey, 3 RGB, 4 CMYK, 10/11/13 the 16-bit forms, 16, 17
    double imageWidth;        ///< pixels
    double imageHeight;       ///< pixels
    std::uint16_t bitsPerChannel;
    std::uint16_t reserved20;
    std::int32_t horizontalResolution;  ///< 16.16 fixed point, pixels per inch
    std::int32_t verticalResolution;    ///< 16.16 fixed point
    const cf::Value* documentName;      ///< string
    double selection[4];                ///< x, y, width, height; width and height 0: no selection
    std::uint32_t reserved70;
    ProfileTable profile;
    HostImageBlock preview;         ///< the preview image; data null when the host gave none
    HostImageBlock print;           ///< the band the core asked for last
    void* hostReference;            ///< passed back to every host callback
    HostProc callbacks238[3];       ///< slots 238, 246 and 254 (`HostSampleConvertProc`)
    HostProc imageCountProc;        ///< 262
    HostProc imageDescriptionProc;  ///< 270
    HostProc openImageProc;         ///< 278
    HostProc allocateBufferProc;    ///< 286
    HostProc defineSourceRectProc;  ///< 294
    HostProc turnImageProc;         ///< 302
    HostProc freeBufferProc;        ///< 310
    HostProc closeImageProc;        ///< 318
    HostLineProc lineProc;          ///< 326
    HostAdvanceStateProc advanceStateProc;  ///< 334
    HostProc callback342;                   ///< 342
    HostDialogProc beforeDialogProc;        ///< 350
    HostPreviewReadProc readPreviewProc;    ///< 358
    HostDialogProc afterPreviewProc;        ///< 366
    HostProc callback374;                   ///< 374
    HostDialogProc afterDialogProc;         ///< 382
    HostProc callbacks390[2];               ///< slots 390 and 398
    HostFileBlock files;
    void* reserved630;
    std::uint8_t reserved638;
    std::uint32_t hostMajorVersion;
    std::uint32_t reserved643;
    std::int32_t sourceKind;            ///< copied unchanged into the core job record
    const cf::Value* pluginTitle;       ///< string
    const cf::Value* pluginVersion;     ///< string
    const cf::Value* printerQueueName;  ///< string, or null
    const void* reserved675[2];
    const cf::Value* interfaceName;          ///< string
    const cf::Value* shellBundleIdentifier;  ///< string
    const void* reserved707[4];
    std::uint8_t adobeCmmInstalled;  ///< written by the plug-in: 1 when that engine is installed
    std::uint8_t hostType;           ///< 1 image editor (Photoshop), 2 photo application
};

#pragma pack(pop)

/// Host types of `CommonInfoTable::hostType`.
inline constexpr std::uint8_t kHostTypeImageEditor = 1;
inline constexpr std::uint8_t kHostTypePhotoApplication = 2;

static_assert(sizeof(CommonInfoTable) == 741);

// Every field at its fixed offset.
static_assert(offsetof(CommonInfoTable, imageMode) == 0);
static_assert(offsetof(CommonInfoTable, imageWidth) == 2);
static_assert(offsetof(CommonInfoTable, imageHeight) == 10);
static_assert(offsetof(CommonInfoTable, bitsPerChannel) == 18);
static_assert(offsetof(CommonInfoTable, reserved20) == 20);
static_assert(offsetof(CommonInfoTable, horizontalResolution) == 22);
static_assert(offsetof(CommonInfoTable, verticalResolution) == 26);
static_assert(offsetof(CommonInfoTable, documentName) == 30);
static_assert(offsetof(CommonInfoTable, selection) == 38);
static_assert(offsetof(CommonInfoTable, reserved70) == 70);
static_assert(offsetof(CommonInfoTable, profile.bytes) == 74);
static_assert(offsetof(CommonInfoTable, profile.byteCount) == 82);
static_assert(offsetof(CommonInfoTable, profile.fileUrl) == 86);
static_assert(offsetof(CommonInfoTable, preview.data) == 94);
static_assert(offsetof(CommonInfoTable, preview.size) == 102);
static_assert(offsetof(CommonInfoTable, preview.rowBytes) == 110);
static_assert(offsetof(CommonInfoTable, preview.width) == 114);
static_assert(offsetof(CommonInfoTable, preview.height) == 122);
static_assert(offsetof(CommonInfoTable, preview.rect) == 130);
static_assert(offsetof(CommonInfoTable, print.data) == 162);
static_assert(offsetof(CommonInfoTable, print.size) == 170);
static_assert(offsetof(CommonInfoTable, print.rowBytes) == 178);
static_assert(offsetof(CommonInfoTable, print.width) == 182);
static_assert(offsetof(CommonInfoTable, print.height) == 190);
static_assert(offsetof(CommonInfoTable, print.rect[0]) == 198);
static_assert(offsetof(CommonInfoTable, print.rect[1]) == 206);
static_assert(offsetof(CommonInfoTable, print.rect[2]) == 214);
static_assert(offsetof(CommonInfoTable, print.rect[3]) == 222);
static_assert(offsetof(CommonInfoTable, hostReference) == 230);
static_assert(offsetof(CommonInfoTable, callbacks238[0]) == 238);
static_assert(offsetof(CommonInfoTable, callbacks238[1]) == 246);
static_assert(offsetof(CommonInfoTable, callbacks238[2]) == 254);
static_assert(offsetof(CommonInfoTable, imageCountProc) == 262);
static_assert(offsetof(CommonInfoTable, imageDescriptionProc) == 270);
static_assert(offsetof(CommonInfoTable, openImageProc) == 278);
static_assert(offsetof(CommonInfoTable, allocateBufferProc) == 286);
static_assert(offsetof(CommonInfoTable, defineSourceRectProc) == 294);
static_assert(offsetof(CommonInfoTable, turnImageProc) == 302);
static_assert(offsetof(CommonInfoTable, freeBufferProc) == 310);
static_assert(offsetof(CommonInfoTable, closeImageProc) == 318);
static_assert(offsetof(CommonInfoTable, lineProc) == 326);
static_assert(offsetof(CommonInfoTable, advanceStateProc) == 334);
static_assert(offsetof(CommonInfoTable, callback342) == 342);
static_assert(offsetof(CommonInfoTable, beforeDialogProc) == 350);
static_assert(offsetof(CommonInfoTable, readPreviewProc) == 358);
static_assert(offsetof(CommonInfoTable, afterPreviewProc) == 366);
static_assert(offsetof(CommonInfoTable, callback374) == 374);
static_assert(offsetof(CommonInfoTable, afterDialogProc) == 382);
static_assert(offsetof(CommonInfoTable, callbacks390[0]) == 390);
static_assert(offsetof(CommonInfoTable, callbacks390[1]) == 398);
static_assert(offsetof(CommonInfoTable, files.fileReference) == 406);
static_assert(offsetof(CommonInfoTable, files.sizes[0]) == 486);
static_assert(offsetof(CommonInfoTable, files.sizes[1]) == 490);
static_assert(offsetof(CommonInfoTable, files.moreSizes[0]) == 518);
static_assert(offsetof(CommonInfoTable, files.moreSizes[5]) == 538);
static_assert(offsetof(CommonInfoTable, files.secondFileReference) == 550);
static_assert(offsetof(CommonInfoTable, reserved630) == 630);
static_assert(offsetof(CommonInfoTable, reserved638) == 638);
static_assert(offsetof(CommonInfoTable, hostMajorVersion) == 639);
static_assert(offsetof(CommonInfoTable, reserved643) == 643);
static_assert(offsetof(CommonInfoTable, sourceKind) == 647);
static_assert(offsetof(CommonInfoTable, pluginTitle) == 651);
static_assert(offsetof(CommonInfoTable, pluginVersion) == 659);
static_assert(offsetof(CommonInfoTable, printerQueueName) == 667);
static_assert(offsetof(CommonInfoTable, reserved675) == 675);
static_assert(offsetof(CommonInfoTable, interfaceName) == 691);
static_assert(offsetof(CommonInfoTable, shellBundleIdentifier) == 699);
static_assert(offsetof(CommonInfoTable, reserved707) == 707);
static_assert(offsetof(CommonInfoTable, adobeCmmInstalled) == 739);
static_assert(offsetof(CommonInfoTable, hostType) == 740);
