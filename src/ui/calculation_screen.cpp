#include "calculation_screen.h"

#include "ui/expon_list.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <tuple>

namespace hk::ui {
namespace {

QFont Arial(double points, bool bold) { return MakeFont(QStringLiteral("Arial"), points, bold); }

struct Box {
    CalcControl control;
    const char* name;
    const char* toolTip;
    int maxLength; // characters, 0 for none
    Placement at;
};

// The input and result boxes in tab order.
const Box kBoxes[] = {
    {CalcControl::txtdVorl,
     "txtdVorl",
     "Zahlen zwischen 120 und 50 eingeben",
     InputMaxLength(CalcControl::txtdVorl),
     {1290, 2625, 732, 288}},
    {CalcControl::txtdRueckl,
     "txtdRueckl",
     "Zahlen zwischen 100 und 35 eingeben",
     InputMaxLength(CalcControl::txtdRueckl),
     {3060, 2625, 732, 288}},
    {CalcControl::txtRaumNr,
     "txtRaumNr",
     "Zahlen zwischen 0001 und 9999 eingeben",
     InputMaxLength(CalcControl::txtRaumNr),
     {1275, 3480, 612, 288}},
    {CalcControl::txtRaumVer,
     "txtRaumVer",
     "Raumverwndung in Gross, Klein Buchstaben eingeben",
     InputMaxLength(CalcControl::txtRaumVer),
     {2055, 3495, 1332, 288}},
    {CalcControl::txtdRaum,
     "txtdRaum",
     "Zahlen zwischen 5 und 30 eingeben",
     InputMaxLength(CalcControl::txtdRaum),
     {3585, 3495, 492, 288}},
    {CalcControl::txtQRaum,
     "txtQRaum",
     "Zahlen zwischen 10 und 99999 eingeben",
     InputMaxLength(CalcControl::txtQRaum),
     {4320, 3510, 852, 288}},
    {CalcControl::txtExpon,
     "txtExpon",
     "Heizkörper Exponent aus listenfeld",
     InputMaxLength(CalcControl::txtExpon),
     {5370, 3525, 732, 288}},
    {CalcControl::txtdMittel,
     "txtdMittel",
     "Mittlere Heizkörpertemperatur",
     0,
     {6330, 3510, 732, 288}},
    {CalcControl::txtFaktor, "txtFaktor", "Heizkörper-Faktor", 0, {7305, 3525, 732, 288}},
    {CalcControl::txtQHKNeu, "txtQHKNeu", "Neue Heizkörperleistung", 0, {8280, 3510, 960, 288}},
};

struct ColumnLabel {
    const char* name;
    const char* caption;
    Placement at;
};

// The Arial 7.5 pt bold labels above the boxes, all centred but one.
const ColumnLabel kColumnLabels[] = {
    {"Label1", "dVorlauf °C", {1185, 2385, 975, 255}},
    {"Label1", "dRückl °C", {2955, 2385, 975, 255}},
    {"lblRaumNr", "Raum Nr", {1275, 3120, 615, 375}},
    {"lblRaumverwend", "Raum Verwendung", {2040, 3120, 1335, 375}},
    {"lblRaum°C", "d Raum °C", {3540, 3165, 615, 375}},
    {"lblQRaum", "Q-Raum", {4335, 3165, 735, 255}},
    {"lblMittel°C", "dMittel °C", {6345, 3150, 735, 255}},
    {"lblFaktor", "Faktor", {7320, 3180, 615, 255}},
    {"lblQHKNeu", "Q-HK Neu", {8265, 3165, 975, 255}},
    {"lblExpon", "Exponent", {5370, 3150, 735, 255}},
};

} // namespace

Form3::Form3(ProgramState& state, MessageBoxes& messages)
    : Screen(QStringLiteral("Form3"), QStringLiteral("HK-Berech"), 14835, 8415, 795, 915),
      messages_(messages), listing_(state, *this), form_(state, *this, listing_) {
    buildControls();
    connectHandlers();
    addMenu<Form3>(QStringLiteral("mnuFile"), QStringLiteral("&Datei"),
                   {{"mnuItemSave", "&Speichern unter", Qt::Key_S, &Form3::mnuItemSaveTriggered},
                    {"mnuPrinterItem", "&Drucken", Qt::Key_D, &Form3::mnuPrinterItemTriggered},
                    {"mnuExitItem", "B&enden", Qt::Key_B, &Form3::mnuExitItemTriggered}});
    addExtrasMenu(OnForm3);
    form_.Form_Load();
}

void Form3::buildControls() {
    const QFont sansBold = MakeFont(QStringLiteral("MS Sans Serif"), 8.25, true);

    addLabel(QStringLiteral("lblUeberschrift"),
             QStringLiteral("Heizflächenberechnung für Temperaturen <> der Norm"),
             {2475, 225, 5415, 975}, MakeFont(QStringLiteral("MS Sans Serif"), 18, true));

    const std::tuple<CalcControl, const char*, const char*, Placement> options[] = {
        {CalcControl::optDIN, "optDIN", "   DIN 90/70/20", {1080, 1680, 1695, 270}},
        {CalcControl::optEN, "optEN", "  DIN EN 75/65/20", {990, 1920, 1785, 255}},
    };
    for (const auto& [id, name, caption, at] : options) {
        auto* option = keep(id, new QRadioButton(Q(caption), client()));
        option->setObjectName(Q(name));
        option->setGeometry(Twips(at));
    }

    buildBoxes(sansBold);

    const QFont labelFont = Arial(7.5, true);
    int arrayIndex = 0;
    for (const ColumnLabel& l : kColumnLabels) {
        const QString name = Q(l.name);
        QLabel* label =
            addLabel(name, Q(l.caption), l.at, labelFont,
                     name == QStringLiteral("lblMittel°C") ? Qt::AlignLeft : Qt::AlignHCenter);
        if (name == QStringLiteral("Label1")) {
            label->setProperty("index", arrayIndex++);
        }
    }

    keep(CalcControl::cmdErgebnis,
         addButton(QStringLiteral("cmdErgebnis"), QStringLiteral("Ergebnis"),
                   {1230, 4185, 1332, 372}, DefaultFont(),
                   QStringLiteral("Setzt Berechnung in gang")));

    addLabel(QStringLiteral("Exponenten"), QStringLiteral("Exponenten"), {4890, 4005, 2415, 255},
             DefaultFont());

    keep(CalcControl::cmdNächster,
         addButton(QStringLiteral("cmdNächster"), QStringLiteral("Nächster HK"),
                   {1215, 4800, 1332, 372}, DefaultFont(),
                   QStringLiteral("Wechselt zum nächsten Heizkörper")))
        ->hide();

    addLabel(QStringLiteral("Label2"), QStringLiteral("Referenztemperaturen"),
             {840, 1440, 2115, 240}, sansBold);
    addLabel(QStringLiteral("Label3"), QStringLiteral("Heizflächen - Typ"), {9615, 3195, 3000, 300},
             Arial(8.25, false));

    const CalcControl tabOrder[] = {
        CalcControl::optDIN,      CalcControl::optEN,       CalcControl::txtdVorl,
        CalcControl::txtdRueckl,  CalcControl::txtRaumNr,   CalcControl::txtRaumVer,
        CalcControl::txtdRaum,    CalcControl::txtQRaum,    CalcControl::txtExpon,
        CalcControl::txtdMittel,  CalcControl::txtFaktor,   CalcControl::txtQHKNeu,
        CalcControl::txtHkTyp,    CalcControl::Expon,       CalcControl::txtAnzeige,
        CalcControl::cmdErgebnis, CalcControl::cmdNächster,
    };
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(control(tabOrder[i - 1]), control(tabOrder[i]));
    }
}

