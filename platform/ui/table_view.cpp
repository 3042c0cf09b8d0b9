#include "ui/table_view.h"

#include <QAbstractTableModel>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "ui/row_drag.h"

namespace ui {
namespace {

constexpr int kRowEnabledRole = Qt::UserRole + 1;
constexpr qreal kDropLineWidth = 2.0;
constexpr int kRowQuarters = 4;  // a drop in a row's lowest quarter goes below the row
constexpr int kRowPadding = 6;   // points above and below a row's text or picture together

}  // namespace

// The rows as the controller's source gives them; only the row count is kept, from one reload to
// the next, as the view needs it to stay the same between the model's resets.
class TableView::Model : public QAbstractTableModel {
  public:
    QStringList columns;
    QStringList titles;
    TableSource source;
    PictureLoader pictures;
    bool draggable = false;
    int rows = 0;

    void setColumns(QStringList identifiers, QStringList headers) {
        beginResetModel();
        columns = std::move(identifiers);
        titles = std::move(headers);
        endResetModel();
    }

    void reload() {
        beginResetModel();
        rows = source.rowCount ? std::max(source.rowCount(), 0) : 0;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows; }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const int row = index.row();
        // A row the controller no longer has (its rows changed, the reload is still to come)
        // shows empty rather than reading past the controller's rows.
        if (!index.isValid() || !source.cell || !source.rowCount || row >= source.rowCount()) {
            return {};
        }
        switch (role) {
            case Qt::DisplayRole:
                return QString::fromStdString(
                    source.cell(columns.at(index.column()).toStdString(), row).text);
            case Qt::DecorationRole: {
                const std::string picture =
                    source.cell(columns.at(index.column()).toStdString(), row).picture;
                return picture.empty() || !pictures ? QVariant() : QVariant(pictures(picture));
            }
            case kRowEnabledRole:
                return !source.rowEnabled || source.rowEnabled(row);
            default:
                return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < titles.size()) {
            return titles.at(section);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        return index.isValid() && draggable ? flags | Qt::ItemIsDragEnabled : flags;
    }

    void setTitle(int section, const QString& title) {
        titles[section] = title;
        emit headerDataChanged(Qt::Horizontal, section, section);
    }
};

// Draws a disabled row as disabled controls are drawn; the row stays selectable.
class TableView::RowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(kRowEnabledRole).toBool()) {
            option->state &= ~QStyle::State_Enabled;
        }
    }
};

TableView::TableView(QWidget* parent) : QTableView(parent), model_(new Model) {
    model_->setParent(this);
    setModel(model_);
    setItemDelegate(new RowDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!quiet_ && onSelectionChange_) {
            std::function<void()> handler = onSelectionChange_;  // it may replace itself
            handler();
        }
    });
}

TableView::~TableView() = default;

void TableView::setUpColumns(const std::function<QString(const QString&)>& translate) {
    const QStringList columns = property("columns").toStringList();
    const QStringList keys = property("columnTitles").toStringList();
    QStringList titles;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        titles.append(i < keys.size() ? translate(keys.at(i)) : QString());
    }
    model_->setColumns(columns, titles);
    // One line a row, with room for its picture.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height(), iconSize().height()) +
                                            kRowPadding);
    const QStringList widths = property("columnWidths").toStringList();
    for (qsizetype i = 0; i < widths.size() && i < model_->columns.size(); ++i) {
        setColumnWidth(static_cast<int>(i), widths.at(i).toInt());
    }
}

void TableView::setPictureLoader(PictureLoader loader) {
    model_->pictures = std::move(loader);
    viewport()->update();
}

void TableView::setSource(TableSource source) {
    model_->source = std::move(source);
    reload();
}

void TableView::reload() {
    const int selected = selectedRow();
    quiet_ = true;
    model_->reload();
    selectRowQuietly(selected);
    quiet_ = false;
}

void TableView::setColumnTitle(const QString& column, const QString& title) {
    const auto section = model_->columns.indexOf(column);
    if (section >= 0) {
        model_->setTitle(static_cast<int>(section), title);
    }
}

