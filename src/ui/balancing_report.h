#pragma once
// The setting sheet of the hydraulic balancing as PDF, "Einstellprotokoll
// hydraulischer Abgleich", in the frame and look of the project report: the
// project data, the system values, the table of radiators with flow and
// valve setting (heading on every page), the heating curve, the method and
// lines for the installer's place, date and signature.

#include "calc/program_state.h"
#include "common/result.h"
#include "project/balancing_form.h"

#include <QByteArray>
#include <QDateTime>

namespace hk::ui {

// The sheet of form for the project in state, created at created, or the
// German reason why it could not be made.
Result<QByteArray> WriteBalancingReportPdf(const ProgramState& state, const BalancingForm& form,
                                           const QDateTime& created);

} // namespace hk::ui
