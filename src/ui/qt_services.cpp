#include "qt_services.h"

#include "ui/print/report_printer.h"

#include <QApplication>
#include <QFileDialog>
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
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), QString(),
                                        QtNameFilters(filters), nullptr, kOptions)
        .toStdString();
}

std::string QtFileDialogs::openFileName(const std::string& title,
                                        const std::vector<FileFilter>& filters) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), Q(title), QString(),
                                        QtNameFilters(filters), nullptr, kOptions)
        .toStdString();
}

std::string QtFileDialogs::exportFileName(const std::string& proposedName,
                                          const FileFilter& filter) {
    QFileDialog dialog(QApplication::activeWindow());
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
    PrintReportWithPreview(state, parent);
}

} // namespace hk::ui
