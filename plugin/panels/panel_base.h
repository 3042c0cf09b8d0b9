// What every setup panel of the print dialog shares: the settings model, the plug-in's texts, the
// region of the user's language, the chosen printer and its capability record, and the template
// through which the main dialog drives each panel. A panel is a layout placed in the main window;
// its controller talks to it through the port, with the panel's name in place of a window's.
//
// The main dialog calls awakeFromNib once after placing the panel, setPrinterInfo at every change
// of printer, initControls when the settings change as a whole, checkValuesError before leaving
// the panel's tab or printing, and terminate when it closes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cf/bundle.h"
#include "common_data.h"
#include "dialogs/pop_up_menus.h"
#include "helpers/kmenu.h"
#include "printer/printer_function.h"
#include "ui/port.h"
#include "ui/strings.h"

namespace panels {

class kBaseClass {
  public:
    /// A panel of the layout `panel`, working on the dialog's settings model `cData` (not owned),
    /// its texts from `strings` and the plug-in bundle `bundle` (neither owned; the bundle may be
    /// null where no foundation call needs it).
    kBaseClass(ui::Port& port, std::string panel, kCommonDataClass_ZORVEX_common_V600_PS* cData,
               const ui::Strings& strings, const cf::Bundle* bundle);
    virtual ~kBaseClass();
    kBaseClass(const kBaseClass&) = delete;
    kBaseClass& operator=(const kBaseClass&) = delete;

    /// Releases the printer's names and its capability record. A panel that overrides it releases
    /// its own resources first, then calls this.
    virtual void terminate();
    /// Takes the user's region, then sets the panel's texts (setControlString).
    void awakeFromNib();
    /// Sets the texts of labels and buttons and builds the fixed pop-ups; nothing here.
    virtual void setControlString();
    /// Sets every control from the settings model; nothing here.
    virtual void initControls();
    /// True when a value of the panel is not acceptable and the user has been told; false here.
    virtual bool checkValuesError();

    /// Takes the printer: its names, its identifier and a new capability record in place of the
    /// previous one, then sets the controls. kErrPanelMemory, with no record and the controls
    /// left as they were, when no record can be made for the identifier; else 0.
    std::uint32_t setPrinterInfo(std::optional<std::string> popupName,
                                 std::optional<std::string> shortName, std::int32_t printerID);

    /// Fills the panel's pop-up `popUp` from a menu data array (dialogs::fillPopUpFromMenuData):
    /// 0, or KMenu::kBadArgument and the pop-up untouched for no array.
    std::int32_t makeMenu(MenuDataArray menu, std::string_view popUp);

  protected:
    /// Fills the panel's pop-up `popUp` from a fixed menu table (dialogs::fillPopUpFromTable).
    void makeTableMenu(std::string_view popUp, const PopMenuTbl* table, std::int64_t tableBytes,
                       dialogs::MenuKeyRange keys);

    ui::Port& m_port;
    const std::string m_panel;  ///< the layout's name, by which the port knows the panel
    kCommonDataClass_ZORVEX_common_V600_PS* cData;
    std::int32_t m_Region = 0;
    const ui::Strings& m_nsBundle;  ///< the plug-in's interface texts
    const cf::Bundle* m_cfBundle;
    std::optional<std::string> m_cfConnectionType;
    std::optional<std::string> m_cfPopupName;
    std::optional<std::string> m_cfPrinterShortName;
    std::int32_t m_printerID = 0;
    PrinterFunctionPtr m_Func;
};

}  // namespace panels
