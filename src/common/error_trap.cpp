#include "error_trap.h"

#include "common/errors.h"

#include <cstdio>
#include <exception>
#include <string>

namespace hk {
namespace {

void WriteToStderr(std::string_view what) {
    const std::string line =
        "hkberech: unexpected error in the calculation: " + std::string(what) + "\n";
    std::fputs(line.c_str(), stderr);
}

UnexpectedErrorReporter reporter = &WriteToStderr;

// Nothing leaves the trap, not even from the reporter.
void Report(std::string_view what) noexcept {
    try {
        reporter(what);
    } catch (...) {
    }
}

} // namespace

Result<void> RunTrapped(const std::function<void()>& step) {
    try {
        step();
        return {};
    } catch (const CalcError& e) {
        return Problem{e.what()};
    } catch (const std::exception& e) {
        Report(e.what());
        return Problem{std::string("unerwarteter Fehler: ") + e.what()};
    } catch (...) {
        Report("an exception that is no std::exception");
        return Problem{"unerwarteter Fehler"};
    }
}

UnexpectedErrorReporter SetUnexpectedErrorReporter(UnexpectedErrorReporter next) {
    const UnexpectedErrorReporter before = reporter;
    reporter = next != nullptr ? next : &WriteToStderr;
    return before;
}

} // namespace hk
