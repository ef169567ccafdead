#pragma once
// The calculation screen's logic on a fake screen with a listing of the
// test's choice: one object that types into the fields, picks a radiator type
// and presses the buttons, as the user does on the calculation screen.

#include "calc/calc_form.h"
#include "calc/program_state.h"
#include "support/fake_calc_screen.h"

#include <string>
#include <type_traits>

namespace hk::test {

// The six input fields of one radiator as typed.
struct RadiatorTexts {
    std::string dVorl = "70";
    std::string dRueckl = "40";
    std::string RaumNr = "0001";
    std::string RaumVer = "Wohnen";
    std::string dRaum = "20";
    std::string QRaum = "1000";
};

// Listing is built from (state, screen) when it takes them, else empty.
template <class Listing> class CalcRig {
public:
    ProgramState state;
    FakeCalcScreen screen;
    Listing listing = MakeListing();
    CalcForm form{state, screen, listing};

    // Opens the calculation screen with DIN (true) or EN selected.
    explicit CalcRig(bool din = true) { open(din); }
    // A screen that is not opened yet: the test opens or continues it.
    struct NotOpened {};
    explicit CalcRig(NotOpened) {}

    void open(bool din) {
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

private:
    Listing MakeListing() {
        if constexpr (std::is_constructible_v<Listing, ProgramState&, FakeCalcScreen&>) {
            return Listing(state, screen);
        } else {
            return Listing();
        }
    }
};

} // namespace hk::test
