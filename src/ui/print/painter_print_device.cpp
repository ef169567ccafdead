#include "painter_print_device.h"

#include "ui/fonts.h"
#include "ui/qt_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QString>

namespace hk::ui {
PainterPrintDevice::PainterPrintDevice(QPainter& painter, QPrinter& printer)
    : painter_(painter), printer_(printer),
      // The printer's own font until the report sets one: it only carries the
      // report's empty first line.
      font_(MakeFont(QStringLiteral("Arial"), 10)) {}

void PainterPrintDevice::setFontName(const std::string& name) { SetFontFamily(font_, Q(name)); }

void PainterPrintDevice::setFontSize(double points) { font_.setPointSizeF(points); }

void PainterPrintDevice::setBold(bool bold) { font_.setBold(bold); }

double PainterPrintDevice::textWidth(std::string_view text) {
    return QFontMetricsF(font_, &printer_).horizontalAdvance(Q(text));
}

double PainterPrintDevice::averageCharWidth() {
    return QFontMetricsF(font_, &printer_).averageCharWidth();
}

double PainterPrintDevice::lineHeight() { return QFontMetricsF(font_, &printer_).lineSpacing(); }

double PainterPrintDevice::pageHeight() {
    // The painter's origin is the top-left corner of the printable area.
    return printer_.height();
}

bool PainterPrintDevice::newPage() { return printer_.newPage(); }

void PainterPrintDevice::drawText(double x, double y, std::string_view text) {
    painter_.setFont(font_);
    const double ascent = QFontMetricsF(font_, &printer_).ascent();
    painter_.drawText(QPointF(x, y + ascent), Q(text));
}

bool PainterPrintDevice::endDocument() { return painter_.end(); }

} // namespace hk::ui
