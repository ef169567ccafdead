#pragma once
// The errors that the calculation command's one error trap catches. Every
// failing step of a calculation raises one of these; nothing else is thrown
// by the core for bad numbers or bad table access.

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
