#include "common/errors.h"
#include "common/numbers.h"
#include "common/result.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>

namespace hk {
namespace {

// What a value or a problem says is no sign of success or failure: the
// empty text is a value, a problem without words is still a problem (the
// answers of the old style told failure by the text being there).
TEST(Result, OkFollowsWhatWasGivenNotWhatItHolds) {
    const Result<std::string> emptyText = std::string();
    EXPECT_TRUE(emptyText);
    EXPECT_EQ(*emptyText, "");
    const Result<std::string> wordless = Problem{};
    EXPECT_FALSE(wordless);
    const Result<void> silent = Problem{};
    EXPECT_FALSE(silent.ok());
    EXPECT_TRUE(Result<void>().ok());
}

// Asking for what is not there is the caller's fault and ends the program,
// in every build, rather than handing out a value that was never made.
TEST(ResultDeathTest, TheMissingSideEndsTheProgram) {
    const Result<int> failed = Problem{"Die Datei ist leer"};
    EXPECT_DEATH((void)failed.value(), "Result::value");
    EXPECT_DEATH((void)*Result<std::string>(Problem{"leer"}), "Result::value");
    EXPECT_EQ(failed.problem().message, "Die Datei ist leer");
    const Result<int> fine = 5;
    EXPECT_DEATH((void)fine.problem(), "Result::problem");
    EXPECT_DEATH((void)Result<void>().problem(), "Result::problem");
}

TEST(Result, AValueThatCanOnlyMoveIsHandedOut) {
    Result<std::unique_ptr<int>> made = std::make_unique<int>(42);
    ASSERT_TRUE(made);
    const std::unique_ptr<int> taken = std::move(made).value();
    EXPECT_EQ(*taken, 42);
}

struct Step {
    const char* name;
    std::function<double()> run;
    bool ok;
    double value;      // when ok
    const char* error; // what() of the CalcError, when not
};

class CaughtTest : public ::testing::TestWithParam<Step> {};

TEST_P(CaughtTest, TurnsTheCoresErrorIntoTheResult) {
    const auto got = Caught(GetParam().run);
    ASSERT_EQ(got.ok(), GetParam().ok);
    if (got) {
        EXPECT_EQ(*got, GetParam().value);
    } else {
        EXPECT_STREQ(got.problem().what(), GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Readings, CaughtTest,
    ::testing::Values(
        Step{"Number", [] { return LeadingNumber("75.5"); }, true, 75.5, ""},
        Step{"NoNumberIsZero", [] { return LeadingNumber("abc"); }, true, 0, ""},
        Step{"BeyondDouble", [] { return LeadingNumber("1E400"); }, false, 0, "overflow"},
        Step{"BeyondSingle", [] { return double{StoreSingle(1e39)}; }, false, 0, "overflow"},
        Step{"NotGerman", [] { return RegionalNumber("12x"); }, false, 0, "type mismatch"},
        Step{"SixteenBitsAtTheTop", [] { return static_cast<double>(ToInt16(32767.4)); }, true,
             32767, ""},
        Step{"SixteenBitsAbove", [] { return static_cast<double>(ToInt16(32767.5)); }, false, 0,
             "overflow"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Caught, OtherErrorsPassOn) {
    EXPECT_THROW((void)Caught([]() -> int { throw std::runtime_error("kein Rechenfehler"); }),
                 std::runtime_error);
}

} // namespace
} // namespace hk
