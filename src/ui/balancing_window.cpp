#include "balancing_window.h"

#include "project/check_form.h"
#include "project/data_files.h"
#include "project/table_export.h"
#include "ui/balancing_report.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/report/page_frame.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <tuple>
#include <utility>

namespace hk::ui {
namespace {

constexpr qsizetype kMaxCellChars = 200;
const QColor kSupplyColour{200, 0, 0};
const QColor kReturnColour{0, 70, 200};

BalancingColumn ColumnOf(int c) { return static_cast<BalancingColumn>(c); }

bool IsTextColumn(BalancingColumn c) {
    return c == BalancingColumn::RaumNr || c == BalancingColumn::RaumVer ||
           c == BalancingColumn::Installed || c == BalancingColumn::Valve ||
           c == BalancingColumn::Note;
}

} // namespace

// ------------------------------------------------------------ the model

void BalancingTableModel::setForm(BalancingForm* form) {
    beginResetModel();
    form_ = form;
    endResetModel();
}

void BalancingTableModel::refresh() {
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kBalancingColumnCount - 1));
    }
}

int BalancingTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !form_ ? 0 : static_cast<int>(form_->rowCount());
}

int BalancingTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kBalancingColumnCount;
}

QVariant BalancingTableModel::data(const QModelIndex& index, int role) const {
    if (!form_ || !index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const BalancingColumn column = ColumnOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return CutText(Q(form_->cell(row, column)), kMaxCellChars);
    case Qt::EditRole:
        return column == BalancingColumn::Valve ? Q(form_->rowValve(row)) : QVariant();
    case Qt::ForegroundRole:
        if (column == BalancingColumn::Note && !form_->result().rows.at(row).notes.empty()) {
            return kSupplyColour;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((IsTextColumn(column) ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (column == BalancingColumn::Valve) {
            return QStringLiteral("Ventil dieses Heizkörpers wählen (Doppelklick oder F2)");
        }
        return {};
    default:
        return {};
    }
}

QVariant BalancingTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kBalancingColumnCount) {
        return {};
    }
    return Q(BalancingColumnCaptions()[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags BalancingTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && ColumnOf(index.column()) == BalancingColumn::Valve) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool BalancingTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!form_ || role != Qt::EditRole || !index.isValid() ||
        ColumnOf(index.column()) != BalancingColumn::Valve) {
        return false;
    }
    if (!form_->setRowValve(static_cast<std::size_t>(index.row()),
                            value.toString().toStdString())) {
        return false; // only the table's valves are offered
    }
    refresh();
    emit balancingChanged();
    return true;
}

QWidget* ValveDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                     const QModelIndex&) const {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cboZeilenVentil"));
    if (form_) {
        for (const Valve& v : form_->valves()) {
            box->addItem(Q(v.name));
        }
    }
    return box;
}

void ValveDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* box = static_cast<QComboBox*>(editor);
    box->setCurrentText(index.data(Qt::EditRole).toString());
}

void ValveDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
    model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
}

// ------------------------------------------------------------ the chart

QChart* BuildHeatingCurveChart(const BalancingForm& form) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Heizkurve"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* supply = new QLineSeries;
    supply->setName(QStringLiteral("Vorlauf"));
    supply->setPen(QPen(kSupplyColour, 2));
    auto* ret = new QLineSeries;
    ret->setName(QStringLiteral("Rücklauf"));
    ret->setPen(QPen(kReturnColour, 2));
    for (const CurvePoint& p : form.result().curve) {
        supply->append(p.outdoor, p.supply);
        ret->append(p.outdoor, p.ret);
    }
    chart->addSeries(supply);
    chart->addSeries(ret);
    auto* outdoor = new QValueAxis;
    outdoor->setTitleText(QStringLiteral("Außentemperatur °C"));
    outdoor->setLabelFormat(QStringLiteral("%d"));
    outdoor->setRange(form.input(BalancingBox::Outdoor), 15);
    outdoor->setTickType(QValueAxis::TicksDynamic);
    outdoor->setTickAnchor(0);
    outdoor->setTickInterval(5);
    chart->addAxis(outdoor, Qt::AlignBottom);
    auto* degrees = new QValueAxis;
    degrees->setTitleText(QStringLiteral("°C"));
    degrees->setLabelFormat(QStringLiteral("%d"));
    degrees->setRange(15, form.input(BalancingBox::Supply) + 5);
    chart->addAxis(degrees, Qt::AlignLeft);
    for (QLineSeries* s : {supply, ret}) {
        s->attachAxis(outdoor);
        s->attachAxis(degrees);
    }
    return chart;
}

