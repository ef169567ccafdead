#pragma once
// The result listing of the calculation screen: a six-line header block and
// one fixed-width line per calculated radiator, every line ended by CR LF.
// ListingText keeps a copy of the whole listing after every appended line.

#include "calc/calc_screen.h"
#include "calc/program_state.h"

#include <string>
#include <string_view>

namespace hk {

// Texts shared by the screen listing and the printed report.
inline constexpr std::string_view kTitle = "     H e i z f l ä c h e n b e r e c h n u n g";
inline constexpr std::string_view kSubtitle = "            für Temperaturen <> der Norm      ";
inline constexpr std::string_view kReferenceLabel = "            Referenz-Temperatur:";
// The screen's column header and rule, 85 characters each.
inline constexpr std::string_view kColumnHeader =
    "LfNr| dV| dR|R.Nr|Raum-Verw|dI|Q.-R.| Ex |d-M |Fakt|Q-neu|      Heizflächen Typ      ";
inline constexpr std::string_view kColumnRule =
    "----|---|---|----|---------|--|-----|----|----|----|-----|---------------------------";
inline constexpr std::size_t kBlankLineWidth = 68;

// Places text right-aligned in the "@" placeholders of mask; the other
// characters of the mask stay where they are. A text longer than the
// placeholders is not cut: the field grows and later columns move right.
std::string FormatMask(std::string_view mask, std::string_view text);

// The six header lines with their CR LF.
std::string HeaderBlock(std::int16_t dNorm);

// The listing line of entry n, with its CR LF. Throws SubscriptError for n
// outside 1..70.
std::string ListingLine(const RadiatorTable& table, int n);

// Appends header block and lines to the listing box txtAnzeige and keeps
// ListingText equal to the box after every line.
class ResultListing : public ListingSink {
public:
    ResultListing(ProgramState& state, CalcScreen& screen) : state_(state), screen_(screen) {}

    void Anzeigen() override;
    void Ergebn() override;
    void ErgebnOf(int n) override;

private:
    ProgramState& state_;
    CalcScreen& screen_;
};

} // namespace hk
