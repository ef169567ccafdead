#pragma once
// The modal and outside things the screens use: message boxes, the file
// dialogs, the printer and the end of the program. The program hands the
// screens the Qt implementations (qt_services.h); tests hand them recorders,
// so no test ever waits on a modal window.

#include "calc/program_state.h"
#include "common/message.h"
#include "project/file_commands.h"

#include <functional>
#include <string>

class QWidget;

namespace hk::ui {

// The answer to a question with three buttons.
enum class Choice { Confirm, Other, Cancel };

// Asked when the check window or the program is left with check values not
// saved: "Speichern", "Verwerfen", "Abbrechen".
Question UnsavedCheckQuestion();
// Asked when the balancing window is left with inputs not saved: the same
// three buttons.
Question UnsavedBalancingQuestion();

// The folder of the running program, where a build folder keeps the shipped
// data tables.
std::string ProgramFolder();

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal over parent; returns when the box has been closed.
    virtual void show(QWidget* parent, const Message& message) = 0;
    // Modal over parent; true when the user chose the confirm button.
    virtual bool ask(QWidget* parent, const Question& question) = 0;
    // The same with question.other as a third button; cancel is the default.
    virtual Choice choose(QWidget* parent, const Question& question) = 0;
};

// The message boxes of the core, shown over one window.
class MessagesOver : public MessageSink {
public:
    MessagesOver(MessageBoxes& boxes, QWidget* parent) : boxes_(boxes), parent_(parent) {}
    void showMessage(const Message& message) override { boxes_.show(parent_, message); }

private:
    MessageBoxes& boxes_;
    QWidget* parent_;
};

class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // Prints header and table of the project in state.
    virtual void print(const ProgramState& state, QWidget* parent) = 0;
};

struct Services {
    MessageBoxes& messages;
    FileDialogs& dialogs;
    ReportPrinter& printer;
    // Ends the program at once.
    std::function<void()> endProgram;
    // Where the copy of unsaved work is kept and looked for at the start;
    // empty: nowhere (tests that are not about it).
    std::string recoveryFolder = {};
};

} // namespace hk::ui
