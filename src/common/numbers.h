#pragma once
// Number readings and number texts of the program. Screen texts use the
// German format (decimal comma, grouping point) whatever the machine's
// locale; the project file uses the decimal point. Nothing here depends on
// setlocale().

#include <cstdint>
#include <string>
#include <string_view>

namespace hk {

// The leading number of a text, read with the decimal point: blanks, tabs and
// line feeds are skipped wherever they stand, then sign, digits, one ".",
// optional exponent (E or D). Stops at the first character that does not fit
// ("75,5" gives 75); no number gives 0. Throws OverflowError beyond double range.
double LeadingNumber(std::string_view text);

// True when the text, apart from leading and trailing blanks, is wholly a
// number in German format: sign, digits with "." grouping between digits of
// the integer part, at most one "," followed by digits, optional exponent.
bool IsRegionalNumber(std::string_view text);

// The value of a German-format number text in double precision.
// Throws TypeMismatchError when IsRegionalNumber is false, OverflowError
// beyond double range.
double RegionalNumber(std::string_view text);

// RegionalNumber stored into a single-precision field.
// Throws OverflowError beyond the single range.
float RegionalSingle(std::string_view text);

// Stores a double into a single-precision field: rounds to the nearest float.
// Throws OverflowError when the value lies beyond the single range and
// InvalidArgumentError for a NaN.
float StoreSingle(double value);

// Converts to a signed 16-bit integer, halves to the even neighbour.
// Throws OverflowError outside -32768..32767 (and for NaN).
std::int16_t ToInt16(double value);

// The program's own rounding to k decimals: floor(x * 10^k + 0.5) / 10^k.
double RoundDecimals(double x, int k);

// Shortest form with at most 7 significant digits, German decimal comma,
// no grouping, no trailing zeros, "-" for negatives, no leading blank.
// 50 -> "50", 1.28f -> "1,28", 32.7f -> "32,7". 1E+07 and up in exponent form.
std::string NumberText(float x);

// The same form with "." as decimal separator, as the project file writes it.
std::string FileNumberText(float x);

// Decimal digits of a whole number, "-" before a negative one.
std::string WholeText(long long value);

// x rounded the program's way to k decimals (RoundDecimals) and written with
// exactly k of them after a decimal comma: (45, 1) -> "45,0", (0.04, 3) ->
// "0,040". For values of the size of temperatures, flows and kv values.
std::string DecimalText(double x, int k);

} // namespace hk
