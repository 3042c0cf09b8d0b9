#include "panels/panel_base.h"

#include <utility>

#include "helpers/kstat.h"
#include "plugin_error_codes.h"

namespace panels {

kBaseClass::kBaseClass(ui::Port& port, std::string panel,
                       kCommonDataClass_ZORVEX_common_V600_PS* data, const ui::Strings& strings,
                       const cf::Bundle* bundle)
    : m_port(port),
      m_panel(std::move(panel)),
      cData(data),
      m_nsBundle(strings),
      m_cfBundle(bundle) {}

kBaseClass::~kBaseClass() = default;

void kBaseClass::terminate() {
    m_cfConnectionType.reset();
    m_cfPopupName.reset();
    m_cfPrinterShortName.reset();
    m_Func.reset();
}

void kBaseClass::awakeFromNib() {
    m_Region = kStat::Get_RegionCode();
    setControlString();
}

void kBaseClass::setControlString() {}

void kBaseClass::initControls() {}

bool kBaseClass::checkValuesError() {
    return false;
}

std::uint32_t kBaseClass::setPrinterInfo(std::optional<std::string> popupName,
                                         std::optional<std::string> shortName,
                                         std::int32_t printerID) {
    m_cfPopupName = std::move(popupName);
    m_cfPrinterShortName = std::move(shortName);
    m_printerID = printerID;
    m_Func.reset();
    m_Func.reset(GetPrinterFunctionInfo(m_printerID));
    if (m_Func == nullptr) {
        return plugin_error_codes::kErrPanelMemory;
    }
    initControls();
    return 0;
}

std::int32_t kBaseClass::makeMenu(MenuDataArray menu, std::string_view popUp) {
    return dialogs::fillPopUpFromMenuData(m_port, m_panel, popUp, menu);
}

void kBaseClass::makeTableMenu(std::string_view popUp, const PopMenuTbl* table,
                               std::int64_t tableBytes, dialogs::MenuKeyRange keys) {
    dialogs::fillPopUpFromTable(m_port, m_panel, popUp, m_nsBundle, table, tableBytes, keys);
}

}  // namespace panels