void TableView::selectRowQuietly(int row) {
    const bool wasQuiet = quiet_;
    quiet_ = true;
    if (row >= 0 && row < model_->rows) {
        selectionModel()->setCurrentIndex(
            model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selectionModel()->clearSelection();
    }
    quiet_ = wasQuiet;
}

int TableView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? kNoRow : rows.front().row();
}

void TableView::setSelectionChangeHandler(std::function<void()> handler) {
    onSelectionChange_ = std::move(handler);
}

void TableView::setRowReordering(const QString& dragType, RowMoveHandler handler) {
    const bool on = static_cast<bool>(handler);
    dragType_ = on ? dragType : QString();
    onRowMove_ = std::move(handler);
    model_->draggable = on;
    setDragEnabled(on);
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
    setDragDropMode(on ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
}

QString TableView::dragFormat() const {
    return QStringLiteral("application/x-") + dragType_;
}

QMimeData* TableView::makeRowDrag(int row) {
    auto* data = new QMimeData;
    data->setData(dragFormat(), QByteArray::fromStdString(rowDragData(row)));
    ownDrag_ = data;
    return data;
}

QItemSelectionModel::SelectionFlags TableView::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    // Without an empty selection, neither a click beside the rows nor a control-click on the
    // selected row takes the selection away.
    if (!emptySelectionAllowed_ &&
        (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect) ||
         (command.testFlag(QItemSelectionModel::Clear) &&
          !command.testFlag(QItemSelectionModel::Select)))) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

void TableView::startDrag(Qt::DropActions) {
    const int row = selectedRow();
    if (row == kNoRow || !onRowMove_) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(makeRowDrag(row));
    drag->exec(Qt::MoveAction);
}

std::optional<int> TableView::ownDraggedRow(const QDropEvent* event) const {
    const QMimeData* data = event->mimeData();
    // The very data this table put on its drag: no other table's or program's, whatever they
    // carry under the same type.
    if (!onRowMove_ || data == nullptr || data != ownDrag_ ||
        (event->source() != nullptr && event->source() != this)) {
        return std::nullopt;
    }
    return draggedRow(data->data(dragFormat()).toStdString(), model_->rows);
}

int TableView::insertionRowAt(QPoint position) const {
    const int row = rowAt(position.y());
    if (row < 0) {
        return dropInsertionRow(row, model_->rows);
    }
    // The lowest quarter of a row drops below it; anywhere else on the row drops above it.
    const int offset = position.y() - rowViewportPosition(row);
    const bool below = offset * kRowQuarters >= rowHeight(row) * (kRowQuarters - 1);
    return dropInsertionRow(below ? row + 1 : row, model_->rows);
}

void TableView::showDropLine(int insertionRow) {
    if (dropLine_ != insertionRow) {
        dropLine_ = insertionRow;
        viewport()->update();
    }
}

void TableView::dragEnterEvent(QDragEnterEvent* event) {
    if (!ownDraggedRow(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TableView::dragMoveEvent(QDragMoveEvent* event) {
    if (!ownDraggedRow(event)) {
        showDropLine(kNoRow);
        event->ignore();
        return;
    }
    showDropLine(insertionRowAt(event->position().toPoint()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TableView::dragLeaveEvent(QDragLeaveEvent*) {
    showDropLine(kNoRow);
}

void TableView::dropEvent(QDropEvent* event) {
    showDropLine(kNoRow);
    const std::optional<int> row = ownDraggedRow(event);
    if (!row) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    RowMoveHandler handler = onRowMove_;  // the handler may replace itself
    handler(*row, insertionRowAt(event->position().toPoint()));
}

void TableView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (dropLine_ == kNoRow) {
        return;
    }
    const int y = dropLine_ < model_->rows
                      ? rowViewportPosition(dropLine_)
                      : (model_->rows == 0
                             ? 0
                             : rowViewportPosition(model_->rows - 1) + rowHeight(model_->rows - 1));
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), kDropLineWidth));
    painter.drawLine(0, y, viewport()->width(), y);
}

}  // namespace ui
