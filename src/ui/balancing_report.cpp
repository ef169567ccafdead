#include "balancing_report.h"

#include "ui/qt_text.h"
#include "ui/report/flow_body.h"
#include "ui/report/project_report.h"

#include <QFontMetricsF>
#include <QPen>

#include <algorithm>
#include <array>

namespace hk::ui {
namespace {

constexpr double kTitlePoints = 13;
constexpr double kTextPoints = 9;
constexpr double kTablePoints = 6.2;
constexpr double kCellPadMm = 0.5;
constexpr qsizetype kMaxCellChars = 200;

using Row = std::array<QString, kBalancingColumnCount>;
using Widths = std::array<qreal, kBalancingColumnCount>;

// Columns of free text: they share what the numbers leave and wrap.
bool IsTextColumn(int c) {
    const auto column = static_cast<BalancingColumn>(c);
    return column == BalancingColumn::RaumNr || column == BalancingColumn::RaumVer ||
           column == BalancingColumn::Installed || column == BalancingColumn::Valve ||
           column == BalancingColumn::Note;
}

class BalancingReportBody : public FlowBody {
public:
    BalancingReportBody(const ProgramState& state, const BalancingForm& form)
        : state_(state), form_(form) {}

protected:
    std::vector<FlowBlock> layOut(const QPaintDevice& device, qreal width) override {
        std::vector<FlowBlock> blocks;
        addText(blocks, device, width, QStringLiteral("Einstellprotokoll hydraulischer Abgleich"),
                ReportFont(kTitlePoints, true), true);
        blocks.push_back({Mm(device, 3), {}});
        AddProjectData(blocks, state_.header, device, width);
        blocks.push_back({Mm(device, 4), {}});
        const QFont text = ReportFont(kTextPoints);
        const QFont bold = ReportFont(kTextPoints, true);
        addText(blocks, device, width, Q(systemText()), text, false);
        for (const std::string& line : form_.summary()) {
            addText(blocks, device, width, Q(line), bold, false);
        }
        blocks.push_back({Mm(device, 4), {}});
        addTable(blocks, device, width);
        blocks.push_back({Mm(device, 5), {}});
        addText(blocks, device, width, QStringLiteral("Heizkurve"), bold, true);
        addCurve(blocks, device, width);
        addText(blocks, device, width, Q(form_.slopeText()), text, false);
        blocks.push_back({Mm(device, 4), {}});
        addText(blocks, device, width, Q(BalancingForm::methodText()), text, false);
        blocks.push_back({Mm(device, 14), {}, -1, true});
        addSignature(blocks, device, width);
        return blocks;
    }

private:
    std::string systemText() const {
        std::string s =
            "Auslegung: Vorlauf " + std::to_string(form_.input(BalancingBox::Supply)) +
            " °C, Spreizung " + std::to_string(form_.input(BalancingBox::Spread)) +
            " K, Differenzdruck am Ventil " + std::to_string(form_.input(BalancingBox::Dp)) +
            " mbar, Norm-Außentemperatur " + std::to_string(form_.input(BalancingBox::Outdoor)) +
            " °C; Ventil: " + form_.valve() + "; " + form_.referenceText() + ".";
        return s;
    }

    // The valve of all rows stands in the lines above the table; a row
    // names only a valve of its own, and the table keeps to the page.
    std::string cellText(std::size_t row, BalancingColumn column) const {
        if (column == BalancingColumn::Valve && form_.rowValve(row) == form_.valve()) {
            return "wie oben";
        }
        return form_.cell(row, column);
    }

    static void addText(std::vector<FlowBlock>& blocks, const QPaintDevice& device, qreal width,
                        const QString& text, const QFont& font, bool keepWithNext) {
        blocks.push_back(ParagraphBlock(device, width, text, font, keepWithNext));
    }

