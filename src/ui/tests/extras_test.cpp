// The menu "E&xtras" on the calculation and the display screen: its items
// and shortcuts beside the unchanged "Datei" menus, the client report and the
// CSV table written from either screen, and the real export dialog.

#include "support/gui_fixture.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "project/table_export.h"
#include "ui/display_screen.h"
#include "ui/qt_services.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

// The menus of a screen's menu bar, by object name, in their order.
QStringList MenuBarMenus(Screen* s) {
    QStringList names;
    for (QAction* a : s->menuBar()->actions()) {
        if (a->menu() != nullptr) {
            names << a->menu()->objectName() + QLatin1Char('=') + a->menu()->title();
        }
    }
    return names;
}

QString ItemText(QMenu* menu, const char* name) {
    for (QAction* a : menu->actions()) {
        if (a->objectName() == QLatin1String(name)) {
            return a->text() + QLatin1Char('=') +
                   a->shortcut().toString(QKeySequence::PortableText);
        }
    }
    return QStringLiteral("(missing)");
}

} // namespace

class ExtrasTest : public ScreenTestCase {
    Q_OBJECT

    // A loaded project of two radiators on the display screen.
    frmForm4* LoadTwo(Harness& h) {
        SaveTwoRadiators(path("zwei.TXT"));
        if (!WalkToForm2(h)) {
            return nullptr;
        }
        h.dialogs.answers = {path("zwei.TXT").toStdString()};
        Trigger(h.shell.form2(), "mnuItemOpen");
        frmForm4* f4 = h.shell.form4();
        return f4 && QTest::qWaitForWindowActive(f4) ? f4 : nullptr;
    }

