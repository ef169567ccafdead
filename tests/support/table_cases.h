#pragma once
// Rows that many table tests share.

#include "calc/program_state.h"

#include <functional>
#include <string>

namespace hk::test {

// A row that maps one text to another: what goes in and what must come out.
struct TextCase {
    const char* name;
    std::string in;
    std::string out;
};

// A row that spoils a project and names a part of what the refusal says.
struct SpoiltProject {
    const char* name;
    std::function<void(ProgramState&)> spoil;
    const char* says;
};

} // namespace hk::test
