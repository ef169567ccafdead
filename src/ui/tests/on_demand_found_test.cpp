// The program's way to the module: this test program stands beside the
// module in the build folder and links no parts, as the program does, so
// printing and the check go through the module found beside it.

#include "support/gui_fixture.h"
#include "support/screen_walk.h"

#include "ui/on_demand.h"
#include "ui/qt_services.h"

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

class OnDemandFoundTest : public QObject {
    Q_OBJECT
    ModalWatch watch_;

private slots:
    void init() { watch_.arm(); }

    void theModuleIsOpenedOnceAndKept() {
        RecordingMessages messages;
        const OnDemandParts* first = OnDemandPartsOrTell(messages, nullptr);
        QVERIFY(first != nullptr);
        QCOMPARE(OnDemandPartsOrTell(messages, nullptr), first);
        QVERIFY(messages.shown.empty());
        QVERIFY(watch_.disarm().isEmpty());
    }

    void printingOpensTheModulesPrintPreview() {
        RecordingMessages messages;
        QtReportPrinter printer(messages);
        ProgramState state;
        printer.print(state, nullptr);
        QVERIFY(messages.shown.empty());
        // The watch closes the modal preview and names it.
        QCOMPARE(watch_.disarm(),
                 QStringList{QStringLiteral("QPrintPreviewDialog \"Druckvorschau\"")});
    }

    void theCheckOpensTheModulesWindow() {
        Harness h;
        QVERIFY(WalkToForm3(h));
        CalculateOne(h.shell.form3(), "1", "Flur");
        QTest::keyClick(h.shell.form3(), Qt::Key_T, Qt::ControlModifier);
        CheckWindow* w = h.shell.check();
        QVERIFY(w != nullptr);
        QVERIFY(w->isVisible());
        QCOMPARE(w->metaObject()->className(), "hk::ui::frmCheck");
        QCOMPARE(w->windowTitle(), QStringLiteral("Wärmepumpen-Check"));
        QVERIFY(h.messages.shown.empty());
        QVERIFY(watch_.disarm().isEmpty());
    }
};

QTEST_MAIN(OnDemandFoundTest)
#include "on_demand_found_test.moc"
