// What every modal sub-dialog of the print dialog shares: its window with the standard OK,
// Cancel, Defaults and Help buttons, the template of its show method, and its modal run above the
// window that was key when it opened.
//
// A dialog's show method stores what the opener gives, copies the caller's record into a working
// copy of its own and calls showDialog, which sets the texts (setControlString), builds menus and
// lists (initControls), shows the working copy (setControlValues), and runs the window, which is
// seen only once it is centred. OK reads the controls into the working copy, copies it back into
// the caller's record and answers 1; Cancel, or closing the window any other way, answers 0 and
// leaves the caller's record untouched. Defaults show the model's default settings in the
// controls only; Help opens the dialog's page of the printer's manual.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "printer/printer_function.h"
#include "settings/ui_save.h"
#include "ui/port.h"
#include "ui/strings.h"

namespace subdialogs {

/// The standard buttons' object names in every dialog's layout; a dialog without Defaults or
/// Help lacks those.
inline constexpr char kOkButton[] = "okButton";
inline constexpr char kCancelButton[] = "cancelButton";
inline constexpr char kDefaultButton[] = "defaultButton";
inline constexpr char kHelpButton[] = "helpButton";
/// The alert shown when the dialog's help page cannot be opened.
inline constexpr char kNoHelpMessage[] = "MESS_NO_HELP";

class kSubDialogBaseClass {
  public:
    /// Takes the user's region and loads the window layout `layout`, connecting the standard
    /// buttons. A layout that cannot be loaded leaves a dialog that never runs.
    kSubDialogBaseClass(ui::Port& port, std::string layout);
    virtual ~kSubDialogBaseClass();
    kSubDialogBaseClass(const kSubDialogBaseClass&) = delete;
    kSubDialogBaseClass& operator=(const kSubDialogBaseClass&) = delete;

    /// Whether the window layout was loaded.
    bool loaded() const { return m_loaded; }

  protected:
    /// The show template, after the dialog took its own values and its working copy, with the
    /// plug-in's texts `bundle` (not owned), the printer's short name (which names its folder of
    /// help pages) and its model: 1 when the dialog ended through OK, else 0; 0 at once, without a
    /// modal run, when there is no window.
    std::uint8_t showDialog(const ui::Strings& bundle, std::optional<std::string> printerShortName,
                            std::int32_t printerID);

    // What a dialog fills in; each does nothing here.
    virtual void setControlString();
    virtual void initControls();
    /// Shows the working copy in the controls.
    virtual void setControlValues();
    /// Reads the controls into the working copy.
    virtual void readControlValues();
    /// Copies the working copy into the caller's record.
    virtual void commitWorkingCopy();
    /// Copies the dialog's fields of the model's default settings into the working copy.
    virtual void takeDefaults(const UISave& defaults);
    /// The dialog's help page in the printer's capability record; none here.
    virtual std::optional<std::string> helpFileName(const PrinterFunction& function) const;

    // The standard buttons' actions.
    virtual void ok();
    virtual void cancel();
    virtual void requestDefault();
    virtual void requestHelp();

    /// Centres the window on its screen and makes it opaque.
    void centeringWindow();
    /// Prepares the window for its run: transparent until centringWindow, which the modal run
    /// calls as soon as it has put the window on screen, so that it is never seen uncentred.
    void setupWindow();
    /// Runs the window modally above `parent` (none: without a parent) and closes it; the parent
    /// is key again afterwards.
    void runWindow(const std::string& parent);

    /// The plug-in's text of `key` (during a run).
    std::string localized(std::string_view key) const;

    ui::Port& m_port;
    const std::string sWindow;  ///< the window's layout name
    const ui::Strings* m_nsBundle = nullptr;
    std::uint8_t m_selOK = 0;
    std::optional<std::string> m_printerShortName;
    std::int32_t m_Region = 0;
    std::int32_t m_printerID = 0;

  private:
    bool m_loaded = false;
};

}  // namespace subdialogs
