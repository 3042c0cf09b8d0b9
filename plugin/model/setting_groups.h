// The groups of settings that the settings model keeps and hands out whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

/// Tone-curve channels (master RGB, red, green, blue, grey) and the points one channel holds.
inline constexpr int kModelCurveChannels = 5;
inline constexpr int kModelCurvePoints = 16;

/// A rectangle: origin, width and height.
struct PlgRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool operator==(const PlgRect&) const = default;
};

/// Media detail: margins, drying times, maintenance and head settings.
struct MediaDetailValues {
    std::int32_t tipSpace = 0;      ///< near-end safety margin
    std::int32_t backendSpace = 0;  ///< far-end safety margin
    std::int32_t pageWaitTime = 0;
    std::int32_t bandWaitTime = 0;
    std::int32_t cutspeed = 0;
    std::int32_t calibration = 0;
    std::int32_t paperThick = 0;
    std::int32_t paperSuction = 0;
    std::uint8_t mirror = 0;
    std::uint8_t forceOneDirection = 0;
    std::uint8_t inkImpact = 0;
    std::uint8_t grazeGurd = 0;  ///< blur prevention
    std::uint8_t ssc = 0;
    std::int32_t sscLevel = 0;
    bool operator==(const MediaDetailValues&) const = default;
};

/// Environment settings.
struct EnvironmentValues {
    std::int32_t sharpness = 0;
    std::int32_t expandMethod = 0;
    std::uint8_t backgroundPrint = 0;
    std::uint8_t printAfterEnd = 0;    ///< close the plug-in after printing
    std::int32_t jobOutputMethod = 0;  ///< 0 print, 1 print and delete, 2 store in a box
    std::int32_t boxNumber = 0;
    std::optional<std::string> saveDataName;
    std::uint8_t printAlldataReceved = 0;  ///< print after all data is received
    std::uint8_t defaultAlertDialog = 0;   ///< all alerts at their default
    bool operator==(const EnvironmentValues&) const = default;
};

/// Colour-matching options.
struct ICCOptionValues {
    std::int32_t convertEngine = 0;  ///< 1 normal colour engine, 2 the host's
    std::uint8_t blackCorect = 0;    ///< black-point compensation
    std::uint8_t paperColor = 0;     ///< simulate paper colour
    std::uint8_t reserved = 0;       ///< always 0
    bool operator==(const ICCOptionValues&) const = default;
};

/// The roll width: its identifier and its width in 1/10 mm.
struct RollWidthValues {
    std::int32_t rollPaperWidthID = 0;
    std::int32_t rollPaperWidth = 0;
    bool operator==(const RollWidthValues&) const = default;
};

/// Roll options.
struct RollOptionValues {
    std::int32_t autoCut = 0;
    std::uint8_t conservePaper = 0;
    bool operator==(const RollOptionValues&) const = default;
};

/// The 17 colour-adjustment values, in this order wherever they are copied whole.
struct ColorAdjustValues {
    std::int32_t cr = 0;  ///< cyan–red
    std::int32_t mg = 0;  ///< magenta–green
    std::int32_t yb = 0;  ///< yellow–blue
    std::int32_t contrast = 0;
    std::int32_t gray = 0;  ///< grey tone
    std::int32_t saturation = 0;
    std::int32_t brightness = 0;
    std::int32_t gamma = 0;
    std::int32_t grayX = 0;  ///< monochrome tone point
    std::int32_t grayY = 0;
    std::int32_t grayBrightness = 0;
    std::int32_t grayContrast = 0;
    std::int32_t grayHighlight = 0;
    std::int32_t grayShadow = 0;
    std::int32_t grayPreset = 0;
    std::int32_t grayGradation = 0;
    std::int32_t whiteFog = 0;
    bool operator==(const ColorAdjustValues&) const = default;
};
static_assert(sizeof(ColorAdjustValues) == 68, "17 values of 32 bits");

/// The tone curves of the five channels.
struct ToneCurveValues {
    std::int32_t channel = 0;  ///< the selected channel
    std::int32_t pointCount[kModelCurveChannels] = {};
    std::int32_t x[kModelCurveChannels][kModelCurvePoints] = {};
    std::int32_t y[kModelCurveChannels][kModelCurvePoints] = {};
    std::int32_t selectedPoint[kModelCurveChannels] = {};
    bool operator==(const ToneCurveValues&) const = default;
};

/// The caption printed beside the image: its switch, position, items and comment.
struct CaptionValues {
    std::uint8_t caption = 0;
    std::int32_t infoPosition = 0;
    std::uint8_t number = 0;
    std::uint8_t imFileName = 0;
    std::uint8_t dateTime = 0;
    std::uint8_t colorSet = 0;
    std::uint8_t printerName = 0;
    std::uint8_t jobComment = 0;
    std::optional<std::string> comment;
    bool operator==(const CaptionValues&) const = default;
};

/// The settings of the test-pattern sheet (one set for colour, one for monochrome).
struct PatternUISettings {
    std::int32_t paperSource = 0;
    std::int32_t useWidth = 0;  ///< the chosen output paper; 30000 and above are user papers
    std::optional<std::string> paperSizeName;
    std::uint32_t paperWSize = 0;  ///< 1/10 mm
    std::uint32_t paperHSize = 0;  ///< 1/10 mm
    std::int32_t paperSave = 0;
    std::int32_t xAdjustItem = 0;
    std::int32_t xCount = 0;
    std::int32_t xAdjustInterval = 0;
    std::int32_t yAdjustItem = 0;  ///< 16: no Y axis
    std::int32_t yCount = 0;
    std::int32_t yAdjustInterval = 0;
    std::int32_t patternRotate = 0;
    std::int32_t patternSize = 0;
    std::int32_t patternSpace = 0;
    std::int32_t backGroundColor = 0;
    std::int32_t referenceValue_X = 0;
    std::int32_t referenceValue_Y = 0;
    std::int32_t appliesAdjust = 0;
    std::uint8_t partPrintFlg = 0;
    PlgRect selectBox;
    PlgRect partRect;
    PlgRect imageRect;
    bool operator==(const PatternUISettings&) const = default;
};
