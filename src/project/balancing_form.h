#pragma once
// The logic of the window "Hydraulischer Abgleich" (frmAbgleich): the system
// inputs, the valve of all rows and of single rows, the texts of the table,
// the sums, the pump head and the heating curve, the CSV and saving the
// inputs with the check's data beside the project file. It works on the
// entries the heat-pump check checks, each with the installed radiator the
// check uses. The Qt window only shows what this gives.

#include "calc/balancing.h"
#include "calc/heat_pump_check.h"
#include "calc/program_state.h"
#include "common/message.h"
#include "common/result.h"
#include "project/export_command.h"
#include "project/file_commands.h"
#include "project/file_ops.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hk {

// The table's columns, in order; the CSV has the same.
enum class BalancingColumn {
    Nr,
    RaumNr,
    RaumVer,
    Raum,
    QRaum,
    Installed,
    NormOutput,
    Exponent,
    Return,
    Spread,
    Flow,
    Valve, // the one the user may choose per row
    KvNeeded,
    Setting,
    DpValve,
    Note,
};
inline constexpr int kBalancingColumnCount = 16;

inline constexpr std::string_view kBalancingCsvHeading =
    "Nr;Raum-Nr;Raumverwendung;Raum °C;Q-Raum W;vorhandener Heizkörper;Normleistung W;Exponent;"
    "Rücklauf °C;Spreizung K;Volumenstrom l/h;Ventil;kv erf.;Voreinstellung;Δp Ventil mbar;"
    "Hinweis";

// Asked when the window is left with inputs not saved.
inline constexpr std::string_view kBalancingUnsavedQuestion =
    "Die Eingaben des hydraulischen Abgleichs wurden nicht gespeichert. Speichern?";

// The column captions as the window shows them.
const std::vector<std::string>& BalancingColumnCaptions();

// The system inputs.
enum class BalancingBox { Supply, Spread, Dp, Outdoor, Length };

class BalancingForm {
public:
    // Works on the project in state with the valves of the valve table;
    // takes the inputs from state.Balancing, else the defaults (supply and
    // spread from the check's target when there is one).
    BalancingForm(ProgramState& state, std::vector<Valve> valves);

    // False when the project has no reference (dNorm 0), or no valve could be
    // read: then only cannotRunText() is shown.
    bool canRun() const;
    std::string cannotRunText() const;
    // "Normleistungen bei DIN 90/70/20 (Θn = 59,44 K)".
    std::string referenceText() const;
    // A note on a valve of the saved inputs the valve table no longer holds;
    // empty when there is none.
    const std::string& valveNote() const { return valveNote_; }

    int input(BalancingBox box) const;
    // A whole number within the box's range; otherwise the German note and
    // the last valid value stays.
    Result<void> setInput(BalancingBox box, int value);
    // "Vorlauf °C (30 bis 90)": the box's caption and range.
    static std::string inputCaption(BalancingBox box);

    const std::vector<Valve>& valves() const { return valves_; }
    // The valve of all rows.
    const std::string& valve() const { return settings_.valve; }
    Result<void> setValve(std::string_view name);
    // The valve of one row; choosing the valve of all rows drops the row's own.
    const std::string& rowValve(std::size_t row) const;
    Result<void> setRowValve(std::size_t row, std::string_view name);

    std::size_t rowCount() const { return result_.rows.size(); }
    const BalancingResult& result() const { return result_; }
    std::string cell(std::size_t row, BalancingColumn column) const;

    // The lines under the table: sums, heat generator, pump head.
    std::vector<std::string> summary() const;
    // The heating curve: "Außen °C", "Vorlauf °C", "Rücklauf °C" a point.
    std::vector<std::vector<std::string>> curveTable() const;
    // "Steilheit der Heizkurve: 1,09".
    std::string slopeText() const;
    static std::string methodText();

    std::string csv() const;
    // "Projekt <Nr.> Abgleich.<extension>".
    std::string proposedName(std::string_view extension) const;
    ExportOutcome exportCsv(FileDialogs& dialogs, MessageSink& messages,
                            FileOps& files = SystemFileOps()) const;

    // Inputs changed since they were last written or read.
    bool unsaved() const { return state_.balancingRevision.unsaved(); }
    // "Speichern": the inputs go into the check's file beside the project
    // file (the project is saved first when it has no file yet or was
    // calculated further). False when nothing was saved.
    bool save(FileDialogs& dialogs, MessageSink& messages, FileOps& files = SystemFileOps());
    // Closing without saving: the project in memory gets back the inputs it
    // had when the form was made or last saved.
    void discard();
    // Made afresh for a change of the same project: closing without saving
    // still goes back to what before had.
    void keepFrom(const BalancingForm& before) {
        kept_ = before.kept_;
        keptRevision_ = before.keptRevision_;
    }

private:
    const Valve* valveOf(int entry) const;
    void changed();
    void recompute();

    ProgramState& state_;
    std::vector<Valve> valves_;
    BalancingSettings settings_;
    std::optional<BalancingSettings> kept_; // state.Balancing when made or last saved
    ProgramState::Revision keptRevision_;   // state.balancingRevision with kept_
    std::string valveNote_;
    std::vector<int> entries_;
    std::vector<InstalledRadiator> installed_;
    BalancingResult result_;
};

} // namespace hk
