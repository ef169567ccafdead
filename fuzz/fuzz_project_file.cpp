// The project-file reader on arbitrary bytes, into a state that already holds
// a project (as after an earlier load or calculation).
//
// Checked for every input:
//  - a refused file leaves the state exactly as it was, and names a line;
//  - an accepted file replaces header, LfNr (1..70), dNorm and entries 1 to
//    LfNr only, and appends to ListingText;
//  - the accepted state can be saved (ProjectFileBytes), and the saved bytes
//    read back to the same header, counter, reference value and texts; the
//    numbers come back within the seven digits the file keeps (a file may
//    hold more digits than a single has), and from then on exactly: saving
//    and reading once more changes nothing at all;
//  - the listing read back is the saved listing and the one CR LF that
//    closes the listing section.
// A failed check traps, which libFuzzer reports as a crash.

#include "calc/program_state.h"
#include "project/project_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

// A project as it stands before the load: five entries, a listing.
const hk::ProgramState& Before() {
    static const hk::ProgramState s = [] {
        hk::ProgramState p;
        for (int f = 1; f <= hk::ProjectHeader::kFieldCount; ++f) {
            p.header[f] = std::string("alt ").append(std::to_string(f));
        }
        p.LfNr = 5;
        p.dNorm = 50;
        for (int n = 1; n <= 5; ++n) {
            p.table.at(n) = {75,
                             65,
                             std::to_string(n),
                             "Büro",
                             20,
                             800,
                             1.3f,
                             50,
                             1,
                             800,
                             "DIN Guss- Radiator          "};
        }
        p.ListingText = "alte Liste\r\n";
        return p;
    }();
    return s;
}

bool Close(float a, float b) {
    return std::fabs(double{a} - double{b}) <= 6e-7 * std::fabs(double{b}) + 1.5e-45;
}

bool CloseEntry(const hk::RadiatorEntry& a, const hk::RadiatorEntry& b) {
    return Close(a.dVorl, b.dVorl) && Close(a.dRueckl, b.dRueckl) && a.RaumNr == b.RaumNr &&
           a.RaumVer == b.RaumVer && Close(a.dRaum, b.dRaum) && Close(a.QRaum, b.QRaum) &&
           Close(a.Exponent, b.Exponent) && Close(a.dMittel, b.dMittel) &&
           Close(a.Faktor, b.Faktor) && Close(a.QHKNeu, b.QHKNeu) && a.HkTyp == b.HkTyp;
}

// Saves s and reads the bytes into Before() with an empty listing.
hk::ProgramState SaveAndRead(const hk::ProgramState& s) {
    const auto image = hk::ProjectFileBytes(s);
    if (!image) {
        Fail("a loaded project cannot be saved");
    }
    hk::ProgramState t = Before();
    t.ListingText.clear();
    if (!hk::ReadProjectFile(image->bytes, t)) {
        Fail("a saved project is refused");
    }
    return t;
}

bool SameButListing(const hk::ProgramState& a, const hk::ProgramState& b) {
    return a.header == b.header && a.LfNr == b.LfNr && a.dNorm == b.dNorm && a.table == b.table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    hk::ProgramState s = Before();

    if (const auto read = hk::ReadProjectFile(bytes, s); !read) {
        if (!(s == Before())) {
            Fail("a refused file changed the state");
        }
        if (read.problem().line < 1 || read.problem().message.empty()) {
            Fail("a refusal without line or message");
        }
        return 0;
    }

    // Accepted.
    if (!hk::RadiatorTable::IsValidNumber(s.LfNr)) {
        Fail("accepted counter outside 1..70");
    }
    for (int n = s.LfNr + 1; n <= hk::RadiatorTable::kCapacity; ++n) {
        if (!(s.table.at(n) == Before().table.at(n))) {
            Fail("an entry above the loaded LfNr changed");
        }
    }
    if (s.ListingText.compare(0, Before().ListingText.size(), Before().ListingText) != 0) {
        Fail("the listing was not appended to");
    }

    const hk::ProgramState once = SaveAndRead(s);
    if (once.header != s.header || once.LfNr != s.LfNr || once.dNorm != s.dNorm) {
        Fail("header, counter or reference value changed on saving and reading");
    }
    for (int n = 1; n <= hk::RadiatorTable::kCapacity; ++n) {
        if (!CloseEntry(once.table.at(n), s.table.at(n))) {
            Fail("an entry changed beyond the seven digits on saving and reading");
        }
    }
    if (once.ListingText != s.ListingText + "\r\n") {
        Fail("the listing read back is not the saved one and its closing line");
    }

    const hk::ProgramState twice = SaveAndRead(once);
    if (!SameButListing(twice, once)) {
        Fail("saving and reading a saved project changed it");
    }
    if (twice.ListingText != once.ListingText + "\r\n") {
        Fail("the listing read back the second time is not the saved one");
    }
    return 0;
}
