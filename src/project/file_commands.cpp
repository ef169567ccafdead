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
    const auto image = ProjectFileBytes(state);
    if (!image) {
        messages.showMessage({"Das Projekt wurde nicht gespeichert.\n\n" + image.problem().message,
                              std::string(kTitleNichtGespeichert), MsgIcon::Exclamation});
        return {};
    }
    const std::string name = dialogs.saveFileName(SaveFilters(), state.ProjectFile);
    if (name.empty()) {
        return {};
    }
    // Decided before the project file changes: the check file beside it must
    // fit the project that is on the disk now.
    const auto checkBelongs = CheckBesideBelongs(state, name, files);
    if (const auto saved = ReplaceFileSafely(files, name, image->bytes); !saved) {
        messages.showMessage(SaveFailedMessage(name, saved.problem().message));
        return {};
    }
    if (!checkBelongs) {
        SetCheckAside(name, checkBelongs.problem(), messages, files);
    }
    if (!image->notes.empty()) {
        std::string text = NamedFile(name) + "wurde gespeichert.\n";
        for (const std::string& note : image->notes) {
            text += "\n" + note;
        }
        messages.showMessage({text, std::string(kTitleGespeichert), MsgIcon::Information});
    }
    if (state.Check || state.Balancing) {
        // A failure was shown; the project itself is saved all the same.
        static_cast<void>(WriteCheckFile(state, name, messages, files));
    }
    return name;
}

LoadOutcome mnuItemOpen_Click(ProgramState& state, FileDialogs& dialogs, BusyIndicator& busy,
                              MessageSink& messages, FileOps& files) {
    const std::string name = dialogs.openFileName(std::string(kTitleOpenDialog), OpenFilters());
    if (name.empty()) {
        return LoadOutcome::NoFileChosen;
    }
    // The hourglass goes off when the reading ends, before any message.
    const Result<void, Message> loaded = [&]() -> Result<void, Message> {
        const Hourglass hourglass(busy);
        const auto bytes = ReadWholeFile(files, name, kMaxProjectFileBytes);
        if (!bytes) {
            return Message{NamedFile(name) + "kann nicht geöffnet werden.\n" +
                               bytes.problem().message + ".\n\nEs wurde nichts geladen.",
                           std::string(kTitleNichtGeladen), MsgIcon::Critical};
        }
        if (const auto read = ReadProjectFile(*bytes, state); !read) {
            return Message{NamedFile(name) + "ist keine gültige Projektdatei.\nZeile " +
                               std::to_string(read.problem().line) + ": " + read.problem().message +
                               ".\n\nEs wurde nichts geladen, die bisherigen Daten sind "
                               "unverändert.",
                           std::string(kTitleNichtGeladen), MsgIcon::Exclamation};
        }
        return {};
    }();
    if (!loaded) {
        messages.showMessage(loaded.problem());
        return LoadOutcome::Refused;
    }
    state.Saved();
    state.ProjectFile = name;
    ReadCheckBeside(state, messages, files);
    return LoadOutcome::Loaded;
}

} // namespace hk
