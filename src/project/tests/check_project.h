#pragma once
// A small calculated project for the heat-pump check's tests: three
// radiators, DIN, sized with the program's own conversion.

#include "calc/conversion.h"
#include "calc/program_state.h"

namespace hk::test {

inline RadiatorEntry SizedEntry(const char* nr, const char* use, float vorl, float rueckl,
                                float qRaum) {
    RadiatorEntry e;
    e.RaumNr = nr;
    e.RaumVer = use;
    e.dVorl = vorl;
    e.dRueckl = rueckl;
    e.dRaum = 20;
    e.QRaum = qRaum;
    e.Exponent = 1.3f;
    e.HkTyp = "DIN Guss- Radiator          ";
    const ConversionResult r = Convert(e, 60);
    e.dMittel = r.dMittel;
    e.Faktor = r.Faktor;
    e.QHKNeu = r.QHKNeu;
    return e;
}

// Entry 1: 70/55, 1000 -> Q-Norm 1580, needs 68 °C at spread 10.
// Entry 2: 90/70, 1500 -> Q-Norm 1500, the norm itself.
// Entry 3: 75/65, 800 -> Q-Norm 1024.
inline ProgramState CheckProject() {
    ProgramState s;
    s.header[ProjectHeader::ProjektNr] = "WP-1";
    s.LfNr = 3;
    s.dNorm = 60;
    s.table.at(1) = SizedEntry("0012", "Bad", 70, 55, 1000);
    s.table.at(2) = SizedEntry("0013", "Wohnen", 90, 70, 1500);
    s.table.at(3) = SizedEntry("0014", "Kind  ", 75, 65, 800);
    return s;
}

} // namespace hk::test
