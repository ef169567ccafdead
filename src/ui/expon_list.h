#pragma once
// The type list "Expon" of the calculation screen. It reports a choice only
// when the user makes one, by mouse or by keyboard: Qt's item views make the
// first row current when they receive the focus with no current row, which
// must not choose a radiator type (the calculation puts the focus here after
// its exponent message).

#include <QListWidget>

namespace hk::ui {

class ExponList : public QListWidget {
    Q_OBJECT
public:
    explicit ExponList(QWidget* parent);

    // The row the user chose, -1 before any choice.
    int chosenRow() const;

signals:
    void typeChosen();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace hk::ui
