#include "report/print_statement.h"
#include "support/print_fake_device.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace hk {
namespace {

using namespace item;
using test::FakePrintDevice;
using test::Line;

struct StatementCase {
    std::string name;
    std::function<void(Printer&)> script;
    std::vector<std::string> lines; // of page 1, trailing blanks cut
};

void PrintTo(const StatementCase& c, std::ostream* os) { *os << c.name; }

class StatementRules : public ::testing::TestWithParam<StatementCase> {};

TEST_P(StatementRules, PrintsTheseLines) {
    FakePrintDevice device;
    Printer printer(device);
    GetParam().script(printer);
    EXPECT_EQ(device.lines(), GetParam().lines);
    EXPECT_EQ(device.pageCount(), 1);
}

// A "|" on either side of a number shows its sign place and trailing blank.
const StatementCase kStatementCases[] = {
    {"TextUnchangedWithItsBlanks",
     [](Printer& p) {
         p.Print({Text("  a  "), Text("|")});
     },
     {"  a  |"}},
    {"TabForwardOnSameLine",
     [](Printer& p) {
         p.Print({Text("ab"), Tab(5), Text("x")});
     },
     {"ab  x"}},
    {"TabOnThePositionStays",
     [](Printer& p) {
         p.Print({Text("abcd"), Tab(5), Text("x")});
     },
     {"abcdx"}},
    {"TabOneColumnPastGoesToNextLine",
     [](Printer& p) {
         p.Print({Text("abcde"), Tab(5), Text("x")});
     },
     {"abcde", "    x"}},
    {"TabBackwardGoesToNextLine",
     [](Printer& p) {
         p.Print({Text("abcdef"), Tab(2), Text("x")});
     },
     {"abcdef", " x"}},
    {"TabColumnOneAtLineStart",
     [](Printer& p) {
         p.Print({Tab(1), Text("x")});
     },
     {"x"}},
    {"TabZeroAndNegativeCountAsColumnOne",
     [](Printer& p) {
         p.Print({Tab(0), Text("x")});
         p.Print({Tab(-3), Text("y")});
     },
     {"x", "y"}},
    {"TwoTabsInARowSecondWins",
     [](Printer& p) {
         p.Print({Tab(3), Tab(6), Text("x")});
     },
     {"     x"}},
    {"UmlautTakesOneColumn",
     [](Printer& p) {
         p.Print({Text("für"), Tab(4), Text("x")});
     },
     {"fürx"}},
    {"PositiveSingleSignBlankAndTrailingBlank",
     [](Printer& p) {
         p.Print({Text("|"), Single(1.28f), Text("|")});
     },
     {"| 1,28 |"}},
    {"NegativeSingleMinusInSignPlace",
     [](Printer& p) {
         p.Print({Text("|"), Single(-2.5f), Text("|")});
     },
     {"|-2,5 |"}},
    {"ZeroSingle",
     [](Printer& p) {
         p.Print({Text("|"), Single(0.0f), Text("|")});
     },
     {"| 0 |"}},
    {"NegativeZeroSinglePrintsAsZero",
     [](Printer& p) {
         p.Print({Text("|"), Single(-0.0f), Text("|")});
     },
     {"| 0 |"}},
    {"SingleTenthWithoutBinaryNoise",
     [](Printer& p) {
         p.Print({Text("|"), Single(0.1f), Text("|")});
     },
     {"| 0,1 |"}},
    {"SingleSevenDigits",
     [](Printer& p) {
         p.Print({Text("|"), Single(1234567.0f), Text("|")});
     },
     {"| 1234567 |"}},
    {"WholeNumber",
     [](Printer& p) {
         p.Print({Text("|"), Whole(60), Text("|")});
     },
     {"| 60 |"}},
    {"NegativeWholeNumber",
     [](Printer& p) {
         p.Print({Text("|"), Whole(-7), Text("|")});
     },
     {"|-7 |"}},
    {"WholeZero",
     [](Printer& p) {
         p.Print({Text("|"), Whole(0), Text("|")});
     },
     {"| 0 |"}},
    {"NumbersSideBySideKeepBothBlanks",
     [](Printer& p) {
         p.Print({Whole(1), Whole(2)});
     },
     {" 1  2"}},
    {"TwoDigitNumberFitsBeforeNextTab",
     [](Printer& p) {
         p.Print({Tab(34), Single(20), Tab(38), Text("x")});
     },
     {Line({{35, "20"}, {38, "x"}})}},
    {"ThreeDigitNumberPushesNextTabToNextLine",
     [](Printer& p) {
         p.Print({Tab(34), Single(100), Tab(38), Text("x")});
     },
     {Line({{35, "100"}}), Line({{38, "x"}})}},
    {"EmptyStatementEndsLine",
     [](Printer& p) {
         p.Print({Text("a")});
         p.Print({});
         p.Print({Text("b")});
     },
     {"a", "", "b"}},
    {"EmptyTextEndsLine",
     [](Printer& p) {
         p.Print({Text("")});
         p.Print({Text("b")});
     },
     {"", "b"}},
    {"ContinuationKeepsPosition",
     [](Printer& p) {
         p.Print({Text("ab")}, LineEnd::Continue);
         p.Print({Text("cd")});
         p.Print({Text("e")});
     },
     {"abcd", "e"}},
    {"ContinuationAfterTab",
     [](Printer& p) {
         p.Print({Tab(3)}, LineEnd::Continue);
         p.Print({Text("x")});
     },
     {"  x"}},
    {"EmptyContinuationChangesNothing",
     [](Printer& p) {
         p.Print({Text("a")}, LineEnd::Continue);
         p.Print({}, LineEnd::Continue);
         p.Print({Text("b")});
     },
     {"ab"}},
};

INSTANTIATE_TEST_SUITE_P(Printer, StatementRules, ::testing::ValuesIn(kStatementCases),
                         [](const auto& info) { return info.param.name; });

// Proportional faces: a position that misses the tab column by rounding of
// the measured widths stays on the line; one clearly past it wraps.
struct ProportionalCase {
    std::string name;
    double charWidth; // with columns 10 units wide
    int expectedLine; // of the text after Tab(5) following four characters
};

void PrintTo(const ProportionalCase& c, std::ostream* os) { *os << c.name; }

class ProportionalTab : public ::testing::TestWithParam<ProportionalCase> {};

TEST_P(ProportionalTab, WrapsOnlyWhenClearlyPast) {
    FakePrintDevice device(1000, 10.0, GetParam().charWidth);
    Printer printer(device);
    printer.Print({Text("abcd"), Tab(5), Text("x")});
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[1].line, GetParam().expectedLine);
    EXPECT_DOUBLE_EQ(device.draws[1].x, 4.0); // column 5, in columns from 0
}

