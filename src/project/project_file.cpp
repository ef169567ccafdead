#include "project_file.h"

#include "common/errors.h"
#include "common/numbers.h"
#include "common/text.h"
#include "project/file_ops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace hk {
namespace {

constexpr int kHeaderLines = ProjectHeader::kFieldCount;
constexpr std::size_t kCounterItems = 2;
constexpr std::size_t kRowItems = 12;

// Two bytes a character, so every other byte of the first ASCII ones is 0.
bool LooksLikeUtf16(std::string_view b) {
    if (b.starts_with("\xFF\xFE") || b.starts_with("\xFE\xFF")) {
        return true;
    }
    return b.size() >= 4 &&
           ((b[0] != 0 && b[1] == 0 && b[3] == 0) || (b[0] == 0 && b[2] == 0 && b[1] != 0));
}

// ---------------------------------------------------------------- writing

using Notes = std::vector<std::string>;

// "18.900.000 Bytes", grouped in threes as German texts write it.
std::string ByteCountText(std::size_t bytes) {
    const std::string digits = WholeText(static_cast<long long>(bytes));
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += '.';
        }
        out += digits[i];
    }
    return out + " Bytes";
}

constexpr std::array<std::string_view, ProjectHeader::kFieldCount> kHeaderNames = {
    "Projekt-Nr.",       "Bearbeiter",        "Datum",
    "Bauherr Name",      "Bauherr Vorname",   "Bauherr Strasse",
    "Bauherr PLZ Ort",   "Bauherr Telefon",   "Baustelle Strasse",
    "Baustelle PLZ Ort", "Baustelle Telefon",
};

std::string HeaderFieldName(int n) {
    return "Das Feld „" + std::string(kHeaderNames[static_cast<std::size_t>(n - 1)]) +
           "“ der Projektdaten";
}

std::string EntryName(int n) { return "Heizkörper " + WholeText(n); }

// Names the first character of utf8 that the file cannot hold.
std::string BadCharacter(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = DecodeUtf8(utf8, pos);
        if (IsBrokenByte(c)) {
            return "ein ungültiges Zeichen";
        }
        if (!IsCp1252Char(c)) {
            std::string shown;
            AppendUtf8(shown, c);
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            return "das Zeichen „" + shown + "“ (" + code + ")";
        }
    }
    return "ein ungültiges Zeichen";
}

Result<std::string> Encoded(std::string_view utf8, const std::string& what) {
    auto bytes = Utf8ToCp1252(utf8);
    if (!bytes) {
        return Problem{what + " enthält " + BadCharacter(utf8) +
                       ", das eine Projektdatei nicht aufnehmen kann.\nBitte ändern Sie den Text."};
    }
    return std::move(*bytes);
}

// A text that stands on one line of the file, alone or as an item. Only the
// pair CR LF ends a line, so each pair is written as one blank and notes
// tells the user; a lone CR or LF, as a loaded file may hold, is kept.
Result<std::string> OneLine(std::string_view utf8, const std::string& what, Notes& notes) {
    if (utf8.find(kCrLf) == std::string_view::npos) {
        return Encoded(utf8, what);
    }
    std::string flat;
    for (std::size_t pos = 0;;) {
        const auto brk = utf8.find(kCrLf, pos);
        flat.append(utf8.substr(pos, brk - pos));
        if (brk == std::string_view::npos) {
            break;
        }
        flat += ' ';
        pos = brk + kCrLf.size();
    }
    notes.push_back(what + " enthielt einen Zeilenumbruch; er wurde als Leerzeichen gespeichert.");
    return Encoded(flat, what);
}

// The file as it is written. The first problem stops the writing: nothing is
// put after it, and the image gives that problem.
class FileWriter {
public:
    void oneLine(std::string_view utf8, const std::string& what) {
        if (const auto text = OneLine(utf8, what, notes_); accepted(text)) {
            out_ += *text;
        }
    }

    void quoted(std::string_view utf8, const std::string& what) {
        const auto text = OneLine(utf8, what, notes_);
        if (!accepted(text)) {
            return;
        }
        out_ += '"';
        for (char c : *text) {
            out_ += c;
            if (c == '"') {
                out_ += '"'; // doubled, so that the reader sees no end of the text here
            }
        }
        out_ += '"';
    }

