// The table a dialog layout places (as a promoted widget): columns named by identifiers, rows
// asked of the controller's source, at most one selected row, disabled rows drawn grey, and rows
// dragged to another place of the same table.
//
// The layout names the columns in dynamic properties of the widget: "columns", the identifiers
// in order; "columnTitles", the string-table keys of their headers; "columnWidths", the widths in
// points as decimal texts (the last column takes the rest).
#pragma once

#include <QPointer>
#include <QTableView>
#include <functional>
#include <optional>
#include <string>

#include "ui/control_types.h"

class QMimeData;

namespace ui {

class TableView : public QTableView {
  public:
    using PictureLoader = std::function<QIcon(const std::string& resource)>;

    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;

    /// Takes the columns from the layout's properties; `translate` turns a key into its text.
    void setUpColumns(const std::function<QString(const QString&)>& translate);
    void setPictureLoader(PictureLoader loader);
    void setSource(TableSource source);
    /// Takes the row count again and redraws, keeping the selected row when it still exists.
    void reload();
    void setColumnTitle(const QString& column, const QString& title);

    /// Selects `row` alone, or none (kNoRow or a row the table lacks), raising no change.
    void selectRowQuietly(int row);
    int selectedRow() const;
    void setEmptySelectionAllowed(bool allowed) { emptySelectionAllowed_ = allowed; }
    /// Told of every change of the selection that the user made.
    void setSelectionChangeHandler(std::function<void()> handler);

    /// Lets the user drag rows within the table under the private type `dragType`; an empty
    /// handler ends it.
    void setRowReordering(const QString& dragType, RowMoveHandler handler);
    /// The data of a drag of `row` that this table starts: the only data its drops take.
    QMimeData* makeRowDrag(int row);

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    class Model;
    class RowDelegate;

    QString dragFormat() const;
    /// The row a drop carries when it is this table's own drag, else none.
    std::optional<int> ownDraggedRow(const QDropEvent* event) const;
    /// The insertion point under `position` of the viewport.
    int insertionRowAt(QPoint position) const;
    void showDropLine(int insertionRow);

    Model* model_;
    bool emptySelectionAllowed_ = true;
    bool quiet_ = false;  // the program changes the selection
    std::function<void()> onSelectionChange_;
    QString dragType_;
    RowMoveHandler onRowMove_;
    QPointer<QMimeData> ownDrag_;
    int dropLine_ = kNoRow;  // the insertion point shown while a drag hovers
};

}  // namespace ui
