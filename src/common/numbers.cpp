#include "numbers.h"

#include "errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

namespace hk {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a number beyond the double range is too large (not too small):
// the power of ten of its first significant digit, from the text.
bool BeyondLargest(std::string_view clean) {
    long long power = 0; // of the first significant digit
    bool significant = false;
    bool afterPoint = false;
    std::size_t i = clean.starts_with('-') ? 1 : 0;
    for (; i < clean.size() && clean[i] != 'e'; ++i) {
        if (clean[i] == '.') {
            afterPoint = true;
        } else if (!significant && clean[i] == '0') {
            power -= afterPoint ? 1 : 0;
        } else if (!significant) {
            significant = true;
            power -= afterPoint ? 1 : 0;
        } else if (!afterPoint) {
            ++power;
        }
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < clean.size()) {
        ++i;
        if (i < clean.size() && (clean[i] == '-' || clean[i] == '+')) {
            negativeExponent = clean[i] == '-';
            ++i;
        }
        for (; i < clean.size(); ++i) {
            exponent = std::min(exponent * 10 + (clean[i] - '0'), 1'000'000'000LL);
        }
    }
    return power + (negativeExponent ? -exponent : exponent) > 0;
}

// The text is already reduced to [-]digits[.digits][e[+-]digits]; read with
// "." whatever the locale the GUI toolkit set, on every system.
double ParseCleanNumber(const std::string& clean) {
    double v = 0.0;
    const auto [end, ec] =
        std::from_chars(clean.data(), clean.data() + clean.size(), v, std::chars_format::general);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (BeyondLargest(clean)) {
            throw OverflowError();
        }
        return clean.starts_with('-') ? -0.0 : 0.0; // below the smallest: zero, as strtod gives
    }
    return v;
}

} // namespace

double LeadingNumber(std::string_view text) {
    std::string mantissa;
    std::string exponent;
    bool negative = false;
    bool haveSign = false;
    bool havePoint = false;
    bool haveDigits = false;
    enum class Stage {
        Mantissa,
        ExponentStart,
        ExponentSign,
        ExponentDigits
    } stage = Stage::Mantissa;
    bool exponentNegative = false;

    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') {
            continue; // skipped wherever they stand
        }
        if (stage == Stage::Mantissa) {
            if ((c == '+' || c == '-') && !haveSign && !haveDigits && !havePoint) {
                haveSign = true;
                negative = (c == '-');
            } else if (IsDigit(c)) {
                haveDigits = true;
                mantissa += c;
            } else if (c == '.' && !havePoint) {
                havePoint = true;
                mantissa += '.';
            } else if ((c == 'E' || c == 'e' || c == 'D' || c == 'd') && haveDigits) {
                stage = Stage::ExponentStart;
            } else {
                break;
            }
        } else {
            if ((c == '+' || c == '-') && stage == Stage::ExponentStart) {
                exponentNegative = (c == '-');
                stage = Stage::ExponentSign;
            } else if (IsDigit(c)) {
                exponent += c;
                stage = Stage::ExponentDigits;
            } else {
                break;
            }
        }
    }
    if (!haveDigits) {
        return 0.0;
    }
    std::string clean = negative ? "-" : "";
    clean += mantissa;
    if (!exponent.empty()) {
        clean += exponentNegative ? "e-" : "e";
        clean += exponent;
    }
    return ParseCleanNumber(clean);
}

namespace {

// Parses a German-format number. Returns false when the text is not one.
bool ParseRegional(std::string_view text, std::string& clean) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] == ' ') {
        ++b;
    }
    while (e > b && text[e - 1] == ' ') {
        --e;
    }
    const std::string_view s = text.substr(b, e - b);
    std::size_t i = 0;
    clean.clear();
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            clean += '-';
        }
        ++i;
    }
    // Integer part: digits, with the grouping point only between two digits.
    std::size_t intDigits = 0;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            clean += s[i];
            ++intDigits;
            ++i;
        } else if (s[i] == '.' && intDigits > 0 && i + 1 < s.size() && IsDigit(s[i + 1])) {
            ++i; // grouping character: ignored
        } else {
            break;
        }
    }
    std::size_t fracDigits = 0;
    if (i < s.size() && s[i] == ',') {
        ++i;
        clean += '.';
        while (i < s.size() && IsDigit(s[i])) {
            clean += s[i];
            ++fracDigits;
            ++i;
        }
        if (fracDigits == 0) {
            return false;
        }
    }
    if (intDigits + fracDigits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        clean += 'e';
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            clean += s[i];
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            clean += s[i];
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

} // namespace

bool IsRegionalNumber(std::string_view text) {
    std::string clean;
    return ParseRegional(text, clean);
}

double RegionalNumber(std::string_view text) {
    std::string clean;
    if (!ParseRegional(text, clean)) {
        throw TypeMismatchError();
    }
    return ParseCleanNumber(clean);
}

float RegionalSingle(std::string_view text) { return StoreSingle(RegionalNumber(text)); }

float StoreSingle(double value) {
    if (std::isnan(value)) {
        throw InvalidArgumentError();
    }
    if (std::isinf(value)) {
        throw OverflowError();
    }
    const float f = static_cast<float>(value);
    if (std::isinf(f)) {
        throw OverflowError();
    }
    return f;
}

std::int16_t ToInt16(double value) {
    if (std::isnan(value) || std::isinf(value)) {
        throw OverflowError();
    }
    const double low = std::floor(value);
    const double diff = value - low;
    double r = low;
    if (diff > 0.5) {
        r = low + 1.0;
    } else if (diff == 0.5) {
        r = (std::fmod(low, 2.0) == 0.0) ? low : low + 1.0; // halves to even
    }
    if (r < -32768.0 || r > 32767.0) {
        throw OverflowError();
    }
    return static_cast<std::int16_t>(r);
}

double RoundDecimals(double x, int k) {
    const double p = std::pow(10.0, k);
    return std::floor(x * p + 0.5) / p;
}

namespace {

std::string SevenDigits(float x, char decimal) {
    if (x == 0.0f) {
        return "0"; // also for -0
    }
    if (std::isnan(x)) {
        return "NaN";
    }
    if (std::isinf(x)) {
        return x < 0 ? "-Inf" : "Inf";
    }
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, static_cast<double>(x), std::chars_format::general, 7);
    std::string s(buf, res.ptr);
    for (char& c : s) {
        if (c == '.') {
            c = decimal;
        } else if (c == 'e') {
            c = 'E';
        }
    }
    return s;
}

} // namespace

std::string NumberText(float x) { return SevenDigits(x, ','); }

std::string FileNumberText(float x) { return SevenDigits(x, '.'); }

std::string WholeText(long long value) { return std::to_string(value); }

std::string DecimalText(double x, int k) {
    // The rounded value as a whole number of 10^-k: no binary fraction left
    // to print, so 45,05 never shows as 45,04999.
    const long long scaled = static_cast<long long>(std::floor(x * std::pow(10.0, k) + 0.5));
    std::string digits = std::to_string(scaled < 0 ? -scaled : scaled);
    const auto places = static_cast<std::size_t>(k);
    if (digits.size() <= places) {
        digits.insert(digits.begin(), places + 1 - digits.size(), '0');
    }
    std::string text;
    if (scaled < 0) {
        text.push_back('-');
    }
    text.append(digits, 0, digits.size() - places);
    if (places > 0) {
        text.push_back(',');
        text.append(digits, digits.size() - places, places);
    }
    return text;
}

} // namespace hk