    // Number columns as wide as their widest value or heading word; the text
    // columns share the rest in proportion to their widest value and wrap.
    void addTable(std::vector<FlowBlock>& blocks, const QPaintDevice& device, qreal width) const {
        const QFont font = ReportFont(kTablePoints);
        const QFont bold = ReportFont(kTablePoints, true);
        const QFontMetricsF fm(font, &device);
        const QFontMetricsF fb(bold, &device);
        const qreal pad = Mm(device, kCellPadMm);
        std::vector<Row> rows(form_.rowCount());
        Row headings;
        Widths widths{};
        Widths wanted{};
        for (int c = 0; c < kBalancingColumnCount; ++c) {
            const auto i = static_cast<std::size_t>(c);
            headings[i] = Q(BalancingColumnCaptions()[i]);
            qreal content = 0;
            for (std::size_t r = 0; r < rows.size(); ++r) {
                rows[r][i] =
                    CutText(Q(cellText(r, static_cast<BalancingColumn>(c))), kMaxCellChars);
                content = std::max(content, fm.horizontalAdvance(rows[r][i]));
            }
            qreal word = 0;
            for (const QString& w : headings[i].split(u' ')) {
                word = std::max(word, fb.horizontalAdvance(w));
            }
            widths[i] = (IsTextColumn(c) ? word : std::max(content, word)) + 2 * pad;
            wanted[i] = std::max(content, word) + 2 * pad;
        }
        // Wider than the page: the text columns give up what is too much, each
        // in proportion to what it has beyond its longest heading word.
        qreal total = 0;
        qreal slack = 0;
        for (int c = 0; c < kBalancingColumnCount; ++c) {
            const auto i = static_cast<std::size_t>(c);
            total += IsTextColumn(c) ? wanted[i] : widths[i];
            slack += IsTextColumn(c) ? wanted[i] - widths[i] : 0;
        }
        const qreal cut = slack > 0 ? std::clamp((total - width) / slack, 0.0, 1.0) : 0.0;
        for (int c = 0; c < kBalancingColumnCount; ++c) {
            const auto i = static_cast<std::size_t>(c);
            if (IsTextColumn(c)) {
                widths[i] = wanted[i] - (wanted[i] - widths[i]) * cut;
            }
        }
        qreal tableWidth = 0;
        for (const qreal w : widths) {
            tableWidth += w;
        }
        const auto heightOf = [&](const Row& row, const QFontMetricsF& m) {
            qreal h = m.height();
            for (std::size_t i = 0; i < row.size(); ++i) {
                h = std::max(h, m.boundingRect(QRectF(0, 0, widths[i] - 2 * pad, 1e9),
                                               Qt::TextWordWrap, row[i])
                                    .height());
            }
            return h + m.height() * 0.45;
        };
        const auto paintRow = [widths, pad](QPainter& p, qreal height, const Row& texts) {
            qreal x = 0;
            for (int c = 0; c < kBalancingColumnCount; ++c) {
                const auto i = static_cast<std::size_t>(c);
                p.drawText(QRectF(x + pad, 0, widths[i] - 2 * pad, height),
                           (IsTextColumn(c) ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter |
                               Qt::TextWordWrap,
                           texts[i]);
                x += widths[i];
            }
        };
        const qreal headingHeight = heightOf(headings, fb);
        const int heading = static_cast<int>(blocks.size());
        blocks.push_back(
            {headingHeight,
             [=](QPainter& p, qreal) {
                 p.fillRect(QRectF(0, 0, tableWidth, headingHeight), kReportHeadingFill);
                 p.setFont(bold);
                 p.setPen(Qt::black);
                 paintRow(p, headingHeight, headings);
                 p.setPen(QPen(Qt::black, Mm(*p.device(), 0.2)));
                 p.drawLine(QPointF(0, headingHeight), QPointF(tableWidth, headingHeight));
             },
             -1, true});
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Row texts = rows[r];
            const qreal h = heightOf(texts, fm);
            const bool stripe = r % 2 == 1;
            blocks.push_back({h,
                              [=](QPainter& p, qreal) {
                                  if (stripe) {
                                      p.fillRect(QRectF(0, 0, tableWidth, h), kReportStripeFill);
                                  }
                                  p.setFont(font);
                                  p.setPen(Qt::black);
                                  paintRow(p, h, texts);
                              },
                              heading});
        }
    }

