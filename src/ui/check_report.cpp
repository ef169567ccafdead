#include "check_report.h"

#include "ui/check_chart.h"
#include "ui/qt_text.h"
#include "ui/report/flow_body.h"
#include "ui/report/project_report.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPen>

#include <algorithm>
#include <array>
#include <memory>

namespace hk::ui {
namespace {

constexpr double kTitlePoints = 13;
constexpr double kTextPoints = 9;
constexpr double kTablePoints = 7.5;
constexpr double kSmallestTablePoints = 5.5;
constexpr double kCellPadMm = 1.0;
// The chart is laid out at this size in its own pixels and scaled to the
// page's width, so its fonts keep their proportions on paper.
constexpr qreal kChartPixelsWide = 760;
constexpr qreal kChartPixelsHigh = 430;

using Widths = std::array<qreal, kCheckColumnCount>;

bool IsTextColumn(int c) {
    return c == static_cast<int>(CheckColumn::RaumNr) ||
           c == static_cast<int>(CheckColumn::RaumVer) ||
           c == static_cast<int>(CheckColumn::Radiator) ||
           c == static_cast<int>(CheckColumn::Proposal);
}

// What the columns mean, under the table.
const char* const kColumnLegend =
    "Q-Norm: bei Auslegungstemperaturen bemessen · vorhandener Heizkörper: aus dem Katalog, "
    "eingegeben oder ausgelegt (der bemessene) · vorh. Normleistung: des vorhandenen Heizkörpers "
    "bei der Norm des Projekts · erf. Normleistung: bei Ziel-Vorlauf/-Rücklauf nötig · Q bei "
    "Ziel: was der vorhandene Heizkörper dort abgibt · Deckung: vorh. durch erf. Normleistung · "
    "min. Vorlauf: ab diesem Vorlauf (Spreizung wie Ziel) gedeckt · Vorschlag: kürzester "
    "Flachheizkörper des Katalogs, der den Raum bei Ziel deckt";

QString CellText(const CheckForm& form, std::size_t row, int c) {
    return CheckCellText(form, row, static_cast<CheckColumn>(c));
}

class CheckReportBody : public FlowBody {
public:
    CheckReportBody(const ProgramState& state, const CheckForm& form)
        : state_(state), form_(form) {}

protected:
    std::vector<FlowBlock> layOut(const QPaintDevice& device, qreal width) override {
        std::vector<FlowBlock> blocks;
        AddProjectData(blocks, state_.header, device, width);
        blocks.push_back({Mm(device, 5), {}});
        addText(blocks, device, width, QStringLiteral("Wärmepumpen-Check"),
                ReportFont(kTitlePoints, true), true);
        addText(blocks, device, width,
                QStringLiteral("Ziel: Vorlauf %1 °C, Rücklauf %2 °C – %3")
                    .arg(form_.supply())
                    .arg(form_.ret())
                    .arg(Q(form_.referenceText())),
                ReportFont(kTextPoints), false);
        blocks.push_back({Mm(device, 4), {}});
        addTable(blocks, device, width);
        blocks.push_back({Mm(device, 2), {}});
        addText(blocks, device, width, Q(kCheckMethodLine), ReportFont(kTablePoints), false);
        addText(blocks, device, width, QString::fromUtf8(kColumnLegend), ReportFont(kTablePoints),
                false);
        blocks.push_back({Mm(device, 4), {}});
        for (const std::string& line : form_.summary()) {
            addText(blocks, device, width, Q(line), ReportFont(kTextPoints, true), false);
        }
        blocks.push_back({Mm(device, 4), {}});
        addChart(blocks, width);
        return blocks;
    }

private:
    // A paragraph across the width, wrapped between words (the summary may
    // name many critical rooms).
    static void addText(std::vector<FlowBlock>& blocks, const QPaintDevice& device, qreal width,
                        const QString& text, const QFont& font, bool keepWithNext) {
        blocks.push_back(ParagraphBlock(device, width, text, font, keepWithNext));
    }

    // A heading in lines no wider than its column's values (or its longest
    // word): fourteen columns share the width of a portrait page.
    static QString HeadingLines(const QString& heading, const QFontMetricsF& fb, qreal content) {
        const QStringList words = heading.split(u' ');
        qreal limit = content;
        for (const QString& word : words) {
            limit = std::max(limit, fb.horizontalAdvance(word));
        }
        QStringList lines;
        for (const QString& word : words) {
            if (!lines.isEmpty() && fb.horizontalAdvance(lines.back() + u' ' + word) <= limit) {
                lines.back() += u' ' + word;
            } else {
                lines << word;
            }
        }
        return lines.join(u'\n');
    }

