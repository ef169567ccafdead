#include "check_file.h"

#include "project/file_commands.h"
#include "project/project_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

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

// The rows of a project that a check file is tied to: for every entry its
// room load, room temperature, exponent and type. A file from before the
// tie held more than the room loads has only those (full is false).
struct CheckTie {
    long long lfNr = 0;
    std::vector<double> qRaum, dRaum, exponent;
    std::vector<std::string> hkTyp;
    bool full = true;
};

CheckTie TieOf(const ProgramState& state) {
    CheckTie tie{state.LfNr, {}, {}, {}, {}, true};
    for (int n = 1; n <= RowCount(state.LfNr); ++n) {
        // The double holds the single value exactly, so it reads back equal.
        const RadiatorEntry& e = state.table.at(n);
        tie.qRaum.push_back(e.QRaum);
        tie.dRaum.push_back(e.dRaum);
        tie.exponent.push_back(e.Exponent);
        tie.hkTyp.push_back(e.HkTyp);
    }
    return tie;
}

const std::string kOtherProject = "sie gehört zu einem anderen Projekt";

// Whether file ties to project; if not, the reason.
Result<void> TieMatches(const CheckTie& file, const CheckTie& project) {
    if (file.lfNr != project.lfNr || file.qRaum.size() != project.qRaum.size()) {
        return Problem{kOtherProject + " (andere Zahl der Heizkörper)"};
    }
    for (std::size_t i = 0; i < file.qRaum.size(); ++i) {
        const std::string row = " des Heizkörpers " + std::to_string(i + 1) + " weicht ab)";
        if (static_cast<float>(file.qRaum[i]) != static_cast<float>(project.qRaum[i])) {
            return Problem{kOtherProject + " (Raumheizlast" + row};
        }
        if (!file.full) {
            continue;
        }
        if (static_cast<float>(file.dRaum[i]) != static_cast<float>(project.dRaum[i])) {
            return Problem{kOtherProject + " (Raumtemperatur" + row};
        }
        if (static_cast<float>(file.exponent[i]) != static_cast<float>(project.exponent[i]) ||
            file.hkTyp[i] != project.hkTyp[i]) {
            return Problem{kOtherProject + " (Heizkörpertyp" + row};
        }
    }
    return {};
}

// The numbers of one array of the project part; false when it is none or has
// another length.
bool NumbersAt(const Json& project, const char* key, std::size_t rows, std::vector<double>& out) {
    if (!project.contains(key) || !project[key].is_array() || project[key].size() != rows) {
        return false;
    }
    for (const Json& v : project[key]) {
        // A text where a number belongs ties to no project.
        out.push_back(v.is_number() ? v.get<double>() : std::nan(""));
    }
    return true;
}

// The tie a file's project part states.
Result<CheckTie> TieFromJson(const Json& project) {
    if (!project.is_object() || !project.contains("LfNr") || !project.contains("QRaum")) {
        return Problem{kOtherProject + " (Angaben zum Projekt fehlen)"};
    }
    CheckTie tie;
    if (!WholeAt(project, "LfNr", -32768, 32767, tie.lfNr)) {
        return Problem{kOtherProject + " (andere Zahl der Heizkörper)"};
    }
    const std::size_t rows = static_cast<std::size_t>(RowCount(
        static_cast<std::int16_t>(std::clamp<long long>(tie.lfNr, 0, RadiatorTable::kCapacity))));
    if (!NumbersAt(project, "QRaum", rows, tie.qRaum)) {
        return Problem{kOtherProject + " (andere Zahl der Heizkörper)"};
    }
    tie.full =
        project.contains("dRaum") || project.contains("Exponent") || project.contains("HkTyp");
    if (!tie.full) {
        return tie;
    }
    const bool types =
        project.contains("HkTyp") && project["HkTyp"].is_array() && project["HkTyp"].size() == rows;
    if (!NumbersAt(project, "dRaum", rows, tie.dRaum) ||
        !NumbersAt(project, "Exponent", rows, tie.exponent) || !types) {
        return Problem{kOtherProject + " (Angaben zum Projekt unvollständig)"};
    }
    for (const Json& t : project["HkTyp"]) {
        tie.hkTyp.push_back(t.is_string() ? t.get<std::string>() : std::string("\n"));
    }
    return tie;
}

