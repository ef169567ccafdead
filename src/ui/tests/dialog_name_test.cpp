// The real file dialogs take a name exactly as typed: one with double quotes,
// which Qt's own dialog reads as the bounds of several names, is refused
// with a note, the dialog stays open, and the name typed next is the file.

#include "ui/qt_services.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace hk;
using namespace hk::ui;

class DialogNameTest : public QObject {
    Q_OBJECT

private slots:
    // The open dialog needs no such row: it puts the name of the file it
    // selects into its name box, so the file opened is the one shown there.
    void aSaveNameWithQuotesIsRefusedAndTheNextNameIsUsed_data() {
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("taken");
        QTest::newRow("QuotedWordInside") << "a b \"c\" x.txt"
                                          << "a b c x.txt";
        QTest::newRow("TwoQuotedNames") << "\"eins.txt\" \"zwei.txt\""
                                        << "eins.txt";
        QTest::newRow("OneQuote") << "Zoll\".txt"
                                  << "Zoll.txt";
    }

    void aSaveNameWithQuotesIsRefusedAndTheNextNameIsUsed() {
        QFETCH(QString, refused);
        QFETCH(QString, taken);
        QTemporaryDir folder;
        QString note;
        QString typedFirst;
        int step = 0;
        QTimer driver;
        driver.setInterval(30);
        connect(&driver, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                note = box->text();
                box->accept();
                return;
            }
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            auto* edit =
                dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
            if (edit == nullptr) {
                return;
            }
            if (step == 0) {
                dialog->setDirectory(folder.path());
                edit->setText(refused);
                typedFirst = edit->text();
                step = 1;
                QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            } else if (step == 1 && !note.isEmpty()) {
                edit->setText(taken);
                step = 2;
                QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            }
        });
        driver.start();
        QtFileDialogs dialogs;
        const std::string chosen = dialogs.saveFileName(SaveFilters());
        driver.stop();

        QCOMPARE(typedFirst, refused);
        QVERIFY2(note.contains(QStringLiteral("Anführungszeichen")), qPrintable(note));
        QVERIFY2(note.contains(refused), qPrintable(note));
        QCOMPARE(QString::fromStdString(chosen), QDir(folder.path()).filePath(taken));
    }
};

QTEST_MAIN(DialogNameTest)
#include "dialog_name_test.moc"
