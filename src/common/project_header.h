#pragma once
// The project header: eleven free-text fields, numbered 1 to 11, filled from
// txtPersDat1 .. txtPersDat11 of the project data screen.

#include <array>
#include <string>

namespace hk {

struct ProjectHeader {
    static constexpr int kFieldCount = 11;
    enum Field : int {
        ProjektNr = 1,
        Bearbeiter,
        Datum,
        BauherrName,
        BauherrVorname,
        BauherrStrasse,
        BauherrOrt,
        BauherrTelefon,
        BaustelleStrasse,
        BaustelleOrt,
        BaustelleTelefon,
    };

    std::array<std::string, kFieldCount> fields{};

    // Field by its number 1..11.
    std::string& operator[](int n) { return fields.at(static_cast<std::size_t>(n - 1)); }
    const std::string& operator[](int n) const {
        return fields.at(static_cast<std::size_t>(n - 1));
    }
    bool operator==(const ProjectHeader&) const = default;
};

} // namespace hk
