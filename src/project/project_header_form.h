#pragma once
// The logic of the project data screen Form2: taking the eleven boxes over
// into the project header and the presence check before the calculation.

#include "calc/program_state.h"
#include "common/message.h"

#include <string>
#include <string_view>

namespace hk {

inline constexpr std::string_view kTitleEingabeFehlt = "Eingabe fehlt";

class HeaderScreen : public MessageSink {
public:
    // Text of txtPersDat<n>, n = 1..11.
    virtual std::string fieldText(int n) const = 0;
    virtual void focusField(int n) = 0;
};

class HeaderForm {
public:
    HeaderForm(ProgramState& state, HeaderScreen& screen) : state_(state), screen_(screen) {}

    // "Weiter": takes the boxes over, then checks that at least one of
    // project number, person in charge and date is filled (blanks count as
    // filled). Returns true when the calculation screen is to be opened.
    bool cmdWeiter_Click();

private:
    // Copies txtPersDat1..11 into fields 1..11 of the header.
    void PersDatUebernehmen();
    // The reaction to a failed presence check. The boxes keep what the user
    // typed; the box says what is missing and the focus goes to the first
    // field.
    void Pruefen();

    ProgramState& state_;
    HeaderScreen& screen_;
};

} // namespace hk
