// What the screens look like: captions, client sizes and positions, the
// controls' places, texts, fonts and colours, labels that show their whole
// text, the instructions text, menus, the project data tab order, the title
// pictures and the German dialog texts.

#include "support/gui_fixture.h"
#include "support/screen_test_case.h"

#include "ui/calculation_screen.h"
#include "ui/display_screen.h"
#include "ui/fonts.h"
#include "ui/instructions_screen.h"
#include "ui/project_screen.h"
#include "ui/qt_services.h"
#include "ui/title_art.h"
#include "ui/title_screen.h"
#include "ui/translation.h"

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>

#include <memory>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

// All five screens, loaded but not shown.
struct AllScreens {
    ProgramState state;
    RecordingMessages messages;
    Form1 form1;
    frmAnzeigeLesen anzeigeLesen;
    Form2 form2{state, messages};
    Form3 form3{state, messages};
    frmForm4 form4;

    Screen* byName(const QString& name) {
        for (Screen* s :
             std::initializer_list<Screen*>{&form1, &anzeigeLesen, &form2, &form3, &form4}) {
            if (s->objectName() == name) {
                return s;
            }
        }
        return nullptr;
    }
};

// A control by name and, for control arrays, by index.
QWidget* Control(Screen* screen, const QString& name, int index) {
    for (QWidget* w : screen->findChildren<QWidget*>(name)) {
        if (index < 0 || w->property("index").toInt() == index) {
            return w;
        }
    }
    return nullptr;
}

QRect Tw(int l, int t, int w, int h) { return Twips({l, t, w, h}); }

QString TextOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return {};
}

// A screen with one box and a menu item on a key that the box itself
// claims on every platform (Ctrl+C, copy): the keys X11 gives the boxes
// (Ctrl+E, Ctrl+D, Ctrl+B) behave the same way there.
class KeyScreen : public Screen {
public:
    KeyScreen() : Screen(QStringLiteral("KeyScreen"), QStringLiteral("Keys"), 3000, 1500, 0, 0) {
        box = addTextBox(QStringLiteral("box"), {150, 150, 1500, 288}, DefaultFont());
        item = addMenu<KeyScreen>(QStringLiteral("menu"), QStringLiteral("Datei"),
                                  {{"item", "&Item", Qt::Key_C, &KeyScreen::chosen}})
                   ->actions()
                   .front();
    }
    void chosen() {}
    QLineEdit* box;
    QAction* item;
};

} // namespace

class ScreensTest : public ScreenTestCase {
    Q_OBJECT
    std::unique_ptr<AllScreens> screens_;

private slots:
    void initTestCase() { screens_ = std::make_unique<AllScreens>(); }
    void cleanupTestCase() { screens_.reset(); }