    void addTable(std::vector<FlowBlock>& blocks, const QPaintDevice& device, qreal width) const {
        // The largest type from kTablePoints down to kSmallestTablePoints at
        // which every column but the room use fits beside a short room use.
        QFont font;
        QFont bold;
        Widths widths{};
        std::array<QString, kCheckColumnCount> headings;
        int headingLines = 1;
        const qreal pad = Mm(device, kCellPadMm);
        for (double points = kTablePoints; points >= kSmallestTablePoints; points -= 0.5) {
            font = ReportFont(points);
            bold = ReportFont(points, true);
            const QFontMetricsF fm(font, &device);
            const QFontMetricsF fb(bold, &device);
            headingLines = 1;
            qreal others = 0;
            for (int c = 0; c < kCheckColumnCount; ++c) {
                qreal content = 0;
                for (std::size_t r = 0; r < form_.rowCount(); ++r) {
                    content = std::max(content, fm.horizontalAdvance(CellText(form_, r, c)));
                }
                const QString heading = HeadingLines(
                    Q(CheckColumnCaptions()[static_cast<std::size_t>(c)]), fb, content);
                const QStringList lines = heading.split(u'\n');
                for (const QString& line : lines) {
                    content = std::max(content, fb.horizontalAdvance(line));
                }
                headingLines = std::max(headingLines, static_cast<int>(lines.size()));
                headings[static_cast<std::size_t>(c)] = heading;
                widths[static_cast<std::size_t>(c)] = content + 2 * pad;
                if (c != static_cast<int>(CheckColumn::RaumVer)) {
                    others += content + 2 * pad;
                }
            }
            if (others + 2 * pad + fm.averageCharWidth() * 8 <= width) {
                break;
            }
        }
        const QFontMetricsF fm(font, &device);
        const QFontMetricsF fb(bold, &device);
        // The room use takes what the others leave, its texts shortened.
        qreal sum = 0;
        for (const qreal w : widths) {
            sum += w;
        }
        auto& use = widths[static_cast<std::size_t>(CheckColumn::RaumVer)];
        use = std::max(use + width - sum, 2 * pad + fm.averageCharWidth() * 4);
        const qreal rowHeight = fm.height() * 1.45;
        const qreal headingHeight = fb.height() * (headingLines + 0.6);

        const auto paintRow = [widths, pad](QPainter& p, qreal height,
                                            const std::array<QString, kCheckColumnCount>& texts,
                                            const std::array<QColor, kCheckColumnCount>& colours) {
            const QFontMetricsF m(p.font(), p.device());
            qreal x = 0;
            for (int c = 0; c < kCheckColumnCount; ++c) {
                const auto i = static_cast<std::size_t>(c);
                const QRectF cell(x + pad, 0, widths[i] - 2 * pad, height);
                const QString& text = texts[i];
                const QString shown =
                    text.contains(u'\n') ? text : m.elidedText(text, Qt::ElideRight, cell.width());
                p.setPen(colours[i]);
                p.drawText(cell,
                           (IsTextColumn(c) ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                           shown);
                x += widths[i];
            }
        };
        qreal tableWidth = 0;
        for (const qreal w : widths) {
            tableWidth += w;
        }
        std::array<QColor, kCheckColumnCount> black;
        black.fill(Qt::black);

        const int heading = static_cast<int>(blocks.size());
        blocks.push_back(
            {headingHeight,
             [=](QPainter& p, qreal) {
                 p.fillRect(QRectF(0, 0, tableWidth, headingHeight), kReportHeadingFill);
                 p.setFont(bold);
                 paintRow(p, headingHeight, headings, black);
                 p.setPen(QPen(Qt::black, Mm(*p.device(), 0.2)));
                 p.drawLine(QPointF(0, headingHeight), QPointF(tableWidth, headingHeight));
             },
             -1, true});
        for (std::size_t r = 0; r < form_.rowCount(); ++r) {
            std::array<QString, kCheckColumnCount> texts;
            std::array<QColor, kCheckColumnCount> colours = black;
            for (int c = 0; c < kCheckColumnCount; ++c) {
                texts[static_cast<std::size_t>(c)] = CellText(form_, r, c);
            }
            const CheckRow& row = form_.result().rows[r];
            if (row.coverage) {
                colours[static_cast<std::size_t>(CheckColumn::Coverage)] =
                    row.covered ? kCheckCovered : kCheckUnderSupplied;
            }
            const bool stripe = r % 2 == 1;
            blocks.push_back({rowHeight,
                              [=](QPainter& p, qreal) {
                                  if (stripe) {
                                      p.fillRect(QRectF(0, 0, tableWidth, rowHeight),
                                                 kReportStripeFill);
                                  }
                                  p.setFont(font);
                                  paintRow(p, rowHeight, texts, colours);
                              },
                              heading});
        }
    }

    void addChart(std::vector<FlowBlock>& blocks, qreal width) const {
        // One chart for every page it might be painted on; the scene owns it.
        auto scene = std::make_shared<QGraphicsScene>();
        QChart* chart = BuildCheckChart(form_);
        scene->addItem(chart);
        chart->setGeometry(QRectF(0, 0, kChartPixelsWide, kChartPixelsHigh));
        const qreal height = width * kChartPixelsHigh / kChartPixelsWide;
        blocks.push_back({height, [scene, height](QPainter& p, qreal w) {
                              scene->render(&p, QRectF(0, 0, w, height),
                                            QRectF(0, 0, kChartPixelsWide, kChartPixelsHigh));
                          }});
    }

    const ProgramState& state_;
    const CheckForm& form_;
};

} // namespace

Result<QByteArray> WriteCheckReportPdf(const ProgramState& state, const CheckForm& form,
                                       const QDateTime& created) {
    const QString number = Q(state.header[ProjectHeader::ProjektNr]).trimmed();
    CheckReportBody body(state, form);
    const ReportFrame frame{number, created,
                            (QStringLiteral("Wärmepumpen-Check ") + number).trimmed()};
    return WriteFramedPdf(frame, body);
}

} // namespace hk::ui
