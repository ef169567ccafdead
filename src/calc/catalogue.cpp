#include "catalogue.h"

namespace hk {

const std::array<CatalogueEntry, kCatalogueSize>& RadiatorCatalogue() {
    // The exponents follow no rule; they are the makers' figures.
    static constexpr std::array<CatalogueEntry, kCatalogueSize> kTable = {{
        {"DIN Guss- Radiator          ", 130},  {"DIN Stahl- Radiator         ", 130},
        {"Röhren- Radiator            ", 130},  {"Bank- Radiator              ", 130},
        {"Prfl Flach-Hk BH 350 Typ 10 ", 128},  {"Prfl Flach-Hk BH 350 Typ 11 ", 126},
        {"Prfl Flach-Hk BH 350 Typ 21 ", 130},  {"Prfl Flach-Hk BH 350 Typ 22 ", 132},
        {"Prfl Flach-Hk BH 350 Typ 33 ", 131},  {"Prfl Flach-Hk BH 500 Typ 10 ", 129},
        {"Prfl Flach-Hk BH 500 Typ 11 ", 130},  {"Prfl Flach-Hk BH 500 Typ 21 ", 127},
        {"Prfl Flach-Hk BH 500 Typ 22 ", 132},  {"Prfl Flach-Hk BH 500 Typ 33 ", 132},
        {"Prfl Flach-Hk BH 600 Typ 10 ", 129},  {"Prfl Flach-Hk BH 600 Typ 11 ", 127},
        {"Prfl Flach-Hk BH 600 Typ 21 ", 133},  {"Prfl Flach-Hk BH 600 Typ 22 ", 132},
        {"Prfl Flach-Hk BH 600 Typ 33 ", 133},  {"Prfl Flach-Hk BH 900 Typ 10 ", 131},
        {"Prfl Flach-Hk BH 900 Typ 11 ", 129},  {"Prfl Flach-Hk BH 900 Typ 21 ", 133},
        {"Prfl Flach-Hk BH 900 Typ 22 ", 133},  {"Prfl Flach-Hk BH 900 Typ 33 ", 135},
        {"Plan Flach-Hk BH 350 Typ 10 ", 133},  {"Plan Flach-Hk BH 350 Typ 11 ", 131},
        {"Plan Flach-Hk BH 350 Typ 21 ", 132},  {"Plan Flach-Hk BH 350 Typ 22 ", 133},
        {"Plan Flach-Hk BH 350 Typ 33 ", 135},  {"Plan Flach-Hk BH 500 Typ 10 ", 133},
        {"Plan Flach-Hk BH 500 Typ 11 ", 130},  {"Plan Flach-Hk BH 500 Typ 21 ", 132},
        {"Plan Flach-Hk BH 500 Typ 22 ", 132},  {"Plan Flach-Hk BH 500 Typ 33 ", 134},
        {"Plan Flach-Hk BH 600 Typ 10 ", 133},  {"Plan Flach-Hk BH 600 Typ 11 ", 130},
        {"Plan Flach-Hk BH 600 Typ 21 ", 132},  {"Plan Flach-Hk BH 600 Typ 22 ", 131},
        {"Plan Flach-Hk BH 600 Typ 33  ", 134}, {"Plan Flach-Hk BH 900 Typ 10  ", 133},
        {"Plan Flach-Hk BH 900 Typ 11  ", 129}, {"Plan Flach-Hk BH 900 Typ 21  ", 132},
        {"Plan Flach-Hk BH 900 Typ 22  ", 129}, {"Plan Flach-Hk BH 900 Typ 33  ", 132},
    }};
    return kTable;
}

float CatalogueExponent(int index) {
    const auto& e = RadiatorCatalogue().at(static_cast<std::size_t>(index));
    return static_cast<float>(e.hundredths) / 100.0f; // divided in single precision
}

} // namespace hk