    void single(float x, int entry) {
        if (!std::isfinite(x)) {
            accepted(Result<std::string>(
                Problem{EntryName(entry) + " enthält einen ungültigen Zahlwert."}));
        }
        put(FileNumberText(x));
    }

    void encoded(std::string_view utf8, const std::string& what) {
        if (const auto bytes = Encoded(utf8, what); accepted(bytes)) {
            out_ += *bytes;
        }
    }

    void put(std::string_view bytes) {
        if (status_) {
            out_ += bytes;
        }
    }

    void reserve(std::size_t n) { out_.reserve(n); }

    Result<ProjectFileImage> image() && {
        if (!status_) {
            return status_.problem();
        }
        return ProjectFileImage{std::move(out_), std::move(notes_)};
    }

private:
    // Keeps the first problem; true while nothing went wrong.
    bool accepted(const Result<std::string>& part) {
        if (status_ && !part) {
            status_ = part.problem();
        }
        return status_.ok();
    }

    std::string out_;
    Notes notes_;
    Result<void> status_;
};

void PutRow(FileWriter& w, const RadiatorEntry& e, int n) {
    w.put(WholeText(n));
    for (float x : {e.dVorl, e.dRueckl}) {
        w.put(",");
        w.single(x, n);
    }
    w.put(",");
    w.quoted(e.RaumNr, "Die Raum-Nr. von " + EntryName(n));
    w.put(",");
    w.quoted(e.RaumVer, "Die Raum-Verwendung von " + EntryName(n));
    for (float x : {e.dRaum, e.QRaum, e.Exponent, e.dMittel, e.Faktor, e.QHKNeu}) {
        w.put(",");
        w.single(x, n);
    }
    w.put(",");
    w.quoted(e.HkTyp, "Der Heizflächen-Typ von " + EntryName(n));
    w.put(kCrLf);
}

Result<ProjectFileImage> FileImage(const ProgramState& s) {
    FileWriter w;
    w.reserve(4096 + s.ListingText.size());
    for (int n = 1; n <= kHeaderLines; ++n) {
        w.oneLine(s.header[n], HeaderFieldName(n));
        w.put(kCrLf);
    }
    // LfNr is 71 after the next command that follows entry 70: that entry
    // does not exist, so the file ends with entry 70.
    const int rows = std::max(1, RowCount(s.LfNr));
    w.put(WholeText(rows) + "," + WholeText(s.dNorm));
    w.put(kCrLf);
    for (int n = 1; n <= rows; ++n) {
        PutRow(w, s.table.at(n), n);
    }
    w.encoded(s.ListingText, "Die Ergebnisliste");
    if (!s.ListingText.empty() && !s.ListingText.ends_with(kCrLf)) {
        w.put(kCrLf); // the listing's last line is always complete
    }
    w.put(kCrLf);
    auto image = std::move(w).image();
    if (!image) {
        return image;
    }
    std::string& out = image->bytes;
    if (IsMultiByteUtf8(out) || out.starts_with(kUtf8Bom) || LooksLikeUtf16(out)) {
        // Such bytes would be read back as UTF-8 or UTF-16 and change the
        // texts (the project holds e.g. "Ã¤", or "ï»¿" at its start): written
        // as UTF-8 with its mark, they read back exactly.
        out = std::string(kUtf8Bom) + Cp1252ToUtf8(out);
    }
    if (out.size() > kMaxProjectFileBytes) {
        // Nothing to change in a text here: the listing grew over many
        // calculations and loads, so the way on is a project of its own.
        return Problem{"Die Projektdatei würde " + ByteCountText(out.size()) +
                       " groß werden; das Programm lädt höchstens " +
                       ByteCountText(kMaxProjectFileBytes) + " (" +
                       WholeText(static_cast<long long>(kMaxProjectFileBytes >> 20)) +
                       " MB) und könnte sie nicht wieder laden.\nDie Ergebnisliste wächst mit "
                       "jeder Berechnung und jedem Laden. Bitte beginnen Sie für die weiteren "
                       "Heizkörper ein neues Projekt."};
    }
    return image;
}

