// The module of the print preview and the check window, opened on demand:
// every way a module file can be wrong gives a German message naming the
// file and no parts, the real module gives its parts, and a program without
// linked parts and without the module tells the user and changes nothing.
// This program links no parts, as the program itself does not.

#include "support/gui_fixture.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "ui/on_demand.h"
#include "ui/qt_services.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

class OnDemandTest : public ScreenTestCase {
    Q_OBJECT
    QTemporaryDir dir_;

    // A file in the temporary folder with the given bytes.
    QString fileWith(const QString& name, const QByteArray& bytes) const {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

private slots:
    void refusesEveryBrokenModule_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("why");
        QTest::newRow("no file") << dir_.filePath(QStringLiteral("fehlt.so")) << "fehlt";
        QTest::newRow("a folder") << dir_.path() << "fehlt";
        QTest::newRow("empty file")
            << fileWith(QStringLiteral("leer.so"), {}) << "lässt sich nicht laden";
        QTest::newRow("text, not a module")
            << fileWith(QStringLiteral("text.so"), "kein Modul\n") << "lässt sich nicht laden";
        QTest::newRow("ELF header cut short")
            << fileWith(QStringLiteral("kurz.so"), QByteArray("\x7f"
                                                              "ELF\x02\x01\x01",
                                                              7))
            << "lässt sich nicht laden";
        QTest::newRow("module without the entry")
            << QStringLiteral(HK_FAKE_PARTS_NO_ENTRY) << "passt nicht zu diesem Programm";
        QTest::newRow("entry gives no table")
            << QStringLiteral(HK_FAKE_PARTS_NULL_TABLE) << "passt nicht zu diesem Programm";
        QTest::newRow("table of an older build")
            << QStringLiteral(HK_FAKE_PARTS_OLD_VERSION) << "passt nicht zu diesem Programm";
        QTest::newRow("table with a missing part")
            << QStringLiteral(HK_FAKE_PARTS_MISSING_PART) << "passt nicht zu diesem Programm";
    }
    void refusesEveryBrokenModule() {
        QFETCH(QString, path);
        QFETCH(QString, why);
        const Result<const OnDemandParts*> loaded = LoadPartsModule(path);
        QVERIFY(!loaded);
        const QString problem = QString::fromStdString(loaded.problem().message);
        QVERIFY2(problem.startsWith(
                     QStringLiteral("Das Zusatzmodul für Drucken und Wärmepumpen-Check (")),
                 qPrintable(problem));
        QVERIFY2(
            problem.contains(QDir::toNativeSeparators(path) + QStringLiteral(") ") + why + '.'),
            qPrintable(problem));
        QVERIFY(problem.endsWith(QStringLiteral("Bitte installieren Sie das Programm neu.")));
    }

    void takesThePartsOfTheRealModule() {
        const Result<const OnDemandParts*> loaded =
            LoadPartsModule(QStringLiteral(HK_PARTS_MODULE));
        QVERIFY2(loaded, loaded ? "" : loaded.problem().message.c_str());
        QCOMPARE((*loaded)->version, kOnDemandPartsVersion);
        QVERIFY((*loaded)->printReport != nullptr);
        QVERIFY((*loaded)->newCheckWindow != nullptr);
        QVERIFY(loaded.ok());
    }

    // The window comes from the module's own code, not from this program.
    void theRealModuleMakesTheCheckWindow() {
        const Result<const OnDemandParts*> loaded =
            LoadPartsModule(QStringLiteral(HK_PARTS_MODULE));
        QVERIFY2(loaded, loaded ? "" : loaded.problem().message.c_str());
        ProgramState state;
        RecordingMessages messages;
        FakeFileDialogs dialogs;
        std::unique_ptr<CheckWindow> window((*loaded)->newCheckWindow(state, messages, dialogs));
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        window->open();
        QVERIFY(window->isVisible());
        QCOMPARE(window->objectName(), QStringLiteral("frmCheck"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Wärmepumpen-Check"));
        QVERIFY(messages.shown.empty());
    }

    void looksBesideTheProgramThenInItsInstalledFolder_data() {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QStringList>("expected");
        const QString file = QStringLiteral("hkberech_parts.so");
        QTest::newRow("installed under /usr")
            << "/usr/bin" << QStringList{"/usr/bin/" + file, "/usr/lib/hkberech/" + file};
        QTest::newRow("trailing slash")
            << "/opt/hk/bin/" << QStringList{"/opt/hk/bin/" + file, "/opt/hk/lib/hkberech/" + file};
        QTest::newRow("build folder") << "build/release/src/app"
                                      << QStringList{"build/release/src/app/" + file,
                                                     "build/release/src/lib/hkberech/" + file};
        QTest::newRow("program in /bin")
            << "/bin" << QStringList{"/bin/" + file, "/lib/hkberech/" + file};
        QTest::newRow("program at the root")
            << "/" << QStringList{"/" + file, "/lib/hkberech/" + file};
    }
    void looksBesideTheProgramThenInItsInstalledFolder() {
        QFETCH(QString, programDir);
        QFETCH(QStringList, expected);
        QCOMPARE(PartsModuleCandidates(programDir), expected);
    }

    // This test program has neither linked parts nor a module beside it.
    void printingWithoutTheModuleSaysSoEveryTime() {
        RecordingMessages messages;
        QtReportPrinter printer(messages);
        ProgramState state;
        printer.print(state, nullptr);
        printer.print(state, nullptr);
        QCOMPARE(messages.shown.size(), std::size_t{2});
        for (const auto& shown : messages.shown) {
            QCOMPARE(shown.icon, MsgIcon::Critical);
            QCOMPARE(shown.title, std::string(kAppTitle));
            QVERIFY(QString::fromStdString(shown.text)
                        .contains(QStringLiteral("hkberech_parts.so) fehlt.")));
        }
    }

    void theCheckWithoutTheModuleSaysSoAndChangesNothing() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        CalculateOne(h.shell.form3(), "1", "Flur");
        const ProgramState before = h.state;
        QTest::keyClick(h.shell.form3(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(h.shell.check() == nullptr);
        QCOMPARE(h.messages.shown.size(), std::size_t{1});
        QCOMPARE(h.messages.parents[0], static_cast<QWidget*>(h.shell.form3()));
        QVERIFY(
            QString::fromStdString(h.messages.shown[0].text).contains(QStringLiteral("fehlt.")));
        QVERIFY(h.shell.form3()->isVisible());
        QVERIFY(h.state == before);
    }
};

QTEST_MAIN(OnDemandTest)
#include "on_demand_test.moc"
