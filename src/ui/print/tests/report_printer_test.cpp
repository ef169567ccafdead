// The report on a real QPrinter: PDF files read back with poppler's
// pdftotext, pdfinfo and pdffonts, and the print preview.

#include "report/print_report.h"
#include "support/fakes.h"
#include "support/poppler.h"
#include "support/samples.h"
#include "ui/print/report_printer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <vector>

namespace {

using hk::test::PrintedProject;
using hk::ui::test::PdfPages;
using hk::ui::test::PdfText;
using hk::ui::test::Run;

// A printed row of PrintedProject: number, temperatures, room and results.
QRegularExpression RowPattern() {
    return QRegularExpression(
        QStringLiteral("^\\s*(\\d+)\\s+90\\s+70\\s+(1\\d\\d)\\s+Wohnen\\s+20\\s+1500\\s+1,3\\s+"
                       "59,4\\s+1,02\\s+1530\\s+DIN Guss- Radiator\\s*$"),
        QRegularExpression::MultilineOption);
}

QStringList DirEntries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

} // namespace

class ReportPrinterTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QStringList unexpectedBoxes_;
    QTimer boxWatch_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // A message box nobody expects would block the test: close it and fail.
        connect(&boxWatch_, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    unexpectedBoxes_ << box->windowTitle() + QStringLiteral(": ") + box->text();
                    box->done(QMessageBox::Ok);
                }
            }
        });
        boxWatch_.start(50);
    }

    void cleanup() {
        QVERIFY2(unexpectedBoxes_.isEmpty(), qPrintable(unexpectedBoxes_.join(u'\n')));
    }

    void writesReport_data() {
        QTest::addColumn<int>("filled");
        QTest::addColumn<int>("lfNr");
        QTest::addColumn<int>("rows");
        QTest::newRow("three entries") << 3 << 3 << 3;
        QTest::newRow("empty row after next command") << 3 << 4 << 3;
        QTest::newRow("no entry yet") << 0 << 0 << 0;
        QTest::newRow("seventy entries") << 70 << 70 << 70;
        QTest::newRow("counter 71 stops after 70") << 70 << 71 << 70;
    }

    void writesReport() {
        QFETCH(int, filled);
        QFETCH(int, lfNr);
        QFETCH(int, rows);
        const hk::ProgramState state = PrintedProject(filled, lfNr);
        const QString pdf =
            dir_.filePath(QStringLiteral("bericht-%1-%2.pdf").arg(filled).arg(lfNr));
        const auto printed = hk::ui::PrintReportToPdf(state, pdf);
        if (!printed) {
            QFAIL(printed.problem().message.c_str());
        }

        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.size() > 1000);
        QCOMPARE(f.read(5), QByteArray("%PDF-"));

        const QString text = PdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("Velkor/Pro Tandrimo")));
        QVERIFY(text.contains(QStringLiteral("Projekt Nr.: P-17")));
        QVERIFY(text.contains(QStringLiteral("Hauptstraße 5")));
        QVERIFY(text.contains(QStringLiteral("H e i z f l ä c h e n b e r e c h n u n g")));
        QVERIFY(text.contains(QStringLiteral("Referenz-Temperatur: 60")));
        // pdftotext squeezes runs of blanks; compare with blanks collapsed.
        const auto squeezed = [](QString t) {
            return t.replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "));
        };
        const auto fromView = [](std::string_view v) {
            return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
        };
        QVERIFY(squeezed(text).contains(squeezed(fromView(hk::kPrintColumnHeader)).trimmed()));
        QVERIFY(text.contains(fromView(hk::kPrintColumnRule)));

        // One row per filled entry, in order, each its own room number.
        QList<int> numbers;
        auto it = RowPattern().globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            QCOMPARE(m.captured(2).toInt(), 100 + m.captured(1).toInt());
            numbers << m.captured(1).toInt();
        }
        QCOMPARE(numbers.size(), rows);
        for (int i = 0; i < numbers.size(); ++i) {
            QCOMPARE(numbers[i], i + 1);
        }
        // The empty entry after the next command: its number and zeros.
        const bool emptyRow = lfNr > filled && lfNr <= 70;
        const QRegularExpression empty(QStringLiteral("^\\s*%1(\\s+0){8}\\s*$").arg(lfNr),
                                       QRegularExpression::MultilineOption);
        QCOMPARE(empty.match(text).hasMatch(), emptyRow);
        QVERIFY(!text.contains(
            QRegularExpression(QStringLiteral("^\\s*71\\s"), QRegularExpression::MultilineOption)));
    }

    void longReportContinuesWithoutHeader() {
        const QString pdf = dir_.filePath(QStringLiteral("lang.pdf"));
        const auto printed = hk::ui::PrintReportToPdf(PrintedProject(70, 70), pdf);
        if (!printed) {
            QFAIL(printed.problem().message.c_str());
        }
        const int pages = PdfPages(pdf);
        QCOMPARE(pages, 2);
        const QString second = PdfText(pdf, 2);
        QVERIFY(!second.contains(QStringLiteral("Velkor")));
        QVERIFY(!second.contains(QStringLiteral("LfNr")));
        QVERIFY(!second.contains(QStringLiteral("Referenz")));
        // Page two starts with the row that follows the last one of page one.
        const auto firstOfSecond = RowPattern().match(second);
        QVERIFY(firstOfSecond.hasMatch());
        int lastOfFirst = 0;
        auto it = RowPattern().globalMatch(PdfText(pdf, 1));
        while (it.hasNext()) {
            lastOfFirst = it.next().captured(1).toInt();
        }
        QVERIFY(lastOfFirst > 10);
        QCOMPARE(firstOfSecond.captured(1).toInt(), lastOfFirst + 1);
    }

    // Word positions on the page: each value starts at its tab column, the
    // columns being as wide as the characters of the monospaced table face.
    void valuesStandUnderTheirLabels() {
        const QString pdf = dir_.filePath(QStringLiteral("spalten.pdf"));
        hk::ProgramState state = PrintedProject(12, 12);
        state.table.at(12).dRaum = -5;
        const auto printed = hk::ui::PrintReportToPdf(state, pdf);
        if (!printed) {
            QFAIL(printed.problem().message.c_str());
        }
        const QString bbox =
            Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        struct Word {
            double x0, x1, y;
            QString text;
        };
        QList<Word> words;
        auto it =
            QRegularExpression(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                              "xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"))
                .globalMatch(bbox);
        while (it.hasNext()) {
            const auto m = it.next();
            words.append({m.captured(1).toDouble(), m.captured(3).toDouble(),
                          m.captured(2).toDouble(), m.captured(4)});
        }
        const auto find = [&](const QString& text, double y) -> const Word* {
            for (const Word& w : words) {
                if (w.text == text && (y < 0 || qAbs(w.y - y) < 0.5)) {
                    return &w;
                }
            }
            return nullptr;
        };
        const Word* lfnr = find(QStringLiteral("LfNr|"), -1); // column 7
        QVERIFY(lfnr != nullptr);
        const double column = (lfnr->x1 - lfnr->x0) / 5; // one character, pt
        QVERIFY2(column > 5.5 && column < 6.5, qPrintable(QString::number(column)));
        const auto columnOf = [&](const Word* w) { return 7 + (w->x0 - lfnr->x0) / column; };
        struct Cell {
            int column; // where the word starts
            const char* text;
        };
        // Labels of the column header.
        for (const Cell& c : {Cell{13, "dV|"}, Cell{39, "Q.-R.|"}, Cell{46, "Ex"}, Cell{51, "d-M"},
                              Cell{56, "|Fakt|Q-neu|"}, Cell{74, "Heizflächen"}}) {
            const Word* w = find(QString::fromUtf8(c.text), lfnr->y);
            QVERIFY2(w != nullptr, c.text);
            QVERIFY2(qAbs(columnOf(w) - c.column) < 0.1,
                     qPrintable(QStringLiteral("%1 at column %2").arg(c.text).arg(columnOf(w))));
        }
        // The row of entry 12, its room temperature negative.
        const Word* room = find(QStringLiteral("112"), -1);
        QVERIFY(room != nullptr);
        for (const Cell& c :
             {Cell{8, "12"}, Cell{13, "90"}, Cell{17, "70"}, Cell{20, "112"}, Cell{25, "Wohnen"},
              Cell{34, "-5"}, Cell{39, "1500"}, Cell{45, "1,3"}, Cell{51, "59,4"}, Cell{57, "1,02"},
              Cell{63, "1530"}, Cell{69, "DIN"}}) {
            const Word* w = find(QString::fromUtf8(c.text), room->y);
            QVERIFY2(w != nullptr, c.text);
            QVERIFY2(qAbs(columnOf(w) - c.column) < 0.1,
                     qPrintable(QStringLiteral("%1 at column %2").arg(c.text).arg(columnOf(w))));
        }
    }

    // The requested faces keep their kind where they are missing: Arial as a
    // sans face, Times Roman as a serif one, Courier New as a monospaced one.
    void fontsKeepTheirKind() {
        const QString pdf = dir_.filePath(QStringLiteral("schriften.pdf"));
        const auto printed = hk::ui::PrintReportToPdf(PrintedProject(2, 2), pdf);
        if (!printed) {
            QFAIL(printed.problem().message.c_str());
        }
        const QString fonts = Run(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("(Arial|LiberationSans)-?Bold"))),
                 qPrintable(fonts));
        QVERIFY2(fonts.contains(
                     QRegularExpression(QStringLiteral("(Times|LiberationSerif)[^\\n]*Bold"))),
                 qPrintable(fonts));
        QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("(Courier|LiberationMono)"))),
                 qPrintable(fonts));
        QVERIFY2(!fonts.contains(QStringLiteral("DejaVuSans-Bold")), qPrintable(fonts));
    }

    void replacesAnOlderFile() {
        const QString pdf = dir_.filePath(QStringLiteral("alt.pdf"));
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("alter Inhalt");
        old.close();
        const auto printed = hk::ui::PrintReportToPdf(PrintedProject(1, 1), pdf);
        if (!printed) {
            QFAIL(printed.problem().message.c_str());
        }
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
        QVERIFY(f.permissions() & QFile::ReadOther);
    }

    void refusesUnwritablePath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("watchedDir"); // must hold nothing new afterwards
        const QString base = dir_.filePath(QStringLiteral("unbeschreibbar"));
        QDir().mkpath(base + QStringLiteral("/ordner.pdf"));
        QFile regular(base + QStringLiteral("/datei.txt"));
        regular.open(QIODevice::WriteOnly);
        regular.write("x");
        regular.close();
        QTest::newRow("missing directory")
            << QStringLiteral("/nonexistent-dir/bericht.pdf") << base;
        QTest::newRow("below a regular file")
            << base + QStringLiteral("/datei.txt/bericht.pdf") << base;
        QTest::newRow("target is a directory") << base + QStringLiteral("/ordner.pdf") << base;
        QTest::newRow("empty name") << QString() << base;
    }

    void refusesUnwritablePath() {
        QFETCH(QString, path);
        QFETCH(QString, watchedDir);
        const QStringList before = DirEntries(watchedDir);
        const bool existedAsDir = !path.isEmpty() && QFileInfo(path).isDir();
        const auto printed = hk::ui::PrintReportToPdf(PrintedProject(3, 3), path);
        QVERIFY(!printed);
        const QString error = QString::fromStdString(printed.problem().message);
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("Datei")) ||
                     error.contains(QStringLiteral("Dateiname")),
                 qPrintable(error));
        if (!path.isEmpty()) {
            QCOMPARE(QFileInfo(path).isDir(), existedAsDir);
            QVERIFY(existedAsDir || !QFileInfo::exists(path));
        }
        QCOMPARE(DirEntries(watchedDir), before);
        QVERIFY(!QFileInfo::exists(QStringLiteral("/nonexistent-dir")));
        QVERIFY(DirEntries(watchedDir + QStringLiteral("/ordner.pdf")).isEmpty());
    }

    void failureNamesTheFile() {
        const auto printed = hk::ui::PrintReportToPdf(PrintedProject(1, 1),
                                                      QStringLiteral("/nonexistent-dir/x.pdf"));
        QVERIFY(!printed);
        QCOMPARE(QString::fromStdString(printed.problem().message),
                 QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.")
                     .arg(QDir::toNativeSeparators(QStringLiteral("/nonexistent-dir/x.pdf"))));
    }

    void previewShowsTheReport_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("pages");
        QTest::newRow("three entries one page") << 3 << 1;
        QTest::newRow("seventy entries two pages") << 70 << 2;
    }

    void previewShowsTheReport() {
        QFETCH(int, entries);
        QFETCH(int, pages);
        const hk::ProgramState state = PrintedProject(entries, entries);
        const hk::ProgramState before = state;
        int seenPages = -1;
        QString title;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            if (preview == nullptr || preview->pageCount() == 0) {
                return;
            }
            seenPages = preview->pageCount();
            title = dialog->windowTitle();
            dialog->reject();
        });
        poll.start(20);
        QWidget parent;
        hk::test::MessageLog messages; // the boxes the preview would show
        hk::ui::PrintReportWithPreview(state, &parent, messages);
        poll.stop();
        QCOMPARE(seenPages, pages);
        QCOMPARE(title, QStringLiteral("Druckvorschau"));
        QVERIFY(messages.shown.empty());
        QVERIFY(state == before);
    }
};

QTEST_MAIN(ReportPrinterTest)
#include "report_printer_test.moc"
