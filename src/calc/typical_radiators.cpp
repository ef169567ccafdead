#include "typical_radiators.h"

#include <cmath>

namespace hk {
namespace {

Result<TypicalRadiator> ParseRadiator(const DataLine& line) {
    const auto& f = line.fields;
    TypicalRadiator r;
    r.kind = f[0];
    r.name = f[1];
    if (r.kind.empty() || r.name.empty()) {
        return Problem{"Bauart und Name dürfen nicht leer sein"};
    }
    const auto height = DataNumber(f[2], "Bauhöhe mm", 100, 3000);
    if (!height || std::floor(*height) != *height) {
        return height ? Problem{"Bauhöhe mm „" + f[2] + "“ ist keine ganze Zahl"}
                      : height.problem();
    }
    const auto output = DataNumber(f[3], "Leistung W", 1, 99999);
    if (!output) {
        return output.problem();
    }
    if (f[4] != "m" && f[4] != "Glied") {
        return Problem{"je „" + f[4] + "“ ist weder „m“ noch „Glied“"};
    }
    const auto exponent = DataNumber(f[5], "Exponent", 1, 2);
    if (!exponent) {
        return exponent.problem();
    }
    r.height = static_cast<int>(*height);
    r.output = *output;
    r.perMetre = f[4] == "m";
    r.exponent = *exponent;
    return r;
}

} // namespace

DataTable<TypicalRadiator> ReadRadiatorCatalogue(const std::vector<DataSource>& sources) {
    return ReadDataTable<TypicalRadiator>(sources, kRadiatorTableHeader, ParseRadiator,
                                          [](const TypicalRadiator& r) { return r.name; });
}

std::optional<TypicalRadiator> FindRadiator(const TypicalRadiators& catalogue,
                                            std::string_view name) {
    for (const TypicalRadiator& r : catalogue) {
        if (r.name == name) {
            return r;
        }
    }
    return std::nullopt;
}

bool ValidCount(const TypicalRadiator& radiator, int count) {
    if (radiator.perMetre) {
        return count >= kLengthMin && count <= kLengthMax && count % kLengthStep == 0;
    }
    return count >= kSectionsMin && count <= kSectionsMax;
}

long long OutputAtReference(const TypicalRadiator& radiator, int count, std::int16_t dNorm) {
    const double atEn =
        radiator.perMetre ? radiator.output * count / 1000.0 : radiator.output * count;
    const double toReference =
        std::pow(double(dNorm) / double(kCatalogueNormExcess), radiator.exponent);
    return static_cast<long long>(std::floor(atEn * toReference + 0.5));
}

std::string RadiatorText(const TypicalRadiator& radiator, int count) {
    if (radiator.perMetre) {
        return radiator.name + " × " + std::to_string(count);
    }
    return radiator.name + " · " + std::to_string(count) + (count == 1 ? " Glied" : " Glieder");
}

} // namespace hk
