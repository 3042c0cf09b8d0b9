#include "printer/print_common.h"

#include <array>
#include <cstdio>
#include <utility>

#include "helpers/kdict.h"
#include "rastercore/core_common_info_tbl.h"

namespace {

using Field = std::int32_t ModelAtlasTbl::*;

// The keys in the order of the record's fields.
constexpr std::array<std::pair<const char*, Field>, 46> kPrintCommonKeys{{
    {"PrinterSize", &ModelAtlasTbl::PrinterSize},
    {"SSC_Ink_RollWidth", &ModelAtlasTbl::SSC_Ink_RollWidth},
    {"OutputColorSpace", &ModelAtlasTbl::OutputColorSpace},
    {"Tonara", &ModelAtlasTbl::Tonara},
    {"Medab", &ModelAtlasTbl::Medab},
    {"OpenQDXA", &ModelAtlasTbl::OpenQDXA},
    {"HDD", &ModelAtlasTbl::HDD},
    {"JobPriority", &ModelAtlasTbl::JobPriority},
    {"JobStartProcessing", &ModelAtlasTbl::JobStartProcessing},
    {"Unicode", &ModelAtlasTbl::Unicode},
    {"PanelMessageMaxNum", &ModelAtlasTbl::PanelMessageMaxNum},
    {"Tray_Array_Priority", &ModelAtlasTbl::Tray_Array_Priority},
    {"MarkerColorantDryingType", &ModelAtlasTbl::MarkerColorantDryingType},
    {"DPIType", &ModelAtlasTbl::DPIType},
    {"MarginSize", &ModelAtlasTbl::MarginSize},
    {"CODEType", &ModelAtlasTbl::CODEType},
    {"Message_check_2byte", &ModelAtlasTbl::Message_check_2byte},
    {"MaxLineNum", &ModelAtlasTbl::MaxLineNum},
    {"MediaMaxMin", &ModelAtlasTbl::MediaMaxMin},
    {"BlankBack_Thickness", &ModelAtlasTbl::BlankBack_Thickness},
    {"Printing_Suction", &ModelAtlasTbl::Printing_Suction},
    {"Borderless_RollWidth", &ModelAtlasTbl::Borderless_RollWidth},
    {"Tonara2Curve", &ModelAtlasTbl::Tonara2Curve},
    {"JobStart2", &ModelAtlasTbl::JobStart2},
    {"Copies", &ModelAtlasTbl::Copies},
    {"GroupID", &ModelAtlasTbl::GroupID},
    {"CuttingType_MarkerColorantDryingType", &ModelAtlasTbl::CuttingType_MarkerColorantDryingType},
    {"Optimize_Nup_OnePassPrint_DetailMediaInfo",
     &ModelAtlasTbl::Optimize_Nup_OnePassPrint_DetailMediaInfo},
    {"BorderlessPrint_RollWidth", &ModelAtlasTbl::BorderlessPrint_RollWidth},
    {"MediaCalibration", &ModelAtlasTbl::MediaCalibration},
    {"VGM", &ModelAtlasTbl::VGM},
    {"PathMode", &ModelAtlasTbl::PathMode},
    {"Impressions", &ModelAtlasTbl::Impressions},
    {"Graytone", &ModelAtlasTbl::Graytone},
    {"TNR2_T_RGB_Y", &ModelAtlasTbl::TNR2_T_RGB_Y},
    {"IngammaTbl_bit", &ModelAtlasTbl::IngammaTbl_bit},
    {"h_mono_photo", &ModelAtlasTbl::h_mono_photo},
    {"CreateTable", &ModelAtlasTbl::CreateTable},
    {"DetailMedia_Paper_Thickness_set", &ModelAtlasTbl::DetailMedia_Paper_Thickness_set},
    {"DetailMedia_Paper_Suction_set", &ModelAtlasTbl::DetailMedia_Paper_Suction_set},
    {"Create_CSC1_AUTO_MONO", &ModelAtlasTbl::Create_CSC1_AUTO_MONO},
    {"INKTYPE_ROLLWIDTH", &ModelAtlasTbl::INKTYPE_ROLLWIDTH},
    {"SINGLE_SSC", &ModelAtlasTbl::SINGLE_SSC},
    {"PrintCentered", &ModelAtlasTbl::PrintCentered},
    {"PrintMode", &ModelAtlasTbl::PrintMode},
    {"MonoCapColorProcessing", &ModelAtlasTbl::MonoCapColorProcessing},
}};
static_assert(kPrintCommonKeys.size() * sizeof(std::int32_t) == sizeof(ModelAtlasTbl),
              "one key per value of the record");

constexpr std::int32_t kBadArgument = -50;

const cf::Value* firstDictionary(const cf::Value& array) {
    for (const cf::Value& element : *array.array()) {
        if (element.isDictionary())
            return &element;
    }
    return nullptr;
}

}  // namespace

std::int32_t SetArrayToPrintCommon(ModelAtlasTbl* table, const cf::Value* printCommonArray) {
    if (table == nullptr || printCommonArray == nullptr || !printCommonArray->isArray())
        return kBadArgument;
    const cf::Value* values = firstDictionary(*printCommonArray);
    if (values == nullptr)
        return 0;
    std::int32_t result = 0;
    for (const auto& [key, field] : kPrintCommonKeys)
        result = kDict::DictGetInt(values, key, &(table->*field));
    if (result != 0) {
        std::printf("SetArrayToPrintCommon err=%d\n", result);
        std::fflush(stdout);
    }
    return result;
}
