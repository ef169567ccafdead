#pragma once
// The printed report of the project on a QPrinter: straight to a PDF file, or
// through a print preview from which the user prints on any installed printer
// or to a PDF file. Neither changes anything of the project.

#include "calc/program_state.h"
#include "common/message.h"
#include "common/result.h"

#include <QString>

class QWidget;

namespace hk::ui {

// Prints the report to the PDF file pdfPath; needs no installed printer.
// On failure (no page could be started, the file cannot be written) the
// German reason, and no file is left behind; an older file of that name stays
// as it was.
Result<void> PrintReportToPdf(const hk::ProgramState& state, const QString& pdfPath);

// Opens a modal print preview of the report. A failure of the printing is
// shown in a German message box titled "Drucken" through messages.
void PrintReportWithPreview(const hk::ProgramState& state, QWidget* parent, MessageSink& messages);

} // namespace hk::ui
