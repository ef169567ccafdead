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

// A number no change of this run had before; one counter for every state, so
// an undo that puts an old revision back can never meet a later change's.
inline std::uint64_t NextRevision() {
    static std::uint64_t given = 0;
    return ++given;
}

struct ProgramState {
    ProjectHeader header;
    RadiatorTable table;
    std::int16_t LfNr = 0;   // entry the calculation screen works on
    std::int16_t dNorm = 0;  // reference mean excess temperature, K: 60 DIN, 50 EN, 0 none
    std::string ListingText; // copy of the whole result listing, CR LF line ends
    // Every change in memory gets a revision never given before, of the
    // project (a calculation, a correction) or of the check's data (a typed
    // output or target); each pair holds the revision last written or
    // loaded. Unsaved work is a difference, so an undo back to what was
    // written is saved and an undo past a save is not.
    struct Revision {
        std::uint64_t now = 0;
        std::uint64_t written = 0;
        bool operator==(const Revision&) const = default;
    };
    Revision projectRevision;
    Revision checkRevision;

    bool ProjectUnsaved() const { return projectRevision.now != projectRevision.written; }
    bool CheckUnsaved() const { return checkRevision.now != checkRevision.written; }
    bool Unsaved() const { return ProjectUnsaved() || CheckUnsaved(); }
    void Changed() { projectRevision.now = NextRevision(); }
    void CheckChanged() { checkRevision.now = NextRevision(); }
    void CheckSaved() { checkRevision.written = checkRevision.now; }
    void ProjectSaved() { projectRevision.written = projectRevision.now; }
    void Saved() {
        ProjectSaved();
        CheckSaved();
    }
    // A new project begins: the check's data and the file of the project
    // before are not its, and what was not saved of them is given up. The
    // catalogue of typical radiators stays: it belongs to the program.
    void BeginNewProject() {
        Check.reset();
        Balancing.reset();
        checkRevision = {};
        ProjectFile.clear();
    }
    // The file the project was last saved to or loaded from; empty: never.
    std::string ProjectFile;
    // The heat-pump check's data, once the user set something in the check or
    // it was read from beside the project file; written beside the project
    // file on every save while it holds a value.
    std::optional<CheckSettings> Check;
    // The hydraulic balancing's inputs, once the user set one or they were
    // read from beside the project file; written in the check's file.
    std::optional<BalancingSettings> Balancing;
    // The catalogue of typical radiators in force (shipped table and the
    // user's file), read when the program starts and when the check opens.
    TypicalRadiators Radiators;

    bool operator==(const ProgramState&) const = default;
};

} // namespace hk
