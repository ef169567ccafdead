#include "expon_list.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace hk::ui {

ExponList::ExponList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A choice is a change of the selection; the current row alone is not.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (chosenRow() >= 0) {
            emit typeChosen();
        }
    });
}

int ExponList::chosenRow() const {
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.front());
}

void ExponList::focusInEvent(QFocusEvent* event) {
    const bool hadCurrent = currentIndex().isValid();
    QListWidget::focusInEvent(event);
    if (!hadCurrent && !selectionModel()->hasSelection()) {
        // Undo the current row the view set by itself: the keyboard then
        // starts from the first row like a list with nothing chosen.
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void ExponList::mousePressEvent(QMouseEvent* event) {
    const int before = chosenRow();
    QListWidget::mousePressEvent(event);
    // Clicking the row already chosen chooses it again, e.g. for the next
    // radiator, whose type boxes the next command has emptied.
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (before >= 0 && hit.isValid() && hit.row() == before && chosenRow() == before) {
        emit typeChosen();
    }
}

} // namespace hk::ui
