#include "dialogs/modal_windows.h"

#include <algorithm>

void FWindow::setShieldWindow(std::string_view window, bool includeFrame) {
    if (!window.empty()) {
        port_.addShield(window, includeFrame);
    }
}

void FWindow::removeShieldWindow(std::string_view window) {
    if (port_.hasShield(window)) {
        port_.removeShield(window);
    }
}

bool FWindow::shieldWindow(std::string_view window) const {
    return port_.hasShield(window);
}

bool FWindow::canBecomeKeyWindow(std::string_view window) const {
    return !port_.hasShield(window);
}

void FWindow::beginModalWindow(std::string_view modal, std::string_view parent) {
    if (!parent.empty()) {
        if (!port_.hasShield(parent)) {
            port_.addShield(parent, true);
        }
        auto list = listOf(parent);
        if (list == mModalWindows.end()) {
            list = mModalWindows.insert(mModalWindows.end(), {std::string(parent), {}});
        }
        if (std::find(list->second.begin(), list->second.end(), modal) == list->second.end()) {
            list->second.emplace_back(modal);
        }
        port_.stackAbove(modal, parent);
    }
    port_.showWindow(modal);
    port_.makeKey(modal);
}

void FWindow::endModalWindow(std::string_view modal, bool orderOut) {
    const std::string parent = behindWindow(modal);
    if (!parent.empty()) {
        auto list = listOf(parent);
        std::erase(list->second, modal);
        port_.stackAbove(modal, "");
        if (list->second.empty()) {
            mModalWindows.erase(list);
            removeShieldWindow(parent);
        }
    }
    if (orderOut) {
        port_.closeWindow(modal);
    }
}

std::string FWindow::behindWindow(std::string_view modal) const {
    for (const auto& [window, list] : mModalWindows) {
        if (std::find(list.begin(), list.end(), modal) != list.end()) {
            return window;
        }
    }
    return {};
}

std::vector<std::string> FWindow::modalWindows(std::string_view window) const {
    for (const auto& [owner, list] : mModalWindows) {
        if (owner == window) {
            return list;
        }
    }
    return {};
}

std::vector<FWindow::ModalList>::iterator FWindow::listOf(std::string_view window) {
    return std::find_if(mModalWindows.begin(), mModalWindows.end(),
                        [window](const ModalList& list) { return list.first == window; });
}
