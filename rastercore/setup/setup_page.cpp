// The page of the job: input depth, copies, borderless printing and fitting, the layout, the
// resolutions, the print direction, the paper and its margins.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "command/cmd_info.h"
#include "geometry/page_geometry.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"

namespace setup {

namespace {

using namespace rastercore;

constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kInputResolution300 = 1;
constexpr std::uint16_t kResolution300 = 300;
constexpr std::uint16_t kResolution600 = 600;
constexpr std::int32_t kBitsPerPixel16 = 48;
constexpr std::int32_t kBitsPerPixel8 = 24;
constexpr std::uint32_t kSourcesWithoutBorderless = 0xF0F0;
constexpr std::uint32_t kRollSources = 0x0F00;
constexpr std::int32_t kHundredthsPerTenth = 10;
constexpr double kTenthsPerInch = 254.0;
constexpr std::uint8_t kLayoutCentre = 2;
constexpr std::uint8_t kLayoutCentreRollFit = 4;
constexpr std::uint8_t kFitPage = 0;
constexpr std::uint8_t kFitRollWidth = 1;
constexpr std::int32_t kTurned = 1;
constexpr std::int32_t kDrawMode = 1;
constexpr std::int32_t kCompressionSeedRow = 2;  // the job's compression choice
constexpr std::uint32_t kBandHeight = 1;

std::uint8_t flag(std::int32_t value) {
    return value != 0 ? 1 : 0;
}

std::uint8_t pageLayoutKind(const PLGContext& context, const CoreCommonInfoTbl& table) {
    if (context.borderless != 0) {
        return kLayoutCentre;
    }
    if (context.expansionReduction != 0 && context.fitType == kFitRollWidth) {
        return kLayoutCentreRollFit;
    }
    if (context.expansionReduction != 0 && context.fitType == kFitPage) {
        return kLayoutCentre;
    }
    return static_cast<std::uint8_t>(table.printLayout);
}

std::int32_t dots(std::int32_t tenths, double resolution) {
    return static_cast<std::int32_t>(tenths * resolution / kTenthsPerInch);
}

}  // namespace

void limitInputDepth(const PLGContext& context, CoreCommonInfoTbl& table) {
    if (context.modelTable.IngammaTbl_bit != kModelYes && table.inputBit != 0) {
        table.inputBit = 1;
    }
}

std::int32_t setLayout(PLGContext& context, const CoreCommonInfoTbl& table) {
    Cmd_Info& command = *context.cmdInfo;
    context.backgroundPrint = table.backgroundPrint;
    context.copies = context.backgroundPrint != 0
                         ? 1
                         : static_cast<std::uint16_t>(clamped(table.copies, 0, 0xFFFF));
    const auto source = static_cast<std::uint32_t>(table.paperSource);
    context.borderless = (source & kSourcesWithoutBorderless) == 0 ? flag(table.noFrame) : 0;
    context.expansionReduction = context.borderless != 0 ? 1 : flag(table.expansionReduction);
    context.fitType =
        context.borderless != 0 ? kFitRollWidth : static_cast<std::uint8_t>(table.fitType);
    const double magnification = std::isfinite(table.magnification) ? table.magnification : 0;
    context.magnification = static_cast<std::uint16_t>(std::clamp(magnification, 0.0, 65535.0));
    context.layoutLeft = table.printLayoutLeft / kHundredthsPerTenth;
    context.layoutTop = table.printLayoutTop / kHundredthsPerTenth;
    command.mirror = table.mirror;
    context.pageLayoutKind = pageLayoutKind(context, table);

    const std::uint16_t working =
        table.inputResolution == kInputResolution300 ? kResolution300 : kResolution600;
    command.graphicsResolution[0] = command.graphicsResolution[1] = working;
    context.outputResolution[0] = context.outputResolution[1] = working;
    context.bitsPerPixel = table.inputBit != 0 ? kBitsPerPixel16 : kBitsPerPixel8;
    PLG_Get_Peculiar_DPI(&context.modelTable, table.inputResolution, &command.pjlResolution[0],
                         &command.pjlResolution[1]);
    context.rotate = table.printDirection == kTurned ? 1 : 0;
    command.drawMode = kDrawMode;
    command.compression = kCompressionSeedRow;
    command.bandHeight = kBandHeight;
    command.singleSSC = kSingleSscNotSent;
    // Cursor moves, the raster origin and custom page sizes divide by these: a job without a
    // resolution cannot be printed.
    const bool resolved =
        context.outputResolution[0] > 0 && context.outputResolution[1] > 0 &&
        std::all_of(std::begin(command.graphicsResolution), std::end(command.graphicsResolution),
                    [](std::uint16_t dpi) { return dpi != 0; }) &&
        std::all_of(std::begin(command.pjlResolution), std::end(command.pjlResolution),
                    [](std::uint16_t dpi) { return dpi != 0; });
    return resolved ? kResultOk : kResultHostImage;
}

void setPaper(PLGContext& context, const CoreCommonInfoTbl& table) {
    Cmd_Info& command = *context.cmdInfo;
    const bool roll = (static_cast<std::uint32_t>(table.paperSource) & kRollSources) != 0;
    if (context.patternPrint != 0) {
        context.paperWidth = table.patternPaperWidth;
        context.paperHeight = table.patternPaperLength;
    } else if (roll && context.expansionReduction != 0 && context.fitType == kFitRollWidth) {
        context.paperWidth = table.rollWidth;
        context.paperHeight = table.rollLength;
    } else {
        context.paperWidth = table.paperWidth;
        context.paperHeight = table.paperHeight;
    }
    context.paperWidthDots = dots(context.paperWidth, context.outputResolution[0]);
    context.paperHeightDots = dots(context.paperHeight, context.outputResolution[1]);
    command.paperSourceMask = static_cast<std::uint32_t>(table.paperSource);
    TARNMarginSize margins{};
    if (PLG_Get_MarginSize(&context, context.borderless, &margins) == kResultOk) {
        command.leftMargin = margins.side1;
        command.rightMargin = margins.side2;
        command.topMargin = margins.top;
        command.bottomMargin = margins.bottom;
    }
}

}  // namespace setup
