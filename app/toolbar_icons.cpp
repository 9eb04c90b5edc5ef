#include "app/toolbar_icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace quorl {

namespace {

const QColor kAccent(230, 57, 70);

// The outline ("ink") and fill ("paper") colours of the pictures: dark ink on light
// paper for a light toolbar, the other way round on a dark one, so that no picture
// sinks into a dark desktop theme.
struct IconColors {
    QColor ink;
    QColor paper;
    QColor blue;
};

IconColors colorsFor(const QPalette& palette) {
    if (palette.color(QPalette::Window).lightness() < 128)
        return {QColor(214, 226, 240), QColor(52, 58, 66), QColor(120, 175, 210)};
    return {QColor(29, 53, 87), QColor(241, 250, 238), QColor(69, 123, 157)};
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
    p.setPen(QPen(c, 1.6));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::max(1.0, std::hypot(d.x(), d.y()));
    const QPointF u(d.x() / len, d.y() / len);
    const QPointF n(-u.y(), u.x());
    QPolygonF head{to, to - u * 4 + n * 3, to - u * 4 - n * 3};
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void pager(QPainter& p, const IconColors& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    p.drawRoundedRect(QRectF(1, 1, 8, 13), 2, 2);
    p.setBrush(c.paper);
    p.drawRect(QRectF(2.5, 3, 5, 3));
}

void draw(QPainter& p, ToolbarIcon which, const IconColors& c) {
    switch (which) {
    case ToolbarIcon::Open:
        p.setPen(c.ink);
        p.setBrush(QColor(244, 196, 48));
        p.drawPolygon(QPolygonF{{1, 4}, {6, 4}, {7, 5}, {14, 5}, {14, 13}, {1, 13}});
        break;
    case ToolbarIcon::Save:
        p.setPen(c.ink);
        p.setBrush(c.blue);
        p.drawRect(QRectF(1.5, 1.5, 12, 12));
        p.setBrush(c.paper);
        p.drawRect(QRectF(4, 2, 7, 4));
        break;
    case ToolbarIcon::ReadCodeplug:
        pager(p, c);
        arrow(p, {10, 7}, {15, 7}, QColor(42, 157, 143));
        break;
    case ToolbarIcon::WriteCodeplug:
        pager(p, c);
        arrow(p, {15, 7}, {10, 7}, kAccent);
        break;
    case ToolbarIcon::WriteCustomAudio: {
        pager(p, c);
        QPainterPath w;
        w.moveTo(10, 7);
        w.cubicTo(11, 3, 12, 11, 13, 7);
        w.cubicTo(14, 4, 15, 9, 15.5, 7);
        p.setPen(QPen(kAccent, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(w);
        break;
    }
    case ToolbarIcon::UserData:
        p.setPen(c.ink);
        p.setBrush(c.paper);
        p.drawRect(QRectF(2.5, 1.5, 11, 12));
        for (int y = 4; y <= 11; y += 3)
            p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
        break;
    case ToolbarIcon::CustomAudio:
        p.setPen(Qt::NoPen);
        p.setBrush(c.ink);
        p.drawPolygon(QPolygonF{{2, 5}, {5, 5}, {9, 2}, {9, 13}, {5, 10}, {2, 10}});
        p.setPen(QPen(kAccent, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 3, 6, 9), -60 * 16, 120 * 16);
        break;
    case ToolbarIcon::SystemSetup:
        p.setPen(QPen(c.ink, 1.2));
        p.setBrush(c.blue);
        p.drawEllipse(QRectF(3, 3, 9, 9));
        p.setBrush(c.paper);
        p.drawEllipse(QRectF(6, 6, 3, 3));
        break;
    case ToolbarIcon::Print:
        p.setPen(c.ink);
        p.setBrush(c.paper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(1.5, 6.5, 13, 5));
        p.setBrush(c.paper);
        p.drawRect(QRectF(4.5, 9.5, 7, 4));
        break;
    case ToolbarIcon::About:
    case ToolbarIcon::Help:
        p.setPen(Qt::NoPen);
        p.setBrush(which == ToolbarIcon::Help ? c.blue : c.ink);
        p.drawEllipse(QRectF(1, 0.5, 14, 14));
        // The marks are drawn as shapes, not as text: the toolbar is made before the
        // window shows, and a font here would make the start-up wait for the fonts.
        if (which == ToolbarIcon::Help) {
            p.setPen(QPen(c.paper, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(5.5, 3, 5, 5), 180 * 16, -270 * 16);
            p.drawLine(QPointF(8, 8), QPointF(8, 9.2));
            p.setPen(Qt::NoPen);
            p.setBrush(c.paper);
            p.drawEllipse(QPointF(8, 11.7), 1.1, 1.1);
        } else {
            p.setBrush(c.paper);
            p.drawEllipse(QPointF(8, 4.2), 1.2, 1.2);
            p.drawRoundedRect(QRectF(7, 6.3, 2, 5.8), 0.6, 0.6);
        }
        break;
    case ToolbarIcon::Application:
        pager(p, c);
        break;
    }
}

} // namespace

QIcon toolbarIcon(ToolbarIcon which) {
    QIcon icon;
    // The program's own icon sits on shells' panels of any colour: always the light one.
    const IconColors colors = colorsFor(
        which == ToolbarIcon::Application ? QPalette(Qt::white) : QGuiApplication::palette());
    // Drawn rather than scaled, so every size is sharp: 1x and 2x for the toolbar
    // (200 % displays), and up to 128 pixels for the program's icon in task
    // switchers and docks.
    const std::initializer_list<int> toolbarScales{1, 2};
    const std::initializer_list<int> applicationScales{1, 2, 3, 4, 8};
    for (int scale : which == ToolbarIcon::Application ? applicationScales : toolbarScales) {
        QPixmap pm(16 * scale, 15 * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, which, colors);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace quorl