    Screen* OnScreen(Harness& h, const QString& screen) {
        if (screen == QLatin1String("Form3")) {
            if (!WalkToForm3(h)) {
                return nullptr;
            }
            CalculateOne(h.shell.form3(), "7", "Küche");
            return h.shell.form3();
        }
        return LoadTwo(h);
    }

private slots:
    void menuStandsRightOfDateiWithItsItems_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("menus");
        QTest::newRow("calculation")
            << "Form3" << QStringList{"mnuFile=&Datei", "mnuExtras=E&xtras"};
        QTest::newRow("loaded data")
            << "frmForm4" << QStringList{"mnuItemDatei=Datei", "mnuExtras=E&xtras"};
    }
    void menuStandsRightOfDateiWithItsItems() {
        QFETCH(QString, screen);
        QFETCH(QStringList, menus);
        Harness h;
        Screen* s = OnScreen(h, screen);
        QVERIFY(s);
        QCOMPARE(MenuBarMenus(s), menus);
        auto* extras = s->findChild<QMenu*>(QStringLiteral("mnuExtras"));
        QVERIFY(extras);
        QCOMPARE(ItemText(extras, "mnuItemBericht"),
                 QStringLiteral("&Projektbericht als PDF…=Ctrl+R"));
        QCOMPARE(ItemText(extras, "mnuItemCsv"), QStringLiteral("Tabelle als &CSV…="));
    }

    void reportAndTableFromEitherScreen_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("byShortcut"); // Ctrl+R instead of the menu item
        QTest::addColumn<QString>("number");  // the project number the name is proposed from
        QTest::newRow("calculation, menu item") << "Form3" << false << "P-1";
        QTest::newRow("calculation, Ctrl+R") << "Form3" << true << "P-1";
        QTest::newRow("loaded data, menu item") << "frmForm4" << false << "P-2";
        QTest::newRow("loaded data, Ctrl+R") << "frmForm4" << true << "P-2";
    }
    void reportAndTableFromEitherScreen() {
        QFETCH(QString, screen);
        QFETCH(bool, byShortcut);
        QFETCH(QString, number);
        Harness h;
        Screen* s = OnScreen(h, screen);
        QVERIFY(s);
        const ProgramState before = h.state;
        const QString pdf = path("bericht.pdf");
        const QString csv = path("tabelle.csv");
        QFile::remove(pdf);
        QFile::remove(csv);
        h.dialogs.answers = {pdf.toStdString(), csv.toStdString()};
        if (byShortcut) {
            QTest::keyClick(s, Qt::Key_R, Qt::ControlModifier);
        } else {
            Trigger(s, "mnuItemBericht");
        }
        Trigger(s, "mnuItemCsv");

        QVERIFY(h.messages.shown.empty());
        // The display screen's way there asked for the file to load first.
        QCOMPARE(h.dialogs.requests.size(), screen == QLatin1String("Form3") ? 2u : 3u);
        const auto& report = h.dialogs.requests[h.dialogs.requests.size() - 2];
        const auto& table = h.dialogs.requests.back();
        QCOMPARE(QString::fromStdString(report.title),
                 QStringLiteral("Projekt %1.pdf").arg(number));
        QCOMPARE(report.filters, std::vector<FileFilter>{PdfFilter()});
        QCOMPARE(QString::fromStdString(table.title), QStringLiteral("Projekt %1.csv").arg(number));
        QCOMPARE(table.filters, std::vector<FileFilter>{CsvFilter()});
        QVERIFY(FileBytes(pdf).startsWith("%PDF-"));
        QCOMPARE(FileBytes(csv), QByteArray::fromStdString(TableCsv(h.state)));
        QVERIFY(FileBytes(csv).contains("\r\n1;"));
        QVERIFY(h.state == before);
        QCOMPARE(VisibleScreens(), QStringList{screen});
        // Nothing beside the two files, no temporary file left.
        QCOMPARE(QDir(dir_.path())
                     .entryList(QDir::Files | QDir::Hidden)
                     .filter(QStringLiteral(".hkberech")),
                 QStringList());
    }

    void cancelWritesNothing() {
        Harness h;
        Screen* s = OnScreen(h, QStringLiteral("Form3"));
        QVERIFY(s);
        const QStringList before = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
        Trigger(s, "mnuItemBericht"); // the fake dialog's queue is empty: cancelled
        Trigger(s, "mnuItemCsv");
        QCOMPARE(h.dialogs.requests.size(), 2u);
        QVERIFY(h.messages.shown.empty());
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), before);
    }

    void failureIsToldOverTheScreenAndNamesTheFile_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("item");
        QTest::newRow("report on the calculation screen") << "Form3"
                                                          << "mnuItemBericht";
        QTest::newRow("table on the display screen") << "frmForm4"
                                                     << "mnuItemCsv";
    }
    void failureIsToldOverTheScreenAndNamesTheFile() {
        QFETCH(QString, screen);
        QFETCH(QString, item);
        Harness h;
        Screen* s = OnScreen(h, screen);
        QVERIFY(s);
        const QString target = path("kein Ordner/datei");
        h.dialogs.answers = {target.toStdString()};
        Trigger(s, item.toUtf8().constData());
        QCOMPARE(h.messages.shown.size(), 1u);
        QCOMPARE(h.messages.parents[0], s);
        QCOMPARE(h.messages.shown[0].title, "Datei nicht gespeichert");
        QVERIFY(QString::fromStdString(h.messages.shown[0].text).contains(target));
        QVERIFY(!QDir(path("kein Ordner")).exists());
    }

    // The Qt dialog of an export: the proposed name in the name box, the one
    // filter, and a name typed without its extension gets it.
    void qtExportDialogProposesTheNameAndAddsTheExtension() {
        watch_.disarm(); // this test answers the modal dialog itself
        QtFileDialogs dialogs;
        QString proposed;
        QStringList filters;
        QTimer::singleShot(200, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (d == nullptr) {
                return;
            }
            d->setOption(QFileDialog::DontConfirmOverwrite);
            proposed = d->selectedFiles().value(0);
            filters = d->nameFilters();
            d->setDirectory(dir_.path());
            auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name == nullptr) {
                return;
            }
            name->setText(QStringLiteral("ohne Endung"));
            QMetaObject::invokeMethod(d, "accept");
        });
        const std::string chosen = dialogs.exportFileName("Projekt 2024-117.pdf", PdfFilter());
        watch_.arm();
        QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("Projekt 2024-117.pdf"));
        QCOMPARE(filters, QStringList{QStringLiteral("PDF-Dateien (*.pdf) (*.pdf)")});
        QCOMPARE(QString::fromStdString(chosen), path("ohne Endung.pdf"));
    }
};

QTEST_MAIN(ExtrasTest)
#include "extras_test.moc"
