#pragma once
// The recovery copy: while the project in memory holds work that is not
// saved, a copy of it (the project file's bytes and the check's file) lies in
// the user's state folder, so that a logout, a kill or a power cut does not
// take the radiators with it. Each running program keeps its own copy, named
// after its process; a copy whose program no longer runs is offered at the
// next start.

#include "calc/program_state.h"
#include "common/result.h"
#include "project/file_ops.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hk {

// $XDG_STATE_HOME/hkberech, else ~/.local/state/hkberech (%LOCALAPPDATA%\hkberech
// on Windows); empty when none of the variables is set: then no copies.
std::string RecoveryFolder();

// The copy of the program of process pid in folder.
std::string RecoveryCopyName(const std::string& folder, long long pid);

// A copy's bytes: when it was written ("09.12.2026, 14:32"), the project as
// its file would hold it and the check's file, if the project has check data.
Result<std::string> RecoveryBytes(const ProgramState& state, const std::string& when);

// What a copy holds, read back.
struct Recovered {
    std::string when;
    ProgramState state; // the project, its file name and check data; unsaved
};
// A copy's bytes into a fresh state (the catalogue of radiators is the
// caller's: catalogue radiators of the check are looked up in it). On
// failure the German reason.
Result<Recovered> ReadRecoveryBytes(std::string_view bytes, const TypicalRadiators& radiators);

// The copy of file path read, as ReadRecoveryBytes.
Result<Recovered> ReadRecoveryCopy(FileOps& files, const std::string& path,
                                   const TypicalRadiators& radiators);

// The copies in folder whose program no longer runs, the newest first.
std::vector<std::string> OrphanedRecoveryCopies(const std::string& folder);

// A copy that cannot be read is kept under a name that says so and never
// offered again; the new name, or the German reason it could not be renamed.
Result<std::string> SetRecoveryCopyAside(FileOps& files, const std::string& copy);

// This program's copy, kept in step with the project in memory: written
// whenever the project holds unsaved work it has not written yet, removed
// once nothing is unsaved.
class RecoveryCopy {
public:
    // folder empty: no copy is ever written.
    RecoveryCopy(FileOps& files, std::string folder, long long pid = CurrentProcessId());

    // Cheap when nothing changed since the last call. A failure is answered
    // once per change, not at every call.
    Result<void> keep(const ProgramState& state, const std::string& when);
    // The program ends normally: nothing is left behind.
    void remove();
    const std::string& path() const { return path_; }

private:
    using Revisions = std::array<ProgramState::Revision, 3>;
    FileOps& files_;
    std::string folder_;
    std::string path_;
    Revisions kept_{}; // the revisions of the last copy written or tried
    bool written_ = false;
};

} // namespace hk
