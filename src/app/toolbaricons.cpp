#include "app/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <array>
#include <cmath>

namespace kinetra {

namespace {

// Every icon is drawn on a 24 x 24 grid and scaled to each size the icon offers.
constexpr std::array kToolbarSizes{16, 24, 32, 48};
constexpr std::array kWindowSizes{16, 24, 32, 48, 64, 128};

const QColor kInk(52, 58, 68);
const QColor kPaper(252, 252, 248);
const QColor kBlue(44, 110, 196);
const QColor kGreen(60, 150, 64);
const QColor kRed(206, 40, 40);
const QColor kField(96, 164, 78);
const QColor kNewFrame(214, 232, 252);

QPen pen(const QColor& c, double width = 1.2)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A play frame: a small field picture in a dark border.
void frame(QPainter& p, const QRectF& r, const QColor& fill = kField)
{
    p.setPen(pen(kInk));
    p.setBrush(fill);
    p.drawRect(r);
    if (fill == kField) {
        // The hint of a diamond, so a frame reads as a field and not as a button.
        p.setPen(pen(QColor(240, 236, 220), 0.9));
        const QPointF c = r.center() + QPointF(0, r.height() * 0.12);
        const double s = std::min(r.width(), r.height()) * 0.26;
        p.drawPolygon(QPolygonF({c + QPointF(0, s), c + QPointF(s, 0), c + QPointF(0, -s),
                                 c + QPointF(-s, 0)}));
    }
}

// A filled arrow from one point to another.
void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c, double width = 2.2)
{
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const double head = width * 2.2;
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to - u * head * 0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({to, to - u * head * 1.3 + n * head, to - u * head * 1.3 - n * head}));
}

void plus(QPainter& p, QPointF c, double s, const QColor& colour)
{
    p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c - QPointF(s, 0), c + QPointF(s, 0));
    p.drawLine(c - QPointF(0, s), c + QPointF(0, s));
}

void paintNew(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({QPointF(5, 2.5), QPointF(14.5, 2.5), QPointF(19.5, 7.5),
                             QPointF(19.5, 21.5), QPointF(5, 21.5)}));
    p.setBrush(QColor(220, 224, 230));
    p.drawPolygon(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7.5), QPointF(19.5, 7.5)}));
    p.setPen(pen(QColor(170, 180, 194), 1.0));
    for (double y : {11.0, 14.0, 17.0})
        p.drawLine(QPointF(8, y), QPointF(16.5, y));
}

void paintOpen(QPainter& p)
{
    p.setPen(pen(QColor(150, 104, 20)));
    p.setBrush(QColor(226, 176, 64));
    p.drawPolygon(QPolygonF({QPointF(2, 5), QPointF(9, 5), QPointF(11, 7.5), QPointF(20, 7.5),
                             QPointF(20, 19.5), QPointF(2, 19.5)}));
    p.setBrush(kPaper);
    p.setPen(pen(QColor(160, 160, 160), 1.0));
    p.drawRect(QRectF(5, 9, 13, 8));
    p.setPen(pen(QColor(150, 104, 20)));
    p.setBrush(QColor(246, 204, 96));
    p.drawPolygon(QPolygonF({QPointF(5.5, 11.5), QPointF(22.5, 11.5), QPointF(19, 19.5),
                             QPointF(2, 19.5)}));
}

void paintSave(QPainter& p)
{
    p.setPen(pen(QColor(24, 56, 110)));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(3, 3), QPointF(18.5, 3), QPointF(21, 5.5), QPointF(21, 21),
                             QPointF(3, 21)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 206, 214));
    p.drawRect(QRectF(7, 3.6, 10, 6));
    p.setBrush(kBlue.darker(130));
    p.drawRect(QRectF(13.5, 4.6, 2, 4));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 13, 12, 7.4));
    p.setPen(pen(QColor(170, 180, 194), 0.9));
    p.drawLine(QPointF(8, 15.5), QPointF(16, 15.5));
    p.drawLine(QPointF(8, 18), QPointF(16, 18));
}

void paintPrint(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));
    p.setBrush(QColor(150, 156, 166));
    p.drawRoundedRect(QRectF(2.5, 9, 19, 9), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    p.setPen(pen(QColor(170, 180, 194), 0.9));
    p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
    p.drawLine(QPointF(8.5, 19.3), QPointF(15.5, 19.3));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18.5, 11.5), 1.1, 1.1);
}

