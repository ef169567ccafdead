#pragma once
// The calculation screen's logic with a fake screen and the real listing:
// one object that types into the fields, picks a radiator type and presses
// the buttons, as the user does on the calculation screen.

#include "calc/calc_form.h"
#include "calc/program_state.h"
#include "calc/tests/fake_calc_screen.h"
#include "report/listing.h"

#include <string>

namespace hk::test {

struct RadiatorTexts {
    std::string dVorl = "70";
    std::string dRueckl = "40";
    std::string RaumNr = "0001";
    std::string RaumVer = "Wohnen";
    std::string dRaum = "20";
    std::string QRaum = "1000";
};

class CalcDriver {
public:
    ProgramState state;
    FakeCalcScreen screen;
    ResultListing listing{state, screen};
    CalcForm form{state, screen, listing};

    // Opens the calculation screen with DIN (true) or EN selected.
    explicit CalcDriver(bool din = true) {
        screen.dinSelected = din;
        screen.enSelected = !din;
        form.Form_Load();
        // Selecting the option on opening is a click on it.
        if (din) {
            form.optDIN_Click();
        } else {
            form.optEN_Click();
        }
    }

    // Types the six input fields.
    void type(const RadiatorTexts& t) {
        screen.type(CalcControl::txtdVorl, t.dVorl);
        screen.type(CalcControl::txtdRueckl, t.dRueckl);
        screen.type(CalcControl::txtRaumNr, t.RaumNr);
        screen.type(CalcControl::txtRaumVer, t.RaumVer);
        screen.type(CalcControl::txtdRaum, t.dRaum);
        screen.type(CalcControl::txtQRaum, t.QRaum);
    }

    // Clicks catalogue entry index in the list Expon (0-based).
    void chooseType(int index) {
        screen.selectedIndex = index;
        form.Expon_Click();
    }

    void pressErgebnis() { form.cmdErgebnis_Click(); }
    void pressNaechster() { form.cmdNächster_Click(); }

    // Types, picks catalogue entry index and presses "Ergebnis".
    void calculate(const RadiatorTexts& t, int typeIndex = 0) {
        type(t);
        chooseType(typeIndex);
        pressErgebnis();
    }
};

} // namespace hk::test
