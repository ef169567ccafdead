#include "qt_services.h"

#include "ui/print/report_printer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>

namespace hk::ui {
namespace {

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

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
    using QFileDialog::QFileDialog;

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

std::string QtFileDialogs::saveFileName(const std::vector<FileFilter>& filters) {
    // No caption of our own: the dialog shows its standard title.
    return AskFileName(QFileDialog::AcceptSave, QString(), filters);
}

std::string QtFileDialogs::openFileName(const std::string& title,
                                        const std::vector<FileFilter>& filters) {
    return AskFileName(QFileDialog::AcceptOpen, Q(title), filters);
}

void QtReportPrinter::print(const ProgramState& state, QWidget* parent) {
    PrintReportWithPreview(state, parent);
}

} // namespace hk::ui
