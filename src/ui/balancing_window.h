#pragma once
// The window "Hydraulischer Abgleich" (frmAbgleich): the system inputs, the
// table of balanced radiators with a valve choice per row, the sums and the
// pump head, the heating curve as table and chart. Modeless and resizable;
// the shell keeps one at a time. Its logic is BalancingForm's; this class
// only shows what the form gives.

#include "common/message.h"
#include "project/balancing_form.h"
#include "project/check_file.h"
#include "ui/screen_kit.h"
#include "ui/services.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include <map>
#include <memory>

class QChart;
class QChartView;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QSpinBox;
class QTableView;
class QTableWidget;

namespace hk::ui {

// The table of the balancing as a Qt model; the valve column is editable.
class BalancingTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BalancingTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The form whose rows are shown; nullptr shows no rows.
    void setForm(BalancingForm* form);
    // All cells afresh (after any change of the balancing).
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A row's valve was taken: the whole balancing changed.
    void balancingChanged();

private:
    BalancingForm* form_ = nullptr;
};

// The valve cell's editor: the valves of the table in a list.
class ValveDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setForm(const BalancingForm* form) { form_ = form; }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    const BalancingForm* form_ = nullptr;
};

// The controls of frmAbgleich.
enum class BalancingWindowControl {
    spnVorlauf,
    spnSpreizung,
    spnDifferenzdruck,
    spnAussentemperatur,
    spnLaenge,
    cboVentil,
    tblAbgleich,
    tblHeizkurve,
    chtHeizkurve,
    cmdSpeichern,
    cmdPdf,
    cmdCsv,
    cmdSchliessen,
    lblGespeichert,
};

class frmAbgleich : public QWidget, public ControlMap<BalancingWindowControl>, public MessageSink {
    Q_OBJECT
public:
    frmAbgleich(ProgramState& state, MessageBoxes& messages, FileDialogs& dialogs);
    ~frmAbgleich() override;

    // Reads the valve table, takes the project in memory afresh and shows
    // the window.
    void open();
    // Takes the project in memory afresh where the window stands, without
    // taking the focus from the screen the user works on. sameProject: a
    // change of the project the window showed ("Verwerfen" still goes back
    // to what it had when it opened); else a new or loaded one.
    void followProject(bool sameProject = true);

    void showMessage(const Message& message) override;

    BalancingTableModel* model() const { return model_; }
    const BalancingForm* form() const { return form_.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildInputs(QHBoxLayout* inputs);
    void buildButtons(QHBoxLayout* buttons);
    void connectHandlers();
    void showBalancing();

    // The handlers; each passes what the user did on to the core.
    void inputChanged(BalancingBox box);
    void valveChosen();
    void save();
    void exportPdf();
    void exportCsv();

    ProgramState& state_;
    MessageBoxes& messages_;
    FileDialogs& dialogs_;
    std::unique_ptr<BalancingForm> form_;
    // What the valve table's reading found wrong, told when the window opens.
    std::string valveMessage_;
    BalancingTableModel* model_;
    ValveDelegate* valveDelegate_;
    std::map<BalancingBox, QSpinBox*> boxes_;
    QComboBox* valve_;
    QLabel* inputNote_;
    QLabel* reference_;
    QLabel* cannotRun_;
    QLabel* valveNote_;
    QTableView* table_;
    QLabel* summary_;
    QTableWidget* curve_;
    QLabel* slope_;
    QLabel* method_;
    QLabel* saved_; // where "Speichern" wrote
    QChartView* chart_;
};

// A new chart of the heating curve: supply and return over the outdoor
// temperature; the caller owns it.
QChart* BuildHeatingCurveChart(const BalancingForm& form);

} // namespace hk::ui
