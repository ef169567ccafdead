#include "print_report.h"

#include "report/listing.h"

#include <string>

namespace hk {
namespace {

using item::Single;
using item::Tab;
using item::Text;
using item::Whole;

constexpr int kPageRuleWidth = 70;  // "=" under the project data
constexpr int kTitleUnderline = 85; // "_" under the title lines

} // namespace

bool Seite1Druck(const ProgramState& state, PrintDevice& device) {
    const ProjectHeader& h = state.header;
    Printer printer(device);

    printer.Print({Text("")}); // an empty first line in the printer's own font
    printer.FontName("Arial");
    printer.FontSize(12);
    printer.FontBold(true);
    printer.Print({Tab(22), Text(kBrandLine)});
    printer.Print({});
    printer.Print({});
    printer.Print({});
    printer.FontName("Times Roman");
    printer.Print({Tab(9), Text("Projekt Nr.: "), Text(h[ProjectHeader::ProjektNr]), Tab(31),
                   Text("bearbeitet von: "), Text(h[ProjectHeader::Bearbeiter]), Tab(60),
                   Text("Datum: "), Text(h[ProjectHeader::Datum])});
    printer.Print({Tab(9), Text("für: "), Text(h[ProjectHeader::BauherrName]), Tab(31),
                   Text(h[ProjectHeader::BauherrVorname])});
    printer.Print({Tab(9), Text("in: "), Text(h[ProjectHeader::BauherrStrasse]), Tab(40),
                   Text(h[ProjectHeader::BauherrOrt])});
    printer.Print({Tab(9), Text("Telefon: "), Text(h[ProjectHeader::BauherrTelefon])});
    printer.Print({Tab(9), Text("B.V.: "), Text(h[ProjectHeader::BaustelleStrasse]), Tab(40),
                   Text(h[ProjectHeader::BaustelleOrt])});
    printer.Print({Tab(9), Text("Telefon: "), Text(h[ProjectHeader::BaustelleTelefon])});
    printer.Print({Tab(7)}, LineEnd::Continue);
    for (int i = 0; i < kPageRuleWidth; ++i) {
        printer.Print({Text("=")}, LineEnd::Continue);
    }
    printer.Print({});
    printer.Print({});
    printer.Print({});
    printer.FontBold(false);
    return ListeDruck(state, printer);
}

bool ListeDruck(const ProgramState& state, Printer& printer) {
    // LfNr is taken once; after the next command that follows entry 70 it is
    // 71 and names no entry, so the rows stop at 70.
    const int rows = RowCount(state.LfNr);

    printer.Print({Text("")}); // an empty line in the caller's font
    printer.FontName("Courier New");
    printer.FontSize(10);
    printer.Print({Tab(7), Text(kTitle)});
    printer.Print({Tab(7), Text(kSubtitle)});
    printer.Print({Tab(7), Text(kReferenceLabel), Whole(state.dNorm)});
    printer.Print({Tab(7)}, LineEnd::Continue);
    for (int i = 0; i < kTitleUnderline; ++i) {
        printer.Print({Text("_")}, LineEnd::Continue);
    }
    // The underline has passed column 7, so the header goes to the next line.
    printer.Print({Tab(7), Text(kPrintColumnHeader)});
    printer.Print({Tab(7), Text(kPrintColumnRule)});

    for (int p = 1; p <= rows; ++p) {
        const RadiatorEntry& e = state.table.at(p);
        // clang-format off
        printer.Print({Tab(7),  Whole(p),
                       Tab(12), Single(e.dVorl),
                       Tab(16), Single(e.dRueckl),
                       Tab(20), Text(e.RaumNr),
                       Tab(25), Text(e.RaumVer),
                       Tab(34), Single(e.dRaum),
                       Tab(38), Single(e.QRaum),
                       Tab(44), Single(e.Exponent),
                       Tab(50), Single(e.dMittel),
                       Tab(56), Single(e.Faktor),
                       Tab(62), Single(e.QHKNeu),
                       Tab(69), Text(e.HkTyp)});
        // clang-format on
    }
    return printer.EndDoc();
}

bool ListeDruck(const ProgramState& state, PrintDevice& device) {
    Printer printer(device);
    return ListeDruck(state, printer);
}

} // namespace hk