// The text boxes, the type list and the listing box.
void Form3::buildBoxes(const QFont& font) {
    for (const Box& b : kBoxes) {
        keep(b.control, addTextBox(Q(b.name), b.at, font, Q(b.toolTip), b.maxLength));
    }
    control(CalcControl::txtdVorl)->setProperty("index", 0);
    control(CalcControl::txtdRueckl)->setProperty("index", 1);
    keep(CalcControl::txtHkTyp,
         addTextBox(QStringLiteral("txtHkTyp"), {9465, 3510, 2790, 285}, DefaultFont()));

    expon_ = keep(CalcControl::Expon, new ExponList(client()));
    expon_->setObjectName(QStringLiteral("Expon"));
    expon_->setGeometry(Twips({4605, 4305, 2940, 645}));
    expon_->setFont(font);
    expon_->setToolTip(QStringLiteral("Heizkörper aussuchen und anklicken"));

    anzeige_ = keep(CalcControl::txtAnzeige,
                    addListingBox(QStringLiteral("txtAnzeige"), {1620, 5820, 10830, 2280},
                                  MakeFont(QStringLiteral("Courier"), 9.75)));
}

void Form3::connectHandlers() {
    connect(control<QRadioButton>(CalcControl::optDIN), &QRadioButton::toggled, this,
            &Form3::optDIN_Toggled);
    connect(control<QRadioButton>(CalcControl::optEN), &QRadioButton::toggled, this,
            &Form3::optEN_Toggled);
    connect(expon_, &ExponList::typeChosen, this, &Form3::Expon_Chosen);
    connect(control<QPushButton>(CalcControl::cmdErgebnis), &QPushButton::clicked, this,
            &Form3::cmdErgebnis_Click);
    connect(control<QPushButton>(CalcControl::cmdNächster), &QPushButton::clicked, this,
            &Form3::cmdNaechster_Click);
}

