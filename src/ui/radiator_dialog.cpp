#include "radiator_dialog.h"

#include "ui/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hk::ui {

RadiatorDialog::RadiatorDialog(const CheckForm& form, std::size_t row, QWidget* parent)
    : QDialog(parent), form_(form), kind_(new QComboBox(this)), name_(new QComboBox(this)),
      countLabel_(new QLabel(this)), count_(new QSpinBox(this)), output_(new QLabel(this)) {
    setObjectName(QStringLiteral("dlgHeizkoerper"));
    setWindowTitle(QStringLiteral("Heizkörper wählen"));
    setMinimumWidth(360);
    kind_->setObjectName(QStringLiteral("cboBauart"));
    name_->setObjectName(QStringLiteral("cboName"));
    count_->setObjectName(QStringLiteral("spnAnzahl"));
    output_->setObjectName(QStringLiteral("lblLeistung"));
    for (const TypicalRadiator& r : form_.radiators()) {
        if (kind_->findText(Q(r.kind)) < 0) {
            kind_->addItem(Q(r.kind));
        }
    }

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Bauart"), kind_);
    fields->addRow(QStringLiteral("&Name"), name_);
    fields->addRow(countLabel_, count_);
    fields->addRow(QStringLiteral("Normleistung"), output_);
    auto* buttons = new QDialogButtonBox(this);
    take_ = buttons->addButton(QStringLiteral("&Übernehmen"), QDialogButtonBox::AcceptRole);
    take_->setObjectName(QStringLiteral("cmdUebernehmen"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(kind_, &QComboBox::currentIndexChanged, this, &RadiatorDialog::kindChosen);
    connect(name_, &QComboBox::currentIndexChanged, this, &RadiatorDialog::nameChosen);
    connect(count_, &QSpinBox::valueChanged, this, &RadiatorDialog::showOutput);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const InstalledRadiator& installed = form_.result().rows.at(row).installed;
    if (installed.radiator) {
        kind_->setCurrentText(Q(installed.radiator->kind));
        kindChosen();
        name_->setCurrentText(Q(installed.radiator->name));
        nameChosen();
        count_->setValue(installed.count);
    } else {
        kindChosen();
    }
    showOutput();
}

std::string RadiatorDialog::name() const { return name_->currentText().toStdString(); }

int RadiatorDialog::count() const { return count_->value(); }

void RadiatorDialog::kindChosen() {
    {
        const QSignalBlocker quiet(name_);
        name_->clear();
        for (const TypicalRadiator& r : form_.radiators()) {
            if (Q(r.kind) == kind_->currentText()) {
                name_->addItem(Q(r.name));
            }
        }
    }
    nameChosen();
}

void RadiatorDialog::nameChosen() {
    const auto radiator = FindRadiator(form_.radiators(), name());
    const bool perMetre = !radiator || radiator->perMetre;
    {
        const QSignalBlocker quiet(count_);
        countLabel_->setText(perMetre ? QStringLiteral("&Länge mm") : QStringLiteral("&Glieder"));
        countLabel_->setBuddy(count_);
        count_->setRange(perMetre ? kLengthMin : kSectionsMin,
                         perMetre ? kLengthMax : kSectionsMax);
        count_->setSingleStep(perMetre ? kLengthStep : 1);
        count_->setValue(perMetre ? 1000 : 10);
    }
    showOutput();
}

void RadiatorDialog::showOutput() {
    const auto text = form_.radiatorOutputText(name(), count());
    output_->setText(text ? Q(*text) : Q(text.problem().message));
    take_->setEnabled(text.ok());
}

} // namespace hk::ui
