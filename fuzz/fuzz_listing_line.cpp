// The listing line of one radiator entry with arbitrary contents, the header
// block with an arbitrary reference value, and the mask formatting.
//
// Input: lines separated by LF. Line 1 is the entry number, lines 2 to 12
// the fields of the entry in row order (dVorl, dRueckl, RaumNr, RaumVer,
// dRaum, QRaum, Exponent, dMittel, Faktor, QHKNeu, HkTyp). A number line is
// read as a decimal; "#" and eight hex digits give the raw bits of the single
// (NaN, infinities, subnormals). Missing lines leave the field empty or 0.
// The last line (after the HkTyp) is used as the mask for FormatMask, every
// byte mapped to "@" or a blank.
//
// Checked: an entry number outside 1..70 raises SubscriptError and nothing
// else; otherwise the line ends with the type text and CR LF, its fixed part
// is 58 characters plus whatever the fields overflow by, and when no field
// overflows the mask blanks stand at their places. The header block is six
// lines ending in CR LF. A failed check traps.

#include "common/errors.h"
#include "common/numbers.h"
#include "common/text.h"
#include "report/listing.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what, std::string_view line) {
    std::fprintf(stderr, "check failed: %s\nline: \"%.*s\"\n", what, static_cast<int>(line.size()),
                 line.data());
    std::abort();
}

std::vector<std::string_view> SplitLines(std::string_view s) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == '\n') {
            lines.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

float ReadSingle(std::string_view s) {
    if (s.size() == 9 && s[0] == '#') {
        std::uint32_t bits = 0;
        const auto r = std::from_chars(s.data() + 1, s.data() + 9, bits, 16);
        if (r.ec == std::errc()) {
            return std::bit_cast<float>(bits);
        }
    }
    float f = 0;
    std::from_chars(s.data(), s.data() + s.size(), f);
    return f;
}

// Number of "@" in a mask.
std::size_t Places(std::string_view mask) {
    std::size_t n = 0;
    for (char c : mask) {
        n += (c == '@');
    }
    return n;
}

// The characters by which a text overflows its placeholders.
std::size_t Overflow(std::string_view text, std::size_t places) {
    const std::size_t n = hk::CharCount(text);
    return n > places ? n - places : 0;
}

// Character at 1-based position p of UTF-8 text, as a code point.
char32_t CharAt(std::string_view s, std::size_t p) {
    std::size_t pos = 0;
    char32_t c = 0;
    for (std::size_t i = 0; i < p && pos < s.size(); ++i) {
        c = hk::DecodeUtf8(s, pos);
    }
    return c;
}

void CheckLine(const hk::RadiatorEntry& e, int n, const std::string& line) {
    if (line.size() < 2 || line.substr(line.size() - 2) != hk::kCrLf) {
        Fail("line does not end with CR LF", line);
    }
    const std::string tail = e.HkTyp + std::string(hk::kCrLf);
    if (line.size() < tail.size() || line.compare(line.size() - tail.size(), tail.size(), tail)) {
        Fail("line does not end with the type text", line);
    }
    const std::string_view fixed(line.data(), line.size() - tail.size());

    const std::array<std::pair<std::string, std::size_t>, 11> fields = {{
        {hk::WholeText(n), 2},
        {hk::NumberText(e.dVorl), 3},
        {hk::NumberText(e.dRueckl), 3},
        {e.RaumNr, 4},
        {e.RaumVer, 9},
        {hk::NumberText(e.dRaum), 2},
        {hk::NumberText(e.QRaum), 6},
        {hk::NumberText(e.Exponent), 4},
        {hk::NumberText(e.dMittel), 4},
        {hk::NumberText(e.Faktor), 4},
        {hk::NumberText(e.QHKNeu), 5},
    }};
    std::size_t overflow = 0;
    for (const auto& [text, places] : fields) {
        overflow += Overflow(text, places);
    }
    if (hk::CharCount(fixed) != 58 + overflow) {
        Fail("fixed part is not 58 characters plus the overflow", line);
    }
    if (overflow == 0) {
        // Literal blanks of the masks; the header shows "|" above most of them.
        for (std::size_t p : {1, 4, 5, 9, 17, 27, 28, 37, 42, 47, 57, 58}) {
            if (CharAt(fixed, p) != U' ') {
                Fail("mask blank missing in a line without overflow", line);
            }
        }
    }
}

void CheckMask(std::string_view maskBytes, std::string_view text) {
    std::string mask;
    for (char c : maskBytes) {
        mask += (static_cast<unsigned char>(c) & 1) ? '@' : ' ';
    }
    const std::string out = hk::FormatMask(mask, text);
    const std::size_t places = Places(mask);
    const std::size_t chars = hk::CharCount(text);
    const std::size_t expected =
        places == 0 ? mask.size() + chars : mask.size() + (chars > places ? chars - places : 0);
    if (hk::CharCount(out) != expected) {
        Fail("FormatMask width is not the mask plus the overflow", out);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = SplitLines(input);
    auto lineAt = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string_view(); };

    int n = 1;
    std::from_chars(lineAt(0).data(), lineAt(0).data() + lineAt(0).size(), n);

    hk::RadiatorEntry e;
    e.dVorl = ReadSingle(lineAt(1));
    e.dRueckl = ReadSingle(lineAt(2));
    e.RaumNr = std::string(lineAt(3));
    e.RaumVer = std::string(lineAt(4));
    e.dRaum = ReadSingle(lineAt(5));
    e.QRaum = ReadSingle(lineAt(6));
    e.Exponent = ReadSingle(lineAt(7));
    e.dMittel = ReadSingle(lineAt(8));
    e.Faktor = ReadSingle(lineAt(9));
    e.QHKNeu = ReadSingle(lineAt(10));
    e.HkTyp = std::string(lineAt(11));

    hk::RadiatorTable table;
    if (hk::RadiatorTable::IsValidNumber(n)) {
        table.at(n) = e;
        CheckLine(e, n, hk::ListingLine(table, n));
    } else {
        bool subscript = false;
        try {
            (void)hk::ListingLine(table, n);
        } catch (const hk::SubscriptError&) {
            subscript = true;
        } catch (...) {
            Fail("entry outside the table raised another error", lineAt(0));
        }
        if (!subscript) {
            Fail("entry outside the table gave a line", lineAt(0));
        }
    }

    const auto dNorm = static_cast<std::int16_t>(n);
    const std::string header = hk::HeaderBlock(dNorm);
    std::size_t crlf = 0;
    for (std::size_t pos = header.find(hk::kCrLf); pos != std::string::npos;
         pos = header.find(hk::kCrLf, pos + 2)) {
        ++crlf;
    }
    if (crlf != 6 || header.substr(header.size() - 2) != hk::kCrLf) {
        Fail("header block is not six lines", header);
    }

    CheckMask(lineAt(12), e.RaumVer);
    return 0;
}
