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
    // project (a calculation, a correction), of the check's data (a typed
    // output or target) or of the balancing's inputs; each pair holds the
    // revision last written or loaded. Unsaved work is a difference, so an
    // undo back to what was written is saved and an undo past a save is not.
    struct Revision {
        std::uint64_t now = 0;
        std::uint64_t written = 0;
        bool unsaved() const { return now != written; }
        // A window closed without saving puts back what it had when it
        // opened: saved as it was then, unless something was written since
        // (perhaps what is given up now), so memory and file differ.
        void restore(const Revision& kept) {
            if (written == kept.written) {
                *this = kept;
            } else {
                now = NextRevision();
            }
        }
        bool operator==(const Revision&) const = default;
    };
    Revision projectRevision;
    Revision checkRevision;
    Revision balancingRevision;

    bool ProjectUnsaved() const { return projectRevision.unsaved(); }
    // The check's file holds the check's data and the balancing's inputs.
    bool CheckUnsaved() const { return checkRevision.unsaved() || balancingRevision.unsaved(); }
    bool Unsaved() const { return ProjectUnsaved() || CheckUnsaved(); }
    void Changed() { projectRevision.now = NextRevision(); }
    void CheckChanged() { checkRevision.now = NextRevision(); }
    void BalancingChanged() { balancingRevision.now = NextRevision(); }
    void CheckSaved() {
        checkRevision.written = checkRevision.now;
        balancingRevision.written = balancingRevision.now;
    }
    void ProjectSaved() { projectRevision.written = projectRevision.now; }
    void Saved() {
        ProjectSaved();
        CheckSaved();
    }
    // Nothing of the check's file in memory is unsaved (it was just read, or
    // there is none).
    void CheckClean() {
        checkRevision = {};
        balancingRevision = {};
    }
    // A new project begins: the check's data and the file of the project
    // before are not its, and what was not saved of them is given up. The
    // catalogue of typical radiators stays: it belongs to the program.
    void BeginNewProject() {
        Check.reset();
        Balancing.reset();
        CheckClean();
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
