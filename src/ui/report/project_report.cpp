#include "project_report.h"

#include "project/table_export.h"
#include "report/report_rows.h"
#include "ui/qt_text.h"
#include "ui/report/flow_body.h"

#include <QFontMetricsF>
#include <QPen>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <numeric>

namespace hk::ui {
namespace {

using Field = ProjectHeader::Field;

const std::array<QString, kReportColumnCount> kHeadings = {
    QStringLiteral("Nr."),        QStringLiteral("Raum-Nr."),    QStringLiteral("Raumverwendung"),
    QStringLiteral("Vorlauf °C"), QStringLiteral("Rücklauf °C"), QStringLiteral("Raum °C"),
    QStringLiteral("Q-Raum W"),   QStringLiteral("n"),           QStringLiteral("Δtm K"),
    QStringLiteral("f"),          QStringLiteral("Q-Norm W"),    QStringLiteral("Heizkörpertyp")};

using Cells = std::array<QString, kReportColumnCount>;

// No row of the page holds more characters than this; a longer text (only a
// project file written by hand has one) would be shortened to fit anyway,
// and measuring it whole at every font size would take seconds.
constexpr qsizetype kMaxCellChars = 200;

std::vector<Cells> CellsOf(const std::vector<ReportRow>& rows) {
    std::vector<Cells> cells(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < kReportColumnCount; ++c) {
            QString text = Q(rows[r][c]);
            if (text.size() > kMaxCellChars) {
                text = text.left(kMaxCellChars) + QChar(0x2026);
            }
            cells[r][c] = std::move(text);
        }
    }
    return cells;
}

struct Group {
    QString title;
    std::vector<std::pair<QString, Field>> fields; // label, header field
};

const std::array<Group, 3> kGroups = {{
    {QStringLiteral("Projekt"),
     {{QStringLiteral("Projekt Nr."), Field::ProjektNr},
      {QStringLiteral("bearbeitet von"), Field::Bearbeiter},
      {QStringLiteral("Datum"), Field::Datum}}},
    {QStringLiteral("Bauherr"),
     {{QStringLiteral("Name"), Field::BauherrName},
      {QStringLiteral("Vorname"), Field::BauherrVorname},
      {QStringLiteral("Straße"), Field::BauherrStrasse},
      {QStringLiteral("Ort"), Field::BauherrOrt},
      {QStringLiteral("Telefon"), Field::BauherrTelefon}}},
    {QStringLiteral("Bauvorhaben"),
     {{QStringLiteral("Straße"), Field::BaustelleStrasse},
      {QStringLiteral("Ort"), Field::BaustelleOrt},
      {QStringLiteral("Telefon"), Field::BaustelleTelefon}}},
}};

constexpr double kTextPoints = 9;
constexpr double kGroupGapMm = 6;  // between the three groups
constexpr double kCellPadMm = 1.2; // either side of a table cell
constexpr double kBiggestTablePoints = 9;
constexpr double kSmallestTablePoints = 6;
constexpr double kSlack = 0.05; // of a line's height: measured widths never shorten a text
const QColor kLabelColour(90, 90, 90);

// The lines of text at width, broken between words and, for a word longer
// than the width, inside it: nothing is cut.
QStringList Wrapped(const QString& text, const QFont& font, const QPaintDevice& device,
                    qreal width) {
    QStringList lines;
    QTextLayout layout(text, font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    if (lines.isEmpty()) {
        lines << QString();
    }
    return lines;
}

// One line of a group column: a title, or a label (on a field's first line
// only) with a line of its value.
struct GroupLine {
    QString label;
    QString text;
    bool title = false;
};

struct Table {
    QFont font;
    QFont bold;
    std::array<qreal, kReportColumnCount> widths{};
    std::array<QStringList, kReportColumnCount> headings{};
    qreal pad = 0;
    qreal rowHeight = 0;
    qreal headingHeight = 0;
    qreal rule = 0;
};

qreal Sum(const std::array<qreal, kReportColumnCount>& widths) {
    return std::accumulate(widths.begin(), widths.end(), qreal(0));
}

// The heading of a column on one line, or on two at its last blank when the
// column's values are narrower than the heading.
QStringList HeadingLines(const QString& heading, const QFontMetricsF& fm, qreal contentWidth) {
    const int blank = heading.lastIndexOf(u' ');
    if (blank < 0 || fm.horizontalAdvance(heading) <= contentWidth) {
        return {heading};
    }
    return {heading.left(blank), heading.mid(blank + 1)};
}

// The table at a font size; squeezed, its text columns give up what the
// table is wider than available.
Table TableAt(double points, const QPaintDevice& device, const std::vector<Cells>& rows,
              const ReportTotals& totals, qreal available, bool squeezed) {
    Table t;
    t.font = ReportFont(points);
    t.bold = ReportFont(points, true);
    const QFontMetricsF fm(t.font, &device);
    const QFontMetricsF fb(t.bold, &device);
    t.pad = Mm(device, kCellPadMm) * points / kBiggestTablePoints;
    t.rule = Mm(device, 0.2);
    std::array<qreal, kReportColumnCount> content{};
    for (const Cells& row : rows) {
        for (int c = 0; c < kReportColumnCount; ++c) {
            content[c] = std::max(content[c], fm.horizontalAdvance(row[c]));
        }
    }
    content[ColQRaum] = std::max(content[ColQRaum], fb.horizontalAdvance(Q(totals.qRaum)));
    content[ColQNorm] = std::max(content[ColQNorm], fb.horizontalAdvance(Q(totals.qNorm)));
    int headingLines = 1;
    for (int c = 0; c < kReportColumnCount; ++c) {
        t.headings[c] = HeadingLines(kHeadings[c], fb, content[c]);
        headingLines = std::max(headingLines, static_cast<int>(t.headings[c].size()));
        qreal w = content[c];
        for (const QString& line : t.headings[c]) {
            w = std::max(w, fb.horizontalAdvance(line));
        }
        t.widths[c] = w + 2 * t.pad + kSlack * fm.height();
    }
    // Texts of a project file written by hand may be longer than any input
    // box takes: the text columns then give up width and their texts are
    // shortened, so that every row still stands on one line.
    if (squeezed && Sum(t.widths) > available) {
        // The narrowest keep their width while they are below an even share
        // of what is left; the others share the rest evenly.
        std::array<int, 3> texts = {ColRaumNr, ColRaumVer, ColHkTyp};
        std::sort(texts.begin(), texts.end(),
                  [&t](int a, int b) { return t.widths[a] < t.widths[b]; });
        qreal left = available - (Sum(t.widths) - t.widths[ColRaumNr] - t.widths[ColRaumVer] -
                                  t.widths[ColHkTyp]);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const qreal share = std::max<qreal>(0, left / static_cast<qreal>(texts.size() - i));
            t.widths[texts[i]] = std::min(t.widths[texts[i]], share);
            left -= t.widths[texts[i]];
        }
    }
    if (!squeezed && Sum(t.widths) < available) {
        t.widths[ColHkTyp] += available - Sum(t.widths); // the table spans the page
    }
    t.rowHeight = fm.height() * 1.45;
    t.headingHeight = fb.height() * headingLines + fb.height() * 0.6;
    return t;
}

// The largest table font at which the table fits the width.
Table FitTable(const QPaintDevice& device, const std::vector<Cells>& rows,
               const ReportTotals& totals, qreal available) {
    for (double points = kBiggestTablePoints; points > kSmallestTablePoints; points -= 0.25) {
        Table t = TableAt(points, device, rows, totals, available, false);
        if (Sum(t.widths) <= available + 0.5) {
            return t;
        }
    }
    return TableAt(kSmallestTablePoints, device, rows, totals, available, true);
}

void PaintCell(QPainter& p, const Table& t, qreal x, int column, qreal height,
               const QString& text) {
    const QRectF cell(x + t.pad, 0, t.widths[column] - 2 * t.pad, height);
    const QFontMetricsF fm(p.font(), p.device());
    const Qt::Alignment align = IsNumberColumn(column) ? Qt::AlignRight : Qt::AlignLeft;
    // A heading of two lines always fits; a value is shortened only where a
    // text column had to give up width.
    const bool fits = text.contains(u'\n') || fm.horizontalAdvance(text) <= cell.width();
    const QString shown = fits ? text : fm.elidedText(text, Qt::ElideRight, cell.width());
    p.drawText(cell, align | Qt::AlignVCenter, shown);
}

class ProjectReportBody : public FlowBody {
public:
    explicit ProjectReportBody(const ProgramState& state)
        : state_(state), rows_(CellsOf(ReportRows(state))), totals_(Totals(state)) {}

protected:
    std::vector<FlowBlock> layOut(const QPaintDevice& device, qreal width) override {
        std::vector<FlowBlock> blocks;
        AddProjectData(blocks, state_.header, device, width);
        addSpace(blocks, Mm(device, 5));
        const QFont text = ReportFont(kTextPoints);
        const QString reference = Q(ReferenceText(state_.dNorm));
        const qreal line = QFontMetricsF(text, &device).height();
        blocks.push_back({line, [text, reference, line](QPainter& p, qreal w) {
                              p.setFont(text);
                              p.setPen(Qt::black);
                              p.drawText(QRectF(0, 0, w, line), Qt::AlignLeft | Qt::AlignVCenter,
                                         reference);
                          }});
        addSpace(blocks, Mm(device, 6));
        addTable(blocks, device, width);
        return blocks;
    }

private:
    static void addSpace(std::vector<FlowBlock>& blocks, qreal height) {
        blocks.push_back({height, {}});
    }

