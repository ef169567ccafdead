// The calculation command's error trap: whatever a step of "Ergebnis" throws
// ends in the general message, and only the core's own errors pass without
// the unexpected-error reporter hearing of them.

#include "calc/calc_form.h"
#include "calc/tests/fake_calc_screen.h"
#include "common/error_trap.h"
#include "common/errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace hk {
namespace {

// The listing is the last step of the command; it throws what the row says.
class ThrowingListing : public ListingSink {
public:
    std::function<void()> fail;
    void Anzeigen() override {}
    void Ergebn() override { fail(); }
    void ErgebnOf(int /*n*/) override {}
};

std::vector<std::string> reported;
void Record(std::string_view what) { reported.emplace_back(what); }

struct Fault {
    const char* name;
    std::function<void()> fail;
    bool unexpected;
};

void PrintTo(const Fault& f, std::ostream* os) { *os << f.name; }

class CommandTrapTest : public ::testing::TestWithParam<Fault> {
protected:
    ProgramState state;
    test::FakeCalcScreen screen;
    ThrowingListing listing;
    CalcForm form{state, screen, listing};
    UnexpectedErrorReporter guard = nullptr;

    void SetUp() override {
        reported.clear();
        guard = SetUnexpectedErrorReporter(&Record);
        form.Form_Load();
        screen.dinSelected = true;
        form.optDIN_Click();
        screen.typeRadiator("70", "40", "0001", "Küche", "20", "1000");
        screen.selectedIndex = 0;
        form.Expon_Click();
        listing.fail = GetParam().fail;
    }
    void TearDown() override { SetUnexpectedErrorReporter(guard); }
};

TEST_P(CommandTrapTest, EveryErrorEndsInTheGeneralMessage) {
    EXPECT_NO_THROW(form.cmdErgebnis_Click());
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, kMsgGeneralError);
    EXPECT_EQ(screen.messages[0].title, kTitleEingabefehler);
    EXPECT_EQ(screen.focus, CalcControl::txtdVorl);
    EXPECT_EQ(reported.size(), GetParam().unexpected ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    ErrorTrap, CommandTrapTest,
    ::testing::Values(Fault{"OutOfMemory", [] { throw std::bad_alloc(); }, true},
                      Fault{"RuntimeError", [] { throw std::runtime_error("Plattenfehler"); },
                            true},
                      Fault{"IntThrown", [] { throw 7; }, true},
                      Fault{"Overflow", [] { throw OverflowError(); }, false},
                      Fault{"Subscript", [] { throw SubscriptError(); }, false},
                      Fault{"TypeMismatch", [] { throw TypeMismatchError(); }, false},
                      Fault{"DivisionByZero", [] { throw DivisionByZeroError(); }, false},
                      Fault{"InvalidArgument", [] { throw InvalidArgumentError(); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hk
