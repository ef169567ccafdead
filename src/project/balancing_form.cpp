#include "balancing_form.h"

#include "calc/valve_table.h"
#include "common/numbers.h"
#include "project/check_file.h"
#include "project/check_form.h"
#include "project/csv_file.h"
#include "project/table_export.h"

#include <algorithm>
#include <cmath>

namespace hk {
namespace {

constexpr std::string_view kNone = "–";

long long RoundWhole(double x) { return static_cast<long long>(std::floor(x + 0.5)); }

struct BoxRange {
    const char* caption;
    const char* unit;
    int lo, hi;
};

BoxRange RangeOf(BalancingBox box) {
    switch (box) {
    case BalancingBox::Supply:
        return {"Vorlauf", "°C", kBalanceSupplyMin, kBalanceSupplyMax};
    case BalancingBox::Spread:
        return {"Spreizung", "K", kBalanceSpreadMin, kBalanceSpreadMax};
    case BalancingBox::Dp:
        return {"Differenzdruck am Ventil", "mbar", kBalanceDpMin, kBalanceDpMax};
    case BalancingBox::Outdoor:
        return {"Norm-Außentemperatur", "°C", kBalanceOutdoorMin, kBalanceOutdoorMax};
    case BalancingBox::Length:
        break;
    }
    return {"Längster Heizkreis", "m", kBalanceLengthMin, kBalanceLengthMax};
}

int& FieldOf(BalancingSystem& s, BalancingBox box) {
    switch (box) {
    case BalancingBox::Supply:
        return s.supply;
    case BalancingBox::Spread:
        return s.spread;
    case BalancingBox::Dp:
        return s.dpMbar;
    case BalancingBox::Outdoor:
        return s.outdoor;
    case BalancingBox::Length:
        break;
    }
    return s.lengthM;
}

// The defaults before the user set anything: the check's target pair where it
// lies within the balancing's ranges.
BalancingSettings Defaults(const ProgramState& state) {
    BalancingSettings s;
    if (state.Check) {
        const int spread = state.Check->supply - state.Check->ret;
        if (state.Check->supply >= kBalanceSupplyMin && state.Check->supply <= kBalanceSupplyMax) {
            s.system.supply = state.Check->supply;
        }
        if (spread >= kBalanceSpreadMin && spread <= kBalanceSpreadMax) {
            s.system.spread = spread;
        }
    }
    return s;
}

} // namespace

const std::vector<std::string>& BalancingColumnCaptions() {
    static const std::vector<std::string> captions = {"Nr.",
                                                      "Raum-Nr.",
                                                      "Raumverwendung",
                                                      "Raum °C",
                                                      "Q-Raum W",
                                                      "vorhandener Heizkörper",
                                                      "Normleistung W",
                                                      "n",
                                                      "Rücklauf °C",
                                                      "Spreizung K",
                                                      "Volumenstrom l/h",
                                                      "Ventil",
                                                      "kv erf.",
                                                      "Voreinstellung",
                                                      "Δp Ventil mbar",
                                                      "Hinweis"};
    return captions;
}

BalancingForm::BalancingForm(ProgramState& state, std::vector<Valve> valves)
    : state_(state), valves_(std::move(valves)),
      settings_(state.Balancing.value_or(Defaults(state))), kept_(state.Balancing),
      keptRevision_(state.balancingRevision) {
    if (!valves_.empty()) {
        if (!settings_.valve.empty() && FindValve(valves_, settings_.valve) == nullptr) {
            valveNote_ = "Das gespeicherte Ventil „" + settings_.valve +
                         "“ steht nicht in der Ventiltabelle; es gilt „" + valves_.front().name +
                         "“.";
            settings_.valve.clear();
        }
        if (settings_.valve.empty()) {
            settings_.valve = valves_.front().name;
        }
    }
    if (canRun()) {
        entries_ = CheckedEntries(state_.table, state_.LfNr);
        const CheckSettings check = state_.Check.value_or(CheckSettings{});
        for (const int entry : entries_) {
            installed_.push_back(
                InstalledOf(state_.table, entry, state_.dNorm, check, state_.Radiators));
        }
    }
    recompute();
}

bool BalancingForm::canRun() const { return state_.dNorm > 0 && !valves_.empty(); }

std::string BalancingForm::cannotRunText() const {
    if (state_.dNorm <= 0) {
        return "Der hydraulische Abgleich ist nicht möglich, weil für das Projekt keine Norm "
               "(DIN 90/70/20 oder DIN EN 442 75/65/20) gewählt ist.";
    }
    return "Der hydraulische Abgleich ist nicht möglich, weil die Ventiltabelle kein Ventil "
           "enthält.";
}

std::string BalancingForm::referenceText() const {
    const std::string excess = "Θn = " + DecimalText(NormExcess(state_.dNorm), 2) + " K";
    switch (state_.dNorm) {
    case 60:
        return "Normleistungen bei DIN 90/70/20 (" + excess + ")";
    case 50:
        return "Normleistungen bei DIN EN 442 75/65/20 (" + excess + ")";
    default:
        return "Normleistungen bei " + excess;
    }
}

int BalancingForm::input(BalancingBox box) const {
    BalancingSystem s = settings_.system;
    return FieldOf(s, box);
}

std::string BalancingForm::inputCaption(BalancingBox box) {
    const BoxRange r = RangeOf(box);
    return std::string(r.caption) + " " + r.unit + " (" + std::to_string(r.lo) + " bis " +
           std::to_string(r.hi) + ")";
}

Result<void> BalancingForm::setInput(BalancingBox box, int value) {
    const BoxRange r = RangeOf(box);
    int& field = FieldOf(settings_.system, box);
    if (value < r.lo || value > r.hi) {
        return Problem{std::string(r.caption) + ": " + std::to_string(r.lo) + " bis " +
                       std::to_string(r.hi) + " " + r.unit + ". Es gilt weiter " +
                       std::to_string(field) + " " + r.unit + "."};
    }
    if (field != value) {
        field = value;
        changed();
    }
    return {};
}

Result<void> BalancingForm::setValve(std::string_view name) {
    if (FindValve(valves_, name) == nullptr) {
        return Problem{"Das Ventil „" + std::string(name) + "“ steht nicht in der Ventiltabelle."};
    }
    if (settings_.valve != name) {
        settings_.valve = std::string(name);
        std::erase_if(settings_.valves, [&](const auto& v) { return v.second == name; });
        changed();
    }
    return {};
}

const std::string& BalancingForm::rowValve(std::size_t row) const {
    const auto own = settings_.valves.find(result_.rows.at(row).entry);
    return own == settings_.valves.end() ? settings_.valve : own->second;
}

Result<void> BalancingForm::setRowValve(std::size_t row, std::string_view name) {
    const int entry = result_.rows.at(row).entry;
    if (FindValve(valves_, name) == nullptr) {
        return Problem{"Das Ventil „" + std::string(name) + "“ steht nicht in der Ventiltabelle."};
    }
    if (rowValve(row) == name) {
        return {};
    }
    if (name == settings_.valve) {
        settings_.valves.erase(entry);
    } else {
        settings_.valves[entry] = std::string(name);
    }
    changed();
    return {};
}

const Valve* BalancingForm::valveOf(int entry) const {
    const auto own = settings_.valves.find(entry);
    if (own != settings_.valves.end()) {
        if (const Valve* v = FindValve(valves_, own->second)) {
            return v;
        }
    }
    return FindValve(valves_, settings_.valve);
}

std::string BalancingForm::cell(std::size_t row, BalancingColumn column) const {
    const BalancingRow& r = result_.rows.at(row);
    const RadiatorEntry& e = state_.table.at(r.entry);
    const InstalledRadiator& installed = installed_.at(row);
    const Valve* valve = valveOf(r.entry);
    switch (column) {
    case BalancingColumn::Nr:
        return std::to_string(r.entry);
    case BalancingColumn::RaumNr:
        return e.RaumNr;
    case BalancingColumn::RaumVer:
        return e.RaumVer;
    case BalancingColumn::Raum:
        return NumberText(e.dRaum);
    case BalancingColumn::QRaum:
        return NumberText(e.QRaum);
    case BalancingColumn::Installed:
        return installed.text;
    case BalancingColumn::NormOutput:
        return WholeText(RoundWhole(installed.output));
    case BalancingColumn::Exponent:
        return NumberText(static_cast<float>(installed.exponent));
    case BalancingColumn::Return:
        return DecimalText(r.ret, 1);
    case BalancingColumn::Spread:
        return DecimalText(r.spread, 1);
    case BalancingColumn::Flow:
        return WholeText(r.flowLh);
    case BalancingColumn::Valve:
        return valve ? valve->name : std::string(kNone);
    case BalancingColumn::KvNeeded:
        return DecimalText(r.kvNeeded, 3);
    case BalancingColumn::Setting:
        return valve && r.setting ? valve->settings.at(*r.setting).label : std::string(kNone);
    case BalancingColumn::DpValve:
        return r.dpValve ? WholeText(*r.dpValve) : std::string(kNone);
    case BalancingColumn::Note: {
        std::string notes;
        for (const std::string& n : r.notes) {
            notes += (notes.empty() ? "" : "; ") + n;
        }
        return notes;
    }
    }
    return {};
}

std::vector<std::string> BalancingForm::summary() const {
    if (result_.rows.empty()) {
        return {"Kein Heizkörper des Projekts kann abgeglichen werden: Raumheizlast, Exponent und "
                "Normleistung müssen größer als 0 sein."};
    }
    const BalancingSystem& s = settings_.system;
    const std::string load = WholeText(RoundWhole(result_.loadSum));
    std::vector<std::string> lines = {
        "Summe Raumheizlast: " + load + " W; Summe Volumenstrom: " + WholeText(result_.flowSumLh) +
            " l/h = " + DecimalText(static_cast<double>(result_.flowSumLh) / 1000, 3) + " m³/h",
        "Erforderliche Leistung des Wärmeerzeugers: " + load +
            " W (Summe der Raumheizlasten) bei " + std::to_string(s.supply) + "/" +
            std::to_string(s.supply - s.spread) + " °C"};
    if (result_.pumpHead) {
        lines.push_back("Förderhöhe der Pumpe geschätzt: " + DecimalText(*result_.pumpHead, 1) +
                        " m = Rohrnetz 2 × " + std::to_string(s.lengthM) +
                        " m × 100 Pa/m × 2,5 (Zuschlag für Einzelwiderstände) = " +
                        DecimalText(*result_.pipeHead, 1) + " m, zuzüglich größter Δp Ventil " +
                        WholeText(result_.maxDpValve) + " mbar (1 m ≈ 10 kPa)");
    } else {
        lines.push_back("Förderhöhe der Pumpe: keine Schätzung (Länge des längsten Heizkreises "
                        "nicht angegeben)");
    }
    return lines;
}

std::vector<std::vector<std::string>> BalancingForm::curveTable() const {
    std::vector<std::vector<std::string>> rows;
    for (const CurvePoint& p : result_.curve) {
        rows.push_back({std::to_string(p.outdoor), WholeText(RoundWhole(p.supply)),
                        WholeText(RoundWhole(p.ret))});
    }
    return rows;
}

std::string BalancingForm::slopeText() const {
    return "Steilheit der Heizkurve: " + DecimalText(result_.slope, 2) + " (Vorlauf " +
           std::to_string(settings_.system.supply) + " °C bei " +
           std::to_string(settings_.system.outdoor) + " °C außen, Raum 20 °C)";
}

std::string BalancingForm::methodText() {
    return "Raumweise Berechnung aus den Raumheizlasten des Projekts; Rücklauftemperatur je "
           "Heizkörper aus seiner Normleistung und seinem Exponenten.";
}

std::string BalancingForm::csv() const {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> heading;
    std::string_view rest = kBalancingCsvHeading;
    for (std::size_t semi; (semi = rest.find(';')) != std::string_view::npos;
         rest = rest.substr(semi + 1)) {
        heading.emplace_back(rest.substr(0, semi));
    }
    heading.emplace_back(rest);
    rows.push_back(std::move(heading));
    for (std::size_t row = 0; row < rowCount(); ++row) {
        std::vector<std::string> line;
        for (int c = 0; c < kBalancingColumnCount; ++c) {
            line.push_back(cell(row, static_cast<BalancingColumn>(c)));
        }
        rows.push_back(std::move(line));
    }
    return CsvDocument(rows);
}

std::string BalancingForm::proposedName(std::string_view extension) const {
    std::string name = ProposedFileName(state_.header[ProjectHeader::ProjektNr], extension);
    std::string dot = ".";
    dot += extension;
    return name.substr(0, name.size() - dot.size()) + " Abgleich" + dot;
}

ExportOutcome BalancingForm::exportCsv(FileDialogs& dialogs, MessageSink& messages,
                                       FileOps& files) const {
    return ExportFile(
        dialogs, messages, proposedName("csv"), CsvFilter(),
        [this]() -> Result<std::string> { return csv(); }, files);
}

bool BalancingForm::save(FileDialogs& dialogs, MessageSink& messages, FileOps& files) {
    state_.Balancing = settings_;
    const bool saved = SaveCheck(state_, dialogs, messages, files);
    if (saved) {
        kept_ = state_.Balancing;
        keptRevision_ = state_.balancingRevision;
    }
    return saved;
}

void BalancingForm::discard() {
    state_.Balancing = kept_;
    state_.balancingRevision.restore(keptRevision_);
    settings_ = kept_.value_or(Defaults(state_));
    if (!valves_.empty() && FindValve(valves_, settings_.valve) == nullptr) {
        settings_.valve = valves_.front().name; // as when the form was made
    }
    recompute();
}

void BalancingForm::changed() {
    state_.Balancing = settings_; // the user set something: saved with the project
    state_.BalancingChanged();    // written in the check's file, so unsaved there
    recompute();
}

void BalancingForm::recompute() {
    if (!canRun()) {
        result_ = {};
        return;
    }
    std::vector<BalancingInput> inputs;
    inputs.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const RadiatorEntry& e = state_.table.at(entries_[i]);
        inputs.push_back({entries_[i], e.dRaum, e.QRaum, installed_[i].output,
                          installed_[i].exponent, valveOf(entries_[i])});
    }
    result_ = Balance(inputs, state_.dNorm, settings_.system);
}

} // namespace hk
