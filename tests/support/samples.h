#pragma once
// Sample radiators and projects for the tests and benchmarks: entries with
// inputs only, entries sized with the program's own conversion, the printed
// reports' radiator and project, the heat-pump check's project and a project
// of 70 radiators with the longest texts the input boxes take.

#include "calc/catalogue.h"
#include "calc/conversion.h"
#include "calc/program_state.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

namespace hk::test {

// An entry with the inputs of one radiator; nothing calculated yet.
inline RadiatorEntry RadiatorInputs(float vorl, float rueckl, float raum, float qRaum = 1000,
                                    float n = 1.3f) {
    RadiatorEntry e;
    e.dVorl = vorl;
    e.dRueckl = rueckl;
    e.dRaum = raum;
    e.QRaum = qRaum;
    e.Exponent = n;
    return e;
}

// The entry with the results the calculation stores: Convert at dNorm.
inline RadiatorEntry Sized(RadiatorEntry e, std::int16_t dNorm = 60) {
    const ConversionResult r = Convert(e, dNorm);
    e.dMittel = r.dMittel;
    e.Faktor = r.Faktor;
    e.QHKNeu = r.QHKNeu;
    return e;
}

// An entry as the calculation screen leaves it: inputs, then the results.
inline RadiatorEntry SizedEntry(float vorl, float rueckl, float raum, float qRaum, float n = 1.3f,
                                std::int16_t dNorm = 60) {
    return Sized(RadiatorInputs(vorl, rueckl, raum, qRaum, n), dNorm);
}

// The same with catalogue entry type (0-based) chosen: its exponent and text.
inline RadiatorEntry CatalogueEntry(float vorl, float rueckl, float raum, float qRaum, int type,
                                    std::int16_t dNorm) {
    RadiatorEntry e = RadiatorInputs(vorl, rueckl, raum, qRaum, CatalogueExponent(type));
    e.HkTyp = std::string(RadiatorCatalogue()[static_cast<std::size_t>(type)].text);
    return Sized(e, dNorm);
}

inline constexpr const char* kGussText = "DIN Guss- Radiator          "; // 28 characters

// The printed reports' radiator: 90/70 °C at 20 °C, 1500 W, cast iron, whose
// results at the DIN reference are 59,4 K, factor 1,02 and 1530 W.
inline RadiatorEntry NormRadiator(std::string raumNr) {
    return {90, 70, std::move(raumNr), "Wohnen", 20, 1500, 1.3f, 59.4f, 1.02f, 1530, kGussText};
}

// The eleven boxes of the project data screen, in their order.
inline void SetHeader(ProgramState& s,
                      const std::array<const char*, ProjectHeader::kFieldCount>& t) {
    for (int f = 1; f <= ProjectHeader::kFieldCount; ++f) {
        s.header[f] = t[static_cast<std::size_t>(f - 1)];
    }
}

// The printed reports' project: a job's header and entries 1 to filled of
// NormRadiator in rooms 101, 102, ...; the counter at lfNr.
inline ProgramState PrintedProject(int filled, int lfNr) {
    ProgramState s;
    SetHeader(s, {"P-17", "Meier", "12.03.2024", "Schulz", "Anna", "Hauptstraße 5",
                  "12345 Bergdorf", "0123 4567", "Am Hang 3", "12346 Talheim", "0987 654"});
    for (int n = 1; n <= filled; ++n) {
        s.table.at(n) = NormRadiator(std::to_string(100 + n));
    }
    s.LfNr = static_cast<std::int16_t>(lfNr);
    s.dNorm = 60;
    return s;
}

// An entry of the heat-pump check's project: DIN cast iron at 20 °C.
inline RadiatorEntry CheckEntry(const char* nr, const char* use, float vorl, float rueckl,
                                float qRaum) {
    RadiatorEntry e = RadiatorInputs(vorl, rueckl, 20, qRaum);
    e.RaumNr = nr;
    e.RaumVer = use;
    e.HkTyp = kGussText;
    return Sized(e);
}

// A small calculated project for the heat-pump check: three radiators, DIN.
// Entry 1: 70/55, 1000 -> Q-Norm 1580, needs 68 °C at spread 10.
// Entry 2: 90/70, 1500 -> Q-Norm 1500, the norm itself.
// Entry 3: 75/65, 800 -> Q-Norm 1024.
inline ProgramState CheckProject() {
    ProgramState s;
    s.header[ProjectHeader::ProjektNr] = "WP-1";
    s.LfNr = 3;
    s.dNorm = 60;
    s.table.at(1) = CheckEntry("0012", "Bad", 70, 55, 1000);
    s.table.at(2) = CheckEntry("0013", "Wohnen", 90, 70, 1500);
    s.table.at(3) = CheckEntry("0014", "Kind  ", 75, 65, 800);
    return s;
}

// Entries radiators with the longest texts the input boxes take.
inline ProgramState LongProject(int entries = 70) {
    ProgramState s;
    SetHeader(s, {"2024-117", "Meier", "08.12.2026", "Schulze-Wiesenthal", "Anna-Katharina",
                  "Hauptstraße 125", "12345 Bergdorf", "0123 456789", "Am Hang 3", "12346 Talheim",
                  "0987 654321"});
    s.dNorm = 60;
    s.LfNr = static_cast<std::int16_t>(entries);
    for (int n = 1; n <= entries; ++n) {
        s.table.at(n) = {105,
                         100,
                         std::to_string(1000 + n),
                         "Wohnzimmerx", // 11 characters
                         20.5f,
                         10000,
                         1.33f,
                         82.5f,
                         0.65f,
                         static_cast<float>(6500 + n),
                         "Plattenheizkörper Typ 33 WWWW"}; // 29 characters
    }
    return s;
}

// Typed installed outputs: entry -> W.
inline std::map<int, InstalledChoice>
TypedOutputs(std::initializer_list<std::pair<int, int>> typed) {
    std::map<int, InstalledChoice> installed;
    for (const auto& [entry, output] : typed) {
        installed[entry] = InstalledChoice::Typed(output);
    }
    return installed;
}

// A small catalogue of typical radiators, not the shipped one: three panel
// radiators 600 high (exponents 1,3, 1,33 and 1,25), one 300 high and one
// sectional radiator.
inline TypicalRadiators SampleRadiators() {
    return {{"Flach", "P 22 · 600", 600, 1800, true, 1.3},
            {"Flach", "P 33 · 600", 600, 2400, true, 1.33},
            {"Flach", "P 11 · 600", 600, 1000, true, 1.25},
            {"Flach", "P 22 · 300", 300, 1000, true, 1.3},
            {"Guss", "G 600", 600, 80, false, 1.3}};
}

// The valve of the shipped valve table (example values): settings 1 to 8.
inline const Valve& ExampleValve() {
    static const Valve valve{"Thermostatventil DN 15, 8 Stufen (Beispielwerte)",
                             {{"1", 0.04},
                              {"2", 0.08},
                              {"3", 0.12},
                              {"4", 0.20},
                              {"5", 0.30},
                              {"6", 0.40},
                              {"7", 0.51},
                              {"8", 0.73}}};
    return valve;
}

} // namespace hk::test
