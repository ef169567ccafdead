#pragma once
// The output conversion of one radiator: mean temperature difference between
// radiator and room (logarithmic, or arithmetic when return and supply excess
// are close), factor f = (dNorm / dtm)^n and the output at norm temperatures.
// Every value is rounded to single precision where it is stored.

#include "calc/radiator_table.h"

#include <cstdint>

namespace hk {

struct ConversionResult {
    float dMittel = 0; // K
    float Faktor = 0;
    float QHKNeu = 0;
    bool logarithmic = false;
    bool operator==(const ConversionResult&) const = default;
};

// Converts the inputs of one entry against the reference value dNorm (K).
// Throws the CalcError types on division by zero, overflow or a logarithm
// or power of an invalid argument; then nothing is to be stored.
ConversionResult Convert(const RadiatorEntry& entry, std::int16_t dNorm);

} // namespace hk
