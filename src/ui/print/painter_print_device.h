#pragma once
// The report's printer on a QPainter that is active on a QPrinter. Units are
// the printer's device pixels; tab columns follow the average character width
// of the current font on that printer, lines its line spacing.

#include "report/print_device.h"

#include <QFont>

class QPainter;
class QPrinter;

namespace hk::ui {

class PainterPrintDevice : public PrintDevice {
public:
    // painter must be active on printer for the life of the device.
    PainterPrintDevice(QPainter& painter, QPrinter& printer);

    void setFontName(const std::string& name) override;
    void setFontSize(double points) override;
    void setBold(bool bold) override;
    double textWidth(std::string_view text) override;
    double averageCharWidth() override;
    double lineHeight() override;
    double pageHeight() override;
    bool newPage() override;
    void drawText(double x, double y, std::string_view text) override;
    bool endDocument() override;

    const QFont& font() const { return font_; }

private:
    QPainter& painter_;
    QPrinter& printer_;
    QFont font_;
};

} // namespace hk::ui
