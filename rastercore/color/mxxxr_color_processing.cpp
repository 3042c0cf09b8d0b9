#include "color/mxxxr_color_processing.h"

#include <cstring>

#include "color/color_frameworks.h"
#include "color/color_sync.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/tarn_rect.h"
#include "tonara2/tonara2.h"

namespace {

constexpr std::size_t kBytesPerPixel8 = 3;
constexpr std::size_t kBytesPerPixel16 = 6;

bool rgbHost(const Color_Info& info) {
    return info.imageMode == 3 || info.imageMode == 11;
}

std::size_t bytesPerPixel(const Color_Info& info) {
    return info.outputDepth == kOutput8Bit ? kBytesPerPixel8 : kBytesPerPixel16;
}

std::uint32_t widthOf(const TARNRect* rect) {
    return rect != nullptr && rect->right > rect->left
               ? static_cast<std::uint32_t>(rect->right - rect->left)
               : 0;
}

// The objects of the current pattern cell, or the job's own.
const ColorAdjustEntry* currentCell(const Color_Info& info) {
    if (info.patternPrint == 0) {
        return nullptr;
    }
    return info.adjustEntries != nullptr && info.currentTableIndex < info.adjustEntryCount
               ? &info.adjustEntries[info.currentTableIndex]
               : nullptr;
}

std::int32_t monochrome(Color_Info& info, const std::uint8_t* source, std::uint8_t* destination,
                        std::uint32_t width) {
    const auto transform = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_monochrome);
    const ColorAdjustEntry* cell = currentCell(info);
    // A pattern's caption entry (table index 0, after the cells) is neutral, as is the job's own
    // object of a pattern job: the captions and the sheet's texts go through that one.
    const void* object = info.patternPrint == 0  ? info.monochromeObject
                         : cell == nullptr       ? nullptr
                         : cell->tableIndex == 0 ? info.monochromeObject
                                                 : cell->monochromeObject;
    if (transform == nullptr || object == nullptr) {
        return rastercore::kResultFailure;
    }
    if (rgbHost(info)) {
        // The image's colours into the monochrome working space first.
        if (destination != source) {
            std::memmove(destination, source, width * bytesPerPixel(info));
        }
        if (const std::int16_t result =
                ColorMatchProcessing(&info, static_cast<std::int32_t>(width), destination);
            result != 0) {
            return result;
        }
        source = destination;
    }
    return transform(object, source, width, destination);
}

std::int32_t preprocess(Color_Info& info, const std::uint8_t* source, std::uint8_t* destination,
                        std::uint32_t width) {
    const auto transform = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_preproc);
    const ColorAdjustEntry* cell = currentCell(info);
    const void* object = info.patternPrint != 0 ? (cell != nullptr ? cell->preprocObject : nullptr)
                                                : info.preprocObject;
    if (transform == nullptr || object == nullptr) {
        return rastercore::kResultFailure;
    }
    return transform(object, source, 0, width, destination);
}

}  // namespace

std::int32_t tarn_MXXXR_Color_ColorProcessing(Color_Info* info, std::uint8_t* source,
                                              TARNRect* rect, std::uint8_t* destination) {
    if (info == nullptr || source == nullptr || destination == nullptr) {
        return rastercore::kResultFailure;
    }
    if (info->outputDepth > kOutput12Bit) {
        return 0;
    }
    const std::uint32_t width = widthOf(rect);
    const bool monochromePrint = info->colorMode == kColorModeMonochromePhoto;
    std::int32_t result = 0;
    if (info->preprocNeeded == 0) {
        if (destination != source) {
            std::memmove(destination, source, width * bytesPerPixel(*info));
        }
    } else {
        result = monochromePrint ? monochrome(*info, source, destination, width)
                                 : preprocess(*info, source, destination, width);
    }
    if (result != 0) {
        return result;
    }
    if (info->matching != 0 && rgbHost(*info) && !monochromePrint) {
        result = ColorMatchProcessing(info, static_cast<std::int32_t>(width), destination);
        if (result != 0) {
            return result;
        }
    }
    if (info->csc1Object == nullptr) {
        return 0;
    }
    const auto convert = BIND_FRAMEWORK_FUNCTION(info->colorBundle, tnr2_xform_csc1);
    if (convert == nullptr) {
        return rastercore::kResultFailure;
    }
    return convert(info->csc1Object, destination, 0, width, destination);
}

std::int32_t tarn_MXXXR_Color_ColorProcessing_For_Caption(Color_Info* info, std::uint8_t* source,
                                                          TARNRect* rect,
                                                          std::uint8_t* destination) {
    if (info == nullptr || source == nullptr || destination == nullptr ||
        info->outputDepth > kOutput12Bit) {
        return 0;
    }
    std::memmove(destination, source, widthOf(rect) * bytesPerPixel(*info));
    return 0;
}
