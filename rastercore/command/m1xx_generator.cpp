// Printer family 1: set-up, page and image commands, bands and tear-down.
#include "command/m1xx_generator.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include "command/color_format.h"
#include "command/image_sequence.h"
#include "command/plane_layout.h"
#include "command/raster_modes.h"
#include "command/raster_transfer.h"
#include "command/srl_builders.h"
#include "rastercore/result_codes.h"
#include "util/memory.h"

namespace {

using rastercore::kCommandBadArgument;
using rastercore::kResultOk;

constexpr std::uint8_t kDepthBits[] = {8, 10, 12};  // by output depth code

using Converter = std::int32_t (*)(const TARNColorSpace*, const std::uint8_t*, std::uint8_t*,
                                   std::uint32_t, std::uint32_t);
constexpr Converter kConverters[] = {ChangeColorFormat_8BITSOUT, ChangeColorFormat_10BITSOUT,
                                     ChangeColorFormat_12BITSOUT};

bool depthKnown(std::int32_t code) {
    return code >= kDepth8 && code <= kDepth12;
}

// The output space for the job's colour component count at `bits`; false for another count.
bool deriveOutputSpace(std::int32_t components, std::uint8_t bits, TARNColorSpace& space) {
    constexpr std::int32_t kRgbSpaceId = 2;
    constexpr std::int32_t kFourColourSpaceId = 3;
    if (components != 1 && components != 3 && components != 4) {
        return false;
    }
    space = uniformSpace(components == 4 ? kFourColourSpaceId : kRgbSpaceId, components, bits);
    return true;
}

// Planar band bytes: every row of every plane at the stride the converters write it with.
std::uint64_t conversionBytes(const Cmd_Info& info) {
    const TARNColorSpace& space = info.outputColorSpace;
    std::uint64_t total = 0;
    for (int p = 0; p < space.planeCount; ++p) {
        total += std::uint64_t{planeRowStride(space, p, info.imageWidth)} * info.bandHeight;
    }
    return total;
}

std::int32_t allocateSeedStores(Cmd_Info& info) {
    for (int p = 0; p < info.outputColorSpace.planeCount; ++p) {
        SeedStore& store = info.seedStores[p];
        store.capacity = planeRowBytes(info.outputColorSpace, p, info.imageWidth);
        store.length = 0;
        const std::int32_t result = Get_MemoryClear(store.capacity, 1, kUnusedKind, &store.bytes);
        if (result != kResultOk) {
            return result;
        }
    }
    return kResultOk;
}

// The bytes written from `buffer` on, or 12010 with a length of 0 when a command did not fit.
std::int32_t finish(const std::uint8_t* buffer, const CommandCursor& cursor,
                    std::uint32_t* length) {
    if (cursor.full) {
        *length = 0;
        return kCommandBadArgument;
    }
    *length = static_cast<std::uint32_t>(cursor.at - buffer);
    return kResultOk;
}

}  // namespace

TARNCompType compressionForChoice(std::int32_t choice) {
    switch (choice) {
        case 1:
        case 3:
        case 4:
            return kCompPackBits;
        case 2:
            return kCompSeedRow;
        default:
            return kCompNone;
    }
}

std::int32_t M1XX_BeginImage(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                             std::uint32_t* length) {
    CommandCursor at(buffer, capacity);
    writeImageBegin(info, &at, info.imageX, info.imageY, kAbsoluteMove);
    return finish(buffer, at, length);
}

std::int32_t M1XX_BeginPage(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                            std::uint32_t* length) {
    CommandCursor at(buffer, capacity);
    std::uint32_t written = 0;
    SRL_NMotion(&at, &written, info.drawMode);
    return finish(buffer, at, length);
}

std::int32_t M1XX_EndImage(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                           std::uint32_t* length) {
    CommandCursor at(buffer, capacity);
    writeImageEnd(info, &at);
    return finish(buffer, at, length);
}

