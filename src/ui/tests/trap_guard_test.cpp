// The guard the QtTest programs carry: an error that is no CalcError and
// reaches the calculation's error trap fails the running test function.

#include "common/error_trap.h"
#include "common/errors.h"
#include "common/testing/trap_guard.h"

#include <QtTest>

#include <new>
#include <stdexcept>

class TrapGuardTest : public QObject {
    Q_OBJECT

private slots:
    void isInstalledBeforeTheFirstTest() {
        const auto installed = hk::SetUnexpectedErrorReporter(nullptr);
        hk::SetUnexpectedErrorReporter(installed);
        QVERIFY(installed == &hk::test::FailOnUnexpectedError);
    }

    // The failure the guard adds is expected here; had it added none, the
    // check after the trap would be an unexpected pass and fail the test.
    void failsTheTestFunction_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("out of memory") << 0;
        QTest::newRow("runtime error") << 1;
        QTest::newRow("int thrown") << 2;
    }
    void failsTheTestFunction() {
        QFETCH(int, kind);
        QEXPECT_FAIL("", "the guard fails this test function", Continue);
        const bool finished = hk::RunTrapped([kind] {
                                  if (kind == 0) {
                                      throw std::bad_alloc();
                                  }
                                  if (kind == 1) {
                                      throw std::runtime_error("Plattenfehler");
                                  }
                                  throw kind;
                              }).ok();
        QVERIFY(!finished);
    }

    void letsTheCoresOwnErrorsPass() {
        QVERIFY(!hk::RunTrapped([] { throw hk::OverflowError(); }).ok());
        QVERIFY(!hk::RunTrapped([] { throw hk::SubscriptError(); }).ok());
    }
};

QTEST_GUILESS_MAIN(TrapGuardTest)
#include "trap_guard_test.moc"
