#include "display_screen.h"

#include "ui/fonts.h"

#include <QPlainTextEdit>

namespace hk::ui {

frmForm4::frmForm4()
    : Screen(QStringLiteral("frmForm4"), QStringLiteral("zeigen"), 13575, 7980, 165, 1020) {
    const QFont screenFont = MakeFont(QStringLiteral("Courier New"), 9);
    client()->setFont(screenFont);

    QWidget* box =
        keep(DisplayControl::txtHKFlaechen,
             addListingBox(QStringLiteral("txtHKFlaechen"), {1425, 990, 10695, 6225}, screenFont,
                           QStringLiteral("Zeigt aus dem Speicher geladene  Daten an")));

    addLabel(QStringLiteral("Label1"), QStringLiteral("Heizflächenberechnung"),
             {780, 210, 6585, 360}, MakeFont(QStringLiteral("MS Sans Serif"), 13.5, true));
    addLabel(QStringLiteral("Label2"), QStringLiteral("Nach Din 90/70/20  und Din EN 442 75/65/20"),
             {810, 690, 6765, 270}, MakeFont(QStringLiteral("MS Sans Serif"), 9.75, true));

    addMenu<frmForm4>(
        QStringLiteral("mnuItemDatei"), QStringLiteral("Datei"),
        {{"mnuItemPrinter", "&Drucken", Qt::Key_D, &frmForm4::mnuItemPrinterTriggered},
         {"mnuItemExit", "Be&enden", Qt::Key_E, &frmForm4::mnuItemExitTriggered}});
    addExtrasMenu(OnForm4);
    box->setFocus();
}

void frmForm4::setListing(const std::string& text) {
    listing_ = text;
    ShowCrLfText(control<QPlainTextEdit>(DisplayControl::txtHKFlaechen), text);
}

} // namespace hk::ui
