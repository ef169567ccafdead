#pragma once
// The project file: eleven header lines, the counter line "LfNr,dNorm", one
// item-list row per entry 1 to LfNr, then the listing text and one more
// CR LF. Windows-1252 bytes on disk, CR LF line ends. Item lists are comma
// separated without blanks; texts stand in double quotes, a double quote
// inside a text doubled; numbers use the decimal point.

#include "calc/program_state.h"
#include "common/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace hk {

struct ProjectFileImage {
    std::string bytes;
    // What the file changed, one German sentence a field: a line break in a
    // one-line text is written as a blank.
    std::vector<std::string> notes;
};

// The whole file as Windows-1252 bytes. The counter line and the rows stop at
// entry 70. A text that Windows-1252 cannot hold, a number that is no number
// or a file above kMaxProjectFileBytes gives a problem: the file would not
// read back as the project. Bytes that would read as UTF-8 are written as
// UTF-8 with its byte order mark, so that they read back as they were.
Result<ProjectFileImage> ProjectFileBytes(const ProgramState& state);

struct LoadProblem {
    int line = 0;        // 1-based line of the file where reading stopped
    std::string message; // German, for the message box
    bool operator==(const LoadProblem&) const = default;
};

// Reads a whole file into state, all or nothing: on a problem state is left
// exactly as it was. On success the header, LfNr, dNorm and entries 1..LfNr
// are replaced and the file's listing is appended to ListingText.
Result<void, LoadProblem> ReadProjectFile(std::string_view bytes, ProgramState& state);

} // namespace hk
