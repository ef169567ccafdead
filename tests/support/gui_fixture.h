#pragma once
// What every screen test shares: recorders in place of the modal things,
// a watch that fails the test when a modal window appears anyway (and
// closes it, so that no test blocks), and helpers that walk the screens.

#include "support/fakes.h"
#include "support/file_dialogs.h"
#include "ui/app_shell.h"
#include "ui/services.h"

#include <QApplication>
#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <string>
#include <vector>

namespace hk::ui::test {

// The core's message recorder as the screens' message boxes: shown holds the
// messages, parents the window each was shown over, in the same order.
class RecordingMessages : public MessageBoxes, public hk::test::MessageLog {
public:
    std::vector<QWidget*> parents;
    void show(QWidget* parent, const Message& message) override {
        parents.push_back(parent);
        showMessage(message);
    }
    // Answers questions from a queue; an exhausted queue answers with the
    // default button (cancel), as Enter would.
    std::deque<bool> answers;
    std::vector<Question> asked;
    bool ask(QWidget* /*parent*/, const Question& question) override {
        asked.push_back(question);
        if (answers.empty()) {
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    // Three-way questions: answered from their own queue, Cancel when empty.
    std::deque<Choice> choices;
    Choice choose(QWidget* /*parent*/, const Question& question) override {
        asked.push_back(question);
        if (choices.empty()) {
            return Choice::Cancel;
        }
        const Choice c = choices.front();
        choices.pop_front();
        return c;
    }
};

using hk::test::FakeFileDialogs;

class RecordingPrinter : public ReportPrinter {
public:
    std::vector<ProgramState> printed;
    std::vector<QWidget*> parents;
    void print(const ProgramState& state, QWidget* parent) override {
        printed.push_back(state);
        parents.push_back(parent);
    }
};

// Drops the offscreen platform's note that it cannot pass the screens'
// fixed sizes on to a window system; everything else goes to QtTest.
inline void QuietFixedSizeNotes() {
    static QtMessageHandler testHandler = nullptr;
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    testHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (text != QLatin1String("This plugin does not support propagateSizeHints()")) {
                testHandler(type, context, text);
            }
        });
}

// Polls for modal windows every 20 ms while armed. A window a test opens on
// purpose and drives itself can be allowed by its object name.
class ModalWatch : public QObject {
public:
    ModalWatch() {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !allowed_.contains(modal->objectName())) {
                seen_ << modal->metaObject()->className() + QStringLiteral(" \"") +
                             modal->windowTitle() + QLatin1Char('"');
                modal->close();
            }
        });
    }
    void arm() {
        QuietFixedSizeNotes();
        seen_.clear();
        allowed_.clear();
        timer_.start();
    }
    void allow(const QString& objectName) { allowed_ << objectName; }
    // The modal windows seen since arm(), as "Class "title"".
    QStringList disarm() {
        timer_.stop();
        return seen_;
    }

private:
    QTimer timer_;
    QStringList seen_;
    QStringList allowed_;
};

// The title screen's timers as the program runs them: for the tests of the
// timers themselves.
inline constexpr TitleTimings kProgramTitle{};
// For tests that only pass the title screen: "Lesen" at once, the change to
// the project data screen half a second later, time enough to click "Lesen".
inline constexpr TitleTimings kQuickTitle{10, 500};
// The program's timers at a fifth of their length, for tests of what happens
// when they run out; how long they are is checked at full length once.
inline constexpr TitleTimings kFifthTitle{kProgramTitle.timer1 / 5, kProgramTitle.timer2 / 5};

// One run of the program with recorders for all its modal things; a test
// may hand in a printer of its own.
struct Harness {
    ProgramState state;
    RecordingMessages messages;
    FakeFileDialogs dialogs;
    RecordingPrinter printer;
    int endCalls = 0;
    AppShell shell;

    explicit Harness(ReportPrinter* otherPrinter = nullptr, TitleTimings title = kQuickTitle,
                     std::string recoveryFolder = {})
        : shell(state,
                Services{messages, dialogs, otherPrinter ? *otherPrinter : printer,
                         [this] { ++endCalls; }, std::move(recoveryFolder)},
                title) {}
    explicit Harness(TitleTimings title) : Harness(nullptr, title) {}
};

// The bytes of a file, as the core tests read them (Slurp); empty when it
// cannot be read.
inline QByteArray FileBytes(const QString& path) {
    return QByteArray::fromStdString(hk::test::Slurp(path.toStdString()));
}

// Types text into w key by key. QTest::keyClicks takes ASCII only; other
// letters go as key events carrying their text, as a keyboard sends them.
inline void TypeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(w, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// The visible top-level screens, by object name.
inline QStringList VisibleScreens() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->objectName().isEmpty()) {
            names << w->objectName();
        }
    }
    names.sort();
    return names;
}

} // namespace hk::ui::test
