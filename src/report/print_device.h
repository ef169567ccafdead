#pragma once
// The printer as the printed report sees it: a page of text lines in the
// current font. Positions are in the device's own units, measured from the
// top-left corner of the printable area of the current page; y is the top of
// a line. The Qt adapter draws on a QPrinter; the tests use a fake in which
// every character is one column wide and every line one unit high.

#include <string>
#include <string_view>

namespace hk {

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    // Font of the following texts. A face the machine lacks is replaced by one
    // of the same kind; size in points.
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setBold(bool bold) = 0;

    // Width of a UTF-8 text in the current font.
    virtual double textWidth(std::string_view text) = 0;
    // Average character width of the current font: the width of one tab column.
    virtual double averageCharWidth() = 0;
    // Distance from one line to the next in the current font.
    virtual double lineHeight() = 0;
    // Height of the printable area of a page.
    virtual double pageHeight() = 0;

    // Starts the next page; false when the device cannot.
    virtual bool newPage() = 0;
    // Draws text with the top of its line at y.
    virtual void drawText(double x, double y, std::string_view text) = 0;
    // Ends the document and hands it over; false when that failed.
    virtual bool endDocument() = 0;
};

} // namespace hk
