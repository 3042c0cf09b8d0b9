#include "color/color_path_stages.h"

#include <cstring>

#include "color/color_frameworks.h"
#include "color/color_sync.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "tonara2/tonara2.h"

namespace {

constexpr std::size_t kRgbSamples = 3;

bool rgbHost(const Color_Info& info) {
    return info.imageMode == 3 || info.imageMode == 11;
}

std::size_t bytesPerPixel(color::Depth depth) {
    return kRgbSamples * (depth == color::Depth::Eight ? 1 : 2);
}

// Pre-processing or monochrome, from `source` into `destination`.
std::int32_t adjust(const Color_Info& info, ColorAdjustment adjustment,
                    const ColorPathObjects& objects, const std::uint8_t* source,
                    std::uint8_t* destination, std::uint32_t pixels) {
    if (adjustment == ColorAdjustment::Monochrome) {
        const auto transform = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_monochrome);
        return transform != nullptr && objects.monochrome != nullptr
                   ? transform(objects.monochrome, source, pixels, destination)
                   : rastercore::kResultFailure;
    }
    const auto transform = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_preproc);
    return transform != nullptr && objects.preproc != nullptr
               ? transform(objects.preproc, source, 0, pixels, destination)
               : rastercore::kResultFailure;
}

}  // namespace

ColorPathStages colorPathStages(const Color_Info& info) {
    ColorPathStages stages;
    const bool monochromePrint = info.colorMode == kColorModeMonochromePhoto;
    if (info.preprocNeeded != 0) {
        stages.adjustment =
            monochromePrint ? ColorAdjustment::Monochrome : ColorAdjustment::Preproc;
    }
    // A monochrome print matches an RGB image into its working space before the monochrome
    // object; a colour print matches after pre-processing when the job asks for it.
    stages.matching = rgbHost(info) && (stages.adjustment == ColorAdjustment::Monochrome ||
                                        (!monochromePrint && info.matching != 0));
    stages.conversion = info.csc1Object != nullptr;
    return stages;
}

ColorPathObjects currentObjects(const Color_Info& info) {
    ColorPathObjects objects;
    if (info.patternPrint == 0) {
        objects.preproc = info.preprocObject;
        objects.monochrome = info.monochromeObject;
    } else if (info.adjustEntries != nullptr && info.currentTableIndex < info.adjustEntryCount) {
        const ColorAdjustEntry& cell = info.adjustEntries[info.currentTableIndex];
        objects.preproc = cell.preprocObject;
        // A pattern's caption entry (table index 0, after the cells) is neutral, as is the job's
        // own object of a pattern job: the captions and the sheet's texts go through that one.
        objects.monochrome = cell.tableIndex == 0 ? info.monochromeObject : cell.monochromeObject;
    }
    objects.csc1 = info.csc1Object;
    return objects;
}

std::int32_t runColorPath(Color_Info& info, const ColorPathStages& stages,
                          const ColorPathObjects& objects, color::Depth depth,
                          const std::uint8_t* source, std::uint8_t* destination,
                          std::uint32_t pixels) {
    const auto count = static_cast<std::int32_t>(pixels);
    const auto copy = [&] {
        if (destination != source) {
            std::memmove(destination, source, pixels * bytesPerPixel(depth));
        }
    };
    std::int32_t result = 0;
    switch (stages.adjustment) {
        case ColorAdjustment::Preproc:
            result = adjust(info, stages.adjustment, objects, source, destination, pixels);
            if (result == 0 && stages.matching) {
                result = matchRowAtDepth(info, count, destination, depth);
            }
            break;
        case ColorAdjustment::Monochrome:
            if (stages.matching) {
                // The image's colours into the monochrome working space first.
                copy();
                result = matchRowAtDepth(info, count, destination, depth);
                source = destination;
            }
            if (result == 0) {
                result = adjust(info, stages.adjustment, objects, source, destination, pixels);
            }
            break;
        case ColorAdjustment::None:
            copy();
            if (stages.matching) {
                result = matchRowAtDepth(info, count, destination, depth);
            }
            break;
    }
    if (result != 0 || !stages.conversion) {
        return result;
    }
    const auto convert = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_csc1);
    if (convert == nullptr || objects.csc1 == nullptr) {
        return rastercore::kResultFailure;
    }
    return convert(objects.csc1, destination, 0, pixels, destination);
}
