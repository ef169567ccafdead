#include "export_command.h"

#include "common/text.h"

namespace hk {
namespace {

// Characters that one of the usual file systems refuses in a name.
bool FitsFileName(char32_t c) {
    if (c < 0x20 || c == 0x7F) {
        return false;
    }
    switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return false;
    default:
        return true;
    }
}

} // namespace

ExportOutcome ExportFile(FileDialogs& dialogs, MessageSink& messages,
                         const std::string& proposedName, const FileFilter& filter,
                         const ExportContent& content, FileOps& files) {
    const std::string name = dialogs.exportFileName(proposedName, filter);
    if (name.empty()) {
        return ExportOutcome::Cancelled;
    }
    const Result<std::string> bytes = content();
    const Result<void> written =
        bytes ? ReplaceFileSafely(files, name, *bytes) : Result<void>(bytes.problem());
    if (!written) {
        messages.showMessage(SaveFailedMessage(name, written.problem().message));
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

std::string ProposedFileName(std::string_view projektNr, std::string_view extension) {
    const auto first = projektNr.find_first_not_of(' ');
    const auto last = projektNr.find_last_not_of(' ');
    const std::string_view number = first == std::string_view::npos
                                        ? std::string_view{}
                                        : projektNr.substr(first, last - first + 1);
    std::string name = "Projekt";
    if (!number.empty()) {
        name += ' ';
        std::size_t taken = 0;
        for (std::size_t pos = 0; pos < number.size() && taken < kMaxNumberInFileName; ++taken) {
            const char32_t c = DecodeUtf8(number, pos);
            AppendUtf8(name, FitsFileName(c) ? c : U'_');
        }
    }
    name += '.';
    name += extension;
    return name;
}

} // namespace hk
