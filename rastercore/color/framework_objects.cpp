#include "color/framework_objects.h"

#include <algorithm>
#include <string_view>

#include "band/core_buffer.h"
#include "color/color_codes.h"
#include "color/color_frameworks.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "tonara2/tonara2.h"

namespace {

constexpr std::uint32_t kHintDepthBits = 7;
constexpr std::uint32_t kHint8Bit = 4;
constexpr std::uint32_t kHint16Bit = 7;
constexpr double kNeutralGamma = 2.2;
constexpr std::int32_t kLuminanceGrey = 1;
constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kWorkingSpaceSrgb = 2;

// Makes one object by the size-then-fill protocol into a zeroed buffer of the core's allocator.
template <typename Create>
std::int32_t makeObject(void** object, Create create) {
    const std::uint32_t size = create(nullptr);
    if (size == 0) {
        return colorcode::kFrameworkObject;
    }
    CoreBuffer buffer;
    if (buffer.allocate(size) != 0) {
        return colorcode::kNoMemory;
    }
    if (create(buffer.data()) == 0) {
        return colorcode::kFrameworkObject;
    }
    *object = buffer.take();
    return 0;
}

tnr2_tonecurve_t curvesOf(const Color_Info& info) {
    tnr2_tonecurve_t curves{};
    std::copy(std::begin(info.toneCurveTables), std::end(info.toneCurveTables), curves.curve);
    return curves;
}

struct PreprocFunctions {
    decltype(&mdb3PreprocHint) preprocHint = nullptr;
    decltype(&mdb3MonoHint) monoHint = nullptr;
    decltype(&tnr2_create_preproc) createPreproc = nullptr;
    decltype(&tnr2_query_preproc_hint) queryPreproc = nullptr;
    decltype(&tnr2_set_preproc_rgb) setPreproc = nullptr;
    decltype(&tnr2_create_monochrome) createMonochrome = nullptr;
    decltype(&tnr2_query_monochrome_hint) queryMonochrome = nullptr;
    decltype(&tnr2_set_monochrome_rgb) setMonochrome = nullptr;
    decltype(&tnr2_create_preproc2) createPreproc2 = nullptr;
    decltype(&tnr2_create_monochrome2) createMonochrome2 = nullptr;

    bool bind(const Color_Info& info) {
        preprocHint = BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3PreprocHint);
        monoHint = BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3MonoHint);
        createPreproc = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_create_preproc);
        queryPreproc = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_query_preproc_hint);
        setPreproc = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_set_preproc_rgb);
        createMonochrome = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_create_monochrome);
        queryMonochrome = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_query_monochrome_hint);
        setMonochrome = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_set_monochrome_rgb);
        createPreproc2 = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_create_preproc2);
        createMonochrome2 = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_create_monochrome2);
        return preprocHint && monoHint && createPreproc && queryPreproc && setPreproc &&
               createMonochrome && queryMonochrome && setMonochrome && createPreproc2 &&
               createMonochrome2;
    }
};

// One monochrome object of a set of adjustments; `gamma` is the gradation's.
std::int32_t makeMonochrome(const Color_Info& info, const PreprocFunctions& f,
                            const ColorAdjustEntry& adjust, double gamma, std::uint32_t hint,
                            void** object) {
    const tnr2_tonecurve_t curves = curvesOf(info);
    std::int32_t result = makeObject(object, [&](void* buffer) {
        return f.createMonochrome2(adjust.tonePointX, adjust.tonePointY, adjust.contrast,
                                   adjust.brightness, adjust.highlight, adjust.shadow, gamma,
                                   adjust.whiteFog, kLuminanceGrey, 0, 0, &curves, hint, buffer);
    });
    std::uint32_t first = 0, second = 0;
    if (result == 0 && f.queryMonochrome(*object, &first, &second) != 0) {
        result = colorcode::kFrameworkObject;
    }
    // A model that prints monochrome as one grey plane takes the grey alone.
    const bool greyPlane = info.context->modelTable.TNR2_T_RGB_Y == kModelYes;
    if (result == 0 && f.setMonochrome(*object, greyPlane ? kTnr2OutputGrey : kTnr2OutputRgb, first,
                                       second) != 0) {
        result = colorcode::kFrameworkObject;
    }
    return result;
}

std::int32_t makePreproc(const Color_Info& info, const PreprocFunctions& f,
                         const ColorAdjustEntry& adjust, std::uint32_t hint, void** object) {
    // The framework takes the balance as ink: the dialog's values negated.
    const tnr2_balance_t balance = {static_cast<std::int16_t>(-adjust.cyanRed),
                                    static_cast<std::int16_t>(-adjust.magentaGreen),
                                    static_cast<std::int16_t>(-adjust.yellowBlue)};
    const tnr2_tonecurve_t curves = curvesOf(info);
    std::int32_t result = makeObject(object, [&](void* buffer) {
        return f.createPreproc2(&balance, &curves, adjust.saturation, adjust.contrast,
                                adjust.brightness, adjust.greyTone, kNeutralGamma, hint, buffer);
    });
    std::uint32_t first = 0, second = 0;
    if (result == 0 && (f.queryPreproc(*object, &first, &second) != 0 ||
                        f.setPreproc(*object, kTnr2OutputRgb, first, second) != 0)) {
        result = colorcode::kFrameworkObject;
    }
    return result;
}

