// The Qt port's radio matrices: a view whose radio buttons (its direct children) are the cells,
// at their row and column in the view's grid layout, or in one row (one column) of a horizontal
// (vertical) box layout; without a layout the cells stand in one row in the order made.
#include <QBoxLayout>
#include <QGridLayout>
#include <QRadioButton>
#include <optional>

#include "ui/qt_port.h"
#include "ui/qt_port_internal.h"

namespace ui {
namespace {

// The cell of `button` in `layout` or in a layout nested in it.
std::optional<Cell> cellIn(QLayout* layout, QWidget* button) {
    if (layout == nullptr) {
        return std::nullopt;
    }
    const int index = layout->indexOf(button);
    if (index >= 0) {
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            return Cell{row, column};
        }
        const auto* box = qobject_cast<QBoxLayout*>(layout);
        const bool vertical = box != nullptr && (box->direction() == QBoxLayout::TopToBottom ||
                                                 box->direction() == QBoxLayout::BottomToTop);
        // Spacers and other items count in a box layout's positions; only buttons are cells.
        int position = 0;
        for (int i = 0; i < index; ++i) {
            position += qobject_cast<QRadioButton*>(layout->itemAt(i)->widget()) != nullptr;
        }
        return vertical ? Cell{position, 0} : Cell{0, position};
    }
    for (int i = 0; i < layout->count(); ++i) {
        if (const auto cell = cellIn(layout->itemAt(i)->layout(), button)) {
            return cell;
        }
    }
    return std::nullopt;
}

struct MatrixCell {
    Cell cell;
    QRadioButton* button;
};

std::vector<MatrixCell> cellsOf(QWidget* matrix) {
    std::vector<MatrixCell> cells;
    if (matrix == nullptr) {
        return cells;
    }
    const auto buttons = matrix->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const std::optional<Cell> placed = cellIn(matrix->layout(), buttons[i]);
        cells.push_back({placed.value_or(Cell{0, static_cast<int>(i)}), buttons[i]});
    }
    return cells;
}

QRadioButton* cellButton(QWidget* matrix, Cell cell) {
    for (const MatrixCell& each : cellsOf(matrix)) {
        if (each.cell == cell) {
            return each.button;
        }
    }
    return nullptr;
}

}  // namespace

void QtPort::selectCell(std::string_view window, std::string_view control, Cell cell) {
    if (QRadioButton* button = cellButton(require(window, control), cell)) {
        const QSignalBlocker quiet(button);
        button->setChecked(true);
    }
}

std::optional<Cell> QtPort::selectedCell(std::string_view window, std::string_view control) const {
    for (const MatrixCell& each : cellsOf(require(window, control))) {
        if (each.button->isChecked()) {
            return each.cell;
        }
    }
    return std::nullopt;
}

void QtPort::setCellEnabled(std::string_view window, std::string_view control, Cell cell,
                            bool enabled) {
    if (QRadioButton* button = cellButton(require(window, control), cell)) {
        button->setEnabled(enabled);
    }
}

bool QtPort::isCellEnabled(std::string_view window, std::string_view control, Cell cell) const {
    // The cell's own state, whatever the matrix's.
    const QRadioButton* button = cellButton(require(window, control), cell);
    return button != nullptr && button->isEnabledTo(button->parentWidget());
}

}  // namespace ui
