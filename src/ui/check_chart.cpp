#include "check_chart.h"
#include "ui/qt_text.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

namespace hk::ui {
namespace {

// The bar of an entry not covered even at the top of the range stands just
// above it.
constexpr int kAboveRangeBar = kCheckSupplyMax + 3;

constexpr qsizetype kMaxCellChars = 200;
constexpr qsizetype kMaxBarLabelChars = 30;

} // namespace

QString CheckCellText(const CheckForm& form, std::size_t row, CheckColumn column) {
    QString text = CutText(Q(form.cell(row, column)), kMaxCellChars);
    if (column == CheckColumn::Coverage && !form.coverageMark(row).empty()) {
        text += QStringLiteral(" ") + Q(form.coverageMark(row));
    }
    return text;
}

QChart* BuildCheckChart(const CheckForm& form) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Niedrigste Vorlauftemperatur je Raum"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* bars = new QBarSet(QStringLiteral("min. Vorlauf °C, bei Ziel gedeckt"));
    bars->setColor(kCheckCovered);
    bars->setSelectedColor(kCheckUnderSupplied);
    QStringList rooms;
    const CheckResult& result = form.result();
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const auto& minSupply = result.rows[i].minSupply;
        bars->append(minSupply ? *minSupply : kAboveRangeBar);
        if (!minSupply || *minSupply > form.supply()) {
            bars->selectBar(static_cast<int>(i)); // above the target: under-supplied there
        }
        rooms << CutText(Q(form.roomLabel(i)), kMaxBarLabelChars);
    }
    auto* series = new QBarSeries;
    series->append(bars);
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis;
    categories->append(rooms);
    categories->setLabelsAngle(-90);
    QFont small = categories->labelsFont();
    small.setPointSizeF(7.5);
    categories->setLabelsFont(small);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto* degrees = new QValueAxis;
    degrees->setRange(20, kAboveRangeBar + 2);
    degrees->setTickType(QValueAxis::TicksDynamic);
    degrees->setTickAnchor(20);
    degrees->setTickInterval(20);
    degrees->setTitleText(QStringLiteral("°C"));
    degrees->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(degrees, Qt::AlignLeft);
    series->attachAxis(degrees);

    // The target supply temperature across the whole width.
    auto* target = new QLineSeries;
    target->setName(QStringLiteral("Ziel-Vorlauf %1 °C").arg(form.supply()));
    const double n = static_cast<double>(result.rows.size());
    target->append(-0.5, form.supply());
    target->append(n - 0.5, form.supply());
    target->setPen(QPen(Qt::black, 2, Qt::DashLine));
    chart->addSeries(target);
    auto* across = new QValueAxis;
    across->setRange(-0.5, n - 0.5);
    across->setVisible(false);
    chart->addAxis(across, Qt::AlignBottom);
    target->attachAxis(across);
    target->attachAxis(degrees);

    // The legend names the second colour too: a series without points that
    // only lends its marker.
    auto* under = new QScatterSeries;
    under->setName(QStringLiteral("min. Vorlauf °C, bei Ziel nicht gedeckt"));
    under->setColor(kCheckUnderSupplied);
    under->setBorderColor(kCheckUnderSupplied);
    under->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    chart->addSeries(under);
    under->attachAxis(across);
    under->attachAxis(degrees);

    return chart;
}

} // namespace hk::ui
