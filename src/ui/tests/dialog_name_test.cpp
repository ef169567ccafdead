// The real file dialogs take a name exactly as typed: one with double quotes,
// which Qt's own dialog reads as the bounds of several names, is refused
// with a note, the dialog stays open, and the name typed next is the file.

#include "ui/qt_services.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace hk;
using namespace hk::ui;

class DialogNameTest : public QObject {
    Q_OBJECT

    // The real save dialog with proposed: look is called once it stands, and
    // the dialog is then cancelled.
    std::string SaveWhileOpen(const std::string& proposed,
                              const std::function<void(QFileDialog*, QLineEdit*)>& look) {
        QTimer driver;
        driver.setInterval(30);
        connect(&driver, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* edit =
                dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
            if (edit != nullptr) {
                look(dialog, edit);
                dialog->reject();
            }
        });
        driver.start();
        QtFileDialogs dialogs;
        return dialogs.saveFileName(SaveFilters(), proposed);
    }

private slots:
    // A name longer than a file name may be: Qt greys out the button, and the
    // note under the name box says why; one character less, and it goes.
    void aTooLongNameIsExplained_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("explained");
        QTest::newRow("255 characters") << 255 << false;
        QTest::newRow("256 characters") << 256 << true;
    }

    void aTooLongNameIsExplained() {
        QFETCH(int, length);
        QFETCH(bool, explained);
        QString note;
        bool shown = false;
        SaveWhileOpen(std::string(), [&](QFileDialog* dialog, QLineEdit* edit) {
            edit->setText(QString(length - 4, QLatin1Char('a')) + QStringLiteral(".TXT"));
            const auto* label = dialog->findChild<QLabel*>(QStringLiteral("lblNameZuLang"));
            shown = label != nullptr && label->isVisibleTo(dialog);
            note = label != nullptr ? label->text() : QString();
        });
        QCOMPARE(shown, explained);
        if (explained) {
            QCOMPARE(note, QStringLiteral("Der Dateiname ist 256 Zeichen lang; ein Dateiname darf "
                                          "höchstens 255 Zeichen haben. Bitte kürzen Sie ihn, dann "
                                          "lässt er sich speichern."));
        }
    }

    // Saving a project again: the dialog opens in the project's folder with
    // its name in the name box, so pressing Enter saves over it.
    void theSaveDialogProposesTheProjectFile() {
        QTemporaryDir folder;
        const QString project = QDir(folder.path()).filePath(QStringLiteral("HAUS.DAT"));
        QString shownFolder;
        QString shownName;
        const std::string chosen =
            SaveWhileOpen(project.toStdString(), [&](QFileDialog* dialog, QLineEdit* edit) {
                shownFolder = dialog->directory().absolutePath();
                shownName = edit->text();
            });
        QVERIFY(chosen.empty());
        QCOMPARE(shownFolder, QDir(folder.path()).absolutePath());
        QCOMPARE(shownName, QStringLiteral("HAUS.DAT"));
    }

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
        const std::string chosen = dialogs.saveFileName(SaveFilters(), std::string());
        driver.stop();

        QCOMPARE(typedFirst, refused);
        QVERIFY2(note.contains(QStringLiteral("Anführungszeichen")), qPrintable(note));
        QVERIFY2(note.contains(refused), qPrintable(note));
        QCOMPARE(QString::fromStdString(chosen), QDir(folder.path()).filePath(taken));
    }
};

QTEST_MAIN(DialogNameTest)
#include "dialog_name_test.moc"
