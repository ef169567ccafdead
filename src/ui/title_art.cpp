#include "title_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace hk::ui {
namespace {

// A column radiator: `ribs` rounded members side by side between two headers.
void DrawRadiator(QPainter& p, QRectF area, int ribs, QColor body) {
    const qreal gap = area.width() * 0.02;
    const qreal ribWidth = (area.width() - gap * (ribs - 1)) / ribs;
    QLinearGradient shade(0, 0, ribWidth, 0);
    shade.setCoordinateMode(QGradient::ObjectMode);
    shade.setColorAt(0.0, body.darker(135));
    shade.setColorAt(0.45, body.lighter(125));
    shade.setColorAt(1.0, body.darker(150));
    p.setPen(QPen(body.darker(200), 1));
    for (int i = 0; i < ribs; ++i) {
        const QRectF rib(area.left() + i * (ribWidth + gap), area.top(), ribWidth, area.height());
        p.setBrush(shade);
        p.drawRoundedRect(rib, ribWidth * 0.45, ribWidth * 0.45);
    }
    // Upper and lower header pipes joining the ribs.
    p.setBrush(body.darker(115));
    const qreal header = area.height() * 0.07;
    p.drawRect(QRectF(area.left(), area.top() + header, area.width(), header * 0.8));
    p.drawRect(QRectF(area.left(), area.bottom() - 1.8 * header, area.width(), header * 0.8));
}

// Rising heat: wavy lines above x0..x1 from y0 up to y1, fading upwards.
void DrawHeatWaves(QPainter& p, qreal x0, qreal x1, qreal y0, qreal y1, int count, QColor colour) {
    p.setBrush(Qt::NoBrush);
    const qreal step = (x1 - x0) / count;
    for (int i = 0; i < count; ++i) {
        const qreal baseX = x0 + step * (i + 0.5);
        QPainterPath wave;
        wave.moveTo(baseX, y0);
        for (qreal y = y0; y >= y1; y -= 2) {
            const qreal t = (y0 - y) / (y0 - y1);
            // Qt's table sine: the title screen then needs no page of the
            // maths library (a third of a megabyte at start-up).
            wave.lineTo(baseX + qFastSin(t * 3.0 * M_PI + i) * (4 + 6 * t), y);
        }
        QLinearGradient fade(0, y0, 0, y1);
        QColor strong = colour;
        strong.setAlpha(220);
        QColor faint = colour;
        faint.setAlpha(0);
        fade.setColorAt(0, strong);
        fade.setColorAt(1, faint);
        p.setPen(QPen(QBrush(fade), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wave);
    }
}

void DrawThermometer(QPainter& p, QPointF top, qreal height, qreal fill) {
    const qreal w = height * 0.12;
    const QRectF tube(top.x() - w / 2, top.y(), w, height);
    const qreal bulb = w * 1.9;
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(tube, w / 2, w / 2);
    p.drawEllipse(QPointF(top.x(), tube.bottom()), bulb / 2, bulb / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 20));
    const qreal level = tube.bottom() - height * fill;
    p.drawRect(QRectF(top.x() - w / 4, level, w / 2, tube.bottom() - level));
    p.drawEllipse(QPointF(top.x(), tube.bottom()), bulb / 2 - 2, bulb / 2 - 2);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    for (int i = 1; i < 8; ++i) {
        const qreal y = tube.top() + height * i / 8.5;
        p.drawLine(QPointF(tube.right(), y), QPointF(tube.right() + w * 0.6, y));
    }
}

} // namespace

void PaintTitleBackground(QPainter& p) {
    const QRect area(0, 0, kBackgroundWidth, kBackgroundHeight);
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing);

    // Cool sky at the top warming to a glow at the bottom.
    QLinearGradient sky(0, 0, 0, kBackgroundHeight);
    sky.setColorAt(0.0, QColor(200, 240, 255));
    sky.setColorAt(0.55, QColor(255, 236, 200));
    sky.setColorAt(1.0, QColor(255, 170, 110));
    p.fillRect(area, sky);

    QRadialGradient glow(QPointF(90, 330), 220);
    glow.setColorAt(0, QColor(255, 120, 60, 150));
    glow.setColorAt(1, QColor(255, 120, 60, 0));
    p.fillRect(area, glow);

    DrawRadiator(p, QRectF(18, 255, 140, 120), 7, QColor(235, 235, 240));
    DrawHeatWaves(p, 20, 156, 248, 120, 6, QColor(230, 80, 20));
    DrawThermometer(p, QPointF(560, 190), 150, 0.7);
    DrawHeatWaves(p, 200, 520, 150, 20, 9, QColor(255, 150, 80));
    p.restore();
}

void PaintTitlePicture(QPainter& p) {
    p.save();
    p.setClipRect(QRect(0, 0, kPictureWidth, kPictureHeight), Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing);

    // Wall and floor of a room.
    QLinearGradient wall(0, 0, 0, 215);
    wall.setColorAt(0, QColor(250, 246, 232));
    wall.setColorAt(1, QColor(236, 222, 196));
    p.fillRect(QRect(0, 0, kPictureWidth, 215), wall);
    QLinearGradient floor(0, 215, 0, kPictureHeight);
    floor.setColorAt(0, QColor(170, 120, 80));
    floor.setColorAt(1, QColor(120, 80, 50));
    p.fillRect(QRect(0, 215, kPictureWidth, kPictureHeight - 215), floor);
    p.setPen(QPen(QColor(100, 66, 40), 1));
    for (int x = -200; x < kPictureWidth; x += 46) {
        p.drawLine(QPointF(x + 120, 215), QPointF(x, kPictureHeight));
    }

    // A window with a cold blue view above the radiator.
    const QRectF window(150, 18, 170, 92);
    QLinearGradient cold(window.topLeft(), window.bottomLeft());
    cold.setColorAt(0, QColor(120, 170, 230));
    cold.setColorAt(1, QColor(210, 230, 250));
    p.setPen(QPen(QColor(255, 255, 255), 6));
    p.setBrush(cold);
    p.drawRect(window);
    p.drawLine(QPointF(window.center().x(), window.top()),
               QPointF(window.center().x(), window.bottom()));
    p.setPen(QPen(QColor(150, 140, 120), 4));
    p.drawLine(QPointF(window.left() - 10, window.bottom() + 5),
               QPointF(window.right() + 10, window.bottom() + 5));

    // The radiator under the window, with its supply and return pipes.
    const QRectF body(110, 138, 250, 70);
    p.setPen(QPen(QColor(90, 90, 90), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(body.left() + 6, body.top() + 10), QPointF(60, body.top() + 10));
    p.drawLine(QPointF(60, body.top() + 10), QPointF(60, kPictureHeight));
    p.drawLine(QPointF(body.right() - 6, body.bottom() - 8), QPointF(410, body.bottom() - 8));
    p.drawLine(QPointF(410, body.bottom() - 8), QPointF(410, kPictureHeight));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QPointF(60, body.top() + 10), 8, 8); // supply valve
    p.setBrush(QColor(40, 90, 200));
    p.drawEllipse(QPointF(410, body.bottom() - 8), 8, 8); // return valve
    DrawRadiator(p, body, 14, QColor(245, 245, 245));

    DrawHeatWaves(p, body.left(), body.right(), body.top() - 6, 8, 12, QColor(235, 70, 20));
    DrawThermometer(p, QPointF(430, 30), 110, 0.55);
    p.restore();
}

} // namespace hk::ui
