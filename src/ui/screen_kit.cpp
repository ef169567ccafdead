#include "screen_kit.h"

#include "common/text.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolTip>

#include <algorithm>
#include <limits>

namespace hk::ui {
namespace {

int Px(int twips) { return qRound(static_cast<double>(twips) / kTwipsPerPixel); }

void PaintBackground(QWidget* w, QColor colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QString LeftOutNote(const std::string& leftOut) {
    QStringList shown;
    for (std::size_t pos = 0; pos < leftOut.size();) {
        const std::size_t at = pos;
        DecodeUtf8(leftOut, pos);
        shown << Q(leftOut.substr(at, pos - at));
    }
    return QStringLiteral("Nicht übernommen: ") + shown.join(QLatin1Char(' ')) +
           QStringLiteral("\nDiese Zeichen kann eine Projektdatei nicht speichern.");
}

} // namespace

QRect Twips(Placement at) { return {Px(at.left), Px(at.top), Px(at.width), Px(at.height)}; }

QFont DefaultFont() { return MakeFont(QStringLiteral("MS Sans Serif"), 8.25); }

QValidator::State Cp1252Validator::validate(QString& input, int& pos) const {
    const OneLineText head = ForOneLineBox(input.left(pos).toStdString());
    const OneLineText tail = ForOneLineBox(input.mid(pos).toStdString());
    const QString kept = Q(head.text + tail.text);
    if (kept != input) {
        input = kept;
        pos = static_cast<int>(Q(head.text).size());
    }
    const std::string leftOut = head.leftOut + tail.leftOut;
    if (!leftOut.empty()) {
        // Said at the box, where the user looks while pasting.
        if (auto* box = qobject_cast<QWidget*>(parent())) {
            QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())),
                               LeftOutNote(ForOneLineBox(leftOut).leftOut), box, {}, 8000);
        }
    }
    return Acceptable;
}

Screen::Screen(const QString& name, const QString& caption, int clientWidth, int clientHeight,
               int left, int top)
    : client_(new QWidget(this)) {
    setObjectName(name);
    setWindowTitle(caption);
    client_->setObjectName(name + QStringLiteral("Client"));
    client_->setFixedSize(Px(clientWidth), Px(clientHeight));
    client_->setFont(DefaultFont());
    PaintBackground(client_, kLightCyan);
    setCentralWidget(client_);
    // The window is as large as its client area plus the menu bar, no more.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(Px(left), Px(top));
}

void Screen::closeEvent(QCloseEvent* event) {
    if (!onClose_) {
        event->accept();
        return;
    }
    // The handler decides: when the program ends it hides every screen, and
    // when the user keeps working this screen stays as it is.
    event->ignore();
    onClose_();
}

