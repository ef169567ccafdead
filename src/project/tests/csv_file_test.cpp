#include "project/csv_file.h"
#include "support/table_cases.h"

#include <gtest/gtest.h>

namespace hk {
namespace {

using FieldCase = test::TextCase; // text, as the file writes it

class CsvFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvFieldTest, QuotesOnlyWhatASpreadsheetWouldMisread) {
    EXPECT_EQ(CsvField(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvFieldTest,
    ::testing::Values(
        FieldCase{"Empty", "", ""}, FieldCase{"Plain", "Wohnen", "Wohnen"},
        FieldCase{"DecimalCommaStaysBare", "52,5", "52,5"},
        FieldCase{"BlanksStayBare", " Bad  OG ", " Bad  OG "},
        FieldCase{"UmlautsStayBare", "Küche °C Δ", "Küche °C Δ"},
        FieldCase{"SingleQuoteStaysBare", "Kind's", "Kind's"},
        FieldCase{"TabStaysBare", "a\tb", "a\tb"}, FieldCase{"Separator", "Bad;WC", "\"Bad;WC\""},
        FieldCase{"SeparatorAlone", ";", "\";\""},
        FieldCase{"QuoteInside", "24\" Rohr", "\"24\"\" Rohr\""},
        FieldCase{"QuoteAlone", "\"", "\"\"\"\""}, FieldCase{"TwoQuotes", "\"\"", "\"\"\"\"\"\""},
        FieldCase{"QuoteAtBothEnds", "\"Eck\"", "\"\"\"Eck\"\"\""},
        FieldCase{"LineFeed", "a\nb", "\"a\nb\""}, FieldCase{"CarriageReturn", "a\rb", "\"a\rb\""},
        FieldCase{"CrLfAndSeparator", "a\r\n;b", "\"a\r\n;b\""}),
    [](const auto& info) { return std::string(info.param.name); });

struct DocumentCase {
    const char* name;
    std::vector<std::vector<std::string>> rows;
    std::string written; // without the byte order mark
};

class CsvDocumentTest : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(CsvDocumentTest, StartsWithTheMarkAndEndsEveryLineInCrLf) {
    const std::string doc = CsvDocument(GetParam().rows);
    ASSERT_GE(doc.size(), 3u);
    EXPECT_EQ(doc.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(doc.substr(3), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, CsvDocumentTest,
    ::testing::Values(
        DocumentCase{"NoRowsIsTheMarkAlone", {}, ""}, DocumentCase{"OneField", {{"Nr"}}, "Nr\r\n"},
        DocumentCase{"FieldsJoinedBySemicolon", {{"1", "90", "Bad"}}, "1;90;Bad\r\n"},
        DocumentCase{"EmptyFieldsKeepTheirPlace", {{"", "x", ""}}, ";x;\r\n"},
        DocumentCase{"EmptyRowIsAnEmptyLine", {{"a"}, {}, {"b"}}, "a\r\n\r\nb\r\n"},
        DocumentCase{"RowsOfDifferentLength", {{"a", "b"}, {"c"}}, "a;b\r\nc\r\n"},
        DocumentCase{"QuotedFieldInARow", {{"1", "Bad;WC", "x"}}, "1;\"Bad;WC\";x\r\n"},
        DocumentCase{"LineBreakInsideAFieldStaysInside", {{"a\r\nb", "c"}}, "\"a\r\nb\";c\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk
