// The job header of printer family 1: universal exit, PJL settings, entry into the raster
// language, the colour tables as general data, reset.
#include <array>
#include <cstring>

#include "command/m1xx_generator.h"
#include "command/pjl_builders.h"
#include "command/srl_builders.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

// General data blocks go out in this entry order: input gamma, second colour-space conversion,
// monochrome table, output gamma, dither parameters, resolution conversion, error-diffusion
// table, table index data.
constexpr std::array<int, kGeneralDataBlocks> kGeneralDataOrder{0, 1, 2, 3, 4, 6, 5, 7};

// PJL variants of the models: which optional settings they take.
constexpr std::int32_t kPjlInkRollSsc = 1;
constexpr std::int32_t kPjlRollSsc = 2;
constexpr std::int32_t kSingleSscSupported = 1;
constexpr std::int32_t kSingleSscNotSent = -1;

// A copy of a fixed text field that is terminated even when the field is full.
template <std::size_t N>
std::array<char, N + 1> terminated(const char (&field)[N]) {
    std::array<char, N + 1> copy{};
    std::memcpy(copy.data(), field, N);
    return copy;
}

class PjlWriter {
  public:
    explicit PjlWriter(CommandCursor* cursor) : cursor_(cursor) {}
    void number(const char* name, std::int32_t value) {
        PJL_Set_SInt32(cursor_, &written_, name, value);
    }
    void text(const char* name, const char* value) {
        PJL_Set_String(cursor_, &written_, name, value);
    }

  private:
    CommandCursor* cursor_;
    std::uint32_t written_ = 0;
};

bool generalDataComplete(const Cmd_Info& info) {
    for (const GeneralDataBlock& block : info.generalData) {
        if (block.length != 0 && block.data == nullptr) {
            return false;
        }
    }
    return true;
}

void writeMediaSettings(const Cmd_Info& info, PjlWriter& pjl, bool custom, const char* paper) {
    pjl.number("HRESOLUTION", info.pjlResolution[0]);
    pjl.number("VRESOLUTION", info.pjlResolution[1]);
    pjl.text("PAPER", paper);
    if (custom) {
        pjl.number("PAPERLENGTH", info.paperLength);
        pjl.number("PAPERWIDTH", info.paperWidth);
    } else {
        pjl.text("PAPERORIENT",
                 info.paperOrientation == kOrientationLongEdge ? "LONGEDGE" : "SHORTEDGE");
    }
    pjl.number("TOPMARGIN", info.topMargin);
    pjl.number("BOTTOMMARGIN", info.bottomMargin);
    pjl.number("LEFTMARGIN", info.leftMargin);
    pjl.number("RIGHTMARGIN", info.rightMargin);
}

void writeOutputSettings(const Cmd_Info& info, PjlWriter& pjl) {
    pjl.text("SAVE_PAPER", info.savePaper != 0 ? "ON" : "OFF");
    if (info.banner != 0) {
        pjl.text("BANNER", "ON");
        pjl.number("BANNERLENGTH", 0);
    } else {
        pjl.text("BANNER", "OFF");
    }
    if (info.sscAdjustment != 0) {
        pjl.number("ADJUST_SSC", info.sscAdjustment);
    }
    pjl.number(
        (info.paperSourceMask & kCutSheetSourceMask) != 0 ? "CUTMEDIA_CENTER" : "ROLLMEDIA_CENTER",
        info.centering);
}

void writeModelSettings(const Cmd_Info& info, PjlWriter& pjl) {
    const ModelAtlasTbl& model = info.context->modelTable;
    const std::int32_t variant = model.INKTYPE_ROLLWIDTH;
    if (variant == kPjlInkRollSsc) {
        pjl.number("INKTYPE", info.inkType);
    }
    if (variant != kPjlInkRollSsc && variant != kPjlRollSsc) {
        return;
    }
    const auto rollWidth = terminated(info.rollWidth);
    if (rollWidth[0] != '\0') {
        pjl.text("ROLLWIDTH", rollWidth.data());
    }
    if (model.SINGLE_SSC == kSingleSscSupported && info.singleSSC != kSingleSscNotSent) {
        pjl.number("SINGLE_SSC", info.singleSSC);
    }
}

}  // namespace

std::int32_t M1XX_BeginJob(const Cmd_Info& info, std::uint8_t* buffer, std::uint32_t capacity,
                           std::uint32_t* length) {
    *length = 0;
    const auto paper = terminated(info.paperName);
    const bool custom = std::strstr(paper.data(), "CUSTOM") != nullptr;
    const bool orientationKnown = info.paperOrientation == kOrientationShortEdge ||
                                  info.paperOrientation == kOrientationLongEdge;
    const bool sourceKnown = (info.paperSourceMask & (kCutSheetSourceMask | kRollSourceMask)) != 0;
    if ((!custom && !orientationKnown) || !sourceKnown || !generalDataComplete(info)) {
        return rastercore::kCommandBadArgument;
    }

    CommandCursor at(buffer, capacity);
    std::uint32_t written = 0;
    SRL_UnivExit(&at, &written);
    PJL_Reset(&at, &written);
    PjlWriter pjl(&at);
    writeMediaSettings(info, pjl, custom, paper.data());
    writeOutputSettings(info, pjl);
    writeModelSettings(info, pjl);
    SRL_EnterTARNMode(&at, &written);
    for (const int entry : kGeneralDataOrder) {
        const GeneralDataBlock& block = info.generalData[entry];
        if (block.length != 0) {
            SRL_TransferGeneralDat(&at, &written, block.data, block.length);
        }
    }
    SRL_Rst(&at, &written);
    if (at.full) {
        return rastercore::kCommandBadArgument;
    }
    *length = static_cast<std::uint32_t>(at.at - buffer);
    return rastercore::kResultOk;
}
