// The reader of the heat-pump check's file beside the project file on
// arbitrary bytes, against the check's sample project of three radiators.
//
// Checked for every input:
//  - reading never throws: a file that cannot be used gives a German reason;
//  - an accepted file gives target temperatures the check accepts and, for
//    entries of the project only, typed outputs 1 to 99999 or radiators of
//    the catalogue with a length or section count they take;
//  - the accepted settings written again read back the same.
// A failed check traps, which libFuzzer reports as a crash.

#include "calc/program_state.h"
#include "project/check_file.h"
#include "support/samples.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

// The heat-pump check's sample project: three calculated radiators, and
// the sample catalogue of typical radiators.
const hk::ProgramState& Project() {
    static const hk::ProgramState s = [] {
        hk::ProgramState p = hk::test::CheckProject();
        p.Radiators = hk::test::SampleRadiators();
        return p;
    }();
    return s;
}

bool Fits(const hk::InstalledChoice& c) {
    if (c.radiator.empty()) {
        return c.output >= hk::kInstalledMin && c.output <= hk::kInstalledMax;
    }
    const auto radiator = hk::FindRadiator(Project().Radiators, c.radiator);
    return c.output == 0 && radiator && hk::ValidCount(*radiator, c.count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = hk::ReadCheckFile(bytes, Project());
    if (!read) {
        if (read.problem().message.empty()) {
            Fail("a refused file without a reason");
        }
        return 0;
    }
    const hk::CheckSettings* settings = &*read;
    if (!hk::ValidTargets(settings->supply, settings->ret)) {
        Fail("targets the check does not accept");
    }
    for (const auto& [entry, choice] : settings->installed) {
        if (entry < 1 || entry > 3 || !Fits(choice)) {
            Fail("an installed radiator outside the project, the range or the catalogue");
        }
    }
    const auto again = hk::ReadCheckFile(hk::CheckFileBytes(Project(), *settings), Project());
    if (!again || *again != *settings) {
        Fail("written settings do not read back the same");
    }
    return 0;
}
