// What every one-line text box of the project data and the calculation
// screen keeps of a pasted text: no line break and no tab, a long header
// field whole, and a note that names the characters a project file cannot
// hold. And the lines of a listing box, which a long line must not freeze.

#include "support/gui_fixture.h"
#include "support/screen_test_case.h"

#include "ui/calculation_screen.h"
#include "ui/display_screen.h"
#include "ui/project_screen.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>

using namespace hk;
using namespace hk::ui;
using namespace hk::ui::test;

namespace {

struct BothScreens {
    ProgramState state;
    RecordingMessages messages;
    Form2 form2{state, messages};
    Form3 form3{state, messages};

    QList<QLineEdit*> boxes() {
        QList<QLineEdit*> all = form2.findChildren<QLineEdit*>();
        all += form3.findChildren<QLineEdit*>();
        return all;
    }
};

// Pastes text with Ctrl+V as the user does, at the end of what the box holds.
void Paste(QLineEdit* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    box->setFocus();
    box->end(false);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class TextBoxTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void pastedLineBreaksAndTabsBecomeBlanks_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept"); // in a box that takes it all
        QTest::newRow("ProjectNumberFromAMail") << QStringLiteral("P-17\r\n") << "P-17 ";
        QTest::newRow("LoneLineFeed") << QStringLiteral("a\nb") << "a b";
        QTest::newRow("LoneCarriageReturn") << QStringLiteral("a\rb") << "a b";
        QTest::newRow("Tabs") << QStringLiteral("\t1\t2") << " 1 2";
        QTest::newRow("TwoLines") << QStringLiteral("Bad\r\noben\r\n") << "Bad oben ";
    }

