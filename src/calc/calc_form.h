#pragma once
// The logic of the calculation screen Form3: loading the screen, choosing a
// radiator type and a reference mode, the calculation command with its
// field checks and its one error trap, and the next-radiator command.

#include "calc/calc_screen.h"
#include "calc/program_state.h"

#include <string_view>

namespace hk {

inline constexpr std::string_view kTitleEingabeberichtigung = "Eingabeberichtigung";
inline constexpr std::string_view kTitleEingabefehler = "Eingabefehler:";
inline constexpr std::string_view kMsgGeneralError =
    " Überprüfen Sie Ihre Eingaben. Dezimalzeichen ist das Komma. Umschaltung aktiv ? Nur ganze "
    "Zahlen!";
inline constexpr std::string_view kMsgOrder =
    "Vorlauftemperetur muss grösser als Rücklauftemperatur sein";
inline constexpr std::string_view kMsgExponent =
    "Bitte Heizkörper im Feld Exponent aussuchen und anklicken";

inline constexpr std::int16_t kDNormDin = 60; // K, DIN 90/70/20
inline constexpr std::int16_t kDNormEn = 50;  // K, DIN EN 442 75/65/20

class CalcForm {
public:
    CalcForm(ProgramState& state, CalcScreen& screen, ListingSink& listing)
        : state_(state), screen_(screen), listing_(listing) {}

    void Form_Load();
    void Expon_Click();
    void optDIN_Click();
    void optEN_Click();
    void cmdNächster_Click();
    void cmdErgebnis_Click();

    // Converts entry LfNr and shows its results. Throws CalcError.
    void Umrechnen();

private:
    void SetNormFromOptions();
    bool CheckFields();

    ProgramState& state_;
    CalcScreen& screen_;
    ListingSink& listing_;
};

} // namespace hk
