#include "calc_form.h"

#include "calc/catalogue.h"
#include "calc/conversion.h"
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

} // namespace

void CalcForm::Form_Load() {
    for (const auto& entry : RadiatorCatalogue()) {
        screen_.addListItem(std::string(entry.text));
    }
    state_.LfNr = 1;
}

void CalcForm::Expon_Click() {
    screen_.setText(CalcControl::txtHkTyp, screen_.listText());
    // After entry 70 there is no entry to hold the type; the calculation
    // command refuses that entry anyway.
    if (RadiatorTable::IsValidNumber(state_.LfNr)) {
        state_.table.at(state_.LfNr).HkTyp = screen_.text(CalcControl::txtHkTyp);
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
        const std::string t = screen_.text(check.field);
        // All four conditions are evaluated, so a leading number beyond the
        // double range reaches the error trap even in an otherwise bad text.
        const bool filled = !t.empty();
        const bool number = IsRegionalNumber(t);
        const bool aboveLow = LeadingNumber(t) > check.greater;
        const bool belowHigh = LeadingNumber(t) < check.less;
        if (!(filled && number && aboveLow && belowHigh)) {
            screen_.showMessage({std::string(check.message), std::string(kTitleEingabeberichtigung),
                                 MsgIcon::Information});
            screen_.setFocus(check.focus);
            return false;
        }
    }
    // The value as the single-precision exponent field receives it: a text
    // such as 1,0E-50 is not 0 in double precision but is stored as 0, which
    // would make every factor 1.
    if (RegionalSingle(screen_.text(CalcControl::txtExpon)) == 0.0f) {
        screen_.showMessage({std::string(kMsgExponent), std::string(kTitleEingabeberichtigung),
                             MsgIcon::Information});
        screen_.setFocus(CalcControl::Expon);
        return false;
    }
    return true;
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

    try {
        if (!CheckFields()) {
            return;
        }
        // Stored field by field: what was written before an error stays.
        RadiatorEntry& entry = state_.table.at(state_.LfNr);
        entry.dVorl = StoreSingle(LeadingNumber(screen_.text(CalcControl::txtdVorl)));
        entry.dRueckl = StoreSingle(LeadingNumber(screen_.text(CalcControl::txtdRueckl)));
        entry.RaumNr = screen_.text(CalcControl::txtRaumNr);
        entry.RaumVer = screen_.text(CalcControl::txtRaumVer);
        entry.dRaum = RegionalSingle(screen_.text(CalcControl::txtdRaum));
        entry.QRaum = RegionalSingle(screen_.text(CalcControl::txtQRaum));
        entry.Exponent = RegionalSingle(screen_.text(CalcControl::txtExpon));

        if (entry.dVorl < entry.dRueckl) {
            screen_.showMessage({std::string(kMsgOrder), std::string(kAppTitle), MsgIcon::None});
            screen_.setFocus(CalcControl::txtdVorl);
            return;
        }
        screen_.setVisible(CalcControl::cmdNächster, true);

        Umrechnen();
        if (state_.LfNr < 2) {
            listing_.Anzeigen();
        }
        listing_.Ergebn();
    } catch (const std::exception&) {
        screen_.showMessage({std::string(kMsgGeneralError), std::string(kTitleEingabefehler),
                             MsgIcon::Information});
        screen_.setFocus(CalcControl::txtdVorl);
    }
}

} // namespace hk
