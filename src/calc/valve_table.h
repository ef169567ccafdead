#pragma once
// The table of valves the hydraulic balancing offers: each valve's settings
// with their kv values, one row a setting in the order of the settings.
// Example values are shipped as the data table "ventile.csv"; the maker's kv
// values of the installed valve go into the user's file of that name, where a
// valve replaces the shipped valve of the same name as a whole.

#include "calc/balancing.h"
#include "common/data_table.h"

#include <string_view>
#include <vector>

namespace hk {

inline constexpr std::string_view kValveTableFile = "ventile.csv";
inline constexpr std::string_view kValveTableHeader = "Ventil;Stufe;kv";
inline constexpr std::string_view kValveTableTitle = "Ventiltabelle";
// kv values a row may give, m³/h.
inline constexpr double kValveKvMin = 0.001;
inline constexpr double kValveKvMax = 100;

// The shipped table and then the user's file. Within one file a valve's rows
// build it setting by setting; a setting named twice, or whose kv is not
// above the one before, is skipped and noted. A valve of a later file
// replaces the valve of that name read before.
DataTable<Valve> ReadValveTable(const std::vector<DataSource>& sources);

// The valve of that name; nullptr when the table has none.
const Valve* FindValve(const std::vector<Valve>& valves, std::string_view name);

} // namespace hk
