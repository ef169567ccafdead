#pragma once
// The fixed catalogue of 44 radiator types shown in the list "Expon", each
// with its blank-padded display text and its exponent in hundredths.

#include <array>
#include <string_view>

namespace hk {

struct CatalogueEntry {
    std::string_view text; // 28 or 29 characters, blanks included
    int hundredths;        // exponent n * 100
};

inline constexpr int kCatalogueSize = 44;

const std::array<CatalogueEntry, kCatalogueSize>& RadiatorCatalogue();

// The working exponent of entry i: hundredths / 100 in single precision.
float CatalogueExponent(int index);

} // namespace hk
