// What the dialogs' tests on Qt share: the dialog resources (strings and pictures as the plug-in
// bundle holds them), a port on them, and the sample windows that place the controls, views,
// lists and a panel.
#pragma once

#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "cf/bundle.h"
#include "dialogs/plugin_strings.h"
#include "support/temporary_folder.h"
#include "ui/qt_port.h"

namespace dialogs_qt_test {

/// Registers the sample windows "SampleControls", "SampleViews", "SampleChoices" and
/// "SampleLists", and the sample panel "SamplePanel".
void registerSampleWindows();

/// The pictures that the sample lists show, drawn into a folder of their own: "caution.png" (a
/// warning triangle), "mark.png" (a dot) and "no_mark.png" (nothing: transparent).
struct SamplePictures {
    SamplePictures();
    testsupport::TemporaryFolder folder;
};

struct QtDialogs {
    QtDialogs();
    /// The port takes its pictures from `resources` instead of the dialog resources.
    explicit QtDialogs(const std::filesystem::path& resources);
    ~QtDialogs();
    /// Lets queued calls, paints and timers run for about `milliseconds`.
    void settle(int milliseconds = 20);

    std::shared_ptr<cf::Bundle> bundle;
    dialogs::PlugInStrings strings;
    ui::QtPort port;
};

/// Runs `act` on the modal widget that appears next (an alert, a modal run), once.
void whenModalAppears(std::function<void(QWidget*)> act);

}  // namespace dialogs_qt_test