    void windowsHaveCaptionSizeAndPlace_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("frameAndClient"); // window position, client size, twips
        QTest::addColumn<bool>("menuBar");
        QTest::newRow("title") << "Form1"
                               << "Titelblatt" << Tw(60, 345, 10380, 8115) << false;
        QTest::newRow("instructions") << "frmAnzeigeLesen"
                                      << "ZumLesen" << Tw(165, 450, 10410, 8310) << false;
        QTest::newRow("project data") << "Form2"
                                      << "PersonalBlatt" << Tw(5580, 1800, 7920, 7005) << true;
        QTest::newRow("calculation") << "Form3"
                                     << "HK-Berech" << Tw(795, 915, 14835, 8415) << true;
        QTest::newRow("loaded data") << "frmForm4"
                                     << "zeigen" << Tw(165, 1020, 13575, 7980) << true;
    }
    void windowsHaveCaptionSizeAndPlace() {
        QFETCH(QString, screen);
        QFETCH(QString, caption);
        QFETCH(QRect, frameAndClient);
        QFETCH(bool, menuBar);
        Screen* s = screens_->byName(screen);
        QVERIFY(s);
        QCOMPARE(s->windowTitle(), caption);
        QCOMPARE(s->pos(), frameAndClient.topLeft());
        QCOMPARE(s->client()->size(), frameAndClient.size());
        s->show();
        QVERIFY(QTest::qWaitForWindowExposed(s));
        // The menu bar sits above the client area and makes the window taller.
        const int menuHeight = menuBar ? s->menuBar()->height() : 0;
        QVERIFY(!menuBar || menuHeight > 10);
        QCOMPARE(s->client()->geometry().topLeft(), QPoint(0, menuHeight));
        QCOMPARE(s->size(), frameAndClient.size() + QSize(0, menuHeight));
        QCOMPARE(s->client()->palette().color(QPalette::Window), QColor(128, 255, 255));
        s->hide();
    }

    void controlsSitAtTheirPlaces_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index"); // element of a control array, -1 for none
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        struct Row {
            const char* screen;
            const char* name;
            int index;
            int l, t, w, h;
            const char* text;
        };
        const Row rows[] = {
            {"Form1", "Label1", -1, 4935, 255, 1095, 375, "velkor"},
            {"Form1", "Label3", -1, 3600, 6720, 2175, 615, "qNeu  =  f"},
            {"Form1", "Label4", -1, 6240, 6705, 2055, 615, "  qRaum"},
            {"Form1", "Label5", -1, 5760, 6720, 495, 615, "x"},
            {"Form1", "Label2", -1, 4200, 600, 3015, 375, "Tandrimo"},
            {"Form1", "Label6", -1, 6000, 240, 375, 375, "-p"},
            {"Form1", "Lesen", -1, 7305, 7575, 1350, 360, "Lesen"},
            {"Form1", "Label7", -1, 2760, 1110, 6855, 510, "Brenquist"},
            {"Form1", "Label8", -1, 2640, 1755, 6990, 510,
             "Nach Din 90/70/20 und Din EN442 75/65/20"},
            {"Form1", "Image1", 0, 2655, 2310, 7050, 4155, ""},
            {"frmAnzeigeLesen", "Kopf", -1, 3090, 30, 2025, 375, "Velkor/Pro"},
            {"frmAnzeigeLesen", "Kopf2", -1, 1875, 405, 4155, 375, "Tandrimo"},
            {"frmAnzeigeLesen", "LeseText", -1, 735, 825, 9795, 5145, ""},
            {"frmAnzeigeLesen", "cdmWeiter", -1, 5880, 6300, 1335, 405, "Weiter"},
            {"Form2", "lblProjektdaten", -1, 360, 240, 6132, 372, "Projekt- und Personaldaten"},
            {"Form2", "lblBezeichnNr", -1, 360, 960, 972, 252, "Projekt-Nr."},
            {"Form2", "lblPersonDat", -1, 2160, 1800, 2052, 372, "Bauherr/Auftraggeber"},
            {"Form2", "lblStrasse", -1, 600, 3120, 1812, 252, "Strasse   Haus Nr"},
            {"Form2", "lblPLzOrt", -1, 3480, 3120, 2172, 252, "PLZ     Ort"},
            {"Form2", "lblStrasseBau", -1, 480, 5160, 1932, 252, "Stasse   Haus Nr"},
            {"Form2", "lblPLZOrtBau", -1, 3720, 5160, 1812, 252, "PLZ      Ort"},
            {"Form2", "txtPersDat1", -1, 240, 1320, 1212, 288, ""},
            {"Form2", "txtPersDat6", -1, 240, 3495, 2532, 288, ""},
            {"Form2", "txtPersDat10", -1, 3240, 5520, 2892, 288, ""},
            {"Form2", "txtPersDat11", -1, 240, 6360, 1812, 288, ""},
            {"Form2", "cmdWeiter", -1, 4680, 6480, 1332, 372, "Weiter"},
            {"Form3", "lblUeberschrift", -1, 2475, 225, 5415, 975,
             "Heizflächenberechnung für Temperaturen <> der Norm"},
            {"Form3", "optDIN", -1, 1080, 1680, 1695, 270, "   DIN 90/70/20"},
            {"Form3", "optEN", -1, 990, 1920, 1785, 255, "  DIN EN 75/65/20"},
            {"Form3", "txtdVorl", 0, 1290, 2625, 732, 288, ""},
            {"Form3", "txtdRueckl", 1, 3060, 2625, 732, 288, ""},
            {"Form3", "txtHkTyp", -1, 9465, 3510, 2790, 285, ""},
            {"Form3", "Expon", -1, 4605, 4305, 2940, 645, ""},
            {"Form3", "txtAnzeige", -1, 1620, 5820, 10830, 2280, ""},
            {"Form3", "Label1", 0, 1185, 2385, 975, 255, "dVorlauf °C"},
            {"Form3", "Label1", 1, 2955, 2385, 975, 255, "dRückl °C"},
            {"Form3", "lblRaum°C", -1, 3540, 3165, 615, 375, "d Raum °C"},
            {"Form3", "lblMittel°C", -1, 6345, 3150, 735, 255, "dMittel °C"},
            {"Form3", "lblQHKNeu", -1, 8265, 3165, 975, 255, "Q-HK Neu"},
            {"Form3", "cmdErgebnis", -1, 1230, 4185, 1332, 372, "Ergebnis"},
            {"Form3", "Exponenten", -1, 4890, 4005, 2415, 255, "Exponenten"},
            {"Form3", "cmdNächster", -1, 1215, 4800, 1332, 372, "Nächster HK"},
            {"Form3", "Label2", -1, 840, 1440, 2115, 240, "Referenztemperaturen"},
            {"Form3", "Label3", -1, 9615, 3195, 3000, 300, "Heizflächen - Typ"},
            {"frmForm4", "txtHKFlaechen", -1, 1425, 990, 10695, 6225, ""},
            {"frmForm4", "Label1", -1, 780, 210, 6585, 360, "Heizflächenberechnung"},
            {"frmForm4", "Label2", -1, 810, 690, 6765, 270,
             "Nach Din 90/70/20  und Din EN 442 75/65/20"},
        };
        for (const Row& r : rows) {
            const QString name = QString::fromUtf8(r.name);
            QTest::addRow("%s %s%s", r.screen, r.name,
                          r.index >= 0 ? qPrintable(QStringLiteral("(%1)").arg(r.index)) : "")
                << QString::fromUtf8(r.screen) << name << r.index << Tw(r.l, r.t, r.w, r.h)
                << QString::fromUtf8(r.text);
        }
    }
    void controlsSitAtTheirPlaces() {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QWidget* w = Control(screens_->byName(screen), name, index);
        QVERIFY2(w, "no such control");
        QCOMPARE(w->geometry(), place);
        QCOMPARE(TextOf(w), text);
    }

    void fontsAndColours_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("kind"); // serif, sans or mono
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour"); // text colour
        const QColor black(Qt::black);
        QTest::newRow("velkor, green serif 17.25")
            << "Form1"
            << "Label1" << -1 << "serif" << 17.25 << true << QColor(0, 128, 0);
        QTest::newRow("formula, serif 19.5") << "Form1"
                                             << "Label3" << -1 << "serif" << 19.5 << true << black;
        QTest::newRow("qRaum, serif 20.25") << "Form1"
                                            << "Label4" << -1 << "serif" << 20.25 << true << black;
        QTest::newRow("times sign, Arial 19.5")
            << "Form1"
            << "Label5" << -1 << "sans" << 19.5 << true << black;
        QTest::newRow("Tandrimo, orange-brown 13.5")
            << "Form1"
            << "Label2" << -1 << "serif" << 13.5 << true << QColor(192, 64, 0);
        QTest::newRow("-p, green 15.75")
            << "Form1"
            << "Label6" << -1 << "serif" << 15.75 << true << QColor(0, 128, 0);
        QTest::newRow("Lesen, Arial 9") << "Form1"
                                        << "Lesen" << -1 << "sans" << 9.0 << true << black;
        QTest::newRow("Brenquist, serif 21.75")
            << "Form1"
            << "Label7" << -1 << "serif" << 21.75 << true << black;
        QTest::newRow("norms, sans 9.75") << "Form1"
                                          << "Label8" << -1 << "sans" << 9.75 << true << black;
        QTest::newRow("Kopf, teal serif 18")
            << "frmAnzeigeLesen"
            << "Kopf" << -1 << "serif" << 18.0 << true << QColor(0, 128, 128);
        QTest::newRow("Kopf2, dark red 14.25")
            << "frmAnzeigeLesen"
            << "Kopf2" << -1 << "serif" << 14.25 << true << QColor(192, 0, 0);
        QTest::newRow("instructions, dialog font")
            << "frmAnzeigeLesen"
            << "LeseText" << -1 << "sans" << 8.25 << false << black;
        QTest::newRow("instructions Weiter, 9.75 bold")
            << "frmAnzeigeLesen"
            << "cdmWeiter" << -1 << "sans" << 9.75 << true << black;
        QTest::newRow("project heading 13.5")
            << "Form2"
            << "lblProjektdaten" << -1 << "sans" << 13.5 << false << black;
        QTest::newRow("project label 9.75")
            << "Form2"
            << "lblBaustelle" << -1 << "sans" << 9.75 << false << black;
        QTest::newRow("project box, dialog font")
            << "Form2"
            << "txtPersDat5" << -1 << "sans" << 8.25 << false << black;
        QTest::newRow("project Weiter 9.75")
            << "Form2"
            << "cmdWeiter" << -1 << "sans" << 9.75 << false << black;
        QTest::newRow("calculation heading 18")
            << "Form3"
            << "lblUeberschrift" << -1 << "sans" << 18.0 << true << black;
        QTest::newRow("supply box 8.25 bold") << "Form3"
                                              << "txtdVorl" << 0 << "sans" << 8.25 << true << black;
        QTest::newRow("type box, dialog font")
            << "Form3"
            << "txtHkTyp" << -1 << "sans" << 8.25 << false << black;
        QTest::newRow("type list 8.25 bold") << "Form3"
                                             << "Expon" << -1 << "sans" << 8.25 << true << black;
        QTest::newRow("listing, Courier 9.75")
            << "Form3"
            << "txtAnzeige" << -1 << "mono" << 9.75 << false << black;
        QTest::newRow("column label, Arial 7.5")
            << "Form3"
            << "lblRaum°C" << -1 << "sans" << 7.5 << true << black;
        QTest::newRow("type label, Arial 8.25")
            << "Form3"
            << "Label3" << -1 << "sans" << 8.25 << false << black;
        QTest::newRow("reference label 8.25 bold")
            << "Form3"
            << "Label2" << -1 << "sans" << 8.25 << true << black;
        QTest::newRow("loaded listing, Courier New 9")
            << "frmForm4"
            << "txtHKFlaechen" << -1 << "mono" << 9.0 << false << black;
        QTest::newRow("loaded heading 13.5 bold")
            << "frmForm4"
            << "Label1" << -1 << "sans" << 13.5 << true << black;
    }
    void fontsAndColours() {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, kind);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);
        QWidget* w = Control(screens_->byName(screen), name, index);
        QVERIFY(w);
        const QFontInfo info(w->font());
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), bold);
        if (kind == QStringLiteral("mono")) {
            QVERIFY2(info.fixedPitch(), qPrintable(info.family()));
        } else {
            QVERIFY2(!info.fixedPitch(), qPrintable(info.family()));
            QCOMPARE(info.family().contains(QStringLiteral("Serif")) &&
                         !info.family().contains(QStringLiteral("Sans")),
                     kind == QStringLiteral("serif"));
        }
        if (qobject_cast<QLabel*>(w)) {
            QCOMPARE(w->palette().color(QPalette::WindowText), colour);
            QCOMPARE(w->palette().color(QPalette::Window), QColor(128, 255, 255));
            QVERIFY(w->autoFillBackground());
        }
    }

    // Every label shows its whole text in its box with the fonts at hand.
    void labelsShowTheirWholeText_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        for (const char* screen : {"Form1", "frmAnzeigeLesen", "Form2", "Form3", "frmForm4"}) {
            for (QLabel* l : screens_->byName(QString::fromUtf8(screen))->findChildren<QLabel*>()) {
                if (l->text().isEmpty()) {
                    continue; // the picture
                }
                const int index =
                    l->property("index").isValid() ? l->property("index").toInt() : -1;
                QTest::addRow("%s %s %d", screen, qPrintable(l->objectName()), index)
                    << QString::fromUtf8(screen) << l->objectName() << index;
            }
        }
    }
    void labelsShowTheirWholeText() {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        QFETCH(int, index);
        auto* label = qobject_cast<QLabel*>(Control(screens_->byName(screen), name, index));
        QVERIFY(label);
        const QFontMetrics fm = label->fontMetrics();
        const QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 10000),
                                             Qt::TextWordWrap | label->alignment(), label->text());
        // Below the last baseline only the letters' own descent counts: a
        // box may cut the font's empty descent where no letter reaches.
        const int lines = needed.height() / fm.height();
        const int inkBottom = (lines - 1) * fm.lineSpacing() + fm.ascent() +
                              fm.tightBoundingRect(label->text()).bottom() + 1;
        QVERIFY2(needed.width() <= label->width() && inkBottom <= label->height(),
                 qPrintable(QStringLiteral("needs %1x%2, has %3x%4")
                                .arg(needed.width())
                                .arg(inkBottom)
                                .arg(label->width())
                                .arg(label->height())));
    }

    // A label's box may reach into the box or button below it; the label
    // must lie beneath, so that the box shows whole (its top border too).
    void noLabelIsPaintedOverABox_data() {
        QTest::addColumn<QString>("screen");
        for (const char* screen : {"Form1", "frmAnzeigeLesen", "Form2", "Form3", "frmForm4"}) {
            QTest::newRow(screen) << QString::fromUtf8(screen);
        }
    }
    void noLabelIsPaintedOverABox() {
        QFETCH(QString, screen);
        QWidget* client = screens_->byName(screen)->client();
        const QImage painted = client->grab().toImage();
        const QObjectList stack = client->children(); // bottom first
        int overlaps = 0;
        for (QObject* o : stack) {
            auto* box = qobject_cast<QWidget*>(o);
            if (!box || qobject_cast<QLabel*>(box)) {
                continue;
            }
            bool reached = false;
            for (QLabel* label : client->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
                if (label->geometry().intersects(box->geometry())) {
                    reached = true;
                    ++overlaps;
                    QVERIFY2(stack.indexOf(label) < stack.indexOf(box),
                             qPrintable(label->objectName() + QStringLiteral(" over ") +
                                        box->objectName()));
                }
            }
            // A text box paints every pixel of its own: where a label reaches
            // into it, it still looks on the screen as it does alone.
            if (reached && qobject_cast<QLineEdit*>(box) && box->isVisibleTo(client)) {
                const QImage alone = box->grab().toImage().convertToFormat(painted.format());
                QVERIFY2(painted.copy(box->geometry()) == alone,
                         qPrintable(box->objectName() + QStringLiteral(" is painted over")));
            }
        }
        // Only the calculation screen's labels reach into boxes.
        QCOMPARE(overlaps > 0, screen == QStringLiteral("Form3"));
    }

    void alignment_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("horizontal");
        QTest::newRow("velkor centred") << "Form1"
                                        << "Label1" << int(Qt::AlignHCenter);
        QTest::newRow("qRaum left") << "Form1"
                                    << "Label4" << int(Qt::AlignLeft);
        QTest::newRow("-p left") << "Form1"
                                 << "Label6" << int(Qt::AlignLeft);
        QTest::newRow("project label centred") << "Form2"
                                               << "lblName" << int(Qt::AlignHCenter);
        QTest::newRow("project box centred") << "Form2"
                                             << "txtPersDat7" << int(Qt::AlignHCenter);
        QTest::newRow("mean difference label left") << "Form3"
                                                    << "lblMittel°C" << int(Qt::AlignLeft);
        QTest::newRow("factor label centred") << "Form3"
                                              << "lblFaktor" << int(Qt::AlignHCenter);
        QTest::newRow("room output box centred") << "Form3"
                                                 << "txtQRaum" << int(Qt::AlignHCenter);
        QTest::newRow("type box centred") << "Form3"
                                          << "txtHkTyp" << int(Qt::AlignHCenter);
    }
    void alignment() {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        QFETCH(int, horizontal);
        QWidget* w = Control(screens_->byName(screen), name, -1);
        QVERIFY(w);
        Qt::Alignment a;
        if (auto* l = qobject_cast<QLabel*>(w))
            a = l->alignment();
        if (auto* e = qobject_cast<QLineEdit*>(w))
            a = e->alignment();
        QCOMPARE(int(a & Qt::AlignHorizontal_Mask), horizontal);
    }

    void listingBoxesAreReadOnlyWithVerticalScrollBar_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::newRow("calculation listing") << "Form3"
                                             << "txtAnzeige";
        QTest::newRow("loaded listing") << "frmForm4"
                                        << "txtHKFlaechen";
    }
    void listingBoxesAreReadOnlyWithVerticalScrollBar() {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        auto* box = qobject_cast<QPlainTextEdit*>(Control(screens_->byName(screen), name, -1));
        QVERIFY(box);
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // The widest listing line (58 fixed characters and a 29-character
        // type) fits the box without wrapping.
        const int available = box->viewport()->width() - 2 * int(box->document()->documentMargin());
        QVERIFY2(box->fontMetrics().horizontalAdvance(QString(87, QLatin1Char('0'))) <= available,
                 qPrintable(QString::number(available)));
    }

    void instructionLines_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<QString>("words");
        QTest::newRow("1 greeting") << 1 << 0 << "Sehr geehrter Nutzer.";
        QTest::newRow("2 attention") << 2 << 17 << "A c h t u n g !";
        QTest::newRow("3 basis")
            << 3 << 16
            << "Berechnungsgrundlage dieses Programms ist:  Betriebstemperatur:DIN 90 / 70 / 20  "
               "Mittlere Hk-Temperatur: 60°C  und";
        QTest::newRow("4 EN 442") << 4 << 90
                                  << "DIN EN 442  75 / 65 / 20  Mittlere Hk-Temperatur: 50°C";
        QTest::newRow("5 six blanks") << 5 << 6 << "";
        QTest::newRow("6 eighty-two blanks") << 6 << 82 << "";
        QTest::newRow("7 heading") << 7 << 0 << "Betriebsanleitung:";
        QTest::newRow("8 first page")
            << 8 << 0
            << "1. Seite Projet und Personaleingagen. Die ersten drei Felder müssen Ausgefüllt "
               "werden sonst wird ein Fehler gemeldet.";
        QTest::newRow("9 second page")
            << 9 << 0
            << "2. Seite Heizflächenberechnung:Als erste ist die Betriebsart, DIN 90 / 70 / 20 "
               "oder DIN EN 442 75 / 65 / 20 durch Anklicken der";
        QTest::newRow("10 options") << 10 << 52
                                    << "Optionen aus zuwählen. Alle Eingabefelder in denen der "
                                       "Cusror erscheint sind mit  Werten zu";
        QTest::newRow("11 mouse pointer") << 11 << 52
                                          << "versehen. Wenn der Mauszeiger in das Eingabefeld "
                                             "gehalten wird werden die Eingabegrenzen";
        QTest::newRow("12 Ergebnis") << 12 << 52
                                     << "angezeigt. Nach Anklicken des Feldes Ergebnis mit der "
                                        "Maus wird gerechnet und dieser Heizkörper";
        QTest::newRow("13 seventy radiators")
            << 13 << 52 << "ist fertig. Es können bis zu 70  Heizkörper eingegeben werden.";
        QTest::newRow("14 exponent") << 14 << 52
                                     << "Die Eingabe Exponent wird durch Aussuchen und Anklicken "
                                        "eines Heizkörpers im Listenfeld";
        QTest::newRow("15 quoted Exponent") << 15 << 52 << "\"Exponent\" erreicht.";
        QTest::newRow("16 menu Datei")
            << 16 << 53
            << "Nun können duch Öffnen des Menüs Datei weitere Funktionen ausgewählt werden.";
        QTest::newRow("17 saved work") << 17 << 53
                                       << "In dem Formular \"Projekt und Personaleingaben\" können "
                                          "im Menü Datei Arbeiten gespeicherte";
        QTest::newRow("18 loaded again") << 18 << 53 << "wieder geladen werden.";
        QTest::newRow("19 fun") << 19 << 53 << "Und nun viel Spass.";
    }
    void instructionLines() {
        QFETCH(int, line);
        QFETCH(int, blanks);
        QFETCH(QString, words);
        const QString text = OperatingInstructions();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 19);
        QCOMPARE(lines[line - 1], QString(blanks, QLatin1Char(' ')) + words);
        // The box shows the same lines.
        const QStringList shown =
            screens_->anzeigeLesen.control<QPlainTextEdit>(InstructionsControl::LeseText)
                ->toPlainText()
                .split(QLatin1Char('\n'));
        QCOMPARE(shown[line - 1], lines[line - 1]);
        // The line fits the box in the box's font: a deep indent is never
        // wrapped back to the left margin.
        QPlainTextEdit* box =
            screens_->anzeigeLesen.control<QPlainTextEdit>(InstructionsControl::LeseText);
        const int room = box->viewport()->width() - 2 * qCeil(box->document()->documentMargin());
        const int needed = QFontMetrics(box->font()).horizontalAdvance(lines[line - 1]);
        QVERIFY2(needed <= room,
                 qPrintable(QStringLiteral("needs %1 px of %2").arg(needed).arg(room)));
    }

    // A missing face is replaced at once by the installed face of its kind
    // that was there for it before; an installed face stays itself.
    void fontsNameTheFaceTheyGet_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("face");
        QTest::newRow("Times New Roman") << "Times New Roman"
                                         << "Liberation Serif";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans";
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans";
        QTest::newRow("Courier") << "Courier"
                                 << "Liberation Mono";
        QTest::newRow("installed narrow face") << "Liberation Sans Narrow"
                                               << "Liberation Sans Narrow";
        QTest::newRow("unknown face, sans") << "Xyz Nowhere"
                                            << "Liberation Sans";
        QTest::newRow("asked twice") << "Times New Roman"
                                     << "Liberation Serif";
    }
    void fontsNameTheFaceTheyGet() {
        QFETCH(QString, asked);
        QFETCH(QString, face);
        const QFont font = MakeFont(asked, 10);
        QCOMPARE(font.families(), QStringList{face});
        QCOMPARE(QFontInfo(font).family(), face);
    }

    void menus_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("menuCaption");
        QTest::addColumn<QStringList>("items"); // name=caption=shortcut
        QTest::newRow("project data")
            << "Form2"
            << "mnuItemFile"
            << "Datei" << QStringList{"mnuItemOpen=&Laden=Ctrl+L", "mnuItemExit=B&eenden=Ctrl+E"};
        QTest::newRow("calculation")
            << "Form3"
            << "mnuFile"
            << "&Datei"
            << QStringList{"mnuItemSave=&Speichern unter=Ctrl+S", "mnuPrinterItem=&Drucken=Ctrl+D",
                           "mnuExitItem=B&enden=Ctrl+B"};
        QTest::newRow("loaded data")
            << "frmForm4"
            << "mnuItemDatei"
            << "Datei"
            << QStringList{"mnuItemPrinter=&Drucken=Ctrl+D", "mnuItemExit=Be&enden=Ctrl+E"};
    }
    void menus() {
        QFETCH(QString, screen);
        QFETCH(QString, menu);
        QFETCH(QString, menuCaption);
        QFETCH(QStringList, items);
        auto* m = screens_->byName(screen)->findChild<QMenu*>(menu);
        QVERIFY(m);
        QCOMPARE(m->title(), menuCaption);
        QStringList actual;
        for (QAction* a : m->actions()) {
            actual << a->objectName() + QLatin1Char('=') + a->text() + QLatin1Char('=') +
                          a->shortcut().toString(QKeySequence::PortableText);
        }
        QCOMPARE(actual, items);
    }

    void projectDataTabOrder() {
        Form2& f = screens_->form2;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.control(PersDat(1))->setFocus();
        QStringList visited;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited,
                 (QStringList{"txtPersDat2", "txtPersDat3", "txtPersDat4", "txtPersDat5",
                              "txtPersDat6", "txtPersDat7", "txtPersDat8", "txtPersDat9",
                              "txtPersDat10", "txtPersDat11", "cmdWeiter", "txtPersDat1"}));
        f.hide();
    }

    void titlePicturesAreDrawnInTrueColour_data() {
        QTest::addColumn<bool>("background"); // else the picture Image1(0)
        QTest::addColumn<QSize>("size");
        QTest::newRow("background") << true << QSize(595, 401);
        QTest::newRow("Image1(0)") << false << QSize(470, 277);
    }
    void titlePicturesAreDrawnInTrueColour() {
        QFETCH(bool, background);
        QFETCH(QSize, size);
        // Painted onto a larger 24-bit canvas: many colours inside the
        // picture's size, nothing outside it.
        const QRgb untouched = qRgb(1, 2, 3);
        QImage canvas(size + QSize(40, 40), QImage::Format_RGB888);
        canvas.fill(untouched);
        {
            QPainter p(&canvas);
            background ? PaintTitleBackground(p) : PaintTitlePicture(p);
        }
        QSet<QRgb> colours;
        for (int y = 0; y < canvas.height(); y += 3) {
            for (int x = 0; x < canvas.width(); x += 3) {
                const bool inside = x < size.width() && y < size.height();
                QCOMPARE(canvas.pixel(x, y) == untouched, !inside);
                colours.insert(canvas.pixel(x, y));
            }
        }
        QVERIFY2(colours.size() > 200, qPrintable(QString::number(colours.size())));
        // The screen shows the same pixels.
        QWidget* shown = background ? screens_->form1.client()
                                    : Control(&screens_->form1, QStringLiteral("Image1"), 0);
        const QImage grabbed = shown->grab().toImage().convertToFormat(QImage::Format_RGB888);
        if (!background) {
            QCOMPARE(grabbed.size(), size);
        }
        // Away from the labels: the picture's own corner.
        const QRect corner(0, 0, 40, 40);
        QCOMPARE(grabbed.copy(corner), canvas.copy(corner));
    }

    void menuShortcutWinsOverTheTextBox() {
        KeyScreen screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        screen.box->setFocus();
        QTest::keyClicks(screen.box, QStringLiteral("abc"));
        screen.box->selectAll();
        QSignalSpy triggered(screen.item, &QAction::triggered);
        QTest::keyClick(screen.box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
        // Keys the menu does not use stay the box's: Ctrl+X still cuts.
        QTest::keyClick(screen.box, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(screen.box->text(), QString());
    }

    // The real message box, answered by a timer: its title (the program's
    // name when the message has none), text and icon.
    void realMessageBoxShowsTitleTextAndIcon_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<int>("shownIcon");
        QTest::newRow("information") << int(MsgIcon::Information) << "Eingabeberichtigung"
                                     << "Eingabeberichtigung" << int(QMessageBox::Information);
        QTest::newRow("exclamation") << int(MsgIcon::Exclamation) << "Eingabe fehlt"
                                     << "Eingabe fehlt" << int(QMessageBox::Warning);
        QTest::newRow("critical") << int(MsgIcon::Critical) << "Datei nicht geladen"
                                  << "Datei nicht geladen" << int(QMessageBox::Critical);
        QTest::newRow("no icon, no title") << int(MsgIcon::None) << ""
                                           << "HKberech" << int(QMessageBox::NoIcon);
    }
    void realMessageBoxShowsTitleTextAndIcon() {
        QFETCH(int, icon);
        QFETCH(QString, title);
        QFETCH(QString, shownTitle);
        QFETCH(int, shownIcon);
        watch_.disarm(); // this box is expected
        QString seenTitle, seenText;
        int seenIcon = -1;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seenTitle = box->windowTitle();
                seenText = box->text();
                seenIcon = box->icon();
                box->accept();
            }
        });
        answer.start();
        QtMessageBoxes boxes;
        boxes.show(&screens_->form3, {"Zeile <b>1</b> & mehr", title.toStdString(), MsgIcon(icon)});
        answer.stop();
        watch_.arm();
        QCOMPARE(seenTitle, shownTitle);
        QCOMPARE(seenText, QStringLiteral("Zeile <b>1</b> & mehr"));
        QCOMPARE(seenIcon, shownIcon);
    }

    void qtDialogsSpeakGerman() {
        QVERIFY(LoadGermanTranslation(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Abbrechen"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Save"),
                 QStringLiteral("Speichern"));
    }
};

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
