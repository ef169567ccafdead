// The number readings on arbitrary text: what a user can type into any field
// of the calculation screen, and what a project file can hold.
//
// Checked for every input:
//  - LeadingNumber gives a finite value or OverflowError, nothing else;
//  - IsRegionalNumber is true exactly when RegionalNumber does not refuse the
//    text as a type mismatch; an accepted text gives a finite value or
//    OverflowError;
//  - RegionalSingle is RegionalNumber stored as single, or OverflowError when
//    the value lies beyond the single range;
//  - for a text without "." LeadingNumber reads what RegionalNumber reads of
//    the part before the ",";
//  - NumberText of the single is again a regional number; reading it back is
//    a fixed point after one step, stays within half a unit of the seventh
//    digit, and is exact when the typed text has at most seven significant
//    digits;
//  - FileNumberText read with LeadingNumber gives the same value as
//    NumberText read with RegionalNumber.
// A failed check ends the run with a trap, which libFuzzer reports as a crash.

#include "common/errors.h"
#include "common/numbers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "check failed: %s\ntext: \"%.*s\"\n", what, static_cast<int>(text.size()),
                 text.data());
    std::abort();
}

enum class Outcome { Value, Overflow, Mismatch };

struct Reading {
    Outcome outcome = Outcome::Value;
    double value = 0;
};

template <typename F> Reading Read(F&& f, std::string_view text) {
    try {
        return {Outcome::Value, static_cast<double>(f())};
    } catch (const hk::OverflowError&) {
        return {Outcome::Overflow, 0};
    } catch (const hk::TypeMismatchError&) {
        return {Outcome::Mismatch, 0};
    } catch (...) {
        Fail("unexpected exception", text);
    }
}

// Significant digits of the mantissa of a regional number text (grouping
// points and sign ignored, leading and trailing zeros not counted).
int SignificantDigits(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c == 'E' || c == 'e') {
            break;
        }
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return 0;
    }
    const auto last = digits.find_last_not_of('0');
    return static_cast<int>(last - first + 1);
}

bool SameSingle(float a, float b) { return a == b; } // +0 and -0 read alike

void CheckNumberText(float y, std::string_view input, bool exactExpected) {
    const std::string text = hk::NumberText(y);
    if (!hk::IsRegionalNumber(text)) {
        Fail("NumberText is not a regional number", input);
    }
    const Reading z = Read([&] { return hk::RegionalSingle(text); }, input);
    if (z.outcome != Outcome::Value) {
        Fail("NumberText does not read back", input);
    }
    const float zf = static_cast<float>(z.value);
    // Half a unit of the seventh significant digit, plus the rounding of the
    // decimal text to single and a margin for the smallest (subnormal) values.
    const double bound = 6e-7 * std::fabs(static_cast<double>(y)) + 1.5e-45;
    if (std::fabs(static_cast<double>(zf) - static_cast<double>(y)) > bound) {
        Fail("NumberText read back too far from the value", input);
    }
    if (exactExpected && !SameSingle(zf, y)) {
        Fail("NumberText of a value typed with at most 7 digits does not read back exactly", input);
    }
    const float again = hk::RegionalSingle(hk::NumberText(zf));
    if (!SameSingle(again, zf)) {
        Fail("NumberText read back is not a fixed point", input);
    }
    // The project file's form, read the way the calculation reads supply and
    // return temperatures.
    const Reading fileValue = Read([&] { return hk::LeadingNumber(hk::FileNumberText(y)); }, input);
    if (fileValue.outcome != Outcome::Value || fileValue.value != hk::RegionalNumber(text)) {
        Fail("FileNumberText and NumberText read differently", input);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const Reading leading = Read([&] { return hk::LeadingNumber(text); }, text);
    if (leading.outcome == Outcome::Mismatch) {
        Fail("LeadingNumber raised a type mismatch", text);
    }
    if (leading.outcome == Outcome::Value && !std::isfinite(leading.value)) {
        Fail("LeadingNumber gave a value that is not finite", text);
    }

    const bool regional = hk::IsRegionalNumber(text);
    const Reading number = Read([&] { return hk::RegionalNumber(text); }, text);
    if (regional != (number.outcome != Outcome::Mismatch)) {
        Fail("IsRegionalNumber disagrees with RegionalNumber", text);
    }
    if (number.outcome == Outcome::Value && !std::isfinite(number.value)) {
        Fail("RegionalNumber gave a value that is not finite", text);
    }

    const Reading single = Read([&] { return hk::RegionalSingle(text); }, text);
    if (number.outcome != Outcome::Value) {
        if (single.outcome != number.outcome) {
            Fail("RegionalSingle refuses differently from RegionalNumber", text);
        }
    } else {
        const double v = number.value;
        const float f = static_cast<float>(v);
        if (std::isinf(f)) {
            if (single.outcome != Outcome::Overflow) {
                Fail("RegionalSingle stored a value beyond the single range", text);
            }
        } else if (single.outcome != Outcome::Value || static_cast<float>(single.value) != f) {
            Fail("RegionalSingle is not RegionalNumber rounded to single", text);
        }
    }

    // Without the grouping point, LeadingNumber reads what stands before the
    // decimal comma: "75,5" is 75 to it, and 75,5 to RegionalNumber.
    if (regional && text.find('.') == std::string_view::npos) {
        std::string before = std::string(text.substr(0, text.find(',')));
        const bool hadComma = before.size() != text.size();
        while (!before.empty() && before.back() == ' ') {
            before.pop_back();
        }
        const bool noDigits = before.find_first_of("0123456789") == std::string::npos;
        const Reading expected = noDigits ? Reading{Outcome::Value, 0.0}
                                          : Read([&] { return hk::RegionalNumber(before); }, text);
        if (hadComma || !noDigits) {
            if (expected.outcome != leading.outcome ||
                (expected.outcome == Outcome::Value && expected.value != leading.value)) {
                Fail("LeadingNumber and RegionalNumber disagree on a text without grouping", text);
            }
        }
    }

    if (single.outcome == Outcome::Value) {
        const float y = static_cast<float>(single.value);
        CheckNumberText(y, text, SignificantDigits(text) <= 7);
    }
    return 0;
}
