#pragma once
// Every test program installs FailOnUnexpectedError as the calculation trap's
// unexpected-error reporter before its first test (hk_add_test links the guard
// of its framework in): an error other than the core's own that reaches the
// trap fails the running test, although the trap itself swallows it.

#include <string_view>

namespace hk::test {

void FailOnUnexpectedError(std::string_view what);

} // namespace hk::test
