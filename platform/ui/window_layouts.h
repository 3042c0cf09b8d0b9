// The Designer layouts of the dialogs' windows and panels, by name. A layout's object names are
// the outlets; its texts are keys of the strings table.
#pragma once

#include <QDialog>
#include <functional>
#include <string_view>

class QWidget;

namespace ui {

using WindowFactory = std::function<QWidget*()>;

/// A new widget of class `Top` built from the Designer layout `Layout` (its generated Ui class):
/// QDialog for a window, QWidget for a panel.
template <typename Layout, typename Top = QDialog>
QWidget* buildLayout() {
    auto* top = new Top;
    Layout layout;
    layout.setupUi(top);
    return top;
}

/// A new top-level widget built from the named layout, or null for an unknown name.
QWidget* makeWindow(std::string_view name);

/// Adds a layout (tests and later dialogs); a name given twice keeps the last.
void registerWindowLayout(std::string_view name, WindowFactory factory);

}  // namespace ui
