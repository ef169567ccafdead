#pragma once
// Seeded random inputs for the property tests. The generator and every
// mapping to a range are written out here (no std:: distributions), so a seed
// gives the same cases with every compiler and library.

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace hk::test {

// SplitMix64: small, fast, and the same sequence everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Whole number in [lo, hi], both included.
    long long between(long long lo, long long hi) {
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<long long>(next() % span);
    }

    bool chance(int percent) { return between(1, 100) <= percent; }

    // Any finite single, every bit pattern equally likely.
    float finiteSingle() {
        for (;;) {
            const auto bits = static_cast<std::uint32_t>(next());
            const float f = std::bit_cast<float>(bits);
            if (f - f == 0.0f) { // false for NaN and the infinities
                return f;
            }
        }
    }

    // A text of up to maxChars characters drawn from the given UTF-8
    // characters (each element one character).
    template <std::size_t N>
    std::string text(const std::string_view (&chars)[N], std::size_t maxChars) {
        std::string s;
        const auto n = static_cast<std::size_t>(between(0, static_cast<long long>(maxChars)));
        for (std::size_t i = 0; i < n; ++i) {
            s += chars[between(0, static_cast<long long>(N) - 1)];
        }
        return s;
    }

private:
    std::uint64_t state_;
};

// Characters a user types into the free-text fields: letters with umlauts
// and the euro sign (all held by Windows-1252), digits, blanks, and the
// punctuation that the project file must carry through (comma, semicolon).
inline constexpr std::string_view kTextChars[] = {
    "a", "b", "K", "z", "Z", "0", "1", "9", " ", ",", ";", "-", "/", ".", "ä", "ö",
    "ü", "Ä", "Ö", "Ü", "ß", "€", "é", "&", "(", ")", "#", "'", "+", "@", "µ", "°",
};

} // namespace hk::test