// Insert before / after: the current frame, the new frame beside it and an arrow to it.
void paintInsertSide(QPainter& p, bool before)
{
    const QRectF left(1.5, 8.5, 9.5, 13);
    const QRectF right(13, 8.5, 9.5, 13);
    frame(p, before ? right : left);
    frame(p, before ? left : right, kNewFrame);
    plus(p, (before ? left : right).center(), 2.8, kBlue);
    if (before)
        arrow(p, QPointF(17.5, 4.5), QPointF(4.5, 4.5), kBlue, 1.8);
    else
        arrow(p, QPointF(6.5, 4.5), QPointF(19.5, 4.5), kBlue, 1.8);
}

void paintInsertB(QPainter& p) { paintInsertSide(p, true); }
void paintInsertA(QPainter& p) { paintInsertSide(p, false); }

void paintInsertC(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2, Qt::DashLine));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 4.5, 15, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(18.5, 5.5), 4.6, 4.6);
    plus(p, QPointF(18.5, 5.5), 2.6, kPaper);
}

void paintInsertProg(QPainter& p)
{
    // Three frames in a row with a runner moving across them.
    for (int i = 0; i < 3; ++i) {
        const QRectF r(1.5 + i * 5, 2.5 + i * 5, 12, 14);
        frame(p, r, i == 2 ? kField : kField.lighter(118));
        p.setPen(pen(kInk, 0.8));
        p.setBrush(kRed);
        p.drawEllipse(r.topLeft() + QPointF(3.5 + i * 2.5, 4.0), 1.7, 1.7);
    }
}

void paintInsertNext(QPainter& p)
{
    // The current frame with a runner and the line he runs, the new frame with him at its end.
    const QRectF now(1.5, 2.5, 12, 12);
    const QRectF next(10.5, 9.5, 12, 12);
    frame(p, now);
    arrow(p, now.topLeft() + QPointF(3, 9), now.topLeft() + QPointF(9.5, 3), kPaper, 1.3);
    frame(p, next, kNewFrame);
    p.setPen(pen(kInk, 0.8));
    p.setBrush(kRed);
    p.drawEllipse(now.topLeft() + QPointF(3, 9), 1.7, 1.7);
    p.drawEllipse(next.topLeft() + QPointF(9, 3), 1.9, 1.9);
    plus(p, next.center() + QPointF(-1.5, 1.5), 2.6, kBlue);
}

void paintFMove(QPainter& p)
{
    const QPointF c(12, 12);
    arrow(p, c, QPointF(12, 1.5), kBlue, 2.2);
    arrow(p, c, QPointF(12, 22.5), kBlue, 2.2);
    arrow(p, c, QPointF(1.5, 12), kBlue, 2.2);
    arrow(p, c, QPointF(22.5, 12), kBlue, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue.darker(120));
    p.drawEllipse(c, 2.4, 2.4);
}

void paintDelete(QPainter& p)
{
    frame(p, QRectF(2.5, 4.5, 15, 17));
    p.setPen(QPen(kRed, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 6), QPointF(21, 15));
    p.drawLine(QPointF(21, 6), QPointF(12, 15));
}

void paintNotes(QPainter& p)
{
    p.setPen(pen(QColor(150, 130, 40)));
    p.setBrush(QColor(255, 238, 140));
    p.drawRect(QRectF(4.5, 4.5, 15, 17));
    p.setPen(pen(QColor(120, 150, 200), 0.9));
    for (double y : {10.0, 13.0, 16.0, 19.0})
        p.drawLine(QPointF(6.5, y), QPointF(17.5, y));
    // Spiral binding along the top.
    p.setPen(pen(kInk, 1.1));
    p.setBrush(Qt::NoBrush);
    for (double x : {7.5, 11.0, 14.5, 18.0})
        p.drawLine(QPointF(x, 2.5), QPointF(x, 6.5));
    p.setPen(pen(QColor(200, 60, 60), 1.0));
    p.drawLine(QPointF(8.5, 7.5), QPointF(8.5, 21));
}

void paintStep(QPainter& p, bool forward)
{
    p.save();
    if (!forward) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    p.setPen(pen(QColor(20, 70, 140)));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(12, 9), QPointF(12, 4), QPointF(21, 12),
                             QPointF(12, 20), QPointF(12, 15), QPointF(3, 15)}));
    p.restore();
}

void paintFBack(QPainter& p) { paintStep(p, false); }
void paintFForward(QPainter& p) { paintStep(p, true); }

