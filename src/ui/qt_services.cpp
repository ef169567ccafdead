#include "qt_services.h"

#include "project/balancing_form.h"
#include "project/check_file.h"
#include "project/check_form.h"
#include "ui/print/report_printer.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace hk::ui {
namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The filter list shows the descriptions as the program words them, without
// the patterns added for the small letters.
constexpr QFileDialog::Options kOptions = QFileDialog::HideNameFilterDetails;

// Qt's own dialog reads double quotes in the name box as the bounds of
// several names ("a" "b"), so that `a b "c" x.txt` would be taken as "c".
// A name with a double quote is refused with a note and the dialog stays
// open: the file used is always the one the user typed.
class NameAsTypedDialog : public QFileDialog {
public:
    explicit NameAsTypedDialog(QWidget* parent, const QString& caption = QString(),
                               const QString& directory = QString(),
                               const QString& filter = QString())
        : QFileDialog(parent, caption, directory, filter) {
        explainLongNames();
    }

    void accept() override {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit != nullptr && edit->text().contains(QLatin1Char('"'))) {
            QMessageBox note(QMessageBox::Information, QStringLiteral("Dateiname nicht möglich"),
                             QStringLiteral("Der Name „") + edit->text() +
                                 QStringLiteral("“ enthält Anführungszeichen (\"). Dieser Dialog "
                                                "liest sie als Grenzen mehrerer Namen und würde "
                                                "eine andere Datei verwenden.\n\nBitte geben "
                                                "Sie einen Namen ohne Anführungszeichen ein."),
                             QMessageBox::Ok, this);
            note.setTextFormat(Qt::PlainText);
            note.exec();
            return;
        }
        QFileDialog::accept();
    }

private:
    // Qt's own dialog greys out the accept button for a name longer than the
    // file system takes, without a word; the note under the name box says
    // why. A dialog of the desktop has no such box and says it itself.
    void explainLongNames() {
        auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* grid = qobject_cast<QGridLayout*>(layout());
        if (edit == nullptr || grid == nullptr) {
            return;
        }
        auto* note = new QLabel(this);
        note->setObjectName(QStringLiteral("lblNameZuLang"));
        note->setWordWrap(true);
        note->hide();
        grid->addWidget(note, grid->rowCount(), 0, 1, grid->columnCount());
        connect(edit, &QLineEdit::textChanged, note, [note](const QString& text) {
            const qsizetype length = text.section(QLatin1Char('/'), -1).size();
            note->setVisible(length > kMaxNameCharacters);
            note->setText(QStringLiteral("Der Dateiname ist %1 Zeichen lang; ein Dateiname darf "
                                         "höchstens %2 Zeichen haben. Bitte kürzen Sie ihn, "
                                         "dann lässt er sich speichern.")
                              .arg(length)
                              .arg(kMaxNameCharacters));
        });
    }

    static constexpr qsizetype kMaxNameCharacters = 255;
};

std::string AskFileName(QFileDialog::AcceptMode mode, const QString& title,
                        const std::vector<FileFilter>& filters) {
    NameAsTypedDialog dialog(QApplication::activeWindow(), title, QString(),
                             QtNameFilters(filters));
    dialog.setOptions(kOptions);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0).toStdString();
}

} // namespace

