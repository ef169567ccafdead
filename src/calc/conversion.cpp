#include "conversion.h"

#include "common/errors.h"
#include "common/numbers.h"

#include <cmath>

namespace hk {
namespace {

// Ratio of return to supply excess below which the mean is logarithmic.
constexpr float kArithmeticLimit = 0.7f; // 0.699999988079071 in single precision

double Divide(double a, double b) {
    if (b == 0.0) {
        throw DivisionByZeroError();
    }
    return a / b;
}

std::int16_t Subtract16(std::int16_t a, std::int16_t b) {
    const int d = int{a} - int{b};
    if (d < -32768 || d > 32767) {
        throw OverflowError();
    }
    return static_cast<std::int16_t>(d);
}

} // namespace

ConversionResult Convert(const RadiatorEntry& e, std::int16_t dNorm) {
    ConversionResult r;
    // Excess temperatures of supply and return over the room, whole degrees.
    const std::int16_t dtV = ToInt16(double{e.dVorl} - double{e.dRaum});
    const std::int16_t dtR = ToInt16(double{e.dRueckl} - double{e.dRaum});
    const float ratio = StoreSingle(Divide(dtR, dtV));

    float dtm = 0;
    double n = 0;
    if (kArithmeticLimit > ratio) {
        r.logarithmic = true;
        const float d = StoreSingle(Subtract16(dtV, dtR));
        const float q = StoreSingle(Divide(dtV, dtR));
        if (!(q > 0.0f)) {
            throw InvalidArgumentError(); // supply and return on opposite sides of the room
        }
        const float l = StoreSingle(std::log(double{q}));
        dtm = StoreSingle(Divide(d, l));
        dtm = StoreSingle(RoundDecimals(dtm, 1));
        n = e.Exponent;
    } else {
        dtm = StoreSingle((double{e.dVorl} + double{e.dRueckl}) / 2.0 - double{e.dRaum});
        n = 4.0 / 3.0;
    }

    const double base = Divide(dtm, dNorm);
    const double power = std::pow(base, n);
    if (std::isnan(power)) {
        throw InvalidArgumentError(); // negative base, broken exponent
    }
    if (std::isinf(power)) {
        throw OverflowError();
    }
    float f = StoreSingle(Divide(1.0, power));
    f = StoreSingle(RoundDecimals(f, 2));
    float q = StoreSingle(double{f} * double{e.QRaum});
    q = StoreSingle(std::floor(double{q} + 0.5));

    r.dMittel = dtm;
    r.Faktor = f;
    r.QHKNeu = q;
    return r;
}

} // namespace hk
