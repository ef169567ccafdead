#include "instructions_screen.h"

#include "ui/fonts.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QLatin1String>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtMath>

#include <algorithm>

#include <utility>

namespace hk::ui {
namespace {

const QColor kTeal{0, 128, 128};
const QColor kDarkRed{192, 0, 0};

// A text box whose lines may stop short of its right edge.
class InstructionsBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    using QPlainTextEdit::setViewportMargins;
};

// Each line as its leading blanks and the words after them; the deep
// indents line the later paragraphs up under the wrapped first ones.
const std::pair<int, const char*> kLines[] = {
    {0, "Sehr geehrter Nutzer."},
    {17, "A c h t u n g !"},
    {16, "Berechnungsgrundlage dieses Programms ist:  Betriebstemperatur:DIN 90 / 70 / 20  "
         "Mittlere Hk-Temperatur: 60°C  und"},
    {90, "DIN EN 442  75 / 65 / 20  Mittlere Hk-Temperatur: 50°C"},
    {6, ""},
    {82, ""},
    {0, "Betriebsanleitung:"},
    {0, "1. Seite Projet und Personaleingagen. Die ersten drei Felder müssen Ausgefüllt werden "
        "sonst wird ein Fehler gemeldet."},
    {0, "2. Seite Heizflächenberechnung:Als erste ist die Betriebsart, DIN 90 / 70 / 20 oder DIN "
        "EN 442 75 / 65 / 20 durch Anklicken der"},
    {52, "Optionen aus zuwählen. Alle Eingabefelder in denen der Cusror erscheint sind mit  Werten "
         "zu"},
    {52, "versehen. Wenn der Mauszeiger in das Eingabefeld gehalten wird werden die "
         "Eingabegrenzen"},
    {52, "angezeigt. Nach Anklicken des Feldes Ergebnis mit der Maus wird gerechnet und dieser "
         "Heizkörper"},
    {52, "ist fertig. Es können bis zu 70  Heizkörper eingegeben werden."},
    {52, "Die Eingabe Exponent wird durch Aussuchen und Anklicken eines Heizkörpers im Listenfeld"},
    {52, "\"Exponent\" erreicht."},
    {53, "Nun können duch Öffnen des Menüs Datei weitere Funktionen ausgewählt werden."},
    {53, "In dem Formular \"Projekt und Personaleingaben\" können im Menü Datei Arbeiten "
         "gespeicherte"},
    {53, "wieder geladen werden."},
    {53, "Und nun viel Spass."},
};

// The dialog font where every line of text fits into width pixels, so that
// no deep indent wraps a word back to the left margin; otherwise the narrow
// sans face at the same size (the metric sans face of the machine is wider
// than the face the text was laid out for).
QFont FittingFont(const QString& text, int width) {
    const QStringList lines = text.split(QLatin1String("\r\n"));
    for (const QFont& font : {DefaultFont(), MakeFont(QStringLiteral("Liberation Sans Narrow"),
                                                      DefaultFont().pointSizeF())}) {
        const QFontMetrics fm(font);
        if (std::all_of(lines.begin(), lines.end(),
                        [&](const QString& l) { return fm.horizontalAdvance(l) <= width; })) {
            return font;
        }
    }
    return DefaultFont();
}

} // namespace

QString OperatingInstructions() {
    QString text;
    for (const auto& [blanks, words] : kLines) {
        text += QString(blanks, QLatin1Char(' ')) + Q(words) + QLatin1String("\r\n");
    }
    return text;
}

frmAnzeigeLesen::frmAnzeigeLesen()
    : Screen(QStringLiteral("frmAnzeigeLesen"), QStringLiteral("ZumLesen"), 10410, 8310, 165, 450) {
    addLabel(QStringLiteral("Kopf"), QStringLiteral("Velkor/Pro"), {3090, 30, 2025, 375},
             MakeFont(QStringLiteral("Times New Roman"), 18, true), Qt::AlignHCenter, kTeal);
    addLabel(QStringLiteral("Kopf2"), QStringLiteral("Tandrimo"), {1875, 405, 4155, 375},
             MakeFont(QStringLiteral("Times New Roman"), 14.25, true), Qt::AlignHCenter, kDarkRed);

    buildLeseText();
    keep(InstructionsControl::cdmWeiter,
         addButton(QStringLiteral("cdmWeiter"), QStringLiteral("Weiter"), {5880, 6300, 1335, 405},
                   MakeFont(QStringLiteral("MS Sans Serif"), 9.75, true)));
    setTabOrder(control(InstructionsControl::LeseText), control(InstructionsControl::cdmWeiter));
    connectHandlers();
}

void frmAnzeigeLesen::buildLeseText() {
    auto* box = keep(InstructionsControl::LeseText, new InstructionsBox(client()));
    box->setObjectName(QStringLiteral("LeseText"));
    box->setGeometry(Twips({735, 825, 9795, 5145}));
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WordWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The box reaches past the right edge of the window (8 px); its lines
    // wrap before that edge so that no word is cut off.
    const int hidden = box->geometry().right() + 1 - client()->width();
    if (hidden > 0) {
        box->setViewportMargins(0, 0, hidden, 0);
    }
    box->setFont(
        FittingFont(OperatingInstructions(),
                    box->viewport()->width() - 2 * qCeil(box->document()->documentMargin())));
    box->setReadOnly(true);
    box->setTabChangesFocus(true);
    // The box shows the CR LF lines as lines.
    box->setPlainText(OperatingInstructions().replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void frmAnzeigeLesen::connectHandlers() {
    connect(control<QPushButton>(InstructionsControl::cdmWeiter), &QPushButton::clicked, this,
            &frmAnzeigeLesen::cdmWeiterClicked);
}

} // namespace hk::ui