// The job's monochrome set: its own adjustments, or none for a test pattern, whose cells carry
// theirs.
ColorAdjustEntry jobMonochromeAdjust(const Color_Info& info) {
    return info.patternPrint != 0 ? ColorAdjustEntry{} : info.currentAdjust;
}

// The gradation gamma of the job's monochrome set.
double jobMonochromeGamma(const Color_Info& info) {
    return info.patternPrint != 0 || info.monochromeGamma <= 0 ? kNeutralGamma
                                                               : info.monochromeGamma;
}

// The name of the job's conversion inside the conversion table.
const char* csc1Name(const Color_Info& info) {
    if (info.colorMode == kColorModeMonochromePhoto) {
        return "h_mono_photo";
    }
    if (info.colorMode != kColorModeColor) {
        return "h_through";
    }
    const bool srgb = info.workingSpace == kWorkingSpaceSrgb;
    switch (info.renderingIntent) {
        case 2:
            return srgb ? "h_srgb_sat" : "h_argb_sat";
        case 3:
        case 4:  // absolute colorimetric is printed with the colorimetric conversion
            return srgb ? "h_srgb_col" : "h_argb_col";
        case 5:
            return srgb ? "h_srgb_labo" : "h_argb_labo";
        default:
            return srgb ? "h_srgb_per" : "h_argb_per";
    }
}

// Frees an object and its buffer; null, for the field that held it.
template <typename Free>
void* freed(Free free, void* object) {
    if (object != nullptr && free != nullptr) {
        free(object);
    }
    Dispose_MemoryClear(&object, kUnusedKind);
    return nullptr;
}

}  // namespace

std::uint32_t hintForDepth(std::uint32_t hint, std::uint8_t outputDepth) {
    return (hint & ~kHintDepthBits) | (outputDepth == kOutput8Bit ? kHint8Bit : kHint16Bit);
}

std::uint32_t patternCells(const Color_Info& info) {
    if (info.patternPrint == 0 || info.adjustEntries == nullptr) {
        return 0;
    }
    return std::min<std::uint32_t>(std::uint32_t{info.patternXCount} * info.patternYCount,
                                   info.adjustEntryCount);
}

bool preprocessingNeeded(const Color_Info& info) {
    const ColorAdjustEntry& a = info.currentAdjust;
    const bool adjusted = a.cyanRed != 0 || a.magentaGreen != 0 || a.yellowBlue != 0 ||
                          a.greyTone != 0 || a.brightness != 0 || a.contrast != 0 ||
                          a.saturation != 0 || a.tonePointX != 0 || a.tonePointY != 0 ||
                          a.highlight != 0 || a.shadow != 0 || a.whiteFog != 0;
    // Tone curves travel in the pre-processing object: a job with curves alone needs it too.
    const bool curved =
        std::any_of(std::begin(info.toneCurveTables), std::end(info.toneCurveTables),
                    [](const std::uint16_t* table) { return table != nullptr; });
    return adjusted || curved || info.colorMode == kColorModeMonochromePhoto ||
           info.patternPrint != 0;
}

std::int32_t createPreprocObjects(Color_Info& info) {
    PreprocFunctions f;
    if (!f.bind(info)) {
        return colorcode::kFrameworkObject;
    }
    std::uint32_t hint = 0;
    if (f.preprocHint(info.mediaDatabase, info.mediumID, &info.quality, &hint) == 0) {
        return colorcode::kFrameworkObject;
    }
    hint = hintForDepth(hint, info.outputDepth);
    const std::uint32_t cells = patternCells(info);
    if (info.colorMode == kColorModeMonochromePhoto) {
        std::int32_t result =
            makeMonochrome(info, f, jobMonochromeAdjust(info), jobMonochromeGamma(info), hint,
                           &info.monochromeObject);
        // The entries are packed: their object fields are written whole, never through a
        // pointer to them.
        for (std::uint32_t cell = 0; result == 0 && cell < cells; ++cell) {
            ColorAdjustEntry& entry = info.adjustEntries[cell];
            void* object = nullptr;
            result = makeMonochrome(info, f, entry, entry.gamma, hint, &object);
            entry.monochromeObject = object;
        }
        return result;
    }
    if (cells == 0) {
        return makePreproc(info, f, info.currentAdjust, hint, &info.preprocObject);
    }
    std::int32_t result = 0;
    for (std::uint32_t cell = 0; result == 0 && cell < cells; ++cell) {
        ColorAdjustEntry& entry = info.adjustEntries[cell];
        void* object = nullptr;
        result = makePreproc(info, f, entry, hint, &object);
        entry.preprocObject = object;
    }
    return result;
}

