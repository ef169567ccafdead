#pragma once
// The bytes the project file writer makes of a state, for tests that go on
// with them; a state the writer refuses fails the test (GoogleTest).

#include "calc/program_state.h"
#include "project/project_file.h"

#include <gtest/gtest.h>

#include <string>

namespace hk::test {

// The project file of s; empty (and the test failed) when it cannot be saved.
inline std::string SavedBytes(const ProgramState& s) {
    const auto image = ProjectFileBytes(s);
    EXPECT_TRUE(image) << image.problem().message;
    return image ? image->bytes : std::string();
}

} // namespace hk::test
