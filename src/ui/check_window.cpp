#include "check_window.h"

#include "project/check_file.h"
#include "project/data_files.h"
#include "project/table_export.h"
#include "ui/check_chart.h"
#include "ui/check_report.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"
#include "ui/radiator_dialog.h"
#include "ui/report/page_frame.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QDateTime>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>
#include <utility>

namespace hk::ui {
namespace {

CheckColumn ColumnOf(int c) { return static_cast<CheckColumn>(c); }

} // namespace

// ------------------------------------------------------------ the model

void CheckTableModel::setForm(CheckForm* form) {
    beginResetModel();
    form_ = form;
    endResetModel();
}

void CheckTableModel::refresh() {
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kCheckColumnCount - 1));
    }
    emit rowsChanged();
}

int CheckTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !form_ ? 0 : static_cast<int>(form_->rowCount());
}

int CheckTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCheckColumnCount;
}

QVariant CheckTableModel::data(const QModelIndex& index, int role) const {
    if (!form_ || !index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const CheckColumn column = ColumnOf(index.column());
    const CheckRow& r = form_->result().rows.at(row);
    switch (role) {
    case Qt::DisplayRole:
        return CheckCellText(*form_, row, column);
    case Qt::EditRole:
        // A typed or chosen output is there to be kept or changed; an empty
        // editor stands for the sized output.
        return column == CheckColumn::Installed && r.installed.kind != InstalledKind::Designed
                   ? Q(form_->cell(row, column))
                   : QString();
    case Qt::ForegroundRole:
        if (column == CheckColumn::Coverage && r.coverage) {
            return r.covered ? kCheckCovered : kCheckUnderSupplied;
        }
        return {};
    case Qt::FontRole:
        if (column == CheckColumn::Installed && r.installed.kind != InstalledKind::Typed) {
            QFont italic;
            italic.setItalic(true); // not typed: the sized or the chosen radiator's output
            return italic;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column == CheckColumn::RaumNr || column == CheckColumn::RaumVer ||
            column == CheckColumn::Radiator || column == CheckColumn::Proposal) {
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (column == CheckColumn::Installed) {
            return QStringLiteral("Vorhandene Normleistung eingeben (1 bis 99999 W); leer: die "
                                  "berechnete Normleistung; F4: Heizkörper aus dem Katalog");
        }
        return {};
    default:
        return {};
    }
}

QVariant CheckTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kCheckColumnCount) {
        return {};
    }
    return Q(CheckColumnCaptions()[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags CheckTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && ColumnOf(index.column()) == CheckColumn::Installed) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool CheckTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!form_ || role != Qt::EditRole || !index.isValid() ||
        ColumnOf(index.column()) != CheckColumn::Installed) {
        return false;
    }
    if (value.toString() == data(index, Qt::EditRole).toString()) {
        return true; // an editor left as it opened changes nothing, a catalogue choice stays
    }
    if (const auto set = form_->setInstalled(static_cast<std::size_t>(index.row()),
                                             value.toString().toStdString());
        !set) {
        emit refused(Q(set.problem().message));
        return false;
    }
    refresh();
    emit checkChanged();
    return true;
}

// ------------------------------------------------------------ the window

