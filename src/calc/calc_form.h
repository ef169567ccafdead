#pragma once
// The logic of the calculation screen Form3: loading the screen, choosing a
// radiator type and a reference mode, the calculation command with its
// field checks and its one error trap, and the next-radiator command.

#include "calc/calc_screen.h"
#include "calc/program_state.h"
#include "common/result.h"

#include <string>
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

// "Ergebnis" on an entry already calculated, with another room in the boxes.
std::string ReplaceQuestionText(int lfNr, const RadiatorEntry& entry);

inline constexpr std::int16_t kDNormDin = 60; // K, DIN 90/70/20
inline constexpr std::int16_t kDNormEn = 50;  // K, DIN EN 442 75/65/20

// How many characters an input box takes; 0: no limit of its own.
constexpr int InputMaxLength(CalcControl field) {
    switch (field) {
    case CalcControl::txtdVorl:
    case CalcControl::txtdRueckl:
        return 3;
    case CalcControl::txtRaumNr:
        return 4;
    case CalcControl::txtRaumVer:
        return 11;
    case CalcControl::txtdRaum:
        return 2;
    case CalcControl::txtQRaum:
    case CalcControl::txtExpon:
        return 5;
    default:
        return 0;
    }
}

// A refused input: the message box to show and where the focus goes.
struct InputRefusal {
    Message message;
    CalcControl focus;
    bool operator==(const InputRefusal&) const = default;
};

// Checks the text of one input field as the calculation command does: its
// limits, its number test and, for the exponent, a value that is not 0.
// The room use has no check. Throws CalcError where the command's error trap
// would catch (a leading number beyond the double range).
Result<void, InputRefusal> CheckInput(CalcControl field, const std::string& text);

// Stores the text of an input field into entry with the field's reading:
// LeadingNumber for supply and return, RegionalNumber for room temperature,
// room output and exponent, the texts as typed. Throws CalcError.
void StoreInput(RadiatorEntry& entry, CalcControl field, const std::string& text);

// The supply must not be below the return; equal temperatures pass.
Result<void, InputRefusal> CheckOrder(const RadiatorEntry& entry);

// How a loaded project goes on on the calculation screen (ContinuePlan()).
struct ContinuePlan;

class CalcForm {
public:
    CalcForm(ProgramState& state, CalcScreen& screen, ListingSink& listing)
        : state_(state), screen_(screen), listing_(listing) {}

    void Form_Load();
    // After Form_Load: the screen takes up a loaded project as plan says.
    void Form_Continue(const ContinuePlan& plan);
    void Expon_Click();
    void optDIN_Click();
    void optEN_Click();
    void cmdNächster_Click();
    void cmdErgebnis_Click();

    // Converts entry LfNr and shows its results. Throws CalcError; run it in
    // the error trap (error_trap.h).
    void Umrechnen();

private:
    void SetNormFromOptions();
    bool CheckFields();
    // Whether "Ergebnis" may store the boxes into entry LfNr: a calculated
    // entry of another room is replaced only when the user says so.
    bool MayReplace(const RadiatorEntry& entry);

    ProgramState& state_;
    CalcScreen& screen_;
    ListingSink& listing_;
    // A type chosen for an entry that holds a calculation: stored with its
    // exponent at the next "Ergebnis", as long as the box still shows it.
    std::string chosenType_;
};

} // namespace hk
