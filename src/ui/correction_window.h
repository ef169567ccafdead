#pragma once
// The window "Heizkörper korrigieren": the calculated entries of the project
// in a table whose inputs can be edited in place. The logic is the core's
// RadiatorCorrection; the model turns its answers into table cells and its
// refusals into message boxes. Ctrl+Z undoes the last correction.

// moc reads no further than ASCII names; the core's control names are German.
#ifndef Q_MOC_RUN
#include "calc/correction.h"
#endif
#include "ui/screen_kit.h"
#include "ui/services.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QStyledItemDelegate>

#include <vector>

class QAction;
class QDialogButtonBox;
class QTableView;

namespace hk::ui {

// One row an entry that holds a calculation: the number, the seven inputs
// and the three results.
class CorrectionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        LfNr,
        dVorl,
        dRueckl,
        RaumNr,
        RaumVer,
        dRaum,
        QRaum,
        HkTyp,
        dMittel,
        Faktor,
        QHKNeu,
        ColumnCount
    };

    // Refusals are shown in a message box over boxParent.
    CorrectionModel(RadiatorCorrection& correction, MessageBoxes& messages, QWidget* boxParent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Corrects the entry; false (and nothing changed) when refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Undoes the last correction; the table shows the entry as it was.
    void undo();
    // The entry number of a row.
    int entryOf(int row) const { return entries_.at(static_cast<std::size_t>(row)); }

private:
    RadiatorCorrection& correction_;
    MessageBoxes& messages_;
    QWidget* boxParent_;
    std::vector<int> entries_; // fixed while the window is open
};

// The editors: a drop-down of the catalogue for the type, elsewhere a line
// edit that takes what the calculation screen's box takes.
class CorrectionDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

// The controls of frmKorrigieren.
enum class CorrectionControl { grdKorrektur, cmdRueckgaengig, cmdSchliessen };

class frmKorrigieren : public QDialog, public ControlMap<CorrectionControl> {
    Q_OBJECT
public:
    // Window-modal over the calculation screen; deletes itself when closed.
    frmKorrigieren(ProgramState& state, CalcScreen& screen, ListingSink& listing,
                   MessageBoxes& messages, QWidget* parent);
    // The table and its model go before the correction they show.
    ~frmKorrigieren() override;

    CorrectionModel* model() const { return model_; }

private:
    void buildTable();
    QDialogButtonBox* buildButtons();
    void connectHandlers();

    RadiatorCorrection correction_;
    CorrectionModel* model_;
    QTableView* table_;
    QAction* undoAction_;
};

} // namespace hk::ui