    // The heating curve as three lines across: outdoor, supply, return.
    void addCurve(std::vector<FlowBlock>& blocks, const QPaintDevice& device, qreal width) const {
        const auto points = form_.curveTable();
        const QFont font = ReportFont(kTextPoints);
        const QFont bold = ReportFont(kTextPoints, true);
        const QFontMetricsF fm(bold, &device);
        const qreal line = fm.height() * 1.35;
        const QStringList labels = {QStringLiteral("Außentemperatur °C"),
                                    QStringLiteral("Vorlauf °C"), QStringLiteral("Rücklauf °C")};
        qreal labelWidth = 0;
        for (const QString& l : labels) {
            labelWidth = std::max(labelWidth, fm.horizontalAdvance(l));
        }
        labelWidth += Mm(device, 4);
        const qreal cell =
            std::min(Mm(device, 14), (width - labelWidth) / std::max<qreal>(1, points.size()));
        for (std::size_t k = 0; k < 3; ++k) {
            QStringList values;
            for (const auto& p : points) {
                values << Q(p[k]);
            }
            const QString label = labels[static_cast<qsizetype>(k)];
            const bool first = k == 0;
            blocks.push_back({line,
                              [=](QPainter& p, qreal) {
                                  if (first) {
                                      p.fillRect(
                                          QRectF(0, 0, labelWidth + cell * values.size(), line),
                                          kReportHeadingFill);
                                  }
                                  p.setPen(Qt::black);
                                  p.setFont(bold);
                                  p.drawText(QRectF(0, 0, labelWidth, line),
                                             Qt::AlignLeft | Qt::AlignVCenter, label);
                                  p.setFont(first ? bold : font);
                                  for (qsizetype i = 0; i < values.size(); ++i) {
                                      p.drawText(QRectF(labelWidth + cell * i, 0, cell, line),
                                                 Qt::AlignRight | Qt::AlignVCenter, values[i]);
                                  }
                              },
                              -1, k < 2});
        }
    }

    // Place and date, and the installer's signature, each over a line.
    static void addSignature(std::vector<FlowBlock>& blocks, const QPaintDevice& device,
                             qreal width) {
        const QFont font = ReportFont(kTextPoints);
        const qreal h = QFontMetricsF(font, &device).height() * 1.6;
        const qreal gap = Mm(device, 12);
        blocks.push_back({h, [=](QPainter& p, qreal) {
                              const qreal half = (width - gap) / 2;
                              p.setPen(QPen(Qt::black, Mm(*p.device(), 0.2)));
                              p.drawLine(QPointF(0, 0), QPointF(half, 0));
                              p.drawLine(QPointF(half + gap, 0), QPointF(width, 0));
                              p.setFont(font);
                              p.drawText(QRectF(0, 0, half, h), Qt::AlignLeft | Qt::AlignVCenter,
                                         QStringLiteral("Ort, Datum"));
                              p.drawText(QRectF(half + gap, 0, half, h),
                                         Qt::AlignLeft | Qt::AlignVCenter,
                                         QStringLiteral("Unterschrift des Installateurs"));
                          }});
    }

    const ProgramState& state_;
    const BalancingForm& form_;
};

} // namespace

Result<QByteArray> WriteBalancingReportPdf(const ProgramState& state, const BalancingForm& form,
                                           const QDateTime& created) {
    const QString number = Q(state.header[ProjectHeader::ProjektNr]).trimmed();
    BalancingReportBody body(state, form);
    const ReportFrame frame{
        number, created,
        (QStringLiteral("Einstellprotokoll hydraulischer Abgleich ") + number).trimmed()};
    return WriteFramedPdf(frame, body);
}

} // namespace hk::ui
