#include "calc/valve_table.h"

#include <algorithm>

namespace hk {
namespace {

Valve* Named(std::vector<Valve>& valves, std::string_view name) {
    return const_cast<Valve*>(FindValve(valves, name));
}

// Adds the row's setting to its valve among valves; the reason when the row
// cannot be one.
Result<void> AddSetting(std::vector<Valve>& valves, const DataLine& line) {
    const auto& f = line.fields;
    if (f[0].empty() || f[1].empty()) {
        return Problem{"Ventil und Stufe dürfen nicht leer sein"};
    }
    const auto kv = DataNumber(f[2], "kv", kValveKvMin, kValveKvMax);
    if (!kv) {
        return kv.problem();
    }
    Valve* valve = Named(valves, f[0]);
    if (valve == nullptr) {
        valves.push_back({f[0], {}});
        valve = &valves.back();
    }
    auto& settings = valve->settings;
    if (std::any_of(settings.begin(), settings.end(),
                    [&](const ValveSetting& s) { return s.label == f[1]; })) {
        return Problem{"Stufe „" + f[1] + "“ steht zweimal"};
    }
    if (!settings.empty() && *kv <= settings.back().kv) {
        return Problem{"kv „" + f[2] + "“ ist nicht größer als bei Stufe „" +
                       settings.back().label + "“"};
    }
    settings.push_back({f[1], *kv});
    return {};
}

} // namespace

DataTable<Valve> ReadValveTable(const std::vector<DataSource>& sources) {
    DataLines split = SplitDataSources(sources, kValveTableHeader);
    DataTable<Valve> table;
    table.skipped = std::move(split.skipped);
    // The valves of one file are whole only at its end; then they replace.
    std::vector<Valve> ofFile;
    const auto takeFile = [&] {
        for (Valve& v : ofFile) {
            if (Valve* kept = Named(table.rows, v.name)) {
                *kept = std::move(v);
            } else {
                table.rows.push_back(std::move(v));
            }
        }
        ofFile.clear();
    };
    const std::string* source = nullptr;
    for (const DataLine& line : split.lines) {
        if (source != nullptr && *source != line.source) {
            takeFile();
        }
        source = &line.source;
        if (auto added = AddSetting(ofFile, line); !added) {
            table.skipped.push_back(line.source + " Zeile " + std::to_string(line.line) + ": " +
                                    added.problem().message);
        }
    }
    takeFile();
    return table;
}

const Valve* FindValve(const std::vector<Valve>& valves, std::string_view name) {
    const auto it =
        std::find_if(valves.begin(), valves.end(), [&](const Valve& v) { return v.name == name; });
    return it == valves.end() ? nullptr : &*it;
}

} // namespace hk