// ------------------------------------------------------------ the window

frmAbgleich::frmAbgleich(ProgramState& state, MessageBoxes& messages, FileDialogs& dialogs)
    : QWidget(nullptr, Qt::Window), state_(state), messages_(messages), dialogs_(dialogs),
      model_(new BalancingTableModel(this)), valveDelegate_(new ValveDelegate(this)) {
    setObjectName(QStringLiteral("frmAbgleich"));
    setWindowTitle(QStringLiteral("Hydraulischer Abgleich"));
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), 9));
    resize(1180, 900);

    auto* inputs = new QHBoxLayout;
    buildInputs(inputs);

    cannotRun_ = new QLabel(this);
    cannotRun_->setObjectName(QStringLiteral("lblNichtMoeglich"));
    cannotRun_->setWordWrap(true);
    valveNote_ = new QLabel(this);
    valveNote_->setObjectName(QStringLiteral("lblVentilHinweis"));
    valveNote_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));

    table_ = keep(BalancingWindowControl::tblAbgleich, new QTableView(this));
    table_->setObjectName(QStringLiteral("tblAbgleich"));
    table_->setModel(model_);
    table_->setItemDelegateForColumn(static_cast<int>(BalancingColumn::Valve), valveDelegate_);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(static_cast<int>(BalancingColumn::RaumVer),
                                                     QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblSummen"));
    summary_->setWordWrap(true);
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);

    curve_ = keep(BalancingWindowControl::tblHeizkurve, new QTableWidget(this));
    curve_->setObjectName(QStringLiteral("tblHeizkurve"));
    curve_->setColumnCount(3);
    curve_->setHorizontalHeaderLabels(
        {QStringLiteral("Außen °C"), QStringLiteral("Vorlauf °C"), QStringLiteral("Rücklauf °C")});
    curve_->verticalHeader()->hide();
    curve_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    curve_->setMinimumWidth(260);
    slope_ = new QLabel(this);
    slope_->setObjectName(QStringLiteral("lblSteilheit"));
    slope_->setWordWrap(true);
    chart_ = keep(BalancingWindowControl::chtHeizkurve, new QChartView(this));
    chart_->setObjectName(QStringLiteral("chtHeizkurve"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(280);
    auto* curveColumn = new QVBoxLayout;
    curveColumn->addWidget(curve_, 1);
    curveColumn->addWidget(slope_);
    auto* curveRow = new QHBoxLayout;
    curveRow->addLayout(curveColumn);
    curveRow->addWidget(chart_, 1);

    method_ = new QLabel(Q(BalancingForm::methodText()), this);
    method_->setObjectName(QStringLiteral("lblMethode"));
    method_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buildButtons(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(cannotRun_);
    layout->addWidget(valveNote_);
    layout->addWidget(table_, 3);
    layout->addWidget(summary_);
    layout->addLayout(curveRow, 2);
    layout->addWidget(method_);
    layout->addLayout(buttons);

    connectHandlers();
}

// The five numbers, the valve of all rows, the note and the reference.
void frmAbgleich::buildInputs(QHBoxLayout* inputs) {
    const std::tuple<BalancingWindowControl, BalancingBox, const char*, const char*> spins[] = {
        {BalancingWindowControl::spnVorlauf, BalancingBox::Supply, "spnVorlauf", "&Vorlauf °C"},
        {BalancingWindowControl::spnSpreizung, BalancingBox::Spread, "spnSpreizung",
         "Sp&reizung K"},
        {BalancingWindowControl::spnDifferenzdruck, BalancingBox::Dp, "spnDifferenzdruck",
         "&Differenzdruck am Ventil mbar"},
        {BalancingWindowControl::spnAussentemperatur, BalancingBox::Outdoor, "spnAussentemperatur",
         "Norm-&Außentemperatur °C"},
        {BalancingWindowControl::spnLaenge, BalancingBox::Length, "spnLaenge",
         "&Längster Heizkreis m"},
    };
    for (const auto& [id, box, name, caption] : spins) {
        auto* label = new QLabel(Q(caption), this);
        auto* spin = keep(id, new QSpinBox(this));
        spin->setObjectName(Q(name));
        // Wider than the form's ranges: a value beyond gets the form's note.
        spin->setRange(-99, 999);
        spin->setToolTip(Q(BalancingForm::inputCaption(box)));
        label->setBuddy(spin);
        inputs->addWidget(label);
        inputs->addWidget(spin);
        boxes_[box] = spin;
    }
    auto* label = new QLabel(QStringLiteral("Ve&ntil"), this);
    valve_ = keep(BalancingWindowControl::cboVentil, new QComboBox(this));
    valve_->setObjectName(QStringLiteral("cboVentil"));
    valve_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(valve_);
    inputs->addWidget(label);
    inputs->addWidget(valve_);
    inputNote_ = new QLabel(this);
    inputNote_->setObjectName(QStringLiteral("lblEingabeHinweis"));
    inputNote_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    inputNote_->setWordWrap(true);
    inputs->addWidget(inputNote_, 1);
    reference_ = new QLabel(this);
    reference_->setObjectName(QStringLiteral("lblNorm"));
    inputs->addWidget(reference_);
}

// "Speichern", "Als PDF…", "Als CSV…" left, "Schließen" right.
void frmAbgleich::buildButtons(QHBoxLayout* buttons) {
    const std::tuple<BalancingWindowControl, const char*, const char*> kinds[] = {
        {BalancingWindowControl::cmdSpeichern, "cmdSpeichern", "&Speichern"},
        {BalancingWindowControl::cmdPdf, "cmdPdf", "Als &PDF…"},
        {BalancingWindowControl::cmdCsv, "cmdCsv", "Als &CSV…"},
        {BalancingWindowControl::cmdSchliessen, "cmdSchliessen", "Schließen"},
    };
    for (const auto& [id, name, caption] : kinds) {
        if (id == BalancingWindowControl::cmdSchliessen) {
            saved_ = keep(BalancingWindowControl::lblGespeichert, new QLabel(this));
            saved_->setObjectName(QStringLiteral("lblGespeichert"));
            buttons->addWidget(saved_);
            buttons->addStretch(1);
        }
        auto* button = keep(id, new QPushButton(Q(caption), this));
        button->setObjectName(Q(name));
        buttons->addWidget(button);
    }
}

void frmAbgleich::connectHandlers() {
    for (const auto& [box, spin] : boxes_) {
        connect(spin, &QSpinBox::valueChanged, this, [this, b = box] { inputChanged(b); });
    }
    connect(valve_, &QComboBox::currentTextChanged, this, &frmAbgleich::valveChosen);
    connect(model_, &BalancingTableModel::balancingChanged, this, &frmAbgleich::showBalancing);
    const std::pair<BalancingWindowControl, void (frmAbgleich::*)()> clicks[] = {
        {BalancingWindowControl::cmdSpeichern, &frmAbgleich::save},
        {BalancingWindowControl::cmdPdf, &frmAbgleich::exportPdf},
        {BalancingWindowControl::cmdCsv, &frmAbgleich::exportCsv},
    };
    for (const auto& [id, handler] : clicks) {
        connect(control<QPushButton>(id), &QPushButton::clicked, this, handler);
    }
    connect(control<QPushButton>(BalancingWindowControl::cmdSchliessen), &QPushButton::clicked,
            this, &QWidget::close);
}

void frmAbgleich::keyPressEvent(QKeyEvent* event) {
    // Escape closes, as "Schließen" does; an open cell editor takes it first.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmAbgleich::closeEvent(QCloseEvent* event) {
    if (form_ && form_->unsaved()) {
        const Choice choice = messages_.choose(this, UnsavedBalancingQuestion());
        if (choice == Choice::Cancel ||
            (choice == Choice::Confirm && !form_->save(dialogs_, *this))) {
            event->ignore(); // the window stays with its inputs
            return;
        }
        if (choice == Choice::Other) {
            form_->discard(); // the inputs before this window's changes again
        }
    }
    QWidget::closeEvent(event);
}

frmAbgleich::~frmAbgleich() { model_->setForm(nullptr); }

void frmAbgleich::open() {
    followProject(false); // what it had before it was closed is gone
    show();
    raise();
    activateWindow();
    // Told when the window opens, not at every change of the project.
    if (!valveMessage_.empty()) {
        showMessage({valveMessage_, std::string(kTitleBalancing), MsgIcon::Exclamation});
    }
}

void frmAbgleich::followProject(bool sameProject) {
    model_->setForm(nullptr);
    valveDelegate_->setForm(nullptr);
    LoadedValves loaded = LoadValveTable(SystemFileOps(), ProgramFolder());
    auto form = std::make_unique<BalancingForm>(state_, std::move(loaded.valves));
    if (form_ && sameProject) {
        form->keepFrom(*form_);
    }
    form_ = std::move(form);
    {
        std::vector<std::unique_ptr<QSignalBlocker>> blockers;
        for (const auto& [box, spin] : boxes_) {
            blockers.push_back(std::make_unique<QSignalBlocker>(spin));
            spin->setValue(form_->input(box));
        }
        blockers.push_back(std::make_unique<QSignalBlocker>(valve_));
        valve_->clear();
        for (const Valve& v : form_->valves()) {
            valve_->addItem(Q(v.name));
        }
        valve_->setCurrentText(Q(form_->valve()));
    }
    inputNote_->clear();
    valveNote_->setText(Q(form_->valveNote()));
    valveNote_->setVisible(!form_->valveNote().empty());
    const bool run = form_->canRun();
    cannotRun_->setText(run ? QString() : Q(form_->cannotRunText()));
    cannotRun_->setVisible(!run);
    reference_->setText(run ? Q(form_->referenceText()) : QString());
    for (const BalancingWindowControl id :
         {BalancingWindowControl::spnVorlauf, BalancingWindowControl::spnSpreizung,
          BalancingWindowControl::spnDifferenzdruck, BalancingWindowControl::spnAussentemperatur,
          BalancingWindowControl::spnLaenge, BalancingWindowControl::cboVentil,
          BalancingWindowControl::cmdSpeichern, BalancingWindowControl::cmdPdf,
          BalancingWindowControl::cmdCsv}) {
        control(id)->setEnabled(run);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{table_, summary_, curve_, slope_, chart_, method_}) {
        w->setVisible(run);
    }
    model_->setForm(form_.get());
    valveDelegate_->setForm(form_.get());
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    showBalancing();
    valveMessage_ = std::move(loaded.message);
}

void frmAbgleich::showMessage(const Message& message) { messages_.show(this, message); }

void frmAbgleich::inputChanged(BalancingBox box) {
    if (const auto set = form_->setInput(box, boxes_.at(box)->value()); !set) {
        inputNote_->setText(Q(set.problem().message));
        return;
    }
    inputNote_->clear();
    model_->refresh();
    showBalancing();
}

void frmAbgleich::valveChosen() {
    if (valve_->currentText().isEmpty() || !form_->setValve(valve_->currentText().toStdString())) {
        return; // the list holds the table's valves only
    }
    model_->refresh();
    showBalancing();
}

void frmAbgleich::showBalancing() {
    saved_->clear(); // shown afresh: something changed since a save
    QStringList lines;
    for (const std::string& line : form_->summary()) {
        lines << Q(line);
    }
    summary_->setText(lines.join(QLatin1Char('\n')));
    const auto points = form_->curveTable();
    curve_->setRowCount(static_cast<int>(points.size()));
    for (std::size_t r = 0; r < points.size(); ++r) {
        for (std::size_t c = 0; c < points[r].size(); ++c) {
            auto* item = new QTableWidgetItem(Q(points[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            curve_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    curve_->resizeColumnsToContents();
    slope_->setText(Q(form_->slopeText()));
    QChart* old = chart_->chart();
    chart_->setChart(BuildHeatingCurveChart(*form_));
    delete old;
}

void frmAbgleich::save() {
    if (form_->save(dialogs_, *this)) {
        saved_->setText(Q(SavedCheckNote(state_)));
    }
}

void frmAbgleich::exportCsv() { form_->exportCsv(dialogs_, *this); }

void frmAbgleich::exportPdf() {
    ExportFile(dialogs_, *this, form_->proposedName("pdf"), PdfFilter(), [this] {
        return PdfBytes(WriteBalancingReportPdf(state_, *form_, QDateTime::currentDateTime()));
    });
}

} // namespace hk::ui
