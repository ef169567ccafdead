#include "check_file.h"

#include "project/file_commands.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>

namespace hk {
namespace {

using Json = nlohmann::ordered_json;

// The member key of obj when it is a whole number in lo..hi (1200.0 counts
// as 1200): true and the number in out.
bool WholeAt(const Json& obj, const char* key, long long lo, long long hi, long long& out) {
    if (!obj.is_object() || !obj.contains(key)) {
        return false;
    }
    const Json& v = obj[key];
    double d = 0;
    if (v.is_number_unsigned()) {
        const auto u = v.get<unsigned long long>();
        if (u > static_cast<unsigned long long>(hi)) {
            return false;
        }
        d = static_cast<double>(u);
    } else if (v.is_number()) {
        d = v.get<double>();
    } else {
        return false;
    }
    if (!std::isfinite(d) || std::floor(d) != d || d < double(lo) || d > double(hi)) {
        return false;
    }
    out = static_cast<long long>(d);
    return true;
}

// Whether the project part ties the file to the project in state; if not,
// the reason.
Result<void> ProjectMatches(const Json& project, const ProgramState& state) {
    const std::string other = "sie gehört zu einem anderen Projekt";
    if (!project.is_object() || !project.contains("LfNr") || !project.contains("QRaum")) {
        return Problem{other + " (Angaben zum Projekt fehlen)"};
    }
    long long lfNr = 0;
    if (!WholeAt(project, "LfNr", -32768, 32767, lfNr) || lfNr != state.LfNr) {
        return Problem{other + " (andere Zahl der Heizkörper)"};
    }
    const Json& qRaum = project["QRaum"];
    const int rows = RowCount(state.LfNr);
    if (!qRaum.is_array() || qRaum.size() != static_cast<std::size_t>(rows)) {
        return Problem{other + " (andere Zahl der Heizkörper)"};
    }
    for (int n = 1; n <= rows; ++n) {
        const Json& q = qRaum[static_cast<std::size_t>(n - 1)];
        if (!q.is_number() || static_cast<float>(q.get<double>()) != state.table.at(n).QRaum) {
            return Problem{other + " (Raumheizlast des Heizkörpers " + std::to_string(n) +
                           " weicht ab)"};
        }
    }
    return {};
}

Result<InstalledChoice> TypedChoice(const Json& item, int entry) {
    long long output = 0;
    if (!WholeAt(item, "output", kInstalledMin, kInstalledMax, output)) {
        return Problem{"die vorhandene Normleistung des Heizkörpers " + std::to_string(entry) +
                       " liegt nicht zwischen 1 und 99999"};
    }
    return InstalledChoice::Typed(static_cast<int>(output));
}

// A version-2 entry: a typed output, or a catalogue radiator with its length
// (panel) or sections (sectional), never both.
Result<InstalledChoice> InstalledChoiceOf(const Json& item, int entry, const ProgramState& state) {
    if (!item.contains("radiator")) {
        return TypedChoice(item, entry);
    }
    const std::string which = "der Heizkörper " + std::to_string(entry);
    if (item.contains("output")) {
        return Problem{which + " hat zugleich eine Normleistung und einen Katalog-Heizkörper"};
    }
    const Json& name = item["radiator"];
    const auto radiator =
        name.is_string() ? FindRadiator(state.Radiators, name.get<std::string>()) : std::nullopt;
    if (!radiator) {
        return Problem{which + " nennt einen Heizkörper, den der Katalog nicht enthält"};
    }
    const char* key = radiator->perMetre ? "length" : "sections";
    long long count = 0;
    if (!WholeAt(item, key, 0, 1000000, count) || !ValidCount(*radiator, int(count))) {
        return Problem{which + (radiator->perMetre
                                    ? " hat keine Länge von 400 bis 3000 mm in Schritten von 100"
                                    : " hat keine Gliederzahl von 1 bis 60")};
    }
    return InstalledChoice::Chosen(radiator->name, static_cast<int>(count));
}

Json BalancingJson(const BalancingSettings& b, int rows) {
    Json valves = Json::array();
    for (const auto& [entry, valve] : b.valves) {
        if (entry >= 1 && entry <= rows) {
            valves.push_back(Json{{"entry", entry}, {"valve", valve}});
        }
    }
    return Json{{"supply", b.system.supply},
                {"spread", b.system.spread},
                {"dp_mbar", b.system.dpMbar},
                {"outdoor", b.system.outdoor},
                {"length_m", b.system.lengthM},
                {"valve", b.valve},
                {"valves", valves}};
}

// The balancing object of a check file; the reason when it cannot be used.
Result<BalancingSettings> ReadBalancing(const Json& obj, int rows) {
    if (!obj.is_object()) {
        return Problem{"der Eintrag „balancing“ ist kein Objekt"};
    }
    BalancingSettings b;
    const struct {
        const char* key;
        int lo, hi;
        int& out;
        bool required;
    } numbers[] = {
        {"supply", kBalanceSupplyMin, kBalanceSupplyMax, b.system.supply, true},
        {"spread", kBalanceSpreadMin, kBalanceSpreadMax, b.system.spread, true},
        {"dp_mbar", kBalanceDpMin, kBalanceDpMax, b.system.dpMbar, true},
        {"outdoor", kBalanceOutdoorMin, kBalanceOutdoorMax, b.system.outdoor, true},
        {"length_m", kBalanceLengthMin, kBalanceLengthMax, b.system.lengthM, false},
    };
    for (const auto& n : numbers) {
        long long value = 0;
        if (!n.required && !obj.contains(n.key)) {
            continue;
        }
        if (!WholeAt(obj, n.key, n.lo, n.hi, value)) {
            return Problem{"„" + std::string(n.key) + "“ fehlt oder ist keine ganze Zahl von " +
                           std::to_string(n.lo) + " bis " + std::to_string(n.hi)};
        }
        n.out = static_cast<int>(value);
    }
    if (obj.contains("valve")) {
        if (!obj["valve"].is_string()) {
            return Problem{"„valve“ ist kein Text"};
        }
        b.valve = obj["valve"].get<std::string>();
    }
    const Json valves = obj.contains("valves") ? obj["valves"] : Json::array();
    if (!valves.is_array()) {
        return Problem{"„valves“ ist keine Liste"};
    }
    for (const Json& item : valves) {
        long long entry = 0;
        if (!WholeAt(item, "entry", 1, rows, entry) || b.valves.count(int(entry)) != 0 ||
            !item.contains("valve") || !item["valve"].is_string() ||
            item["valve"].get<std::string>().empty()) {
            return Problem{"„valves“ nennt eine unbekannte oder doppelte Heizkörper-Nummer oder "
                           "kein Ventil"};
        }
        b.valves[static_cast<int>(entry)] = item["valve"].get<std::string>();
    }
    return b;
}

} // namespace

std::string CheckFileName(const std::string& projectFile) {
    std::filesystem::path p(projectFile);
    p.replace_extension(".check.json");
    return p.string();
}

std::string CheckFileBytes(const ProgramState& state, const CheckSettings& settings) {
    Json qRaum = Json::array();
    const int rows = RowCount(state.LfNr);
    for (int n = 1; n <= rows; ++n) {
        // The double holds the single value exactly, so it reads back equal.
        qRaum.push_back(double{state.table.at(n).QRaum});
    }
    Json installed = Json::array();
    for (const auto& [entry, choice] : settings.installed) {
        if (entry < 1 || entry > rows) {
            continue;
        }
        if (choice.radiator.empty()) {
            installed.push_back(Json{{"entry", entry}, {"output", choice.output}});
            continue;
        }
        const auto radiator = FindRadiator(state.Radiators, choice.radiator);
        const bool perMetre = !radiator || radiator->perMetre;
        installed.push_back(Json{{"entry", entry},
                                 {"radiator", choice.radiator},
                                 {perMetre ? "length" : "sections", choice.count}});
    }
    Json file = {{"format", kCheckFileFormat},
                 {"version", kCheckFileVersion},
                 {"supply", settings.supply},
                 {"return", settings.ret},
                 {"project", {{"LfNr", state.LfNr}, {"QRaum", qRaum}}},
                 {"installed", installed}};
    if (state.Balancing) {
        file["balancing"] = BalancingJson(*state.Balancing, rows);
    }
    return file.dump(2) + "\n";
}

Result<CheckSettings> ReadCheckFile(std::string_view bytes, const ProgramState& state) {
    const Json file = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (file.is_discarded() || !file.is_object()) {
        return Problem{"sie ist keine gültige JSON-Datei"};
    }
    if (!file.contains("format") || file["format"] != kCheckFileFormat) {
        return Problem{"sie hat ein anderes Format"};
    }
    long long version = 0;
    if (!WholeAt(file, "version", 1, kCheckFileVersion, version)) {
        return Problem{"sie hat eine andere Version (gelesen werden die Versionen 1 und 2)"};
    }
    CheckSettings settings;
    long long supply = 0;
    long long ret = 0;
    if (!WholeAt(file, "supply", 0, 1000, supply) || !WholeAt(file, "return", 0, 1000, ret) ||
        !ValidTargets(static_cast<int>(supply), static_cast<int>(ret))) {
        return Problem{"die Zieltemperaturen fehlen oder sind ungültig"};
    }
    settings.supply = static_cast<int>(supply);
    settings.ret = static_cast<int>(ret);
    if (const auto matches =
            ProjectMatches(file.contains("project") ? file["project"] : Json(), state);
        !matches) {
        return matches.problem();
    }
    const Json installed = file.contains("installed") ? file["installed"] : Json::array();
    if (!installed.is_array()) {
        return Problem{"die vorhandenen Normleistungen sind keine Liste"};
    }
    for (const Json& item : installed) {
        long long entry = 0;
        if (!WholeAt(item, "entry", 1, RowCount(state.LfNr), entry) ||
            settings.installed.count(static_cast<int>(entry)) != 0) {
            return Problem{"sie gehört zu einem anderen Projekt (unbekannte oder doppelte "
                           "Heizkörper-Nummer)"};
        }
        auto choice = version == 1 ? TypedChoice(item, static_cast<int>(entry))
                                   : InstalledChoiceOf(item, static_cast<int>(entry), state);
        if (!choice) {
            return choice.problem();
        }
        settings.installed[static_cast<int>(entry)] = std::move(*choice);
    }
    return settings;
}

Result<void> WriteCheckFile(const ProgramState& state, const std::string& projectFile,
                            MessageSink& messages, FileOps& files) {
    const std::string name = CheckFileName(projectFile);
    const std::string bytes = CheckFileBytes(state, state.Check.value_or(CheckSettings{}));
    if (const auto written = ReplaceFileSafely(files, name, bytes); !written) {
        messages.showMessage(SaveFailedMessage(name, written.problem().message));
        return written.problem();
    }
    return {};
}

Result<std::optional<BalancingSettings>> ReadBalancingPart(std::string_view bytes,
                                                           const ProgramState& state) {
    const Json file = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (file.is_discarded() || !file.is_object() || !file.contains("balancing")) {
        return std::optional<BalancingSettings>{};
    }
    auto read = ReadBalancing(file["balancing"], RowCount(state.LfNr));
    if (!read) {
        return read.problem();
    }
    return std::optional<BalancingSettings>{std::move(*read)};
}

void ReadCheckBeside(ProgramState& state, MessageSink& messages, FileOps& files) {
    state.Check.reset();
    state.Balancing.reset();
    state.unsavedCheck = false;
    const std::string name = CheckFileName(state.ProjectFile);
    PathInfo info;
    if (files.inspect(name, info) == 0 && !info.exists) {
        return; // no check saved for this project
    }
    std::string reason;
    if (const auto bytes = ReadWholeFile(files, name, kMaxCheckFileBytes); !bytes) {
        reason = "sie kann nicht gelesen werden (" + bytes.problem().message + ")";
    } else if (auto read = ReadCheckFile(*bytes, state); !read) {
        reason = read.problem().message;
    } else {
        state.Check = std::move(*read);
        if (auto balancing = ReadBalancingPart(*bytes, state); !balancing) {
            messages.showMessage({NamedFile(name) +
                                      "wird für den hydraulischen Abgleich nicht verwendet: " +
                                      balancing.problem().message +
                                      ".\n\nDas Projekt und der Wärmepumpen-Check sind geladen.",
                                  std::string(kTitleBalancing), MsgIcon::Exclamation});
        } else {
            state.Balancing = std::move(*balancing);
        }
        return;
    }
    messages.showMessage({NamedFile(name) +
                              "wird für den Wärmepumpen-Check nicht verwendet: " + reason +
                              ".\n\nDas Projekt ist geladen. Die Datei bleibt unverändert, bis "
                              "der Check wieder gespeichert wird.",
                          std::string(kTitleCheck), MsgIcon::Exclamation});
}

} // namespace hk
