#include "check_form.h"

#include "common/errors.h"
#include "common/numbers.h"
#include "common/text.h"
#include "project/check_file.h"
#include "project/csv_file.h"
#include "project/project_file.h"
#include "project/table_export.h"

#include <cmath>
#include <filesystem>

namespace hk {
namespace {

constexpr std::string_view kNoTarget = "–"; // the target does not convert

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Optional(const std::optional<long long>& v) {
    return v ? WholeText(*v) : std::string(kNoTarget);
}

std::string Pair(int supply, int ret) {
    return std::to_string(supply) + "/" + std::to_string(ret) + " °C";
}

// "1 Raum", "12 Räumen": after "von".
std::string RoomsAfterVon(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " Raum" : " Räumen");
}

// True when the project file last saved or loaded still holds the radiators
// the check's file is tied to (LfNr and every QRaum); a project calculated
// further since then must be saved again, or its check would not load with it.
bool SavedProjectMatches(const ProgramState& state, FileOps& files) {
    if (state.ProjectFile.empty()) {
        return false;
    }
    const auto bytes = ReadWholeFile(files, state.ProjectFile, kMaxProjectFileBytes);
    ProgramState saved;
    if (!bytes || !ReadProjectFile(*bytes, saved) || saved.LfNr != state.LfNr) {
        return false;
    }
    for (int n = 1; n <= RowCount(state.LfNr); ++n) {
        if (saved.table.at(n).QRaum != state.table.at(n).QRaum) {
            return false;
        }
    }
    return true;
}

} // namespace

const std::vector<std::string>& CheckColumnCaptions() {
    static const std::vector<std::string> captions = {"Nr.",
                                                      "Raum-Nr.",
                                                      "Raumverwendung",
                                                      "Raum °C",
                                                      "Q-Raum W",
                                                      "n",
                                                      "Q-Norm W",
                                                      "vorhandener Heizkörper",
                                                      "vorh. Normleistung W",
                                                      "erf. Normleistung W",
                                                      "Q bei Ziel W",
                                                      "Deckung %",
                                                      "min. Vorlauf °C",
                                                      "Vorschlag"};
    return captions;
}

CheckForm::CheckForm(ProgramState& state)
    : state_(state), settings_(state.Check.value_or(CheckSettings{})), kept_(state.Check),
      keptRevision_(state.checkRevision) {
    recompute();
}

std::string CheckForm::cannotRunText() {
    return "Der Wärmepumpen-Check ist nicht möglich, weil für das Projekt keine Norm "
           "(DIN 90/70/20 oder DIN EN 442 75/65/20) gewählt ist.";
}

std::string CheckForm::referenceText() const {
    switch (state_.dNorm) {
    case 60:
        return "Normleistungen bei DIN 90/70/20";
    case 50:
        return "Normleistungen bei DIN EN 442 75/65/20";
    default:
        return "Normleistungen bei einer Norm-Übertemperatur von " + std::to_string(state_.dNorm) +
               " K";
    }
}

Result<void> CheckForm::setTargets(int supply, int ret) {
    if (!ValidTargets(supply, ret)) {
        const std::string why = ret >= supply && supply >= kCheckSupplyMin &&
                                        supply <= kCheckSupplyMax && ret >= kCheckReturnMin &&
                                        ret <= kCheckReturnMax
                                    ? "Der Rücklauf muss unter dem Vorlauf liegen."
                                    : "Vorlauf 30 bis 120 °C, Rücklauf 20 bis 119 °C.";
        return Problem{why + " Es gilt weiter " + Pair(settings_.supply, settings_.ret) + "."};
    }
    settings_.supply = supply;
    settings_.ret = ret;
    changed();
    return {};
}

const RadiatorEntry& CheckForm::entryOf(std::size_t row) const {
    return state_.table.at(result_.rows.at(row).entry);
}

std::string CheckForm::cell(std::size_t row, CheckColumn column) const {
    const CheckRow& r = result_.rows.at(row);
    const RadiatorEntry& e = entryOf(row);
    switch (column) {
    case CheckColumn::Nr:
        return std::to_string(r.entry);
    case CheckColumn::RaumNr:
        return e.RaumNr;
    case CheckColumn::RaumVer:
        return e.RaumVer;
    case CheckColumn::Raum:
        return NumberText(e.dRaum);
    case CheckColumn::QRaum:
        return NumberText(e.QRaum);
    case CheckColumn::Exponent:
        return NumberText(static_cast<float>(r.installed.exponent));
    case CheckColumn::QNorm:
        return NumberText(e.QHKNeu);
    case CheckColumn::Radiator:
        return r.installed.text;
    case CheckColumn::Installed:
        return NumberText(static_cast<float>(r.installed.output));
    case CheckColumn::Required:
        return Optional(r.required);
    case CheckColumn::QAtTarget:
        return Optional(r.qAtTarget);
    case CheckColumn::Coverage:
        return Optional(r.coverage);
    case CheckColumn::MinSupply:
        return r.minSupply ? std::to_string(*r.minSupply) : "> " + std::to_string(kCheckSupplyMax);
    case CheckColumn::Proposal:
        if (!r.wantsProposal) {
            return {};
        }
        return r.proposal ? RadiatorText(r.proposal->radiator, r.proposal->length)
                          : std::string(kNoTarget);
    }
    return {};
}

