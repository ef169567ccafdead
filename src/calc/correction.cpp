#include "correction.h"

#include "calc/catalogue.h"
#include "calc/continue_project.h"
#include "calc/conversion.h"
#include "common/error_trap.h"
#include "common/numbers.h"

#include <algorithm>

namespace hk {
namespace {

Message Refused(Message m) {
    // In the correction window every refusal is an input correction.
    m.title = std::string(kTitleEingabeberichtigung);
    return m;
}

// Puts text into field of corrected and converts the entry again, as the
// calculation command would. A refusal of the field's check or of the order
// of the temperatures gives its message. Throws CalcError.
Result<void, Message> Recalculated(RadiatorEntry& corrected, CorrectionField field,
                                   const std::string& text, std::int16_t dNorm) {
    std::string input = text;
    if (field == CorrectionField::HkTyp) {
        // The type brings its exponent, as a click in the type list does.
        const auto& catalogue = RadiatorCatalogue();
        const auto chosen = std::find_if(catalogue.begin(), catalogue.end(),
                                         [&](const auto& c) { return c.text == text; });
        const int index = static_cast<int>(chosen - catalogue.begin());
        input = index < kCatalogueSize ? NumberText(CatalogueExponent(index)) : std::string();
        corrected.HkTyp = text;
    }
    const CalcControl box = BoxOf(field);
    if (const auto checked = CheckInput(box, input); !checked) {
        return checked.problem().message;
    }
    StoreInput(corrected, box, input);
    if (const auto ordered = CheckOrder(corrected); !ordered) {
        return Refused(ordered.problem().message);
    }
    const ConversionResult r = Convert(corrected, dNorm);
    corrected.dMittel = r.dMittel;
    corrected.Faktor = r.Faktor;
    corrected.QHKNeu = r.QHKNeu;
    return {};
}

} // namespace

CalcControl BoxOf(CorrectionField field) {
    switch (field) {
    case CorrectionField::dVorl:
        return CalcControl::txtdVorl;
    case CorrectionField::dRueckl:
        return CalcControl::txtdRueckl;
    case CorrectionField::RaumNr:
        return CalcControl::txtRaumNr;
    case CorrectionField::RaumVer:
        return CalcControl::txtRaumVer;
    case CorrectionField::dRaum:
        return CalcControl::txtdRaum;
    case CorrectionField::QRaum:
        return CalcControl::txtQRaum;
    case CorrectionField::HkTyp:
        break;
    }
    return CalcControl::txtExpon;
}

std::vector<int> RadiatorCorrection::Entries() const {
    std::vector<int> entries;
    const int last = RowCount(state_.LfNr);
    for (int n = 1; n <= last; ++n) {
        if (HoldsCalculation(state_.table.at(n))) {
            entries.push_back(n);
        }
    }
    return entries;
}

std::string RadiatorCorrection::FieldText(int n, CorrectionField field) const {
    const RadiatorEntry& e = state_.table.at(n);
    switch (field) {
    case CorrectionField::dVorl:
        return NumberText(e.dVorl);
    case CorrectionField::dRueckl:
        return NumberText(e.dRueckl);
    case CorrectionField::RaumNr:
        return e.RaumNr;
    case CorrectionField::RaumVer:
        return e.RaumVer;
    case CorrectionField::dRaum:
        return NumberText(e.dRaum);
    case CorrectionField::QRaum:
        return NumberText(e.QRaum);
    case CorrectionField::HkTyp:
        break;
    }
    return e.HkTyp;
}

Result<void, Message> RadiatorCorrection::Correct(int n, CorrectionField field,
                                                  const std::string& text) {
    const Message general{std::string(kMsgGeneralError), std::string(kTitleEingabefehler),
                          MsgIcon::Information};
    if (!RadiatorTable::IsValidNumber(n)) {
        return general;
    }
    RadiatorEntry corrected = state_.table.at(n);
    Result<void, Message> checked;
    if (!RunTrapped([&] { checked = Recalculated(corrected, field, text, state_.dNorm); }).ok()) {
        return general;
    }
    if (!checked) {
        return checked;
    }

    undo_.push_back({n, state_.table.at(n), screen_.text(CalcControl::txtAnzeige),
                     state_.ListingText, state_.projectRevision.now});
    state_.table.at(n) = corrected;
    state_.Changed();
    listing_.ErgebnOf(n);
    ShowOnScreen(n);
    return {};
}

void RadiatorCorrection::ShowOnScreen(int n) {
    if (n != state_.LfNr) {
        return;
    }
    for (CorrectionField f :
         {CorrectionField::dVorl, CorrectionField::dRueckl, CorrectionField::RaumNr,
          CorrectionField::RaumVer, CorrectionField::dRaum, CorrectionField::QRaum}) {
        screen_.setText(BoxOf(f), FieldText(n, f));
    }
    const RadiatorEntry& e = state_.table.at(n);
    screen_.setText(CalcControl::txtExpon, NumberText(e.Exponent));
    screen_.setText(CalcControl::txtHkTyp, e.HkTyp);
    screen_.setText(CalcControl::txtdMittel, NumberText(e.dMittel));
    screen_.setText(CalcControl::txtFaktor, NumberText(e.Faktor));
    screen_.setText(CalcControl::txtQHKNeu, NumberText(e.QHKNeu));
}

void RadiatorCorrection::Undo() {
    if (undo_.empty()) {
        return;
    }
    const Before& b = undo_.back();
    state_.table.at(b.n) = b.entry;
    screen_.setText(CalcControl::txtAnzeige, b.box);
    state_.ListingText = b.listingText;
    state_.projectRevision.now = b.revision; // as unsaved as the project was then
    const int n = b.n;
    undo_.pop_back();
    ShowOnScreen(n);
}

} // namespace hk
