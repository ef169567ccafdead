#pragma once
// The core's own errors for a step with numbers or the radiator table that
// cannot be done: the number readings and single or 16-bit stores (common),
// the table access and the conversion (calc) throw these and nothing else.
// The calculation command's one error trap catches them, together with any
// other std::exception (std::bad_alloc) so that no error leaves the handler;
// the project file reader catches them where it reads a number and reports
// the item as out of range.

#include <stdexcept>
#include <string>

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

} // namespace hk
