#pragma once
// The catalogue of typical radiators the heat-pump check offers as installed
// radiators: panel radiators with their output per metre of length and
// sectional radiators with their output per section, each at DIN EN 442
// 75/65/20 and with its own exponent. Typical values, shipped as the data
// table "heizkoerper.csv" and extended by the user's file of that name.

#include "common/data_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hk {

inline constexpr std::string_view kRadiatorTableFile = "heizkoerper.csv";
inline constexpr std::string_view kRadiatorTableHeader =
    "Bauart;Name;Bauhöhe mm;Leistung W;je;Exponent";
inline constexpr std::string_view kRadiatorTableTitle = "Heizkörperkatalog";

// Lengths of panel radiators, mm, and section counts.
inline constexpr int kLengthMin = 400;
inline constexpr int kLengthMax = 3000;
inline constexpr int kLengthStep = 100;
inline constexpr int kSectionsMin = 1;
inline constexpr int kSectionsMax = 60;
// The reference of the catalogue's outputs, K (DIN EN 442 75/65/20).
inline constexpr int kCatalogueNormExcess = 50;

struct TypicalRadiator {
    std::string kind;     // "Flach", "Guss", …
    std::string name;     // unique within the catalogue: "Typ 22 · 600"
    int height = 0;       // Bauhöhe, mm
    double output = 0;    // W at 75/65/20 per metre or per section
    bool perMetre = true; // "je m"; otherwise "je Glied"
    double exponent = 0;
    bool operator==(const TypicalRadiator&) const = default;
};

using TypicalRadiators = std::vector<TypicalRadiator>;

// The shipped table and then the user's file, bad rows skipped and noted.
DataTable<TypicalRadiator> ReadRadiatorCatalogue(const std::vector<DataSource>& sources);

// The radiator of that name; nullopt when the catalogue has none.
std::optional<TypicalRadiator> FindRadiator(const TypicalRadiators& catalogue,
                                            std::string_view name);

// A length of 400 to 3000 mm in steps of 100 for a panel radiator, 1 to 60
// sections otherwise.
bool ValidCount(const TypicalRadiator& radiator, int count);

// The whole-watt norm output of radiator with count (mm or sections) at the
// project's reference dNorm (60 DIN 90/70/20, 50 DIN EN 442), rounded once.
long long OutputAtReference(const TypicalRadiator& radiator, int count, std::int16_t dNorm);

// "Typ 22 · 600 × 1000" or "Guss 600/160 · 12 Glieder".
std::string RadiatorText(const TypicalRadiator& radiator, int count);

} // namespace hk
