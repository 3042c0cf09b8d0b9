// The command options of a large-format printer: sharpening, resampling, the packet record's
// print choices, stored jobs, paper kind and saving, the SSC, ink and roll-width options and the
// option bytes.
#include <cstring>
#include <string>

#include "bytes/byte_order.h"
#include "cf/value.h"
#include "command/cmd_info.h"
#include "geometry/page_geometry.h"
#include "medab2/medab2.h"
#include "mediadb/media_framework.h"
#include "record/job_context.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"
#include "strings/job_strings.h"
#include "strings/text_codec.h"

namespace setup {

namespace {

constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kInkImpactOn = 1;
constexpr std::uint8_t kOnePassUnidirectional = 2;
constexpr std::uint8_t kOnePassBidirectional = 1;
constexpr std::int32_t kCalibrationOff = 3;
constexpr std::uint8_t kPathModeFine = 8;
constexpr std::uint8_t kPathModeSixteen = 1;
constexpr std::int32_t kLastStandardPaperSizeId = 10000;
constexpr std::uint32_t kRollSources = 0x0F00;
constexpr std::uint8_t kBorderlessPrintOn = 2;
constexpr std::uint8_t kBorderlessPrintOff = 3;
constexpr std::int32_t kInkSystemSecond = 2;
constexpr std::uint8_t kFitRollWidth = 1;
constexpr std::size_t kMinimumSharpenedRow = 2;

bool takesPrintModeFromDatabase(const ModelAtlasTbl& model) {
    return model.PrintMode == 1 || model.PrintMode == 2;
}

// The print mode byte the path-mode method sends.
std::uint8_t pathMode(const PLGContext& context, const CoreCommonInfoTbl& table) {
    const ModelAtlasTbl& model = context.modelTable;
    if (takesPrintModeFromDatabase(model)) {
        return context.qdxaInfo->pathMode;  // the optimise flag of the media database's rule
    }
    if (model.PathMode == 2 && table.inkImpact == kInkImpactOn) {
        return kPathModeFine;
    }
    return model.PathMode == 1 && table.printMode16 != 0 ? kPathModeSixteen : 0;
}

// The name of a job stored on the printer's disk, cut to 32 bytes and converted.
void setStoredJobName(QDXA_Info& packet, const CoreCommonInfoTbl& table,
                      const ModelAtlasTbl& model) {
    const std::string* name =
        table.saveDataName != nullptr ? table.saveDataName->string() : nullptr;
    const std::string_view text = name != nullptr ? std::string_view(*name) : std::string_view();
    unsigned char counted[kCountedStringBuffer] = {};
    const std::size_t length = textcodec::cutLength(text, kNameMaxBytes);
    counted[0] = static_cast<unsigned char>(length);
    if (length > 0) {
        std::memcpy(counted + 1, text.data(), length);
    }
    PLGTransferString_Mac(counted, packet.dataNameText, &packet.dataNameUnicodeBytes, &model,
                          kTransferStoredJobName);
}

// The medium's QDXA medium type from the media database's header, for the group id method.
std::uint16_t headerMediumType(void* mediaDatabase) {
    const MediaFramework framework;
    const auto header = framework.bind<decltype(mdb3GetHeaderPart)>("mdb3GetHeaderPart");
    DEF_HEADERPART part{};
    if (header == nullptr || mediaDatabase == nullptr ||
        header(static_cast<std::uint8_t*>(mediaDatabase), &part) == 0) {
        return 0;
    }
    return bytes::loadLE16(part.bytes + kMdbHeaderMediumTypeOffset);
}

// The SSC, ink and roll-width options of the models that take them.
void setRollOptions(PLGContext& context, const CoreCommonInfoTbl& table) {
    Cmd_Info& command = *context.cmdInfo;
    QDXA_Info& packet = *context.qdxaInfo;
    const ModelAtlasTbl& model = context.modelTable;
    command.singleSSC = blurPreventionKind(table.blurPrevention);
    command.sscAdjustment = sscLevel(table.sscSetting);
    command.inkType = table.inkSystem == kInkSystemSecond ? 1 : 0;
    const bool rollSized = context.borderless != 0 ||
                           (context.expansionReduction != 0 && context.fitType == kFitRollWidth);
    if (rollSized) {
        PLG_Get_RollWidth(&context, &command, nullptr);
    }
    if (model.Borderless_RollWidth == kModelYes) {
        packet.groupId = headerMediumType(context.mediaDatabase);
    }
    packet.borderlessPrint = context.borderless != 0 ? kBorderlessPrintOn : kBorderlessPrintOff;
    const std::string paperName(command.paperName, strnlen(command.paperName, kPaperNameMax + 1));
    packet.rollWidth = rollSized ? rollWidthCode(paperName) : kRollWidthNone;

    const auto options = optionBytes(table, model);
    std::memcpy(context.optionBytes, options.data(), options.size());
    const auto choices = mediaDetailChoices(options);
    std::memcpy(packet.mediaDetailChoices, choices.data(), choices.size());
}

}  // namespace

void setCommandOptions(PLGContext& context, const CoreCommonInfoTbl& table) {
    Cmd_Info& command = *context.cmdInfo;
    QDXA_Info& packet = *context.qdxaInfo;
    const ModelAtlasTbl& model = context.modelTable;
    std::memset(context.optionBytes, kNotSent, sizeof context.optionBytes);
    std::memset(packet.mediaDetailChoices, kNotSent, sizeof packet.mediaDetailChoices);

    // The photo application's sharpening already holds the host's own share.
    const std::int32_t sharpness =
        context.hostTypeFlag != 0 ? command.sharpenLevel : table.sharpness;
    const std::uint32_t rowLength =
        context.rotate != 0 ? context.sourceHeight : context.sourceWidth;
    command.sharpenLevel = rowLength < kMinimumSharpenedRow ? 0 : sharpness;
    command.resampleFilter = table.expandMethod;
    packet.printAfterReception = static_cast<std::uint8_t>(table.printAllDataReceived);
    packet.onePassPrint =
        table.forceOneDirection != 0 ? kOnePassUnidirectional : kOnePassBidirectional;
    packet.calibration = static_cast<std::uint8_t>(table.calibration);
    command.calibration = table.calibration != kCalibrationOff ? 1 : 0;
    packet.pathMode = pathMode(context, table);
    packet.cuttingChoice = table.autoCut;
    if (model.HDD == kModelYes) {
        packet.outputMethod = table.jobOutputMethod;
        packet.boxNumber = static_cast<std::uint16_t>(table.boxNumber);
        setStoredJobName(packet, table, model);
    }
    command.paperOrientation =
        table.paperSizeID > kLastStandardPaperSizeId ? kOrientationLongEdge : kOrientationShortEdge;
    const bool roll = (static_cast<std::uint32_t>(table.paperSource) & kRollSources) != 0;
    command.savePaper = table.conservePaper != 0 && roll ? 1 : 0;
    packet.optimizeFlag = model.VGM == kModelYes && table.printMode16 != 0 ? 1 : 0;
    if (model.SSC_Ink_RollWidth == kModelYes) {
        setRollOptions(context, table);
    }
}

}  // namespace setup
