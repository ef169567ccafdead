#pragma once
// The project report for the client, as PDF: the project data in three
// groups and the reference norm on the first page, then the radiator table
// with its heading on every page, one line a radiator, and the totals.

#include "calc/program_state.h"
#include "common/result.h"
#include "project/export_command.h"

#include "ui/report/flow_body.h"

#include <QByteArray>
#include <QDateTime>

#include <vector>

namespace hk::ui {

// The project data in three groups side by side (project, client, site), as
// the first blocks of a report; the check's PDF carries the same head.
void AddProjectData(std::vector<FlowBlock>& blocks, const ProjectHeader& header,
                    const QPaintDevice& device, qreal width);

// The report of the project in state, created at created, or the German
// reason why it could not be made.
Result<QByteArray> WriteProjectReportPdf(const ProgramState& state, const QDateTime& created);

// "&Projektbericht als PDF…": the save dialog proposing "Projekt <Nr.>.pdf",
// then the report, created now. Changes no program state.
ExportOutcome mnuItemBericht_Click(const ProgramState& state, FileDialogs& dialogs,
                                   MessageSink& messages, FileOps& files = SystemFileOps());

} // namespace hk::ui
