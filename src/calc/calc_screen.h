#pragma once
// What the calculation logic needs of the calculation screen Form3. The Qt
// screen implements it with real widgets; the core tests use a small fake.

#include "common/message.h"

#include <string>

namespace hk {

enum class CalcControl {
    optDIN,
    optEN,
    txtdVorl,
    txtdRueckl,
    txtRaumNr,
    txtRaumVer,
    txtdRaum,
    txtQRaum,
    txtExpon,
    txtdMittel,
    txtFaktor,
    txtQHKNeu,
    txtHkTyp,
    Expon,
    txtAnzeige,
    cmdErgebnis,
    cmdNächster,
};

class CalcScreen : public MessageSink {
public:
    // Text of a text box, exactly as held (the listing box with CR LF).
    virtual std::string text(CalcControl c) const = 0;
    virtual void setText(CalcControl c, const std::string& text) = 0;
    // Appends to the end of a text box (the listing box).
    virtual void appendText(CalcControl c, const std::string& text) = 0;
    // Whether an option button is the selected one.
    virtual bool isSelected(CalcControl option) const = 0;
    // Selects an option button (the other one of the pair loses the selection).
    virtual void select(CalcControl option) = 0;
    virtual void setEnabled(CalcControl c, bool enabled) = 0;
    virtual void setVisible(CalcControl c, bool visible) = 0;
    virtual void setFocus(CalcControl c) = 0;
    // The list box Expon.
    virtual void addListItem(const std::string& text) = 0;
    virtual int listIndex() const = 0; // -1 when nothing is selected
    virtual std::string listText() const = 0;
    // Modal: true when the user chose the question's confirm button.
    virtual bool ask(const Question& question) = 0;
};

// The listing operations the calculation command calls after a conversion.
// Implemented by the result listing; declared here so that the calculation
// does not depend on the listing.
class ListingSink {
public:
    virtual ~ListingSink() = default;
    virtual void Anzeigen() = 0; // appends the header block
    virtual void Ergebn() = 0;   // appends the line of entry LfNr
    // Appends the line of entry n, as a correction of that entry does.
    virtual void ErgebnOf(int n) = 0;
};

} // namespace hk