// Undo / redo: a hooked arrow turning back (undo) or, mirrored, forward again (redo).
void paintHistory(QPainter& p, bool redo)
{
    p.save();
    if (redo) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    const QColor ink(150, 84, 20);
    QPainterPath hook;
    hook.moveTo(8, 8.5);
    hook.lineTo(13.5, 8.5);
    hook.cubicTo(22.5, 8.5, 22.5, 20.5, 13.5, 20.5);
    hook.lineTo(8.5, 20.5);
    p.setPen(QPen(ink, 2.8, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(pen(ink, 1.0));
    p.setBrush(QColor(226, 140, 40));
    p.drawPolygon(QPolygonF({QPointF(2, 8.5), QPointF(9.5, 2.5), QPointF(9.5, 14.5)}));
    p.restore();
}

void paintUndo(QPainter& p) { paintHistory(p, false); }
void paintRedo(QPainter& p) { paintHistory(p, true); }

void paintPlay(QPainter& p)
{
    p.setPen(pen(QColor(30, 100, 36)));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(6, 3.5), QPointF(20.5, 12), QPointF(6, 20.5)}));
}

void paintProperties(QPainter& p)
{
    // A gear: teeth round a wheel with a hole.
    const QPointF c(12, 12);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double r = i % 2 ? 7.2 : 10.2;
        for (double t : {-0.5, 0.5}) {
            const double angle = (i + t * 0.8) * M_PI / teeth;
            const QPointF pt = c + QPointF(std::cos(angle), std::sin(angle)) * r;
            if (i == 0 && t < 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(c, 3.2, 3.2);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(pen(kInk, 1.0));
    p.setBrush(QColor(150, 158, 170));
    p.drawPath(gear);
}

void roundBadge(QPainter& p)
{
    p.setPen(pen(QColor(20, 70, 140)));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(12, 12), 10, 10);
}

void paintHelp(QPainter& p)
{
    roundBadge(p);
    QPainterPath mark;
    mark.moveTo(8.6, 9.4);
    mark.cubicTo(8.6, 5.6, 15.4, 5.6, 15.4, 9.2);
    mark.cubicTo(15.4, 11.8, 12, 11.8, 12, 14.6);
    p.setPen(QPen(kPaper, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 18), 1.5, 1.5);
}

void paintAbout(QPainter& p)
{
    roundBadge(p);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 6.8), 1.7, 1.7);
    p.drawRoundedRect(QRectF(10.4, 10, 3.2, 8.6), 1, 1);
}

void paintBaseball(QPainter& p)
{
    p.setPen(pen(QColor(120, 120, 120), 1.0));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    p.save();
    QPainterPath ball;
    ball.addEllipse(QPointF(12, 12), 10, 10);
    p.setClipPath(ball);
    p.setPen(QPen(kRed, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(-1.5, 12), 9.5, 9.5);
    p.drawEllipse(QPointF(25.5, 12), 9.5, 9.5);
    // Stitches across each seam.
    for (int side : {-1, 1}) {
        const QPointF centre(side < 0 ? -1.5 : 25.5, 12);
        for (double a : {-40.0, -20.0, 0.0, 20.0, 40.0}) {
            const double rad = (side < 0 ? a : 180 - a) * M_PI / 180;
            const QPointF dir(std::cos(rad), std::sin(rad));
            const QPointF on = centre + dir * 9.5;
            const QPointF along(-dir.y(), dir.x());
            p.drawLine(on - dir * 1.3 + along * 0.6, on + dir * 1.3 - along * 0.6);
        }
    }
    p.restore();
}

using Painter = void (*)(QPainter&);

template<std::size_t N>
QIcon makeIcon(Painter paint, const std::array<int, N>& sizes)
{
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

struct Entry
{
    const char* key;
    Painter paint;
};

constexpr Entry kIcons[] = {
    {"New", paintNew},
    {"Open", paintOpen},
    {"Save", paintSave},
    {"Print", paintPrint},
    {"Undo", paintUndo},
    {"Redo", paintRedo},
    {"InsertB", paintInsertB},
    {"InsertA", paintInsertA},
    {"InsertC", paintInsertC},
    {"InsertProg", paintInsertProg},
    {"InsertNext", paintInsertNext},
    {"FMove", paintFMove},
    {"Delete", paintDelete},
    {"Notes", paintNotes},
    {"FBack", paintFBack},
    {"FForward", paintFForward},
    {"Play", paintPlay},
    {"Properties", paintProperties},
    {"Help", paintHelp},
    {"About", paintAbout},
};

} // namespace

QIcon toolbarIcon(const QString& key)
{
    for (const Entry& e : kIcons) {
        if (key == QLatin1String(e.key))
            return makeIcon(e.paint, kToolbarSizes);
    }
    return {};
}

QIcon appIcon()
{
    return makeIcon(paintBaseball, kWindowSizes);
}

QImage appIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    paintBaseball(p);
    p.end();
    return image;
}

} // namespace kinetra