QLabel* Screen::addLabel(const QString& name, const QString& text, Placement at, const QFont& font,
                         Qt::Alignment horizontal, QColor colour) {
    auto* label = new QLabel(text, client_);
    label->setObjectName(name);
    // Labels lie beneath every box and button, whenever these were made:
    // the layout lets a label's box reach into the box below it.
    for (QObject* sibling : client_->children()) {
        auto* w = qobject_cast<QWidget*>(sibling);
        if (w && !qobject_cast<QLabel*>(w)) {
            label->stackUnder(w); // the lowest of them
            break;
        }
    }
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(Twips(at));
    label->setFont(font);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(true);
    PaintBackground(label, kLightCyan);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

QLineEdit* Screen::addTextBox(const QString& name, Placement at, const QFont& font,
                              const QString& toolTip, int maxLength) {
    auto* box = new QLineEdit(client_);
    box->setObjectName(name);
    box->setGeometry(Twips(at));
    box->setFont(font);
    box->setAlignment(Qt::AlignCenter);
    box->setToolTip(toolTip);
    // A box without a limit of its own takes a pasted text whole; Qt would
    // otherwise cut it at 32767 characters without a word.
    box->setMaxLength(maxLength > 0 ? maxLength : std::numeric_limits<int>::max());
    box->setValidator(new Cp1252Validator(box));
    return box;
}

QString DisplayText(const std::string& text) {
    const QString all = Q(text);
    QString out;
    out.reserve(std::min(all.size(), kDisplayLineChars * kDisplayMaxLines) + 200);
    qsizetype lines = 0; // lines of the box ended so far
    qsizetype pos = 0;   // the first character not shown yet
    while (pos < all.size() && lines < kDisplayMaxLines) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), pos);
        const bool broken = end >= 0;
        if (!broken) {
            end = all.size();
        }
        // The CR of a CR LF goes with the line end; a lone CR stays.
        const qsizetype stop =
            broken && end > pos && all[end - 1] == QLatin1Char('\r') ? end - 1 : end;
        while (stop - pos > kDisplayLineChars) {
            qsizetype piece = kDisplayLineChars;
            if (all[pos + piece].isLowSurrogate()) {
                ++piece; // a character of two code units stays whole
            }
            if (pos + piece == stop) {
                break;
            }
            out += QStringView(all).mid(pos, piece);
            out += QLatin1Char('\n');
            pos += piece;
            if (++lines == kDisplayMaxLines) {
                break;
            }
        }
        if (lines == kDisplayMaxLines) {
            break;
        }
        out += QStringView(all).mid(pos, stop - pos);
        if (broken) {
            out += QLatin1Char('\n');
            ++lines;
        }
        pos = end + 1;
    }
    if (pos < all.size()) {
        out +=
            QStringLiteral("… Die Liste ist länger; angezeigt sind ihre ersten %1 Zeilen. Sie ist "
                           "vollständig geladen und wird vollständig gespeichert.")
                .arg(kDisplayMaxLines);
    }
    return out;
}

void ShowCrLfText(QPlainTextEdit* box, const std::string& text) {
    box->setPlainText(DisplayText(text));
}

QPlainTextEdit* Screen::addListingBox(const QString& name, Placement at, const QFont& font,
                                      const QString& toolTip) {
    auto* box = new QPlainTextEdit(client_);
    box->setObjectName(name);
    box->setGeometry(Twips(at));
    box->setFont(font);
    box->setToolTip(toolTip);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return box;
}

QPushButton* Screen::addButton(const QString& name, const QString& caption, Placement at,
                               const QFont& font, const QString& toolTip) {
    auto* button = new QPushButton(caption, client_);
    button->setObjectName(name);
    button->setGeometry(Twips(at));
    button->setFont(font);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    return button;
}

QMenu* Screen::addMenu(const QString& name, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QAction* Screen::addMenuItem(QMenu* menu, const char* name, const char* caption, Qt::Key ctrlKey) {
    QAction* action = menu->addAction(Q(caption));
    action->setObjectName(Q(name));
    if (ctrlKey == Qt::Key_unknown) {
        return action;
    }
    action->setShortcut(QKeySequence(Qt::CTRL | ctrlKey));
    if (menuKeys_.isEmpty()) {
        qApp->installEventFilter(this);
    }
    menuKeys_ << action->shortcut();
    return action;
}

QMenu* Screen::addExtrasMenu(unsigned thisScreen) {
    QMenu* menu = addMenu(QStringLiteral("mnuExtras"), QStringLiteral("E&xtras"));
    for (const ExtrasItem& item : ExtrasItems()) {
        if ((item.screens & thisScreen) == 0) {
            continue;
        }
        const ExtrasCommand command = item.command;
        connect(addMenuItem(menu, item.name, item.caption, item.ctrlKey), &QAction::triggered, this,
                [this, command] { emit extrasTriggered(command); });
    }
    return menu;
}

// On X11 a text box takes Ctrl+E (end of line), Ctrl+D (delete) and
// Ctrl+B (back) for itself and so would swallow the menu's shortcuts.
bool Screen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this &&
            menuKeys_.contains(QKeySequence(key->keyCombination()))) {
            event->ignore(); // not for the box: the shortcut goes to the menu
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace hk::ui
