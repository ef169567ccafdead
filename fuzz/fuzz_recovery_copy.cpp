// The reader of the copy of unsaved work on arbitrary bytes, with the sample
// catalogue of typical radiators.
//
// Checked for every input:
//  - reading never throws: a copy that cannot be used gives a German reason;
//  - an accepted copy, written again, reads back the same project (header,
//    radiators, counter, reference, file name, check and balancing data and
//    what was unsaved of them).
// A failed check traps, which libFuzzer reports as a crash.

#include "project/recovery.h"
#include "support/samples.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <tuple>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

// What a copy must carry; the listing is left out, since every project file
// closes it with one more empty line, which continuing takes off again.
auto Carried(const hk::ProgramState& s) {
    return std::tuple(s.header, s.table, s.LfNr, s.dNorm, s.ProjectFile, s.Check, s.Balancing,
                      s.ProjectUnsaved(), s.CheckUnsaved());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const hk::TypicalRadiators radiators = hk::test::SampleRadiators();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = hk::ReadRecoveryBytes(bytes, radiators);
    if (!read) {
        if (read.problem().message.empty()) {
            Fail("a refused copy without a reason");
        }
        return 0;
    }
    const auto written = hk::RecoveryBytes(read->state, read->when);
    if (!written) {
        return 0; // a project the file cannot hold is refused before writing
    }
    const auto again = hk::ReadRecoveryBytes(*written, radiators);
    if (!again || again->when != read->when || Carried(again->state) != Carried(read->state)) {
        Fail("a copy written again does not read back the same");
    }
    return 0;
}