// ---------------------------------------------------------------- reading

// Every step of the reading answers the first problem it finds, with its line.
using Loaded = Result<void, LoadProblem>;
template <typename T> using Read = Result<T, LoadProblem>;

// The file line by line; a line ends at CR LF.
class Lines {
public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {}

    // The next line, which must be complete; its number is number().
    Read<std::string_view> need() {
        ++number_;
        if (pos_ >= bytes_.size()) {
            return LoadProblem{number_, "Die Datei endet vorzeitig"};
        }
        const auto end = bytes_.find(kCrLf, pos_);
        if (end == std::string_view::npos) {
            return LoadProblem{number_, "Die Datei endet vorzeitig, mitten in der Zeile"};
        }
        const auto line = bytes_.substr(pos_, end - pos_);
        pos_ = end + kCrLf.size();
        return line;
    }

    int number() const { return number_; }
    std::string_view rest() const { return bytes_.substr(pos_); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

struct Item {
    bool quoted = false;
    std::string_view bare; // an unquoted item, without surrounding blanks
    std::string text;      // a quoted item, without its quotes
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Count(std::size_t n) {
    return n == 1 ? "eine Angabe" : WholeText(static_cast<long long>(n)) + " Angaben";
}

// Beyond this many items more than expected a line is not read further, so
// that a long line of commas costs no more than reading it once.
constexpr std::size_t kExtraItemsRead = 16;

// Splits an item list; items may hold up to kExtraItemsRead more than
// expected, and fewer is refused here.
Loaded SplitItems(std::string_view line, int lineNo, std::size_t expected,
                  std::vector<Item>& items) {
    items.clear();
    if (line.empty()) {
        return LoadProblem{lineNo, "Die Zeile ist leer"};
    }
    std::size_t pos = 0;
    while (items.size() < expected + kExtraItemsRead) {
        Item item;
        while (pos < line.size() && IsBlank(line[pos])) {
            ++pos;
        }
        std::size_t comma = 0;
        if (pos < line.size() && line[pos] == '"') {
            item.quoted = true;
            std::size_t i = pos + 1;
            for (;;) {
                const auto quote = line.find('"', i);
                if (quote == std::string_view::npos) {
                    return LoadProblem{lineNo, "In Angabe " + WholeText(items.size() + 1) +
                                                   " fehlt das schließende Anführungszeichen"};
                }
                item.text.append(line.substr(i, quote - i));
                i = quote + 1;
                if (i < line.size() && line[i] == '"') {
                    item.text += '"'; // a doubled quote stands for one
                    ++i;
                    continue;
                }
                break;
            }
            comma = line.find(',', i); // what follows the text is dropped
        } else {
            comma = line.find(',', pos);
            auto bare = line.substr(pos, comma == std::string_view::npos ? line.npos : comma - pos);
            while (!bare.empty() && IsBlank(bare.back())) {
                bare.remove_suffix(1);
            }
            item.bare = bare;
        }
        items.push_back(std::move(item));
        if (comma == std::string_view::npos) {
            break;
        }
        pos = comma + 1;
    }
    if (items.size() < expected) {
        return LoadProblem{lineNo,
                           "Die Zeile hat " + Count(items.size()) + " statt " + Count(expected)};
    }
    return {};
}

Loaded RefuseExtraItems(const std::vector<Item>& items, int lineNo, std::size_t expected) {
    if (items.size() > expected) {
        return LoadProblem{lineNo, "Die Zeile hat mehr als " + Count(expected)};
    }
    return {};
}

// A row has its texts as items 4, 5 and 12. Three texts further right on a
// line with too many items: a number was written with a decimal comma, which
// splits it into two items.
Loaded RefuseExtraRowItems(const std::vector<Item>& items, int lineNo) {
    if (items.size() <= kRowItems) {
        return {};
    }
    std::vector<std::size_t> texts;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (items[k].quoted) {
            texts.push_back(k + 1);
        }
    }
    if (texts.size() == 3 && texts != std::vector<std::size_t>{4, 5, kRowItems}) {
        return LoadProblem{lineNo,
                           "Die Zeile hat " + Count(items.size()) + " statt " + Count(kRowItems) +
                               ": eine Zahl ist mit Dezimalkomma geschrieben (etwa 75,5), die "
                               "Datei erwartet einen Dezimalpunkt (75.5)"};
    }
    return RefuseExtraItems(items, lineNo, kRowItems);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign, digits with at most one decimal point (a value below 1 with or
// without its leading zero), optional exponent with E or D.
bool IsFileNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

// The items of one line. The first problem is kept: the readings after it
// give 0 or the empty text, and status() tells.
class ItemReader {
public:
    ItemReader(const std::vector<Item>& items, int lineNo) : items_(items), lineNo_(lineNo) {}

    std::string text(std::size_t k) {
        const Item& item = at(k);
        if (!item.quoted) {
            fail(k, "ist kein Text in Anführungszeichen");
        }
        return status_ ? Cp1252ToUtf8(item.text) : std::string();
    }

    float single(std::size_t k) {
        return InRange(k, [&] { return StoreSingle(number(k)); });
    }

    std::int16_t int16(std::size_t k) {
        return InRange(k, [&] { return ToInt16(number(k)); });
    }

    const Loaded& status() const { return status_; }

private:
    const Item& at(std::size_t k) const { return items_[k - 1]; }

    // A reading of the number of item k; a value beyond the range of the
    // field that receives it is a problem of the file, not of the program.
    template <typename F> auto InRange(std::size_t k, F read) -> std::invoke_result_t<F> {
        if (!status_) {
            return 0;
        }
        const auto value = Caught(read);
        if (!value) {
            fail(k, "liegt außerhalb des Zahlbereichs");
            return 0;
        }
        return *value;
    }

    // Throws CalcError beyond the double range.
    double number(std::size_t k) {
        const Item& item = at(k);
        if (item.quoted) {
            fail(k, "ist ein Text, erwartet wird eine Zahl");
        } else if (item.bare.empty()) {
            fail(k, "fehlt");
        } else if (!IsFileNumber(item.bare)) {
            fail(k, "ist keine Zahl");
        }
        return status_ ? LeadingNumber(item.bare) : 0;
    }

    void fail(std::size_t k, const std::string& what) {
        if (status_) {
            status_ =
                LoadProblem{lineNo_, "Angabe " + WholeText(static_cast<long long>(k)) + " " + what};
        }
    }

    const std::vector<Item>& items_;
    int lineNo_;
    Loaded status_;
};

std::size_t LineCount(std::string_view text) {
    std::size_t n = 0;
    for (auto pos = text.find(kCrLf); pos != std::string_view::npos;
         pos = text.find(kCrLf, pos + kCrLf.size())) {
        ++n;
    }
    return text.ends_with(kCrLf) ? n : n + 1;
}

// The line (1-based) on which byte pos of bytes stands.
int LineOf(std::string_view bytes, std::size_t pos) {
    int line = 1;
    for (auto brk = bytes.find(kCrLf); brk != std::string_view::npos && brk < pos;
         brk = bytes.find(kCrLf, brk + kCrLf.size())) {
        ++line;
    }
    return line;
}

// The file as Windows-1252 bytes. A file that another editor saved as UTF-8,
// with or without its byte order mark, is converted; one that is UTF-16 is
// refused by name.
Read<std::string_view> AsCp1252(std::string_view bytes, std::string& converted) {
    if (LooksLikeUtf16(bytes)) {
        return LoadProblem{1, "Die Datei ist UTF-16 kodiert; eine Projektdatei ist eine "
                              "Windows-1252-Textdatei (ANSI)"};
    }
    const bool marked = bytes.starts_with(kUtf8Bom);
    if (marked) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    if (!marked && !IsMultiByteUtf8(bytes)) {
        return bytes;
    }
    converted.clear();
    converted.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t at = pos;
        const char32_t c = DecodeUtf8(bytes, pos);
        if (c > 0x10FFFF) {
            return LoadProblem{LineOf(bytes, at), "Die Datei ist als UTF-8 gekennzeichnet, enthält "
                                                  "aber Bytes, die kein UTF-8 sind"};
        }
        const auto b = Utf8ToCp1252(bytes.substr(at, pos - at));
        if (!b) {
            return LoadProblem{LineOf(bytes, at),
                               "Die Datei (UTF-8) enthält " +
                                   BadCharacter(bytes.substr(at, pos - at)) +
                                   ", das eine Projektdatei nicht aufnehmen kann"};
        }
        converted += *b;
    }
    return std::string_view(converted);
}

// Names line ends other than CR LF before any line is read.
Loaded RefuseOtherLineEnds(std::string_view bytes) {
    const std::string_view expected = "Die Datei hat keine Windows-Zeilenenden (CR LF), ";
    const auto first = bytes.find(kCrLf);
    if (first == std::string_view::npos) {
        if (bytes.find('\n') != std::string_view::npos) {
            return LoadProblem{1, std::string(expected) + "sondern nur LF, wie Linux und macOS sie "
                                                          "schreiben"};
        }
        if (bytes.find('\r') != std::string_view::npos) {
            return LoadProblem{1, std::string(expected) +
                                      "sondern nur CR, wie ältere Mac-Programme "
                                      "sie schreiben"};
        }
    } else if (first > 0 && bytes[first - 1] == '\r') {
        return LoadProblem{1, std::string(expected) +
                                  "sondern CR CR LF: die Zeilenenden wurden doppelt "
                                  "umgewandelt"};
    }
    return {};
}

// A row starts with its number and a comma; a listing line or a header line
// does not.
bool LooksLikeRow(std::string_view line) {
    const auto comma = line.find(',');
    if (comma == std::string_view::npos) {
        return false;
    }
    auto first = line.substr(0, comma);
    while (!first.empty() && IsBlank(first.front())) {
        first.remove_prefix(1);
    }
    while (!first.empty() && IsBlank(first.back())) {
        first.remove_suffix(1);
    }
    return IsFileNumber(first);
}

// Whether the first line of rest that is not empty is a row: an empty line
// among the rows is a bad row, an empty listing after the last row is not.
bool RowFollows(std::string_view rest) {
    std::size_t pos = 0;
    for (auto end = rest.find(kCrLf); end != std::string_view::npos;
         pos = end + kCrLf.size(), end = rest.find(kCrLf, pos)) {
        if (end > pos) {
            return LooksLikeRow(rest.substr(pos, end - pos));
        }
    }
    return false;
}

bool HoldsControlBytes(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 && c != '\t' && c != '\r' && c != '\n';
    });
}

// The listing: whole lines to the end, each appended with its CR LF. The
// writer ends it with an empty line, so a file cut at a line end shows, and
// so do bytes after that end (a Ctrl-Z or zeros some programs add).
Loaded CheckListingEnd(std::string_view listing, int lineBefore) {
    if (listing.empty()) {
        return LoadProblem{lineBefore + 1, "Die Datei endet vorzeitig, die Ergebnisliste fehlt"};
    }
    if (listing == kCrLf || listing.ends_with("\r\n\r\n")) {
        return {};
    }
    const auto closing = listing.rfind("\r\n\r\n");
    const std::size_t end = closing != std::string_view::npos ? closing + 4
                            : listing.starts_with(kCrLf)      ? kCrLf.size()
                                                              : std::string_view::npos;
    if (end != std::string_view::npos) {
        const auto after = listing.substr(end);
        if (after.find(kCrLf) == std::string_view::npos || HoldsControlBytes(after)) {
            return LoadProblem{lineBefore + LineOf(listing, end),
                               "Nach dem Ende der Projektdaten folgen noch " +
                                   WholeText(static_cast<long long>(after.size())) +
                                   " Bytes, die nicht zur Projektdatei gehören"};
        }
    }
    // The line that is cut short, or the closing line that is missing.
    const auto present = static_cast<int>(LineCount(listing));
    return LoadProblem{lineBefore + present + (listing.ends_with(kCrLf) ? 1 : 0),
                       "Die Datei endet vorzeitig, die Ergebnisliste ist unvollständig"};
}

// The next line split into at least expected items; answers its number.
Read<int> NextItems(Lines& lines, std::vector<Item>& items, std::size_t expected) {
    const auto line = lines.need();
    if (!line) {
        return line.problem();
    }
    if (auto split = SplitItems(*line, lines.number(), expected, items); !split) {
        return split.problem();
    }
    return lines.number();
}

// The counter line "LfNr,dNorm" into s.
Loaded ReadCounter(Lines& lines, std::vector<Item>& items, ProgramState& s) {
    const auto next = NextItems(lines, items, kCounterItems);
    if (!next) {
        return next.problem();
    }
    const int lineNo = *next;
    if (auto extra = RefuseExtraItems(items, lineNo, kCounterItems); !extra) {
        return extra;
    }
    ItemReader counter(items, lineNo);
    const std::int16_t rows = counter.int16(1);
    const std::int16_t dNorm = counter.int16(2);
    if (!counter.status()) {
        return counter.status();
    }
    if (!RadiatorTable::IsValidNumber(rows)) {
        return LoadProblem{lineNo, "Die Zahl der Heizkörper ist " + WholeText(rows) +
                                       ", möglich sind 1 bis " +
                                       WholeText(RadiatorTable::kCapacity)};
    }
    s.LfNr = rows;
    s.dNorm = dNorm;
    return {};
}

// The row of entry n into e.
Loaded ReadRow(Lines& lines, std::vector<Item>& items, int n, RadiatorEntry& e) {
    const auto next = NextItems(lines, items, kRowItems);
    if (!next) {
        return next.problem();
    }
    const int lineNo = *next;
    if (auto extra = RefuseExtraRowItems(items, lineNo); !extra) {
        return extra;
    }
    ItemReader row(items, lineNo);
    const std::int16_t number = row.int16(1);
    if (row.status() && number != n) {
        // The number decides which entry a row fills; a wrong one would
        // shuffle the project.
        return LoadProblem{lineNo, "Die Zeile trägt die Nummer " + WholeText(number) +
                                       ", an dieser Stelle steht " + EntryName(n)};
    }
    e.dVorl = row.single(2);
    e.dRueckl = row.single(3);
    e.RaumNr = row.text(4);
    e.RaumVer = row.text(5);
    e.dRaum = row.single(6);
    e.QRaum = row.single(7);
    e.Exponent = row.single(8);
    e.dMittel = row.single(9);
    e.Faktor = row.single(10);
    e.QHKNeu = row.single(11);
    e.HkTyp = row.text(12);
    return row.status();
}

Loaded ReadInto(std::string_view file, ProgramState& s) {
    if (file.empty()) {
        return LoadProblem{1, "Die Datei ist leer"};
    }
    std::string converted;
    const auto bytes = AsCp1252(file, converted);
    if (!bytes) {
        return bytes.problem();
    }
    if (auto ends = RefuseOtherLineEnds(*bytes); !ends) {
        return ends;
    }
    Lines lines(*bytes);
    for (int n = 1; n <= kHeaderLines; ++n) {
        const auto line = lines.need();
        if (!line) {
            return line.problem();
        }
        s.header[n] = Cp1252ToUtf8(*line);
    }

    std::vector<Item> items;
    if (auto counter = ReadCounter(lines, items, s); !counter) {
        return counter;
    }
    const int counterLineNo = lines.number();
    for (int n = 1; n <= s.LfNr; ++n) {
        if (!RowFollows(lines.rest())) {
            return LoadProblem{counterLineNo,
                               "Die Zeile nennt " + WholeText(s.LfNr) +
                                   " Heizkörper, es folgen aber nur " + WholeText(n - 1) +
                                   " Zeilen mit Heizkörperdaten; die übrigen fehlen"};
        }
        if (auto row = ReadRow(lines, items, n, s.table.at(n)); !row) {
            return row;
        }
    }

    const std::string_view listing = lines.rest();
    if (auto end = CheckListingEnd(listing, lines.number()); !end) {
        return end;
    }
    s.ListingText += Cp1252ToUtf8(listing);
    return {};
}

} // namespace

Result<ProjectFileImage> ProjectFileBytes(const ProgramState& state) { return FileImage(state); }

Result<void, LoadProblem> ReadProjectFile(std::string_view bytes, ProgramState& state) {
    ProgramState loaded = state; // state itself changes only when all is read
    if (auto read = ReadInto(bytes, loaded); !read) {
        return read;
    }
    state = std::move(loaded);
    return {};
}

} // namespace hk
