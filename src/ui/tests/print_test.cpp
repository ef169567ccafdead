// Printing from the calculation screen and from the display screen of a
// loaded project, through the real report printer into PDF files.

#include "support/gui_fixture.h"
#include "support/poppler.h"
#include "support/screen_test_case.h"
#include "support/screen_walk.h"

#include "ui/display_screen.h"
#include "ui/print/report_printer.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

// Prints every report into the next numbered PDF file of a folder.
class PdfPrinter : public ReportPrinter {
public:
    explicit PdfPrinter(QString folder) : folder_(std::move(folder)) {}
    QStringList files;
    QStringList errors;
    void print(const ProgramState& state, QWidget* /*parent*/) override {
        const QString name = folder_ + QStringLiteral("/report%1.pdf").arg(files.size() + 1);
        if (const auto printed = PrintReportToPdf(state, name)) {
            files << name;
        } else {
            errors << QString::fromStdString(printed.problem().message);
        }
    }

private:
    QString folder_;
};

// Rows of the printed table: lines that begin with an entry number.
QStringList TableRows(const QString& text) {
    QStringList rows;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        static const QRegularExpression row(QStringLiteral("^\\s+\\d+\\s+\\d+\\s+\\d+\\s"));
        if (row.match(line).hasMatch()) {
            rows << line.simplified();
        }
    }
    return rows;
}

} // namespace

class PrintTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void calculationScreenPrintsItsProject() {
        QTemporaryDir out;
        PdfPrinter pdf(out.path());
        Harness h(&pdf);
        QVERIFY(WalkToForm2(h));
        h.shell.form2()->control<QLineEdit>(PersDat(1))->setText(QStringLiteral("P-77"));
        h.shell.form2()->control<QLineEdit>(PersDat(4))->setText(QStringLiteral("Bäcker"));
        QTest::mouseClick(h.shell.form2()->control(HeaderControl::cmdWeiter), Qt::LeftButton);
        Form3* f = h.shell.form3();
        QVERIFY(QTest::qWaitForWindowActive(f));
        CalculateOne(f, "11", "Küche");
        QTest::keyClick(f, Qt::Key_D, Qt::ControlModifier);

        QCOMPARE(pdf.errors, QStringList{});
        QCOMPARE(pdf.files.size(), 1);
        const QString text = PdfText(pdf.files[0]);
        QVERIFY2(text.contains(QStringLiteral("Velkor/Pro Tandrimo")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Projekt Nr.: P-77")));
        QVERIFY(text.contains(QStringLiteral("für: Bäcker")));
        QVERIFY(text.contains(QStringLiteral("Referenz-Temperatur: 60")));
        const QStringList rows = TableRows(text);
        QCOMPARE(rows.size(), 1);
        QVERIFY2(rows[0].startsWith(QStringLiteral("1 70 40 11 Küche 20 1000 1,3 32,7 2,2 2200")),
                 qPrintable(rows[0]));
        QVERIFY(h.messages.shown.empty());
    }

    // From the display screen the loaded project is printed as loaded: all
    // its rows, not the one row a freshly opened calculation screen has.
    void displayScreenPrintsTheLoadedProject() {
        const QString file = path("zwei.TXT");
        const ProgramState saved = SaveTwoRadiators(file);
        QCOMPARE(saved.LfNr, 2);

        QTemporaryDir out;
        PdfPrinter pdf(out.path());
        Harness h(&pdf);
        QVERIFY(WalkToForm2(h));
        h.dialogs.answers = {file.toStdString()};
        Trigger(h.shell.form2(), "mnuItemOpen");
        frmForm4* f4 = h.shell.form4();
        QVERIFY(f4 && QTest::qWaitForWindowActive(f4));
        QTest::keyClick(f4, Qt::Key_D, Qt::ControlModifier);

        QCOMPARE(pdf.errors, QStringList{});
        QCOMPARE(pdf.files.size(), 1);
        const QString text = PdfText(pdf.files[0]);
        QVERIFY2(text.contains(QStringLiteral("Projekt Nr.: P-2")), qPrintable(text));
        const QStringList rows = TableRows(text);
        QCOMPARE(rows.size(), 2);
        QVERIFY2(rows[0].startsWith(QStringLiteral("1 70 40 1 Küche")), qPrintable(rows[0]));
        QVERIFY2(rows[1].startsWith(QStringLiteral("2 70 40 2 Bad, oben")), qPrintable(rows[1]));
        QCOMPARE(h.state.LfNr, 2);
        QCOMPARE(h.shell.form3(), nullptr);
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