    // Every box of both screens, up to the length each box takes.
    void pastedLineBreaksAndTabsBecomeBlanks() {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        BothScreens s;
        s.form2.show();
        s.form3.show();
        int checked = 0;
        for (QLineEdit* box : s.boxes()) {
            if (box->isReadOnly()) {
                continue;
            }
            box->clear();
            Paste(box, pasted);
            const QString text = box->text();
            QVERIFY2(!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) &&
                         !text.contains(QLatin1Char('\t')),
                     qPrintable(box->objectName() + QStringLiteral(": ") + text));
            if (box->maxLength() >= pasted.size()) {
                QCOMPARE(text, kept);
            }
            ++checked;
        }
        QVERIFY(checked >= 11 + 9);
    }

    void aLongHeaderFieldIsKeptWhole_data() {
        QTest::addColumn<int>("length");
        QTest::newRow("JustAboveQtsDefaultLimit") << 32768;
        QTest::newRow("HundredThousand") << 100000;
    }

    void aLongHeaderFieldIsKeptWhole() {
        QFETCH(int, length);
        BothScreens s;
        s.form2.show();
        for (int n = 1; n <= ProjectHeader::kFieldCount; ++n) {
            QLineEdit* box = s.form2.control<QLineEdit>(PersDat(n));
            box->clear();
            Paste(box, QString(length, QLatin1Char('x')));
            QCOMPARE(box->text().size(), length);
        }
    }

    void charactersTheFileCannotHoldAreNamed_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("named");
        QTest::newRow("Emoji") << QStringLiteral("Bad 🛁") << "Bad " << QStringLiteral("🛁");
        QTest::newRow("Hebrew") << QStringLiteral("אב1") << "1" << QStringLiteral("א ב");
        QTest::newRow("FullWidthDigits")
            << QStringLiteral("１２3") << "3" << QStringLiteral("１ ２");
        QTest::newRow("RepeatedOnce") << QStringLiteral("ΩaΩ") << "a" << QStringLiteral("Ω");
    }

    void charactersTheFileCannotHoldAreNamed() {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        QFETCH(QString, named);
        BothScreens s;
        s.form2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.form2));
        QToolTip::hideText();
        QLineEdit* box = s.form2.control<QLineEdit>(PersDat(4));
        Paste(box, pasted);
        QCOMPARE(box->text(), kept);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().startsWith(QStringLiteral("Nicht übernommen: ") + named + "\n"),
                 qPrintable(QToolTip::text()));
        QVERIFY(QToolTip::text().contains(QStringLiteral("Projektdatei")));
        QToolTip::hideText();
    }

    void listingBoxLinesAreShortEnoughToLayOut_data() {
        QTest::addColumn<QString>("listing"); // with CR LF line ends
        QTest::addColumn<QString>("shown");
        const QString k(kDisplayLineChars, QLatin1Char('x'));
        QTest::newRow("ListingLinesUnchanged") << "a b\r\n  c\r\n"
                                               << "a b\n  c\n";
        QTest::newRow("LineAtTheLimitUnchanged") << k + "\r\n" << k + "\n";
        QTest::newRow("OneMoreIsTwoLines") << k + "y\r\n" << k + "\ny\n";
        QTest::newRow("ThreeTimesTheLimit") << k + k + k << k + "\n" + k + "\n" + k;
        QTest::newRow("CountStartsAfterEachBreak") << "ab\r\n" + k + "y"
                                                   << "ab\n" + k + "\ny";
        QTest::newRow("LoneLineFeedEndsALine") << "a\n" + k << "a\n" + k;
        QTest::newRow("PairNotSplit")
            << QString(kDisplayLineChars - 1, QLatin1Char('x')) + QStringLiteral("🛁")
            << QString(kDisplayLineChars - 1, QLatin1Char('x')) + QStringLiteral("🛁");
        QTest::newRow("PairAtTheBoundaryThenMore")
            << QString(kDisplayLineChars - 1, QLatin1Char('x')) + QStringLiteral("🛁") +
                   QString(kDisplayLineChars + 6, QLatin1Char('y'))
            << QString(kDisplayLineChars - 1, QLatin1Char('x')) + QStringLiteral("🛁\n") +
                   QString(kDisplayLineChars, QLatin1Char('y')) + "\nyyyyyy";
        QTest::newRow("Empty") << ""
                               << "";
        QString most;
        QString pieces;
        for (qsizetype n = 0; n < kDisplayMaxLines; ++n) {
            most += QStringLiteral("z\n");
            pieces += QString(kDisplayLineChars, QLatin1Char('y')) + QLatin1Char('\n');
        }
        const QString crlf = QString(most).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        const QString note = QStringLiteral("… Die Liste ist länger; angezeigt sind ihre ersten "
                                            "20000 Zeilen. Sie ist vollständig geladen und wird "
                                            "vollständig gespeichert.");
        QTest::newRow("MostLinesShownWhole") << crlf << most;
        QTest::newRow("OneLineMoreEndsWithANote") << crlf + "z" << most + note;
        QTest::newRow("PiecesCountAsLines")
            << QString(kDisplayLineChars * kDisplayMaxLines + 1, QLatin1Char('y')) << pieces + note;
    }

    void listingBoxLinesAreShortEnoughToLayOut() {
        QFETCH(QString, listing);
        QFETCH(QString, shown);
        QCOMPARE(DisplayText(listing.toStdString()), shown);
    }

    // A loaded listing of one 1 MB line without a blank: no line of the
    // display box is longer than the box lays out quickly.
    void aOneMegabyteLineReachesTheDisplayBoxInShortLines() {
        frmForm4 form;
        const std::string line(1024 * 1024, '7');
        form.setListing(line + "\r\n\r\n");
        auto* box = form.findChild<QPlainTextEdit*>(QStringLiteral("txtHKFlaechen"));
        QVERIFY(box);
        QTextDocument* doc = box->document();
        QCOMPARE(doc->blockCount(), 1024 + 2);
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            QVERIFY(b.length() <= kDisplayLineChars + 1);
        }
        QCOMPARE(form.listing(), line + "\r\n\r\n"); // the listing itself unchanged
    }

    void plainTextShowsNoNote() {
        BothScreens s;
        s.form2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.form2));
        QToolTip::hideText();
        Paste(s.form2.control<QLineEdit>(PersDat(1)), QStringLiteral("Größe € 12"));
        QCOMPARE(s.form2.control<QLineEdit>(PersDat(1))->text(), QStringLiteral("Größe € 12"));
        QTest::qWait(50);
        QVERIFY(!QToolTip::isVisible());
    }
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
