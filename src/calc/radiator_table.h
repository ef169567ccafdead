#pragma once
// The project's radiator table: 70 entries addressed 1 to 70, one per
// radiator, with the inputs of the radiator and the results of its
// conversion. Any other entry number raises SubscriptError.

#include <array>
#include <cstdint>
#include <string>

namespace hk {

struct RadiatorEntry {
    float dVorl = 0;     // supply temperature, °C
    float dRueckl = 0;   // return temperature, °C
    std::string RaumNr;  // room number, as typed
    std::string RaumVer; // room use, as typed
    float dRaum = 0;     // room temperature, °C
    float QRaum = 0;     // heat output the room needs
    float Exponent = 0;  // radiator exponent n
    float dMittel = 0;   // mean temperature difference radiator/room, K
    float Faktor = 0;    // conversion factor, two decimals
    float QHKNeu = 0;    // output at norm temperatures, whole units of QRaum
    std::string HkTyp;   // display text of the chosen radiator type
    bool operator==(const RadiatorEntry&) const = default;
};

class RadiatorTable {
public:
    static constexpr int kCapacity = 70;

    // Entry n, 1..70; throws SubscriptError otherwise.
    RadiatorEntry& at(int n);
    const RadiatorEntry& at(int n) const;

    static bool IsValidNumber(int n) { return n >= 1 && n <= kCapacity; }

    bool operator==(const RadiatorTable&) const = default;

private:
    std::array<RadiatorEntry, kCapacity> entries_{};
};

// The rows that printing and saving walk: 1 to LfNr, but never beyond the
// table. After the next command that follows entry 70, LfNr is 71 and names
// no entry; those parts stop at 70.
inline int RowCount(std::int16_t lfNr) {
    if (lfNr < 0) {
        return 0;
    }
    return lfNr > RadiatorTable::kCapacity ? RadiatorTable::kCapacity : lfNr;
}

} // namespace hk