Result<void> ProjectMatches(const Json& project, const ProgramState& state) {
    const auto tie = TieFromJson(project);
    if (!tie) {
        return tie.problem();
    }
    return TieMatches(*tie, TieOf(state));
}

// The check's own keys go three levels deep; a file nested deeper is no
// check file, and the JSON reader must never see it: copying and comparing
// the values it built recurses once a level.
constexpr int kMaxCheckFileDepth = 64;

// What makes bytes unreadable before any JSON is built: nesting beyond the
// limit, and a NUL byte, at which the reader would stop and take the rest
// for the end of the file.
Result<void> PlainEnough(std::string_view bytes) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : bytes) {
        if (c == '\0') {
            return Problem{"sie ist keine gültige JSON-Datei (sie enthält ein Nullbyte)"};
        }
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxCheckFileDepth) {
                return Problem{"sie ist keine gültige JSON-Datei (mehr als " +
                               std::to_string(kMaxCheckFileDepth) + " Ebenen verschachtelt)"};
            }
        } else if (c == ']' || c == '}') {
            --depth;
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

std::string CheckFileName(const std::string& projectFile) { return projectFile + ".check.json"; }

std::string OldCheckFileName(const std::string& projectFile) {
    std::filesystem::path p(projectFile);
    p.replace_extension(".check.json");
    return p.string();
}

std::string CheckFileBytes(const ProgramState& state, const CheckSettings& settings) {
    const CheckTie tie = TieOf(state);
    const int rows = RowCount(state.LfNr);
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
                 {"installed", installed}};
    if (state.Balancing) {
        file["balancing"] = BalancingJson(*state.Balancing, rows);
    }
    file["project"] = {{"LfNr", state.LfNr},
                       {"QRaum", tie.qRaum},
                       {"dRaum", tie.dRaum},
                       {"Exponent", tie.exponent},
                       {"HkTyp", tie.hkTyp}};
    // A type text is UTF-8 as read or chosen; a broken byte must not stop the save.
    return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Result<CheckSettings> ReadCheckFile(std::string_view bytes, const ProgramState& state) {
    if (const auto plain = PlainEnough(bytes); !plain) {
        return plain.problem();
    }
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

namespace {

bool Exists(FileOps& files, const std::string& name) {
    PathInfo info;
    return files.inspect(name, info) != 0 || info.exists;
}

// The settings of the file name, or why it cannot be used.
struct NamedCheck {
    CheckSettings settings;
    std::string bytes; // the whole file, for the balancing's part
};

Result<NamedCheck> ReadCheckNamed(const std::string& name, const ProgramState& state,
                                  FileOps& files) {
    auto bytes = ReadWholeFile(files, name, kMaxCheckFileBytes);
    if (!bytes) {
        return Problem{"sie kann nicht gelesen werden (" + bytes.problem().message + ")"};
    }
    auto settings = ReadCheckFile(*bytes, state);
    if (!settings) {
        return settings.problem();
    }
    return NamedCheck{std::move(*settings), std::move(*bytes)};
}

// The project saved in name, read as a load would.
Result<ProgramState> ProjectOnDisk(const std::string& name, FileOps& files) {
    const auto bytes = ReadWholeFile(files, name, kMaxProjectFileBytes);
    if (!bytes) {
        return bytes.problem();
    }
    ProgramState saved;
    if (const auto read = ReadProjectFile(*bytes, saved); !read) {
        return Problem{read.problem().message};
    }
    return saved;
}

} // namespace

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

namespace {

// Takes the check of a file that fits the project, and its balancing part
// when that can be used.
void TakeCheck(ProgramState& state, CheckSettings settings, const std::string& bytes,
               const std::string& name, MessageSink& messages) {
    state.Check = std::move(settings);
    if (auto balancing = ReadBalancingPart(bytes, state); !balancing) {
        messages.showMessage({NamedFile(name) +
                                  "wird für den hydraulischen Abgleich nicht verwendet: " +
                                  balancing.problem().message +
                                  ".\n\nDas Projekt und der Wärmepumpen-Check sind geladen.",
                              std::string(kTitleBalancing), MsgIcon::Exclamation});
    } else {
        state.Balancing = std::move(*balancing);
    }
}

} // namespace

void ReadCheckBeside(ProgramState& state, MessageSink& messages, FileOps& files) {
    state.Check.reset();
    state.Balancing.reset();
    state.CheckClean();
    const std::string name = CheckFileName(state.ProjectFile);
    if (!Exists(files, name)) {
        // A file under the name older versions gave may belong to a project
        // of the same stem (HAUS.TXT, HAUS.DAT): it is taken only when it
        // fits this one, silently otherwise, and is never written again.
        const std::string oldName = OldCheckFileName(state.ProjectFile);
        if (auto old = ReadCheckNamed(oldName, state, files); old) {
            TakeCheck(state, std::move(old->settings), old->bytes, oldName, messages);
        }
        return;
    }
    auto read = ReadCheckNamed(name, state, files);
    if (read) {
        TakeCheck(state, std::move(read->settings), read->bytes, name, messages);
        return;
    }
    messages.showMessage({NamedFile(name) + "wird für den Wärmepumpen-Check nicht verwendet: " +
                              read.problem().message +
                              ".\n\nDas Projekt ist geladen. Die Datei bleibt unverändert; wird "
                              "das Projekt wieder gespeichert, wird sie unter einem eigenen "
                              "Namen aufbewahrt.",
                          std::string(kTitleCheck), MsgIcon::Exclamation});
}

Result<void> CheckBesideBelongs(const ProgramState& state, const std::string& projectFile,
                                FileOps& files) {
    const std::string name = CheckFileName(projectFile);
    if (!Exists(files, name)) {
        return {};
    }
    if (state.ProjectFile != projectFile) {
        return Problem{kOtherProject}; // another project takes the name
    }
    auto saved = ProjectOnDisk(projectFile, files);
    if (!saved) {
        return Problem{kOtherProject}; // whose check it is cannot be told
    }
    saved->Radiators = state.Radiators; // the catalogue the check file names
    if (auto read = ReadCheckNamed(name, *saved, files); !read) {
        return read.problem();
    }
    return {};
}

void SetCheckAside(const std::string& projectFile, const Problem& why, MessageSink& messages,
                   FileOps& files) {
    // A file this project could not read (a catalogue radiator since removed
    // from the user's file, say) is its own, not another project's.
    const bool other = why.message.starts_with(kOtherProject);
    const std::string stem = projectFile + (other ? ".check.anderes-Projekt" : ".check.unlesbar");
    const std::string name = CheckFileName(projectFile);
    std::string aside = stem + ".json";
    for (int n = 2; Exists(files, aside) && n < 1000; ++n) {
        aside = stem + "-" + std::to_string(n) + ".json";
    }
    const std::string whose = other ? "gehört zu einem anderen Projekt"
                                    : "ist für dieses Projekt nicht lesbar: " + why.message;
    if (Exists(files, aside) || files.rename(name, aside) != 0) {
        messages.showMessage({NamedFile(name) + whose +
                                  ". Sie konnte nicht umbenannt werden.\n\nBitte benennen Sie sie "
                                  "selbst um, bevor Sie den Wärmepumpen-Check dieses Projekts "
                                  "speichern.",
                              std::string(kTitleCheck), MsgIcon::Exclamation});
        return;
    }
    const std::string was = other ? "gehörte zu dem Projekt, das bisher unter diesem Namen "
                                    "gespeichert war"
                                  : whose;
    messages.showMessage(
        {NamedFile(name) + was + ". Sie wurde umbenannt in\n" + aside + "\nund bleibt so erhalten.",
         std::string(kTitleCheck), MsgIcon::Information});
}

} // namespace hk