INSTANTIATE_TEST_SUITE_P(Printer, ProportionalTab,
                         ::testing::Values(ProportionalCase{"NarrowerFaceStays", 7.5, 0},
                                           ProportionalCase{"ExactWidthStays", 10.0, 0},
                                           ProportionalCase{"RoundingOvershootStays", 10.02, 0},
                                           ProportionalCase{"OvershootPastToleranceWraps", 10.05,
                                                            1},
                                           ProportionalCase{"WiderFaceWraps", 12.0, 1}),
                         [](const auto& info) { return info.param.name; });

// Page breaks: lines that no longer fit continue at the top of the next page.
struct PageCase {
    std::string name;
    int pageLines;
    int printedLines;  // "L1", "L2", ... one per statement
    int trailingEmpty; // empty statements after them
    int expectedPages;
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

class PageBreak : public ::testing::TestWithParam<PageCase> {};

// "L1", "L2", ... built through a stream: GCC 12 at -O2 reports a false
// -Wrestrict on "L" + std::to_string(i).
std::string LineLabel(int i) {
    std::ostringstream label;
    label << 'L' << i;
    return label.str();
}

TEST_P(PageBreak, ContinuesOnNextPage) {
    const PageCase& c = GetParam();
    FakePrintDevice device(c.pageLines);
    Printer printer(device);
    for (int i = 1; i <= c.printedLines; ++i) {
        printer.Print({Text(LineLabel(i))});
    }
    for (int i = 0; i < c.trailingEmpty; ++i) {
        printer.Print({});
    }
    EXPECT_TRUE(printer.EndDoc());
    ASSERT_EQ(device.pageCount(), c.expectedPages);
    EXPECT_EQ(device.newPageCalls, c.expectedPages - 1);
    // Every page is full but the last, and the lines run on without a gap.
    int next = 1;
    for (int page = 0; page < device.pageCount(); ++page) {
        const auto lines = device.lines(page);
        const int expectedCount =
            page + 1 < device.pageCount() ? c.pageLines : c.printedLines - next + 1;
        ASSERT_EQ(static_cast<int>(lines.size()), expectedCount) << "page " << page + 1;
        for (const std::string& l : lines) {
            EXPECT_EQ(l, LineLabel(next++));
        }
    }
    EXPECT_EQ(next, c.printedLines + 1);
}

INSTANTIATE_TEST_SUITE_P(Printer, PageBreak,
                         ::testing::Values(PageCase{"ExactlyOnePageFull", 3, 3, 0, 1},
                                           PageCase{"OneLineMoreStartsPageTwo", 3, 4, 0, 2},
                                           PageCase{"ThreePages", 3, 7, 0, 3},
                                           PageCase{"EmptyLinesAtPageEndOpenNoPage", 3, 3, 5, 1},
                                           PageCase{"OneLinePages", 1, 4, 0, 4}),
                         [](const auto& info) { return info.param.name; });

TEST(PrinterFailure, PageThatCannotStartFailsTheDocument) {
    FakePrintDevice device(2);
    device.failNewPage = true;
    Printer printer(device);
    for (int i = 0; i < 5; ++i) {
        printer.Print({Text("x")});
    }
    EXPECT_FALSE(printer.EndDoc());
    EXPECT_EQ(device.endCalls, 1);      // the document is still closed
    EXPECT_EQ(device.draws.size(), 2u); // nothing drawn past the full page
}

TEST(PrinterFailure, DocumentThatCannotBeHandedOverFails) {
    FakePrintDevice device;
    device.failEnd = true;
    Printer printer(device);
    printer.Print({Text("x")});
    EXPECT_FALSE(printer.EndDoc());
}

TEST(PrinterFailure, SuccessfulDocumentEndsOnce) {
    FakePrintDevice device;
    Printer printer(device);
    printer.Print({Text("x")});
    EXPECT_TRUE(printer.EndDoc());
    EXPECT_EQ(device.endCalls, 1);
}

} // namespace
} // namespace hk
