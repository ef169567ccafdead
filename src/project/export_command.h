#pragma once
// Exporting the project in memory to a file of another kind (a report, a
// table for a spreadsheet): the save dialog with a proposed name and one
// filter, then the same safe replace as the project file. The program state
// is only read.

#include "common/message.h"
#include "common/result.h"
#include "project/file_commands.h"
#include "project/file_ops.h"

#include <functional>
#include <string>
#include <string_view>

namespace hk {

// Makes the file's bytes once the user has chosen the file. On failure the
// German reason, e.g. "Der Bericht konnte nicht erstellt werden".
using ExportContent = std::function<Result<std::string>()>;

enum class ExportOutcome {
    Cancelled, // no file chosen: nothing made, nothing written
    Written,   // the file holds the whole content
    Failed,    // message shown; no partial file, an older file is unchanged
};

// Asks for the file (proposing proposedName), makes the content and writes it
// safely. A failure is reported in a German message box naming the file.
ExportOutcome ExportFile(FileDialogs& dialogs, MessageSink& messages,
                         const std::string& proposedName, const FileFilter& filter,
                         const ExportContent& content, FileOps& files = SystemFileOps());

// The file name proposed for an export of the project numbered projektNr:
// "Projekt 2024-117.pdf" for "2024-117" and "pdf". Blanks around the number
// are dropped, characters a file name cannot hold on the usual file systems
// become "_", and an empty number gives "Projekt.pdf". The number is cut
// after kMaxNumberInFileName characters, so the name stays a valid one.
std::string ProposedFileName(std::string_view projektNr, std::string_view extension);
inline constexpr std::size_t kMaxNumberInFileName = 100;

} // namespace hk
