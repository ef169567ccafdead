#include "correction_window.h"

#include "calc/calc_form.h"
#include "calc/catalogue.h"
#include "common/numbers.h"
#include "ui/screen_kit.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace hk::ui {
namespace {

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The captions of the calculation screen's labels above the same boxes.
const char* const kHeaders[CorrectionModel::ColumnCount] = {
    "LfNr",   "dVorlauf °C",       "dRückl °C",  "Raum Nr", "Raum Verwendung", "d Raum °C",
    "Q-Raum", "Heizflächen - Typ", "dMittel °C", "Faktor",  "Q-HK Neu",
};

bool IsInput(int column) {
    return column >= CorrectionModel::dVorl && column <= CorrectionModel::HkTyp;
}

CorrectionField FieldOf(int column) {
    return static_cast<CorrectionField>(column - CorrectionModel::dVorl);
}

} // namespace

CorrectionModel::CorrectionModel(RadiatorCorrection& correction, MessageBoxes& messages,
                                 QWidget* boxParent)
    : QAbstractTableModel(boxParent), correction_(correction), messages_(messages),
      boxParent_(boxParent), entries_(correction.Entries()) {}

int CorrectionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int CorrectionModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CorrectionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        // Numbers right-aligned so that their digits line up; the texts left.
        const bool text =
            index.column() == RaumNr || index.column() == RaumVer || index.column() == HkTyp;
        return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignLeft : Qt::AlignRight));
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    const int n = entryOf(index.row());
    const int column = index.column();
    if (column == LfNr) {
        return n;
    }
    if (IsInput(column)) {
        return Q(correction_.FieldText(n, FieldOf(column)));
    }
    const RadiatorEntry& e = correction_.Entry(n);
    const float result = column == dMittel ? e.dMittel : column == Faktor ? e.Faktor : e.QHKNeu;
    return Q(NumberText(result));
}

QVariant CorrectionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromUtf8(kHeaders[section]);
}

Qt::ItemFlags CorrectionModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags f = QAbstractTableModel::flags(index);
    return IsInput(index.column()) ? f | Qt::ItemIsEditable : f;
}

bool CorrectionModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !IsInput(index.column())) {
        return false;
    }
    const int n = entryOf(index.row());
    const CorrectionField field = FieldOf(index.column());
    const std::string text = value.toString().toStdString();
    if (text == correction_.FieldText(n, field)) {
        return true; // an editor closed without a change corrects nothing
    }
    if (const auto corrected = correction_.Correct(n, field, text); !corrected) {
        messages_.show(boxParent_, corrected.problem());
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

void CorrectionModel::undo() {
    if (!correction_.CanUndo()) {
        return;
    }
    correction_.Undo();
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

QWidget* CorrectionDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                          const QModelIndex& index) const {
    if (index.column() == CorrectionModel::HkTyp) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cboHkTyp"));
        for (const CatalogueEntry& entry : RadiatorCatalogue()) {
            combo->addItem(Q(std::string(entry.text)));
        }
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("txtKorrektur"));
    edit->setMaxLength(InputMaxLength(BoxOf(FieldOf(index.column()))));
    edit->setValidator(new Cp1252Validator(edit));
    return edit;
}

void CorrectionDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    }
}

void CorrectionDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, edit->text(), Qt::EditRole);
    }
}

frmKorrigieren::frmKorrigieren(ProgramState& state, CalcScreen& screen, ListingSink& listing,
                               MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), correction_(state, screen, listing) {
    setObjectName(QStringLiteral("frmKorrigieren"));
    setWindowTitle(QStringLiteral("Heizkörper korrigieren"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setFont(DefaultFont());

    model_ = new CorrectionModel(correction_, messages, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("grdKorrektur"));
    table_->setModel(model_);
    table_->setItemDelegate(new CorrectionDelegate(table_));
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->resizeColumnsToContents();
    // Room for every type of the catalogue with the drop-down's arrow.
    int typeWidth = table_->columnWidth(CorrectionModel::HkTyp);
    for (const CatalogueEntry& entry : RadiatorCatalogue()) {
        typeWidth = std::max(
            typeWidth, table_->fontMetrics().horizontalAdvance(Q(std::string(entry.text))) + 40);
    }
    table_->setColumnWidth(CorrectionModel::HkTyp, typeWidth);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* undo =
        buttons->addButton(QStringLiteral("&Rückgängig"), QDialogButtonBox::ActionRole);
    undo->setObjectName(QStringLiteral("cmdRueckgaengig"));
    undo->setToolTip(QStringLiteral("Nimmt die letzte Korrektur zurück (Strg+Z)"));
    undo->setAutoDefault(false);
    QPushButton* close =
        buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdSchliessen"));
    close->setAutoDefault(false); // Enter belongs to the table's editor
    connect(undo, &QPushButton::clicked, model_, &CorrectionModel::undo);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* undoAction = new QAction(this);
    undoAction->setObjectName(QStringLiteral("mnuItemUndo"));
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setShortcutContext(Qt::WindowShortcut);
    connect(undoAction, &QAction::triggered, model_, &CorrectionModel::undo);
    addAction(undoAction);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    int width = 2 * table_->frameWidth() + layout->contentsMargins().left() +
                layout->contentsMargins().right();
    for (int c = 0; c < CorrectionModel::ColumnCount; ++c) {
        width += table_->columnWidth(c);
    }
    resize(width + 24, 420);
}

frmKorrigieren::~frmKorrigieren() {
    delete table_;
    delete model_;
}

} // namespace hk::ui
