#include "common/error_trap.h"
#include "common/errors.h"
#include "common/testing/trap_guard.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace hk {
namespace {

std::vector<std::string>& Reported() {
    static std::vector<std::string> reported;
    return reported;
}

void Record(std::string_view what) { Reported().emplace_back(what); }

// Puts the recorder in the guard's place for one test, and the guard back.
class TrapTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reported().clear();
        before_ = SetUnexpectedErrorReporter(&Record);
    }
    void TearDown() override { SetUnexpectedErrorReporter(before_); }

private:
    UnexpectedErrorReporter before_ = nullptr;
};

struct Thrown {
    const char* name;
    std::function<void()> step;
    bool unexpected;       // the reporter is told
    const char* reportsAs; // part of what it is told
};

void PrintTo(const Thrown& t, std::ostream* os) { *os << t.name; }

class TrapKindTest : public TrapTest, public ::testing::WithParamInterface<Thrown> {};

TEST_P(TrapKindTest, CatchesAndReportsOnlyWhatIsNotTheCoresOwn) {
    Result<void> trapped;
    EXPECT_NO_THROW(trapped = RunTrapped(GetParam().step));
    ASSERT_FALSE(trapped.ok());
    // The caller can tell the core's own error from one that should not be.
    EXPECT_EQ(trapped.problem().message.rfind("unerwarteter Fehler", 0) == 0, GetParam().unexpected)
        << trapped.problem().message;
    if (!GetParam().unexpected) {
        EXPECT_TRUE(Reported().empty()) << Reported().front();
        return;
    }
    ASSERT_EQ(Reported().size(), 1u);
    EXPECT_NE(Reported()[0].find(GetParam().reportsAs), std::string::npos) << Reported()[0];
}

INSTANTIATE_TEST_SUITE_P(
    ErrorTrap, TrapKindTest,
    ::testing::Values(Thrown{"OutOfMemory", [] { throw std::bad_alloc(); }, true, "bad_alloc"},
                      Thrown{"RuntimeError", [] { throw std::runtime_error("Plattenfehler"); },
                             true, "Plattenfehler"},
                      Thrown{"OutOfRangeOfALibrary", [] { (void)std::string("abc").at(7); }, true,
                             ""},
                      Thrown{"IntThrown", [] { throw 7; }, true, "no std::exception"},
                      Thrown{"Subscript", [] { throw SubscriptError(); }, false, ""},
                      Thrown{"Overflow", [] { throw OverflowError(); }, false, ""},
                      Thrown{"TypeMismatch", [] { throw TypeMismatchError(); }, false, ""},
                      Thrown{"DivisionByZero", [] { throw DivisionByZeroError(); }, false, ""},
                      Thrown{"InvalidArgument", [] { throw InvalidArgumentError(); }, false, ""},
                      Thrown{"CalcErrorItself", [] { throw CalcError("eigener"); }, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrapTest, AStepThatEndsIsNoError) {
    int runs = 0;
    EXPECT_TRUE(RunTrapped([&] { ++runs; }).ok());
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(Reported().empty());
}

TEST(ErrorTrap, AReporterThatThrowsDoesNotLeaveTheTrap) {
    const auto before =
        SetUnexpectedErrorReporter([](std::string_view) { throw std::runtime_error("im Melder"); });
    bool finished = true;
    EXPECT_NO_THROW(finished = RunTrapped([] { throw std::bad_alloc(); }).ok());
    SetUnexpectedErrorReporter(before);
    EXPECT_FALSE(finished);
}

TEST(ErrorTrap, NoReporterMeansTheProgramsOwnLineOnStderr) {
    const auto before = SetUnexpectedErrorReporter(nullptr);
    ::testing::internal::CaptureStderr();
    const bool finished = RunTrapped([] { throw std::runtime_error("Plattenfehler"); }).ok();
    const std::string said = ::testing::internal::GetCapturedStderr();
    SetUnexpectedErrorReporter(before);
    EXPECT_FALSE(finished);
    EXPECT_NE(said.find("Plattenfehler"), std::string::npos) << said;
}

// The guard every test program carries is in place, and it fails the test
// in which such an error reaches the trap.
TEST(TrapGuard, IsInstalledBeforeTheFirstTest) {
    const auto installed = SetUnexpectedErrorReporter(nullptr);
    SetUnexpectedErrorReporter(installed);
    EXPECT_EQ(installed, &test::FailOnUnexpectedError);
}

TEST(TrapGuard, FailsTheTestAnUnexpectedErrorReachesTheTrapIn) {
    EXPECT_NONFATAL_FAILURE((void)RunTrapped([] { throw std::runtime_error("Plattenfehler"); }),
                            "reached the calculation's error trap: Plattenfehler");
}

TEST(TrapGuard, LetsTheCoresOwnErrorsPass) {
    EXPECT_FALSE(RunTrapped([] { throw OverflowError(); }).ok()); // and no failure is added
}

} // namespace
} // namespace hk
