#include "ui/window_layouts.h"

#include <map>
#include <string>

#include "ui_PLProgress.h"

namespace ui {
namespace {

std::map<std::string, WindowFactory, std::less<>>& layouts() {
    static std::map<std::string, WindowFactory, std::less<>> table{
        {"PLProgress", buildLayout<Ui::PLProgress>},
    };
    return table;
}

}  // namespace

QWidget* makeWindow(std::string_view name) {
    const auto layout = layouts().find(name);
    return layout == layouts().end() ? nullptr : layout->second();
}

void registerWindowLayout(std::string_view name, WindowFactory factory) {
    layouts()[std::string(name)] = std::move(factory);
}

}  // namespace ui