    void addTable(std::vector<FlowBlock>& blocks, const QPaintDevice& device, qreal width) const {
        const Table t = FitTable(device, rows_, totals_, width);
        const qreal tableWidth = Sum(t.widths);
        const int heading = static_cast<int>(blocks.size());
        blocks.push_back(
            {t.headingHeight,
             [t, tableWidth](QPainter& p, qreal) {
                 p.fillRect(QRectF(0, 0, tableWidth, t.headingHeight), kReportHeadingFill);
                 p.setFont(t.bold);
                 p.setPen(Qt::black);
                 qreal x = 0;
                 for (int c = 0; c < kReportColumnCount; ++c) {
                     PaintCell(p, t, x, c, t.headingHeight, t.headings[c].join(u'\n'));
                     x += t.widths[c];
                 }
                 p.setPen(QPen(Qt::black, t.rule));
                 p.drawLine(QPointF(0, t.headingHeight), QPointF(tableWidth, t.headingHeight));
             },
             -1, true});
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            const Cells row = rows_[r];
            const bool stripe = r % 2 == 1;
            blocks.push_back({t.rowHeight,
                              [t, tableWidth, row, stripe](QPainter& p, qreal) {
                                  if (stripe) {
                                      p.fillRect(QRectF(0, 0, tableWidth, t.rowHeight),
                                                 kReportStripeFill);
                                  }
                                  p.setFont(t.font);
                                  p.setPen(Qt::black);
                                  qreal x = 0;
                                  for (int c = 0; c < kReportColumnCount; ++c) {
                                      PaintCell(p, t, x, c, t.rowHeight, row[c]);
                                      x += t.widths[c];
                                  }
                              },
                              heading});
        }
        const ReportTotals totals = totals_;
        blocks.push_back(
            {t.rowHeight * 1.2,
             [t, tableWidth, totals](QPainter& p, qreal) {
                 p.setPen(QPen(Qt::black, t.rule * 2));
                 p.drawLine(QPointF(0, 0), QPointF(tableWidth, 0));
                 p.setFont(t.bold);
                 p.setPen(Qt::black);
                 const qreal h = t.rowHeight * 1.2;
                 qreal x = 0;
                 for (int c = 0; c < ColQRaum; ++c) {
                     x += t.widths[c];
                 }
                 const QString count =
                     totals.radiators == 1
                         ? QStringLiteral("Summe: 1 Heizkörper")
                         : QStringLiteral("Summe: %1 Heizkörper").arg(totals.radiators);
                 p.drawText(QRectF(t.pad, 0, x - 2 * t.pad, h), Qt::AlignLeft | Qt::AlignVCenter,
                            count);
                 PaintCell(p, t, x, ColQRaum, h, Q(totals.qRaum));
                 for (int c = ColQRaum; c < ColQNorm; ++c) {
                     x += t.widths[c];
                 }
                 PaintCell(p, t, x, ColQNorm, h, Q(totals.qNorm));
             },
             heading});
    }