std::string CheckForm::coverageMark(std::size_t row) const {
    const CheckRow& r = result_.rows.at(row);
    if (!r.coverage) {
        return {};
    }
    // The mark follows the exact comparison: 99,6 % shows as 100 but is short.
    return r.covered ? "✓" : "✗";
}

std::string CheckForm::roomLabel(std::size_t row) const {
    const RadiatorEntry& e = entryOf(row);
    const std::string_view nr = Trimmed(e.RaumNr);
    const std::string_view use = Trimmed(e.RaumVer);
    if (nr.empty() && use.empty()) {
        return "Heizkörper " + std::to_string(result_.rows.at(row).entry);
    }
    const std::string label =
        std::string(nr) + (nr.empty() || use.empty() ? "" : " ") + std::string(use);
    if (CharCount(label) <= kMaxRoomLabelChars) {
        return label;
    }
    std::string cut; // whole characters only, then the ellipsis
    std::size_t pos = 0;
    for (std::size_t n = 0; n < kMaxRoomLabelChars; ++n) {
        AppendUtf8(cut, DecodeUtf8(label, pos));
    }
    return cut + "…";
}

Result<void> CheckForm::setInstalled(std::size_t row, std::string_view text) {
    const int entry = result_.rows.at(row).entry;
    const std::string_view typed = Trimmed(text);
    if (typed.empty()) {
        if (settings_.installed.erase(entry) != 0) {
            changed(); // an editor left empty on an untyped cell changes nothing
        }
        return {};
    }
    // Beyond the double range is no whole number of the range either.
    const auto read = Caught([&] { return IsRegionalNumber(typed) ? RegionalNumber(typed) : 0; });
    const double value = read ? *read : 0;
    if (std::floor(value) != value || value < kInstalledMin || value > kInstalledMax) {
        return Problem{rowName(row) + ": „" + std::string(typed) +
                       "“ ist keine ganze Zahl von 1 bis 99999. Der bisherige Wert bleibt."};
    }
    settings_.installed[entry] = InstalledChoice::Typed(static_cast<int>(value));
    changed();
    return {};
}

Result<void> CheckForm::setRadiator(std::size_t row, std::string_view name, int count) {
    const int entry = result_.rows.at(row).entry;
    if (const auto output = radiatorOutputText(name, count); !output) {
        return Problem{rowName(row) + ": " + output.problem().message};
    }
    settings_.installed[entry] = InstalledChoice::Chosen(std::string(name), count);
    changed();
    return {};
}

Result<std::string> CheckForm::radiatorOutputText(std::string_view name, int count) const {
    const auto radiator = FindRadiator(state_.Radiators, name);
    if (!radiator) {
        return Problem{"„" + std::string(name) + "“ steht nicht im Heizkörperkatalog."};
    }
    if (!ValidCount(*radiator, count)) {
        return Problem{radiator->perMetre ? "Die Länge muss 400 bis 3000 mm in Schritten von 100 "
                                            "betragen."
                                          : "Die Gliederzahl muss 1 bis 60 betragen."};
    }
    const std::string reference = referenceText();
    const std::string norm = reference.substr(reference.find(" bei ") + 1);
    return WholeText(OutputAtReference(*radiator, count, state_.dNorm)) + " W " + norm;
}

std::string CheckForm::rowName(std::size_t row) const {
    return "Heizkörper " + std::to_string(result_.rows.at(row).entry) + " (" + roomLabel(row) + ")";
}

