// The Qt port's tables (table_view.h).
#include "ui/qt_port.h"
#include "ui/qt_port_internal.h"
#include "ui/table_view.h"

namespace ui {

TableView* QtPort::table(std::string_view window, std::string_view control) const {
    return dynamic_cast<TableView*>(require(window, control));
}

void QtPort::setTableSource(std::string_view window, std::string_view control, TableSource source) {
    if (TableView* view = table(window, control)) {
        view->setSource(std::move(source));
    }
}

void QtPort::reloadTable(std::string_view window, std::string_view control) {
    if (TableView* view = table(window, control)) {
        view->reload();
    }
}

void QtPort::setColumnTitle(std::string_view window, std::string_view control,
                            std::string_view column, std::string_view title) {
    if (TableView* view = table(window, control)) {
        view->setColumnTitle(qText(column), qText(title));
    }
}

void QtPort::selectRow(std::string_view window, std::string_view control, int row) {
    if (TableView* view = table(window, control)) {
        view->selectRowQuietly(row);
    }
}

int QtPort::selectedRow(std::string_view window, std::string_view control) const {
    const TableView* view = table(window, control);
    return view == nullptr ? kNoRow : view->selectedRow();
}

void QtPort::setEmptySelectionAllowed(std::string_view window, std::string_view control,
                                      bool allowed) {
    if (TableView* view = table(window, control)) {
        view->setEmptySelectionAllowed(allowed);
    }
}

void QtPort::scrollToRow(std::string_view window, std::string_view control, int row) {
    TableView* view = table(window, control);
    if (view != nullptr && row >= 0 && row < view->model()->rowCount()) {
        view->scrollTo(view->model()->index(row, 0));
    }
}

void QtPort::onDoubleAction(std::string_view window, std::string_view control, Callback callback) {
    hooks(window, control).doubleAction = std::move(callback);
}

void QtPort::onSelectionChange(std::string_view window, std::string_view control,
                               Callback callback) {
    hooks(window, control).selectionChange = std::move(callback);
}

void QtPort::setRowReordering(std::string_view window, std::string_view control,
                              std::string_view dragType, RowMoveHandler handler) {
    if (TableView* view = table(window, control)) {
        view->setRowReordering(qText(dragType), std::move(handler));
    }
}

}  // namespace ui
