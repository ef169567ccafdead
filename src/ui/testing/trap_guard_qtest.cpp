// The guard of the QtTest programs (common/testing/trap_guard.h).

#include "common/testing/trap_guard.h"

#include "common/error_trap.h"

#include <QtTest>

#include <string>

namespace hk::test {

void FailOnUnexpectedError(std::string_view what) {
    const std::string text =
        "an error that is no CalcError reached the calculation's error trap: " + std::string(what);
    QTest::qFail(text.c_str(), __FILE__, __LINE__);
}

namespace {
[[maybe_unused]] const bool kInstalled = (SetUnexpectedErrorReporter(&FailOnUnexpectedError), true);
} // namespace

} // namespace hk::test
