#pragma once
// The chart of the heat-pump check: one bar a checked radiator with its
// lowest supply temperature, labelled with room number and use, and a dashed
// line at the target supply temperature. Bars above the line are drawn in the
// under-supplied colour, so the line and the colour say the same.

#include "project/check_form.h"

#include <QColor>

class QChart;

namespace hk::ui {

inline const QColor kCheckCovered{0, 128, 0};       // dark green
inline const QColor kCheckUnderSupplied{200, 0, 0}; // red

// A new chart of the check's result; the caller owns it.
QChart* BuildCheckChart(const CheckForm& form);

} // namespace hk::ui
