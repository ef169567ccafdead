#pragma once
// The logic of the heat-pump check window frmCheck: the target temperatures
// and the installed radiators the user types or chooses from the catalogue,
// the texts of the table, the summary and the chart, and saving the check
// beside the project file. The Qt window only shows what this gives and
// passes on what the user does.

#include "calc/heat_pump_check.h"
#include "calc/program_state.h"
#include "common/message.h"
#include "common/result.h"
#include "project/export_command.h"
#include "project/file_commands.h"
#include "project/file_ops.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hk {

// The table's columns, in order.
enum class CheckColumn {
    Nr,
    RaumNr,
    RaumVer,
    Raum,
    QRaum,
    Exponent,
    QNorm,     // the radiator the project sized
    Radiator,  // "Typ 22 · 600 × 1000", "eingegeben", "ausgelegt"
    Installed, // the one the user edits
    Required,  // norm output needed at the target
    QAtTarget,
    Coverage,
    MinSupply,
    Proposal,
};
inline constexpr int kCheckColumnCount = 14;

// How the check converts, said under the table and in the PDF.
inline constexpr std::string_view kCheckMethodLine =
    "Umrechnung je Heizkörper mit seinem Exponenten n; mittlere Übertemperatur arithmetisch ab "
    "Verhältnis 0,7, sonst logarithmisch.";
// Asked when the window or the program is left with check values not saved.
inline constexpr std::string_view kCheckUnsavedQuestion =
    "Die Prüfwerte wurden nicht gespeichert. Speichern?";

// The column captions as the window shows them.
const std::vector<std::string>& CheckColumnCaptions();

class CheckForm {
public:
    // Works on the project in state; takes the check's data from state.Check
    // (or the defaults 55/45 and no typed outputs).
    explicit CheckForm(ProgramState& state);

    // False when the project has no reference (dNorm 0): then only
    // cannotRunText() is shown, and no table.
    bool canRun() const { return state_.dNorm > 0; }
    static std::string cannotRunText();
    // "Normleistungen bei DIN 90/70/20" or "... bei DIN EN 442 75/65/20".
    std::string referenceText() const;

    int supply() const { return settings_.supply; }
    int ret() const { return settings_.ret; }
    // Sets the target pair; a pair the check does not accept gives the German
    // note to show beside the boxes, and the last valid pair stays in force.
    Result<void> setTargets(int supply, int ret);

    std::size_t rowCount() const { return result_.rows.size(); }
    const CheckResult& result() const { return result_; }
    const RadiatorEntry& entryOf(std::size_t row) const;

    // The text of one cell, numbers as the listing writes them, "–" where the
    // target does not convert, "> 120" above the range. No marks.
    std::string cell(std::size_t row, CheckColumn column) const;
    // The mark beside the coverage: "✓" covered, "✗" not, empty for "–".
    std::string coverageMark(std::size_t row) const;
    // "0012 Bad": room number and use, for the chart and the summary; cut
    // after kMaxRoomLabelChars characters with "…" (a file written by hand
    // may hold texts of thousands of characters).
    std::string roomLabel(std::size_t row) const;
    static constexpr std::size_t kMaxRoomLabelChars = 40;

    // A typed installed output: a whole number 1 to 99999 in German format;
    // the empty text takes the radiator the project sized again. Anything
    // else gives the German note naming the row, and the cell keeps its value.
    Result<void> setInstalled(std::size_t row, std::string_view text);
    // A radiator of the catalogue with its length in mm or its sections.
    Result<void> setRadiator(std::size_t row, std::string_view name, int count);
    // The catalogue in force.
    const TypicalRadiators& radiators() const { return state_.Radiators; }
    // "1784 W bei DIN 90/70/20": what the radiator gives at the project's
    // reference, or the German reason the count does not fit it.
    Result<std::string> radiatorOutputText(std::string_view name, int count) const;

    // The three sentences under the table.
    std::vector<std::string> summary() const;

    // The check as a CSV file for a spreadsheet: byte order mark, the
    // heading, one line a checked entry with the cells' texts; no summary.
    std::string csv() const;
    // "Als CSV…": the save dialog proposing "Wärmepumpen-Check Projekt
    // <Nr.>.csv", then the file.
    ExportOutcome exportCsv(FileDialogs& dialogs, MessageSink& messages,
                            FileOps& files = SystemFileOps()) const;
    // The name proposed for an export of the check with the extension:
    // "Projekt <Nr.> Check 55-45.pdf".
    std::string proposedName(std::string_view extension) const;

    // "Speichern": writes the check beside the project file; a project never
    // saved yet, or calculated further since its file was written, is saved
    // first through the ordinary save dialog (which writes the check's file
    // beside it). False when nothing was saved.
    bool save(FileDialogs& dialogs, MessageSink& messages, FileOps& files = SystemFileOps());
    // "Gespeichert: HAUS.check.json" after a save; empty before.
    const std::string& savedNote() const { return savedNote_; }
    // The user set something since the check was last saved or loaded.
    bool unsaved() const { return state_.checkRevision.unsaved(); }
    // "Verwerfen": back to the values the window opened with or last saved.
    void discard();
    // Made afresh for a change of the same project: "Verwerfen" still goes
    // back to what before had.
    void keepFrom(const CheckForm& before) {
        kept_ = before.kept_;
        keptRevision_ = before.keptRevision_;
    }

private:
    void changed();
    void recompute();
    std::string rowName(std::size_t row) const;

    ProgramState& state_;
    CheckSettings settings_;
    CheckResult result_;
    std::optional<CheckSettings> kept_;   // state.Check as saved or loaded
    ProgramState::Revision keptRevision_; // state.checkRevision with kept_
    std::string savedNote_;
};

// Saves the check in state beside its project file, the project first when
// it is not on the disk as it stands (see CheckForm::save).
// "Gespeichert: HAUS.TXT.check.json": where a save of the check's file of
// the project in state wrote.
std::string SavedCheckNote(const ProgramState& state);

bool SaveCheck(ProgramState& state, FileDialogs& dialogs, MessageSink& messages, FileOps& files);

} // namespace hk