    const ProgramState& state_;
    std::vector<Cells> rows_;
    ReportTotals totals_;
};

} // namespace

// The three groups side by side; their lines flow as bands across the
// three columns, so a value of any length wraps within its group.
void AddProjectData(std::vector<FlowBlock>& blocks, const ProjectHeader& header,
                    const QPaintDevice& device, qreal width) {
    const QFont text = ReportFont(kTextPoints);
    const QFont bold = ReportFont(kTextPoints + 1, true);
    const QFontMetricsF fm(text, &device);
    const qreal gap = Mm(device, kGroupGapMm);
    const qreal columnWidth = (width - 2 * gap) / 3;
    std::array<std::vector<GroupLine>, 3> columns;
    std::array<qreal, 3> labelWidths{};
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        for (const auto& [label, field] : kGroups[g].fields) {
            labelWidths[g] = std::max(labelWidths[g], fm.horizontalAdvance(label));
        }
        labelWidths[g] += fm.horizontalAdvance(QStringLiteral("MM"));
        columns[g].push_back({{}, kGroups[g].title, true});
        for (const auto& [label, field] : kGroups[g].fields) {
            const QStringList lines =
                Wrapped(Q(header[field]), text, device, columnWidth - labelWidths[g]);
            for (int i = 0; i < lines.size(); ++i) {
                columns[g].push_back({i == 0 ? label : QString(), lines[i]});
            }
        }
    }
    const std::size_t bands = std::max({columns[0].size(), columns[1].size(), columns[2].size()});
    const qreal band = std::max(fm.height(), QFontMetricsF(bold, &device).height()) * 1.2;
    for (std::size_t b = 0; b < bands; ++b) {
        std::array<GroupLine, 3> lines;
        for (std::size_t g = 0; g < 3; ++g) {
            if (b < columns[g].size()) {
                lines[g] = columns[g][b];
            }
        }
        blocks.push_back(
            {band,
             [=](QPainter& p, qreal) {
                 for (std::size_t g = 0; g < 3; ++g) {
                     const qreal x = static_cast<qreal>(g) * (columnWidth + gap);
                     const GroupLine& l = lines[g];
                     if (l.title) {
                         p.setFont(bold);
                         p.setPen(Qt::black);
                         p.drawText(QRectF(x, 0, columnWidth, band),
                                    Qt::AlignLeft | Qt::AlignVCenter, l.text);
                         continue;
                     }
                     p.setFont(text);
                     p.setPen(kLabelColour);
                     p.drawText(QRectF(x, 0, labelWidths[g], band),
                                Qt::AlignLeft | Qt::AlignVCenter, l.label);
                     p.setPen(Qt::black);
                     p.drawText(QRectF(x + labelWidths[g], 0, columnWidth - labelWidths[g], band),
                                Qt::AlignLeft | Qt::AlignVCenter, l.text);
                 }
             },
             -1, b == 0});
    }
}

Result<QByteArray> WriteProjectReportPdf(const ProgramState& state, const QDateTime& created) {
    const QString number = Q(state.header[ProjectHeader::ProjektNr]).trimmed();
    ProjectReportBody body(state);
    const ReportFrame frame{number, created,
                            (QStringLiteral("Heizflächenberechnung ") + number).trimmed()};
    return WriteFramedPdf(frame, body);
}

ExportOutcome mnuItemBericht_Click(const ProgramState& state, FileDialogs& dialogs,
                                   MessageSink& messages, FileOps& files) {
    return ExportFile(
        dialogs, messages, ProposedFileName(state.header[ProjectHeader::ProjektNr], "pdf"),
        PdfFilter(),
        [&state] { return PdfBytes(WriteProjectReportPdf(state, QDateTime::currentDateTime())); },
        files);
}

} // namespace hk::ui
