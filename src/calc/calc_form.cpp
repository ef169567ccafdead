#include "calc_form.h"

#include "calc/catalogue.h"
#include "calc/continue_project.h"
#include "calc/conversion.h"
#include "common/error_trap.h"
#include "common/errors.h"
#include "common/numbers.h"

#include <array>

namespace hk {
namespace {

struct FieldCheck {
    CalcControl field;
    double greater; // the leading number must be greater than this
    double less;    // and less than this
    std::string_view message;
    CalcControl focus;
};

// The limits are what the checks enforce; the messages are the texts the
// user knows, even where they name other numbers.
constexpr std::array<FieldCheck, 6> kChecks = {{
    {CalcControl::txtdVorl, 49, 121, "Nur Zahlen zwischen 120 und 50 eingeben",
     CalcControl::txtdVorl},
    {CalcControl::txtdRueckl, 34, 96, "Nur Zahlen zwischen 45 und 95 eingeben",
     CalcControl::txtdRueckl},
    {CalcControl::txtRaumNr, 0.9, 10000, "Nur Zahlen zwischen 0001 und 9999 eingeben",
     CalcControl::txtRaumNr},
    {CalcControl::txtdRaum, 4, 31, "Nur Zahlen zwischen 5 und 30 eingeben", CalcControl::txtdRaum},
    {CalcControl::txtQRaum, 4, 10001, "Nur Zahlen zwischen 10 und 99999 eingeben",
     CalcControl::txtQRaum},
    {CalcControl::txtExpon, 0.9, 2, kMsgExponent, CalcControl::Expon},
}};

InputRefusal Refusal(std::string_view message, CalcControl focus) {
    return {{std::string(message), std::string(kTitleEingabeberichtigung), MsgIcon::Information},
            focus};
}

} // namespace

Result<void, InputRefusal> CheckInput(CalcControl field, const std::string& t) {
    for (const FieldCheck& check : kChecks) {
        if (check.field != field) {
            continue;
        }
        // All four conditions are evaluated, so a leading number beyond the
        // double range reaches the error trap even in an otherwise bad text.
        const bool filled = !t.empty();
        const bool number = IsRegionalNumber(t);
        const bool aboveLow = LeadingNumber(t) > check.greater;
        const bool belowHigh = LeadingNumber(t) < check.less;
        if (!(filled && number && aboveLow && belowHigh)) {
            return Refusal(check.message, check.focus);
        }
        // The value as the single-precision exponent field receives it: a
        // text such as 1,0E-50 is not 0 in double precision but is stored
        // as 0, which would make every factor 1.
        if (field == CalcControl::txtExpon && RegionalSingle(t) == 0.0f) {
            return Refusal(kMsgExponent, CalcControl::Expon);
        }
    }
    return {};
}

void StoreInput(RadiatorEntry& entry, CalcControl field, const std::string& text) {
    switch (field) {
    case CalcControl::txtdVorl:
        entry.dVorl = StoreSingle(LeadingNumber(text));
        break;
    case CalcControl::txtdRueckl:
        entry.dRueckl = StoreSingle(LeadingNumber(text));
        break;
    case CalcControl::txtRaumNr:
        entry.RaumNr = text;
        break;
    case CalcControl::txtRaumVer:
        entry.RaumVer = text;
        break;
    case CalcControl::txtdRaum:
        entry.dRaum = RegionalSingle(text);
        break;
    case CalcControl::txtQRaum:
        entry.QRaum = RegionalSingle(text);
        break;
    case CalcControl::txtExpon:
        entry.Exponent = RegionalSingle(text);
        break;
    default:
        break; // not an input field
    }
}

Result<void, InputRefusal> CheckOrder(const RadiatorEntry& entry) {
    if (entry.dVorl < entry.dRueckl) {
        return InputRefusal{{std::string(kMsgOrder), std::string(kAppTitle), MsgIcon::None},
                            CalcControl::txtdVorl};
    }
    return {};
}

std::string ReplaceQuestionText(int lfNr, const RadiatorEntry& entry) {
    std::string room = "Raum " + entry.RaumNr;
    if (!entry.RaumVer.empty()) {
        room += " " + entry.RaumVer;
    }
    return "Heizkörper " + std::to_string(lfNr) + " (" + room +
           ") ist schon berechnet. Ersetzen? Für einen neuen Heizkörper zuerst „Nächster HK“ "
           "drücken.";
}

void CalcForm::Form_Load() {
    for (const auto& entry : RadiatorCatalogue()) {
        screen_.addListItem(std::string(entry.text));
    }
    state_.LfNr = 1;
}

void CalcForm::Form_Continue(const ContinuePlan& plan) {
    state_.LfNr = plan.LfNr;
    if (plan.freshEntry) {
        state_.table.at(plan.LfNr) = RadiatorEntry{};
    }
    state_.ListingText = plan.listing;
    screen_.setText(CalcControl::txtAnzeige, plan.listing);
    // The mode is locked as after the first calculation; without a mode the
    // calculation command says what is missing.
    state_.dNorm = plan.dNorm;
    if (plan.dNorm == kDNormDin) {
        screen_.select(CalcControl::optDIN);
        screen_.setEnabled(CalcControl::optEN, false);
    } else if (plan.dNorm == kDNormEn) {
        screen_.select(CalcControl::optEN);
        screen_.setEnabled(CalcControl::optDIN, false);
    }
    screen_.setText(CalcControl::txtdVorl, plan.dVorl);
    screen_.setText(CalcControl::txtdRueckl, plan.dRueckl);
    screen_.setFocus(CalcControl::txtRaumNr);
}

void CalcForm::Expon_Click() {
    screen_.setText(CalcControl::txtHkTyp, screen_.listText());
    // After entry 70 there is no entry to hold the type; the calculation
    // command refuses that entry anyway. A calculated entry keeps the type
    // its exponent was calculated with until the next "Ergebnis" stores both.
    chosenType_.clear();
    if (RadiatorTable::IsValidNumber(state_.LfNr)) {
        RadiatorEntry& entry = state_.table.at(state_.LfNr);
        (HoldsCalculation(entry) ? chosenType_ : entry.HkTyp) = screen_.text(CalcControl::txtHkTyp);
    }
    const int index = screen_.listIndex();
    if (index >= 0 && index < kCatalogueSize) {
        screen_.setText(CalcControl::txtExpon, NumberText(CatalogueExponent(index)));
    }
}

void CalcForm::optDIN_Click() {
    if (screen_.isSelected(CalcControl::optDIN)) {
        state_.dNorm = kDNormDin;
    }
}

void CalcForm::optEN_Click() {
    if (screen_.isSelected(CalcControl::optEN)) {
        state_.dNorm = kDNormEn;
    }
}

void CalcForm::cmdNächster_Click() {
    for (CalcControl c : {CalcControl::txtRaumNr, CalcControl::txtRaumVer, CalcControl::txtdRaum,
                          CalcControl::txtQRaum, CalcControl::txtExpon, CalcControl::txtdMittel,
                          CalcControl::txtFaktor, CalcControl::txtQHKNeu, CalcControl::txtHkTyp}) {
        screen_.setText(c, "");
    }
    screen_.setFocus(CalcControl::txtRaumNr);
    screen_.setVisible(CalcControl::cmdNächster, false);
    chosenType_.clear();
    // The button is only visible after a successful check, so LfNr rises at
    // most to 71; the guard keeps the counter in range whatever calls this.
    if (state_.LfNr < RadiatorTable::kCapacity + 1) {
        ++state_.LfNr;
    }
}

void CalcForm::SetNormFromOptions() {
    if (screen_.isSelected(CalcControl::optDIN)) {
        state_.dNorm = kDNormDin;
    }
    if (screen_.isSelected(CalcControl::optEN)) {
        state_.dNorm = kDNormEn;
    }
}

void CalcForm::Umrechnen() {
    SetNormFromOptions();
    RadiatorEntry& entry = state_.table.at(state_.LfNr);
    const ConversionResult r = Convert(entry, state_.dNorm);
    entry.dMittel = r.dMittel;
    entry.Faktor = r.Faktor;
    entry.QHKNeu = r.QHKNeu;
    screen_.setText(CalcControl::txtdMittel, NumberText(r.dMittel));
    screen_.setText(CalcControl::txtFaktor, NumberText(r.Faktor));
    screen_.setText(CalcControl::txtQHKNeu, NumberText(r.QHKNeu));
}

// Returns false after reporting the first refused field.
bool CalcForm::CheckFields() {
    for (const FieldCheck& check : kChecks) {
        if (const auto checked = CheckInput(check.field, screen_.text(check.field)); !checked) {
            screen_.showMessage(checked.problem().message);
            screen_.setFocus(checked.problem().focus);
            return false;
        }
    }
    return true;
}

bool CalcForm::MayReplace(const RadiatorEntry& entry) {
    // The same room again is the correction loop and needs no question.
    if (!HoldsCalculation(entry) || (screen_.text(CalcControl::txtRaumNr) == entry.RaumNr &&
                                     screen_.text(CalcControl::txtRaumVer) == entry.RaumVer)) {
        return true;
    }
    return screen_.ask({ReplaceQuestionText(state_.LfNr, entry), std::string(kAppTitle), "Ersetzen",
                        "Abbrechen", std::string()});
}

void CalcForm::cmdErgebnis_Click() {
    // The reference mode is fixed at the first press, before any check.
    SetNormFromOptions();
    if (screen_.isSelected(CalcControl::optDIN)) {
        screen_.setEnabled(CalcControl::optEN, false);
    }
    if (screen_.isSelected(CalcControl::optEN)) {
        screen_.setEnabled(CalcControl::optDIN, false);
    }

    const bool finished =
        RunTrapped([this] {
            if (!CheckFields()) {
                return;
            }
            RadiatorEntry& entry = state_.table.at(state_.LfNr);
            if (!MayReplace(entry)) {
                return;
            }
            // Stored field by field: what was written before an error stays.
            for (CalcControl c :
                 {CalcControl::txtdVorl, CalcControl::txtdRueckl, CalcControl::txtRaumNr,
                  CalcControl::txtRaumVer, CalcControl::txtdRaum, CalcControl::txtQRaum,
                  CalcControl::txtExpon}) {
                StoreInput(entry, c, screen_.text(c));
            }
            // The type goes with the exponent just stored; a calculated entry
            // held back a type chosen since (unless a correction showed another).
            if (!chosenType_.empty() && screen_.text(CalcControl::txtHkTyp) == chosenType_) {
                entry.HkTyp = chosenType_;
            }
            chosenType_.clear();

            if (const auto ordered = CheckOrder(entry); !ordered) {
                screen_.showMessage(ordered.problem().message);
                screen_.setFocus(ordered.problem().focus);
                return;
            }
            screen_.setVisible(CalcControl::cmdNächster, true);

            Umrechnen();
            state_.Changed();
            if (state_.LfNr < 2) {
                listing_.Anzeigen();
            }
            listing_.Ergebn();
        }).ok();
    if (!finished) {
        screen_.showMessage({std::string(kMsgGeneralError), std::string(kTitleEingabefehler),
                             MsgIcon::Information});
        screen_.setFocus(CalcControl::txtdVorl);
    }
}

} // namespace hk
