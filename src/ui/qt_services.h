#pragma once
// The Qt implementations of the screens' services: real modal message boxes,
// the Qt file dialogs and the printer with its print preview.

#include "ui/services.h"

#include <QString>

#include <memory>

class QFileDialog;

namespace hk::ui {

class QtMessageBoxes : public MessageBoxes {
public:
    void show(QWidget* parent, const Message& message) override;
    bool ask(QWidget* parent, const Question& question) override;
    Choice choose(QWidget* parent, const Question& question) override;
};

// The file dialogs over the window that is active when they open.
class QtFileDialogs : public FileDialogs {
public:
    std::string saveFileName(const std::vector<FileFilter>& filters,
                             const std::string& proposedPath) override;
    std::string openFileName(const std::string& title,
                             const std::vector<FileFilter>& filters) override;
    std::string exportFileName(const std::string& proposedName, const FileFilter& filter) override;
};

// The print preview of the report, from which the user prints; when the
// printing fails, boxes says why.
class QtReportPrinter : public ReportPrinter {
public:
    explicit QtReportPrinter(MessageBoxes& boxes) : boxes_(boxes) {}
    void print(const ProgramState& state, QWidget* parent) override;

private:
    MessageBoxes& boxes_;
};

// The save dialog, not yet shown. A name typed without any extension gets
// the extension of the chosen filter (".TXT" at first), so that every saved
// project turns up in the load dialog; a name with an extension is kept.
std::unique_ptr<QFileDialog> MakeSaveDialog(QWidget* parent,
                                            const std::vector<FileFilter>& filters);

// The filter text of a Qt file dialog, one "description (patterns)" entry a
// line. File systems here tell capitals from small letters, so every pattern
// is offered in capitals and in small letters: "*.TXT" finds a.txt too.
QString QtNameFilters(const std::vector<FileFilter>& filters);

} // namespace hk::ui
