#include "project_screen.h"

#include "ui/fonts.h"
#include "ui/qt_text.h"

#include <QLineEdit>
#include <QPushButton>

namespace hk::ui {
namespace {

struct Item {
    const char* name;
    const char* caption; // labels only
    Placement at;
};

// In tab order; a box is a row without caption, holding the next field.
const Item kItems[] = {
    {"lblBezeichnNr", "Projekt-Nr.", {360, 960, 972, 252}},
    {"lblBearbeit", "Bearbeiter", {1920, 960, 2052, 252}},
    {"txtPersDat1", nullptr, {240, 1320, 1212, 288}},
    {"txtPersDat2", nullptr, {1800, 1320, 2292, 288}},
    {"lblDatum", "Datum", {4680, 960, 1092, 252}},
    {"txtPersDat3", nullptr, {4560, 1320, 1332, 288}},
    {"lblPersonDat", "Bauherr/Auftraggeber", {2160, 1800, 2052, 372}},
    {"lblName", "Name", {600, 2280, 1812, 252}},
    {"lblVorname", "Vorname", {3240, 2280, 1692, 252}},
    {"txtPersDat4", nullptr, {240, 2640, 2412, 288}},
    {"txtPersDat5", nullptr, {3240, 2640, 1932, 288}},
    {"lblStrasse", "Strasse   Haus Nr", {600, 3120, 1812, 252}},
    {"lblPLzOrt", "PLZ     Ort", {3480, 3120, 2172, 252}},
    {"txtPersDat6", nullptr, {240, 3495, 2532, 288}},
    {"txtPersDat7", nullptr, {3240, 3480, 2772, 288}},
    {"lblTelefBauherr", "Telefon", {360, 3960, 1572, 252}},
    {"txtPersDat8", nullptr, {360, 4320, 1812, 288}},
    {"lblBaustelle", "Baustelle", {2520, 4680, 1692, 252}},
    {"lblStrasseBau", "Stasse   Haus Nr", {480, 5160, 1932, 252}},
    {"lblPLZOrtBau", "PLZ      Ort", {3720, 5160, 1812, 252}},
    {"txtPersDat9", nullptr, {240, 5520, 2532, 288}},
    {"txtPersDat10", nullptr, {3240, 5520, 2892, 288}},
    {"lblTelefBau", "Telefon", {240, 6000, 1812, 252}},
    {"txtPersDat11", nullptr, {240, 6360, 1812, 288}},
};

} // namespace

Form2::Form2(ProgramState& state, MessageBoxes& messages)
    : Screen(QStringLiteral("Form2"), QStringLiteral("PersonalBlatt"), 7920, 7005, 5580, 1800),
      messages_(messages), form_(state, *this) {
    buildControls();
    addMenu<Form2>(QStringLiteral("mnuItemFile"), QStringLiteral("Datei"),
                   {{"mnuItemOpen", "&Laden", Qt::Key_L, &Form2::mnuItemOpenTriggered},
                    {"mnuItemExit", "B&eenden", Qt::Key_E, &Form2::mnuItemExitTriggered}});
    connectHandlers();
    control(PersDat(1))->setFocus();
}

void Form2::buildControls() {
    const QFont labelFont = MakeFont(QStringLiteral("MS Sans Serif"), 9.75);
    addLabel(QStringLiteral("lblProjektdaten"), QStringLiteral("Projekt- und Personaldaten"),
             {360, 240, 6132, 372}, MakeFont(QStringLiteral("MS Sans Serif"), 13.5));

    int next = 1;
    QWidget* previous = nullptr;
    for (const Item& item : kItems) {
        if (item.caption) {
            addLabel(Q(item.name), Q(item.caption), item.at, labelFont);
            continue;
        }
        QWidget* box = keep(PersDat(next++), addTextBox(Q(item.name), item.at, DefaultFont()));
        if (previous) {
            setTabOrder(previous, box);
        }
        previous = box;
    }
    setTabOrder(previous, keep(HeaderControl::cmdWeiter,
                               addButton(QStringLiteral("cmdWeiter"), QStringLiteral("Weiter"),
                                         {4680, 6480, 1332, 372}, labelFont)));
}

void Form2::connectHandlers() {
    connect(control<QPushButton>(HeaderControl::cmdWeiter), &QPushButton::clicked, this,
            &Form2::cmdWeiter_Click);
}

void Form2::cmdWeiter_Click() {
    if (form_.cmdWeiter_Click()) {
        emit headerAccepted();
    } // otherwise the core has said what is missing; the boxes keep their texts
}

void Form2::showHeader(const ProjectHeader& header) {
    for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
        control<QLineEdit>(PersDat(n))->setText(Q(header[n]));
    }
}

std::string Form2::fieldText(int n) const {
    return control<QLineEdit>(PersDat(n))->text().toStdString();
}

void Form2::focusField(int n) { control(PersDat(n))->setFocus(); }

void Form2::showMessage(const Message& message) { messages_.show(this, message); }

void Form2::setBusy(bool busy) {
    if (busy) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
}

} // namespace hk::ui
