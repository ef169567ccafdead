// The client report read back from its PDF with poppler's pdftotext, pdfinfo
// and pdffonts, and the page flow of report bodies.

#include "ui/report/flow_body.h"
#include "ui/report/project_report.h"
#include "ui/testing/poppler.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using hk::ProjectHeader;
using hk::ui::test::PdfPages;
using hk::ui::test::PdfText;
using hk::ui::test::Run;

const QDateTime kCreated(QDate(2026, 12, 8), QTime(14, 5));

// 70 radiators with the longest texts the input boxes take.
hk::ProgramState LongProject(int entries = 70) {
    hk::ProgramState s;
    s.header[ProjectHeader::ProjektNr] = "2024-117";
    s.header[ProjectHeader::Bearbeiter] = "Meier";
    s.header[ProjectHeader::Datum] = "08.12.2026";
    s.header[ProjectHeader::BauherrName] = "Schulze-Wiesenthal";
    s.header[ProjectHeader::BauherrVorname] = "Anna-Katharina";
    s.header[ProjectHeader::BauherrStrasse] = "Hauptstraße 125";
    s.header[ProjectHeader::BauherrOrt] = "12345 Bergdorf";
    s.header[ProjectHeader::BauherrTelefon] = "0123 456789";
    s.header[ProjectHeader::BaustelleStrasse] = "Am Hang 3";
    s.header[ProjectHeader::BaustelleOrt] = "12346 Talheim";
    s.header[ProjectHeader::BaustelleTelefon] = "0987 654321";
    s.dNorm = 60;
    s.LfNr = static_cast<std::int16_t>(entries);
    for (int n = 1; n <= entries; ++n) {
        hk::RadiatorEntry& e = s.table.at(n);
        e.dVorl = 105;
        e.dRueckl = 100;
        e.RaumNr = QString::number(1000 + n).toStdString();
        e.RaumVer = "Wohnzimmerx"; // 11 characters
        e.dRaum = 20.5f;
        e.QRaum = 10000;
        e.Exponent = 1.33f;
        e.dMittel = 82.5f;
        e.Faktor = 0.65f;
        e.QHKNeu = static_cast<float>(6500 + n);
        e.HkTyp = "Plattenheizkörper Typ 33 WWWW"; // 29 characters
    }
    return s;
}

// A flow body of fixed blocks: heights in units, the heading of the rows and
// the blocks that keep with the next.
class FixedBody : public hk::ui::FlowBody {
public:
    std::vector<hk::ui::FlowBlock> blocks;

protected:
    std::vector<hk::ui::FlowBlock> layOut(const QPaintDevice&, qreal) override { return blocks; }
};

// "0,1,2|1,3" : blocks 0 1 2 on the first page, heading 1 and block 3 on the next.
QString PageMap(const hk::ui::FlowBody& body) {
    QStringList pages;
    for (const auto& page : body.pages()) {
        QStringList blocks;
        for (const auto& placed : page) {
            blocks << QString::number(placed.block);
        }
        pages << blocks.join(u',');
    }
    return pages.join(u'|');
}

} // namespace

class ProjectReportTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString Write(const hk::ProgramState& state, const QString& name) {
        const auto written = hk::ui::WriteProjectReportPdf(state, kCreated);
        if (!written) {
            qWarning("%s", written.problem().message.c_str());
            return {};
        }
        const QByteArray& pdf = *written;
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(pdf) != pdf.size()) {
            return {};
        }
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void seventyLongEntriesFitOnThreePagesWithFrameAndHeading() {
        const QString pdf = Write(LongProject(), QStringLiteral("lang.pdf"));
        QVERIFY(!pdf.isEmpty());
        const int pages = PdfPages(pdf);
        QVERIFY2(pages >= 1 && pages <= 3, qPrintable(QString::number(pages)));
        QMap<int, int> seen; // entry number -> times seen on a line of its own
        for (int page = 1; page <= pages; ++page) {
            const QString text = PdfText(pdf, page);
            QVERIFY2(text.contains(QStringLiteral("Seite %1 von %2").arg(page).arg(pages)),
                     qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("08.12.2026, 14:05")));
            QVERIFY(text.contains(
                QRegularExpression(QStringLiteral("Heizflächenberechnung\\s+Projekt 2024-117"))));
            // A heading whose column is narrower stands on two lines.
            for (const char* heading :
                 {"Vorlauf\\s+Rücklauf\\s+Raum\\s+Q-Raum\\s+Δtm\\s+Q-Norm",
                  "Nr\\.\\s+Raum-Nr\\.\\s+Raumverwendung\\s+n\\s+f\\s+Heizkörpertyp",
                  "°C\\s+°C\\s+°C\\s+W\\s+K\\s+W"}) {
                QVERIFY2(text.contains(QRegularExpression(QString::fromUtf8(heading))),
                         qPrintable(QStringLiteral("page %1 without %2:\n").arg(page).arg(heading) +
                                    text));
            }
            // number, room number, all values and the whole type on one line
            const QRegularExpression row(
                QStringLiteral("^\\s*(\\d+)\\s+(\\d{4})\\s+Wohnzimmerx\\s+105\\s+100\\s+20,5\\s+"
                               "10000\\s+1,33\\s+82,5\\s+0,65\\s+(\\d+)\\s+Plattenheizkörper "
                               "Typ 33 WWWW\\s*$"),
                QRegularExpression::MultilineOption);
            for (auto it = row.globalMatch(text); it.hasNext();) {
                const auto m = it.next();
                const int n = m.captured(1).toInt();
                QCOMPARE(m.captured(2).toInt(), 1000 + n);
                QCOMPARE(m.captured(3).toInt(), 6500 + n);
                ++seen[n];
            }
        }
        QCOMPARE(seen.size(), 70);
        for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
            QCOMPARE(it.value(), 1); // never split, never twice
        }
        const QString last = PdfText(pdf, pages);
        // 70 x 10000 and 70 x 6500 + (1 + ... + 70)
        QVERIFY2(last.contains(QRegularExpression(
                     QStringLiteral("Summe: 70 Heizkörper\\s+700000\\s+457485\\s*$"),
                     QRegularExpression::MultilineOption)),
                 qPrintable(last));
    }

    void firstPageShowsTheGroupsAndTheReference_data() {
        QTest::addColumn<int>("dNorm");
        QTest::addColumn<QString>("reference");
        QTest::newRow("din") << 60 << "Bezug: DIN 90/70/20 (mittlere Übertemperatur 60 K)";
        QTest::newRow("en442") << 50 << "Bezug: DIN EN 442 75/65/20 (mittlere Übertemperatur 50 K)";
        QTest::newRow("none") << 0 << "Bezug: keine Norm gewählt";
    }
    void firstPageShowsTheGroupsAndTheReference() {
        QFETCH(int, dNorm);
        QFETCH(QString, reference);
        hk::ProgramState s = LongProject(3);
        s.dNorm = static_cast<std::int16_t>(dNorm);
        const QString pdf = Write(s, QStringLiteral("bezug.pdf"));
        QCOMPARE(PdfPages(pdf), 1);
        const QString text = PdfText(pdf, 1);
        QVERIFY2(text.contains(reference), qPrintable(text));
        QVERIFY(
            text.contains(QRegularExpression(QStringLiteral("Projekt\\s+Bauherr\\s+Bauvorhaben"))));
        for (const char* label : {"Projekt Nr.", "bearbeitet von", "Datum", "Name", "Vorname",
                                  "Straße", "Ort", "Telefon"}) {
            QVERIFY2(text.contains(QString::fromUtf8(label)), label);
        }
        for (const std::string& value : s.header.fields) {
            QVERIFY2(text.contains(QString::fromStdString(value)), value.c_str());
        }
    }

    // A long value wraps inside its group: every word within the margins
    // (20 mm left, 15 mm elsewhere), and its lines read together give the
    // value whole.
    void longValuesWrapAndNothingLeavesThePage_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        const QString words = QStringLiteral("Erbengemeinschaft ").repeated(12).trimmed();
        const QString word = QStringLiteral("Donaudampfschifffahrt").repeated(5);
        QTest::newRow("many words, left group") << int(ProjectHeader::Bearbeiter) << words;
        QTest::newRow("many words, middle group") << int(ProjectHeader::BauherrName) << words;
        QTest::newRow("many words, right group") << int(ProjectHeader::BaustelleOrt) << words;
        QTest::newRow("one long word, left group") << int(ProjectHeader::ProjektNr) << word;
        QTest::newRow("one long word, right group") << int(ProjectHeader::BaustelleTelefon) << word;
        QTest::newRow("commas and quotes") << int(ProjectHeader::BauherrStrasse)
                                           << QStringLiteral("Müller, \"Senior\"; Weg 1 – 3");
    }
    void longValuesWrapAndNothingLeavesThePage() {
        QFETCH(int, field);
        QFETCH(QString, value);
        hk::ProgramState s = LongProject(70);
        s.header = {};
        s.header[field] = value.toStdString();
        const QString pdf = Write(s, QStringLiteral("wrap.pdf"));
        QVERIFY(PdfPages(pdf) <= 3);
        const QString box =
            Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        const QRegularExpression word(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"));
        const double mm = 72 / 25.4;
        int words = 0;
        for (auto it = word.globalMatch(box); it.hasNext(); ++words) {
            const auto m = it.next();
            QVERIFY2(m.captured(1).toDouble() >= 20 * mm - 0.5, qPrintable(m.captured(0)));
            QVERIFY2(m.captured(3).toDouble() <= 195 * mm + 0.5, qPrintable(m.captured(0)));
            QVERIFY2(m.captured(2).toDouble() >= 15 * mm - 0.5, qPrintable(m.captured(0)));
            QVERIFY2(m.captured(4).toDouble() <= 282 * mm + 0.5, qPrintable(m.captured(0)));
        }
        QVERIFY(words > 500);
        // The first page without the head line, the labels and the titles
        // holds nothing but the value's lines above the reference.
        QString page = PdfText(pdf, 1);
        page = page.mid(page.indexOf(u'\n')); // the head line may shorten the number
        page = page.left(page.indexOf(QStringLiteral("Bezug:")));
        for (const char* label :
             {"Projekt Nr.", "bearbeitet von", "Datum", "Vorname", "Name", "Straße", "Ort",
              "Telefon", "Projekt", "Bauherr", "Bauvorhaben"}) {
            page.remove(QString::fromUtf8(label));
        }
        QCOMPARE(page.simplified().remove(u' '), QString(value).remove(u' '));
    }

    void metadataAndEmbeddedFonts() {
        const QString pdf = Write(LongProject(2), QStringLiteral("meta.pdf"));
        const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QRegularExpression(
                     QStringLiteral("Title:\\s+Heizflächenberechnung 2024-117\\n"))),
                 qPrintable(info));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+hkberech\\n"))));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral(
                     "Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))),
                 qPrintable(info));
        const QStringList fonts =
            Run(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& line : fonts) {
            QVERIFY2(line.contains(QStringLiteral("Sans")), qPrintable(line));
            // columns: name, type, encoding, emb, sub, uni, object ID
            QVERIFY2(line.contains(
                         QRegularExpression(QStringLiteral("TrueType\\s+Identity-H\\s+yes\\s"))),
                     qPrintable(line));
        }
    }

    void emptyProjectGivesOnePageWithZeroTotals() {
        hk::ProgramState s;
        s.LfNr = 1;
        const QString pdf = Write(s, QStringLiteral("leer.pdf"));
        QCOMPARE(PdfPages(pdf), 1);
        const QString text = PdfText(pdf, 1);
        QVERIFY(text.contains(QStringLiteral("Seite 1 von 1")));
        QVERIFY(text.contains(QStringLiteral("Bezug: keine Norm gewählt")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Summe: 0 Heizkörper\\s+0\\s+0"))));
        QVERIFY(text.contains(
            QRegularExpression(QStringLiteral("Heizflächenberechnung\\s+Projekt\\s*\\n"))));
    }

    // Texts longer than any input box takes (a hand-written project file):
    // the rows still stand on one line each and inside the page.
    void overlongTextsStayOnOneLine() {
        hk::ProgramState s = LongProject(40);
        for (int n = 1; n <= 40; ++n) {
            s.table.at(n).RaumVer = std::string(80, 'W');
            s.table.at(n).HkTyp = std::string(120, 'M');
        }
        const QString pdf = Write(s, QStringLiteral("ueberlang.pdf"));
        int rows = 0;
        for (int page = 1; page <= PdfPages(pdf); ++page) {
            rows += static_cast<int>(PdfText(pdf, page).count(
                QRegularExpression(QStringLiteral("^\\s*\\d+\\s+\\d{4}\\s+W+…?\\s+105\\s+.*"
                                                  "\\s\\d{4}\\s+M+…?\\s*$"),
                                   QRegularExpression::MultilineOption)));
        }
        QCOMPARE(rows, 40);
    }

    // ------------------------------------------------------------ page flow

    void flowBreaksBetweenBlocks_data() {
        QTest::addColumn<QList<int>>("heights");
        QTest::addColumn<QList<int>>("headings"); // -1: none
        QTest::addColumn<QList<int>>("keep");     // 1: keeps with the next block
        QTest::addColumn<QString>("pages");
        // the body area is 100 units high
        QTest::newRow("all on one page")
            << QList<int>{40, 30, 30} << QList<int>{-1, -1, -1} << QList<int>{0, 0, 0} << "0,1,2";
        QTest::newRow("exactly full")
            << QList<int>{50, 50, 1} << QList<int>{-1, -1, -1} << QList<int>{0, 0, 0} << "0,1|2";
        QTest::newRow("heading repeated above a row")
            << QList<int>{50, 10, 30, 30} << QList<int>{-1, -1, 1, 1} << QList<int>{0, 1, 0, 0}
            << "0,1,2|1,3";
        QTest::newRow("heading never alone at a page's end")
            << QList<int>{85, 10, 30} << QList<int>{-1, -1, 1} << QList<int>{0, 1, 0} << "0|1,2";
        QTest::newRow("title keeps with its first line")
            << QList<int>{70, 20, 20} << QList<int>{-1, -1, -1} << QList<int>{0, 1, 0} << "0|1,2";
        QTest::newRow("block taller than a page stands alone")
            << QList<int>{10, 150, 10} << QList<int>{-1, -1, -1} << QList<int>{0, 0, 0} << "0|1|2";
        QTest::newRow("totals under the last row open a page with the heading")
            << QList<int>{10, 45, 45, 20} << QList<int>{-1, -1, 0, 0} << QList<int>{1, 0, 0, 0}
            << "0,1,2|0,3";
        QTest::newRow("no blocks") << QList<int>{} << QList<int>{} << QList<int>{} << "";
    }
    void flowBreaksBetweenBlocks() {
        QFETCH(QList<int>, heights);
        QFETCH(QList<int>, headings);
        QFETCH(QList<int>, keep);
        QFETCH(QString, pages);
        FixedBody body;
        for (int i = 0; i < heights.size(); ++i) {
            body.blocks.push_back({static_cast<qreal>(heights[i]), {}, headings[i], keep[i] == 1});
        }
        const QImage device(10, 10, QImage::Format_RGB32);
        const int count = body.paginate(device, QSizeF(50, 100));
        QCOMPARE(PageMap(body), pages);
        QCOMPARE(count, std::max<qsizetype>(1, pages.count(u'|') + 1));
    }
};

QTEST_MAIN(ProjectReportTest)
#include "project_report_test.moc"
