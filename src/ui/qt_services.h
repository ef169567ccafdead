#pragma once
// The Qt implementations of the screens' services: real modal message boxes,
// the Qt file dialogs and the printer with its print preview.

#include "ui/services.h"

#include <QString>

namespace hk::ui {

class QtMessageBoxes : public MessageBoxes {
public:
    void show(QWidget* parent, const Message& message) override;
};

// The file dialogs over the window that is active when they open.
class QtFileDialogs : public FileDialogs {
public:
    std::string saveFileName(const std::vector<FileFilter>& filters) override;
    std::string openFileName(const std::string& title,
                             const std::vector<FileFilter>& filters) override;
    std::string exportFileName(const std::string& proposedName, const FileFilter& filter) override;
};

// The print preview of the report, from which the user prints.
class QtReportPrinter : public ReportPrinter {
public:
    void print(const ProgramState& state, QWidget* parent) override;
};

// The filter text of a Qt file dialog, one "description (patterns)" entry a
// line. File systems here tell capitals from small letters, so every pattern
// is offered in capitals and in small letters: "*.TXT" finds a.txt too.
QString QtNameFilters(const std::vector<FileFilter>& filters);

} // namespace hk::ui
