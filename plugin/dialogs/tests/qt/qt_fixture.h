// What the dialogs' tests on Qt share: the dialog resources (strings and pictures as the plug-in
// bundle holds them), a port on them, and the sample windows that place the controls and views.
#pragma once

#include <QApplication>
#include <QWidget>
#include <memory>

#include "cf/bundle.h"
#include "dialogs/plugin_strings.h"
#include "ui/qt_port.h"

namespace dialogs_qt_test {

/// Registers the sample windows "SampleControls" and "SampleViews" once.
void registerSampleWindows();

struct QtDialogs {
    QtDialogs();
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