namespace {

// Makes the job's first colour-space conversion for rows of `outputDepth` into `*object`.
std::int32_t makeCsc1(Color_Info& info, std::uint8_t outputDepth, void** object) {
    const auto tableCSC1 = BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3TableCSC1);
    const auto csc1Hint = BIND_FRAMEWORK_FUNCTION(info.mediaBundle, mdb3CSC1Hint);
    const auto cut = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_log);
    const auto create = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_create_csc1);
    const auto query = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_query_csc1_hint);
    const auto set = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_set_csc1_rgb);
    if (tableCSC1 == nullptr || csc1Hint == nullptr) {
        return colorcode::kCsc1NoTable;
    }
    if (cut == nullptr || create == nullptr || query == nullptr || set == nullptr) {
        return colorcode::kCsc1Failed;
    }
    const std::uint32_t tableSize =
        tableCSC1(info.mediaDatabase, info.mediumID, &info.quality, nullptr);
    if (tableSize == 0) {
        return colorcode::kCsc1NoTable;
    }
    CoreBuffer table;
    if (table.allocate(tableSize) != 0) {
        return colorcode::kNoMemory;
    }
    tableCSC1(info.mediaDatabase, info.mediumID, &info.quality, table.data());
    const char* name = csc1Name(info);
    const std::uint32_t partSize = cut(table.data(), nullptr, name);
    if (partSize == 0) {
        return colorcode::kCsc1Failed;
    }
    CoreBuffer part;
    if (part.allocate(partSize) != 0) {
        return colorcode::kNoMemory;
    }
    if (cut(table.data(), part.data(), name) != partSize) {
        return colorcode::kCsc1Failed;
    }
    std::uint32_t hint = 0;
    if (csc1Hint(info.mediaDatabase, info.mediumID, &info.quality, &hint) == 0) {
        return colorcode::kCsc1NoTable;
    }
    hint = hintForDepth(hint, outputDepth);
    std::int32_t result = makeObject(
        object, [&](void* buffer) { return create(partSize, part.data(), hint, buffer); });
    if (result == colorcode::kFrameworkObject) {
        return colorcode::kCsc1Failed;
    }
    std::uint32_t form = 0;
    if (result == 0 && (query(*object, &form) != 0 || set(*object, kTnr2OutputRgb, form) != 0)) {
        result = colorcode::kCsc1Failed;
    }
    return result;
}

}  // namespace

std::int32_t createCsc1Object(Color_Info& info) {
    return makeCsc1(info, info.outputDepth, &info.csc1Object);
}

std::int32_t createSixteenBitObjects(Color_Info& info, ColorPathObjects& objects) {
    const std::uint8_t depth = kOutput12Bit;
    std::int32_t result = 0;
    if (info.preprocObject != nullptr || info.monochromeObject != nullptr) {
        PreprocFunctions f;
        std::uint32_t hint = 0;
        if (!f.bind(info) ||
            f.preprocHint(info.mediaDatabase, info.mediumID, &info.quality, &hint) == 0) {
            return colorcode::kFrameworkObject;
        }
        hint = hintForDepth(hint, depth);
        if (info.preprocObject != nullptr) {
            result = makePreproc(info, f, info.currentAdjust, hint, &objects.preproc);
        }
        if (result == 0 && info.monochromeObject != nullptr) {
            result = makeMonochrome(info, f, jobMonochromeAdjust(info), jobMonochromeGamma(info),
                                    hint, &objects.monochrome);
        }
    }
    if (result == 0 && info.csc1Object != nullptr) {
        result = makeCsc1(info, depth, &objects.csc1);
    }
    return result;
}

void freeColorPathObjects(const Color_Info& info, ColorPathObjects& objects) {
    objects.preproc =
        freed(BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_free_preproc), objects.preproc);
    objects.monochrome =
        freed(BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_free_monochrome), objects.monochrome);
    objects.csc1 = freed(BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_free_csc1), objects.csc1);
}

void freeFrameworkObjects(Color_Info& info) {
    const auto freePreproc = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_free_preproc);
    const auto freeCsc1 = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_free_csc1);
    const auto freeMonochrome = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_free_monochrome);
    for (std::uint32_t cell = 0; info.adjustEntries != nullptr && cell < info.adjustEntryCount;
         ++cell) {
        ColorAdjustEntry& entry = info.adjustEntries[cell];
        entry.preprocObject = freed(freePreproc, entry.preprocObject);
        entry.monochromeObject = freed(freeMonochrome, entry.monochromeObject);
    }
    info.preprocObject = freed(freePreproc, info.preprocObject);
    info.monochromeObject = freed(freeMonochrome, info.monochromeObject);
    info.csc1Object = freed(freeCsc1, info.csc1Object);
}