std::vector<std::string> CheckForm::summary() const {
    if (result_.rows.empty()) {
        return {"Kein Heizkörper des Projekts kann geprüft werden: Raumheizlast, Exponent und "
                "Normleistung müssen größer als 0 sein."};
    }
    std::string lowest = "Niedrigste Vorlauftemperatur für alle Räume: ";
    lowest += result_.lowestSupply ? std::to_string(*result_.lowestSupply) + " °C"
                                   : "über " + std::to_string(kCheckSupplyMax) + " °C";
    lowest += " (kritisch: ";
    for (std::size_t i = 0; i < result_.critical.size(); ++i) {
        lowest +=
            (i ? ", Raum " : "Raum ") + roomLabel(static_cast<std::size_t>(result_.critical[i]));
    }
    lowest += ")";

    const std::size_t under = static_cast<std::size_t>(result_.underSupplied);
    const std::string at = " bei " + Pair(settings_.supply, settings_.ret) + " unterversorgt.";
    std::string count;
    if (under == 0) {
        count = "Keiner von " + RoomsAfterVon(rowCount()) + " ist" + at;
    } else {
        count = std::to_string(under) + " von " + RoomsAfterVon(rowCount()) +
                (under == 1 ? " ist" : " sind") + at;
    }
    long long required = 0;
    long long installed = 0;
    for (const CheckRow& r : result_.rows) {
        required += r.required.value_or(0);
        installed += static_cast<long long>(std::floor(r.installed.output + 0.5));
    }
    const std::string sums = "Erforderliche Normleistung bei " +
                             Pair(settings_.supply, settings_.ret) +
                             " gesamt: " + std::to_string(required) + " W (vorhanden " +
                             std::to_string(installed) + " W).";
    return {lowest, count, sums};
}

std::string CheckForm::csv() const {
    // The heading names the columns as a spreadsheet user reads them, not
    // the window's short captions.
    std::vector<std::vector<std::string>> rows = {
        {"Nr", "Raum-Nr", "Raumverwendung", "Raum °C", "Q-Raum W", "Exponent", "Q-Norm W",
         "vorhandener Heizkörper", "vorh. Normleistung W", "erf. Normleistung W", "Q bei Ziel W",
         "Deckung %", "min. Vorlauf °C", "Vorschlag"}};
    for (std::size_t row = 0; row < rowCount(); ++row) {
        std::vector<std::string> line;
        for (int c = 0; c < kCheckColumnCount; ++c) {
            line.push_back(cell(row, static_cast<CheckColumn>(c)));
        }
        rows.push_back(std::move(line));
    }
    return CsvDocument(rows);
}

std::string CheckForm::proposedName(std::string_view extension) const {
    std::string name = ProposedFileName(state_.header[ProjectHeader::ProjektNr], extension);
    name.resize(name.size() - extension.size() - 1); // the extension comes after the target
    return name + " Check " + std::to_string(settings_.supply) + "-" +
           std::to_string(settings_.ret) + "." + std::string(extension);
}

ExportOutcome CheckForm::exportCsv(FileDialogs& dialogs, MessageSink& messages,
                                   FileOps& files) const {
    return ExportFile(
        dialogs, messages, proposedName("csv"), CsvFilter(),
        [this]() -> Result<std::string> { return csv(); }, files);
}

bool CheckForm::save(FileDialogs& dialogs, MessageSink& messages, FileOps& files) {
    state_.Check = settings_;
    if (!SaveCheck(state_, dialogs, messages, files)) {
        return false;
    }
    kept_ = settings_;
    keptRevision_ = state_.checkRevision;
    savedNote_ = SavedCheckNote(state_);
    return true;
}

void CheckForm::discard() {
    state_.Check = kept_;
    state_.checkRevision.restore(keptRevision_);
    settings_ = kept_.value_or(CheckSettings{});
    recompute();
}

std::string SavedCheckNote(const ProgramState& state) {
    return "Gespeichert: " +
           std::filesystem::path(CheckFileName(state.ProjectFile)).filename().string();
}

bool SaveCheck(ProgramState& state, FileDialogs& dialogs, MessageSink& messages, FileOps& files) {
    if (!SavedProjectMatches(state, files)) {
        // The check lives beside a project file: the project is saved first,
        // and that save writes the check's file too.
        const std::string name = mnuItemSave_Click(state, dialogs, messages, files);
        if (name.empty()) {
            return false;
        }
        state.ProjectFile = name;
        state.Saved(); // the project is on the disk now
        return true;
    }
    if (const auto belongs = CheckBesideBelongs(state, state.ProjectFile, files); !belongs) {
        SetCheckAside(state.ProjectFile, belongs.problem(), messages, files);
    }
    if (!WriteCheckFile(state, state.ProjectFile, messages, files).ok()) {
        return false;
    }
    state.CheckSaved();
    return true;
}

void CheckForm::changed() {
    state_.Check = settings_; // the user set something: the check holds data
    state_.CheckChanged();
    recompute();
}

void CheckForm::recompute() {
    result_ = canRun()
                  ? RunCheck(state_.table, state_.LfNr, state_.dNorm, settings_, state_.Radiators)
                  : CheckResult{};
}

} // namespace hk
