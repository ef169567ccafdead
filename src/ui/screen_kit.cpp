#include "screen_kit.h"

#include "common/text.h"
#include "ui/fonts.h"

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

namespace hk::ui {
namespace {

int Px(int twips) { return qRound(static_cast<double>(twips) / kTwipsPerPixel); }

void PaintBackground(QWidget* w, QColor colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

QRect Twips(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

QFont DefaultFont() { return MakeFont(QStringLiteral("MS Sans Serif"), 8.25); }

QValidator::State Cp1252Validator::validate(QString& input, int& /*pos*/) const {
    return IsCp1252Text(input.toStdString()) ? Acceptable : Invalid;
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
    label->setGeometry(Twips(at.left, at.top, at.width, at.height));
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
    box->setGeometry(Twips(at.left, at.top, at.width, at.height));
    box->setFont(font);
    box->setAlignment(Qt::AlignCenter);
    box->setToolTip(toolTip);
    if (maxLength > 0) {
        box->setMaxLength(maxLength);
    }
    box->setValidator(new Cp1252Validator(box));
    return box;
}

void ShowCrLfText(QPlainTextEdit* box, const std::string& text) {
    box->setPlainText(
        QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

QPlainTextEdit* Screen::addListingBox(const QString& name, Placement at, const QFont& font,
                                      const QString& toolTip) {
    auto* box = new QPlainTextEdit(client_);
    box->setObjectName(name);
    box->setGeometry(Twips(at.left, at.top, at.width, at.height));
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
    button->setGeometry(Twips(at.left, at.top, at.width, at.height));
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

QAction* Screen::addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                             Qt::Key ctrlKey) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
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
        connect(addMenuItem(menu, QString::fromUtf8(item.name), QString::fromUtf8(item.caption),
                            item.ctrlKey),
                &QAction::triggered, this, [this, command] { emit extrasTriggered(command); });
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
