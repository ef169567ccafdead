#pragma once
// Saving and loading a project from the screens: the file dialogs, the
// hourglass and the messages reach the core through these interfaces.

#include "calc/program_state.h"
#include "common/message.h"
#include "project/file_ops.h"

#include <string>
#include <string_view>
#include <vector>

namespace hk {

struct FileFilter {
    std::string description; // e.g. "Textdateien(*.Txt)"
    std::string pattern;     // e.g. "*.TXT"
    bool operator==(const FileFilter&) const = default;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file name, or the empty text when the user cancelled. A
    // proposed path (the project's file) sets the dialog's folder and name.
    virtual std::string saveFileName(const std::vector<FileFilter>& filters,
                                     const std::string& proposedPath) = 0;
    virtual std::string openFileName(const std::string& title,
                                     const std::vector<FileFilter>& filters) = 0;
    // The save dialog of an export: proposedName stands in the name box, the
    // one filter is offered, and a name typed without an extension gets the
    // filter's.
    virtual std::string exportFileName(const std::string& proposedName,
                                       const FileFilter& filter) = 0;
};

class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void setBusy(bool busy) = 0; // hourglass pointer on the project data screen
};

inline constexpr std::string_view kTitleNichtGespeichert = "Datei nicht gespeichert";
inline constexpr std::string_view kTitleGespeichert = "Datei gespeichert";
inline constexpr std::string_view kTitleNichtGeladen = "Datei nicht geladen";
inline constexpr std::string_view kTitleOpenDialog = "Datei wird geöffnet";

// The message when the file name could not be written, naming the file.
Message SaveFailedMessage(const std::string& name, const std::string& reason);

// The filters of the two dialogs; their descriptions differ in case.
std::vector<FileFilter> SaveFilters(); // "Textdateien(*.Txt)|*.TXT|Dateien(*.DAT)|*.DAT"
std::vector<FileFilter> OpenFilters(); // "Textdateien(*.TXT)|*.TXT|Dateien(*.Dat)|*.DAT"

// "Die Datei\n<name>\n": how a message names a file.
std::string NamedFile(const std::string& name);

// "&Speichern unter" of the calculation screen. Never destroys a good file;
// a failure is reported in a German message box. Changes no program state.
// A project holding a text the file cannot carry, or too large to be loaded
// again, is refused before the dialog; a line break in a one-line text is
// saved as a blank and said in a message after the save. While the heat-pump
// check or the balancing holds data (state.Check, state.Balancing) the
// check's file is written beside the project file as well. Gives the name of
// the project file written, or the empty text when none was (the caller then
// keeps the unsaved mark).
std::string mnuItemSave_Click(const ProgramState& state, FileDialogs& dialogs,
                              MessageSink& messages, FileOps& files = SystemFileOps());

enum class LoadOutcome {
    NoFileChosen, // dialog cancelled: the display screen opens with an empty box
    Loaded,       // state replaced; the display screen shows ListingText
    Refused,      // message shown, state unchanged, stay on the project data screen
};

// "&Laden" of the project data screen. All or nothing; a loaded project
// has nothing unsaved.
// The hourglass is on while the file is read and off again before any message.
// A loaded project remembers its file (state.ProjectFile) and takes the
// heat-pump check's data from the file beside it, if there is a usable one.
LoadOutcome mnuItemOpen_Click(ProgramState& state, FileDialogs& dialogs, BusyIndicator& busy,
                              MessageSink& messages, FileOps& files = SystemFileOps());

} // namespace hk
