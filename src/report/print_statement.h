#pragma once
// Print statements on a PrintDevice: a statement is a sequence of items
// (text, whole number, single-precision number, move to a tab column) that
// ends the line or, with a continuation, leaves the print position after its
// last item.
//
//  - Columns count from 1 at the left edge of the printable area; each is as
//    wide as the average character width of the current font.
//  - A move to tab column n goes to column n of the current line, or of the
//    next line when the position already lies beyond column n.
//  - Texts are printed unchanged.
//  - A number prints as its text with one leading blank for the sign of a
//    non-negative value (the "-" of a negative one) and one trailing blank.
//  - A statement without items ends the line.
//  - A page that is full continues on the next; nothing is repeated there.

#include "report/print_device.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace hk {

struct PrintItem {
    enum class Kind { Text, Whole, Single, Tab };
    Kind kind = Kind::Text;
    std::string text;    // Text
    long long whole = 0; // Whole
    float single = 0;    // Single
    int column = 1;      // Tab, counted from 1
};

// The items of a statement: item::Tab(7), item::Text("..."), item::Single(x).
namespace item {
PrintItem Text(std::string_view text);
PrintItem Whole(long long value);
PrintItem Single(float value);
PrintItem Tab(int column);
} // namespace item

// The text a number item prints, blanks included: 60 -> " 60 ", -2.5 -> "-2,5 ".
std::string PrintedNumber(const PrintItem& item);

enum class LineEnd { Line, Continue };

class Printer {
public:
    explicit Printer(PrintDevice& device) : device_(device) {}

    void FontName(const std::string& name) { device_.setFontName(name); }
    void FontSize(double points) { device_.setFontSize(points); }
    void FontBold(bool bold) { device_.setBold(bold); }

    void Print(const std::vector<PrintItem>& items, LineEnd end = LineEnd::Line);
    void Print(std::initializer_list<PrintItem> items, LineEnd end = LineEnd::Line) {
        Print(std::vector<PrintItem>(items), end);
    }

    // Ends the document. False when the device failed at any point: a page
    // that could not be started or a document that could not be handed over.
    bool EndDoc();

private:
    void NewLine();
    void Emit(std::string_view text);

    PrintDevice& device_;
    double x_ = 0; // print position, device units from the left edge
    double y_ = 0; // top of the current line on the current page
    bool failed_ = false;
};

} // namespace hk
