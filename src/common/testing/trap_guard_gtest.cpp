// The guard of the GoogleTest programs (trap_guard.h).

#include "common/testing/trap_guard.h"

#include "common/error_trap.h"

#include <gtest/gtest.h>

namespace hk::test {

void FailOnUnexpectedError(std::string_view what) {
    ADD_FAILURE() << "an error that is no CalcError reached the calculation's error trap: " << what;
}

namespace {
[[maybe_unused]] const bool kInstalled = (SetUnexpectedErrorReporter(&FailOnUnexpectedError), true);
} // namespace

} // namespace hk::test
