#pragma once
// The chart of the heat-pump check: one bar a checked radiator with its
// lowest supply temperature, labelled with room number and use, and a dashed
// line at the target supply temperature. Bars above the line are drawn in the
// under-supplied colour, so the line and the colour say the same.

#include "project/check_form.h"

#include <QColor>
#include <QString>

class QChart;

namespace hk::ui {

inline const QColor kCheckCovered{0, 128, 0};       // dark green
inline const QColor kCheckUnderSupplied{200, 0, 0}; // red

// The text of a cell as window and PDF show it: the coverage with its mark
// ("87 ✗"), never the colour alone. A text beyond 200 characters (only a
// project file written by hand has one) is cut with "…": measuring it whole
// would take seconds, and no cell shows that much.
QString CheckCellText(const CheckForm& form, std::size_t row, CheckColumn column);

// A new chart of the check's result; the caller owns it.
QChart* BuildCheckChart(const CheckForm& form);

} // namespace hk::ui
