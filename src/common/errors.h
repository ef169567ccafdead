#pragma once
// The core's own errors for a step with numbers or the radiator table that
// cannot be done. Thrown by the number readings and the single and 16-bit
// stores (common), the radiator table's access (SubscriptError) and the
// conversion (calc), and by nothing else of the program.
//
// Caught in two places only:
// - the calculation's error trap (error_trap.h), which the calculation command
//   and the correction of a radiator run in: it catches these and, so that no
//   error ever leaves the handler, everything else too, reporting anything
//   that is not a CalcError as unexpected;
// - Caught() below, where a reading outside the calculation (a number of the
//   project file, an output typed into the heat-pump check, the check's
//   conversion at a target) turns the error into a Result.
// Everything else that can fail answers a Result (result.h).

#include "common/result.h"

#include <stdexcept>
#include <string>
#include <type_traits>

namespace hk {

class CalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Entry number outside 1..70.
class SubscriptError : public CalcError {
public:
    SubscriptError() : CalcError("subscript out of range") {}
};

// A value beyond the range of the type that receives it.
class OverflowError : public CalcError {
public:
    OverflowError() : CalcError("overflow") {}
};

// A text that is not a number where a number is required.
class TypeMismatchError : public CalcError {
public:
    TypeMismatchError() : CalcError("type mismatch") {}
};

class DivisionByZeroError : public CalcError {
public:
    DivisionByZeroError() : CalcError("division by zero") {}
};

// Logarithm of a negative value, negative base with a broken exponent.
class InvalidArgumentError : public CalcError {
public:
    InvalidArgumentError() : CalcError("invalid procedure call or argument") {}
};

// Runs a step of the core that may throw a CalcError: its value, or the
// error it threw. Any other exception passes on.
template <typename F> auto Caught(F&& step) -> Result<std::invoke_result_t<F>, CalcError> {
    try {
        return step();
    } catch (const CalcError& e) {
        return e;
    }
}

} // namespace hk
