#pragma once
// The printed report of the project on a QPrinter: straight to a PDF file, or
// through a print preview from which the user prints on any installed printer
// or to a PDF file. Neither changes anything of the project.

#include "calc/program_state.h"

#include <QString>

class QWidget;

namespace hk::ui {

// Prints the report to the PDF file pdfPath; needs no installed printer.
// On failure (no page could be started, the file cannot be written) returns
// false with a German text in *errorText and leaves no file behind; an older
// file of that name stays as it was.
bool PrintReportToPdf(const hk::ProgramState& state, const QString& pdfPath, QString* errorText);

// Opens a modal print preview of the report. A failure of the printing is
// shown in a German message box titled "Drucken".
void PrintReportWithPreview(const hk::ProgramState& state, QWidget* parent);

} // namespace hk::ui
