#pragma once
// The window "Wärmepumpen-Check" (frmCheck): target temperatures, the table
// of checked radiators with the installed outputs the user types, the summary
// and the chart of the lowest supply temperatures. Modeless and resizable;
// the shell keeps one at a time. Its logic is CheckForm's; this class only
// shows what the form gives.

#include "common/message.h"
#include "project/check_form.h"
#include "ui/screen_kit.h"
#include "ui/services.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <memory>

class QChartView;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace hk::ui {

// The table of the check as a Qt model; the installed output is editable.
class CheckTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CheckTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The form whose rows are shown; nullptr shows no rows.
    void setForm(CheckForm* form);
    // All cells afresh (after any change of the check).
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // An installed output was taken: the whole check changed.
    void checkChanged();
    // A typed output was refused, with the German note why.
    void refused(const QString& note);
    // The rows' buttons of the installed radiator want new texts.
    void rowsChanged();

private:
    CheckForm* form_ = nullptr;
};

// The controls of frmCheck.
enum class CheckWindowControl {
    spnZielVorlauf,
    spnZielRuecklauf,
    tblCheck,
    chtCheck,
    lblMethode,
    lblGespeichert,
    cmdSpeichern,
    cmdPdf,
    cmdCsv,
    cmdSchliessen,
};

class frmCheck : public QWidget, public ControlMap<CheckWindowControl>, public MessageSink {
    Q_OBJECT
public:
    frmCheck(ProgramState& state, MessageBoxes& messages, FileDialogs& dialogs);
    ~frmCheck() override;

    // Takes the project in memory afresh and shows the window.
    void open();
    // Takes the project in memory afresh where the window stands, without
    // taking the focus from the screen the user works on. sameProject: a
    // change of the project the window showed ("Verwerfen" still goes back
    // to what it had when it opened); else a new or loaded one.
    void followProject(bool sameProject = true);

    void showMessage(const Message& message) override;

    CheckTableModel* model() const { return model_; }

    // Opens "Heizkörper wählen" for row, window-modal; its "Übernehmen"
    // takes the radiator.
    void chooseRadiator(int row);

signals:
    // The check's data changed here (a target, an installed radiator).
    void checkDataChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTargets(QHBoxLayout* targets);
    void buildButtons(QHBoxLayout* buttons);
    void connectHandlers();
    void showCheck();
    void redrawChart();
    void placeRowButtons();
    void refuse(const QString& note);

    // The handlers; each passes what the user did on to the core.
    void targetsChanged();
    void cellTaken();
    void save();
    void exportPdf();
    void exportCsv();

    ProgramState& state_;
    MessageBoxes& messages_;
    FileDialogs& dialogs_;
    std::unique_ptr<CheckForm> form_;
    // What the catalogue's reading found wrong, told when the window opens.
    std::string catalogueMessage_;
    CheckTableModel* model_;
    QSpinBox* supply_;
    QSpinBox* return_;
    QLabel* targetNote_;
    QLabel* reference_;
    QLabel* cannotRun_;
    QTableView* table_;
    QLabel* cellNote_;
    QLabel* summary_;
    QLabel* saved_;
    QChartView* chart_;
};

} // namespace hk::ui
