// The Qt port's tab views. A page's identifier is its "identifier" property in the layout, else
// its object name. A removed page stays with its tab view, hidden, until addTab brings it back.
#include <QTabWidget>
#include <algorithm>

#include "ui/qt_port.h"
#include "ui/qt_port_internal.h"

namespace ui {
namespace {

const char* const kIdentifierProperty = "identifier";

QString identifierOf(const QWidget* page) {
    const QVariant identifier = page->property(kIdentifierProperty);
    return identifier.isValid() ? identifier.toString() : page->objectName();
}

int tabIndex(const QTabWidget* tabs, std::string_view identifier) {
    const QString wanted = qText(identifier);
    for (int i = 0; i < tabs->count(); ++i) {
        if (identifierOf(tabs->widget(i)) == wanted) {
            return i;
        }
    }
    return -1;
}

}  // namespace

QTabWidget* QtPort::tabView(std::string_view window, std::string_view control) const {
    return qobject_cast<QTabWidget*>(require(window, control));
}

void QtPort::addTab(std::string_view window, std::string_view control, std::string_view identifier,
                    std::string_view label) {
    QTabWidget* tabs = tabView(window, control);
    if (tabs == nullptr || tabIndex(tabs, identifier) >= 0) {
        return;
    }
    std::erase_if(removedTabs_,
                  [](const auto& removed) { return !removed.first || !removed.second; });
    QWidget* page = nullptr;
    const auto removed =
        std::find_if(removedTabs_.begin(), removedTabs_.end(), [&](const auto& each) {
            return each.first == tabs && identifierOf(each.second) == qText(identifier);
        });
    if (removed != removedTabs_.end()) {
        page = removed->second;
        removedTabs_.erase(removed);
    } else {
        page = new QWidget;
        page->setObjectName(qText(identifier));
        page->setProperty(kIdentifierProperty, qText(identifier));
    }
    const QSignalBlocker quiet(tabs);
    tabs->addTab(page, qText(label));
}

void QtPort::removeTab(std::string_view window, std::string_view control,
                       std::string_view identifier) {
    QTabWidget* tabs = tabView(window, control);
    const int index = tabs == nullptr ? -1 : tabIndex(tabs, identifier);
    if (index < 0) {
        return;
    }
    removedTabs_.emplace_back(tabs, tabs->widget(index));
    const QSignalBlocker quiet(tabs);
    tabs->removeTab(index);
}

bool QtPort::selectTab(std::string_view window, std::string_view control,
                       std::string_view identifier) {
    QTabWidget* tabs = tabView(window, control);
    const int index = tabs == nullptr ? -1 : tabIndex(tabs, identifier);
    if (index < 0) {
        return false;
    }
    const QSignalBlocker quiet(tabs);
    tabs->setCurrentIndex(index);
    return true;
}

std::string QtPort::selectedTab(std::string_view window, std::string_view control) const {
    const QTabWidget* tabs = tabView(window, control);
    const QWidget* page = tabs == nullptr ? nullptr : tabs->currentWidget();
    return page == nullptr ? std::string() : stdText(identifierOf(page));
}

void QtPort::setTabLabel(std::string_view window, std::string_view control,
                         std::string_view identifier, std::string_view label) {
    QTabWidget* tabs = tabView(window, control);
    const int index = tabs == nullptr ? -1 : tabIndex(tabs, identifier);
    if (index >= 0) {
        tabs->setTabText(index, qText(label));
    }
}

}  // namespace ui
