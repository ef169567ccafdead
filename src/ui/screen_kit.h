#pragma once
// Building blocks of the five screens: a top-level window with a client area
// of fixed size in twips (the menu bar, where a screen has one, sits above
// it), and labels, text boxes and buttons placed in twips on that area.

#include <QAction>
#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QValidator>

#include "ui/extras_menu.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace hk::ui {

inline constexpr int kTwipsPerPixel = 15; // at 96 dpi

// Light cyan: the background of every screen and every label.
inline const QColor kLightCyan{128, 255, 255};

// Where a control sits on its screen's client area: (Left, Top, Width,
// Height) in twips, as the screens were drawn.
struct Placement {
    int left, top, width, height; // twips
};

// A placement in device-independent pixels, each value rounded on its own.
QRect Twips(Placement at);

// The controls of a window by the ids of its own control enum: control(id)
// gives the widget, control<QLineEdit>(id) the widget as that type (nullptr
// when it is not one). An id the window never kept throws std::out_of_range.
template <class Id> class ControlMap {
public:
    template <class W = QWidget> W* control(Id id) const {
        return qobject_cast<W*>(controls_.at(id));
    }

protected:
    template <class W> W* keep(Id id, W* widget) {
        controls_[id] = widget;
        return widget;
    }

private:
    std::map<Id, QWidget*> controls_;
};

// The dialog font that controls without a font of their own use.
QFont DefaultFont();

// Keeps a one-line box on one line and within what a project file can hold:
// a typed or pasted line break or tab becomes a blank, and characters that
// Windows-1252 cannot hold are left out, which a tooltip at the box names.
class Cp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// A line of a listing box holds at most this many characters. Qt lays out
// a line without blanks in time that grows with the square of its length (a
// listing of one 15 MB line froze the screen), so a longer line is shown as
// several lines of the box; the listing itself is not changed.
inline constexpr qsizetype kDisplayLineChars = 1024;

// A listing box shows at most this many lines: a box of millions of short
// lines takes seconds to fill. A listing of 70 radiators has some 80 lines.
inline constexpr qsizetype kDisplayMaxLines = 20000;

// The text a listing box shows for text with CR LF line ends: LF line ends,
// lines longer than kDisplayLineChars broken into lines of that length, and
// after kDisplayMaxLines lines a note that the listing is longer.
QString DisplayText(const std::string& text);

// Shows text with CR LF line ends in a multi-line box (DisplayText).
void ShowCrLfText(QPlainTextEdit* box, const std::string& text);

// A top-level screen. The client area has the given size in twips and the
// window opens with its frame at the given position in twips. Closing the
// window through its frame runs the close handler (the program ends, unless
// the user keeps unsaved work); without a handler the window just closes.
class Screen : public QMainWindow {
    Q_OBJECT
public:
    Screen(const QString& name, const QString& caption, int clientWidth, int clientHeight, int left,
           int top);

    QWidget* client() const { return client_; }
    void setCloseHandler(std::function<void()> handler) { onClose_ = std::move(handler); }

signals:
    // An item of the menu "E&xtras" was chosen.
    void extrasTriggered(hk::ui::ExtrasCommand command);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Lets the menu's Ctrl keys win over the same keys of the text boxes.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // A label with a light cyan background, word-wrapped and top-aligned in
    // its box like the labels the screens were drawn with.
    QLabel* addLabel(const QString& name, const QString& text, Placement at, const QFont& font,
                     Qt::Alignment horizontal = Qt::AlignHCenter, QColor colour = Qt::black);
    // A single-line text box showing its text centred and taking only
    // Windows-1252 characters on one line (Cp1252Validator); maxLength 0
    // sets no limit at all.
    QLineEdit* addTextBox(const QString& name, Placement at, const QFont& font,
                          const QString& toolTip = {}, int maxLength = 0);
    // A read-only multi-line box with a vertical scroll bar for a result
    // listing; its lines wrap at the box's width.
    QPlainTextEdit* addListingBox(const QString& name, Placement at, const QFont& font,
                                  const QString& toolTip = {});
    QPushButton* addButton(const QString& name, const QString& caption, Placement at,
                           const QFont& font, const QString& toolTip = {});
    // An item of a menu: choosing it (or its Ctrl key) runs triggered, a
    // member of the screen S (usually a signal for the shell).
    template <class S> struct MenuItem {
        const char* name;    // object name of the action
        const char* caption; // with its mnemonic
        Qt::Key ctrlKey;     // Qt::Key_unknown: no shortcut
        void (S::*triggered)();
    };
    // A menu right of the menus built so far, with its items in order.
    template <class S>
    QMenu* addMenu(const QString& name, const QString& caption,
                   std::initializer_list<MenuItem<S>> items) {
        QMenu* menu = addMenu(name, caption);
        for (const MenuItem<S>& item : items) {
            connect(addMenuItem(menu, item.name, item.caption, item.ctrlKey), &QAction::triggered,
                    static_cast<S*>(this), item.triggered);
        }
        return menu;
    }
    // The menu "E&xtras" right of the menus built so far, with the items of
    // ExtrasItems() that this screen shows (ExtrasScreens).
    QMenu* addExtrasMenu(unsigned thisScreen);

private:
    QMenu* addMenu(const QString& name, const QString& caption);
    QAction* addMenuItem(QMenu* menu, const char* name, const char* caption, Qt::Key ctrlKey);

    QWidget* client_;
    std::function<void()> onClose_;
    QList<QKeySequence> menuKeys_;
};

} // namespace hk::ui