frmCheck::frmCheck(ProgramState& state, MessageBoxes& messages, FileDialogs& dialogs)
    : QWidget(nullptr, Qt::Window), state_(state), messages_(messages), dialogs_(dialogs),
      model_(new CheckTableModel(this)) {
    setObjectName(QStringLiteral("frmCheck"));
    setWindowTitle(QStringLiteral("Wärmepumpen-Check"));
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), 9));
    resize(1040, 860);

    auto* targets = new QHBoxLayout;
    buildTargets(targets);

    cannotRun_ = new QLabel(this);
    cannotRun_->setObjectName(QStringLiteral("lblNichtMoeglich"));
    cannotRun_->setWordWrap(true);

    table_ = keep(CheckWindowControl::tblCheck, new QTableView(this));
    table_->setObjectName(QStringLiteral("tblCheck"));
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(static_cast<int>(CheckColumn::RaumVer),
                                                     QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);

    cellNote_ = new QLabel(this);
    cellNote_->setObjectName(QStringLiteral("lblZellHinweis"));
    cellNote_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblZusammenfassung"));
    summary_->setWordWrap(true);
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    auto* method = keep(CheckWindowControl::lblMethode, new QLabel(Q(kCheckMethodLine), this));
    method->setObjectName(QStringLiteral("lblMethode"));
    method->setWordWrap(true);
    saved_ = keep(CheckWindowControl::lblGespeichert, new QLabel(this));
    saved_->setObjectName(QStringLiteral("lblGespeichert"));

    chart_ = keep(CheckWindowControl::chtCheck, new QChartView(this));
    chart_->setObjectName(QStringLiteral("chtCheck"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(320);

    auto* buttons = new QHBoxLayout;
    buildButtons(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(targets);
    layout->addWidget(cannotRun_);
    layout->addWidget(table_, 3);
    layout->addWidget(method);
    layout->addWidget(cellNote_);
    layout->addWidget(summary_);
    layout->addWidget(chart_, 2);
    layout->addLayout(buttons);

    connectHandlers();
}

// The target pair with its note, and the reference right of it.
void frmCheck::buildTargets(QHBoxLayout* targets) {
    const std::tuple<CheckWindowControl, const char*, const char*, int, int> spins[] = {
        {CheckWindowControl::spnZielVorlauf, "spnZielVorlauf", "Ziel-&Vorlauf °C", kCheckSupplyMin,
         kCheckSupplyMax},
        {CheckWindowControl::spnZielRuecklauf, "spnZielRuecklauf", "Ziel-&Rücklauf °C",
         kCheckReturnMin, kCheckReturnMax},
    };
    for (const auto& [id, name, caption, min, max] : spins) {
        auto* label = new QLabel(Q(caption), this);
        auto* spin = keep(id, new QSpinBox(this));
        spin->setObjectName(Q(name));
        spin->setRange(min, max);
        label->setBuddy(spin);
        targets->addWidget(label);
        targets->addWidget(spin);
    }
    supply_ = control<QSpinBox>(CheckWindowControl::spnZielVorlauf);
    return_ = control<QSpinBox>(CheckWindowControl::spnZielRuecklauf);
    targetNote_ = new QLabel(this);
    targetNote_->setObjectName(QStringLiteral("lblZielHinweis"));
    targetNote_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    targets->addWidget(targetNote_, 1);
    reference_ = new QLabel(this);
    reference_->setObjectName(QStringLiteral("lblNorm"));
    targets->addWidget(reference_);
}

// "Speichern", "Als PDF…", "Als CSV…" left, "Schließen" right.
void frmCheck::buildButtons(QHBoxLayout* buttons) {
    const std::tuple<CheckWindowControl, const char*, const char*> kinds[] = {
        {CheckWindowControl::cmdSpeichern, "cmdSpeichern", "&Speichern"},
        {CheckWindowControl::cmdPdf, "cmdPdf", "Als &PDF…"},
        {CheckWindowControl::cmdCsv, "cmdCsv", "Als &CSV…"},
        {CheckWindowControl::cmdSchliessen, "cmdSchliessen", "Schließen"},
    };
    for (const auto& [id, name, caption] : kinds) {
        if (id == CheckWindowControl::cmdSchliessen) {
            buttons->addWidget(saved_);
            buttons->addStretch(1);
        }
        auto* button = keep(id, new QPushButton(Q(caption), this));
        button->setObjectName(Q(name));
        buttons->addWidget(button);
    }
}

void frmCheck::connectHandlers() {
    connect(supply_, &QSpinBox::valueChanged, this, &frmCheck::targetsChanged);
    connect(return_, &QSpinBox::valueChanged, this, &frmCheck::targetsChanged);
    connect(model_, &CheckTableModel::refused, this, &frmCheck::refuse);
    connect(model_, &CheckTableModel::checkChanged, this, &frmCheck::cellTaken);
    connect(model_, &CheckTableModel::rowsChanged, this, &frmCheck::placeRowButtons);
    table_->installEventFilter(this); // F4 on a cell opens "Heizkörper wählen"
    const std::pair<CheckWindowControl, void (frmCheck::*)()> clicks[] = {
        {CheckWindowControl::cmdSpeichern, &frmCheck::save},
        {CheckWindowControl::cmdPdf, &frmCheck::exportPdf},
        {CheckWindowControl::cmdCsv, &frmCheck::exportCsv},
    };
    for (const auto& [id, handler] : clicks) {
        connect(control<QPushButton>(id), &QPushButton::clicked, this, handler);
    }
    connect(control<QPushButton>(CheckWindowControl::cmdSchliessen), &QPushButton::clicked, this,
            &QWidget::close);
}

void frmCheck::keyPressEvent(QKeyEvent* event) {
    // Escape closes, as "Schließen" does; an open cell editor takes it first.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmCheck::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4 && table_->currentIndex().isValid()) {
        chooseRadiator(table_->currentIndex().row());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmCheck::closeEvent(QCloseEvent* event) {
    if (form_ && form_->unsaved()) {
        const Choice choice = messages_.choose(this, UnsavedCheckQuestion());
        if (choice == Choice::Cancel ||
            (choice == Choice::Confirm && !form_->save(dialogs_, *this))) {
            event->ignore(); // the window stays with its values
            return;
        }
        if (choice == Choice::Other) {
            form_->discard();
        }
    }
    QWidget::closeEvent(event);
}

frmCheck::~frmCheck() { model_->setForm(nullptr); }

void frmCheck::open() {
    followProject(false); // what it had before it was closed is gone
    show();
    raise();
    activateWindow();
    // Told when the window opens, not at every change of the project.
    if (!catalogueMessage_.empty()) {
        showMessage({catalogueMessage_, std::string(kTitleCheck), MsgIcon::Exclamation});
    }
}

void frmCheck::followProject(bool sameProject) {
    model_->setForm(nullptr);
    LoadedCatalogue catalogue = LoadRadiatorCatalogue(SystemFileOps(), ProgramFolder());
    state_.Radiators = std::move(catalogue.radiators);
    auto form = std::make_unique<CheckForm>(state_);
    if (form_ && sameProject) {
        form->keepFrom(*form_);
    }
    form_ = std::move(form);
    {
        const QSignalBlocker a(supply_);
        const QSignalBlocker b(return_);
        supply_->setValue(form_->supply());
        return_->setValue(form_->ret());
    }
    targetNote_->clear();
    cellNote_->clear();
    saved_->clear();
    const bool run = form_->canRun();
    cannotRun_->setText(run ? QString() : Q(CheckForm::cannotRunText()));
    cannotRun_->setVisible(!run);
    reference_->setText(run ? Q(form_->referenceText()) : QString());
    for (const CheckWindowControl id :
         {CheckWindowControl::spnZielVorlauf, CheckWindowControl::spnZielRuecklauf,
          CheckWindowControl::cmdSpeichern, CheckWindowControl::cmdPdf,
          CheckWindowControl::cmdCsv}) {
        control(id)->setEnabled(run);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{table_, summary_, chart_}) {
        w->setVisible(run);
    }
    model_->setForm(form_.get());
    table_->resizeColumnsToContents();
    placeRowButtons();
    table_->resizeRowsToContents();
    showCheck();
    catalogueMessage_ = std::move(catalogue.message);
}

// A button in each row shows the installed radiator and opens the dialog.
void frmCheck::placeRowButtons() {
    const int column = static_cast<int>(CheckColumn::Radiator);
    int widest = 0;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const QModelIndex at = model_->index(row, column);
        auto* button = qobject_cast<QPushButton*>(table_->indexWidget(at));
        if (!button) {
            button = new QPushButton(table_);
            button->setObjectName(QStringLiteral("cmdHeizkoerper%1").arg(row + 1));
            button->setToolTip(QStringLiteral("Heizkörper aus dem Katalog wählen (F4)"));
            button->setStyleSheet(QStringLiteral("text-align: left; padding: 0 4px;"));
            button->setFont(table_->font());
            connect(button, &QPushButton::clicked, this, [this, row] { chooseRadiator(row); });
            table_->setIndexWidget(at, button);
        }
        button->setText(at.data().toString() + QStringLiteral(" …"));
        widest = std::max(widest, button->fontMetrics().horizontalAdvance(button->text()) + 16);
    }
    if (widest > table_->columnWidth(column)) {
        table_->setColumnWidth(column, widest);
    }
}

void frmCheck::chooseRadiator(int row) {
    if (!form_ || row < 0 || row >= model_->rowCount()) {
        return;
    }
    auto* dialog = new RadiatorDialog(*form_, static_cast<std::size_t>(row), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::accepted, this, [this, dialog, row] {
        if (const auto set =
                form_->setRadiator(static_cast<std::size_t>(row), dialog->name(), dialog->count());
            !set) {
            refuse(Q(set.problem().message));
            return;
        }
        model_->refresh();
        cellTaken();
    });
    dialog->show();
}

void frmCheck::refuse(const QString& note) {
    cellNote_->setText(note);
    showMessage({note.toStdString(), std::string(kTitleCheck), MsgIcon::Exclamation});
}

void frmCheck::showMessage(const Message& message) { messages_.show(this, message); }

void frmCheck::targetsChanged() {
    if (const auto set = form_->setTargets(supply_->value(), return_->value()); !set) {
        targetNote_->setText(Q(set.problem().message));
        return;
    }
    targetNote_->clear();
    model_->refresh();
    showCheck();
    emit checkDataChanged();
}

void frmCheck::cellTaken() {
    cellNote_->clear();
    saved_->clear();
    showCheck();
    emit checkDataChanged();
}

void frmCheck::showCheck() {
    QStringList lines;
    for (const std::string& line : form_->summary()) {
        lines << Q(line);
    }
    summary_->setText(lines.join(QLatin1Char('\n')));
    redrawChart();
}

void frmCheck::redrawChart() {
    QChart* old = chart_->chart();
    chart_->setChart(BuildCheckChart(*form_));
    delete old;
}

void frmCheck::save() {
    if (form_->save(dialogs_, *this)) {
        saved_->setText(Q(form_->savedNote()));
    }
}

void frmCheck::exportCsv() { form_->exportCsv(dialogs_, *this); }

void frmCheck::exportPdf() {
    ExportFile(dialogs_, *this, form_->proposedName("pdf"), PdfFilter(), [this] {
        return PdfBytes(WriteCheckReportPdf(state_, *form_, QDateTime::currentDateTime()));
    });
}

} // namespace hk::ui