void QtMessageBoxes::show(QWidget* parent, const Message& message) {
    const QString title = message.title.empty() ? Q(std::string(kAppTitle)) : Q(message.title);
    QMessageBox box(IconOf(message.icon), title, Q(message.text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtMessageBoxes::ask(QWidget* parent, const Question& question) {
    const QString title = question.title.empty() ? Q(std::string(kAppTitle)) : Q(question.title);
    QMessageBox box(QMessageBox::Question, title, Q(question.text), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("msgFrage"));
    box.setTextFormat(Qt::PlainText);
    QPushButton* confirm = box.addButton(Q(question.confirm), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(Q(question.cancel), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == confirm;
}

Choice QtMessageBoxes::choose(QWidget* parent, const Question& question) {
    const QString title = question.title.empty() ? Q(std::string(kAppTitle)) : Q(question.title);
    QMessageBox box(QMessageBox::Question, title, Q(question.text), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("msgFrage"));
    box.setTextFormat(Qt::PlainText);
    QPushButton* confirm = box.addButton(Q(question.confirm), QMessageBox::AcceptRole);
    QPushButton* other = box.addButton(Q(question.other), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(Q(question.cancel), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == confirm) {
        return Choice::Confirm;
    }
    return box.clickedButton() == other ? Choice::Other : Choice::Cancel;
}

std::string ProgramFolder() { return QCoreApplication::applicationDirPath().toStdString(); }

Question UnsavedCheckQuestion() {
    return {std::string(kCheckUnsavedQuestion), std::string(kTitleCheck), "Speichern", "Abbrechen",
            "Verwerfen"};
}

Question UnsavedBalancingQuestion() {
    return {std::string(kBalancingUnsavedQuestion), std::string(kTitleBalancing), "Speichern",
            "Abbrechen", "Verwerfen"};
}

QString QtNameFilters(const std::vector<FileFilter>& filters) {
    QStringList entries;
    for (const FileFilter& f : filters) {
        const QString pattern = Q(f.pattern);
        QStringList patterns{pattern};
        if (pattern.toLower() != pattern) {
            patterns << pattern.toLower();
        }
        entries << Q(f.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

std::unique_ptr<QFileDialog> MakeSaveDialog(QWidget* parent,
                                            const std::vector<FileFilter>& filters) {
    // No caption of our own: the dialog shows its standard title.
    auto dialog =
        std::make_unique<NameAsTypedDialog>(parent, QString(), QString(), QtNameFilters(filters));
    dialog->setOptions(kOptions);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    QStringList suffixes;
    for (const FileFilter& f : filters) {
        suffixes << Q(f.pattern).section(QLatin1Char('.'), 1); // "*.TXT" -> "TXT"
    }
    if (!suffixes.isEmpty()) {
        dialog->setDefaultSuffix(suffixes.front());
    }
    QFileDialog* d = dialog.get();
    QObject::connect(d, &QFileDialog::filterSelected, d, [d, suffixes](const QString& filter) {
        const auto index = d->nameFilters().indexOf(filter);
        if (index >= 0 && index < suffixes.size()) {
            d->setDefaultSuffix(suffixes.at(index));
        }
    });
    return dialog;
}

std::string QtFileDialogs::saveFileName(const std::vector<FileFilter>& filters,
                                        const std::string& proposedPath) {
    const auto dialog = MakeSaveDialog(QApplication::activeWindow(), filters);
    if (!proposedPath.empty()) {
        // Saving a loaded or saved project again starts in its folder with its name.
        const QFileInfo file(Q(proposedPath));
        dialog->setDirectory(file.absolutePath());
        dialog->selectFile(file.fileName());
    }
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().constFirst().toStdString();
}

std::string QtFileDialogs::openFileName(const std::string& title,
                                        const std::vector<FileFilter>& filters) {
    return AskFileName(QFileDialog::AcceptOpen, Q(title), filters);
}

std::string QtFileDialogs::exportFileName(const std::string& proposedName,
                                          const FileFilter& filter) {
    NameAsTypedDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOptions(kOptions);
    dialog.setNameFilter(QtNameFilters({filter}));
    // "*.pdf" gives "pdf": a name typed without it gets it.
    dialog.setDefaultSuffix(Q(filter.pattern).section(QLatin1Char('.'), -1));
    dialog.selectFile(Q(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

void QtReportPrinter::print(const ProgramState& state, QWidget* parent) {
    MessagesOver messages(boxes_, parent);
    PrintReportWithPreview(state, parent, messages);
}

} // namespace hk::ui