std::int32_t M1XX_EndJob(const Cmd_Info&, std::uint8_t* buffer, std::uint32_t capacity,
                         std::uint32_t* length) {
    CommandCursor at(buffer, capacity);
    std::uint32_t written = 0;
    SRL_UnivExit(&at, &written);
    return finish(buffer, at, length);
}

std::int32_t M1XX_EndPage(const Cmd_Info&, std::uint8_t* buffer, std::uint32_t capacity,
                          std::uint32_t* length) {
    CommandCursor at(buffer, capacity);
    std::uint32_t written = 0;
    SRL_Rst(&at, &written);
    return finish(buffer, at, length);
}

std::int32_t M1XX_ImageBand(Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                            std::uint32_t* length, const std::uint8_t* band, const TARNRect& rect) {
    *length = 0;
    const std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left;
    const std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top;
    // The buffers and seed stores were sized for imageWidth × bandHeight; a wider or taller
    // band would run past them.
    if (width <= 0 || height <= 0 || width > info.imageWidth || height > info.bandHeight ||
        info.conversionBuffer == nullptr || !depthKnown(info.outputDepth)) {
        return kCommandBadArgument;
    }
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    const std::int32_t converted =
        kConverters[info.outputDepth](&info.inputColorSpace, band, info.conversionBuffer, w, h);
    if (converted != kResultOk) {
        return converted;
    }
    const TRasDataInfo transfer{info.conversionBuffer,
                                info.transferBuffer,
                                &info.outputColorSpace,
                                w,
                                h,
                                static_cast<TARNCompType>(info.compression),
                                info.seedStores};
    CommandCursor at(buffer, capacity);
    const std::int32_t result = TARNTransferRasterData(&at, length, &transfer);
    assert(*length <= info.bandCommandSize);
    return result;
}

std::int32_t M1XX_Initialize(Cmd_Info& info) {
    info.compression = compressionForChoice(info.compression);
    if (!depthKnown(info.outputDepth) || info.imageWidth == 0 || info.bandHeight == 0) {
        return kCommandBadArgument;
    }
    const std::uint8_t bits = kDepthBits[info.outputDepth];
    if (!deriveOutputSpace(info.inputColorSpace.planeCount, bits, info.outputColorSpace)) {
        return kCommandBadArgument;
    }
    // The transfer buffer is twice the planar band, so both must fit in 32 bits.
    const std::uint64_t size = conversionBytes(info);
    if (size > std::numeric_limits<std::uint32_t>::max() / 2) {
        return kCommandBadArgument;
    }
    const std::uint64_t commands = std::max<std::uint64_t>(
        rasterCommandBound(info.outputColorSpace, info.imageWidth, info.bandHeight),
        kImageRestartMax);
    if (commands > std::numeric_limits<std::uint32_t>::max()) {
        return kCommandBadArgument;
    }
    info.bandCommandSize = static_cast<std::uint32_t>(commands);
    info.conversionSize = static_cast<std::uint32_t>(size);
    info.transferSize = info.conversionSize * 2;
    std::int32_t result =
        Get_MemoryClear(info.conversionSize, 1, kUnusedKind, &info.conversionBuffer);
    if (result == kResultOk) {
        result = Get_MemoryClear(info.transferSize, 1, kUnusedKind, &info.transferBuffer);
    }
    if (result == kResultOk && info.compression == kCompSeedRow) {
        result = allocateSeedStores(info);
    }
    return result;
}

void M1XX_Terminate(Cmd_Info& info) {
    Dispose_MemoryClear(&info.conversionBuffer, kUnusedKind);
    Dispose_MemoryClear(&info.transferBuffer, kUnusedKind);
    for (SeedStore& store : info.seedStores) {
        Dispose_MemoryClear(&store.bytes, kUnusedKind);
        store.capacity = 0;
        store.length = 0;
    }
}
