#include "page_frame.h"

#include "ui/fonts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

namespace hk::ui {
namespace {

constexpr double kHeadPoints = 9;     // head line
constexpr double kFootPoints = 8;     // foot line
constexpr double kRuleMm = 0.25;      // the thin rules
constexpr double kHeadGapMm = 1.5;    // head text to its rule
constexpr double kBodyGapMm = 5;      // rule to the body, body to the foot line
const QColor kFootColour(80, 80, 80); // the foot line is quieter than the text

struct FrameGeometry {
    QRectF head;     // the head line's text
    qreal ruleY = 0; // the rule under it
    QRectF body;     // what the report fills
    QRectF foot;     // the foot line's text
    qreal ruleWidth = 0;
};

FrameGeometry Geometry(const QPaintDevice& device, const QSizeF& page) {
    FrameGeometry g;
    const QFontMetricsF head(ReportFont(kHeadPoints, true), &device);
    const QFontMetricsF foot(ReportFont(kFootPoints), &device);
    g.ruleWidth = Mm(device, kRuleMm);
    g.head = QRectF(0, 0, page.width(), head.height());
    g.ruleY = g.head.bottom() + Mm(device, kHeadGapMm);
    g.foot = QRectF(0, page.height() - foot.height(), page.width(), foot.height());
    const qreal top = g.ruleY + Mm(device, kBodyGapMm);
    const qreal bottom = g.foot.top() - Mm(device, kBodyGapMm);
    g.body = QRectF(0, top, page.width(), bottom - top);
    return g;
}

void PaintFrame(QPainter& p, const FrameGeometry& g, const ReportFrame& frame, int page,
                int pages) {
    const QFont headFont = ReportFont(kHeadPoints, true);
    p.setFont(headFont);
    p.setPen(Qt::black);
    const QString left = QStringLiteral("Heizflächenberechnung");
    const QFontMetricsF fm(headFont, p.device());
    // The number stands in full on the first page; up here a long one is
    // shortened so that it keeps clear of the title.
    const qreal room = g.head.width() - fm.horizontalAdvance(left) - fm.horizontalAdvance(u'M') * 3;
    const QString right = fm.elidedText(
        (QStringLiteral("Projekt ") + frame.projectNumber).trimmed(), Qt::ElideRight, room);
    p.drawText(g.head, Qt::AlignLeft | Qt::AlignVCenter, left);
    p.drawText(g.head, Qt::AlignRight | Qt::AlignVCenter, right);
    p.setPen(QPen(Qt::black, g.ruleWidth));
    p.drawLine(QPointF(0, g.ruleY), QPointF(g.head.width(), g.ruleY));

    p.setFont(ReportFont(kFootPoints));
    p.setPen(kFootColour);
    p.drawText(g.foot, Qt::AlignLeft | Qt::AlignVCenter, CreationText(frame.created));
    p.drawText(g.foot, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Seite %1 von %2").arg(page).arg(pages));
}

} // namespace

QFont ReportFont(double pointSize, bool bold) {
    return MakeFont(QStringLiteral("Arial"), pointSize, bold);
}

QString CreationText(const QDateTime& created) {
    return created.toString(QStringLiteral("dd.MM.yyyy, HH:mm"));
}

double Mm(const QPaintDevice& device, double mm) { return mm / 25.4 * device.logicalDpiY(); }

Result<QByteArray> WriteFramedPdf(const ReportFrame& frame, ReportBody& body) {
    const auto fail = [](const char* text) { return Problem{text}; };
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return fail("Der Bericht konnte nicht erstellt werden");
    }
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter));
        writer.setTitle(frame.title);
        writer.setCreator(QStringLiteral("hkberech"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return fail("Der Bericht konnte nicht erstellt werden: Es konnte keine Seite begonnen "
                        "werden");
        }
        painter.setRenderHint(QPainter::Antialiasing);
        const FrameGeometry g = Geometry(writer, QSizeF(writer.width(), writer.height()));
        const int pages = std::max(1, body.paginate(writer, g.body.size()));
        for (int page = 0; page < pages; ++page) {
            if (page > 0 && !writer.newPage()) {
                painter.end();
                return fail("Der Bericht konnte nicht vollständig erstellt werden");
            }
            PaintFrame(painter, g, frame, page + 1, pages);
            painter.save();
            painter.translate(g.body.topLeft());
            painter.setClipRect(QRectF(QPointF(0, 0), g.body.size()));
            body.paintPage(painter, page, g.body.size());
            painter.restore();
        }
        painter.end();
    }
    buffer.close();
    if (pdf.isEmpty()) {
        return fail("Der Bericht konnte nicht erstellt werden");
    }
    return pdf;
}

Result<std::string> PdfBytes(const Result<QByteArray>& pdf) {
    if (!pdf) {
        return pdf.problem();
    }
    return pdf->toStdString();
}

} // namespace hk::ui
