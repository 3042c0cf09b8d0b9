// Drops delivered to a table view as a drag would deliver them, for the Qt tests of row reordering.
#pragma once

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTableView>

namespace qttest {

/// Hovers `data` over `where` of the view's viewport and drops it there; answers whether the view
/// took the drop.
inline bool dropOnTable(QTableView* view, const QMimeData* data, QPoint where) {
    QDragEnterEvent enter(where, Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &enter);
    QDragMoveEvent move(where, Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &move);
    QDropEvent dropped(where, Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &dropped);
    return dropped.isAccepted();
}

/// A point of the viewport below the table's last row.
inline QPoint belowTheRows(const QTableView* view) {
    constexpr int kGap = 10;
    const int last = view->model()->rowCount() - 1;
    return {kGap, view->rowViewportPosition(last) + view->rowHeight(last) + kGap};
}

}  // namespace qttest
