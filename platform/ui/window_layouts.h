// The Designer layouts of the dialogs' windows, by window name. A layout's object names are the
// windows' outlets; its texts are keys of the strings table.
#pragma once

#include <functional>
#include <string_view>

class QWidget;

namespace ui {

using WindowFactory = std::function<QWidget*()>;

/// A new top-level window built from the named layout, or null for an unknown name.
QWidget* makeWindow(std::string_view name);

/// Adds a layout (tests and later dialogs); a name given twice keeps the last.
void registerWindowLayout(std::string_view name, WindowFactory factory);

}  // namespace ui
