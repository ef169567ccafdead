#include "title_screen.h"

#include "ui/fonts.h"
#include "ui/title_art.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace hk::ui {
namespace {

const QColor kGreen{0, 128, 0};
const QColor kOrangeBrown{192, 64, 0};

QFont Times(double points) { return MakeFont(QStringLiteral("Times New Roman"), points, true); }

// Paints the background picture behind the controls of the client area.
class PictureBackground : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* w = static_cast<QWidget*>(watched);
            QPainter p(w);
            p.fillRect(w->rect(), kLightCyan);
            PaintTitleBackground(p);
            return true;
        }
        return false;
    }
};

// The picture Image1(0), painted whenever the label is.
class PictureLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter p(this);
        PaintTitlePicture(p);
    }
};

} // namespace

Form1::Form1(TitleTimings timings)
    : Screen(QStringLiteral("Form1"), QStringLiteral("Titelblatt"), 10380, 8115, 60, 345) {
    QWidget* c = client();
    c->installEventFilter(new PictureBackground(c));

    addLabel(QStringLiteral("Label1"), QStringLiteral("velkor"), {4935, 255, 1095, 375},
             Times(17.25), Qt::AlignHCenter, kGreen);
    addLabel(QStringLiteral("Label3"), QStringLiteral("qNeu  =  f"), {3600, 6720, 2175, 615},
             Times(19.5));
    addLabel(QStringLiteral("Label4"), QStringLiteral("  qRaum"), {6240, 6705, 2055, 615},
             Times(20.25), Qt::AlignLeft);
    addLabel(QStringLiteral("Label5"), QStringLiteral("x"), {5760, 6720, 495, 615},
             MakeFont(QStringLiteral("Arial"), 19.5, true));
    addLabel(QStringLiteral("Label2"), QStringLiteral("Tandrimo"), {4200, 600, 3015, 375},
             Times(13.5), Qt::AlignHCenter, kOrangeBrown);
    addLabel(QStringLiteral("Label6"), QStringLiteral("-p"), {6000, 240, 375, 375}, Times(15.75),
             Qt::AlignLeft, kGreen);
    keep(TitleControl::Lesen,
         addButton(QStringLiteral("Lesen"), QStringLiteral("Lesen"), {7305, 7575, 1350, 360},
                   MakeFont(QStringLiteral("Arial"), 9, true)))
        ->hide();
    addLabel(QStringLiteral("Label7"), QStringLiteral("Brenquist"), {2760, 1110, 6855, 510},
             Times(21.75));
    addLabel(QStringLiteral("Label8"), QStringLiteral("Nach Din 90/70/20 und Din EN442 75/65/20"),
             {2640, 1755, 6990, 510}, MakeFont(QStringLiteral("MS Sans Serif"), 9.75, true));

    auto* image = new PictureLabel(c);
    image->setObjectName(QStringLiteral("Image1"));
    image->setProperty("index", 0);
    image->setGeometry(Twips({2655, 2310, 7050, 4155}));

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setTimerType(Qt::PreciseTimer);
    timer1_.setInterval(timings.timer1);
    timer2_.setObjectName(QStringLiteral("Timer2"));
    timer2_.setTimerType(Qt::PreciseTimer);
    timer2_.setInterval(timings.timer2);
    connectHandlers();
    timer1_.start();
}

void Form1::connectHandlers() {
    connect(control<QPushButton>(TitleControl::Lesen), &QPushButton::clicked, this,
            &Form1::lesenClicked);
    connect(&timer1_, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(&timer2_, &QTimer::timeout, this, &Form1::Timer2_Timer);
}

void Form1::stopTimers() {
    timer1_.stop();
    timer2_.stop();
}

void Form1::Timer1_Timer() {
    control(TitleControl::Lesen)->show();
    // A running Timer2 keeps its countdown: only the first tick starts it.
    if (!timer2_.isActive()) {
        timer2_.start();
    }
}

void Form1::Timer2_Timer() {
    timer2_.stop(); // fires once
    emit titelblattDue();
}

} // namespace hk::ui
