#pragma once
// Readable comparison of two program states: names the first field that
// differs instead of dumping the bytes of the whole state.

#include "calc/program_state.h"
#include "common/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>

namespace hk {

inline void PrintTo(const RadiatorEntry& e, std::ostream* os) {
    *os << "{" << FileNumberText(e.dVorl) << "," << FileNumberText(e.dRueckl) << ",\"" << e.RaumNr
        << "\",\"" << e.RaumVer << "\"," << FileNumberText(e.dRaum) << ","
        << FileNumberText(e.QRaum) << "," << FileNumberText(e.Exponent) << ","
        << FileNumberText(e.dMittel) << "," << FileNumberText(e.Faktor) << ","
        << FileNumberText(e.QHKNeu) << ",\"" << e.HkTyp << "\"}";
}

namespace test {

inline bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Entries equal field by field, singles compared bit for bit.
inline bool SameEntry(const RadiatorEntry& a, const RadiatorEntry& b) {
    return SameBits(a.dVorl, b.dVorl) && SameBits(a.dRueckl, b.dRueckl) && a.RaumNr == b.RaumNr &&
           a.RaumVer == b.RaumVer && SameBits(a.dRaum, b.dRaum) && SameBits(a.QRaum, b.QRaum) &&
           SameBits(a.Exponent, b.Exponent) && SameBits(a.dMittel, b.dMittel) &&
           SameBits(a.Faktor, b.Faktor) && SameBits(a.QHKNeu, b.QHKNeu) && a.HkTyp == b.HkTyp;
}

// Success when the two states are the same, singles bit for bit; otherwise
// the first difference.
inline ::testing::AssertionResult SameState(const ProgramState& actual,
                                            const ProgramState& expected) {
    for (int f = 1; f <= ProjectHeader::kFieldCount; ++f) {
        if (actual.header[f] != expected.header[f]) {
            return ::testing::AssertionFailure()
                   << "header field " << f << ": \"" << actual.header[f] << "\" instead of \""
                   << expected.header[f] << "\"";
        }
    }
    if (actual.LfNr != expected.LfNr) {
        return ::testing::AssertionFailure()
               << "LfNr " << actual.LfNr << " instead of " << expected.LfNr;
    }
    if (actual.dNorm != expected.dNorm) {
        return ::testing::AssertionFailure()
               << "dNorm " << actual.dNorm << " instead of " << expected.dNorm;
    }
    for (int n = 1; n <= RadiatorTable::kCapacity; ++n) {
        if (!SameEntry(actual.table.at(n), expected.table.at(n))) {
            return ::testing::AssertionFailure()
                   << "entry " << n << ": " << ::testing::PrintToString(actual.table.at(n))
                   << " instead of " << ::testing::PrintToString(expected.table.at(n));
        }
    }
    if (actual.ListingText != expected.ListingText) {
        return ::testing::AssertionFailure() << "ListingText of " << actual.ListingText.size()
                                             << " bytes instead of " << expected.ListingText.size();
    }
    return ::testing::AssertionSuccess();
}

} // namespace test
} // namespace hk
