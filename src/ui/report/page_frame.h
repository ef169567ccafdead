#pragma once
// The page frame of the program's reports, written as PDF: A4 portrait,
// margins 20 mm left (for filing) and 15 mm elsewhere; on every page a head
// line "Heizflächenberechnung" | "Projekt <Nr.>" with a thin rule under it,
// and a foot line with the creation date and time on the left and
// "Seite x von y" on the right. A report hands in its body; the frame asks it
// how many pages it needs and has it paint each page inside the frame.

#include "common/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QFont>
#include <QSizeF>
#include <QString>

#include <string>

class QPainter;
class QPaintDevice;

namespace hk::ui {

// What a report puts inside the frame.
class ReportBody {
public:
    virtual ~ReportBody() = default;
    // Lays the body out for pages whose body area has the given size in the
    // units of device; answers the number of pages, at least 1.
    virtual int paginate(const QPaintDevice& device, const QSizeF& area) = 0;
    // Paints page index (from 0); the painter's origin is the top left of the
    // body area, which it is clipped to.
    virtual void paintPage(QPainter& painter, int index, const QSizeF& area) = 0;
};

struct ReportFrame {
    QString projectNumber; // right of the head line, "Projekt <Nr.>"
    QDateTime created;     // left of the foot line, "08.12.2026, 14:05"
    QString title;         // the PDF's title
};

// The whole report as a PDF document, or the German reason why it could not
// be made.
Result<QByteArray> WriteFramedPdf(const ReportFrame& frame, ReportBody& body);

// A report's PDF as the bytes an export writes (ExportContent).
Result<std::string> PdfBytes(const Result<QByteArray>& pdf);

// The sans-serif face of the reports, the kind the screens use; embedded in
// the PDF.
QFont ReportFont(double pointSize, bool bold = false);

// "08.12.2026, 14:05".
QString CreationText(const QDateTime& created);

// Millimetres in the units of device.
double Mm(const QPaintDevice& device, double mm);

} // namespace hk::ui
