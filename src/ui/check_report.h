#pragma once
// The heat-pump check as PDF, in the frame and look of the project report:
// the target and the reference, the table of checked radiators with its
// heading on every page, the summary and the chart.

#include "calc/program_state.h"
#include "common/result.h"
#include "project/check_form.h"

#include <QByteArray>
#include <QDateTime>

namespace hk::ui {

// The check of form for the project in state, created at created, or the
// German reason why it could not be made.
Result<QByteArray> WriteCheckReportPdf(const ProgramState& state, const CheckForm& form,
                                       const QDateTime& created);

} // namespace hk::ui
