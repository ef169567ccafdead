#pragma once
// The calculation's one error trap. The calculation command and the
// correction of a radiator run their step in it: whatever the step throws is
// caught here and never leaves the handler, and the caller shows its general
// message. Only the core's own errors (CalcError, errors.h) are expected to
// arrive; anything else (std::bad_alloc, a library's exception, a thrown int)
// is also caught, but first handed to the unexpected-error reporter, which
// tests replace so that such an error fails them.

#include "common/result.h"

#include <functional>
#include <string_view>

namespace hk {

// Success when step ran to its end; when it threw, a Problem with the
// error's text (the core's own: "overflow", "type mismatch", ...; anything
// else: "unerwarteter Fehler: " and its text). Callers show their general
// message; the text tells a test or a log what went wrong.
Result<void> RunTrapped(const std::function<void()>& step);

// Told of every error that reaches the trap and is no CalcError; what is the
// exception's what() text, or a fixed text for something that is no
// std::exception. The program's own reporter writes one line to stderr.
using UnexpectedErrorReporter = void (*)(std::string_view what);

// Installs reporter (nullptr: the program's own) and answers the one before.
UnexpectedErrorReporter SetUnexpectedErrorReporter(UnexpectedErrorReporter reporter);

} // namespace hk
