#pragma once
// Correcting an earlier radiator: the entries that hold a calculation, one
// input of one entry at a time, checked as the calculation command checks
// the field, recalculated with the same conversion and journalled in the
// listing like a second press of "Ergebnis". The corrections of one session
// can be undone, the last first.

#include "calc/calc_form.h"
#include "calc/calc_screen.h"
#include "calc/program_state.h"
#include "common/result.h"

#include <string>
#include <vector>

namespace hk {

// The inputs of an entry that can be corrected, in the listing's order.
enum class CorrectionField { dVorl, dRueckl, RaumNr, RaumVer, dRaum, QRaum, HkTyp };

// The calculation screen's box for the field, whose check and reading the
// correction uses; the type brings its exponent (txtExpon).
CalcControl BoxOf(CorrectionField field);

class RadiatorCorrection {
public:
    // screen is the calculation screen, whose listing box gains the lines.
    RadiatorCorrection(ProgramState& state, CalcScreen& screen, ListingSink& listing)
        : state_(state), screen_(screen), listing_(listing) {}

    // Entries 1 to LfNr (at most 70) that hold a calculation, ascending.
    std::vector<int> Entries() const;

    // Entry n as it stands now.
    const RadiatorEntry& Entry(int n) const { return state_.table.at(n); }

    // The input as the calculation screen's box would hold it.
    std::string FieldText(int n, CorrectionField field) const;

    // Corrects one input of entry n and recalculates the entry. A refusal
    // gives the message to show and changes nothing. For HkTyp the text is
    // the catalogue's display text of the chosen type.
    Result<void, Message> Correct(int n, CorrectionField field, const std::string& text);

    bool CanUndo() const { return !undo_.empty(); }
    // Restores the entry, the listing and the project's revision as they were
    // before the last correction; nothing when there is none.
    void Undo();

private:
    // The calculation screen shows entry LfNr; when that is the entry
    // corrected, its boxes follow, so a later "Ergebnis" keeps the correction.
    void ShowOnScreen(int n);

    struct Before {
        int n;
        RadiatorEntry entry;
        std::string box;
        std::string listingText;
        std::uint64_t revision;
    };

    ProgramState& state_;
    CalcScreen& screen_;
    ListingSink& listing_;
    std::vector<Before> undo_;
};

} // namespace hk
