#include "color/color_tables.h"

#include <cstring>

#include "band/core_buffer.h"
#include "color/color_codes.h"
#include "color/color_frameworks.h"
#include "color/framework_objects.h"
#include "command/cmd_info.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "tonara2/tonara2.h"

namespace {

using colorcode::TableCodes;

// Block numbers of the general data blocks.
enum Block : int {
    kInputGammaBlock = 0,
    kCsc2Block = 1,
    kMonochromeTableBlock = 2,
    kOutputGammaBlock = 3,
    kDitherBlock = 4,
    kErrorDiffusionBlock = 5,
    kResolutionConversionBlock = 6,
    kIndexDataBlock = 7,
};

constexpr std::uint32_t kHalftoneErrorDiffusion = 1;
constexpr std::uint32_t kHalftoneDither = 16;
constexpr std::int32_t kModelYes = 1;
constexpr char kStandardPart[] = "x_std";
constexpr char kMonochromePart[] = "x_mono_photo";
constexpr char kMonochromePhotoPart[] = "h_mono_photo";
constexpr std::int32_t kFollowingTable = 1;

using TableFunction = std::uint32_t(std::uint8_t*, std::uint16_t, const DEF_QUALITY*,
                                    std::uint8_t*);

void emptyBlock(GeneralDataBlock& block) {
    void* data = const_cast<std::uint8_t*>(block.data);
    Dispose_MemoryClear(&data, kUnusedKind);
    block = {};
}

// Fetches a medium's table with `fetch` and cuts the part `name` out of it into `block`.
std::int32_t fetchPart(const Color_Info& info, TableFunction* fetch, const char* name,
                       const TableCodes& codes, GeneralDataBlock& block) {
    const auto cut = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_log);
    const std::uint32_t tableSize =
        fetch != nullptr ? fetch(info.mediaDatabase, info.mediumID, &info.quality, nullptr) : 0;
    if (tableSize == 0) {
        return codes.noTable;
    }
    CoreBuffer table;
    if (table.allocate(tableSize) != 0) {
        return codes.tableMemory;
    }
    fetch(info.mediaDatabase, info.mediumID, &info.quality, table.data());
    const std::uint32_t partSize = cut != nullptr ? cut(table.data(), nullptr, name) : 0;
    if (partSize == 0) {
        return codes.cutFailed;
    }
    CoreBuffer part;
    if (part.allocate(partSize) != 0) {
        return codes.partMemory;
    }
    if (cut(table.data(), part.data(), name) != partSize) {
        return codes.cutFailed;
    }
    emptyBlock(block);
    block = {partSize, part.take()};
    return 0;
}

// Appends to `block` the printer's grey table of one monochrome object.
std::int32_t appendMonochromeTable(const Color_Info& info, const void* monochrome,
                                   const GeneralDataBlock& curve, std::int32_t follows,
                                   GeneralDataBlock& block) {
    const auto generate = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_gen_monochrome_table2);
    const std::uint32_t size =
        generate != nullptr ? generate(monochrome, curve.data, curve.length, nullptr, follows) : 0;
    if (size == 0) {
        return colorcode::kCsc2.cutFailed;
    }
    CoreBuffer grown;
    if (grown.allocate(std::size_t{block.length} + size) != 0) {
        return colorcode::kCsc2.partMemory;
    }
    if (block.length != 0) {
        std::memcpy(grown.data(), block.data, block.length);
    }
    if (generate(monochrome, curve.data, curve.length, grown.data() + block.length, follows) !=
        size) {
        return colorcode::kCsc2.cutFailed;
    }
    const std::uint32_t length = block.length + size;
    emptyBlock(block);
    block = {length, grown.take()};
    return 0;
}

