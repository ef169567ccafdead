#pragma once
// The state of one run of the program: project header, radiator table with
// its entry counter, reference value and listing text. One object, owned by
// main and handed to the screens by reference; each test makes a fresh one.

#include "calc/radiator_table.h"
#include "common/project_header.h"

#include <cstdint>
#include <string>

namespace hk {

struct ProgramState {
    ProjectHeader header;
    RadiatorTable table;
    std::int16_t LfNr = 0;   // entry the calculation screen works on
    std::int16_t dNorm = 0;  // reference mean excess temperature, K: 60 DIN, 50 EN, 0 none
    std::string ListingText; // copy of the whole result listing, CR LF line ends
    // A radiator was calculated or corrected since the last save or load:
    // ending the program now would lose it.
    bool unsavedCalculations = false;

    bool operator==(const ProgramState&) const = default;
};

} // namespace hk
