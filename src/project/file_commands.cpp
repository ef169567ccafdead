#include "file_commands.h"

#include "project/check_file.h"
#include "project/project_file.h"

namespace hk {
namespace {

// The hourglass for as long as the scope lasts, whatever ends it.
class Hourglass {
public:
    explicit Hourglass(BusyIndicator& busy) : busy_(busy) { busy_.setBusy(true); }
    ~Hourglass() { busy_.setBusy(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    BusyIndicator& busy_;
};

} // namespace

std::string NamedFile(const std::string& name) { return "Die Datei\n" + name + "\n"; }

Message SaveFailedMessage(const std::string& name, const std::string& reason) {
    return {NamedFile(name) + "konnte nicht gespeichert werden.\n" + reason +
                ".\n\nEine vorhandene Datei dieses Namens ist unverändert.",
            std::string(kTitleNichtGespeichert), MsgIcon::Critical};
}

std::vector<FileFilter> SaveFilters() {
    return {{"Textdateien(*.Txt)", "*.TXT"}, {"Dateien(*.DAT)", "*.DAT"}};
}

std::vector<FileFilter> OpenFilters() {
    return {{"Textdateien(*.TXT)", "*.TXT"}, {"Dateien(*.Dat)", "*.DAT"}};
}

std::string mnuItemSave_Click(const ProgramState& state, FileDialogs& dialogs,
                              MessageSink& messages, FileOps& files) {
    // Checked before the dialog: the user learns at once, and no file is touched.
    std::string bytes;
    std::vector<std::string> notes;
    if (const auto problem = ProjectFileBytes(state, bytes, &notes)) {
        messages.showMessage({"Das Projekt wurde nicht gespeichert.\n\n" + problem->message +
                                  "\nBitte ändern Sie den Text.",
                              std::string(kTitleNichtGespeichert), MsgIcon::Exclamation});
        return {};
    }
    const std::string name = dialogs.saveFileName(SaveFilters());
    if (name.empty()) {
        return {};
    }
    if (const auto reason = ReplaceFileSafely(files, name, bytes)) {
        messages.showMessage(SaveFailedMessage(name, *reason));
        return {};
    }
    if (!notes.empty()) {
        std::string text = NamedFile(name) + "wurde gespeichert.\n";
        for (const std::string& note : notes) {
            text += "\n" + note;
        }
        messages.showMessage({text, std::string(kTitleGespeichert), MsgIcon::Information});
    }
    if (state.Check) {
        WriteCheckFile(state, name, messages, files);
    }
    return name;
}

LoadOutcome mnuItemOpen_Click(ProgramState& state, FileDialogs& dialogs, BusyIndicator& busy,
                              MessageSink& messages, FileOps& files) {
    const std::string name = dialogs.openFileName(std::string(kTitleOpenDialog), OpenFilters());
    if (name.empty()) {
        return LoadOutcome::NoFileChosen;
    }
    std::optional<std::string> unreadable;
    std::optional<LoadProblem> problem;
    {
        const Hourglass hourglass(busy);
        std::string bytes;
        unreadable = ReadWholeFile(files, name, kMaxProjectFileBytes, bytes);
        if (!unreadable) {
            problem = ReadProjectFile(bytes, state);
        }
    }
    if (unreadable) {
        messages.showMessage({NamedFile(name) + "kann nicht geöffnet werden.\n" + *unreadable +
                                  ".\n\nEs wurde nichts geladen.",
                              std::string(kTitleNichtGeladen), MsgIcon::Critical});
        return LoadOutcome::Refused;
    }
    if (problem) {
        messages.showMessage({NamedFile(name) + "ist keine gültige Projektdatei.\nZeile " +
                                  std::to_string(problem->line) + ": " + problem->message +
                                  ".\n\nEs wurde nichts geladen, die bisherigen Daten sind "
                                  "unverändert.",
                              std::string(kTitleNichtGeladen), MsgIcon::Exclamation});
        return LoadOutcome::Refused;
    }
    state.unsavedCalculations = false;
    state.ProjectFile = name;
    ReadCheckBeside(state, messages, files);
    return LoadOutcome::Loaded;
}

} // namespace hk