std::int32_t inputGamma(const Color_Info& info, GeneralDataBlock* blocks) {
    const bool wanted =
        info.context->modelTable.IngammaTbl_bit == kModelYes || info.outputDepth == kOutput8Bit;
    if (!wanted) {
        return 0;
    }
    static constexpr const char* kNames[] = {"x_08", "x_10", "x_12"};
    const char* name = kNames[info.outputDepth <= kOutput12Bit ? info.outputDepth : kOutput8Bit];
    return fetchPart(info, BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3InputGamma), name,
                     colorcode::kInputGamma, blocks[kInputGammaBlock]);
}

std::int32_t csc2(const Color_Info& info, GeneralDataBlock* blocks) {
    const bool monochrome = info.colorMode == kColorModeMonochromePhoto;
    const bool generated = monochrome && info.context->modelTable.h_mono_photo == kModelYes;
    const char* name =
        !monochrome ? kStandardPart : (generated ? kMonochromePhotoPart : kMonochromePart);
    std::int32_t result = fetchPart(info, BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3TableCSC2),
                                    name, colorcode::kCsc2, blocks[kCsc2Block]);
    if (result != 0 || !generated) {
        return result;
    }
    // The monochrome curve becomes the generated grey tables: the job's, then each cell's.
    GeneralDataBlock& curve = blocks[kCsc2Block];
    GeneralDataBlock& table = blocks[kMonochromeTableBlock];
    result = appendMonochromeTable(info, info.monochromeObject, curve, 0, table);
    for (std::uint32_t cell = 0; result == 0 && cell < patternCells(info); ++cell) {
        result = appendMonochromeTable(info, info.adjustEntries[cell].monochromeObject, curve,
                                       kFollowingTable, table);
    }
    if (result == 0) {
        emptyBlock(curve);
    }
    return result;
}

std::int32_t outputGamma(const Color_Info& info, GeneralDataBlock* blocks) {
    const char* name =
        info.colorMode == kColorModeMonochromePhoto ? kMonochromePart : kStandardPart;
    return fetchPart(info, BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3TableOutputGamma), name,
                     colorcode::kOutputGamma, blocks[kOutputGammaBlock]);
}

std::int32_t halftone(const Color_Info& info, GeneralDataBlock* blocks) {
    const auto halftoneHint = BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3HalftoneHint);
    std::uint32_t method = 0;
    if (halftoneHint == nullptr ||
        halftoneHint(info.mediaDatabase, info.mediumID, &info.quality, &method) == 0) {
        return colorcode::kNoHalftone;
    }
    std::int32_t result = 0;
    if (method == kHalftoneErrorDiffusion) {
        result = fetchPart(info, BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3EDTable),
                           kStandardPart, colorcode::kErrorDiffusion, blocks[kErrorDiffusionBlock]);
        if (result == 0) {
            result = fetchPart(info, BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3ResolutionConv),
                               kStandardPart, colorcode::kResolutionConversion,
                               blocks[kResolutionConversionBlock]);
        }
    } else if (method == kHalftoneDither) {
        result = fetchPart(info, BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3DitherParam),
                           kStandardPart, colorcode::kDither, blocks[kDitherBlock]);
    }
    if (result != 0) {
        return result;
    }
    return fetchPart(info, BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3TableIndexData),
                     kStandardPart, colorcode::kIndexData, blocks[kIndexDataBlock]);
}

}  // namespace

std::int32_t tarn_Color_CreateTable_ForMXXXR(Color_Info* info, GeneralDataBlock* blocks) {
    if (info == nullptr || blocks == nullptr || info->context == nullptr) {
        return colorcode::kBadArgument;
    }
    for (auto step : {inputGamma, csc2, outputGamma, halftone}) {
        if (const std::int32_t result = step(*info, blocks); result != 0) {
            return result;
        }
    }
    return 0;
}

std::int32_t tarn_Color_ReleseTable(GeneralDataBlock* blocks) {
    if (blocks == nullptr) {
        return 0;
    }
    for (int i = 0; i < kGeneralDataBlocks; ++i) {
        emptyBlock(blocks[i]);
    }
    return 0;
}