void Form3::optDIN_Toggled(bool on) {
    if (on) {
        form_.optDIN_Click();
    }
}

void Form3::optEN_Toggled(bool on) {
    if (on) {
        form_.optEN_Click();
    }
}

void Form3::Expon_Chosen() { form_.Expon_Click(); }

void Form3::cmdErgebnis_Click() {
    form_.cmdErgebnis_Click();
    emit projectCalculated();
}

void Form3::cmdNaechster_Click() { form_.cmdNächster_Click(); }

void Form3::open() {
    // Qt's option buttons do not select themselves on receiving the focus,
    // so the screen selects DIN 90/70/20 itself, as its first tab stop would.
    control<QRadioButton>(CalcControl::optDIN)->setChecked(true);
    form_.optDIN_Click();
    show();
    control(CalcControl::optDIN)->setFocus(Qt::TabFocusReason);
}

void Form3::continueProject(const ContinuePlan& plan) {
    show();
    form_.Form_Continue(plan);
}

std::string Form3::text(CalcControl c) const {
    if (c == CalcControl::txtAnzeige) {
        return anzeigeText_;
    }
    if (c == CalcControl::Expon) {
        return listText();
    }
    const QLineEdit* edit = control<QLineEdit>(c);
    return edit ? edit->text().toStdString() : std::string();
}

void Form3::setText(CalcControl c, const std::string& text) {
    if (c == CalcControl::txtAnzeige) {
        anzeigeText_ = text;
        showListing();
    } else if (QLineEdit* edit = control<QLineEdit>(c)) {
        edit->setText(Q(text));
    }
}

void Form3::appendText(CalcControl c, const std::string& text) {
    if (c == CalcControl::txtAnzeige) {
        anzeigeText_ += text;
        showListing();
    } else if (QLineEdit* edit = control<QLineEdit>(c)) {
        edit->setText(edit->text() + Q(text));
    }
}

void Form3::showListing() {
    ShowCrLfText(anzeige_, anzeigeText_);
    // The newest line is the one to see.
    anzeige_->verticalScrollBar()->setValue(anzeige_->verticalScrollBar()->maximum());
}

bool Form3::isSelected(CalcControl option) const {
    const auto* button = control<QRadioButton>(option);
    return button && button->isChecked();
}

void Form3::select(CalcControl option) {
    if (auto* button = control<QRadioButton>(option)) {
        button->setChecked(true);
    }
}

void Form3::setEnabled(CalcControl c, bool enabled) { control(c)->setEnabled(enabled); }

void Form3::setVisible(CalcControl c, bool visible) { control(c)->setVisible(visible); }

void Form3::setFocus(CalcControl c) { control(c)->setFocus(Qt::OtherFocusReason); }

void Form3::addListItem(const std::string& text) { expon_->addItem(Q(text)); }

int Form3::listIndex() const { return expon_->chosenRow(); }

std::string Form3::listText() const {
    const int row = expon_->chosenRow();
    return row < 0 ? std::string() : expon_->item(row)->text().toStdString();
}

void Form3::showMessage(const Message& message) { messages_.show(this, message); }

bool Form3::ask(const Question& question) { return messages_.ask(this, question); }

} // namespace hk::ui
