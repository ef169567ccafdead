#pragma once
// A listing that appends one short line per calculated entry to the fake
// screen's listing box and keeps ListingText equal to the box, as the real
// listing does, so that tests can see which entries were journalled.

#include "calc/calc_screen.h"
#include "calc/program_state.h"
#include "support/fake_calc_screen.h"

#include <string>

namespace hk::test {

class JournalListing : public ListingSink {
public:
    JournalListing(ProgramState& s, FakeCalcScreen& screen) : s_(s), screen_(screen) {}
    void Anzeigen() override { screen_.appendText(CalcControl::txtAnzeige, "Kopf\r\n"); }
    void Ergebn() override { ErgebnOf(s_.LfNr); }
    void ErgebnOf(int n) override {
        screen_.appendText(CalcControl::txtAnzeige, "Zeile " + std::to_string(n) + "\r\n");
        s_.ListingText = screen_.text(CalcControl::txtAnzeige);
    }

private:
    ProgramState& s_;
    FakeCalcScreen& screen_;
};

} // namespace hk::test
