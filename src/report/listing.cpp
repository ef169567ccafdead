#include "listing.h"

#include "common/numbers.h"
#include "common/text.h"

#include <vector>

namespace hk {

std::string FormatMask(std::string_view mask, std::string_view text) {
    std::size_t placeholders = 0;
    for (char c : mask) {
        placeholders += (c == '@');
    }
    // Split the text into characters so that a multi-byte letter fills one place.
    std::vector<std::string> chars;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        DecodeUtf8(text, pos);
        chars.emplace_back(text.substr(start, pos - start));
    }
    std::vector<std::string> places(placeholders, " ");
    std::string overflow; // what does not fit goes in front of the first place
    if (chars.size() <= placeholders) {
        const std::size_t offset = placeholders - chars.size();
        for (std::size_t i = 0; i < chars.size(); ++i) {
            places[offset + i] = chars[i];
        }
    } else {
        const std::size_t excess = chars.size() - placeholders;
        for (std::size_t i = 0; i < excess; ++i) {
            overflow += chars[i];
        }
        for (std::size_t i = 0; i < placeholders; ++i) {
            places[i] = chars[excess + i];
        }
    }
    std::string out;
    std::size_t next = 0;
    for (char c : mask) {
        if (c == '@') {
            if (next == 0) {
                out += overflow;
            }
            out += places[next++];
        } else {
            out += c;
        }
    }
    if (placeholders == 0) {
        out += text;
    }
    return out;
}

std::string HeaderBlock(std::int16_t dNorm) {
    std::string s;
    s += kTitle;
    s += kCrLf;
    s += kSubtitle;
    s += kCrLf;
    s += kReferenceLabel;
    s += FormatMask(" @@", WholeText(dNorm));
    s += kCrLf;
    s += Blanks(kBlankLineWidth);
    s += kCrLf;
    s += kColumnHeader;
    s += kCrLf;
    s += kColumnRule;
    s += kCrLf;
    return s;
}

std::string ListingLine(const RadiatorTable& table, int n) {
    const RadiatorEntry& e = table.at(n);
    std::string s;
    s += FormatMask(" @@ ", WholeText(n));
    s += FormatMask(" @@@", NumberText(e.dVorl));
    s += FormatMask(" @@@", NumberText(e.dRueckl));
    s += FormatMask("@@@@", e.RaumNr);
    s += FormatMask(" @@@@@@@@@ ", e.RaumVer);
    s += FormatMask(" @@", NumberText(e.dRaum));
    s += FormatMask("@@@@@@", NumberText(e.QRaum));
    s += FormatMask(" @@@@ ", NumberText(e.Exponent));
    s += FormatMask("@@@@", NumberText(e.dMittel));
    s += FormatMask(" @@@@", NumberText(e.Faktor));
    s += FormatMask("@@@@@  ", NumberText(e.QHKNeu));
    s += e.HkTyp;
    s += kCrLf;
    return s;
}

void ResultListing::Anzeigen() {
    screen_.appendText(CalcControl::txtAnzeige, HeaderBlock(state_.dNorm));
}

void ResultListing::Ergebn() { ErgebnOf(state_.LfNr); }

void ResultListing::ErgebnOf(int n) {
    screen_.appendText(CalcControl::txtAnzeige, ListingLine(state_.table, n));
    state_.ListingText = screen_.text(CalcControl::txtAnzeige);
}

} // namespace hk
