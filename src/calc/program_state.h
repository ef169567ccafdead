#pragma once
// The state of one run of the program: project header, radiator table with
// its entry counter, reference value and listing text, and what lives beside
// the project file (the heat-pump check's settings). One object, owned by
// main and handed to the screens by reference; each test makes a fresh one.

#include "calc/balancing.h"
#include "calc/heat_pump_check.h"
#include "calc/radiator_table.h"
#include "common/project_header.h"

#include <cstdint>
#include <optional>
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
    // The file the project was last saved to or loaded from; empty: never.
    std::string ProjectFile;
    // The heat-pump check's data, once the user set something in the check or
    // it was read from beside the project file; written beside the project
    // file on every save while it holds a value.
    std::optional<CheckSettings> Check;
    // The hydraulic balancing's inputs, once the user set one or they were
    // read from beside the project file; written in the check's file.
    std::optional<BalancingSettings> Balancing;
    // The check's data changed since it was last saved or loaded.
    bool unsavedCheck = false;
    // The catalogue of typical radiators in force (shipped table and the
    // user's file), read when the program starts and when the check opens.
    TypicalRadiators Radiators;

    bool operator==(const ProgramState&) const = default;
};

} // namespace hk
