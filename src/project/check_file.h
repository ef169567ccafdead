#pragma once
// The heat-pump check's own file beside the project file. The project file
// keeps the layout older readers know; what it cannot hold goes into
// "<name>.check.json", UTF-8 JSON:
//
//   {"format": "hkberech-check", "version": 2, "supply": 55, "return": 45,
//    "project": {"LfNr": 12, "QRaum": [1500, 1000, ...], "dRaum": [20, 24, ...],
//                "Exponent": [1.3, 1.26, ...], "HkTyp": ["DIN Guss- Radiator ...", ...]},
//    "installed": [{"entry": 1, "output": 1200},
//                  {"entry": 3, "radiator": "Typ 22 · 600", "length": 1000},
//                  {"entry": 4, "radiator": "Guss 600/160", "sections": 12}, ...],
//    "balancing": {...}}
//
// The project part lists entries 1 to min(LfNr, 70) and ties the file to its
// project; a file written before it held more than QRaum is tied by QRaum
// alone. Version 1 knew typed outputs only; it is still read. A radiator must
// be in the catalogue in force (state.Radiators). Keys other than these are
// ignored when reading.

#include "calc/program_state.h"
#include "common/message.h"
#include "common/result.h"
#include "project/file_ops.h"

#include <optional>
#include <string>
#include <string_view>

namespace hk {

inline constexpr std::string_view kCheckFileFormat = "hkberech-check";
inline constexpr int kCheckFileVersion = 2; // written; 1 and 2 are read
// A check file is a few kilobytes; anything beyond this is none.
inline constexpr std::size_t kMaxCheckFileBytes = 1024u * 1024u;

inline constexpr std::string_view kTitleCheck = "Wärmepumpen-Check";
inline constexpr std::string_view kTitleBalancing = "Hydraulischer Abgleich";

// "HAUS.TXT" -> "HAUS.TXT.check.json": the whole name, so that HAUS.TXT and
// HAUS.DAT in one folder keep a check each.
std::string CheckFileName(const std::string& projectFile);
// The name older versions wrote, "HAUS.TXT" -> "HAUS.check.json": read only
// when the file under the new name is missing and it fits the project.
std::string OldCheckFileName(const std::string& projectFile);

// The file's bytes for settings and the project in state.
std::string CheckFileBytes(const ProgramState& state, const CheckSettings& settings);

// Reads a check file against the project in state: the settings, or the
// German reason why the file cannot be used ("sie gehört nicht zu diesem
// Projekt").
Result<CheckSettings> ReadCheckFile(std::string_view bytes, const ProgramState& state);

// The hydraulic balancing's inputs in a check file, the key "balancing":
//   {"supply": 55, "spread": 10, "dp_mbar": 100, "outdoor": -12,
//    "length_m": 30, "valve": "…", "valves": [{"entry": 3, "valve": "…"}]}
// nullopt when the file has none; the German reason when it cannot be used
// (the check's part of the file is read on its own).
Result<std::optional<BalancingSettings>> ReadBalancingPart(std::string_view bytes,
                                                           const ProgramState& state);

// Writes state.Check beside the project file projectFile with the safe
// replace; a failure is reported in a German message box and answered as the
// Problem, and then nothing was written.
Result<void> WriteCheckFile(const ProgramState& state, const std::string& projectFile,
                            MessageSink& messages, FileOps& files);

// After a project was loaded from state.ProjectFile: reads the file beside it
// into state.Check. A missing file is no message; a file that cannot be used
// gets one message naming it and the reason, and state.Check stays empty
// (the file on disk is not touched).
void ReadCheckBeside(ProgramState& state, MessageSink& messages, FileOps& files);

// Before projectFile is replaced by the project in state: whether the check
// file beside it belongs to that project (none there, or the same project
// saved again and the file fits what is on the disk); if not, why.
Result<void> CheckBesideBelongs(const ProgramState& state, const std::string& projectFile,
                                FileOps& files);

// Keeps the check file beside projectFile, which CheckBesideBelongs refused
// for why, under a name that says so (another project's, or unreadable),
// and tells the user once.
void SetCheckAside(const std::string& projectFile, const Problem& why, MessageSink& messages,
                   FileOps& files);

} // namespace hk
