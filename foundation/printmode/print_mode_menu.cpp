#include "printmode/print_mode_menu.h"

#include <string>

#include "helpers/bundle_string.h"
#include "printer/printer_function.h"

namespace {

constexpr std::int16_t kPrintModes[] = {1, 2, 4, 8, 16};
constexpr const char* kNoText = "PrintMode";
constexpr std::int32_t kEnabled = 1;

}  // namespace

std::int16_t ConstructPrintModeList(std::uint8_t* /*mediaData*/, const cf::Bundle* bundle,
                                    std::int32_t printerTypeID, std::int16_t mediumID,
                                    std::int32_t /*reserved*/, std::int16_t resolutionCode,
                                    std::int16_t bitCode, PrintModeTbl table, MenuDataArray menu) {
    const std::int16_t count = PrintModeEntryCount(table);
    std::int16_t present = 0;
    for (std::int16_t i = 0; i < count; ++i) {
        const auto entry = PrintModeEntryAt(table, i);
        if (entry && entry->mediumID == mediumID && entry->resolutionCode == resolutionCode &&
            entry->bitCode == bitCode) {
            present = static_cast<std::int16_t>(present | entry->printMode);
        }
    }
    const bool fastModeShift = Check_FastModeShift_Printer(printerTypeID) == 1;
    const PopMenuTbl* texts = fastModeShift ? PRINTMODE_MENU : PRINTMODE_DRAFT_MENU;
    for (const std::int16_t mode : kPrintModes) {
        const char* key =
            (present & mode) != 0 ? Get_MenuKeyStr(mode, texts, sizeof PRINTMODE_MENU) : nullptr;
        if (key == nullptr)
            continue;
        const std::string text = CopyLocalizedString(bundle, key, kNoText);
        KMenu::AddMenuData(menu, text.c_str(), mode, 0, 0, kEnabled);
    }
    return count;
}
