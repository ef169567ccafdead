#include "print_statement.h"

#include "common/numbers.h"

namespace hk {
namespace item {

PrintItem Text(std::string_view text) {
    PrintItem p;
    p.kind = PrintItem::Kind::Text;
    p.text = std::string(text);
    return p;
}

PrintItem Whole(long long value) {
    PrintItem p;
    p.kind = PrintItem::Kind::Whole;
    p.whole = value;
    return p;
}

PrintItem Single(float value) {
    PrintItem p;
    p.kind = PrintItem::Kind::Single;
    p.single = value;
    return p;
}

PrintItem Tab(int column) {
    PrintItem p;
    p.kind = PrintItem::Kind::Tab;
    p.column = column;
    return p;
}

} // namespace item

std::string PrintedNumber(const PrintItem& item) {
    const std::string digits =
        item.kind == PrintItem::Kind::Whole ? WholeText(item.whole) : NumberText(item.single);
    // The sign place: a blank for zero and positive values (NumberText gives
    // "0" for -0 as well), the minus sign itself for negative ones.
    const bool negative = !digits.empty() && digits.front() == '-';
    return (negative ? "" : " ") + digits + " ";
}

void Printer::NewLine() {
    x_ = 0;
    y_ += device_.lineHeight();
}

void Printer::Emit(std::string_view text) {
    if (text.empty() || failed_) {
        return;
    }
    // A line that would reach below the page goes to the top of the next one.
    if (y_ > 0 && y_ + device_.lineHeight() > device_.pageHeight()) {
        if (!device_.newPage()) {
            failed_ = true;
            return;
        }
        y_ = 0;
    }
    device_.drawText(x_, y_, text);
    x_ += device_.textWidth(text);
}

void Printer::Print(const std::vector<PrintItem>& items, LineEnd end) {
    for (const PrintItem& item : items) {
        switch (item.kind) {
        case PrintItem::Kind::Text:
            Emit(item.text);
            break;
        case PrintItem::Kind::Whole:
        case PrintItem::Kind::Single:
            Emit(PrintedNumber(item));
            break;
        case PrintItem::Kind::Tab: {
            const double width = device_.averageCharWidth();
            const double target = (item.column < 1 ? 0 : item.column - 1) * width;
            // Measured widths of proportional faces carry rounding; a position
            // within 1/100 column of the target counts as standing on it.
            if (x_ > target + width / 100) {
                NewLine();
            }
            x_ = target;
            break;
        }
        }
    }
    if (end == LineEnd::Line) {
        NewLine();
    }
}

bool Printer::EndDoc() {
    const bool ended = device_.endDocument();
    return ended && !failed_;
}

} // namespace hk
